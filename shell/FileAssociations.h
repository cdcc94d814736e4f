#pragma once
// The station's file types in the registry (HKEY_CLASSES_ROOT): each audio extension points at the file
// class, whose verb runs the program with the file and sends it the Open macro through DDE. At every
// start a type missing any of that is registered again, and the desktop's files are brought in step.
#include <QString>

namespace platform {
class Registry;
}

// All on HKEY_CLASSES_ROOT, every value the key's default value.
// Opens the key, creating it when missing; raises platform::RegistryError when it cannot.
void OpenOrCreateKey(platform::Registry& registry, const QString& key);
// An empty parameter text becomes "%1" in double quotes.
void RegisterFileType(platform::Registry& registry, const QString& executablePath, const QString& extension,
                      const QString& className, const QString& classText, const QString& parameterText,
                      const QString& verb);
// The verb's DDE execute: the macro, the executable's service and the handler's conversation name.
void RegisterDDEVerb(platform::Registry& registry, const QString& executablePath, const QString& className,
                     const QString& verb, const QString& macro);
void SetFileTypeIcon(platform::Registry& registry, const QString& className, const QString& executablePath,
                     int index);
// True when the registry holds everything the registration writes for the extension: the extension
// pointing at the class, the class text, the verb's command, DDE macro, service and topic, and the icon.
bool IsFileTypeRegistered(const platform::Registry& registry, const QString& executablePath,
                          const QString& extension, const QString& className);

// The start-up loop over the four audio extensions. The first registry error ends it with a line on
// stderr (the log is not open yet); the caller goes on.
void RegisterAudioFileTypes(platform::Registry& registry, const QString& executablePath);
