#pragma once
// Byte-level builders of ID3 tags and MPEG audio streams, so each test shows its edge case exactly.
#include <QByteArray>
#include <QString>
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

bool WriteFile(const QString& path, const QByteArray& bytes);

} // namespace fixtures
