#include "foundation_gui/ColorNames.h"

#include "platform/IniFile.h"

#include <array>
#include <span>

namespace {

using platform::SystemColor;
using platform::TColor;

struct ColorName {
    const char* name;
    TColor value;
};

// Written and read: the names files of the station have always carried.
constexpr std::array<ColorName, 43> WrittenNames = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", SystemColor(0)},
    {"clBackground", SystemColor(1)},
    {"clActiveCaption", SystemColor(2)},
    {"clInactiveCaption", SystemColor(3)},
    {"clMenu", SystemColor(4)},
    {"clWindow", SystemColor(5)},
    {"clWindowFrame", SystemColor(6)},
    {"clMenuText", SystemColor(7)},
    {"clWindowText", SystemColor(8)},
    {"clCaptionText", SystemColor(9)},
    {"clActiveBorder", SystemColor(10)},
    {"clInactiveBorder", SystemColor(11)},
    {"clAppWorkSpace", SystemColor(12)},
    {"clHighlight", SystemColor(13)},
    {"clHighlightText", SystemColor(14)},
    {"clBtnFace", SystemColor(15)},
    {"clBtnShadow", SystemColor(16)},
    {"clGrayText", SystemColor(17)},
    {"clBtnText", SystemColor(18)},
    {"clInactiveCaptionText", SystemColor(19)},
    {"clBtnHighlight", SystemColor(20)},
    {"cl3DDkShadow", SystemColor(21)},
    {"cl3DLight", SystemColor(22)},
    {"clInfoText", SystemColor(23)},
    {"clInfoBk", SystemColor(24)},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
}};

// Read only: names of later toolkits that hand-edited files may carry; written as numbers.
constexpr std::array<ColorName, 9> ReadOnlyNames = {{
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clHotLight", SystemColor(26)},
    {"clGradientActiveCaption", SystemColor(27)},
    {"clGradientInactiveCaption", SystemColor(28)},
    {"clMenuHighlight", SystemColor(29)},
    {"clMenuBar", SystemColor(30)},
}};

std::optional<TColor> FindName(std::span<const ColorName> table, const QString& text)
{
    for (const ColorName& entry : table)
        if (text.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.value;
    return std::nullopt;
}

} // namespace

QString ColorToString(platform::TColor color)
{
    for (const ColorName& entry : WrittenNames)
        if (entry.value == color)
            return QLatin1String(entry.name);
    return QStringLiteral("$%1").arg(static_cast<uint32_t>(color), 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<platform::TColor> StringToColor(const QString& text)
{
    if (const auto named = FindName(WrittenNames, text))
        return named;
    if (const auto named = FindName(ReadOnlyNames, text))
        return named;
    if (const auto number = platform::ParseProfileInteger(text))
        return static_cast<TColor>(*number);
    return std::nullopt;
}
