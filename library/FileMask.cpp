#include "library/FileMask.h"

#include <cwctype>
#include <fnmatch.h>

FileMask::FileMask(const QByteArray& mask) : mask_(mask)
{
    // The locale's own folding, as fnmatch uses it; a locale that folds a 7-bit letter out of the
    // 7-bit range leaves every name to fnmatch.
    bool foldsWithin = true;
    for (int c = 0; c < 128; ++c) {
        const wint_t folded = std::towlower(static_cast<wint_t>(c));
        foldsWithin = foldsWithin && folded < 128;
        fold_[c] = static_cast<unsigned char>(folded < 128 ? folded : c);
    }
    bytewise_ = foldsWithin && Compile();
}

// False for what only fnmatch answers: bytes above 7 bits, escapes, ranges, classes, "^" (its
// meaning follows the environment), and an unclosed set.
bool FileMask::Compile()
{
    const auto* p = reinterpret_cast<const unsigned char*>(mask_.constData());
    const auto* end = p + mask_.size();
    while (p < end) {
        const unsigned char c = *p++;
        if (c >= 128 || c == '\\')
            return false;
        if (c == '*') {
            if (tokens_.empty() || tokens_.back().kind != Token::AnyRun)
                tokens_.push_back({Token::AnyRun, 0, {}});
        } else if (c == '?') {
            tokens_.push_back({Token::AnyChar, 0, {}});
        } else if (c == '[') {
            Token token{Token::Set, 0, {}};
            const bool negated = p < end && *p == '!';
            if (negated)
                ++p;
            if (p < end && *p == '^')
                return false;
            bool first = true;
            for (;; first = false) {
                if (p == end)
                    return false;
                const unsigned char member = *p++;
                if (member == ']' && !first)
                    break;
                if (member >= 128 || member == '\\' || member == '-' || member == '[')
                    return false;
                token.set.set(fold_[member]);
            }
            if (negated)
                token.set.flip();
            tokens_.push_back(token);
        } else {
            tokens_.push_back({Token::Char, fold_[c], {}});
        }
    }
    return true;
}

bool FileMask::Matches(const char* name, size_t length) const
{
    if (bytewise_) {
        bool sevenBit = true;
        for (size_t i = 0; i < length && sevenBit; ++i)
            sevenBit = static_cast<unsigned char>(name[i]) < 128;
        if (sevenBit)
            return MatchesBytes(name, length);
    }
    return ::fnmatch(mask_.constData(), name, FNM_CASEFOLD) == 0;
}

bool FileMask::MatchesBytes(const char* name, size_t length) const
{
    // Left to right; on a mismatch the last "*" takes one more character, which is enough for masks
    // made of single-character tokens and runs.
    size_t t = 0;
    size_t n = 0;
    size_t runToken = SIZE_MAX;
    size_t runStart = 0;
    while (n < length) {
        if (t < tokens_.size() && tokens_[t].kind == Token::AnyRun) {
            runToken = ++t;
            runStart = n;
            continue;
        }
        if (t < tokens_.size()) {
            const Token& token = tokens_[t];
            const unsigned char c = fold_[static_cast<unsigned char>(name[n])];
            const bool one = token.kind == Token::AnyChar || (token.kind == Token::Char && token.c == c) ||
                             (token.kind == Token::Set && token.set.test(c));
            if (one) {
                ++t;
                ++n;
                continue;
            }
        }
        if (runToken == SIZE_MAX)
            return false;
        t = runToken;
        n = ++runStart;
    }
    while (t < tokens_.size() && tokens_[t].kind == Token::AnyRun)
        ++t;
    return t == tokens_.size();
}
