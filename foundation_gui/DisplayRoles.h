#pragma once
// The sixteen display roles of the station's lists, each with a font and a background colour, and
// their sections "fonts" and "colors" in the settings file.
#include "platform_gui/Color.h"

#include <QFont>
#include <QString>
#include <array>

class SettingsWriter;

enum DisplayRole : int {
    RoleCombinations,
    RoleCombinationsCopied,
    RoleCombinationsCut,
    RoleCombinationsSelected,
    RoleCombinationsInfo,
    RoleChannels,
    RoleChannelsPlaying,
    RoleChannelsSelected,
    RoleChannelsInfo,
    RoleFolders,
    RoleFoldersCopied,
    RoleFoldersCut,
    RoleFoldersSelected,
    RoleFoldersInfo,
    RoleProgramation,
    RoleProgramationSelected,
};
inline constexpr int DisplayRoleCount = 16;
// The two programation roles are read but never written.
inline constexpr int SavedRoleCount = 14;

// The role's key in the settings file, as the reader spells it ("folders_cut").
QString RoleName(DisplayRole role);

// Style bits as stored in the settings file.
enum FontStyleBit : int { StyleBold = 1, StyleItalic = 2, StyleUnderline = 4, StyleStrikeOut = 8 };

// A role's font as the settings file holds it; the QFont is made when painting.
struct TRoleFont {
    QString Name;
    int CharSet = 1; // kept only so the file round-trips
    platform::TColor Color = platform::SystemColor(platform::SysWindowText);
    int Size = 8;  // points
    int Style = 0; // FontStyleBit set
    friend bool operator==(const TRoleFont&, const TRoleFont&) = default;
};

// The application font in the record's terms, with the window-text colour.
TRoleFont DefaultRoleFont();
// Sizes in points map to pixels at 96 per inch, so lists measure alike on every screen.
QFont ToQFont(const TRoleFont& font);

inline constexpr platform::TColor DefaultRoleColor = static_cast<platform::TColor>(0xFFFF8800u);
// What a role gets without a key in the file. The selected rows take the highlight colours and the
// playing entry the on-air red, so both stand out on a new station; every other role the plain
// default colour and font.
platform::TColor RoleDefaultColor(DisplayRole role);
TRoleFont RoleDefaultFont(DisplayRole role);

extern std::array<TRoleFont, DisplayRoleCount> RoleFonts;
extern std::array<platform::TColor, DisplayRoleCount> RoleColors;

// Every role font becomes its role's default font.
void CreateFonts();

// Read from and written to SettingsIni; with no settings file open the roles keep their values.
void LoadFonts();
void LoadFont(const QString& section, const QString& roleName, TRoleFont& font);
void LoadColors();
void SaveFonts(SettingsWriter& writer);
void SaveFont(SettingsWriter& writer, const QString& section, const QString& roleName, const TRoleFont& font);
void SaveColors(SettingsWriter& writer);
