#pragma once
// Texts of ID3v2 frames. The first byte of a frame's data names its text encoding: 0 Windows-1252
// (the system's 8-bit text), 1 UTF-16 with a byte-order mark, 2 UTF-16 big-endian, 3 UTF-8.
#include <QByteArray>
#include <QString>

namespace id3v2 {

// Encodings 0 to 3; frames with any other first byte are not read.
bool IsKnownEncoding(uint8_t encoding);

// A text frame: the text up to its terminator, without leading or trailing characters of value 32
// or below.
QString FrameText(const QByteArray& data);
// A comment frame: encoding, 3-byte language, description, text.
QString CommentText(const QByteArray& data);
// A user link frame: encoding, description, then the link, which is always 8-bit.
QString LinkText(const QByteArray& data);

} // namespace id3v2
