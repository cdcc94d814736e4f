#include "foundation_gui/DisplayRoles.h"

#include "foundation/General.h"
#include "foundation/SettingsWriter.h"
#include "foundation_gui/ColorNames.h"
#include "platform/Numbers.h"
#include "platform_gui/Font.h"

#include <QApplication>

std::array<TRoleFont, DisplayRoleCount> RoleFonts;
std::array<platform::TColor, DisplayRoleCount> RoleColors{};

namespace {

constexpr std::array<const char*, DisplayRoleCount> RoleNames = {
    "combinations",      "combinations_copied",
    "combinations_cut",  "combinations_selected",
    "combinations_info", "channels",
    "channels_playing",  "channels_selected",
    "channels_info",     "folders",
    "folders_copied",    "folders_cut",
    "folders_selected",  "folders_info",
    "programation",      "programation_selected",
};

const QString FontsSection = QStringLiteral("fonts");
const QString ColorsSection = QStringLiteral("colors");

// The colors section has always spelled the folders keys with a capital letter; keep files alike.
QString ColorKey(DisplayRole role)
{
    QString key = RoleName(role);
    if (role >= RoleFolders && role <= RoleFoldersInfo)
        key[0] = key[0].toUpper();
    return key;
}

bool IsSelectedRole(DisplayRole role)
{
    return role == RoleCombinationsSelected || role == RoleChannelsSelected || role == RoleFoldersSelected ||
           role == RoleProgramationSelected;
}

// The " ON AIR " label's red.
constexpr platform::TColor PlayingRoleColor = 0x0000FF;

} // namespace

QString RoleName(DisplayRole role)
{
    return QLatin1String(RoleNames[static_cast<size_t>(role)]);
}

TRoleFont DefaultRoleFont()
{
    const QFont app = QApplication::font();
    TRoleFont font;
    font.Name = app.family();
    font.Size =
        app.pointSize() > 0 ? app.pointSize() : platform::MulDiv(app.pixelSize(), 72, platform::ScreenDpi);
    font.Style = (app.bold() ? StyleBold : 0) | (app.italic() ? StyleItalic : 0) |
                 (app.underline() ? StyleUnderline : 0) | (app.strikeOut() ? StyleStrikeOut : 0);
    return font;
}

QFont ToQFont(const TRoleFont& font)
{
    return platform::MakeQFont(font.Name, font.Size, font.Style);
}

platform::TColor RoleDefaultColor(DisplayRole role)
{
    if (IsSelectedRole(role))
        return platform::clHighlight;
    if (role == RoleChannelsPlaying)
        return PlayingRoleColor;
    return DefaultRoleColor;
}

TRoleFont RoleDefaultFont(DisplayRole role)
{
    TRoleFont font = DefaultRoleFont();
    if (IsSelectedRole(role))
        font.Color = platform::SystemColor(platform::SysHighlightText);
    else if (role == RoleChannelsPlaying)
        font.Color = platform::clWhite;
    return font;
}

void CreateFonts()
{
    for (int role = 0; role < DisplayRoleCount; ++role)
        RoleFonts[static_cast<size_t>(role)] = RoleDefaultFont(DisplayRole(role));
}

void LoadFont(const QString& section, const QString& roleName, TRoleFont& font)
{
    if (!SettingsIni)
        return;
    const platform::IniFile& ini = *SettingsIni;
    font.Name = ini.ReadString(section, roleName + "_name", font.Name);
    font.CharSet = ini.ReadInteger(section, roleName + "_charSet", font.CharSet) & 0xFF;
    font.Color = ini.ReadInteger(section, roleName + "_color", font.Color);
    font.Size = ini.ReadInteger(section, roleName + "_size", font.Size);
    font.Style = ini.ReadInteger(section, roleName + "_style", font.Style) & 0xFF;
}

void LoadFonts()
{
    for (int role = 0; role < DisplayRoleCount; ++role)
        LoadFont(FontsSection, RoleName(DisplayRole(role)), RoleFonts[static_cast<size_t>(role)]);
}

void LoadColors()
{
    for (int role = 0; role < DisplayRoleCount; ++role) {
        const platform::TColor fallback = RoleDefaultColor(DisplayRole(role));
        const QString defaultText = ColorToString(fallback);
        const QString text =
            SettingsIni ? SettingsIni->ReadString(ColorsSection, RoleName(DisplayRole(role)), defaultText)
                        : defaultText;
        // A text that is no colour counts as missing, so one bad hand edit costs one colour only.
        RoleColors[static_cast<size_t>(role)] = StringToColor(text).value_or(fallback);
    }
}

void SaveFont(SettingsWriter& writer, const QString& section, const QString& roleName, const TRoleFont& font)
{
    writer.WriteString(section, roleName + "_name", font.Name);
    writer.WriteInteger(section, roleName + "_charSet", font.CharSet);
    writer.WriteInteger(section, roleName + "_color", font.Color);
    writer.WriteInteger(section, roleName + "_size", font.Size);
    writer.WriteInteger(section, roleName + "_style", font.Style);
}

void SaveFonts(SettingsWriter& writer)
{
    for (int role = 0; role < SavedRoleCount; ++role)
        SaveFont(writer, FontsSection, RoleName(DisplayRole(role)), RoleFonts[static_cast<size_t>(role)]);
}

void SaveColors(SettingsWriter& writer)
{
    for (int role = 0; role < SavedRoleCount; ++role)
        writer.WriteString(ColorsSection, ColorKey(DisplayRole(role)),
                           ColorToString(RoleColors[static_cast<size_t>(role)]));
}
