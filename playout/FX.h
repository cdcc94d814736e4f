#pragma once
// The effects window "FX": a small tool window on top of the others with three equaliser bands, the
// reverb and the three sample effects for channel 1. Its work on the player slot is
// TChannelEffects'; this window shows it. Controls keep their names as objectName.
#include "playout/ChannelEffects.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

class TFFX : public QWidget {
    Q_OBJECT
public:
    explicit TFFX(QWidget* parent = nullptr);
    ~TFFX() override;

    TChannelEffects& Effects() { return effects_; }

    // Channel ch's "Fx" button: the window shows, and the stream playing gets the effects now.
    void ShowForChannel(int ch);
    // A file entry started on the channel: it gets the effects while the window is shown.
    void ApplyFX() { effects_.ApplyFX(); }

    // Every control back to neutral, each through its own handler.
    void BDefaultsClick();

    QSlider* TB125; // vertical, 0 (top, +15 dB) .. 30 (-15 dB)
    QSlider* TB1000;
    QSlider* TB8000;
    QSlider* TBReverb; // vertical, 0 (top, 0 dB) .. 20 (none)
    QLabel* Label5;    // 20 − the reverb's position
    QCheckBox* CBRotate;
    QCheckBox* CBEcho;
    QCheckBox* CBFlanger;
    QPushButton* BDefaults;
    QPushButton* BClose;
    QLabel* LChannel;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    TChannelEffects effects_;

    void CreateControls();
    void ConnectControls();
    void TBReverbChange();
    QSlider* Band(int band) const;
};

// The one effects window, created at start-up.
extern TFFX* FFX;
