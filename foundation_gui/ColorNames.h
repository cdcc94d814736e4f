#pragma once
// The text form of a colour in the settings file: an identifier such as "clBtnFace" when the value
// has one, otherwise "$" and eight upper-case hexadecimal digits.
#include "platform_gui/Color.h"

#include <QString>
#include <optional>

// The identifier of the value, or "$" + eight hexadecimal digits.
QString ColorToString(platform::TColor color);

// Any identifier (case-insensitive) or a profile-file integer ("$" hexadecimal or decimal); nothing
// for any other text.
std::optional<platform::TColor> StringToColor(const QString& text);
