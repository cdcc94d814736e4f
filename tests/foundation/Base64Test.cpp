#include "foundation/Base64.h"

#include "TempFolder.h"
#include "platform/IniFile.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

TEST(Base64, AlphabetEndsWithPaddingAndZero)
{
    const std::array<char, 66>& table = InitBase64Table();
    EXPECT_EQ(QByteArray(table.data()), "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=");
    EXPECT_EQ(&table, &InitBase64Table());
}

TEST(Base64, ShortInputsAndPadding)
{
    EXPECT_EQ(Base64Encode("abc"), "YWJj");
    EXPECT_EQ(Base64Encode("ab"), "YWI=");
    EXPECT_EQ(Base64Encode("a"), "YQ==");
    EXPECT_EQ(Base64Encode(QByteArray("\xff\xfe\x00", 3)), "//4A");
    EXPECT_EQ(Base64Encode(""), "");
}

TEST(Base64, BreaksAfterSeventeenGroupsThenEveryEighteen)
{
    struct Case {
        int bytes;
        QList<int> lineLengths;
    };
    const Case cases[] = {
        {51, {68}},         {52, {68, 4}},          {105, {68, 72}},
        {106, {68, 72, 4}}, {160, {68, 72, 72, 4}}, // 54 groups: 17 + 18 + 18 + 1
    };
    for (const Case& c : cases) {
        QByteArray input(c.bytes, '\0');
        for (int i = 0; i < c.bytes; ++i)
            input[i] = static_cast<char>(i * 37 + 11);
        const QString text = Base64Encode(input);
        EXPECT_FALSE(text.endsWith("\r\n")) << c.bytes;
        const QStringList lines = text.split("\r\n");
        QList<int> lengths;
        for (const QString& line : lines)
            lengths.append(static_cast<int>(line.size()));
        EXPECT_EQ(lengths, c.lineLengths) << c.bytes;
        EXPECT_EQ(QByteArray::fromBase64(lines.join("").toLatin1()), input) << c.bytes;
    }
}

TEST(Password, ScrambleVectors)
{
    struct Case {
        const char* password;
        const char* stored;
    };
    const Case cases[] = {
        {"a", "YQ=="}, // the key's high byte is 0, so the first byte passes unchanged
        {"abc", "YYjG"},
        {"secret", "c9B5YS5u"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScramblePassword(c.password, PasswordKey), c.stored) << c.password;
}

TEST(Password, CheckComparesExactlyAndIgnoresTheUser)
{
    struct Case {
        const char* user;
        const char* typed;
        const char* stored;
        bool accepted;
    };
    const Case cases[] = {
        {"admin", "secret", "c9B5YS5u", true},  {"someone else", "secret", "c9B5YS5u", true},
        {"admin", "Secret", "c9B5YS5u", false}, {"admin", "secret", "C9B5YS5U", false},
        {"admin", "secre", "c9B5YS5u", false},  {"admin", "", "", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckPassword(c.user, c.typed, c.stored), c.accepted) << c.user << " " << c.typed;
}

TEST(Password, LongPasswordsStayOnOneLine)
{
    // 51 bytes fit the first base-64 line, so shorter passwords scramble exactly as before.
    const QString shortPassword(51, QLatin1Char('p'));
    const QString longPassword(60, QLatin1Char('p'));
    EXPECT_FALSE(ScramblePassword(shortPassword, PasswordKey).contains(QLatin1Char('\n')));
    EXPECT_EQ(ScramblePassword(shortPassword, PasswordKey),
              ScramblePassword(longPassword, PasswordKey).left(68));

    const QString stored = ScramblePassword(longPassword, PasswordKey);
    EXPECT_EQ(stored.size(), 80);
    EXPECT_FALSE(stored.contains(QLatin1Char('\r')) || stored.contains(QLatin1Char('\n')));
    EXPECT_TRUE(CheckPassword("user", longPassword, stored));
}

TEST(Password, SixtyCharacterPasswordRoundTripsThroughTheUsersFile)
{
    TempFolder temp;
    const QString password = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWX");
    ASSERT_EQ(password.size(), 60);
    {
        platform::IniFile users(temp.File("users.dat"));
        users.WriteString("operator", "password", ScramblePassword(password, PasswordKey));
    }
    const platform::IniFile users(temp.File("users.dat"));
    const QString stored = users.ReadString("operator", "password", "");
    EXPECT_TRUE(CheckPassword("operator", password, stored));
    EXPECT_FALSE(CheckPassword("operator", password.left(59), stored));
}
