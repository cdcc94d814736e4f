#include "controls/LXWave.h"

#include "audiolib/MemorySound.h"
#include "controls/LXStreams.h"
#include "controls/LZRW.h"
#include "platform/FileSystem.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <memory>

EInvalidWave::EInvalidWave(const QString& path)
    : ELXException(QStringLiteral("TLXWave: Cannot open file") + (path.isEmpty() ? QString() : " " + path))
{
}

std::optional<TLXWaveInfo> GetWaveData(const QByteArray& bytes)
{
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<uint32_t>(bytes.constData() + at); };
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<uint16_t>(bytes.constData() + at); };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    // Broadcast files often carry LIST, bext or JUNK chunks before the format chunk.
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const qsizetype size = u32(at + 4);
        if (bytes.mid(at, 4) == "fmt ") {
            if (size < 14 || at + 8 + 14 > bytes.size())
                return std::nullopt;
            const qsizetype f = at + 8;
            TLXWaveInfo info;
            info.RiffSize = u32(4);
            const int channels = u16(f + 2);
            info.Pcm = u16(f) == 1;
            info.Mono = channels == 1;
            info.Stereo = channels == 2;
            info.SampleRate = u32(f + 4);
            info.BlockAlign = u16(f + 12);
            return info;
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

TLXWave& TLXWave::operator=(const TLXWave& other)
{
    if (this != &other) {
        StopOwnSound();
        data_ = other.data_;
    }
    return *this;
}

TLXWave::~TLXWave()
{
    StopOwnSound();
}

// Another wave's sound (the clock's hour signal, say) plays on when this one is replaced or freed.
void TLXWave::StopOwnSound()
{
    if (playedStream_ != 0 && audiolib::MemorySoundStream() == playedStream_)
        Stop();
    playedStream_ = 0;
}

void TLXWave::Assign(const TLXObject& source)
{
    const auto* wave = dynamic_cast<const TLXWave*>(&source);
    if (!wave)
        return TLXObject::Assign(source);
    SetData(wave->data_);
}

void TLXWave::SetData(const QByteArray& bytes)
{
    StopOwnSound();
    data_ = bytes;
    Changed();
}

bool TLXWave::Play(int mode) const
{
    if (Empty())
        return false;
    // The player holds its own reference to the bytes for as long as it reads them.
    const auto bytes = std::make_shared<const QByteArray>(data_);
    const audiolib::MemorySoundMode how = mode == 1   ? audiolib::MemorySoundMode::Async
                                          : mode == 2 ? audiolib::MemorySoundMode::Loop
                                                      : audiolib::MemorySoundMode::Sync;
    const bool playing = audiolib::MemorySoundPlay(bytes, bytes->constData(), bytes->size(), how);
    playedStream_ = playing ? audiolib::MemorySoundStream() : 0;
    return playing;
}

void TLXWave::Stop()
{
    audiolib::MemorySoundStop();
}

void TLXWave::LoadBytes(const QByteArray& bytes, const QString& path)
{
    if (bytes.isEmpty()) {
        Clear();
        return;
    }
    if (!GetWaveData(bytes))
        throw EInvalidWave(path);
    SetData(bytes);
}

void TLXWave::LoadData(qint64 count, QIODevice& stream, const QString& path)
{
    LoadBytes(count > 0 ? ReadExactly(stream, count) : QByteArray(), path);
}

void TLXWave::ReadData(QIODevice& stream)
{
    LoadData(ReadInteger(stream), stream);
}

void TLXWave::WriteData(QIODevice& stream) const
{
    WriteInteger(stream, static_cast<int32_t>(data_.size()));
    WriteExactly(stream, data_);
}

void TLXWave::ReadCompressed(QIODevice& stream)
{
    QBuffer data;
    data.open(QIODevice::ReadWrite);
    DecompressStream(stream, data);
    data.seek(0);
    LoadFromStream(data);
}

void TLXWave::WriteCompressed(QIODevice& stream) const
{
    QBuffer source;
    source.setData(data_);
    source.open(QIODevice::ReadOnly);
    CompressStream(source, stream, data_.size());
}

void TLXWave::LoadFromStream(QIODevice& stream)
{
    LoadData(stream.size() - stream.pos(), stream);
}

void TLXWave::LoadFromFile(const QString& path)
{
    // Read whole through the platform, which never waits on a FIFO or device given the file's name.
    QByteArray bytes;
    QString reason;
    if (!platform::ReadWholeFile(path, bytes, reason))
        throw EReadError(reason);
    LoadBytes(bytes, path);
}

void TLXWave::SaveToFile(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EWriteError();
    WriteExactly(file, data_);
}

void WriteWave(QIODevice& stream, const TLXWave& wave, bool compressed)
{
    if (compressed)
        wave.WriteCompressed(stream);
    else
        wave.WriteData(stream);
}

void ReadWave(QIODevice& stream, TLXWave& wave, bool compressed)
{
    if (compressed)
        wave.ReadCompressed(stream);
    else
        wave.ReadData(stream);
}
