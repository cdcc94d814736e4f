#include "playout/MediaError.h"

#include "audiolib/AudioLib.h"
#include "platform_gui/Dialogs.h"

#include <map>

namespace {

// Codes 100 and above belong to the effects and are shown by number only.
constexpr int FirstFXCode = 100;

const std::map<int, const char*>& ErrorNames()
{
    static const std::map<int, const char*> names = {
        {-1, "ERROR_UNKNOWN"},  {0, "OK"},
        {1, "ERROR_MEM"},       {2, "ERROR_FILEOPEN"},
        {3, "ERROR_DRIVER"},    {4, "ERROR_BUFLOST"},
        {5, "ERROR_HANDLE"},    {6, "ERROR_FORMAT"},
        {7, "ERROR_POSITION"},  {8, "ERROR_INIT"},
        {9, "ERROR_START"},     {14, "ERROR_ALREADY"},
        {16, "ERROR_NOPAUSE"},  {18, "ERROR_NOCHAN"},
        {19, "ERROR_ILLTYPE"},  {20, "ERROR_ILLPARAM"},
        {21, "ERROR_NO3D"},     {22, "ERROR_NOEAX"},
        {23, "ERROR_DEVICE"},   {24, "ERROR_NOPLAY"},
        {25, "ERROR_FREQ"},     {27, "ERROR_NOTFILE"},
        {29, "ERROR_NOHW"},     {31, "ERROR_EMPTY"},
        {32, "ERROR_NONET"},    {33, "ERROR_CREATE"},
        {34, "ERROR_NOFX"},     {35, "ERROR_PLAYING"},
        {37, "ERROR_NOTAVAIL"}, {38, "ERROR_DECODE"},
        {39, "ERROR_DX"},       {40, "ERROR_TIMEOUT"},
        {41, "ERROR_FILEFORM"}, {42, "ERROR_SPEAKER"},
    };
    return names;
}

} // namespace

int MediaErrorCode()
{
    return audiolib::ErrorGetCode();
}

QString MediaErrorName(int code)
{
    const auto found = ErrorNames().find(code);
    return found != ErrorNames().end() ? QString::fromLatin1(found->second)
                                       : QStringLiteral("ERROR_UNKNOWN 2");
}

QString MediaErrorText(const QString& text, int code)
{
    if (code >= FirstFXCode)
        return text + QStringLiteral("\n\nFX Error Code: ") + QString::number(code);
    return text + QStringLiteral("\n\nError Code: ") + QString::number(code) + ' ' + MediaErrorName(code);
}

void ShowMediaError(const QString& text)
{
    platform::MessageBox(QStringLiteral("Media Error"), MediaErrorText(text, MediaErrorCode()),
                         QMessageBox::Critical);
}
