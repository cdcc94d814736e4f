#include "controls/LXGeneral.h"

#include "platform/Numbers.h"
#include "platform/Paths.h"

#include <QStandardPaths>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// A float result as an int: truncated toward zero, saturated, NaN as 0.
int TruncToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

int RoundToInt(double value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp<int64_t>(platform::RoundHalfEven(value), INT_MIN, INT_MAX));
}

platform::TRect FitRect(const platform::TRect& source, const platform::TRect& target)
{
    const int width = source.Width();
    const int height = source.Height();
    if (width == 0 || height == 0)
        return {target.Left, target.Top, target.Left, target.Top};
    const double scale =
        std::min(static_cast<double>(target.Width()) / width, static_cast<double>(target.Height()) / height);
    return {target.Left, target.Top, target.Left + TruncToInt(width * scale),
            target.Top + TruncToInt(height * scale)};
}

platform::TSize RectSize(const platform::TRect& rect)
{
    return {rect.Width(), rect.Height()};
}

void RotatedBounds(platform::TRect& rect, double angle)
{
    if (angle == 0 || !std::isfinite(angle))
        return;
    const double radians = angle * M_PI / 180;
    const double s = std::sin(radians);
    const double c = std::cos(radians);
    const int w2 = rect.Width() / 2;
    const int h2 = rect.Height() / 2;
    const int64_t cx = int64_t(rect.Left) + w2;
    const int64_t cy = int64_t(rect.Top) + h2;
    const int t = RoundToInt(w2 * c - h2 * s);
    const int m = RoundToInt(w2 * c + h2 * s);
    const int t2 = RoundToInt(w2 * s - h2 * c);
    const int u = RoundToInt(w2 * s + h2 * c);
    const int64_t xs[] = {cx - t, cx - m, cx + m, cx + t};
    const int64_t ys[] = {cy + t2, cy + u, cy - u, cy - t2};
    const auto [left, right] = std::minmax_element(std::begin(xs), std::end(xs));
    const auto [top, bottom] = std::minmax_element(std::begin(ys), std::end(ys));
    rect = {0, 0, static_cast<int>(std::min<int64_t>(*right - *left, INT_MAX)),
            static_cast<int>(std::min<int64_t>(*bottom - *top, INT_MAX))};
}

void OffsetPoints(std::vector<platform::TPoint>& points, int high, int dx, int dy)
{
    const int last = std::min(high, static_cast<int>(points.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        points[static_cast<size_t>(i)].X += dx;
        points[static_cast<size_t>(i)].Y += dy;
    }
}

int MaxOf(std::span<const int> values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

int MinOf(std::span<const int> values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

double MinOfReals(std::span<const double> values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

QString AppPath()
{
    return platform::ProgramFolder();
}

QString PathPrefix(TLXPathPrefix kind, bool withSeparator)
{
    QString folder;
    switch (kind) {
    case ppWindows:
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        break;
    case ppSystem:
        folder = QStringLiteral("/etc/xdg");
        break;
    case ppProgram:
        folder = AppPath();
        break;
    case ppFixed:
        return QString();
    }
    if (withSeparator)
        return platform::WithTrailingSeparator(folder);
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}
