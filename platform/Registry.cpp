#include "platform/Registry.h"

#include "platform/FileReplace.h"
#include "platform/Paths.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>
#include <utility>

namespace platform {

namespace {

// A key is {"values": {name: text}, "keys": {name: key}}; the file holds one key per root name.
const QString ValuesField = QStringLiteral("values");
const QString KeysField = QStringLiteral("keys");

struct Store {
    QJsonObject roots;
    std::optional<QString> refusal; // why the file may not be replaced
};

Store Load(const QString& path)
{
    Store store;
    QFile file(path);
    if (!file.exists())
        return store;
    if (!file.open(QIODevice::ReadOnly)) {
        store.refusal = QStringLiteral("%1 cannot be read").arg(path);
        return store;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        store.refusal = QStringLiteral("%1 is not a registry file").arg(path);
    else
        store.roots = document.object();
    return store;
}

QStringList Components(const QString& key)
{
    return key.split(u'\\', Qt::SkipEmptyParts);
}

// The stored spelling of a name, found without regard to case.
std::optional<QString> FindName(const QJsonObject& object, const QString& name)
{
    for (auto it = object.begin(); it != object.end(); ++it)
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.key();
    return std::nullopt;
}

std::optional<QJsonObject> FindKey(const Store& store, RegistryRoot root, const QString& key)
{
    QJsonObject node = store.roots.value(RegistryRootName(root)).toObject();
    for (const QString& component : Components(key)) {
        const QJsonObject keys = node.value(KeysField).toObject();
        const auto name = FindName(keys, component);
        if (!name)
            return std::nullopt;
        node = keys.value(*name).toObject();
    }
    return node;
}

using KeyEdit = std::function<bool(QJsonObject& key)>;

// Applies the edit to the key at the path, making the missing keys on the way when create is set.
// True when anything changed.
bool EditKey(QJsonObject& node, QStringList path, bool create, const KeyEdit& edit)
{
    if (path.isEmpty())
        return edit(node);
    QJsonObject keys = node.value(KeysField).toObject();
    const auto existing = FindName(keys, path.first());
    if (!existing && !create)
        return false;
    const QString name = existing.value_or(path.first());
    QJsonObject child = keys.value(name).toObject();
    path.removeFirst();
    if (!EditKey(child, std::move(path), create, edit) && existing)
        return false;
    keys.insert(name, child);
    node.insert(KeysField, keys);
    return true;
}

QString CreateKeyError(RegistryRoot root, const QString& key)
{
    return QStringLiteral("Cannot create key %1, the user account may not have the required rights to create "
                          "registry keys under %2.")
        .arg(key, RegistryRootName(root));
}

// Edits the store as it is on disk now and replaces the file when the edit changed it.
bool Modify(const QString& path, RegistryRoot root, const QString& key, bool create, const KeyEdit& edit)
{
    Store store = Load(path);
    QJsonObject rootKey = store.roots.value(RegistryRootName(root)).toObject();
    if (!EditKey(rootKey, Components(key), create, edit))
        return false;
    if (store.refusal)
        throw RegistryError(CreateKeyError(root, key).toStdString());
    store.roots.insert(RegistryRootName(root), rootKey);
    QString error;
    if (!ReplaceFile(path, QJsonDocument(store.roots).toJson(QJsonDocument::Indented), error))
        throw RegistryError(CreateKeyError(root, key).toStdString());
    return true;
}

} // namespace

QString RegistryRootName(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::ClassesRoot:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case RegistryRoot::CurrentUser:
        return QStringLiteral("HKEY_CURRENT_USER");
    case RegistryRoot::LocalMachine:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    case RegistryRoot::Users:
        return QStringLiteral("HKEY_USERS");
    case RegistryRoot::CurrentConfig:
        return QStringLiteral("HKEY_CURRENT_CONFIG");
    case RegistryRoot::DynData:
        return QStringLiteral("HKEY_DYN_DATA");
    }
    return QString();
}

QString StationRegistryPath()
{
    return JoinPath(ProgramFolder(), QStringLiteral("registry.json"));
}

Registry::Registry(QString path) : path_(std::move(path)) {}

bool Registry::KeyExists(RegistryRoot root, const QString& key) const
{
    return FindKey(Load(path_), root, key).has_value();
}

void Registry::CreateKey(RegistryRoot root, const QString& key)
{
    Modify(path_, root, key, true, [](QJsonObject&) { return false; });
}

std::optional<QString> Registry::ReadValue(RegistryRoot root, const QString& key, const QString& name) const
{
    const auto node = FindKey(Load(path_), root, key);
    if (!node)
        return std::nullopt;
    const QJsonObject values = node->value(ValuesField).toObject();
    const auto stored = FindName(values, name);
    if (!stored)
        return std::nullopt;
    return values.value(*stored).toString();
}

void Registry::WriteValue(RegistryRoot root, const QString& key, const QString& name, const QString& value)
{
    Modify(path_, root, key, true, [&](QJsonObject& node) {
        QJsonObject values = node.value(ValuesField).toObject();
        const QString stored = FindName(values, name).value_or(name);
        if (values.contains(stored) && values.value(stored).toString() == value)
            return false;
        values.insert(stored, value);
        node.insert(ValuesField, values);
        return true;
    });
}

bool Registry::DeleteValue(RegistryRoot root, const QString& key, const QString& name)
{
    return Modify(path_, root, key, false, [&](QJsonObject& node) {
        QJsonObject values = node.value(ValuesField).toObject();
        const auto stored = FindName(values, name);
        if (!stored)
            return false;
        values.remove(*stored);
        node.insert(ValuesField, values);
        return true;
    });
}

bool Registry::DeleteKey(RegistryRoot root, const QString& key)
{
    QStringList path = Components(key);
    if (path.isEmpty())
        return false;
    const QString last = path.takeLast();
    return Modify(path_, root, path.join(u'\\'), false, [&](QJsonObject& node) {
        QJsonObject keys = node.value(KeysField).toObject();
        const auto stored = FindName(keys, last);
        if (!stored)
            return false;
        keys.remove(*stored);
        node.insert(KeysField, keys);
        return true;
    });
}

QStringList Registry::SubKeyNames(RegistryRoot root, const QString& key) const
{
    const auto node = FindKey(Load(path_), root, key);
    return node ? node->value(KeysField).toObject().keys() : QStringList();
}

QStringList Registry::ValueNames(RegistryRoot root, const QString& key) const
{
    const auto node = FindKey(Load(path_), root, key);
    return node ? node->value(ValuesField).toObject().keys() : QStringList();
}

} // namespace platform
