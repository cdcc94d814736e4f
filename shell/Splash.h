#pragma once
// The splash window: the edition's logo in a borderless box centred on the screen while the program
// starts.
#include <QWidget>

class QLabel;

class TFSplash : public QWidget {
    Q_OBJECT
public:
    TFSplash();

    QLabel* ISonvelaLogoZodu;
    QLabel* ISonvelaLogoProfessional;

    // Shows the window with the station program's logo.
    void ShowZodu();
    // Shows the window with the combinations editor's logo.
    void ShowProfessional();

private:
    void ShowCentred();
};

// Alive from program entry until the settings window's first showing frees it.
inline TFSplash* FSplash = nullptr;
