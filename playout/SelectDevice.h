#pragma once
// The output-device window of a player slot: the playback devices by the names the station stores,
// the slot's own device chosen at each showing. OK stores the choice, Apply stores it and starts the
// slot's player on it at once; the slot's next start plays there in either case.
#include "foundation_gui/Language.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;
class TLXLabel;

class TFSelectDevice : public QDialog {
    Q_OBJECT
public:
    TFSelectDevice();

    TLXLabel* LInfo; // which slot is edited
    QComboBox* CBOutputDevices;
    QPushButton* BOk;
    QPushButton* BCancel;
    QPushButton* BApply;
    TLanguage LangSelectDevice;

    // The slot edited from now on: 1 to 3 the channels, 4 the pre-listen player.
    void SetSlot(int slot);
    int Slot() const { return slot_; }

    void BOkClick();
    void BApplyClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool firstShow_ = true;
    int slot_ = 1;
    QStringList names_;

    // The chosen name becomes the slot's device; nothing chosen stores nothing.
    void StoreChoice();
};

inline TFSelectDevice* FSelectDevice = nullptr;
