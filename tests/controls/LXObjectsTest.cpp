#include "controls/LXObjects.h"
#include "controls/LXStrings.h"
#include "controls/LXWndProcComponent.h"

#include <gtest/gtest.h>

#include <vector>

TEST(LXObject, UpdateLockIsAFlagAndChangedNamesTheSender)
{
    TLXObject object;
    std::vector<TLXObject*> senders;
    object.OnChange = [&](TLXObject* sender) { senders.push_back(sender); };
    object.BeginUpdate();
    object.BeginUpdate();
    object.Changed();
    object.EndUpdate(false); // one end undoes two begins
    EXPECT_TRUE(senders.empty());
    EXPECT_FALSE(object.Updating());
    object.EndUpdate(true); // fires even though nothing changed
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], &object);
    TLXObject inner;
    inner.OnChange = [&](TLXObject* sender) { object.SubObjectChanged(sender); };
    inner.Changed();
    EXPECT_EQ(senders.size(), 2u);
    EXPECT_EQ(senders[1], &object);

    TLXObject copy(object); // no handler, no lock taken along
    EXPECT_FALSE(static_cast<bool>(copy.OnChange));
}

TEST(LXObject, ComponentsAnswerTheirClassAndKeepNameAndTag)
{
    QObject owner;
    auto* component = new TLXWndProcComponent(&owner);
    component->SetName("Hook1");
    component->SetTag(99);
    EXPECT_STREQ(component->metaObject()->className(), "TLXWndProcComponent");
    EXPECT_TRUE(component->inherits("TLXCustomComponent"));
    EXPECT_EQ(component->Owner(), &owner);
    EXPECT_EQ(owner.findChild<QObject*>("Hook1"), component);
    EXPECT_EQ(component->property("Tag").toInt(), 99);
    int changes = 0;
    component->OnChange = [&](TLXCustomComponent* sender) {
        EXPECT_EQ(sender, component);
        ++changes;
    };
    component->BeginUpdate();
    component->Changed();
    component->EndUpdate(true);
    EXPECT_EQ(changes, 1);
}

TEST(LXStrings, RoutinesTable)
{
    struct Case {
        const char* routine;
        QString in;
        QString out;
    };
    const Case cases[] = {
        {"AddBackslash", "", "\\"},        {"AddBackslash", "   ", "   \\"},
        {"AddBackslash", "a\\", "a\\"},    {"AddBackslash", "a", "a\\"},
        {"RemoveBackslash", "   ", "   "}, {"RemoveBackslash", "\\", ""},
        {"RemoveBackslash", "a\\", "a"},   {"RemoveBackslash", "a", "a"},
        {"TrimText", " \t a \r\n", "a"},   {"TrimText", "\x01x y\x1f", "x y"},
    };
    for (const Case& c : cases) {
        const QString routine = c.routine;
        const QString result = routine == "AddBackslash"      ? AddBackslash(c.in)
                               : routine == "RemoveBackslash" ? RemoveBackslash(c.in)
                                                              : TrimText(c.in);
        EXPECT_EQ(result, c.out) << c.routine << " of \"" << c.in.toStdString() << "\"";
    }
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_TRUE(IsBlankText("  "));
    EXPECT_FALSE(IsBlankText("\t"));
    EXPECT_EQ(CharString(3, u'x'), "xxx");
    EXPECT_EQ(CharString(0, u'x'), "");
}

TEST(LXStrings, ScramblerRoundTripsEveryByteAndMatchesItsVector)
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(static_cast<char>(i));
    for (uint16_t key : {uint16_t(0), uint16_t(40913), uint16_t(0xFFFF)}) {
        const QByteArray encoded = EncodeText(all, key);
        EXPECT_EQ(encoded.size(), all.size());
        EXPECT_NE(encoded, all) << key;
        EXPECT_EQ(DecodeText(encoded, key), all) << key;
    }
    EXPECT_EQ(EncodeText("Hello", 40913).toHex(' '), "d7 95 82 a5 1e");
    EXPECT_NE(EncodeText("Hello", 0x1200)[0], EncodeText("Hello", 0x3400)[0]);
    const QByteArray text = QStringLiteral("Contraseña").toUtf8();
    EXPECT_EQ(QString::fromUtf8(DecodeText(EncodeText(text, 7), 7)), QStringLiteral("Contraseña"));
}

TEST(LXStrings, CurrentUserNameIsNeverEmpty)
{
    EXPECT_FALSE(CurrentUserName().isEmpty());
}
