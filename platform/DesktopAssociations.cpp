#include "platform/DesktopAssociations.h"

#include "platform/FileReplace.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <cstdio>

namespace platform {

namespace {

struct ExtensionTypes {
    const char* extension;
    QStringList mimeTypes;
};

// As the shared MIME database names them; ".ogg" is ambiguous there and content sniffing picks Vorbis.
const std::vector<ExtensionTypes>& AudioTypes()
{
    static const std::vector<ExtensionTypes> types{
        {".MP3", {"audio/mpeg"}},
        {".WAV", {"audio/x-wav"}},
        {".OGG", {"audio/ogg", "audio/x-vorbis+ogg"}},
        {".WMA", {"audio/x-ms-wma"}},
    };
    return types;
}

const QByteArray DefaultApplications = "[Default Applications]";
const QByteArray AddedAssociations = "[Added Associations]";

void Complain(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

// The executable of a stored command: what comes before the blank that starts the parameter text.
QString CommandProgram(const QString& command)
{
    const qsizetype parameters = command.lastIndexOf(QStringLiteral(" \"%1\""));
    return parameters > 0 ? command.left(parameters) : QString();
}

// "path,index" names the index-th icon of the file; here each program has one picture beside it.
QString IconFile(const QString& defaultIcon)
{
    const qsizetype comma = defaultIcon.lastIndexOf(QLatin1Char(','));
    return comma > 0 ? defaultIcon.left(comma) + QStringLiteral(".png") : QString();
}

// An action ID allows letters, digits and "-": the verb's first word, so "Enqueue in Sonvela" gives
// "Enqueue".
QString ActionId(const QString& verb)
{
    QString id;
    for (const QChar c : verb.section(QLatin1Char(' '), 0, 0))
        if (c.isLetterOrNumber() && c.unicode() < 0x80)
            id += c;
    return id.isEmpty() ? QStringLiteral("Open") : id;
}

bool IsSection(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    return trimmed.startsWith('[') && trimmed.endsWith(']');
}

QByteArray AssociationLine(const QString& type, const QString& desktopId, const QByteArray& oldValue)
{
    QByteArray value = desktopId.toUtf8() + ';';
    for (const QByteArray& other : oldValue.split(';')) {
        const QByteArray id = other.trimmed();
        if (!id.isEmpty() && id != desktopId.toUtf8())
            value += id + ';';
    }
    return type.toUtf8() + '=' + value;
}

// Rewrites the type lines of the section starting at header and adds the missing ones after its last
// entry.
void MergeSection(QList<QByteArray>& lines, qsizetype header, const QString& desktopId,
                  const QStringList& mimeTypes)
{
    QStringList missing = mimeTypes;
    qsizetype last = header;
    qsizetype at = header + 1;
    for (; at < lines.size() && !IsSection(lines[at]); ++at) {
        // New lines go after the section's last entry, not after a comment that heads the next section.
        const QByteArray trimmed = lines[at].trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith('#') && !trimmed.startsWith(';'))
            last = at;
        const qsizetype equals = lines[at].indexOf('=');
        if (equals < 0)
            continue;
        const QString key = QString::fromUtf8(lines[at].left(equals).trimmed());
        if (!mimeTypes.contains(key))
            continue;
        lines[at] = AssociationLine(key, desktopId, lines[at].mid(equals + 1).trimmed());
        missing.removeAll(key);
    }
    for (const QString& type : missing)
        lines.insert(++last, AssociationLine(type, desktopId, {}));
}

bool WriteIfChanged(const QString& path, const QByteArray& bytes, bool& changed)
{
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == bytes)
        return true;
    QString error;
    if (!ReplaceFile(path, bytes, error)) {
        Complain(QStringLiteral("Cannot write %1: %2").arg(path, error));
        return false;
    }
    changed = true;
    return true;
}

QString Default(const Registry& registry, const QString& key)
{
    return registry.ReadValue(RegistryRoot::ClassesRoot, key, QString()).value_or(QString());
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QStringList MimeTypesOfExtension(const QString& extension)
{
    for (const ExtensionTypes& types : AudioTypes())
        if (extension.compare(QLatin1String(types.extension), Qt::CaseInsensitive) == 0)
            return types.mimeTypes;
    return {};
}

QString DesktopStringValue(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        default:
            out += c;
        }
    }
    if (out.startsWith(QLatin1Char(' ')))
        out.replace(0, 1, QStringLiteral("\\s"));
    return out;
}

QString DesktopExecArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return DesktopStringValue(quoted).replace(QLatin1Char('%'), QStringLiteral("%%"));
}

std::vector<DesktopAssociation> StoredAssociations(const Registry& registry)
{
    std::vector<DesktopAssociation> found;
    for (const ExtensionTypes& types : AudioTypes()) {
        const QString className = Default(registry, QLatin1String(types.extension));
        if (className.isEmpty())
            continue;
        const QString desktopId = className + QStringLiteral(".desktop");
        auto known = std::find_if(found.begin(), found.end(),
                                  [&](const DesktopAssociation& a) { return a.desktopId == desktopId; });
        if (known != found.end()) {
            known->mimeTypes += types.mimeTypes;
            continue;
        }
        const QString shell = className + QStringLiteral("\\shell\\");
        for (const QString& verb :
             registry.SubKeyNames(RegistryRoot::ClassesRoot, className + QStringLiteral("\\shell"))) {
            const QString program =
                CommandProgram(Default(registry, shell + verb + QStringLiteral("\\command")));
            if (program.isEmpty())
                continue;
            const QString ddeexec = shell + verb + QStringLiteral("\\ddeexec");
            DesktopAssociation association;
            association.desktopId = desktopId;
            association.verb = verb;
            association.classText = Default(registry, className);
            association.programFolder = QFileInfo(program).path();
            association.iconFile = IconFile(Default(registry, className + QStringLiteral("\\DefaultIcon")));
            association.mimeTypes = types.mimeTypes;
            association.ddeExec = Default(registry, ddeexec);
            association.ddeApplication = Default(registry, ddeexec + QStringLiteral("\\Application"));
            association.ddeTopic = Default(registry, ddeexec + QStringLiteral("\\topic"));
            found.push_back(association);
            break;
        }
    }
    return found;
}

QByteArray DesktopEntryText(const DesktopAssociation& association)
{
    const QString client = association.programFolder + QLatin1Char('/') + QLatin1String(DesktopClientName);
    const QString exec = DesktopExecArgument(client) + QStringLiteral(" %F");
    const QString action = ActionId(association.verb);
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=") + DesktopStringValue(association.verb) + QLatin1Char('\n');
    text += QStringLiteral("Comment=") + DesktopStringValue(association.classText) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + exec + QLatin1Char('\n');
    text += QStringLiteral("TryExec=") + DesktopStringValue(client) + QLatin1Char('\n');
    if (!association.iconFile.isEmpty())
        text += QStringLiteral("Icon=") + DesktopStringValue(association.iconFile) + QLatin1Char('\n');
    text +=
        QStringLiteral("MimeType=") + association.mimeTypes.join(QLatin1Char(';')) + QStringLiteral(";\n");
    text += QStringLiteral("NoDisplay=true\n");
    text += QStringLiteral("Terminal=false\n");
    text += QStringLiteral("Actions=") + action + QStringLiteral(";\n");
    text += QStringLiteral("X-Sonvela-DDE-Application=") + DesktopStringValue(association.ddeApplication) +
            QLatin1Char('\n');
    text +=
        QStringLiteral("X-Sonvela-DDE-Topic=") + DesktopStringValue(association.ddeTopic) + QLatin1Char('\n');
    text +=
        QStringLiteral("X-Sonvela-DDE-Exec=") + DesktopStringValue(association.ddeExec) + QLatin1Char('\n');
    text += QLatin1Char('\n');
    text += QStringLiteral("[Desktop Action ") + action + QStringLiteral("]\n");
    text += QStringLiteral("Name=") + DesktopStringValue(association.verb) + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + exec + QLatin1Char('\n');
    return text.toUtf8();
}

QByteArray MergedMimeApps(const QByteArray& existing, const QString& desktopId, const QStringList& mimeTypes)
{
    QList<QByteArray> lines = existing.split('\n');
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast(); // the final line break
    else if (lines.size() == 1 && lines.first().isEmpty())
        lines.clear();
    for (const QByteArray& section : {DefaultApplications, AddedAssociations}) {
        qsizetype header = -1;
        for (qsizetype i = 0; i < lines.size() && header < 0; ++i)
            if (lines[i].trimmed() == section)
                header = i;
        if (header < 0) {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
                lines.append(QByteArray());
            lines.append(section);
            header = lines.size() - 1;
        }
        MergeSection(lines, header, desktopId, mimeTypes);
    }
    return lines.join('\n') + '\n';
}

void NotifyAssociationsChanged(const Registry& registry)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/applications");
    const std::vector<DesktopAssociation> associations = StoredAssociations(registry);
    if (associations.empty())
        return;
    if (!QDir().mkpath(folder)) {
        Complain(QStringLiteral("Cannot create the folder %1: the desktop does not learn the file types")
                     .arg(folder));
        return;
    }
    bool changed = false;
    const QString mimeApps = folder + QStringLiteral("/mimeapps.list");
    for (const DesktopAssociation& association : associations) {
        if (!WriteIfChanged(folder + QLatin1Char('/') + association.desktopId, DesktopEntryText(association),
                            changed))
            return;
        if (!WriteIfChanged(mimeApps,
                            MergedMimeApps(ReadAll(mimeApps), association.desktopId, association.mimeTypes),
                            changed))
            return;
    }
    const QString refresh = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (changed && !refresh.isEmpty())
        QProcess::startDetached(refresh, {QStringLiteral("-q"), folder});
}

} // namespace platform
