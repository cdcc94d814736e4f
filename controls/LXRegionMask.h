#pragma once
// What a shaped window stores: its region as the platform's region-data bytes with the border
// bitmaps (the region mask), and the corner points of a polygon region (the point list).
#include "controls/LXObjects.h"
#include "controls/LXTypes.h"
#include "platform_gui/Bitmap.h"
#include "platform_gui/Geometry.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QRegion>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// Region data: a 32-byte header (size 32, type 1, rectangle count, size of the rectangles, bounds)
// followed by one 16-byte rectangle (left, top, right, bottom; right and bottom exclusive) each, all
// little-endian 32-bit values.
QByteArray RegionToData(const QRegion& region);
// Nothing for data whose header is not that one or whose rectangles do not fit its size.
std::optional<QRegion> RegionFromData(const QByteArray& data);

class TLXRegionMask : public TLXObject {
public:
    TLXRegionMask() = default;
    TLXRegionMask(const TLXRegionMask&) = delete;
    TLXRegionMask& operator=(const TLXRegionMask&) = delete;

    // Clears the own region data; only a source holding region data gives its data and bitmaps.
    // Without notification.
    void Assign(const TLXObject& source) override;

    const QByteArray& RegionData() const { return regionData_; }
    // Takes valid region data (false, and nothing changes, for any other) and its size.
    bool SetRegionData(const QByteArray& data);
    void ClearRegionData();
    int RegionDataSize() const { return regionDataSize_; }
    // The number only.
    void SetRegionDataSize(int size) { regionDataSize_ = size; }
    bool Compressed() const { return compressed_; }
    void SetCompressed(bool compressed) { compressed_ = compressed; }
    TLXSavePixelFormat PixelFormat() const { return pixelFormat_; }
    void SetPixelFormat(TLXSavePixelFormat format) { pixelFormat_ = format; }
    platform::TBitmap& BorderBitmap() { return border_; }
    platform::TBitmap& BorderUpBitmap() { return borderUp_; }
    platform::TBitmap& BorderDownBitmap() { return borderDown_; }

    // The binary properties "RegionData", "BorderBmp", "BorderUpBmp" and "BorderDnBmp", in that
    // order, each only when it holds something.
    QList<QPair<QString, QByteArray>> WriteProperties() const;
    // One of them as read back. Region data is sized from its own bytes (RegionDataSize follows);
    // data that is not region data raises EReadError and changes nothing.
    void ReadProperty(const QString& name, const QByteArray& bytes);

private:
    platform::TBitmap* BitmapOfProperty(const QString& name);

    QByteArray regionData_;
    int regionDataSize_ = 0;
    bool compressed_ = false;
    TLXSavePixelFormat pixelFormat_ = spfDefault;
    platform::TBitmap border_;
    platform::TBitmap borderUp_;
    platform::TBitmap borderDown_;
};

// Points packed in 32 bits: X in the high 16 bits, read back unsigned, and Y in the low 16 bits,
// read back signed. So a negative X reads back as X + 65536 and an X above 65535 loses its high
// bits; nothing in the system sets points, so the packing is kept as the stored lists have it.
class TLXPointList {
public:
    int Count() const { return static_cast<int>(points_.size()); }
    // Nothing beyond the list.
    std::optional<platform::TPoint> Point(int index) const;
    // OnChange unless updating.
    void SetPoint(int index, platform::TPoint point);
    // Appends and sets the point, then fires OnChange once more.
    void AddPoint(platform::TPoint point);
    void BeginUpdate() { ++updating_; }
    void EndUpdate() { --updating_; }

    std::function<void(TLXPointList* sender)> OnChange;

private:
    void Changed();

    std::vector<uint32_t> points_;
    int updating_ = 0;
};
