#pragma once
// INI files with the profile-string rules the station's files were written under: case-insensitive
// section and key names, first match wins, values trimmed and unquoted, every write reaching the disk
// at once and keeping every line it does not touch.
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace platform {

// Raised when a write cannot reach the disk (missing folder, read-only file).
class IniWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class IniFile {
public:
    explicit IniFile(QString path);

    const QString& FileName() const { return path_; }
    // False only when the file exists but cannot be read.
    bool IsReadable() const;

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    QStringList ReadSection(const QString& section) const; // key names in file order
    QStringList ReadSections() const;                      // section names in file order
    bool SectionExists(const QString& section) const;      // true only when it holds a key
    bool ValueExists(const QString& section, const QString& key) const;

    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);

private:
    QString path_;
};

} // namespace platform
