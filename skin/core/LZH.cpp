#include "skin/core/LZH.h"

#include <algorithm>
#include <array>
#include <new>

namespace {

constexpr int RingSize = 4096;
constexpr int LookAhead = 60;
constexpr int Threshold = 2;
constexpr int SymbolCount = 256 - Threshold + LookAhead; // 314: the literals and the lengths 3..60
constexpr int TreeSize = 2 * SymbolCount - 1;            // 627
constexpr int Root = TreeSize - 1;
constexpr unsigned FrequencyLimit = 0x8000;

// The position codes by first byte: the upper six bits, and how many bits the whole code takes.
struct PositionTables {
    std::array<uint8_t, 256> upper{};
    std::array<uint8_t, 256> bits{};
};

constexpr PositionTables MakePositionTables()
{
    PositionTables tables;
    // Per code length: how many upper-bit values it covers, and the bytes each value spans.
    constexpr struct {
        int bits, values, span;
    } groups[] = {{3, 1, 32}, {4, 3, 16}, {5, 8, 8}, {6, 12, 4}, {7, 24, 2}, {8, 16, 1}};
    int byte = 0;
    int upper = 0;
    for (const auto& group : groups) {
        for (int v = 0; v < group.values; ++v, ++upper) {
            for (int s = 0; s < group.span; ++s, ++byte) {
                tables.upper[byte] = static_cast<uint8_t>(upper);
                tables.bits[byte] = static_cast<uint8_t>(group.bits);
            }
        }
    }
    return tables;
}

constexpr PositionTables Positions = MakePositionTables();
static_assert(Positions.upper[255] == 63 && Positions.bits[0] == 3 && Positions.bits[0xF0] == 8);

// One decoding run: the tree, the ring and the bit reader.
class Decoder {
public:
    explicit Decoder(std::span<const uint8_t> input) : input_(input) { StartTree(); }

    uint64_t BitsTaken() const { return bitsTaken_; }

    void Run(std::vector<uint8_t>& out, size_t length)
    {
        std::fill(ring_.begin(), ring_.begin() + (RingSize - LookAhead), uint8_t(' '));
        int r = RingSize - LookAhead;
        while (out.size() < length) {
            const int c = DecodeSymbol();
            if (c < 256) {
                out.push_back(static_cast<uint8_t>(c));
                ring_[r] = static_cast<uint8_t>(c);
                r = (r + 1) & (RingSize - 1);
                continue;
            }
            const int from = (r - DecodePosition() - 1) & (RingSize - 1);
            const int count = c - 255 + Threshold;
            // Byte by byte: a copy may read what it has just written. Past length nothing is kept.
            for (int k = 0; k < count && out.size() < length; ++k) {
                const uint8_t byte = ring_[(from + k) & (RingSize - 1)];
                out.push_back(byte);
                ring_[r] = byte;
                r = (r + 1) & (RingSize - 1);
            }
        }
    }

private:
    void StartTree()
    {
        for (int i = 0; i < SymbolCount; ++i) {
            freq_[i] = 1;
            son_[i] = i + TreeSize;
            parent_[i + TreeSize] = i;
        }
        for (int i = 0, j = SymbolCount; j <= Root; i += 2, ++j) {
            freq_[j] = freq_[i] + freq_[i + 1];
            son_[j] = i;
            parent_[i] = parent_[i + 1] = j;
        }
        freq_[TreeSize] = 0xFFFF; // stops the search for a swap partner
        parent_[Root] = 0;
    }

    // Halves the counts (rounding up) and pairs the nodes again, each new node where it keeps the
    // counts sorted.
    void Rebuild()
    {
        int j = 0;
        for (int i = 0; i < TreeSize; ++i) {
            if (son_[i] >= TreeSize) {
                freq_[j] = static_cast<uint16_t>((freq_[i] + 1) / 2);
                son_[j] = son_[i];
                ++j;
            }
        }
        for (int i = 0, node = SymbolCount; node < TreeSize; i += 2, ++node) {
            const unsigned f = freq_[i] + freq_[i + 1];
            int k = node - 1;
            while (f < freq_[k])
                --k;
            ++k;
            std::copy_backward(freq_.begin() + k, freq_.begin() + node, freq_.begin() + node + 1);
            std::copy_backward(son_.begin() + k, son_.begin() + node, son_.begin() + node + 1);
            freq_[k] = static_cast<uint16_t>(f);
            son_[k] = static_cast<uint16_t>(i);
        }
        for (int i = 0; i < TreeSize; ++i) {
            const int k = son_[i];
            parent_[k] = static_cast<uint16_t>(i);
            if (k < TreeSize)
                parent_[k + 1] = static_cast<uint16_t>(i);
        }
    }

    void Update(int symbol)
    {
        if (freq_[Root] == FrequencyLimit)
            Rebuild();
        int c = parent_[symbol + TreeSize];
        do {
            const unsigned k = ++freq_[c];
            int l = c + 1;
            if (k > freq_[l]) {
                while (k > freq_[++l]) {
                }
                --l; // the last node of lower count
                freq_[c] = freq_[l];
                freq_[l] = static_cast<uint16_t>(k);
                const int i = son_[c];
                parent_[i] = static_cast<uint16_t>(l);
                if (i < TreeSize)
                    parent_[i + 1] = static_cast<uint16_t>(l);
                const int j = son_[l];
                son_[l] = static_cast<uint16_t>(i);
                parent_[j] = static_cast<uint16_t>(c);
                if (j < TreeSize)
                    parent_[j + 1] = static_cast<uint16_t>(c);
                son_[c] = static_cast<uint16_t>(j);
                c = l;
            }
            c = parent_[c];
        } while (c != 0);
    }

    void Refill()
    {
        while (bufferedBits_ <= 8) {
            const unsigned byte = next_ < input_.size() ? input_[next_] : 0;
            ++next_;
            buffer_ = static_cast<uint16_t>(buffer_ | (byte << (8 - bufferedBits_)));
            bufferedBits_ += 8;
        }
    }

    int TakeBit()
    {
        Refill();
        const int bit = buffer_ >> 15;
        buffer_ = static_cast<uint16_t>(buffer_ << 1);
        --bufferedBits_;
        ++bitsTaken_;
        return bit;
    }

    int TakeByte()
    {
        Refill();
        const int byte = buffer_ >> 8;
        buffer_ = static_cast<uint16_t>(buffer_ << 8);
        bufferedBits_ -= 8;
        bitsTaken_ += 8;
        return byte;
    }

    int DecodeSymbol()
    {
        int c = son_[Root];
        while (c < TreeSize)
            c = son_[c + TakeBit()];
        c -= TreeSize;
        Update(c);
        return c;
    }

    int DecodePosition()
    {
        int b = TakeByte();
        const int upper = Positions.upper[b] << 6;
        for (int more = Positions.bits[b] - 2; more > 0; --more)
            b = (b << 1) + TakeBit();
        return upper | (b & 0x3F);
    }

    std::span<const uint8_t> input_;
    size_t next_ = 0;
    uint16_t buffer_ = 0;
    int bufferedBits_ = 0;
    uint64_t bitsTaken_ = 0;
    std::array<uint16_t, TreeSize + 1> freq_{};
    std::array<uint16_t, TreeSize + SymbolCount> parent_{};
    std::array<uint16_t, TreeSize> son_{};
    std::array<uint8_t, RingSize> ring_{}; // the last 60 bytes start as zeros, not as leftovers
};

} // namespace

std::vector<uint8_t> TLZH::Decode(std::span<const uint8_t> input, size_t length)
{
    bitsWanted_ = 0;
    inputSize_ = input.size();
    std::vector<uint8_t> out;
    try {
        out.reserve(length);
    } catch (const std::bad_alloc&) {
        throw ElzhException(LzhNoMemoryText);
    } catch (const std::length_error&) {
        throw ElzhException(LzhNoMemoryText);
    }
    if (length == 0)
        return out;
    Decoder decoder(input);
    decoder.Run(out, length);
    bitsWanted_ = decoder.BitsTaken();
    return out;
}
