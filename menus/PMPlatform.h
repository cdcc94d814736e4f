#pragma once
// What the menu library asks of the platform beyond the desktop settings: version tests, the
// accessibility event call, and the small text and list routines its other parts share.
#include <QChar>
#include <QString>

#include <algorithm>
#include <functional>
#include <vector>

class QAccessibleEvent;
class QObject;

// The system is always a modern one: the older systems' branches are never taken.
constexpr bool IsWindowsXPOrLater = true;

// Accessibility events the library raises, with the object id of a window's client area.
constexpr int EVENT_SYSTEM_MENUSTART = 4;
constexpr int EVENT_SYSTEM_MENUEND = 5;
constexpr int EVENT_SYSTEM_MENUPOPUPSTART = 6;
constexpr int EVENT_SYSTEM_MENUPOPUPEND = 7;
constexpr int EVENT_OBJECT_FOCUS = 0x8005;
constexpr int OBJID_CLIENT = -4;

// Raises the event for the window's client object and a child numbered from 1 (0 the object itself).
// Nothing is sent while no accessibility client listens.
void NotifyAccessEvent(int event, QObject* window, int objectId, int child);
// Where the events go: Qt's accessibility while a client listens. Tests put a recorder here, since
// no accessibility client can be made active offscreen; an empty sink puts the default back.
void SetAccessEventSink(std::function<void(QAccessibleEvent& event)> sink);

// Every "&" removed, except that "&&" leaves one.
QString StripAccelMarkers(const QString& text);
QString DoubleAmpersands(const QString& text);
// A final ":" removed (texts of 2 characters or more), else a final "..." (4 or more).
QString StripTrailingEllipsis(const QString& text);
// The character after the last "&" that is not part of "&&"; a null character when there is none.
QChar AccelCharOf(const QString& text);

// Optional lists: adding reports whether the object was absent.
template <typename T> bool AddIfAbsent(std::vector<T*>& list, T* object)
{
    if (std::find(list.begin(), list.end(), object) != list.end())
        return false;
    list.push_back(object);
    return true;
}

template <typename T> bool AddFrontIfAbsent(std::vector<T*>& list, T* object)
{
    if (std::find(list.begin(), list.end(), object) != list.end())
        return false;
    list.insert(list.begin(), object);
    return true;
}

template <typename T> void RemoveFromList(std::vector<T*>& list, T* object)
{
    list.erase(std::remove(list.begin(), list.end(), object), list.end());
}

namespace platform {
class TCanvas;
}

// The width of the text in the canvas's font, after StripAccelMarkers when asked.
int TextWidth(platform::TCanvas& canvas, const QString& text, bool withoutMarkers);
// The canvas font's height (ascent + descent).
int TextHeight(platform::TCanvas& canvas);
