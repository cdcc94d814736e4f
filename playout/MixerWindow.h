#pragma once
// The mixer window: any line of any sound card's mixer, chosen by device, destination and source,
// with its volume and its mute or select state, following changes made elsewhere. The mixer is
// opened at the first showing, never at start-up: a station that starts without its card must not
// wait on a box about it.
#include "foundation_gui/Language.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;
class TAudioMixer;

class TFMixer : public QWidget {
    Q_OBJECT
public:
    TFMixer();
    ~TFMixer() override;

    QComboBox* CBDevices;     // mixer devices by product name
    QComboBox* CBDestination; // destination lines of the chosen device
    QComboBox* CBSources;     // the destination itself, then its source lines
    QSlider* TB;              // the chosen line's volume (its left channel), 0..65535
    QCheckBox* CB;            // its mute or select state
    QLabel* LVolume;
    QLabel* LMuteSelect;
    QLabel* LCannotsetvolume;
    QLabel* LCannotsetMuteSelect;
    TLanguage LangMixer;

    // Null until the first showing.
    TAudioMixer* Mixer() const { return mixer_.get(); }

    void CBDevicesChange();
    void CBDestinationChange();
    void CBSourcesChange();
    // Writes the volume and the mute or select state of the chosen line together.
    void TBChange();
    void CBClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<TAudioMixer> mixer_;
    bool firstShow_ = true;
    // Set while the window moves its own controls, so they write nothing back.
    bool updating_ = false;

    void FirstShow();
    void ConnectLineHandlers();
    void DetachLineHandlers();
};

inline TFMixer* FMixer = nullptr;
