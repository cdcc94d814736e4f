#include "skin/core/SkinColours.h"

#include "skin/core/SkinDescription.h"
#include "skin/core/SkinSource.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

platform::TColor ParseColourText(const QString& text, platform::TColor defaultColour)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return defaultColour;
    constexpr int64_t Largest = std::numeric_limits<int32_t>::max();
    std::array<int64_t, 3> channels{};
    int taken = 0;
    int64_t number = 0;
    bool inRun = false;
    for (const QChar c : trimmed) {
        if (c >= u'0' && c <= u'9') {
            number = std::min(number * 10 + (c.unicode() - u'0'), Largest);
            inRun = true;
            continue;
        }
        if (inRun && taken < 3)
            channels[static_cast<size_t>(taken++)] = number;
        inRun = false;
        number = 0;
    }
    if (inRun && taken == 2)
        channels[2] = number;
    // The sum as the 32-bit value it wraps to, as the colour's bytes would hold it.
    const auto colour = static_cast<uint32_t>(channels[0] + channels[1] * 256 + channels[2] * 65536);
    return static_cast<platform::TColor>(colour);
}

TSkinColours ReadColourSet(const TSkinSource& source)
{
    const QString section = QStringLiteral("Colours");
    const auto read = [&](const char* key, platform::TColor defaultColour) {
        return source.Colour(section, QString::fromLatin1(key), defaultColour);
    };
    TSkinColours colours;
    colours.WindowText = read("WindowText", platform::clWindowText);
    colours.TitleTextActive = read("TitleTextActive", platform::clCaptionText);
    colours.TitleTextNoActive = read("TitleTextNoActive", platform::clInactiveCaptionText);
    colours.ButtonFace = read("ButtonFace", platform::clBtnFace);
    colours.ButtonText = read("ButtonText", platform::clBtnText);
    colours.ButtonHilight = read("ButtonHilight", platform::clBtnHighlight);
    colours.Buttonlight = read("Buttonlight", platform::clBtnHighlight);
    colours.ButtonShadow = read("ButtonShadow", platform::clBtnShadow);
    colours.ButtonDkShadow = read("ButtonDkShadow", platform::cl3DDkShadow);
    colours.HilightText = read("HilightText", platform::clHighlightText);
    colours.Hilight = read("Hilight", platform::clHighlight);
    colours.Menubar = read("Menubar", colours.ButtonFace);
    colours.MenuBarText = read("MenuBarText", platform::clMenuText);
    colours.MenuText = read("MenuText", platform::clMenuText);
    colours.Menu = read("Menu", platform::clMenu);
    colours.Scrollbar = read("Scrollbar", platform::clScrollBar);
    return colours;
}

QList<platform::TColor> ReadColourTable(const TSkinSource& source, const QStringList& sections)
{
    QList<platform::TColor> table;
    for (const QString& section : sections) {
        const QString upper = section.toUpper();
        if (upper.startsWith(QStringLiteral("COLOUR")) && upper != QStringLiteral("COLOURS"))
            table.append(source.Colour(section, QStringLiteral("color"), platform::clWindowText));
    }
    return table;
}

std::array<platform::TColor, 10> ReadCustomColours(const TSkinSource& source)
{
    std::array<platform::TColor, 10> colours{};
    for (size_t i = 0; i < colours.size(); ++i)
        colours[i] = source.Colour(QStringLiteral("Customcolors"), QStringLiteral("Color%1").arg(i),
                                   platform::clWhite);
    return colours;
}
