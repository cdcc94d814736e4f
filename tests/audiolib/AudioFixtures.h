#pragma once
// Small audio files the audio tests make themselves: a 440 Hz sine through our WAV writer, or encoded by
// the ffmpeg program (MP3 with and without a Xing/LAME header, Ogg Vorbis, WMA).
#include "Ffmpeg.h"

#include <QString>
#include <QStringList>

namespace testing_support {

enum class AudioFixture {
    Wav16,          // 16-bit PCM, amplitude 0.5
    Mp3Cbr,         // 128 kbit/s with the Xing/LAME header (gapless)
    Mp3CbrNoHeader, // 128 kbit/s, no Xing/LAME header
    Mp3Vbr,         // VBR with the Xing/LAME header
    Mp3VbrNoHeader, // VBR, no header
    OggVorbis,
    Wma,      // WMA version 2 in ASF
    Flac,     // a format the station does not play
    AdpcmWav, // a WAV whose codec the station does not play
};

// Writes the fixture into `folder` and returns its path; an empty path with the reason in `failure`
// when it cannot be made (for example when the ffmpeg program is missing).
QString MakeFixture(const QString& folder, AudioFixture kind, double seconds, int channels, QString* failure,
                    int sampleRate = 44100);
// The same for several kinds at once, with one run of the ffmpeg program (each run costs a few tenths of a
// second); the paths in the order of `kinds`, or an empty list.
QStringList MakeFixtures(const QString& folder, const QList<AudioFixture>& kinds, double seconds,
                         int channels, QString* failure, int sampleRate = 44100);

} // namespace testing_support
