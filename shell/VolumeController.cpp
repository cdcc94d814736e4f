#include "shell/VolumeController.h"

#include "playout/AudioMixer.h"

#include <algorithm>

namespace {

constexpr int LevelTop = 65535;

} // namespace

TssVolumeController::TssVolumeController(QObject* owner) : QObject(owner) {}

TssVolumeController::~TssVolumeController() = default;

int TssVolumeController::SpeakersLine()
{
    if (!mixer_) {
        mixer_ = std::make_unique<TAudioMixer>();
        const TMixerDestinations& destinations = mixer_->Destinations();
        for (int d = 0; d < destinations.Count() && line_ < 0; ++d)
            if (destinations.Item(d)->Data.componentType == platform::MixerLineSpeakers)
                line_ = d;
    }
    return line_;
}

void TssVolumeController::SetMute(bool mute)
{
    mute_ = mute;
    if (SpeakersLine() >= 0)
        mixer_->SetMute(line_, -1, mute);
}

void TssVolumeController::ReadMute()
{
    TMixerVolume read;
    if (SpeakersLine() >= 0 && mixer_->GetVolume(line_, -1, read) && read.Mute != -1)
        mute_ = read.Mute != 0;
}

int TssVolumeController::Volume()
{
    ReadLevels();
    return volume_;
}

void TssVolumeController::SetVolume(int volume)
{
    if (volume < 0 || volume > 100)
        return;
    volume_ = volume;
    WriteLevels(volume_, balance_);
}

int TssVolumeController::Balance()
{
    ReadLevels();
    return balance_;
}

void TssVolumeController::SetBalance(int balance)
{
    if (balance < -100 || balance > 100)
        return;
    balance_ = balance;
    WriteLevels(volume_, balance_);
}

TssVolumeController::Levels TssVolumeController::LevelsOf(int volume, int balance)
{
    const int level = volume * LevelTop / 100;
    if (balance < 0)
        return {level, (balance + 100) * level / 100};
    return {(100 - balance) * level / 100, level};
}

int TssVolumeController::VolumeOf(Levels levels)
{
    return (std::max(levels.Left, levels.Right) * 100 + LevelTop / 2) / LevelTop;
}

int TssVolumeController::BalanceOf(Levels levels)
{
    if (VolumeOf(levels) == 0)
        return 0;
    if (levels.Left > levels.Right)
        return -((levels.Left - levels.Right) * 100 / levels.Left);
    return (levels.Right - levels.Left) * 100 / levels.Right;
}

void TssVolumeController::WriteLevels(int volume, int balance)
{
    if (SpeakersLine() < 0)
        return;
    TMixerVolume read;
    if (!mixer_->GetVolume(line_, -1, read) || read.Left == -1)
        return;
    Levels levels = LevelsOf(volume, balance);
    // One channel cannot carry a balance: it takes the louder side.
    if (!read.Stereo)
        levels.Left = levels.Right = std::max(levels.Left, levels.Right);
    mixer_->SetVolume(line_, -1, -1, levels.Right, levels.Left);
    written_ = mixer_->GetVolume(line_, -1, read) && read.Left != -1;
    writtenLevels_ = {read.Left, read.Right};
}

void TssVolumeController::ReadLevels()
{
    TMixerVolume read;
    if (SpeakersLine() < 0 || !mixer_->GetVolume(line_, -1, read) || read.Left == -1)
        return;
    const Levels levels{std::clamp(read.Left, 0, LevelTop), std::clamp(read.Right, 0, LevelTop)};
    if (written_ && Levels{read.Left, read.Right} == writtenLevels_)
        return;
    volume_ = VolumeOf(levels);
    balance_ = BalanceOf(levels);
}
