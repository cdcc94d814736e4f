#include "foundation/Base64.h"

#include <algorithm>

const std::array<char, 66>& InitBase64Table()
{
    static const std::array<char, 66> table = [] {
        std::array<char, 66> t{};
        size_t i = 0;
        for (char c = 'A'; c <= 'Z'; ++c)
            t[i++] = c;
        for (char c = 'a'; c <= 'z'; ++c)
            t[i++] = c;
        for (char c = '0'; c <= '9'; ++c)
            t[i++] = c;
        t[i++] = '+';
        t[i++] = '/';
        t[i] = '=';
        return t;
    }();
    return table;
}

QString Base64Encode(const QByteArray& bytes)
{
    const std::array<char, 66>& table = InitBase64Table();
    const char pad = table[64];
    QByteArray out;
    out.reserve(bytes.size() / 3 * 4 + bytes.size() / 27 + 8);
    int groups = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 3) {
        if (++groups == 18) {
            out += "\r\n";
            groups = 0;
        }
        const qsizetype count = std::min<qsizetype>(3, bytes.size() - i);
        uint32_t value = 0;
        for (qsizetype k = 0; k < 3; ++k)
            value = value << 8 | (k < count ? static_cast<uint8_t>(bytes[i + k]) : 0u);
        out += table[value >> 18 & 63];
        out += table[value >> 12 & 63];
        out += count > 1 ? table[value >> 6 & 63] : pad;
        out += count > 2 ? table[value & 63] : pad;
    }
    return QString::fromLatin1(out);
}

QString ScramblePassword(const QString& text, uint16_t key)
{
    QByteArray scrambled = text.toUtf8();
    for (char& c : scrambled) {
        const uint8_t out = static_cast<uint8_t>(c) ^ static_cast<uint8_t>(key >> 8);
        c = static_cast<char>(out);
        key = static_cast<uint16_t>((uint32_t{out} + key) * 53859u + 13478u);
    }
    QString encoded = Base64Encode(scrambled);
    encoded.remove(QLatin1String("\r\n"));
    return encoded;
}

bool CheckPassword(const QString& /*userName*/, const QString& typed, const QString& stored)
{
    return ScramblePassword(typed, PasswordKey) == stored;
}
