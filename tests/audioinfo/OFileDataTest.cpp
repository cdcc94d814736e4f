#include "audioinfo/OFileData.h"

#include "Fixtures.h"
#include "NonRegularFiles.h"
#include "TempFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using fixtures::LittleEndian;

namespace {
// 100 frames of MPEG 1 Layer III at 128 kbit/s: 2.6 seconds.
const QByteArray kMp3 = fixtures::MpegStream(0xFB, 0x90, 0x00, 417, 100);

QByteArray Wma(const QList<QByteArray>& objects)
{
    const QByteArray header =
        fixtures::AsfHeader(QList<QByteArray>{fixtures::AsfFileProperties(128000),
                                              fixtures::AsfStreamProperties(2, 44100, 16000)} +
                            objects);
    return header + QByteArray(80000 - header.size(), '\x5A'); // 5 s at 128000 bit/s
}

class OFileDataTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder_.File(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }

    TempFolder folder_;
};
} // namespace

TEST_F(OFileDataTest, StatusAndType)
{
    struct Case {
        QString name;
        QByteArray bytes; // a null array: no such file, or a special file made beforehand
        int32_t status;
        QString before; // the error text before the quoted path
        QString after;  // and after it
        uint8_t type;
    };
    const QString noSuchFile = ": No such file or directory";
    std::vector<Case> cases = {
        {"song.Mp3", kMp3, FileStatusOk, "", "", FileTypeMP3},
        {"song.mp3x", kMp3, FileStatusNotSupported, "Extension not supported: ", "", FileTypeNone},
        {"song.flac", "fLaC", FileStatusNotSupported, "Extension not supported: ", "", FileTypeNone},
        {"missing.flac", {}, FileStatusEmpty, "Cannot read ", noSuchFile, FileTypeNone}, // comes first
        {"missing.mp3", {}, FileStatusEmpty, "Cannot read ", noSuchFile, FileTypeMP3},
        {"empty.wav", "", FileStatusEmpty, "File empty: ", "", FileTypeWAV},
        {"garbage.mp3", QByteArray(5000, '\x11'), FileStatusFormatError, "Format error: ", "", FileTypeMP3},
        {"garbage.WAV", QByteArray(5000, '\x11'), FileStatusFormatError, "Format error: ", "", FileTypeWAV},
        {"garbage.ogg", QByteArray(5000, '\x11'), FileStatusFormatError, "Format error: ", "", FileTypeOgg},
        {"garbage.wma", QByteArray(5000, '\x11'), FileStatusFormatError, "Format error: ", "", FileTypeWMA},
    };
    // Named like audio files, refused at once with what they are.
    const std::vector<NonRegularFile> special = MakeNonRegularFiles(folder_.Path(), ".mp3");
    ASSERT_EQ(special.size(), 4u);
    for (const NonRegularFile& file : special)
        cases.push_back({file.path.mid(folder_.Path().size()),
                         {},
                         FileStatusEmpty,
                         "Cannot read ",
                         QString(": ") + file.kind + ", not a regular file",
                         FileTypeMP3});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString path = folder_.File(c.name);
        if (!c.bytes.isNull())
            Write(c.name, c.bytes);
        FifoWatch watch(special);
        const auto data = TOFileData::Create(path, true);
        EXPECT_FALSE(watch.Released());
        EXPECT_EQ(data->FileType, c.type);
        EXPECT_EQ(data->Status, c.status);
        const QString expected =
            c.status == FileStatusOk ? QString() : c.before + ('"' + path + '"') + c.after;
        QString text;
        EXPECT_EQ(data->GetStatus(text), c.status);
        EXPECT_EQ(text, expected);
        EXPECT_EQ(data->Keep, 1);
    }
}

TEST_F(OFileDataTest, FileThatVanishedReadsAsEmpty)
{
    const QString path = Write("gone.mp3", kMp3);
    const auto data = TOFileData::Create(path, false);
    EXPECT_EQ(data->Size, kMp3.size());
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(data->ReadTags());
    EXPECT_EQ(data->Status, FileStatusEmpty);
    EXPECT_EQ(data->ErrorText, "Cannot read \"" + path + "\": No such file or directory");
    EXPECT_EQ(data->Size, kMp3.size());
}

// Every reader, the Ogg one too, turns a file it cannot open into a format error.
namespace {

// While it lives the process has no file descriptor left to open anything with, whoever runs it: root
// reads files whatever their permissions, but not past this limit.
class NoFreeDescriptors {
public:
    NoFreeDescriptors()
    {
        ::getrlimit(RLIMIT_NOFILE, &saved_);
        const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        ::close(lowestFree);
        rlimit none = saved_;
        none.rlim_cur = static_cast<rlim_t>(lowestFree);
        ::setrlimit(RLIMIT_NOFILE, &none);
    }
    ~NoFreeDescriptors() { ::setrlimit(RLIMIT_NOFILE, &saved_); }
    NoFreeDescriptors(const NoFreeDescriptors&) = delete;
    NoFreeDescriptors& operator=(const NoFreeDescriptors&) = delete;

private:
    rlimit saved_{};
};

} // namespace

TEST_F(OFileDataTest, UnreadableFileIsAFormatError)
{
    for (const char* name : {"locked.mp3", "locked.wav", "locked.ogg", "locked.wma"}) {
        SCOPED_TRACE(name);
        const QString path = Write(name, QByteArray(100, '\x11'));
        std::unique_ptr<TOFileData> data;
        {
            const NoFreeDescriptors noFile;
            ASSERT_LT(::open("/dev/null", O_RDONLY | O_CLOEXEC), 0);
            data = TOFileData::Create(path, true);
        }
        EXPECT_EQ(data->Status, FileStatusFormatError);
        EXPECT_EQ(data->ErrorText, "Format error: \"" + path + '"');
    }
}

TEST_F(OFileDataTest, DurationIsRoundedHalfToEvenAndAtLeastOne)
{
    struct Case {
        double seconds;
        int64_t duration;
    };
    for (const Case& c : {Case{0.4, 1}, Case{1 / 44100.0, 1}, Case{2.5, 2}, Case{3.5, 4}, Case{3.6, 4}}) {
        SCOPED_TRACE(c.seconds);
        const QString path = folder_.File("short.wav");
        ASSERT_TRUE(fixtures::WriteSilentWav(path, c.seconds));
        const auto data = TOFileData::Create(path, true);
        EXPECT_EQ(data->Status, FileStatusOk);
        EXPECT_EQ(data->Duration, c.duration);
        EXPECT_EQ(data->Bitrate, 0);
    }
}

TEST_F(OFileDataTest, FieldsFromEachReader)
{
    using fixtures::Frame;
    using fixtures::Text;
    const QByteArray id3v2 =
        fixtures::Tag(3, Frame(3, "TIT2", Text(0, "Title")) + Frame(3, "TPE1", Text(0, "Artist")) +
                             Frame(3, "TALB", Text(0, "Album")) + Frame(3, "TYER", Text(0, "1999")) +
                             Frame(3, "TRCK", Text(0, "5/12")) + Frame(3, "TENC", Text(0, "Enc")) +
                             Frame(3, "TCON", Text(0, "Rock")));
    const auto tagged = TOFileData::Create(Write("v2.mp3", id3v2 + kMp3), true);
    ASSERT_EQ(tagged->Status, FileStatusOk);
    EXPECT_EQ(tagged->Title, "Title");
    EXPECT_EQ(tagged->Artist, "Artist");
    EXPECT_EQ(tagged->Album, "Album");
    EXPECT_EQ(tagged->Year, "1999");
    EXPECT_EQ(tagged->Genre, "Rock");
    EXPECT_EQ(tagged->TagVersion, 3);
    EXPECT_EQ(tagged->Track, 5);
    EXPECT_EQ(tagged->TrackString, "5/12");
    EXPECT_EQ(tagged->EncodedBy, "Enc");
    EXPECT_EQ(tagged->Duration, 3);
    EXPECT_EQ(tagged->Bitrate, 128);
    EXPECT_EQ(tagged->MPEGVersion, "MPEG 1");
    EXPECT_EQ(tagged->Layer, "Layer III");
    EXPECT_EQ(tagged->SampleRate, 44100);
    EXPECT_EQ(tagged->Frames, 100);

    // An ID3v1 tag fills nothing.
    const auto v1 = TOFileData::Create(Write("v1.mp3", kMp3 + fixtures::ID3v1Tag("Old title", "", 17)), true);
    ASSERT_EQ(v1->Status, FileStatusOk);
    EXPECT_EQ(v1->Title, "");
    EXPECT_EQ(v1->Artist, "");
    EXPECT_EQ(v1->TagVersion, 0);

    const auto ogg = TOFileData::Create(
        Write("perf.ogg",
              fixtures::OggVorbisFile(2, 44100, 128000, {"PERFORMER=Performer", "DATE=1999"}, 88200)),
        true);
    ASSERT_EQ(ogg->Status, FileStatusOk);
    EXPECT_EQ(ogg->Artist, "Performer");
    EXPECT_EQ(ogg->Year, "");
    EXPECT_EQ(ogg->Duration, 2);
    EXPECT_GT(ogg->Bitrate, 0);

    const auto wma = TOFileData::Create(
        Write("texts.wma", Wma({fixtures::AsfContentDescription("Title", "Artist", "", "Comment", ""),
                                fixtures::AsfExtendedContent({{"WM/AlbumTitle", 0, fixtures::Utf16("Album")},
                                                              {"WM/Year", 0, fixtures::Utf16("2001")},
                                                              {"WM/Genre", 0, fixtures::Utf16("Jazz")}})})),
        true);
    ASSERT_EQ(wma->Status, FileStatusOk);
    EXPECT_EQ(wma->Title, "Title");
    EXPECT_EQ(wma->Artist, "Artist");
    EXPECT_EQ(wma->Album, "Album");
    EXPECT_EQ(wma->Year, "2001");
    EXPECT_EQ(wma->Genre, "Jazz");
    EXPECT_EQ(wma->Comment, "Comment");
    EXPECT_EQ(wma->Duration, 5);
    EXPECT_EQ(wma->Bitrate, 128);
}

// A second read clears what the first one found, but keeps the status it set.
TEST_F(OFileDataTest, ReadTagsClearsFieldsButNotTheStatus)
{
    const QString path = Write("again.wma", Wma({fixtures::AsfContentDescription("Title", "", "", "", "")}));
    const auto data = TOFileData::Create(path, false);
    Write("again.wma", QByteArray(100, '\x11'));
    EXPECT_FALSE(data->ReadTags());
    EXPECT_EQ(data->Status, FileStatusFormatError);
    Write("again.wma", Wma({fixtures::AsfContentDescription("Title", "", "", "", "")}));
    EXPECT_TRUE(data->ReadTags());
    EXPECT_EQ(data->Title, "Title");
    EXPECT_EQ(data->Status, FileStatusFormatError);
    Write("again.wma", QByteArray(100, '\x11'));
    EXPECT_FALSE(data->ReadTags());
    EXPECT_EQ(data->Title, "");
    EXPECT_EQ(data->Duration, 0);
}

TEST(OFileData, NamePartsAndType)
{
    struct Case {
        QString path, name, folder, extension;
        uint8_t type;
    };
    const Case cases[] = {
        {"/music/pop/song.Mp3", "song.Mp3", "/music/pop/", ".Mp3", FileTypeMP3},
        {"/music/x.", "x.", "/music/", ".", FileTypeNone},
        {"/music/.ogg", ".ogg", "/music/", ".ogg", FileTypeOgg},
        {"/music.d/readme", "readme", "/music.d/", "", FileTypeNone},
        {"/a/b.c.wma", "b.c.wma", "/a/", ".wma", FileTypeWMA},
        {"take.WAV", "take.WAV", "", ".WAV", FileTypeWAV},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const auto data = TOFileData::Create(c.path, false);
        EXPECT_EQ(data->Name, c.name);
        EXPECT_EQ(data->Folder, c.folder);
        EXPECT_EQ(data->Extension, c.extension);
        EXPECT_EQ(data->FileType, c.type);
        EXPECT_EQ(data->Size, 0);
        EXPECT_EQ(data->Status, FileStatusOk);
    }
    const auto named = TOFileData::CreateNamed("Shown", "/music/a.mp3", int64_t(5) << 32, false);
    EXPECT_EQ(named->Name, "Shown");
    EXPECT_EQ(named->Size, int64_t(5) << 32);
    EXPECT_EQ(named->Keep, 1);
}

TEST(OFileData, DisplayAndTypeNames)
{
    auto data = TOFileData::CreateNamed("Hit.mp3.MP3", "/music/Hit.mp3.MP3", 0, false);
    struct Case {
        bool useTags, keepExtension;
        QString title, artist, album, expected;
    };
    const Case cases[] = {
        {true, false, "", "", "", "No title - No artist (No album)"},
        {true, true, "Song", "Band", "Record", "Song - Band (Record)"},
        {true, false, "Song", "", "Record", "Song - No artist (Record)"},
        {false, true, "Song", "Band", "Record", "Hit.mp3.MP3"},
        {false, false, "Song", "Band", "Record", "Hit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        data->Title = c.title;
        data->Artist = c.artist;
        data->Album = c.album;
        EXPECT_EQ(FileDisplayName(*data, c.useTags, c.keepExtension), c.expected);
    }
    const char* names[] = {"Not defined type", "Mpeg", "Wav", "Ogg", "WMA"};
    for (uint8_t type = 0; type < 5; ++type)
        EXPECT_EQ(FileTypeName(type), names[type]);
}

TEST_F(OFileDataTest, FileDuration)
{
    ASSERT_TRUE(fixtures::WriteSilentWav(folder_.File("long.wav"), 62.5));
    EXPECT_EQ(GetFileDuration(folder_.File("long.wav")), 62);
    EXPECT_EQ(GetFileDuration(Write("bad.wav", "RIFF")), 0);
    EXPECT_EQ(GetFileDuration(folder_.File("missing.wav")), 0);
    EXPECT_EQ(GetFileDuration(folder_.Path()), 0);
}
