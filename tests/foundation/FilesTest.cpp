#include "foundation/Files.h"

#include "FileBytes.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <system_error>

TEST(Files, DriveExists)
{
    TempFolder temp;
    struct Case {
        QString path;
        bool exists;
    };
    const Case cases[] = {
        {"/", true},
        {temp.Path(), true},
        {temp.File("not/yet/made"), true}, // probed at the nearest existing parent
        {"", false},
        {"music/a.mp3", false},
        {"C:\\Music", false},
        {"\\\\server\\share", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DriveExists(c.path), c.exists) << c.path.toStdString();
}

TEST(Files, ListFilesAppendsMatchingFilesSortedWithoutCase)
{
    TempFolder temp;
    for (const char* name : {"B.skn", "a.SKN", ".hidden.skn", "c.txt", "skn"})
        ASSERT_TRUE(WriteBytes(temp.File(name), "x"));
    QDir(temp.Path()).mkdir("folder.skn");

    QStringList list{"kept"};
    EXPECT_EQ(ListFiles(temp.Path(), "*.skn", list), 3);
    EXPECT_EQ(list, QStringList({"kept", ".hidden.skn", "a.SKN", "B.skn"}));

    EXPECT_EQ(ListFiles(temp.File("missing"), "*.skn", list), 0);
    EXPECT_EQ(ListFiles("\\\\server\\skins\\", "*.skn", list), 0);
    EXPECT_EQ(list.size(), 4);
}

TEST(Files, ForceFolderCreatesOnlyWhatIsMissing)
{
    TempFolder temp;
    ASSERT_TRUE(WriteBytes(temp.File("file"), "x"));
    struct Step {
        QString folder;
        bool created;
    };
    const Step steps[] = {
        {temp.File("a/b/c"), true},
        {temp.File("a/b/c"), false}, // exists already
        {temp.File("a/b/c/"), false},
        {temp.File("d/"), true},
        {temp.File("file/sub"), false}, // a file stands in the way
        {"", false},
        {"/", false},
    };
    for (const Step& s : steps)
        EXPECT_EQ(ForceFolder(s.folder), s.created) << s.folder.toStdString();
    EXPECT_TRUE(QDir(temp.File("a/b/c")).exists());
    EXPECT_TRUE(QDir(temp.File("d")).exists());
}

TEST(Files, CopyFileToOverwrites)
{
    TempFolder temp;
    const QString source = temp.File("source.ini");
    const QString target = temp.File("target.ini");
    ASSERT_TRUE(WriteBytes(source, "short"));
    ASSERT_TRUE(WriteBytes(target, "a much longer old content"));

    EXPECT_TRUE(CopyFileTo(source, target));
    EXPECT_EQ(ReadBytes(target), "short");

    EXPECT_TRUE(CopyFileTo(source, temp.File("new.ini")));
    EXPECT_EQ(ReadBytes(temp.File("new.ini")), "short");

    EXPECT_FALSE(CopyFileTo(temp.File("missing"), temp.File("never")));
    EXPECT_FALSE(QFile::exists(temp.File("never")));
    EXPECT_FALSE(CopyFileTo(source, temp.File("no/folder/target")));

    // Onto itself, also through another path: refused, and the content survives.
    EXPECT_FALSE(CopyFileTo(source, temp.Path() + "./source.ini"));
    EXPECT_EQ(ReadBytes(source), "short");
}

TEST(Files, CreateFileIfMissing)
{
    TempFolder temp;
    const QString path = temp.File("log.txt");
    EXPECT_TRUE(CreateFileIfMissing(path));
    EXPECT_TRUE(QFile::exists(path));
    ASSERT_TRUE(WriteBytes(path, "kept"));
    EXPECT_FALSE(CreateFileIfMissing(path));
    EXPECT_EQ(ReadBytes(path), "kept");
    EXPECT_THROW(CreateFileIfMissing(temp.File("missing/log.txt")), std::system_error);
}

TEST(Files, FileSizeByNameIs64Bit)
{
    TempFolder temp;
    ASSERT_TRUE(WriteBytes(temp.File("five"), "12345"));
    EXPECT_EQ(FileSizeByName(temp.File("five")), 5);
    EXPECT_EQ(FileSizeByName(temp.File("missing")), 0);
    EXPECT_EQ(FileSizeByName(temp.Path()), 0);

    // Sparse, so it costs no disk space: exactly 4 GiB must not read as an empty file.
    QFile big(temp.File("big.wav"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    const int64_t fourGiB = int64_t{1} << 32;
    if (!big.resize(fourGiB))
        GTEST_SKIP() << "no sparse files here";
    big.close();
    EXPECT_EQ(FileSizeByName(temp.File("big.wav")), fourGiB);
}

TEST(Files, IsAudioFileLooksForTheExtensionInsideTheKnownList)
{
    struct Case {
        const char* name;
        bool audio;
    };
    const Case cases[] = {
        {"x.Wav", true},   {"x.wma", true},      {"/m/x.mp3", true}, {"x.OGG", true},
        {"x.flac", false}, {"x.mp3.txt", false}, {"x", false},       {"dir.mp3/x", false},
        {"x.MP", true},    {"x.W", true},        {"x.", true}, // substrings of ".MP3.WAV.OGG.WMA"
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAudioFile(c.name), c.audio) << c.name;
}
