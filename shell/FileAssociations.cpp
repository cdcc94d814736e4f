#include "shell/FileAssociations.h"

#include "foundation/General.h"
#include "platform/Dde.h"
#include "platform/DesktopAssociations.h"
#include "platform/Registry.h"
#include "shell/ShellNames.h"

#include <cstdio>

namespace {

constexpr platform::RegistryRoot ClassesRoot = platform::RegistryRoot::ClassesRoot;

void WriteKey(platform::Registry& registry, const QString& key, const QString& value)
{
    OpenOrCreateKey(registry, key);
    registry.WriteValue(ClassesRoot, key, QString(), value);
}

QString VerbKey(const QString& className, const QString& verb, const char* leaf)
{
    return QStringLiteral("%1\\shell\\%2\\%3").arg(className, verb, QLatin1String(leaf));
}

} // namespace

void OpenOrCreateKey(platform::Registry& registry, const QString& key)
{
    registry.CreateKey(ClassesRoot, key);
}

void RegisterFileType(platform::Registry& registry, const QString& executablePath, const QString& extension,
                      const QString& className, const QString& classText, const QString& parameterText,
                      const QString& verb)
{
    const QString parameters = parameterText.isEmpty() ? QStringLiteral("\"%1\"") : parameterText;
    WriteKey(registry, extension, className);
    WriteKey(registry, className, classText);
    WriteKey(registry, VerbKey(className, verb, "command"), executablePath + QLatin1Char(' ') + parameters);
}

void RegisterDDEVerb(platform::Registry& registry, const QString& executablePath, const QString& className,
                     const QString& verb, const QString& macro)
{
    const QString ddeexec = VerbKey(className, verb, "ddeexec");
    WriteKey(registry, ddeexec, macro);
    WriteKey(registry, ddeexec + QStringLiteral("\\Application"), platform::DdeServiceName(executablePath));
    WriteKey(registry, ddeexec + QStringLiteral("\\topic"), QLatin1String(MacrosTopic));
}

void SetFileTypeIcon(platform::Registry& registry, const QString& className, const QString& executablePath,
                     int index)
{
    WriteKey(registry, className + QStringLiteral("\\DefaultIcon"),
             QStringLiteral("%1,%2").arg(executablePath).arg(index));
}

bool IsFileTypeRegistered(const platform::Registry& registry, const QString& executablePath,
                          const QString& extension, const QString& className)
{
    const auto extensionClass = registry.ReadValue(ClassesRoot, extension, QString());
    if (!extensionClass || extensionClass->compare(className, Qt::CaseInsensitive) != 0)
        return false;
    const auto command =
        registry.ReadValue(ClassesRoot, className + QStringLiteral("\\shell\\open\\command"), QString());
    return command && command->toUpper().startsWith(executablePath.toUpper());
}

void RegisterAudioFileTypes(platform::Registry& registry, const QString& executablePath)
{
    try {
        const QString className = QLatin1String(FileClassName);
        for (const QLatin1String extension : AudioExtensions) {
            if (IsFileTypeRegistered(registry, executablePath, extension, className))
                continue;
            RegisterFileType(registry, executablePath, extension, className, QLatin1String(FileClassText),
                             QStringLiteral("\"%1\""), QLatin1String(EnqueueVerb));
            RegisterDDEVerb(registry, executablePath, className, QLatin1String(EnqueueVerb),
                            QLatin1String(OpenMacroTemplate));
            SetFileTypeIcon(registry, className, executablePath, 0);
            platform::NotifyAssociationsChanged(registry);
        }
    } catch (const platform::RegistryError& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
}
