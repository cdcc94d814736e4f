#pragma once
// The run-time binding of the themed-painting library. This platform has none: the library is
// absent and no entry is bound, so every themed branch of the controls paints the classic way.
#include <array>

struct TLXThemeLibrary {
    static constexpr int EntryCount = 31;
    static constexpr std::array<const char*, EntryCount> Names = {
        "DrawThemeEdge",
        "DrawThemeBackground",
        "DrawThemeParentBackground",
        "DrawThemeText",
        "DrawThemeIcon",
        "OpenThemeData",
        "CloseThemeData",
        "IsThemeBackgroundPartiallyTransparent",
        "GetThemeBackgroundContentRect",
        "SetWindowTheme",
        "SetThemeAppProperties",
        "IsThemePartDefined",
        "GetThemeColor",
        "GetThemeMetric",
        "GetThemeString",
        "GetThemeBool",
        "GetThemeInt",
        "GetThemeEnumValue",
        "GetThemePosition",
        "GetThemeFont",
        "GetThemeRect",
        "GetThemeFilename",
        "GetThemeSysColor",
        "GetThemeSysColorBrush",
        "GetThemeSysBool",
        "IsThemeActive",
        "IsAppThemed",
        "GetWindowTheme",
        "EnableThemeDialogTexture",
        "IsThemeDialogTextureEnabled",
        "EnableTheming",
    };
    bool Present = false;
    std::array<void*, EntryCount> Entries{};
};

const TLXThemeLibrary& ThemeLibrary();

// The fill object asks which family of the original platform it runs on; always the newer one.
inline constexpr bool IsWinNT = true;
