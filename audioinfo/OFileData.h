#pragma once
// What the station knows of one audio file: path, type, size, duration, bit rate, tag texts and the
// MPEG stream details, read by the reader the extension names.
#include <QString>
#include <cstdint>
#include <memory>

namespace platform {
class BinaryReader;
}

inline constexpr int32_t FileStatusOk = 0;
inline constexpr int32_t FileStatusEmpty = 1;
inline constexpr int32_t FileStatusFormatError = 2;
inline constexpr int32_t FileStatusNotSupported = 3;

inline constexpr uint8_t FileTypeNone = 0;
inline constexpr uint8_t FileTypeMP3 = 1;
inline constexpr uint8_t FileTypeWAV = 2;
inline constexpr uint8_t FileTypeOgg = 3;
inline constexpr uint8_t FileTypeWMA = 4;

class TOFileData {
public:
    // Name = the file-name part of the path, Size = the size on disk now (0 when missing).
    static std::unique_ptr<TOFileData> Create(const QString& fileName, bool readTags);
    // A record under a name of the caller's choice, with the size the caller already knows.
    static std::unique_ptr<TOFileData> CreateNamed(const QString& name, const QString& fileName, int64_t size,
                                                   bool readTags);

    // Reads the file with its format's reader; false with Status and ErrorText set when it cannot
    // be used. Status is not reset: a record carries the status of the one read after creation.
    bool ReadTags();
    int32_t GetStatus(QString& text) const;

    int32_t Status = FileStatusOk;
    QString ErrorText;
    QString Name;
    QString FileName;
    QString Folder;    // with its trailing "/"
    QString Extension; // with its dot, in the path's case
    uint8_t FileType = FileTypeNone;
    uint8_t TagVersion = 0;
    uint16_t Track = 0;
    int64_t Size = 0;
    int64_t Duration = 0; // whole seconds, at least 1 after a successful read
    int64_t Bitrate = 0;  // kbit/s; 0 for WAV
    QString Title;
    QString Artist;
    QString Album;
    QString Year;
    QString Comment;
    QString Genre;
    QString TrackString;
    QString Composer;
    QString EncodedBy;
    QString Copyright;
    QString Language;
    QString Link;
    QString MPEGVersion;
    QString Layer;
    QString ChannelMode;
    QString Emphasis;
    QString Encoder;
    uint16_t SampleRate = 0;
    int32_t Frames = 0;
    uint8_t EncoderID = 0;
    uint8_t Keep = 1;

private:
    TOFileData(const QString& name, const QString& fileName, int64_t size);
    bool ReadTagsFrom(platform::BinaryReader& in);
    void ClearReadFields();
    bool Fail(int32_t status, const QString& text);
    bool ReadMP3(platform::BinaryReader& in);
    bool ReadWAV(platform::BinaryReader& in);
    bool ReadOgg(platform::BinaryReader& in);
    bool ReadWMA(platform::BinaryReader& in);
};

// The list text of a file: "title - artist (album)" from its tags, or its name, without the
// extension unless keepExtension.
QString FileDisplayName(const TOFileData& data, bool useTags, bool keepExtension);

// "Not defined type", "Mpeg", "Wav", "Ogg" or "WMA".
QString FileTypeName(uint8_t fileType);

// Whole seconds of the audio file at the path; 0 when it is missing or cannot be read.
int64_t GetFileDuration(const QString& path);
