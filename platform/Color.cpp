#include "platform/Color.h"

namespace platform {

QColor ToQColor(TColor color)
{
    const auto value = static_cast<uint32_t>(color);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

TColor FromQColor(const QColor& color)
{
    return static_cast<TColor>(static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
                               (static_cast<uint32_t>(color.blue()) << 16));
}

} // namespace platform
