#pragma once
// The pitch of the entry on air, -60..60 steps of 1 % of the stream's own rate. It acts on that
// stream only: the next file entry starts at its own rate and the pitch goes back to 0 with it.
// Non-visual: the window mirrors the position and the label.
#include <QObject>
#include <QString>

class TChannelPlayback;

class TChannelPitch : public QObject {
    Q_OBJECT
public:
    static constexpr int Min = -60;
    static constexpr int Max = 60;

    TChannelPitch(TChannelPlayback& playback, int channelNo, QObject* parent = nullptr);

    int Position() const { return position_; }
    // "-" and "+": one step within the range, applied also when the end of the range holds it.
    void Step(int delta);
    // The label's click: back to the stream's own rate.
    void Reset() { Apply(0); }

    // "Pitch: 100x" at 60, "Pitch: 2x" at 1: the label shows the position as a share of 60.
    static QString Label(int position);

signals:
    void PitchShown(int position, const QString& label);

private:
    int channelNo_;
    int position_ = 0;

    void Apply(int position);
    void Show(int position);
};
