#pragma once
// A component holding one wave for a window: loaded once from a file, played from memory as often
// as needed.
#include "controls/LXObjects.h"
#include "controls/LXWave.h"

class TLXWaveComp : public TLXCustomComponent {
    Q_OBJECT
public:
    explicit TLXWaveComp(QObject* owner = nullptr);
    // The held wave stops the sound from memory first.
    ~TLXWaveComp() override = default;

    const TLXWave& Wave() const { return wave_; }
    // Copies the bytes.
    void SetWave(const TLXWave& wave) { wave_.Assign(wave); }

    // EInvalidWave naming the file for data that are not a WAV file (the held wave stays); the
    // stream read error when the file cannot be read.
    virtual void LoadFromFile(const QString& path) { wave_.LoadFromFile(path); }
    virtual void SaveToFile(const QString& path) const { wave_.SaveToFile(path); }
    // Mode 1 returns at once, 2 loops, any other returns when the sound has ended; false for an
    // empty wave or no output device.
    bool Play(int mode) const { return wave_.Play(mode); }

private:
    TLXWave wave_;
};
