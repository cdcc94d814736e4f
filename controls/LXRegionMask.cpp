#include "controls/LXRegionMask.h"

#include "controls/LXBitmapStreams.h"
#include "controls/LXErrors.h"
#include "controls/LXStreams.h"

#include <QBuffer>
#include <QtEndian>

namespace {

constexpr int HeaderSize = 32;
constexpr int RectSize = 16;
constexpr uint32_t RectanglesType = 1;

void Put(QByteArray& data, int offset, int32_t value)
{
    qToLittleEndian(value, data.data() + offset);
}

int32_t Get(const QByteArray& data, int offset)
{
    return qFromLittleEndian<int32_t>(data.constData() + offset);
}

} // namespace

QByteArray RegionToData(const QRegion& region)
{
    const int count = static_cast<int>(region.rectCount());
    QByteArray data(HeaderSize + count * RectSize, '\0');
    const QRect bounds = region.boundingRect();
    Put(data, 0, HeaderSize);
    Put(data, 4, RectanglesType);
    Put(data, 8, count);
    Put(data, 12, count * RectSize);
    Put(data, 16, bounds.left());
    Put(data, 20, bounds.top());
    Put(data, 24, bounds.left() + bounds.width());
    Put(data, 28, bounds.top() + bounds.height());
    int offset = HeaderSize;
    for (const QRect& rect : region) {
        Put(data, offset, rect.left());
        Put(data, offset + 4, rect.top());
        Put(data, offset + 8, rect.left() + rect.width());
        Put(data, offset + 12, rect.top() + rect.height());
        offset += RectSize;
    }
    return data;
}

std::optional<QRegion> RegionFromData(const QByteArray& data)
{
    if (data.size() < HeaderSize || Get(data, 0) != HeaderSize ||
        static_cast<uint32_t>(Get(data, 4)) != RectanglesType)
        return std::nullopt;
    const uint32_t count = static_cast<uint32_t>(Get(data, 8));
    if (count > static_cast<uint32_t>((data.size() - HeaderSize) / RectSize))
        return std::nullopt;
    QList<QRect> rects;
    rects.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const int offset = HeaderSize + static_cast<int>(i) * RectSize;
        const int64_t left = Get(data, offset);
        const int64_t top = Get(data, offset + 4);
        const int64_t right = Get(data, offset + 8);
        const int64_t bottom = Get(data, offset + 12);
        if (right > left && bottom > top)
            rects << QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                           static_cast<int>(bottom - top));
    }
    QRegion region;
    region.setRects(rects.constData(), static_cast<int>(rects.size()));
    return region;
}

void TLXRegionMask::Assign(const TLXObject& source)
{
    const auto* mask = dynamic_cast<const TLXRegionMask*>(&source);
    if (!mask)
        return TLXObject::Assign(source);
    ClearRegionData();
    if (mask->regionData_.isEmpty())
        return;
    regionData_ = mask->regionData_;
    regionDataSize_ = mask->regionDataSize_;
    border_.Assign(mask->border_);
    borderUp_.Assign(mask->borderUp_);
    borderDown_.Assign(mask->borderDown_);
}

bool TLXRegionMask::SetRegionData(const QByteArray& data)
{
    if (!RegionFromData(data))
        return false;
    regionData_ = data;
    regionDataSize_ = static_cast<int>(data.size());
    return true;
}

void TLXRegionMask::ClearRegionData()
{
    regionData_.clear();
    regionDataSize_ = 0;
}

platform::TBitmap* TLXRegionMask::BitmapOfProperty(const QString& name)
{
    if (name == QLatin1String("BorderBmp"))
        return &border_;
    if (name == QLatin1String("BorderUpBmp"))
        return &borderUp_;
    if (name == QLatin1String("BorderDnBmp"))
        return &borderDown_;
    return nullptr;
}

QList<QPair<QString, QByteArray>> TLXRegionMask::WriteProperties() const
{
    QList<QPair<QString, QByteArray>> properties;
    if (regionDataSize_ != 0 && !regionData_.isEmpty())
        properties.append({QStringLiteral("RegionData"), regionData_});
    const QPair<const char*, const platform::TBitmap*> bitmaps[] = {
        {"BorderBmp", &border_}, {"BorderUpBmp", &borderUp_}, {"BorderDnBmp", &borderDown_}};
    for (const auto& [name, bitmap] : bitmaps) {
        if (bitmap->Empty())
            continue;
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        WriteByteValue(buffer, compressed_ ? 1 : 0);
        WriteBitmap(buffer, *bitmap, compressed_, -1);
        properties.append({QString::fromLatin1(name), buffer.data()});
    }
    return properties;
}

void TLXRegionMask::ReadProperty(const QString& name, const QByteArray& bytes)
{
    if (name == QLatin1String("RegionData")) {
        // Sized from the bytes themselves: a stored size that disagrees with them is not trusted.
        if (!SetRegionData(bytes))
            throw EReadError();
        return;
    }
    platform::TBitmap* bitmap = BitmapOfProperty(name);
    if (!bitmap)
        return;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const bool compressed = ReadByteValue(buffer) != 0;
    ReadBitmap(buffer, *bitmap, compressed);
    compressed_ = compressed;
}

std::optional<platform::TPoint> TLXPointList::Point(int index) const
{
    if (index < 0 || index >= Count())
        return std::nullopt;
    const uint32_t packed = points_[static_cast<size_t>(index)];
    return platform::TPoint{static_cast<int>(packed >> 16), static_cast<int16_t>(packed & 0xFFFF)};
}

void TLXPointList::SetPoint(int index, platform::TPoint point)
{
    if (index < 0 || index >= Count())
        return;
    points_[static_cast<size_t>(index)] =
        (static_cast<uint32_t>(point.X) << 16) | (static_cast<uint32_t>(point.Y) & 0xFFFF);
    Changed();
}

void TLXPointList::AddPoint(platform::TPoint point)
{
    points_.push_back(0);
    SetPoint(Count() - 1, point);
    Changed();
}

void TLXPointList::Changed()
{
    if (updating_ == 0 && OnChange)
        OnChange(this);
}
