#pragma once
// Base 64 with the line breaks the users file was written with, and the password scrambling on it.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

// The key every stored password is scrambled with.
inline constexpr uint16_t PasswordKey = 73;

// "A"-"Z", "a"-"z", "0"-"9", "+", "/", the padding "=" and a terminating zero. Built on the first call
// (the login window makes it at start-up); later calls return the same table.
const std::array<char, 66>& InitBase64Table();

// CR LF before the 18th group and then before every 18 more, so the first line holds 68 symbols and
// later lines 72. No break at the end; an empty input gives "".
QString Base64Encode(const QByteArray& bytes);

// The stored form of a password: its UTF-8 bytes run through the key, then base 64 on one line (an INI
// value cannot hold a break, so passwords of 52 or more bytes would otherwise never match).
QString ScramblePassword(const QString& text, uint16_t key);

// Exact, case-sensitive comparison of the scrambled typed password with the stored form. The user name
// takes no part.
bool CheckPassword(const QString& userName, const QString& typed, const QString& stored);
