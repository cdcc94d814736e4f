#include "menus/PMPlatform.h"

#include <QAccessible>
#include <QAccessibleEvent>

#include "platform_gui/Canvas.h"

namespace {

std::function<void(QAccessibleEvent&)> accessEventSink;

} // namespace

void SetAccessEventSink(std::function<void(QAccessibleEvent& event)> sink)
{
    accessEventSink = std::move(sink);
}

void NotifyAccessEvent(int event, QObject* window, int objectId, int child)
{
    Q_UNUSED(objectId); // always the client object
    if (window == nullptr)
        return;
    QAccessibleEvent accessEvent(window, static_cast<QAccessible::Event>(event));
    // Child numbers count from 1 with 0 for the object itself; Qt's child indexes from 0 with -1.
    accessEvent.setChild(child - 1);
    if (accessEventSink)
        accessEventSink(accessEvent);
    else if (QAccessible::isActive())
        QAccessible::updateAccessibility(&accessEvent);
}

QString StripAccelMarkers(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                result += u'&';
                ++i;
            }
            continue;
        }
        result += text[i];
    }
    return result;
}

QString DoubleAmpersands(const QString& text)
{
    QString result = text;
    return result.replace(u'&', QStringLiteral("&&"));
}

QString StripTrailingEllipsis(const QString& text)
{
    if (text.size() >= 2 && text.endsWith(u':'))
        return text.chopped(1);
    if (text.size() >= 4 && text.endsWith(QStringLiteral("...")))
        return text.chopped(3);
    return text;
}

QChar AccelCharOf(const QString& text)
{
    QChar found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (i + 1 >= text.size())
            break;
        if (text[i + 1] != u'&')
            found = text[i + 1];
        ++i; // the marked character, or the second "&" of a pair
    }
    return found;
}

int TextWidth(platform::TCanvas& canvas, const QString& text, bool withoutMarkers)
{
    return canvas.TextWidth(withoutMarkers ? StripAccelMarkers(text) : text);
}

int TextHeight(platform::TCanvas& canvas)
{
    return canvas.TextMetrics().Height;
}
