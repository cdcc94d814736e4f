#include "audioinfo/OFileData.h"

#include "audioinfo/MPEGaudio.h"
#include "audioinfo/OggVorbis.h"
#include "audioinfo/WAVfile.h"
#include "audioinfo/WMAfile.h"
#include "foundation/Files.h"
#include "foundation/Strings.h"
#include "platform/BinaryReader.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"

#include <QFileInfo>

namespace {
// Whole seconds, halves to the even neighbour; a file that reads at all lasts at least a second.
int64_t WholeSeconds(double seconds)
{
    const int64_t rounded = platform::RoundHalfEven(seconds);
    return rounded > 0 ? rounded : 1;
}

uint8_t TypeOf(const QString& extension)
{
    const QString upper = extension.toUpper();
    if (upper == QLatin1String(".MP3"))
        return FileTypeMP3;
    if (upper == QLatin1String(".WAV"))
        return FileTypeWAV;
    if (upper == QLatin1String(".OGG"))
        return FileTypeOgg;
    if (upper == QLatin1String(".WMA"))
        return FileTypeWMA;
    return FileTypeNone;
}

// The size of the file as just opened; by its name when it could not be opened (it may exist unreadable).
int64_t SizeNow(const platform::BinaryReader& in, const QString& path)
{
    return in.IsOpen() ? in.Size() : FileSizeByName(path);
}

QString OrDefault(const QString& text, const QString& fallback)
{
    return text.isEmpty() ? fallback : text;
}
} // namespace

TOFileData::TOFileData(const QString& name, const QString& fileName, int64_t size)
    : Name(name), FileName(fileName), Size(size)
{
    Folder = platform::FolderPart(fileName);
    Extension = platform::FileExtension(fileName);
    FileType = TypeOf(Extension);
}

std::unique_ptr<TOFileData> TOFileData::Create(const QString& fileName, bool readTags)
{
    if (!readTags)
        return CreateNamed(platform::FileNamePart(fileName), fileName, FileSizeByName(fileName), false);
    // One open gives both the size and the bytes the readers read.
    platform::BinaryReader in(fileName);
    std::unique_ptr<TOFileData> data(
        new TOFileData(platform::FileNamePart(fileName), fileName, SizeNow(in, fileName)));
    data->ReadTagsFrom(in);
    return data;
}

std::unique_ptr<TOFileData> TOFileData::CreateNamed(const QString& name, const QString& fileName,
                                                    int64_t size, bool readTags)
{
    std::unique_ptr<TOFileData> data(new TOFileData(name, fileName, size));
    if (readTags)
        data->ReadTags();
    return data;
}

int32_t TOFileData::GetStatus(QString& text) const
{
    text = ErrorText;
    return Status;
}

bool TOFileData::Fail(int32_t status, const QString& text)
{
    Status = status;
    ErrorText = text;
    return false;
}

void TOFileData::ClearReadFields()
{
    Title.clear();
    Artist.clear();
    Album.clear();
    Year.clear();
    Comment.clear();
    Genre.clear();
    Duration = 0;
    Bitrate = 0;
    TagVersion = 0;
    Track = 0;
    for (QString* text : {&TrackString, &Composer, &EncodedBy, &Copyright, &Language, &Link, &MPEGVersion,
                          &Layer, &ChannelMode, &Emphasis, &Encoder})
        text->clear();
    SampleRate = 0;
    Frames = 0;
    EncoderID = 0;
}

bool TOFileData::ReadTags()
{
    platform::BinaryReader in(FileName);
    return ReadTagsFrom(in);
}

bool TOFileData::ReadTagsFrom(platform::BinaryReader& in)
{
    // The size on disk now, not the one given at creation: the file may have gone since.
    if (SizeNow(in, FileName) == 0)
        return Fail(FileStatusEmpty, in.IsOpen() ? QStringLiteral("File empty: ") + Quoted(FileName)
                                                 : QStringLiteral("Cannot read ") + Quoted(FileName) +
                                                       QStringLiteral(": ") + in.OpenFailure());
    ClearReadFields();
    if (FileType == FileTypeNone)
        return Fail(FileStatusNotSupported, QStringLiteral("Extension not supported: ") + Quoted(FileName));
    // A file that cannot be opened reads as a format error, whatever its type.
    bool valid = false;
    switch (FileType) {
    case FileTypeMP3:
        valid = ReadMP3(in);
        break;
    case FileTypeWAV:
        valid = ReadWAV(in);
        break;
    case FileTypeOgg:
        valid = ReadOgg(in);
        break;
    default:
        valid = ReadWMA(in);
    }
    if (!valid)
        return Fail(FileStatusFormatError, QStringLiteral("Format error: ") + Quoted(FileName));
    return true;
}

bool TOFileData::ReadMP3(platform::BinaryReader& in)
{
    TMPEGaudio mpeg;
    if (!mpeg.ReadFrom(in) || !mpeg.GetValid())
        return false;
    // The texts come from the ID3v2 tag only; an ID3v1 tag fills nothing here.
    const TID3v2& tag = mpeg.ID3v2;
    Title = tag.Title;
    Artist = tag.Artist;
    Album = tag.Album;
    Year = tag.Year;
    Comment = tag.Comment;
    Genre = tag.Genre;
    Duration = WholeSeconds(mpeg.GetDuration());
    Bitrate = mpeg.GetBitRate();
    TagVersion = tag.VersionID;
    Track = tag.Track;
    TrackString = tag.TrackString;
    Composer = tag.Composer;
    EncodedBy = tag.Encoder;
    Copyright = tag.Copyright;
    Language = tag.Language;
    Link = tag.Link;
    MPEGVersion = mpeg.GetVersion();
    Layer = mpeg.GetLayer();
    ChannelMode = mpeg.GetChannelMode();
    Emphasis = mpeg.GetEmphasis();
    Encoder = mpeg.GetEncoder();
    SampleRate = mpeg.GetSampleRate();
    Frames = mpeg.GetFrames();
    EncoderID = mpeg.GetEncoderID();
    return true;
}

bool TOFileData::ReadWAV(platform::BinaryReader& in)
{
    TWAVfile wav;
    if (!wav.ReadFrom(in) || !wav.Valid)
        return false;
    Duration = WholeSeconds(wav.GetDuration());
    return true;
}

bool TOFileData::ReadOgg(platform::BinaryReader& in)
{
    TOggVorbis ogg;
    if (!ogg.ReadFrom(in) || !ogg.GetValid())
        return false;
    Title = ogg.Title;
    Artist = ogg.Artist;
    Album = ogg.Album;
    Comment = ogg.Comment;
    Genre = ogg.Genre;
    Duration = WholeSeconds(ogg.GetDuration());
    Bitrate = ogg.GetBitRate();
    return true;
}

bool TOFileData::ReadWMA(platform::BinaryReader& in)
{
    TWMAfile wma;
    if (!wma.ReadFrom(in) || !wma.Valid)
        return false;
    Title = wma.Title;
    Artist = wma.Artist;
    Album = wma.Album;
    Year = wma.Year;
    Comment = wma.Comment;
    Genre = wma.Genre;
    Duration = WholeSeconds(wma.Duration);
    Bitrate = wma.BitRate;
    return true;
}

QString FileDisplayName(const TOFileData& data, bool useTags, bool keepExtension)
{
    if (useTags)
        return OrDefault(data.Title, QStringLiteral("No title")) + QStringLiteral(" - ") +
               OrDefault(data.Artist, QStringLiteral("No artist")) + QStringLiteral(" (") +
               OrDefault(data.Album, QStringLiteral("No album")) + u')';
    if (keepExtension)
        return data.Name;
    return FastReplace(data.Name, data.Extension, QString(), false);
}

QString FileTypeName(uint8_t fileType)
{
    static const QString names[] = {QStringLiteral("Not defined type"), QStringLiteral("Mpeg"),
                                    QStringLiteral("Wav"), QStringLiteral("Ogg"), QStringLiteral("WMA")};
    return fileType < std::size(names) ? names[fileType] : names[FileTypeNone];
}

int64_t GetFileDuration(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return 0;
    const std::unique_ptr<TOFileData> data =
        TOFileData::CreateNamed(platform::FileNamePart(path), path, FileSizeByName(path), false);
    return data->ReadTags() ? data->Duration : 0;
}
