#pragma once
// The "Media Error" box: a text followed by the audio library's last error code and its name.
#include <QString>

int MediaErrorCode();
// The code's name, "ERROR_UNKNOWN 2" for a code the library does not name.
QString MediaErrorName(int code);
// text + "\n\nFX Error Code: " + code for effect codes (100 and above), else
// text + "\n\nError Code: " + code + " " + its name.
QString MediaErrorText(const QString& text, int code);
void ShowMediaError(const QString& text);
