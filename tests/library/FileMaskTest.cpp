#include "library/FileMask.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <fnmatch.h>
#include <string>

namespace {

// Masks the byte matcher takes and masks it leaves to fnmatch (escapes, ranges, classes, "^", an
// unclosed set, bytes above 7 bits), against names of every kind the walk meets.
const char* const Masks[] = {
    "*",     "*.*",    "*.mp3",  "*.MP3",     "*mp3",   "song.mp3",     "?",      "a?c",
    "???",   "**a**",  "*a*b*c", ".*",        "*.",     "[ab]*",        "[!ab]*", "[]]x",
    "[!]]x", "[Aa]bc", "*[.]*",  "[0-9]*",    "[^a]*",  "[[:alpha:]]*", "*\\*",   "a\\?c",
    "[abc",  "[",      "]",      "\xC3\xA9*", "*\xE9*", "*.m?3",        "*3",
};
const char* const Names[] = {
    "song.mp3",
    "SONG.MP3",
    ".hidden.mp3",
    "x.mp3",
    "mp3",
    "a",
    "A",
    "abc",
    "ABC",
    "aXc",
    "]x",
    "b",
    "",
    "dot.",
    ".",
    "..",
    "a*b",
    "a[b",
    "a-b",
    "a?c",
    "file 12.Mp3",
    "1st.wav",
    "na\xC3\xAFve.mp3",
    "caf\xE9.mp3",
    "\xC3\xA9t\xC3\xA9.ogg",
    "x.mp3.txt",
    "[abc",
    "aab",
    "ba",
    "xxaxxbxxc",
};

void ExpectSameAsFnmatch(const char* locale)
{
    SCOPED_TRACE(locale);
    for (const char* mask : Masks) {
        const FileMask fileMask{QByteArray(mask)};
        for (const char* name : Names)
            EXPECT_EQ(fileMask.Matches(name, std::strlen(name)), ::fnmatch(mask, name, FNM_CASEFOLD) == 0)
                << "mask \"" << mask << "\", name \"" << name << "\"";
    }
}

} // namespace

TEST(FileMask, AnswersAsFnmatchWithCaseFoldedInEveryLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"C", "C.UTF-8"})
        if (std::setlocale(LC_ALL, locale) != nullptr)
            ExpectSameAsFnmatch(locale);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(FileMask, WindowsMasksIgnoreCaseAndLeadingDots)
{
    const struct {
        const char* mask;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.mp3", "SONG.MP3", true},
        {"*.mp3", ".hidden.mp3", true},
        {"*.mp3", "x.mp3.txt", false},
        {"*", ".hidden", true},
        {"?", "", false},
        {"*a*b*c", "xxaxxbxxc", true},
        {"[!ab]*", "Bee", false},
        {"s?ng.*", "SONG.MP3", true},
        {"*.mp3", "caf\xE9.MP3", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileMask(c.mask).Matches(c.name, std::strlen(c.name)), c.matches)
            << c.mask << " " << c.name;
}
