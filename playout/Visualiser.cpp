#include "playout/Visualiser.h"

#include "platform_gui/LineSteps.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Far enough outside any picture; keeps every coordinate sum clear of overflow.
constexpr double CoordinateLimit = 1 << 16;

} // namespace

TVisualiser::TVisualiser(int width, int height)
{
    SetSize(width, height);
}

void TVisualiser::SetSize(int width, int height)
{
    if (width <= 0 || height <= 0) {
        bitmap_ = QImage();
        backBitmap_ = QImage();
        return;
    }
    bitmap_ = QImage(width, height, QImage::Format_RGB32);
    bitmap_.fill(Rgb(BackColor));
    backBitmap_ = QImage(width, height, QImage::Format_RGB32);
    backBitmap_.fill(Rgb(BackColor));
}

bool TVisualiser::BeginFrame()
{
    if (bitmap_.isNull())
        return false;
    if (ClearBack)
        FillBack();
    if (DrawBackBitmap)
        CopyBackBitmap();
    return true;
}

bool TVisualiser::BeginFrameBackInsteadOfFill()
{
    if (bitmap_.isNull())
        return false;
    if (DrawBackBitmap)
        CopyBackBitmap();
    else if (ClearBack)
        FillBack();
    return true;
}

void TVisualiser::FillBack()
{
    bitmap_.fill(Rgb(BackColor));
}

void TVisualiser::CopyBackBitmap()
{
    if (backBitmap_.size() == bitmap_.size() && backBitmap_.format() == bitmap_.format()) {
        for (int y = 0; y < bitmap_.height(); ++y)
            std::memcpy(bitmap_.scanLine(y), backBitmap_.constScanLine(y),
                        static_cast<size_t>(bitmap_.width()) * 4);
        return;
    }
    // The owner gave a picture of its own size or kind: a plain copy at the top-left all the same.
    QPainter painter(&bitmap_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, backBitmap_);
}

void TVisualiser::LineTo(int x, int y, QRgb color)
{
    const QPoint from = penPos_;
    penPos_ = QPoint(x, y);
    const int w = bitmap_.width();
    const int h = bitmap_.height();
    // Wholly beside the picture: nothing to step through.
    if ((from.x() < 0 && x < 0) || (from.y() < 0 && y < 0) || (from.x() >= w && x >= w) ||
        (from.y() >= h && y >= h))
        return;
    platform::StepLine({from.x(), from.y()}, {x, y}, [&](int px, int py) { SetPixel(px, py, color); });
}

void TVisualiser::FillRect(int left, int top, int right, int bottom, QRgb color)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, bitmap_.width());
    bottom = std::min(bottom, bitmap_.height());
    for (int y = top; y < bottom && left < right; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(bitmap_.scanLine(y));
        std::fill(row + left, row + right, color);
    }
}

void TVisualiser::SetPixel(int x, int y, QRgb color)
{
    if (x >= 0 && y >= 0 && x < bitmap_.width() && y < bitmap_.height())
        reinterpret_cast<QRgb*>(bitmap_.scanLine(y))[x] = color;
}

QRgb TVisualiser::Rgb(platform::TColor color)
{
    return platform::ToQColor(color).rgb();
}

int TVisualiser::Truncate(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -CoordinateLimit, CoordinateLimit));
}

float TVisualiser::At(std::span<const float> data, int64_t index)
{
    return index >= 0 && index < static_cast<int64_t>(data.size()) ? data[static_cast<size_t>(index)] : 0.0f;
}

int TVisualiser::FrameSum(std::span<const int16_t> samples, int64_t index)
{
    const auto sample = [&](int64_t at) {
        return at >= 0 && at < static_cast<int64_t>(samples.size()) ? samples[static_cast<size_t>(at)] : 0;
    };
    return sample(2 * index) + sample(2 * index + 1);
}
