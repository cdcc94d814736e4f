#include "controls/LZRW.h"

#include "controls/LXErrors.h"
#include "controls/LXStreams.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <new>

namespace {

constexpr uint8_t CompressedFlag = 0x40;
constexpr uint8_t StoredFlag = 0x80;
constexpr int MinRun = 16;
constexpr int MaxRun = 4095;
constexpr int MinMatch = 3;
constexpr int MaxMatch = 18;
constexpr int MaxDistance = 4095;
constexpr int HashSize = 4096;

int Hash(const uint8_t* p)
{
    const uint32_t mixed = ((((static_cast<uint32_t>(p[0]) << 4) ^ p[1]) << 4) ^ p[2]) * 40543u;
    return static_cast<int>((mixed >> 4) & 0xFFF);
}

} // namespace

QByteArray EncodeLZRWBlock(const char* data, int count)
{
    const auto* in = reinterpret_cast<const uint8_t*>(data);
    // Positions kept as signed 16 bits: one stored at 32768 or above reads negative and is never used.
    std::array<int16_t, HashSize> table;
    table.fill(-1);
    QByteArray block;
    try {
        block.resize(count + 6);
    } catch (const std::bad_alloc&) {
        throw EInvalidPointer(QStringLiteral("LZRW Error!"));
    }
    auto* out = reinterpret_cast<uint8_t*>(block.data());
    out[0] = CompressedFlag;
    int controlAt = 1;
    int at = 3;
    unsigned control = 0;
    int items = 0;
    int pos = 0;
    const auto storeControl = [&](unsigned word) {
        out[controlAt] = static_cast<uint8_t>(word >> 8);
        out[controlAt + 1] = static_cast<uint8_t>(word);
    };
    while (pos < count && at <= count) {
        if (items == 16) {
            storeControl(control);
            controlAt = at;
            at += 2;
            control = 0;
            items = 0;
        }
        ++items;
        int run = 1;
        while (run < MaxRun && pos + run < count && in[pos + run] == in[pos])
            ++run;
        if (run >= MinRun) {
            out[at++] = 0;
            out[at++] = static_cast<uint8_t>((run - MinRun) >> 8);
            out[at++] = static_cast<uint8_t>(run - MinRun);
            out[at++] = in[pos];
            control = (control << 1) | 1;
            pos += run;
            continue;
        }
        // A match needs three bytes: with fewer left, no hash is read past the input.
        if (count - pos >= MinMatch) {
            const int h = Hash(in + pos);
            const int candidate = table[static_cast<size_t>(h)];
            table[static_cast<size_t>(h)] = static_cast<int16_t>(pos);
            if (candidate != -1 && pos - candidate <= MaxDistance) {
                const int from = static_cast<uint16_t>(candidate);
                int length = 0;
                while (length < MaxMatch && pos + length < count && in[from + length] == in[pos + length])
                    ++length;
                if (length >= MinMatch) {
                    const unsigned value =
                        (static_cast<unsigned>(pos - candidate) << 4) | (length - MinMatch);
                    out[at++] = static_cast<uint8_t>(value >> 8);
                    out[at++] = static_cast<uint8_t>(value);
                    control = (control << 1) | 1;
                    pos += length;
                    continue;
                }
            }
        }
        out[at++] = in[pos++];
        control <<= 1;
    }
    storeControl(control << (16 - items));
    if (at > count) {
        block.resize(count + 1);
        block[0] = static_cast<char>(StoredFlag);
        if (count > 0)
            std::copy(data, data + count, block.begin() + 1);
        return block;
    }
    block.resize(at);
    return block;
}

namespace {

// The items of a compressed block into out (room for a whole chunk); answers the bytes made.
int DecodeItems(const uint8_t* in, int length, uint8_t* out)
{
    int made = 0;
    const auto room = [&](int more) {
        if (more > LZRWChunkSize - made)
            throw EReadError();
    };
    int at = 1;
    while (at < length) {
        if (at + 2 > length)
            throw EReadError();
        const unsigned control = (static_cast<unsigned>(in[at]) << 8) | in[at + 1];
        at += 2;
        for (unsigned bit = 0x8000; bit != 0 && at < length; bit >>= 1) {
            if ((control & bit) == 0) {
                room(1);
                out[made++] = in[at++];
                continue;
            }
            if (at + 2 > length)
                throw EReadError();
            const unsigned value = (static_cast<unsigned>(in[at]) << 8) | in[at + 1];
            at += 2;
            const int distance = static_cast<int>(value >> 4);
            if (distance == 0) {
                if (at + 2 > length)
                    throw EReadError();
                const int run = static_cast<int>(((value & 15) << 8) | in[at]) + MinRun;
                room(run);
                std::memset(out + made, in[at + 1], static_cast<size_t>(run));
                made += run;
                at += 2;
                continue;
            }
            const int copy = static_cast<int>(value & 15) + MinMatch;
            if (distance > made)
                throw EReadError();
            room(copy);
            const uint8_t* from = out + made - distance;
            if (distance >= copy) {
                std::memcpy(out + made, from, static_cast<size_t>(copy));
            } else {
                // Byte by byte: the copy overlaps what it writes.
                for (int i = 0; i < copy; ++i)
                    out[made + i] = from[i];
            }
            made += copy;
        }
    }
    return made;
}

} // namespace

void DecodeLZRWBlock(const char* data, int length, QByteArray& output)
{
    const auto* in = reinterpret_cast<const uint8_t*>(data);
    if (length < 1 || (in[0] != StoredFlag && in[0] != CompressedFlag))
        throw EReadError();
    if (in[0] == StoredFlag) {
        if (length - 1 > LZRWChunkSize)
            throw EReadError();
        output.append(data + 1, length - 1);
        return;
    }
    const qsizetype base = output.size();
    output.resize(base + LZRWChunkSize);
    try {
        const int made = DecodeItems(in, length, reinterpret_cast<uint8_t*>(output.data() + base));
        output.resize(base + made);
    } catch (...) {
        output.resize(base);
        throw;
    }
}

void CompressStream(QIODevice& source, QIODevice& target, qint64 count)
{
    if (count < 0 || count > source.bytesAvailable())
        throw EReadError();
    QByteArray blocks;
    qint64 left = count;
    while (left > 0) {
        const int chunk = static_cast<int>(std::min<qint64>(left, LZRWChunkSize));
        const QByteArray bytes = ReadExactly(source, chunk);
        const QByteArray block = EncodeLZRWBlock(bytes.constData(), chunk);
        char size[4];
        qToLittleEndian<int32_t>(static_cast<int32_t>(block.size()), size);
        blocks.append(size, 4);
        blocks.append(block);
        left -= chunk;
    }
    WriteInteger(target, static_cast<int32_t>(blocks.size()));
    WriteExactly(target, blocks);
}

void DecompressStream(QIODevice& source, QIODevice& target)
{
    const int32_t total = ReadInteger(source);
    if (total < 0 || total > source.bytesAvailable())
        throw EReadError();
    QByteArray data;
    int64_t left = total;
    while (left > 0) {
        const int32_t length = ReadInteger(source);
        if (length < 1 || length > LZRWMaxBlock || 4 + int64_t(length) > left)
            throw EReadError();
        const QByteArray block = ReadExactly(source, length);
        DecodeLZRWBlock(block.constData(), length, data);
        left -= 4 + int64_t(length);
    }
    WriteExactly(target, data);
}

int CompressBlock(QIODevice& source, QIODevice& target, int count)
{
    if (count < 0 || count > LZRWChunkSize)
        throw EReadError();
    const QByteArray bytes = ReadExactly(source, count);
    const QByteArray block = EncodeLZRWBlock(bytes.constData(), count);
    WriteExactly(target, block);
    return static_cast<int>(block.size());
}

int DecompressBlock(QIODevice& source, QIODevice& target, int length)
{
    if (length < 1 || length > LZRWMaxBlock)
        throw EReadError();
    const QByteArray block = ReadExactly(source, length);
    QByteArray data;
    DecodeLZRWBlock(block.constData(), length, data);
    WriteExactly(target, data);
    return static_cast<int>(data.size());
}
