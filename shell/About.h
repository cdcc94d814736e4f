#pragma once
// The about window: the release over the program's picture. Ctrl+Alt+A opens the author window.
#include <QDialog>

class QLabel;
class QKeyEvent;

// The modifiers of a key press that opens the author window with A: exactly Ctrl and Alt (the keypad
// flag does not count).
bool OpensAuthorWindow(int key, Qt::KeyboardModifiers modifiers);

class TFAbout : public QDialog {
    Q_OBJECT
public:
    TFAbout();

    // Modal, through the dialog service, so a test answers it like any box.
    void ShowModal();

    QLabel* IAbout;
    QLabel* LRelease;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

inline TFAbout* FAbout = nullptr;
