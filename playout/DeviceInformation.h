#pragma once
// The device information window: every mixer device with its lines and controls as a report for a
// technician, saved as a text file on request. The report is built anew at each showing, so a card
// plugged in since is listed, and nothing opens a mixer before the window is shown.
#include "foundation_gui/Language.h"

#include <QWidget>

class QListWidget;
class TLXButton;

class TFDeviceInformation : public QWidget {
    Q_OBJECT
public:
    TFDeviceInformation();

    QListWidget* LBMemo; // the report, one line per row
    TLXButton* LXBSave;
    TLanguage LangDeviceInformation;

    // LXBSave: the save dialog's file gets every report line, or a box says why it could not.
    void LXBSaveClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool firstShow_ = true;

    void BuildReport();
};

inline TFDeviceInformation* FDeviceInformation = nullptr;
