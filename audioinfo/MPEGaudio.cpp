#include "audioinfo/MPEGaudio.h"

#include "platform/BinaryReader.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kBlockSize = 3458;
constexpr int kLargestFrame = 1729; // positions from here on are not tried
constexpr int kVendorStart = 3450;  // the end-of-file search runs backwards from here
constexpr int kID3v1Size = 128;

// Shared texts: a record takes a name without allocating it.
const QString kVersionNames[4] = {QStringLiteral("MPEG 2.5"), QStringLiteral("MPEG ?"),
                                  QStringLiteral("MPEG 2"), QStringLiteral("MPEG 1")};
const QString kLayerNames[4] = {QStringLiteral("Layer ?"), QStringLiteral("Layer III"),
                                QStringLiteral("Layer II"), QStringLiteral("Layer I")};
const QString kModeNames[5] = {QStringLiteral("Stereo"), QStringLiteral("Joint Stereo"),
                               QStringLiteral("Dual Channel"), QStringLiteral("Mono"),
                               QStringLiteral("Unknown")};
const QString kEmphasisNames[4] = {QStringLiteral("None"), QStringLiteral("50/15 ms"),
                                   QStringLiteral("Unknown"), QStringLiteral("CCIT J.17")};
const QString kEncoderNames[8] = {QStringLiteral("Unknown"), QStringLiteral("Xing"),   QStringLiteral("FhG"),
                                  QStringLiteral("LAME"),    QStringLiteral("Blade"),  QStringLiteral("GoGo"),
                                  QStringLiteral("Shine"),   QStringLiteral("QDesign")};

enum EncoderIndex : uint8_t { Unknown, Xing, FhG, Lame, Blade, GoGo, Shine, QDesign };

QString Latin(const uint8_t* bytes, int length)
{
    return platform::DecodeWindows1252(QByteArray(reinterpret_cast<const char*>(bytes), length));
}

bool Is(const uint8_t* bytes, const char* id)
{
    return std::memcmp(bytes, id, 4) == 0;
}

uint32_t BigEndian32(const uint8_t* b)
{
    return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
}

// A Xing or VBRI header at `p` of the block.
VBRData ReadVbrHeader(const uint8_t* p)
{
    VBRData vbr;
    if (Is(p, "Xing")) {
        vbr.Found = true;
        vbr.ID = "Xing";
        vbr.Frames = int32_t(BigEndian32(p + 8));
        vbr.Bytes = int32_t(BigEndian32(p + 12));
        vbr.Scale = p[119];
        vbr.VendorID = Latin(p + 120, 8);
    } else if (Is(p, "VBRI")) {
        vbr.Found = true;
        vbr.ID = "VBRI";
        vbr.Scale = p[9];
        vbr.Bytes = int32_t(BigEndian32(p + 10));
        vbr.Frames = int32_t(BigEndian32(p + 14));
    }
    return vbr;
}

// The frame count of an "Info" header at `p`, laid out as a Xing header; -1 without one.
int32_t ReadInfoFrames(const uint8_t* p)
{
    return Is(p, "Info") ? int32_t(BigEndian32(p + 8)) : -1;
}

// "LAME" with the 4 characters after it, or "GOGO", searched backwards over `range` positions.
QString SearchVendor(const uint8_t* block, int range)
{
    range = std::min(range, kVendorStart);
    for (int i = 0; i <= range; ++i) {
        const uint8_t* p = block + kVendorStart - i;
        if (Is(p, "LAME"))
            return Latin(p, 8);
        if (Is(p, "GOGO"))
            return "GOGO";
    }
    return {};
}

bool IsDigit(QChar c)
{
    return c >= '0' && c <= '9';
}
} // namespace

void TMPEGaudio::ResetData()
{
    FileLength = 0;
    VendorID.clear();
    VBR = VBRData();
    InfoFrames = 0;
    Frame = mpeg::ResetFrame();
    audioFrame_ = Frame;
    ID3v1.ResetData();
    ID3v2.ResetData();
}

void TMPEGaudio::SearchFrame(const uint8_t* block)
{
    for (int pos = 0; pos <= kLargestFrame; ++pos) {
        if (!mpeg::IsFrameHeader(block + pos))
            continue;
        FrameData frame = mpeg::DecodeHeader(block + pos);
        const int length = mpeg::FrameLength(frame);
        // A confirmation beyond the block cannot be checked, so the candidate does not count.
        if (length <= 0 || pos + length + 4 > kBlockSize || !mpeg::IsFrameHeader(block + pos + length))
            continue;
        frame.Found = true;
        frame.Position = pos;
        frame.Size = uint16_t(length);
        const uint8_t* after = block + pos + 4;
        frame.Xing = std::all_of(after, after + 6, [](uint8_t b) { return b == 0; });
        Frame = frame;
        const uint8_t* header = block + pos + mpeg::VbrHeaderOffset(frame);
        VBR = ReadVbrHeader(header);
        const int32_t infoFrames = ReadInfoFrames(header);
        InfoFrames = std::max(infoFrames, 0);
        const bool holdsHeader = VBR.Found || infoFrames >= 0;
        audioFrame_ = holdsHeader ? mpeg::DecodeHeader(block + pos + length) : frame;
        return;
    }
}

bool TMPEGaudio::ReadFromFile(const QString& path)
{
    platform::BinaryReader in(path);
    return ReadFrom(in);
}

bool TMPEGaudio::ReadFrom(platform::BinaryReader& in)
{
    ResetData();
    if (!ID3v2.ReadFrom(in) || !ID3v1.ReadFrom(in))
        return false;

    FileLength = in.Size();
    uint8_t block[kBlockSize];
    in.Seek(ID3v2.Size);
    const bool fullBlock = in.Read(block, kBlockSize) == kBlockSize;
    bool ok = !in.HasError();
    if (ok)
        SearchFrame(block);
    if (ok && !Frame.Found && fullBlock) {
        in.Seek((FileLength - ID3v2.Size) / 2);
        in.Read(block, kBlockSize);
        ok = !in.HasError();
        if (ok)
            SearchFrame(block);
    }
    // A file shorter than the end block has no end block to search.
    const int64_t endBlock = FileLength - kBlockSize - (ID3v1.Exists ? kID3v1Size : 0);
    if (ok && Frame.Found && !VBR.Found && endBlock >= 0) {
        in.Seek(endBlock);
        in.Read(block, kBlockSize);
        ok = !in.HasError();
        if (ok)
            VendorID = SearchVendor(block, 5 * Frame.Size);
    }
    if (!Frame.Found)
        ResetData();
    return ok;
}

QString TMPEGaudio::GetVersion() const
{
    return kVersionNames[Frame.VersionID & 3];
}

QString TMPEGaudio::GetLayer() const
{
    return kLayerNames[Frame.LayerID & 3];
}

QString TMPEGaudio::GetChannelMode() const
{
    return kModeNames[std::min<int>(Frame.ModeID, 4)];
}

QString TMPEGaudio::GetEmphasis() const
{
    return kEmphasisNames[Frame.EmphasisID & 3];
}

uint16_t TMPEGaudio::GetBitRate() const
{
    if (!HasVbrFrames())
        return uint16_t(mpeg::BitRate(audioFrame_));
    const double perFrame = double(VBR.Bytes) / VBR.Frames - mpeg::Padding(Frame);
    const double kbits = perFrame * mpeg::SampleRate(Frame) / mpeg::Coefficient(Frame) / 1000;
    // A damaged header can give any number; keep it inside the field's range.
    return uint16_t(platform::RoundHalfEven(std::clamp(kbits, 0.0, 65535.0)));
}

uint16_t TMPEGaudio::GetSampleRate() const
{
    return uint16_t(mpeg::SampleRate(Frame));
}

int64_t TMPEGaudio::AudioSize() const
{
    return FileLength - ID3v2.Size - (ID3v1.Exists ? kID3v1Size : 0);
}

int32_t TMPEGaudio::CountedFrames() const
{
    return HasVbrFrames() ? VBR.Frames : InfoFrames;
}

int32_t TMPEGaudio::GetFrames() const
{
    if (VBR.Found)
        return VBR.Frames;
    if (InfoFrames > 0)
        return InfoFrames;
    const int length = mpeg::FrameLength(audioFrame_);
    if (!Frame.Found || length == 0)
        return 0;
    return int32_t(std::clamp<int64_t>((AudioSize() - Frame.Position) / length, INT32_MIN, INT32_MAX));
}

double TMPEGaudio::GetDuration() const
{
    if (!Frame.Found)
        return 0;
    const int rate = mpeg::SampleRate(Frame);
    if (const int32_t frames = CountedFrames(); frames > 0)
        return rate > 0 ? double(mpeg::Coefficient(Frame)) * frames * 8 / rate : 0;
    const int bitRate = mpeg::BitRate(audioFrame_);
    return bitRate > 0 ? double(AudioSize() - Frame.Position) / bitRate / 1000 * 8 : 0;
}

uint8_t TMPEGaudio::GetEncoderID() const
{
    if (!Frame.Found)
        return Unknown;
    if (VBR.Found) {
        const QStringView vendor = QStringView(VBR.VendorID).left(4);
        const bool lame = vendor == u"LAME";
        const bool gogo = vendor == u"GOGO" || vendor == u"MPGE";
        uint8_t id = lame ? Lame : gogo ? GoGo : Unknown;
        if (VBR.ID == "Xing" && !lame && !gogo)
            id = Xing;
        if (VBR.ID == "VBRI")
            id = FhG;
        return id;
    }
    // Header traits of known encoders; a later hit replaces an earlier one.
    uint8_t id = FhG;
    if (Frame.OriginalBit == 1 && Frame.ProtectionBit == 1)
        id = Lame;
    if (mpeg::BitRate(audioFrame_) <= 160 && Frame.ModeID == 0)
        id = Blade;
    if (Frame.CopyrightBit == 1 && Frame.OriginalBit == 1 && Frame.ProtectionBit == 0)
        id = Xing;
    if (Frame.Xing && Frame.OriginalBit == 1)
        id = Xing;
    if (Frame.LayerID == mpeg::kLayer2)
        id = QDesign;
    if (Frame.ModeID == 2 && Frame.ProtectionBit == 1)
        id = Shine;
    const QStringView vendor = QStringView(VendorID).left(4);
    if (vendor == u"LAME")
        id = Lame;
    if (vendor == u"GOGO")
        id = GoGo;
    return id;
}

QString TMPEGaudio::GetEncoder() const
{
    const uint8_t id = GetEncoderID();
    QString name = kEncoderNames[id];
    const QString vendor = VendorID.isEmpty() ? VBR.VendorID : VendorID;
    if (id == Lame && vendor.size() > 7 && IsDigit(vendor[4]) && vendor[5] == '.' && IsDigit(vendor[6]) &&
        IsDigit(vendor[7]))
        name += " " + vendor.mid(4, 4);
    return name;
}

bool TMPEGaudio::GetValid() const
{
    const int bitRate = GetBitRate();
    return Frame.Found && bitRate >= 8 && bitRate <= 448 && GetDuration() >= 0.1;
}
