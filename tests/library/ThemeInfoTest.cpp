#include "library/ThemeInfo.h"

#include "DialogAnswerer.h"
#include "audioinfo/OFileData.h"
#include "controls/LbButton.h"

#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

const QString Dashes(46, u'-');

// The listing of a record whose every field is set.
std::unique_ptr<TOFileData> FullRecord(const QString& path, uint8_t type)
{
    std::unique_ptr<TOFileData> d = TOFileData::Create(path, false);
    d->Size = 4096;
    d->FileType = type;
    d->TagVersion = 3;
    d->Duration = 75 * 60 + 7;
    d->Bitrate = type == FileTypeMP3 ? 128 : 0;
    d->Title = "Title";
    d->Artist = "Artist";
    d->Track = 7;
    d->TrackString = "7/12";
    d->Album = "Album";
    d->Year = "1999";
    d->Comment = "Comment";
    d->Genre = "Pop";
    d->Composer = "Composer";
    d->EncodedBy = "Encoded by";
    d->Copyright = "(c)";
    d->Language = "eng";
    d->Link = "http://example.org";
    d->MPEGVersion = "MPEG 1.0";
    d->Layer = "Layer III";
    d->ChannelMode = "Joint Stereo";
    d->Emphasis = "None";
    d->Encoder = "LAME";
    d->SampleRate = 44100;
    d->Frames = 1234;
    d->EncoderID = 5;
    return d;
}

TEST(ThemeInfoTest, ListsTheFileAndTagsAndTheMpegBlockOnlyForAnMp3)
{
    const QStringList common = {
        Dashes,
        "FILE",
        "   Name: /srv/music/song.EXT",
        "   Size: 4096 bytes",
        "   Path: /srv/music/",
        "   Extension: .EXT",
        "   Type: TYPE",
        Dashes,
        "THEMA",
        "   TagVersionID: 3",
        "   Duration: 1:15:07",
        "   BitRate: RATE KHz",
        "   Title: Title",
        "   Artist: Artist",
        "   Track: 7",
        "   TrackString: 7/12",
        "   Album: Album",
        "   Year: 1999",
        "   Comment: Comment",
        "   Genre: Pop",
        "   Composer: Composer",
        "   Theme Encoder: Encoded by",
        "   Copyright: (c)",
        "   Language: eng",
        "   Link: http://example.org",
    };
    const QStringList mpeg = {
        Dashes,
        "MPEG",
        "   Version: MPEG 1.0",
        "   Layer: Layer III",
        "   ChannelMode: Joint Stereo",
        "   Emphasis: None",
        "   Encoder: LAME",
        "   SampleRate: 44100 Hz",
        "   Frames: 1234",
        "   EncoderID: 5",
    };
    struct Case {
        const char* extension;
        uint8_t type;
        const char* typeName;
        const char* rate;
        bool hasMpeg;
    };
    for (const Case& c :
         {Case{"mp3", FileTypeMP3, "Mpeg", "128", true}, Case{"wav", FileTypeWAV, "Wav", "0", false}}) {
        QString expected = common.join('\n');
        expected.replace("EXT", c.extension).replace("TYPE", c.typeName).replace("RATE", c.rate);
        if (c.hasMpeg)
            expected += '\n' + mpeg.join('\n');
        TFThemeInfo window;
        window.ShowFileData(*FullRecord(QStringLiteral("/srv/music/song.%1").arg(c.extension), c.type));
        EXPECT_EQ(window.MInfo->toPlainText(), expected) << c.extension;
    }
}

TEST(ThemeInfoTest, ShowsModallyThroughTheDialogServiceAndOkCloses)
{
    TFThemeInfo window;
    EXPECT_EQ(window.windowTitle(), "Information");
    EXPECT_EQ(window.size(), QSize(464, 513));
    EXPECT_EQ(window.BClose->geometry(), QRect(192, 7, 100, 23));
    EXPECT_EQ(window.Panel1->height(), 37);
    EXPECT_TRUE(window.MInfo->isReadOnly());
    window.ShowFileData(*FullRecord("/srv/a.wav", FileTypeWAV));

    ScriptedDialogAnswerer answerer;
    answerer.ExpectWindow(QMessageBox::Ok, {});
    window.ShowModal();
    ASSERT_EQ(answerer.Shown().size(), 1);
    EXPECT_EQ(answerer.Shown()[0].caption, "Information");
    EXPECT_TRUE(answerer.Shown()[0].text.contains("   BitRate: 0 KHz"));

    window.show();
    window.BClose->Click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

} // namespace
