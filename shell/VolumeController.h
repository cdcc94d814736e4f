#pragma once
// The master volume, balance and mute of the system's mixer: mixer device 0, its speakers line, the
// line's first volume control (left, then right, 0..65535) and first mute control. Nothing is opened
// or written until the first use. With no mixer, no speakers line or no volume control, writes do
// nothing and reads give the stored values, so a save never turns the volume to 0.
#include <QObject>

#include <memory>

class TAudioMixer;

class TssVolumeController : public QObject {
    Q_OBJECT
public:
    explicit TssVolumeController(QObject* owner = nullptr);
    ~TssVolumeController() override;

    bool Mute() const { return mute_; }
    // Stores it, then writes the mute control.
    void SetMute(bool mute);
    // The stored flag takes the mixer's mute state, writing nothing.
    void ReadMute();

    // 0..100, read from the mixer (and stored) at each call.
    int Volume();
    // Values outside 0..100 are ignored; otherwise stored and written with the stored balance.
    void SetVolume(int volume);
    // -100..100 (negative lowers the right channel), read from the mixer (and stored) at each call.
    int Balance();
    // Values outside -100..100 are ignored; otherwise stored and written with the stored volume.
    void SetBalance(int balance);

    struct Levels {
        int Left = 0;
        int Right = 0;
        friend bool operator==(const Levels&, const Levels&) = default;
    };
    // The two channels for a volume and balance, by integer division toward zero.
    static Levels LevelsOf(int volume, int balance);
    // The volume (rounded, so every volume written reads back the same) and balance of two channels.
    static int VolumeOf(Levels levels);
    static int BalanceOf(Levels levels);

private:
    // The speakers line of mixer device 0, opened at the first call; -1 when there is none.
    int SpeakersLine();
    void WriteLevels(int volume, int balance);
    void ReadLevels();

    std::unique_ptr<TAudioMixer> mixer_;
    int line_ = -1;
    bool mute_ = false;
    int volume_ = 0;
    int balance_ = 0;
    // What the last write left on the mixer: while the mixer still holds exactly those levels, reads
    // give the values written, which a coarse or one-channel control could not hold exactly.
    bool written_ = false;
    Levels writtenLevels_;
};
