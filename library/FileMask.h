#pragma once
// A file mask matched the way the search matches names: fnmatch with case folded and no special
// leading dot. A mask of plain characters, "*", "?" and plain sets is matched against a 7-bit name
// byte by byte, with the same answers as fnmatch at a fraction of its cost; anything else asks fnmatch.
#include <QByteArray>

#include <bitset>
#include <cstddef>
#include <vector>

class FileMask {
public:
    explicit FileMask(const QByteArray& mask);

    // The name is NUL-terminated, `length` bytes before the NUL.
    bool Matches(const char* name, size_t length) const;

private:
    struct Token {
        enum Kind : unsigned char { Char, AnyChar, AnyRun, Set } kind;
        unsigned char c;      // Char: folded
        std::bitset<128> set; // Set: the folded characters it accepts
    };
    bool Compile();
    bool MatchesBytes(const char* name, size_t length) const;

    QByteArray mask_;
    std::vector<Token> tokens_;
    unsigned char fold_[128];
    bool bytewise_ = false;
};
