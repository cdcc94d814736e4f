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
// seen at once: the file is read again when its size, times or identity changed (or it changed too
// recently for its times to tell), and parsed again only when its bytes did. One object is used from
// one thread at a time.
class IniFile {
public:
    explicit IniFile(QString path);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

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

    // Writes between BeginBatch and EndBatch change the text in memory only (reads see them); the
    // outermost EndBatch puts them on disk in one atomic replace and raises IniWriteError when that
    // fails. A batch looks at the disk once, at its first call, so a whole save costs one read and one
    // write, and each write in it costs what it changes.
    void BeginBatch();
    void EndBatch();

private:
    friend class IniReadPass;

    // The document as the file holds it now, looked at once in a pass.
    detail::IniDocument& Current() const;
    void Refresh() const;
    // Applies the edit to the file as it is now and, outside a batch, replaces the file when it changed.
    void Rewrite(const std::function<bool(detail::IniDocument&)>& edit);
    void WriteOut();
    void BeginPass() const;
    void EndPass() const;

    QString path_;
    int batchDepth_ = 0;
    bool batchDirty_ = false;
    mutable int passDepth_ = 0;
    mutable bool checkedInPass_ = false;
    mutable std::unique_ptr<detail::IniDocument> doc_; // the last parse, with the file's stamp then
};

// While it lives, reads of the file see it as it was at the first of them: one look at the disk for a
// whole load instead of one a key.
class IniReadPass {
public:
    explicit IniReadPass(const IniFile& ini) : ini_(ini) { ini_.BeginPass(); }
    ~IniReadPass() { ini_.EndPass(); }
    IniReadPass(const IniReadPass&) = delete;
    IniReadPass& operator=(const IniReadPass&) = delete;

private:
    const IniFile& ini_;
};

// The integer rule of profile files: decimal with an optional sign, or hexadecimal after "$" or
// "0x"/"0X" (its 32-bit pattern, so "$FFFFFFFF" is -1); nothing when the text is anything else or
// out of range.
std::optional<int> ParseProfileInteger(QStringView text);

// The value as WriteString must get it for ReadString to give it back as it is: wrapped in one more
// pair of quotes when the reader would strip a pair or trim blanks from its ends.
QString IniQuoted(const QString& value);

} // namespace platform
