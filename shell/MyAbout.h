#pragma once
// The author window: what the program is and the open-source libraries it is built on.
#include <QDialog>

class QPushButton;
class QWidget;

namespace platform {
class TPageControl;
}

class TFMyAbout : public QDialog {
    Q_OBJECT
public:
    TFMyAbout();

    // Modal, through the dialog service, so a test answers it like any box.
    void ShowModal();

    platform::TPageControl* PC;
    QWidget* TSAuthor;
    QWidget* TSLibraries;
    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;
};

inline TFMyAbout* FMyAbout = nullptr;
