#pragma once
// A test-only LZHUF encoder for building skin packages. Its adaptive tree is its own code, kept apart
// from the decoder's, so a mistake in one cannot hide in a round trip through the other.
#include <QByteArray>
#include <QByteArrayView>

namespace skinbuilder {

enum class Matching {
    LiteralsOnly, // every byte a literal: the simplest valid stream
    Greedy        // the longest match of 3 to 60 bytes within the last 4096
};

// The coded bits of data alone, the last byte padded with zero bits.
QByteArray LzhEncode(QByteArrayView data, Matching matching = Matching::Greedy);

// A package file: the 4-byte little-endian length of data, then its coded bits.
QByteArray LzhPackage(QByteArrayView data, Matching matching = Matching::Greedy);

} // namespace skinbuilder
