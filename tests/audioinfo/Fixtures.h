#pragma once
// Byte-level builders of ID3 tags, MPEG audio streams, WAV, Ogg Vorbis and ASF headers, so each test
// shows its edge case exactly; and ffmpeg-made files for what real encoders write.
#include "FileBytes.h"
#include "TempFolder.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace fixtures {

QByteArray BigEndian(uint32_t value, int bytes);
QByteArray SynchSafe(uint32_t value);

// Text frame data: the encoding byte, then the text in that encoding (1: UTF-16LE with its mark).
QByteArray Text(uint8_t encoding, const QString& text);
// One frame: 3+3-byte header in version 2, 4+4+2 in 3 and 4 (synch-safe size in 4 unless `plainSize`).
QByteArray Frame(int version, const char* id, const QByteArray& data, uint8_t flags = 0,
                 bool plainSize = false);
// A tag header with a synch-safe size, the frames, and `padding` zero bytes.
QByteArray Tag(int version, const QByteArray& frames, uint8_t flags = 0, int padding = 0);

// The 128-byte trailer; `comment` holds up to 30 raw bytes.
QByteArray ID3v1Tag(const QByteArray& title, const QByteArray& comment, uint8_t genre);

// A frame header 0xFF h1 h2 h3 followed by zeros up to `length` bytes.
QByteArray MpegFrame(uint8_t h1, uint8_t h2, uint8_t h3, int length);
// `count` copies of that frame.
QByteArray MpegStream(uint8_t h1, uint8_t h2, uint8_t h3, int length, int count);

QByteArray LittleEndian(uint64_t value, int bytes);
// Little-endian 16-bit characters, with a terminating zero character when `terminate`.
QByteArray Utf16(const QString& text, bool terminate = true);

// WAV: a chunk (padded to an even length), a format chunk with block align and byte rate worked
// out from the other fields, the extensible tail naming `subFormat`, and the RIFF wrapper. A
// `riffSize` of -1 states the real size.
QByteArray RiffChunk(const char* id, const QByteArray& body);
QByteArray WavFormat(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                     const QByteArray& extra = {});
QByteArray WavExtensible(uint16_t subFormat, uint16_t validBits);
QByteArray Riff(const QByteArray& chunks, int64_t riffSize = -1);
// A file of `seconds` of 16-bit stereo silence at 44100 Hz, its sample data a hole in the file (no
// disk space is spent on it).
bool WriteSilentWav(const QString& path, double seconds);

// Ogg Vorbis: a page (its lacing worked out from the body), the 30-byte identification packet, a
// comment packet (`count` -1 states the real number of comments) and a whole file: identification
// page, comment page, `audio` filler bytes and a last page with `granule`.
QByteArray OggPage(uint64_t granule, const QByteArray& body);
// A packet over as many pages as it takes (each page but the first marked as continuing it).
QByteArray OggPages(uint64_t granule, const QByteArray& packet);
QByteArray VorbisIdentification(uint8_t channels, uint32_t rate, int32_t nominal);
QByteArray VorbisComments(const QList<QByteArray>& comments, int64_t count = -1);
QByteArray OggVorbisFile(uint8_t channels, uint32_t rate, int32_t nominal, const QList<QByteArray>& comments,
                         uint64_t granule, int audio = 4000);

// ASF: an identifier from its text form, an object, the header object around objects, and the
// objects the WMA reader reads.
QByteArray AsfGuid(const char* text);
QByteArray AsfObject(const char* guid, const QByteArray& body);
QByteArray AsfHeader(const QList<QByteArray>& objects, int64_t count = -1);
QByteArray AsfFileProperties(uint32_t maxBitRate, uint64_t playDuration = 0, uint64_t preroll = 0);
QByteArray AsfStreamProperties(uint16_t channels, uint32_t rate, uint32_t byteRate);
QByteArray AsfContentDescription(const QString& title, const QString& author, const QString& copyright,
                                 const QString& description, const QString& rating);
struct AsfValue {
    QString name;
    uint16_t type; // 0 text, 3 DWORD
    QByteArray value;
};
QByteArray AsfExtendedContent(const QList<AsfValue>& values);

// Files that ffmpeg makes from one lavfi source in a single run (starting ffmpeg is what costs), kept
// for the test process: hold one in a function-local static.
class FfmpegFiles {
public:
    struct Output {
        QString name;
        QStringList options; // output options: codec, channels, rate, metadata
    };
    FfmpegFiles(const QString& source, const QList<Output>& outputs);
    // False when ffmpeg is missing or failed; tests then skip.
    bool Made() const { return made_; }
    QString File(const QString& name) const { return folder_.File(name); }

private:
    TempFolder folder_;
    bool made_ = false;
};

} // namespace fixtures
