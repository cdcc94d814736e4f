#include "platform/IniFile.h"

#include "FileBytes.h"
#include "FileOpens.h"
#include "TempFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

using platform::IniFile;
using platform::IniReadPass;
using platform::IniWriteError;

namespace {

// The file's text with its line ends made LF, so checks do not depend on the style written.
QString TextOf(const QString& path)
{
    return QString::fromUtf8(ReadBytes(path)).replace("\r\n", "\n");
}

// One file with every reading rule in it; its lines end in CR LF, LF and CR by turns.
QByteArray ReadRulesFixture()
{
    const QStringList lines = {
        "orphan=before any section",
        "; a comment before the first section",
        "[Main]",
        "Volume = 40",
        "volume=99",
        "  Language =  English  ",
        "url=http://host/?a=b",
        "empty=",
        "quotedEmpty=\"\"",
        "spaced=\"  padded  \"",
        "single='single'",
        "mixed=\"mixed'",
        "lone=\"",
        "launcher=\"/opt/x/y\" -a",
        "tail=a ; b",
        ";hidden=secret",
        "#hash=1",
        "no equals here",
        "",
        "[ Spaced Section ]",
        "key=spaced",
        "[a]b]",
        "k=bracket",
        "[Música]",
        "Título=Sí",
        "[Numbers]",
        "dec=42",
        "neg=-7",
        "plus=+5",
        "dollar=$1F",
        "hex=0x1f",
        "upper=0X10",
        "bare0x=0x",
        "dollarOnly=$",
        "junk=12a",
        "max=2147483647",
        "over=2147483648",
        "min=-2147483648",
        "under=-2147483649",
        "allOnes=$FFFFFFFF",
        "tooWide=$100000000",
        "negHex=-$10",
        "word=true",
        "fraction=1.5",
        "quoted=\"12\"",
        "blank=",
        "two=2",
        "zero=0",
        "[main]",
        "Volume=12",
        "extra=invisible",
        "[EmptyOne]",
        "; only a comment",
        "not a key either",
    };
    const char* ends[] = {"\r\n", "\n", "\r"};
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.size(); ++i)
        bytes += lines[i].toUtf8() + ends[i % 3];
    return bytes;
}

class IniFileTest : public ::testing::Test {
protected:
    TempFolder temp;
    QString path = temp.File("Sonvelazodu.ini");
};

TEST_F(IniFileTest, ReadStringFollowsProfileRules)
{
    ASSERT_TRUE(WriteBytes(path, ReadRulesFixture()));
    const IniFile ini(path);
    struct Case {
        const char* section;
        const char* key;
        const char* defaultValue;
        const char* expected;
    };
    const Case cases[] = {
        {"Main", "Volume", "d", "40"},            // first of two keys of the same name
        {"MAIN", "VOLUME", "d", "40"},            // names ignore case
        {" main ", " volume ", "d", "40"},        // requested names are trimmed
        {"Main", "language", "d", "English"},     // both sides of "=" trimmed
        {"Main", "url", "d", "http://host/?a=b"}, // split at the first "="
        {"Main", "empty", "d", ""},               // an empty value is not the default
        {"Main", "quotedEmpty", "d", ""},
        {"Main", "spaced", "d", "  padded  "}, // quotes keep blanks
        {"Main", "single", "d", "single"},
        {"Main", "mixed", "d", "\"mixed'"}, // different quote characters stay
        {"Main", "lone", "d", "\""},        // one character is not a quoted text
        {"Main", "launcher", "d", "\"/opt/x/y\" -a"},
        {"Main", "tail", "d", "a ; b"},     // no comments after a value
        {"Main", ";hidden", "d", "secret"}, // a comment is found when spelled with its ";"
        {"Main", "hidden", "d", "d"},
        {"Main", "#hash", "d", "1"},          // "#" is not special
        {"Main", "no equals here", "d", "d"}, // a line without "=" is no key
        {"Main", "extra", "d", "d"},          // the second [main] is never searched
        {"Main", "orphan", "d", "d"},         // nor the lines before the first section
        {"", "orphan", "d", "d"},
        {"Spaced Section", "key", "d", "spaced"},
        {"a]b", "k", "d", "bracket"}, // the name ends at the last "]"
        {"MÚSICA", "TÍTULO", "d", "Sí"},
        {"Main", "missing", "def   ", "def"},    // the default loses its trailing blanks
        {"Missing", "x", "'quoted' ", "quoted"}, // then its quotes
        {"Missing", "x", "  lead", "  lead"},
        {"Missing", "x", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.ReadString(QString::fromUtf8(c.section), QString::fromUtf8(c.key),
                                 QString::fromUtf8(c.defaultValue)),
                  QString::fromUtf8(c.expected))
            << c.section << " / " << c.key;
    }
}

TEST_F(IniFileTest, ReadIntegerAndReadBoolFollowProfileRules)
{
    ASSERT_TRUE(WriteBytes(path, ReadRulesFixture()));
    const IniFile ini(path);
    struct Case {
        const char* key;
        int expected; // with the default 77
    };
    const Case cases[] = {
        {"dec", 42},    {"neg", -7},        {"plus", 5},     {"dollar", 31},   {"hex", 31},  {"upper", 16},
        {"bare0x", 77}, {"dollarOnly", 77}, {"junk", 77},    {"max", INT_MAX}, {"over", 77}, {"min", INT_MIN},
        {"under", 77},  {"allOnes", -1},    {"tooWide", 77}, {"negHex", -16},  {"word", 77}, {"fraction", 77},
        {"quoted", 12}, {"blank", 77},      {"missing", 77},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.ReadInteger("numbers", c.key, 77), c.expected) << c.key;

    EXPECT_TRUE(ini.ReadBool("Numbers", "two", false));
    EXPECT_FALSE(ini.ReadBool("Numbers", "zero", true));
    EXPECT_TRUE(ini.ReadBool("Numbers", "word", true)); // "true" is no number: the default
    EXPECT_FALSE(ini.ReadBool("Numbers", "word", false));
    EXPECT_TRUE(ini.ReadBool("Numbers", "missing", true));
}

TEST_F(IniFileTest, ListingsSkipCommentsAndLaterDuplicates)
{
    ASSERT_TRUE(WriteBytes(path, ReadRulesFixture()));
    const IniFile ini(path);
    EXPECT_TRUE(ini.IsReadable());
    EXPECT_EQ(ini.ReadSections(), QStringList({"Main", "Spaced Section", "a]b", QString::fromUtf8("Música"),
                                               "Numbers", "EmptyOne"}));
    EXPECT_EQ(ini.ReadSection("MAIN"),
              QStringList({"Volume", "volume", "Language", "url", "empty", "quotedEmpty", "spaced", "single",
                           "mixed", "lone", "launcher", "tail", "#hash"}));
    EXPECT_TRUE(ini.SectionExists(" spaced section "));
    EXPECT_FALSE(ini.SectionExists("EmptyOne")); // a comment is not a key
    EXPECT_FALSE(ini.SectionExists("Missing"));
    EXPECT_TRUE(ini.ValueExists("main", "LANGUAGE"));
    EXPECT_FALSE(ini.ValueExists("Main", ";hidden"));
    EXPECT_FALSE(ini.ValueExists("Main", "extra"));
    EXPECT_TRUE(ini.ReadSection("EmptyOne").isEmpty());
}

TEST_F(IniFileTest, MissingFileReadsDefaultsAndFirstWriteCreatesIt)
{
    IniFile ini(path);
    EXPECT_TRUE(ini.IsReadable());
    EXPECT_EQ(ini.ReadString("Main", "x", "d"), "d");
    EXPECT_EQ(ini.ReadInteger("Main", "x", 5), 5);
    EXPECT_TRUE(ini.ReadSections().isEmpty());
    ini.DeleteKey("Main", "x");
    ini.EraseSection("Main");
    EXPECT_FALSE(QFile::exists(path)); // nothing to remove, nothing written

    ini.WriteString("Main", "x", "1");
    EXPECT_EQ(TextOf(path), "[Main]\nx=1\n");
    EXPECT_FALSE(ReadBytes(path).startsWith("\xEF\xBB\xBF"));
}

TEST_F(IniFileTest, WritesKeepEveryUntouchedLine)
{
    ASSERT_TRUE(WriteBytes(path, "; settings of the station\n"
                                 "[Main]\n"
                                 "  Volume = 40   \n"
                                 "Language=English\n"
                                 "; about the next section\n"
                                 "\n"
                                 "[Log]\n"
                                 "level=1\n"));
    IniFile ini(path);
    ini.WriteInteger("MAIN", "volume", 55);   // the line keeps its place and its spelling
    ini.WriteString("main", "skin", "dark");  // a new key ends its section
    ini.WriteString("Clock", "left", "  10"); // a new section ends the file; leading blanks go
    ini.WriteBool("log", "Enabled", true);
    ini.WriteInteger("Log", "offset", -3);
    EXPECT_EQ(TextOf(path), "; settings of the station\n"
                            "[Main]\n"
                            "  Volume = 55\n"
                            "Language=English\n"
                            "skin=dark\n"
                            "; about the next section\n"
                            "\n"
                            "[Log]\n"
                            "level=1\n"
                            "Enabled=1\n"
                            "offset=-3\n"
                            "\n"
                            "[Clock]\n"
                            "left=10\n");
    EXPECT_EQ(ini.ReadInteger("main", "VOLUME", 0), 55);
    EXPECT_EQ(ini.ReadString("Clock", "left", ""), "10");
}

TEST_F(IniFileTest, DuplicatesAreWrittenAndErasedFirstFirst)
{
    ASSERT_TRUE(WriteBytes(path, "[Users]\n"
                                 "; ana's account\n"
                                 "ana=1\n"
                                 "ANA=2\n"
                                 ";note=a\n"
                                 ";NOTE=b\n"
                                 "[users]\n"
                                 "bob=3\n"
                                 "[Other]\n"
                                 "x=1\n"));
    IniFile ini(path);
    ini.WriteString("users", "Ana", "9");
    EXPECT_EQ(ini.ReadString("USERS", "ana", ""), "9");
    ini.WriteString("users", "cy", "4"); // before the comments that end the section
    EXPECT_EQ(ini.ReadString("Users", ";note", ""), "a");
    ini.DeleteKey("Users", ";note");
    EXPECT_EQ(ini.ReadString("Users", ";Note", ""), "b");
    ini.DeleteKey("Users", "ana");
    EXPECT_EQ(ini.ReadString("Users", "ana", ""), "2"); // the next one comes to light
    EXPECT_EQ(ini.ReadString("Users", "cy", ""), "4");
    EXPECT_EQ(ini.ReadString("Users", "bob", "none"), "none");
    ini.EraseSection(" USERS ");
    EXPECT_EQ(ini.ReadString("Users", "bob", "none"), "3");
    EXPECT_EQ(ini.ReadSections(), QStringList({"users", "Other"}));
    EXPECT_EQ(TextOf(path), "[users]\nbob=3\n[Other]\nx=1\n");
}

// A written line reads back as any line of the file does, even when its key was an odd one.
TEST_F(IniFileTest, WrittenLinesReadBackByTheFileRules)
{
    ASSERT_TRUE(WriteBytes(path, "[Main]\nx=1\n; end\n"));
    IniFile ini(path);
    ini.WriteString("Main", "k=v", "w"); // the key "k"
    EXPECT_EQ(ini.ReadString("Main", "k", ""), "v=w");
    EXPECT_EQ(ini.ReadString("Main", "k=v", "none"), "none");
    ini.WriteString("Main", "[Other]", ""); // a header
    EXPECT_EQ(ini.ReadSections(), QStringList({"Main", "Other"}));
    ini.WriteString("Other", "y", "2");
    EXPECT_EQ(ini.ReadSection("Main"), QStringList({"x", "k"}));
    EXPECT_EQ(TextOf(path), "[Main]\nx=1\nk=v=w\n[Other]=\ny=2\n; end\n");
}

TEST_F(IniFileTest, LineBreaksInWrittenTextCannotSplitTheLine)
{
    IniFile ini(path);
    ini.WriteString("Main", "cmd", "a\r\nb\nc");
    ini.WriteString("Main\nTwo", "k\r", "v");
    EXPECT_EQ(ini.ReadString("Main", "cmd", ""), "a  b c");
    EXPECT_EQ(ini.ReadSection("Main"), QStringList({"cmd"}));
    EXPECT_EQ(ini.ReadString("Main Two", "k", ""), "v");
    EXPECT_EQ(TextOf(path), "[Main]\ncmd=a  b c\n\n[Main Two]\nk=v\n");
}

TEST_F(IniFileTest, WriteReplacesTheFileAtomically)
{
    ASSERT_TRUE(WriteBytes(path, "[Main]\nx=1\n"));
    struct stat before {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &before), 0);
    IniFile ini(path);
    ini.WriteString("Main", "x", "2");
    struct stat after {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino); // a new file renamed over the old one, not rewritten in place
    EXPECT_EQ(QDir(temp.Path()).entryList(QDir::Files | QDir::Hidden), QStringList({"Sonvelazodu.ini"}));
    EXPECT_EQ(TextOf(path), "[Main]\nx=2\n");
}

TEST_F(IniFileTest, FailedWritesThrowAndLeaveTheDiskAlone)
{
    IniFile inMissingFolder(temp.File("users/ana/Sonvelazodu.ini"));
    EXPECT_THROW(inMissingFolder.WriteString("Main", "x", "1"), IniWriteError);
    EXPECT_FALSE(QFileInfo::exists(temp.File("users"))); // the folder is not created

    ASSERT_TRUE(WriteBytes(path, "[Main]\nx=1\n"));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    IniFile readOnly(path);
    EXPECT_THROW(readOnly.WriteString("Main", "x", "2"), IniWriteError);
    EXPECT_THROW(readOnly.EraseSection("Main"), IniWriteError);
    EXPECT_EQ(readOnly.ReadString("Main", "x", ""), "1");
    EXPECT_EQ(ReadBytes(path), "[Main]\nx=1\n");

    // A path that exists but cannot be read is never replaced.
    ASSERT_TRUE(QDir(temp.Path()).mkdir("folder.ini"));
    IniFile folder(temp.File("folder.ini"));
    EXPECT_FALSE(folder.IsReadable());
    EXPECT_EQ(folder.ReadString("Main", "x", "d"), "d");
    EXPECT_THROW(folder.WriteString("Main", "x", "1"), IniWriteError);
    EXPECT_TRUE(QFileInfo(temp.File("folder.ini")).isDir());
}

// A settings file read short (a read error part way, or cut while it was read) would be saved back as
// the part that was read. A kernel file stands in for it: it states 4096 bytes and holds a few.
TEST_F(IniFileTest, AFileThatCannotBeReadWholeIsNeverWrittenBack)
{
    const QString shortFile = "/sys/devices/system/cpu/online";
    if (!QFileInfo(shortFile).isReadable())
        GTEST_SKIP() << shortFile.toStdString() << " is not there to stand for a file read short";
    struct Case {
        const char* what;
        bool readFirst;    // the file was read whole before it went bad
        const char* link;  // what the settings file becomes
        const char* value; // what reading x gives then
    };
    const Case cases[] = {
        {"read short from the start", false, "/sys/devices/system/cpu/online", "d"},
        {"read whole, then short", true, "/sys/devices/system/cpu/online", "1"},
        {"a folder", false, "", "d"},
    };
    for (const Case& c : cases) {
        QFile::remove(path);
        ASSERT_TRUE(WriteBytes(path, "[Main]\nx=1\n"));
        IniFile ini(path);
        if (c.readFirst) {
            ASSERT_EQ(ini.ReadString("Main", "x", "d"), "1") << c.what;
        }
        ASSERT_TRUE(QFile::remove(path));
        if (*c.link != '\0')
            ASSERT_TRUE(QFile::link(c.link, path)) << c.what;
        else
            ASSERT_TRUE(QDir().mkdir(path)) << c.what;
        EXPECT_FALSE(ini.IsReadable()) << c.what;
        EXPECT_EQ(ini.ReadString("Main", "x", "d"), c.value) << c.what;
        EXPECT_THROW(ini.WriteString("Main", "y", "2"), IniWriteError) << c.what;
        EXPECT_EQ(QFileInfo(path).isSymLink(), *c.link != '\0') << c.what << ": left as it was";
        QDir().rmdir(path);
    }
}

TEST_F(IniFileTest, OutsideEditsAreSeenAtTheNextCall)
{
    ASSERT_TRUE(WriteBytes(path, "[Main]\nvalue=one\n"));
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("Main", "value", ""), "one");
    ASSERT_TRUE(WriteBytes(path, "[Main]\nvalue=two\n")); // in place, same size, same second
    EXPECT_EQ(ini.ReadString("Main", "value", ""), "two");

    IniFile otherProgram(path);
    otherProgram.WriteString("Main", "added", "yes");
    EXPECT_EQ(ini.ReadString("Main", "added", ""), "yes");

    // A write starts from the file as it is now, not from what was read before.
    ASSERT_TRUE(WriteBytes(path, "[Main]\nvalue=three\n"));
    ini.WriteString("Main", "other", "1");
    EXPECT_EQ(TextOf(path), "[Main]\nvalue=three\nother=1\n");
}

TEST_F(IniFileTest, OldFilesReadAsWindows1252AndAreWrittenBackAsUtf8)
{
    ASSERT_TRUE(WriteBytes(path, "[Main]\r\nname=caf\xE9 \x80\r\n"));
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("Main", "name", ""), QString::fromUtf8("café €"));
    ini.WriteString("Main", "x", "1");
    EXPECT_EQ(ReadBytes(path).replace("\r\n", "\n"), "[Main]\nname=caf\xC3\xA9 \xE2\x82\xAC\nx=1\n");

    const QString bomPath = temp.File("bom.ini");
    ASSERT_TRUE(WriteBytes(bomPath, "\xEF\xBB\xBF[Main]\nk=v\n"));
    IniFile withBom(bomPath);
    EXPECT_EQ(withBom.ReadString("Main", "k", ""), "v");
    withBom.WriteString("Main", "k", "w");
    EXPECT_EQ(ReadBytes(bomPath).replace("\r\n", "\n"), "[Main]\nk=w\n");

    // A mark in front of old 8-bit text is skipped too.
    ASSERT_TRUE(WriteBytes(bomPath, "\xEF\xBB\xBF[Main]\nk=caf\xE9\n"));
    EXPECT_EQ(withBom.ReadString("Main", "k", ""), QString::fromUtf8("café"));
}

} // namespace

TEST_F(IniFileTest, ABatchOfWritesReachesTheDiskInOneReplaceAtItsEnd)
{
    ASSERT_TRUE(WriteBytes(path, "; kept\n[Main]\nx=1\n"));
    IniFile ini(path);
    ini.BeginBatch();
    ini.WriteString("Main", "x", "2");
    ini.WriteInteger("Main", "y", 3);
    ini.WriteString("cue", "device_out", "null");
    EXPECT_EQ(ini.ReadString("Main", "x", ""), "2"); // reads see the batch
    EXPECT_EQ(ReadBytes(path), "; kept\n[Main]\nx=1\n");
    ini.EndBatch();
    EXPECT_EQ(TextOf(path), "; kept\n[Main]\nx=2\ny=3\n\n[cue]\ndevice_out=null\n");
    EXPECT_EQ(IniFile(path).ReadInteger("Main", "y", 0), 3);

    // Batches nest: only the outermost end writes.
    ini.BeginBatch();
    ini.BeginBatch();
    ini.WriteString("Main", "x", "5");
    ini.EndBatch();
    EXPECT_EQ(IniFile(path).ReadString("Main", "x", ""), "2");
    ini.EndBatch();
    EXPECT_EQ(IniFile(path).ReadString("Main", "x", ""), "5");

    // A batch that cannot reach the disk says so at its end, and nothing is created.
    IniFile inMissingFolder(temp.File("users/ana/Sonvelazodu.ini"));
    inMissingFolder.BeginBatch();
    inMissingFolder.WriteString("Main", "x", "1");
    EXPECT_THROW(inMissingFolder.EndBatch(), IniWriteError);
    EXPECT_FALSE(QFileInfo::exists(temp.File("users")));
    EXPECT_EQ(inMissingFolder.ReadString("Main", "x", "none"), "none"); // what did not reach the disk is gone
}

TEST_F(IniFileTest, AFileIsReadOnlyWhenItChanged)
{
    QByteArray text = "[Main]\n";
    for (int i = 0; i < 100; ++i)
        text += "k" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\n";
    ASSERT_TRUE(WriteBytes(path, text));
    MakeOld(path);
    OpenCounter counter(temp.Path(), "Sonvelazodu.ini");
    IniFile ini(path);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(ini.ReadInteger("Main", "k" + QString::number(i), -1), i);
    EXPECT_EQ(ini.ReadSection("Main").size(), 100);
    EXPECT_TRUE(ini.IsReadable());
    EXPECT_EQ(counter.Opens(), 1);

    // Changed in place to the same size, its modification time put back: still seen.
    ASSERT_TRUE(WriteBytes(path, text.replace("k0=0", "k0=7")));
    MakeOld(path);
    counter.Opens();
    EXPECT_EQ(ini.ReadInteger("Main", "k0", -1), 7);
    EXPECT_EQ(counter.Opens(), 1);

    // A whole save: one read, the keys written in memory, one replace at the end.
    ini.BeginBatch();
    for (int i = 0; i < 1000; ++i)
        ini.WriteInteger("Pages", "p" + QString::number(i), i);
    ini.EndBatch();
    EXPECT_EQ(counter.Opens(), 0);
    EXPECT_EQ(IniFile(path).ReadInteger("Pages", "p999", -1), 999);
}

TEST_F(IniFileTest, AReadPassLooksAtTheDiskOnce)
{
    ASSERT_TRUE(WriteBytes(path, "[Main]\nvalue=one\n")); // just written: its times cannot tell a change yet
    OpenCounter counter(temp.Path(), "Sonvelazodu.ini");
    IniFile ini(path);
    {
        const IniReadPass pass(ini);
        for (int i = 0; i < 50; ++i)
            EXPECT_EQ(ini.ReadString("Main", "value", ""), "one");
        EXPECT_EQ(counter.Opens(), 1);
        ASSERT_TRUE(WriteBytes(path, "[Main]\nvalue=two\n"));
        counter.Opens();
        EXPECT_EQ(ini.ReadString("Main", "value", ""), "one"); // as the file was when the pass began
        EXPECT_EQ(counter.Opens(), 0);
    }
    EXPECT_EQ(ini.ReadString("Main", "value", ""), "two");
}

TEST_F(IniFileTest, ManySectionsAreListedOnceEach)
{
    QByteArray text;
    QStringList expected;
    for (int i = 0; i < 100000; ++i) {
        text += "[user" + QByteArray::number(i) + "]\npassword=x\n";
        expected.append("user" + QString::number(i));
    }
    text += "[USER7]\n[User99999]\n";
    ASSERT_TRUE(WriteBytes(path, text));
    EXPECT_EQ(IniFile(path).ReadSections(), expected);
}

TEST_F(IniFileTest, AQuotedWriteReadsBackAsWritten)
{
    // Each value is one the reader would change if written as it is.
    const QStringList values = {
        "plain", "\"quoted\"", "'single'", "\"a\" b \"c\"", "  padded  ", "\"/opt/my app/run\"",
        "\"",    "\"mixed'",   "",         "\"\""};
    IniFile ini(path);
    for (qsizetype i = 0; i < values.size(); ++i)
        ini.WriteString("launchers", QStringLiteral("cmd%1").arg(i), platform::IniQuoted(values[i]));
    const IniFile reread(path);
    for (qsizetype i = 0; i < values.size(); ++i)
        EXPECT_EQ(reread.ReadString("launchers", QStringLiteral("cmd%1").arg(i), "default"), values[i])
            << qPrintable(values[i]);
}
