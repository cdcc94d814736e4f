#pragma once
// Colours as the system stores them: 0x00BBGGRR (0x0000FF is red).
#include <QColor>
#include <cstdint>

namespace platform {

using TColor = int32_t;

QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

} // namespace platform
