#pragma once
// The LZHUF decoder of skin packages: LZSS over a 4096-byte ring whose literals and match lengths are
// coded with an adaptive Huffman tree and whose positions with fixed code tables.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

// The decoder's own failures, with their fixed texts.
class ElzhException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* LzhNoMemoryText = "LZH : Cannot get memory for dictionary tables";
inline constexpr const char* LzhFreeErrorText = "LZH : Error freeing memory for dictionary tables";

class TLZH {
public:
    // Exactly length bytes decoded from input. Input that ends early reads as zero bits, as the
    // format has it; ShortInput() tells afterwards whether that happened.
    std::vector<uint8_t> Decode(std::span<const uint8_t> input, size_t length);

    // True when the last Decode needed bits beyond its input (a truncated or lying stream).
    bool ShortInput() const { return bitsWanted_ > 8 * inputSize_; }

    // The most an honest stream of codedSize bytes can decode to: a match of at most 60 bytes costs
    // at least 10 bits, so a coded byte never yields more than 48. Larger declared lengths are damage.
    static size_t MaxDecodedLength(size_t codedSize) { return 64 * codedSize + 64; }

private:
    uint64_t bitsWanted_ = 0;
    size_t inputSize_ = 0;
};
