#include "audioinfo/FolderListing.h"

#include "Fixtures.h"
#include "NonRegularFiles.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
QByteArray Wav()
{
    return fixtures::Riff(fixtures::WavFormat(1, 2, 44100, 16) +
                          fixtures::RiffChunk("data", QByteArray(1764, '\0')));
}

QStringList Names(const FolderFileList& list)
{
    QStringList names;
    for (const FolderFile& file : list) {
        names << file.Name;
        EXPECT_EQ(file.Data->Name, file.Name);
        EXPECT_EQ(file.Data->Status, FileStatusOk);
    }
    return names;
}
} // namespace

TEST(FolderListing, ListsTheAudioFilesThatRead)
{
    TempFolder folder;
    ASSERT_TRUE(QDir(folder.Path()).mkdir("sub"));
    ASSERT_TRUE(QDir(folder.Path()).mkdir("folder.wav"));
    for (const char* name : {"good.wav", ".hidden.wav", "sub/in.wav", "B.WAV", "a.Wav", "x.txt", "wav"})
        ASSERT_TRUE(WriteBytes(folder.File(name), Wav()));
    ASSERT_TRUE(WriteBytes(folder.File("bad.mp3"), QByteArray(3000, '\x11')));
    ASSERT_TRUE(QFile::link(folder.File("good.wav"), folder.File("link.wav")));
    ASSERT_TRUE(QFile::link(folder.File("nowhere.wav"), folder.File("broken.wav")));
    ASSERT_TRUE(QFile::link(folder.File("sub"), folder.File("sublink.wav")));

    // A FIFO, a socket and a device named like audio files are counted and refused, never waited on.
    const std::vector<NonRegularFile> special = MakeNonRegularFiles(folder.Path(), " special.wav");
    ASSERT_EQ(special.size(), 4u);

    FolderFileList list;
    list.push_back({"stale", nullptr});
    FifoWatch watch(special);
    // Counted: the six audio-named files and links to files; bad.mp3 and the broken link do not read.
    EXPECT_EQ(LoadFolderFiles(folder.Path(), list), 7 + 3);
    EXPECT_FALSE(watch.Released());
    EXPECT_EQ(Names(list), QStringList({".hidden.wav", "a.Wav", "B.WAV", "good.wav", "link.wav"}));
    EXPECT_EQ(list[3].Data->FileName, folder.File("good.wav"));
}

TEST(FolderListing, NothingForAFolderThatIsNotThere)
{
    TempFolder folder;
    FolderFileList list;
    list.push_back({"stale", nullptr});
    EXPECT_EQ(LoadFolderFiles(folder.File("missing/"), list), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(LoadFolderFiles("relative/folder", list), 0);
}
