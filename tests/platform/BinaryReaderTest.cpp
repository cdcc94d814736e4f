#include "platform/BinaryReader.h"

#include "NonRegularFiles.h"
#include "TempFolder.h"

#include <QFile>
#include <cstring>
#include <gtest/gtest.h>

using platform::BinaryReader;

namespace {
const QByteArray kBytes("\x01\x02\x03\x04\x05\x06\x07\x08\x7F\x7F\x7F\x7F", 12);
}

TEST(BinaryReader, IntegersInEveryByteOrder)
{
    BinaryReader in(kBytes);
    EXPECT_EQ(in.ReadU8(), 0x01);
    EXPECT_EQ(in.ReadU16LE(), 0x0302);
    EXPECT_EQ(in.ReadU16BE(), 0x0405);
    EXPECT_EQ(in.ReadU24BE(), 0x060708u);
    EXPECT_EQ(in.ReadSynchSafe32(), 0x0FFFFFFFu);
    EXPECT_EQ(in.Tell(), 12);
    EXPECT_TRUE(in.AtEnd());

    in.Seek(0);
    EXPECT_EQ(in.ReadU32LE(), 0x04030201u);
    EXPECT_EQ(in.ReadU32BE(), 0x05060708u);
    in.Seek(0);
    EXPECT_EQ(in.ReadU64LE(), 0x0807060504030201ull);
    EXPECT_EQ(in.LastReadCount(), 8);

    // The top bit of each byte is not part of a synch-safe number.
    EXPECT_EQ(BinaryReader::SynchSafeValue(0x00000148), 200u);
    EXPECT_EQ(BinaryReader::SynchSafeValue(0xFFFFFFFF), 0x0FFFFFFFu);
}

TEST(BinaryReader, ReadsPastTheEndGiveZerosAndCountWhatWasThere)
{
    BinaryReader in(kBytes);
    in.Seek(10);
    EXPECT_EQ(in.ReadU32BE(), 0x7F7F0000u);
    EXPECT_EQ(in.LastReadCount(), 2);
    EXPECT_EQ(in.Tell(), 14); // moves on by what was asked, so loops always advance
    EXPECT_EQ(in.ReadU16LE(), 0);
    EXPECT_EQ(in.LastReadCount(), 0);

    char buffer[6];
    std::memset(buffer, 'x', sizeof buffer);
    in.Seek(9);
    EXPECT_EQ(in.Read(buffer, 6), 3);
    EXPECT_EQ(QByteArray(buffer, 6), QByteArray("\x7F\x7F\x7F\0\0\0", 6));

    // A damaged length asks for far more than the data holds: only what is there comes back.
    in.Seek(8);
    EXPECT_EQ(in.ReadBytes(int64_t(1) << 40), QByteArray(4, '\x7F'));
    EXPECT_EQ(in.Tell(), 8 + (int64_t(1) << 40));
    EXPECT_TRUE(in.ReadBytes(-5).isEmpty());
    // An empty read may come with no buffer at all (an empty vector's data()), inside or past the end.
    for (const int64_t at : {int64_t(2), int64_t(100)}) {
        in.Seek(at);
        EXPECT_EQ(in.Read(nullptr, 0), 0);
    }

    in.Seek(-3);
    EXPECT_EQ(in.Tell(), 0);
    in.Seek(INT64_MAX - 1);
    in.Skip(100);
    EXPECT_EQ(in.Tell(), INT64_MAX);
    EXPECT_EQ(in.ReadU8(), 0);
    EXPECT_FALSE(in.HasError());
}

TEST(BinaryReader, FilesMissingOrNotRegularAreRefusedAtOnceWithTheReason)
{
    TempFolder folder;
    std::vector<NonRegularFile> files = MakeNonRegularFiles(folder.Path(), ".mp3");
    ASSERT_EQ(files.size(), 4u);
    files.push_back({"No such file or directory", folder.File("missing.mp3")});
    for (const NonRegularFile& file : files) {
        SCOPED_TRACE(file.kind);
        FifoWatch watch(files);
        BinaryReader in(file.path);
        EXPECT_FALSE(watch.Released());
        EXPECT_FALSE(in.IsOpen());
        EXPECT_TRUE(in.OpenFailure().startsWith(file.kind)) << in.OpenFailure().toStdString();
        EXPECT_EQ(in.Size(), 0);
        EXPECT_EQ(in.ReadU32LE(), 0u);
        EXPECT_EQ(in.LastReadCount(), 0);
    }
}

TEST(BinaryReader, FileReadsUse64BitPositions)
{
    TempFolder folder;
    const QString path = folder.File("large.bin");
    const int64_t far = (int64_t(1) << 32) + 10; // beyond any 32-bit offset
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kBytes);
        // A sparse file: the filesystem stores only the two written stretches.
        if (!file.seek(far) || file.write("\xAB\xCD", 2) != 2)
            GTEST_SKIP() << "no sparse files here";
    }
    BinaryReader in(path);
    ASSERT_TRUE(in.IsOpen());
    EXPECT_EQ(in.Size(), far + 2);
    EXPECT_EQ(in.ReadU32BE(), 0x01020304u);
    in.Seek(far - 1);
    EXPECT_EQ(in.ReadU32BE(), 0x00ABCD00u);
    EXPECT_EQ(in.LastReadCount(), 3);
    EXPECT_EQ(in.ReadBytes(10), QByteArray());
    EXPECT_FALSE(in.HasError());
}

TEST(BinaryReader, FileReadsGiveTheFileWhereverTheyFallAgainstItsReadWindow)
{
    TempFolder folder;
    QByteArray content(20011, Qt::Uninitialized);
    for (qsizetype i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    QFile file(folder.File("data.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    BinaryReader in(folder.File("data.bin"));
    ASSERT_TRUE(in.IsOpen());
    struct Case {
        int64_t pos;
        int64_t count;
    };
    // Small and large reads, forwards and backwards, across window edges and past the end; back and
    // forth between the start and the end, as the MP3 reader goes; a whole window's worth off its
    // alignment, and one ending just before the end.
    for (const Case c : {Case{0, 4}, Case{4094, 4}, Case{8190, 5}, Case{4097, 4096}, Case{4000, 4097},
                         Case{19990, 251}, Case{19739, 251}, Case{12000, 1}, Case{3, 9000}, Case{20011, 3},
                         Case{0, 10}, Case{19883, 128}, Case{400, 3458}, Case{16425, 3458}, Case{2000, 3458},
                         Case{1000, 4096}, Case{15909, 4096}, Case{20000, 11}}) {
        in.Seek(c.pos);
        QByteArray got(qsizetype(c.count), '\x55');
        const int64_t there = in.Read(got.data(), c.count);
        const QByteArray expected = content.mid(qsizetype(c.pos), qsizetype(c.count));
        EXPECT_EQ(there, expected.size()) << c.pos << "+" << c.count;
        EXPECT_EQ(got.left(expected.size()), expected) << c.pos << "+" << c.count;
        EXPECT_EQ(got.mid(expected.size()), QByteArray(got.size() - expected.size(), '\0')) << c.pos;
    }
}
