#include "foundation/General.h"

#include <QCoreApplication>
#include <QDir>

QString AppDir;
QString SettingsPath;
QString UsersPath;
QString LogDir;
QString CombinationsPath;
QString SkinsDir;
QString LogoFile;
QString MainTitle;

std::unique_ptr<platform::IniFile> SettingsIni;
std::unique_ptr<platform::IniFile> UsersIni;

QString ProgramFolder()
{
    const QString overridden = qEnvironmentVariable(AppDirVariable);
    const QString folder =
        overridden.isEmpty() ? QCoreApplication::applicationDirPath() : QDir(overridden).absolutePath();
    return platform::WithTrailingSeparator(folder);
}
