#pragma once
// INI files with the profile-string rules the station's files were written under: case-insensitive
// section and key names, first match wins, values trimmed and unquoted, every write reaching the disk
// at once and keeping every line it does not touch.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

namespace platform {

namespace detail {
struct IniDocument;
}

// Raised when a write cannot reach the disk (missing folder, read-only or unreadable file).
class IniWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every call looks at the file as it is on disk now, so edits by hand or by the other program are
// seen at once. One object is used from one thread at a time.
class IniFile {
public:
    explicit IniFile(QString path);

    const QString& FileName() const { return path_; }
    // False only when the file exists but cannot be read.
    bool IsReadable() const;

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    // A line break in a name or value would split the line: each CR and LF is written as a blank.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);

    QStringList ReadSection(const QString& section) const; // key names in file order
    QStringList ReadSections() const;                      // section names in file order
    bool SectionExists(const QString& section) const;      // true only when it holds a key
    bool ValueExists(const QString& section, const QString& key) const;

    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);

    // Writes between BeginBatch and EndBatch change the text in memory only (reads see them); EndBatch
    // puts them on disk in one atomic replace and raises IniWriteError when that fails. A whole save
    // then costs one write to disk instead of one a key.
    void BeginBatch();
    void EndBatch();

private:
    std::shared_ptr<const detail::IniDocument> Load() const;
    // Applies the edit to the file as it is now and replaces the file atomically when it changed.
    void Rewrite(const std::function<bool(detail::IniDocument&)>& edit);
    void WriteOut(detail::IniDocument doc, bool fileExists);

    QString path_;
    bool batching_ = false;
    bool batchDirty_ = false;
    mutable std::shared_ptr<const detail::IniDocument> cache_; // last parse, kept while the bytes match
};

// The integer rule of profile files: decimal with an optional sign, or hexadecimal after "$" or
// "0x"/"0X" (its 32-bit pattern, so "$FFFFFFFF" is -1); nothing when the text is anything else or
// out of range.
std::optional<int> ParseProfileInteger(QStringView text);

} // namespace platform
