#pragma once
// A window's dialog keys and accelerators. Enter and Escape that the focused widget leaves, and
// characters that it does not take (or any key with Alt), are offered to the window's controls in
// creation order until one takes them; what no control takes reaches the window unchanged.
#include <QChar>
#include <QString>

class QKeyEvent;
class QWidget;

namespace platform {

// A control that takes part in its window's dialog keys. Each answer is true when it took the key.
class DialogKeyReceiver {
public:
    virtual ~DialogKeyReceiver() = default;
    // Enter or Escape (with their modifiers) that the focused widget left.
    virtual bool DialogKey(const QKeyEvent& key) = 0;
    // A character offered as an accelerator.
    virtual bool DialogChar(QChar character) = 0;
};

// A button that Enter clicks while it is its window's active default: the focused one while a push
// button has the focus, else the one marked default.
class DefaultButtonReceiver {
public:
    virtual ~DefaultButtonReceiver() = default;
    virtual bool IsDefaultButton() const = 0;
    virtual void SetActiveDefault(bool active) = 0;
};

// Installs the dispatcher on the control's top-level window, once per window; call it again when
// the control may have moved to another window. The dispatcher also follows the application's
// focus changes to tell the window's default-button receivers which one is the active default.
void UseWindowKeys(QWidget* control);

// Tells each default-button receiver of the window whether it is the active default now.
void UpdateActiveDefaults(QWidget* window);

// The accelerator of a caption: the character after a lone "&" ("&&" is a literal "&"); null when
// there is none.
QChar CaptionAccelerator(const QString& caption);
// Whether the key is the caption's accelerator, whatever the case.
bool IsAccelerator(QChar key, const QString& caption);

// Whether the focused control of the control's window is a button: its class name, upper-cased,
// contains "BUTTON" but not "RADIOBUTTON".
bool FocusedControlIsButton(const QWidget* control);

// A control's non-zero modal result ends the modal dialog it sits in with that value; any other
// window ignores it.
void EndModal(const QWidget* control, int modalResult);

} // namespace platform
