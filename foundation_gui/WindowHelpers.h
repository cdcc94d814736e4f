#pragma once
// Small window services the windows share.
#include <QLatin1String>
#include <QString>

class QDialog;
class QWidget;

// The folder dialog with the caption as its title, starting at initialFolder when it is not empty;
// the chosen folder, or empty when cancelled.
QString BrowseForFolder(const QString& caption, const QString& initialFolder);

// Lets a mouse press in the window's client area drag the whole window, as its caption would.
void DragMoveWindow(QWidget* window);

// A minimised window is restored, once the current event is done.
void RestoreIfIconic(QWidget* window);

// Shown when hidden, hidden when shown; a minimised window comes back shown and restored. Nothing
// for a window that does not exist.
void ToggleWindow(QWidget* window);

// Keeps the window above the others, without moving or sizing it.
void SetTopmost(QWidget* window);

// Places the window in the middle of the primary screen's work area.
void CentreOnScreen(QWidget* window);

// Shows one of the program's own windows modally, centred, through the dialog service, so a test
// answers it like any box (text: what the answerer is told it shows).
void ShowModalWindow(QDialog* window, const QString& text = QString());

// Escape closes the window, whichever of its controls has the focus: the window sees the key before
// its controls do.
void CloseOnEscape(QWidget* window);

// Gives a new control its component name and returns it.
template <typename Widget> Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}
