#include "controls/LXStrings.h"

#include "platform/Text.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

bool IsBlankText(const QString& text)
{
    for (QChar ch : text)
        if (ch != u' ')
            return false;
    return true;
}

QString CharString(int count, QChar ch)
{
    return count > 0 ? QString(count, ch) : QString();
}

QString TrimText(const QString& text)
{
    return platform::TrimBlanks(text).toString();
}

QString AddBackslash(const QString& text)
{
    if (!IsBlankText(text) && text.endsWith(u'\\'))
        return text;
    return text + u'\\';
}

QString RemoveBackslash(const QString& text)
{
    if (!IsBlankText(text) && text.endsWith(u'\\'))
        return text.left(text.size() - 1);
    return text;
}

namespace {

// The next key is made from the scrambled byte: the output when encoding, the input when decoding.
QByteArray Scramble(const QByteArray& bytes, uint16_t key, bool encoding)
{
    QByteArray result(bytes.size(), '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto in = static_cast<uint8_t>(bytes[i]);
        const auto out = static_cast<uint8_t>(in ^ (key >> 8));
        result[i] = static_cast<char>(out);
        const uint8_t scrambled = encoding ? out : in;
        key = static_cast<uint16_t>((key + scrambled) * 52845u + 22719u);
    }
    return result;
}

} // namespace

QByteArray EncodeText(const QByteArray& bytes, uint16_t key)
{
    return Scramble(bytes, key, true);
}

QByteArray DecodeText(const QByteArray& bytes, uint16_t key)
{
    return Scramble(bytes, key, false);
}

QString CurrentUserName()
{
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<size_t>(size > 0 ? size : 16384));
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name &&
        *found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? QStringLiteral("(Unknown)") : user;
}
