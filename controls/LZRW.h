#pragma once
// The library's block compression, a small LZ77 of the LZRW family, and its container:
//   container: 32-bit little-endian total (the sum of 4 + length over the blocks), then per block
//              a 32-bit little-endian length and the block;
//   block:     0x80 and the bytes as they are, or 0x40 and items under 16-bit big-endian control
//              words (first item in the top bit; the last word shifted up). Bit 0: a literal byte.
//              Bit 1: a big-endian value V, D = V >> 4: when D > 0 copy (V & 15) + 3 bytes from D
//              back; when D = 0 a run of ((V & 15) << 8 | next byte) + 16 copies of the byte after.
// Sources are cut into chunks of 32781 bytes, one block each.
#include <QByteArray>
#include <QIODevice>

inline constexpr int LZRWChunkSize = 32781;
inline constexpr int LZRWMaxBlock = 65535;

// One block of the bytes (at most a chunk): compressed, or stored when compressing made it longer.
QByteArray EncodeLZRWBlock(const char* data, int count);
// The bytes of one block, appended to output; EReadError when the block does not decode within
// itself, copies from before its start, or grows past a chunk.
void DecodeLZRWBlock(const char* block, int length, QByteArray& output);

// Count bytes of source from its position as one container; EReadError when the source holds fewer.
void CompressStream(QIODevice& source, QIODevice& target, qint64 count);
// One container from source, appended to target only when all of it is sound (else EReadError).
void DecompressStream(QIODevice& source, QIODevice& target);
// One block of count bytes of source written to target; answers the block's length.
int CompressBlock(QIODevice& source, QIODevice& target, int count);
// One block of length bytes of source, its data written to target; answers the data's length.
int DecompressBlock(QIODevice& source, QIODevice& target, int length);
