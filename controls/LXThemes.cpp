#include "controls/LXThemes.h"

const TLXThemeLibrary& ThemeLibrary()
{
    static const TLXThemeLibrary library;
    return library;
}
