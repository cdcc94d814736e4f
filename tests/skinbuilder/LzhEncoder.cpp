#include "LzhEncoder.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <vector>

namespace skinbuilder {

namespace {

constexpr int Leaves = 314; // 256 literals, then the match lengths 3..60
constexpr int Slots = 2 * Leaves - 1;
constexpr int Top = Slots - 1;
constexpr uint32_t RebuildAt = 0x8000;
constexpr int Window = 4096;
constexpr int Blanks = 4036; // the ring's first bytes, blank before anything is coded
constexpr int Longest = 60;

class BitWriter {
public:
    void Put(uint32_t bits, int count) // the low count bits, most significant first
    {
        for (int i = count - 1; i >= 0; --i) {
            if (used_ == 0)
                bytes_.append('\0');
            if ((bits >> i) & 1)
                bytes_.back() = static_cast<char>(bytes_.back() | (0x80 >> used_));
            used_ = (used_ + 1) % 8;
        }
    }
    QByteArray Bytes() const { return bytes_; }

private:
    QByteArray bytes_;
    int used_ = 0;
};

// The adaptive code: slots in ascending weight, siblings side by side at 2k and 2k + 1, so the slot
// number's low bit is the branch taken to reach it.
class AdaptiveCode {
public:
    AdaptiveCode()
    {
        for (int s = 0; s < Leaves; ++s)
            slots_[s] = {1, true, s};
        for (int s = Leaves; s < Slots; ++s) {
            const int first = 2 * (s - Leaves);
            slots_[s] = {slots_[first].weight + slots_[first + 1].weight, false, first};
        }
        Relink();
    }

    void Code(int symbol, BitWriter& out)
    {
        std::vector<int> path;
        for (int s = leafSlot_[symbol]; s != Top; s = above_[s])
            path.push_back(s & 1);
        for (auto bit = path.rbegin(); bit != path.rend(); ++bit)
            out.Put(uint32_t(*bit), 1);
        Count(symbol);
    }

private:
    struct Slot {
        uint32_t weight;
        bool leaf;
        int value; // a leaf's symbol, or an inner node's first child slot
    };

    void Count(int symbol)
    {
        if (slots_[Top].weight == RebuildAt)
            Rebuild();
        int s = leafSlot_[symbol];
        while (true) {
            const uint32_t weight = ++slots_[s].weight;
            int last = s; // the last slot still lighter than s now is
            while (last + 1 < Slots && slots_[last + 1].weight < weight)
                ++last;
            if (last != s) {
                slots_[s].weight = slots_[last].weight;
                slots_[last].weight = weight;
                std::swap(slots_[s].leaf, slots_[last].leaf);
                std::swap(slots_[s].value, slots_[last].value);
                LinkChildren(s);
                LinkChildren(last);
                s = last;
            }
            if (s == Top)
                break;
            s = above_[s];
        }
    }

    void Rebuild()
    {
        std::vector<Slot> list;
        for (const Slot& slot : slots_)
            if (slot.leaf)
                list.push_back({(slot.weight + 1) / 2, true, slot.value});
        for (int first = 0; int(list.size()) < Slots; first += 2) {
            const uint32_t weight = list[first].weight + list[first + 1].weight;
            const auto at = std::upper_bound(list.begin(), list.end(), weight,
                                             [](uint32_t w, const Slot& slot) { return w < slot.weight; });
            list.insert(at, Slot{weight, false, first});
        }
        std::copy(list.begin(), list.end(), slots_.begin());
        Relink();
    }

    void LinkChildren(int s)
    {
        if (slots_[s].leaf) {
            leafSlot_[slots_[s].value] = s;
        } else {
            above_[slots_[s].value] = s;
            above_[slots_[s].value + 1] = s;
        }
    }

    void Relink()
    {
        for (int s = 0; s < Slots; ++s)
            LinkChildren(s);
        above_[Top] = -1;
    }

    std::array<Slot, Slots> slots_{};
    std::array<int, Slots> above_{};
    std::array<int, Leaves> leafSlot_{};
};

// A position p (0..4095): the prefix of its upper six bits (the top bits of the first byte value of
// their range in the decoder's table), then its low six bits.
void PutPosition(int p, BitWriter& out)
{
    const int u = p >> 6;
    struct Range {
        int firstU, lastU, firstByte, step, bits;
    };
    constexpr Range ranges[] = {{0, 0, 0x00, 0, 3},   {1, 3, 0x20, 0x10, 4}, {4, 11, 0x50, 8, 5},
                                {12, 23, 0x90, 4, 6}, {24, 47, 0xC0, 2, 7},  {48, 63, 0xF0, 1, 8}};
    for (const Range& range : ranges) {
        if (u >= range.firstU && u <= range.lastU) {
            const int byte = range.firstByte + range.step * (u - range.firstU);
            out.Put(uint32_t(byte) >> (8 - range.bits), range.bits);
            out.Put(uint32_t(p & 0x3F), 6);
            return;
        }
    }
}

// Earlier places of each three-byte start in the blanks-then-data stream, newest first.
class MatchFinder {
public:
    explicit MatchFinder(const QByteArray& stream) : stream_(stream), previous_(stream.size(), -1) {}

    void Insert(int at)
    {
        if (at + 3 > stream_.size())
            return;
        const uint32_t key = Key(at);
        previous_[at] = heads_[key];
        heads_[key] = at;
    }

    // The longest earlier match for at, as (source, length); length 0 when none reaches 3.
    std::pair<int, int> Longest(int at) const
    {
        const int most = std::min<int>(::skinbuilder::Longest, int(stream_.size()) - at);
        if (most < 3)
            return {0, 0};
        int bestSource = 0;
        int bestLength = 0;
        int tries = 256;
        for (int source = heads_[Key(at)]; source >= 0 && at - source <= Window && tries-- > 0;
             source = previous_[source]) {
            int length = 0;
            while (length < most && stream_[source + length] == stream_[at + length])
                ++length;
            if (length > bestLength) {
                bestSource = source;
                bestLength = length;
                if (length == most)
                    break;
            }
        }
        return {bestSource, bestLength >= 3 ? bestLength : 0};
    }

private:
    uint32_t Key(int at) const
    {
        const auto byte = [&](int i) { return uint32_t(uint8_t(stream_[at + i])); };
        return ((byte(0) << 16) ^ (byte(1) << 8) ^ byte(2)) & 0xFFFF;
    }

    const QByteArray& stream_;
    std::vector<int> previous_;
    std::vector<int> heads_ = std::vector<int>(0x10000, -1);
};

} // namespace

QByteArray LzhEncode(QByteArrayView data, Matching matching)
{
    // The ring as one stream: its blank start, then the data; a match may reach back 4096 places
    // and may overlap what it writes, as the decoder copies byte by byte.
    const QByteArray stream = QByteArray(Blanks, ' ') + data.toByteArray();
    AdaptiveCode code;
    BitWriter out;
    MatchFinder finder(stream);
    if (matching == Matching::Greedy)
        for (int at = 0; at < Blanks; ++at)
            finder.Insert(at);
    int at = Blanks;
    while (at < stream.size()) {
        const auto [source, length] = matching == Matching::Greedy ? finder.Longest(at) : std::pair{0, 0};
        if (length == 0) {
            code.Code(uint8_t(stream[at]), out);
        } else {
            code.Code(length + 253, out);
            PutPosition(at - source - 1, out);
        }
        const int step = length == 0 ? 1 : length;
        if (matching == Matching::Greedy)
            for (int i = 0; i < step; ++i)
                finder.Insert(at + i);
        at += step;
    }
    return out.Bytes();
}

QByteArray LzhPackage(QByteArrayView data, Matching matching)
{
    QByteArray package(4, '\0');
    qToLittleEndian<uint32_t>(uint32_t(data.size()), package.data());
    return package + LzhEncode(data, matching);
}

} // namespace skinbuilder
