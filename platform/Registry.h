#pragma once
// The station's own small registry: under each root, keys named by "\"-separated paths and compared
// without regard to case (kept as first written), each holding named string values, the name "" being
// the key's default value. The store is one JSON file in the station folder.
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

namespace platform {

enum class RegistryRoot : int { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };

// "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", ...
QString RegistryRootName(RegistryRoot root);

// A key that cannot be created or written because the store cannot be replaced.
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// registry.json in the program folder.
QString StationRegistryPath();

// Every call looks at the file as it is now, so two stores open on one file see each other's writes.
// A missing file is an empty store. A change is written in one atomic replace, and a call that changes
// nothing writes nothing. A file that exists but cannot be read as a store is never overwritten: writes
// to it raise RegistryError.
class Registry {
public:
    explicit Registry(QString path = StationRegistryPath());

    const QString& FileName() const { return path_; }

    // Empty components are left out, so "Software\Station\" and "Software\Station" are one key and ""
    // is the root itself.
    bool KeyExists(RegistryRoot root, const QString& key) const;
    // Creates the key and every missing key above it.
    void CreateKey(RegistryRoot root, const QString& key);
    // Nothing when the key or the value is missing.
    std::optional<QString> ReadValue(RegistryRoot root, const QString& key, const QString& name) const;
    // Creates the key when it is missing.
    void WriteValue(RegistryRoot root, const QString& key, const QString& name, const QString& value);
    // False when there was nothing to delete.
    bool DeleteValue(RegistryRoot root, const QString& key, const QString& name);
    // The key with everything below it; the root itself cannot be deleted.
    bool DeleteKey(RegistryRoot root, const QString& key);
    QStringList SubKeyNames(RegistryRoot root, const QString& key) const;
    QStringList ValueNames(RegistryRoot root, const QString& key) const;

private:
    QString path_;
};

} // namespace platform
