#pragma once
// A whole WAV file held in memory: checked on the way in, streamed with a 32-bit count, saved as
// a file.
#include "controls/LXErrors.h"
#include "controls/LXObjects.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <cstdint>
#include <optional>

// Data that are not a WAV file: "TLXWave: Cannot open file", then the file's path when they came
// from one.
class EInvalidWave : public ELXException {
public:
    explicit EInvalidWave(const QString& path = QString());
};

// What the header tells: mono and stereo are both false for other channel counts.
struct TLXWaveInfo {
    uint32_t RiffSize = 0;
    uint32_t SampleRate = 0;
    bool Mono = false;
    bool Stereo = false;
    bool Pcm = false;
    int BlockAlign = 0;
};

// The header of a RIFF WAVE file, its format chunk found wherever it lies among the chunks before
// it; none when the bytes are no such file.
std::optional<TLXWaveInfo> GetWaveData(const QByteArray& bytes);

class TLXWave : public TLXObject {
public:
    TLXWave() = default;
    // A copy holds the bytes; the sound playing stays the original's.
    TLXWave(const TLXWave& other) : TLXObject(other), data_(other.data_) {}
    TLXWave& operator=(const TLXWave& other);
    // A wave whose sound is playing stops it first.
    ~TLXWave() override;
    // Another wave is copied byte for byte; anything else goes to the base.
    void Assign(const TLXObject& source) override;

    bool Empty() const { return data_.isEmpty(); }
    const QByteArray& Data() const { return data_; }
    // Takes the bytes as they are (empty clears) and notifies; the wave's own sound, while it plays,
    // is stopped first.
    void SetData(const QByteArray& bytes);
    void Clear() { SetData(QByteArray()); }
    // Count bytes from the stream, kept only when they are a WAV file; a count of 0 clears.
    // EInvalidWave (naming path when given) leaves the held wave as it was; a stream shorter than
    // the count raises the stream read error.
    void LoadData(qint64 count, QIODevice& stream, const QString& path = QString());

    // A 32-bit count, then the bytes.
    void ReadData(QIODevice& stream);
    void WriteData(QIODevice& stream) const;
    // The same bytes through one compressed container.
    void ReadCompressed(QIODevice& stream);
    void WriteCompressed(QIODevice& stream) const;
    // From the current position to the end.
    void LoadFromStream(QIODevice& stream);
    // File errors raise the stream read or write error.
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path) const;

    // Through the process's memory sound player: mode 1 returns at once, 2 loops, any other returns
    // when the sound has ended. False for an empty wave, no output device or bytes that do not play.
    bool Play(int mode) const;
    // Ends whatever sound plays from memory.
    static void Stop();

private:
    // The bytes kept when they are a WAV file; none clears. EInvalidWave (naming path when given)
    // leaves the held wave as it was.
    void LoadBytes(const QByteArray& bytes, const QString& path);
    // Stops the sound when it is still the one this wave started.
    void StopOwnSound();

    QByteArray data_;
    mutable uint32_t playedStream_ = 0; // the memory sound's stream this wave started last
};

// The wave through its compressed form or its counted form.
void WriteWave(QIODevice& stream, const TLXWave& wave, bool compressed);
void ReadWave(QIODevice& stream, TLXWave& wave, bool compressed);
