#include "shell/FileAssociations.h"

#include "foundation/General.h"
#include "platform/Dde.h"
#include "platform/DesktopAssociations.h"
#include "platform/Registry.h"
#include "shell/ShellNames.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr platform::RegistryRoot ClassesRoot = platform::RegistryRoot::ClassesRoot;

// A key and the default value the registration gives it.
struct KeyValue {
    QString key;
    QString value;
};

QString VerbKey(const QString& className, const QString& verb, const char* leaf)
{
    return QStringLiteral("%1\\shell\\%2\\%3").arg(className, verb, QLatin1String(leaf));
}

// What each routine writes: the same list tells the start-up check what a registration leaves.
std::vector<KeyValue> FileTypeValues(const QString& executablePath, const QString& extension,
                                     const QString& className, const QString& classText,
                                     const QString& parameterText, const QString& verb)
{
    const QString parameters = parameterText.isEmpty() ? QStringLiteral("\"%1\"") : parameterText;
    return {{extension, className},
            {className, classText},
            {VerbKey(className, verb, "command"), executablePath + QLatin1Char(' ') + parameters}};
}

std::vector<KeyValue> DDEVerbValues(const QString& executablePath, const QString& className,
                                    const QString& verb, const QString& macro)
{
    const QString ddeexec = VerbKey(className, verb, "ddeexec");
    return {{ddeexec, macro},
            {ddeexec + QStringLiteral("\\Application"), platform::DdeServiceName(executablePath)},
            {ddeexec + QStringLiteral("\\topic"), QLatin1String(MacrosTopic)}};
}

KeyValue IconValue(const QString& className, const QString& executablePath, int index)
{
    return {className + QStringLiteral("\\DefaultIcon"),
            QStringLiteral("%1,%2").arg(executablePath).arg(index)};
}

void WriteKeys(platform::Registry& registry, const std::vector<KeyValue>& values)
{
    for (const KeyValue& written : values) {
        OpenOrCreateKey(registry, written.key);
        registry.WriteValue(ClassesRoot, written.key, QString(), written.value);
    }
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
    WriteKeys(registry, FileTypeValues(executablePath, extension, className, classText, parameterText, verb));
}

void RegisterDDEVerb(platform::Registry& registry, const QString& executablePath, const QString& className,
                     const QString& verb, const QString& macro)
{
    WriteKeys(registry, DDEVerbValues(executablePath, className, verb, macro));
}

void SetFileTypeIcon(platform::Registry& registry, const QString& className, const QString& executablePath,
                     int index)
{
    WriteKeys(registry, {IconValue(className, executablePath, index)});
}

bool IsFileTypeRegistered(const platform::Registry& registry, const QString& executablePath,
                          const QString& extension, const QString& className)
{
    const auto extensionClass = registry.ReadValue(ClassesRoot, extension, QString());
    if (!extensionClass || extensionClass->compare(className, Qt::CaseInsensitive) != 0)
        return false;
    const QString verb = QLatin1String(EnqueueVerb);
    std::vector<KeyValue> expected =
        FileTypeValues(executablePath, extension, className, QLatin1String(FileClassText), QString(), verb);
    expected.erase(expected.begin()); // the extension's class, compared without regard to case above
    for (const KeyValue& value :
         DDEVerbValues(executablePath, className, verb, QLatin1String(OpenMacroTemplate)))
        expected.push_back(value);
    expected.push_back(IconValue(className, executablePath, 0));
    return std::all_of(expected.begin(), expected.end(), [&registry](const KeyValue& value) {
        return registry.ReadValue(ClassesRoot, value.key, QString()) == value.value;
    });
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
        }
    } catch (const platform::RegistryError& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    // The desktop's files follow the registry at every start, also when it needed nothing: they are
    // ours to keep whole, and only what differs is written.
    platform::NotifyAssociationsChanged(registry);
}
