#pragma once
// The stand-in for the shell's "associations changed" notice: the file associations kept in the registry
// become the desktop's own files under $XDG_DATA_HOME/applications: one desktop entry per file class
// (its ID is the class name), whose action runs the program's desktop client, and the class named
// first for its audio types in that folder's mimeapps.list. The user's own choices, kept in
// $XDG_CONFIG_HOME/mimeapps.list, are read before ours by the desktop and never written here.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace platform {

class Registry;

// The client the desktop entry runs with the chosen files; it lives beside the program.
inline constexpr char DesktopClientName[] = "sonvela-open";

// One stored file class as the desktop sees it.
struct DesktopAssociation {
    QString desktopId;     // the class name + ".desktop"
    QString verb;          // the entry's name and its action's name
    QString classText;     // the entry's comment
    QString programFolder; // the folder of the executable the stored command names
    QString iconFile;
    QStringList mimeTypes;
    QString ddeExec;
    QString ddeApplication;
    QString ddeTopic;
};

// The MIME types the system's MIME database gives an audio extension (".MP3"); empty for others.
QStringList MimeTypesOfExtension(const QString& extension);

// One argument of an Exec line: quoted, with the characters the quotes do not protect escaped, then
// escaped as a string value, "%" doubled.
QString DesktopExecArgument(const QString& argument);
// A string value of a desktop entry with its backslashes and line breaks escaped.
QString DesktopStringValue(const QString& text);

// The classes the registry's audio extensions point at, with their verb, command, icon and DDE values.
// A class without a verb that has a command is left out.
std::vector<DesktopAssociation> StoredAssociations(const Registry& registry);

QByteArray DesktopEntryText(const DesktopAssociation& association);
// The mimeapps.list text with the desktop ID first for each type in its "Default Applications" and
// "Added Associations" sections, other applications kept after it; every other line as it was.
QByteArray MergedMimeApps(const QByteArray& existing, const QString& desktopId, const QStringList& mimeTypes);

// Writes each file whose bytes change, then refreshes the folder's cache when anything changed. A
// folder that cannot be written is reported on stderr only: the caller goes on.
void NotifyAssociationsChanged(const Registry& registry);

} // namespace platform
