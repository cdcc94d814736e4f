#include "platform/IniFile.h"

#include "platform/FileReplace.h"
#include "platform/FileStamp.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <QFile>
#include <QHash>

#include <chrono>
#include <cstdint>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {

namespace detail {

enum class LineKind { Blank, Section, Key, Comment, Other };

struct IniLine {
    QString text; // as in the file, without its line end
    LineKind kind = LineKind::Blank;
    bool hasValue = false; // a key line, or a comment line holding "="
    QString name;          // section name, or the trimmed text before the first "="
    QString value;         // the trimmed text after the first "="
};

// A header with the lines up to the next one, and where the first line of each name with a value is
// (found at the first lookup: most sections are only listed, or never read).
struct IniSection {
    IniLine header; // blank for the lines before the first header
    QList<IniLine> lines;
    mutable std::optional<QHash<QString, qsizetype>> keys; // folded name -> index in lines
};

// What tells the versions of a file apart without reading it.
struct IniDocument {
    QByteArray bytes;                    // the file as read or last written
    std::vector<IniSection> sections;    // the first holds the lines before the first header
    QHash<QString, size_t> firstSection; // folded name -> index of the first section of that name
    QString lineEnd = QStringLiteral("\n");
    FileStamp stamp;           // of the file the bytes came from
    bool stampSettled = false; // the file is old enough that any change since moved its stamp
    bool readable = true;
    std::optional<QString> writeRefusal; // why the file may not be replaced
};

} // namespace detail

namespace {

using detail::IniDocument;
using detail::IniLine;
using detail::IniSection;
using detail::LineKind;
using platform::FileStamp;
using platform::StampOf;

// Modification times move in steps of a clock tick (two seconds on some file systems): a file written
// less than this before it was looked at may be written again, in place and to the same size, without
// its time moving, so it is read again at the next look. Any other change moves its change time,
// which the stamp compares too.
constexpr int64_t SettleNs = 2'000'000'000;

IniLine ParseLine(const QString& text)
{
    IniLine line;
    line.text = text;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return line;
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.lastIndexOf(u']');
        if (close > 0) {
            line.kind = LineKind::Section;
            line.name = trimmed.mid(1, close - 1).trimmed();
            return line;
        }
    }
    // A comment keeps its "name=value" reading: a lookup spelled with the ";" still finds it.
    line.kind = trimmed.startsWith(u';') ? LineKind::Comment : LineKind::Other;
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals >= 0) {
        if (line.kind == LineKind::Other)
            line.kind = LineKind::Key;
        line.hasValue = true;
        line.name = trimmed.left(equals).trimmed();
        line.value = trimmed.mid(equals + 1).trimmed();
    }
    return line;
}

// Names compare as QString::compare without regard to case does: code point by code point, folded.
QString Folded(const QString& name)
{
    QString folded(name.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(folded.data());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c < 0x80) {
            out[i] = c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
        } else if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            const char32_t pair = QChar::toCaseFolded(QChar::surrogateToUcs4(c, name[i + 1].unicode()));
            out[i] = QChar::highSurrogate(pair);
            out[++i] = QChar::lowSurrogate(pair);
        } else {
            out[i] = char16_t(QChar::toCaseFolded(char32_t(c)));
        }
    }
    return folded;
}

const QHash<QString, qsizetype>& Keys(const IniSection& section)
{
    if (!section.keys) {
        section.keys.emplace();
        for (qsizetype i = 0; i < section.lines.size(); ++i) {
            if (!section.lines[i].hasValue)
                continue;
            const QString name = Folded(section.lines[i].name);
            if (!section.keys->contains(name))
                section.keys->insert(name, i);
        }
    }
    return *section.keys;
}

void IndexSections(IniDocument& doc)
{
    doc.firstSection.clear();
    for (size_t i = 1; i < doc.sections.size(); ++i) {
        const QString name = Folded(doc.sections[i].header.name);
        if (!doc.firstSection.contains(name))
            doc.firstSection.insert(name, i);
    }
}

void AppendLine(IniDocument& doc, IniLine line)
{
    if (line.kind == LineKind::Section) {
        const QString name = Folded(line.name);
        if (!doc.firstSection.contains(name))
            doc.firstSection.insert(name, doc.sections.size());
        doc.sections.push_back(IniSection{std::move(line), {}, std::nullopt});
        return;
    }
    IniSection& section = doc.sections.back();
    section.keys.reset();
    section.lines.append(std::move(line));
}

IniDocument Parse(const QByteArray& bytes)
{
    IniDocument doc;
    doc.bytes = bytes;
    doc.sections.emplace_back();
    const QByteArray bom("\xEF\xBB\xBF");
    const QString text = DecodeUtf8OrWindows1252(bytes.startsWith(bom) ? bytes.mid(bom.size()) : bytes);
    bool firstBreak = true;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        AppendLine(doc, ParseLine(text.mid(start, i - start)));
        const bool crLf = text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
        if (firstBreak)
            doc.lineEnd = crLf ? QStringLiteral("\r\n") : QStringLiteral("\n");
        firstBreak = false;
        if (crLf)
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        AppendLine(doc, ParseLine(text.mid(start)));
    return doc;
}

QByteArray Serialize(const IniDocument& doc)
{
    QString text;
    text.reserve(doc.bytes.size() + 1024);
    for (size_t i = 0; i < doc.sections.size(); ++i) {
        if (i > 0) {
            text += doc.sections[i].header.text;
            text += doc.lineEnd;
        }
        for (const IniLine& line : doc.sections[i].lines) {
            text += line.text;
            text += doc.lineEnd;
        }
    }
    return text.toUtf8();
}

// Only the first section of a name counts; lines before the first header belong to none.
template <typename Document>
auto FindSection(Document& doc, const QString& name) -> decltype(&doc.sections[0])
{
    const auto at = doc.firstSection.constFind(Folded(name));
    return at == doc.firstSection.constEnd() ? nullptr : &doc.sections[*at];
}

qsizetype FindKey(const IniSection& section, const QString& foldedKey)
{
    return Keys(section).value(foldedKey, -1);
}

// After the section's last line that is neither blank nor a comment, so the blank lines and the
// comments that lead into the next section stay in front of it.
qsizetype NewKeyPosition(const IniSection& section)
{
    for (qsizetype i = section.lines.size() - 1; i >= 0; --i) {
        if (section.lines[i].kind != LineKind::Blank && section.lines[i].kind != LineKind::Comment)
            return i + 1;
    }
    return 0;
}

// Inserts a line with a value; the lines after it move down by one. The name is the line's, folded.
void InsertKey(IniSection& section, qsizetype at, IniLine line, const QString& foldedName)
{
    section.lines.insert(at, std::move(line));
    if (!section.keys)
        return;
    for (qsizetype i = section.lines.size() - 1; i > at; --i) {
        if (!section.lines[i].hasValue)
            continue;
        const auto key = section.keys->find(Folded(section.lines[i].name));
        if (key != section.keys->end() && *key == i - 1)
            *key = i;
    }
    const auto key = section.keys->find(foldedName);
    if (key == section.keys->end() || *key > at)
        section.keys->insert(foldedName, at);
}

// A written line that reads as a header (a key such as "[a]") starts a section there, as it does
// when the file is read again.
void Reparse(IniDocument& doc)
{
    IniDocument fresh = Parse(Serialize(doc));
    doc.sections = std::move(fresh.sections);
    doc.firstSection = std::move(fresh.firstSection);
}

// A new section gets a blank line in front of it, unless the file is empty or ends in one already.
bool NeedsBlankLine(const IniDocument& doc)
{
    const IniSection& last = doc.sections.back();
    if (!last.lines.isEmpty())
        return last.lines.last().kind != LineKind::Blank;
    return doc.sections.size() > 1; // a header without lines
}

bool Settled(const FileStamp& stamp)
{
    if (!stamp.exists)
        return true;
    const int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    return now - stamp.modifiedNs > SettleNs;
}

// Replacing the file by rename would get past both: neither may be overwritten.
std::optional<QString> WriteRefusal(const QString& path, const FileStamp& stamp, bool readable)
{
    if (!stamp.exists)
        return std::nullopt;
    if (!readable)
        return "Cannot read " + path;
    if ((stamp.mode & S_IWUSR) == 0 || ::access(QFile::encodeName(path).constData(), W_OK) != 0)
        return "File is read-only: " + path;
    return std::nullopt;
}

// The line up to its value: the key as the file spells it, the "=" and the blanks after it.
QString ValuePrefix(const QString& text)
{
    qsizetype i = text.indexOf(u'=') + 1;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return text.left(i);
}

bool IsQuoted(const QString& text)
{
    return text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front();
}

QString Unquoted(const QString& text)
{
    return IsQuoted(text) ? text.mid(1, text.size() - 2) : text;
}

QString OneLine(QString text)
{
    return text.replace(u'\r', u' ').replace(u'\n', u' ');
}

QString CleanName(const QString& name)
{
    return OneLine(name).trimmed();
}

QString CleanValue(const QString& value)
{
    QString text = OneLine(value);
    qsizetype first = 0;
    while (first < text.size() && text[first].isSpace())
        ++first;
    return text.mid(first);
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

std::optional<int> ParseProfileInteger(QStringView text)
{
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text = text.mid(1);
    } else if (text.size() > 2 && text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    }
    if (text.isEmpty())
        return std::nullopt;
    const int64_t limit = base == 16 ? 0xFFFFFFFFLL : (negative ? 2147483648LL : 2147483647LL);
    int64_t magnitude = 0;
    for (QChar c : text) {
        const int digit = HexDigit(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    // Hexadecimal gives the 32-bit pattern; the sign applies to the value it stands for.
    const int64_t value = base == 16 ? static_cast<int32_t>(static_cast<uint32_t>(magnitude)) : magnitude;
    return static_cast<int32_t>(static_cast<uint32_t>(negative ? -value : value));
}

IniFile::IniFile(QString path) : path_(std::move(path)) {}

IniFile::~IniFile() = default;

bool IniFile::IsReadable() const
{
    return Current().readable;
}

IniDocument& IniFile::Current() const
{
    if (!doc_ || passDepth_ == 0 || !checkedInPass_) {
        Refresh();
        checkedInPass_ = passDepth_ > 0;
    }
    return *doc_;
}

void IniFile::Refresh() const
{
    const FileStamp stamp = StampOf(path_);
    if (doc_ && doc_->stampSettled && doc_->stamp == stamp)
        return;
    QByteArray bytes;
    bool readable = true;
    if (stamp.exists) {
        QString reason;
        readable = ReadWholeFile(path_, bytes, reason);
    }
    // A file that cannot be read whole leaves the last whole reading in place, and no write goes out.
    if (!doc_ || (readable && doc_->bytes != bytes))
        doc_ = std::make_unique<IniDocument>(Parse(bytes));
    doc_->stamp = stamp;
    // A file that could not be read whole is read again at the next look.
    doc_->stampSettled = readable && Settled(stamp);
    doc_->readable = readable;
    doc_->writeRefusal = WriteRefusal(path_, stamp, readable);
}

void IniFile::BeginPass() const
{
    ++passDepth_;
}

void IniFile::EndPass() const
{
    if (--passDepth_ == 0)
        checkedInPass_ = false;
}

void IniFile::Rewrite(const std::function<bool(IniDocument&)>& edit)
{
    IniDocument& doc = Current();
    if (doc.writeRefusal)
        throw IniWriteError(doc.writeRefusal->toStdString());
    if (!edit(doc))
        return;
    if (batchDepth_ > 0)
        batchDirty_ = true;
    else
        WriteOut();
}

void IniFile::WriteOut()
{
    const QByteArray bytes = Serialize(*doc_);
    if (doc_->stamp.exists && bytes == doc_->bytes)
        return;
    QString reason;
    if (!ReplaceFile(path_, bytes, reason)) {
        doc_.reset(); // the edits never reached the disk: the next call reads what is there
        throw IniWriteError(("Cannot write " + path_ + ": " + reason).toStdString());
    }
    doc_->bytes = bytes;
    doc_->stamp = StampOf(path_);
    doc_->stampSettled = false;
    doc_->writeRefusal = WriteRefusal(path_, doc_->stamp, true);
}

void IniFile::BeginBatch()
{
    if (batchDepth_++ == 0)
        BeginPass();
}

void IniFile::EndBatch()
{
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return;
    EndPass();
    if (std::exchange(batchDirty_, false) && doc_)
        WriteOut();
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    if (const IniSection* found = FindSection(std::as_const(Current()), section.trimmed())) {
        const qsizetype at = FindKey(*found, Folded(key.trimmed()));
        if (at >= 0)
            return Unquoted(found->lines[at].value);
    }
    QString fallback = defaultValue;
    while (fallback.endsWith(u' '))
        fallback.chop(1);
    return Unquoted(fallback);
}

int IniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    return ParseProfileInteger(ReadString(section, key, QString())).value_or(defaultValue);
}

bool IniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString sectionName = CleanName(section);
    const QString keyName = CleanName(key);
    const QString text = CleanValue(value);
    Rewrite([&](IniDocument& doc) {
        IniSection* found = FindSection(doc, sectionName);
        if (!found) {
            if (NeedsBlankLine(doc))
                doc.sections.back().lines.append(IniLine{});
            AppendLine(doc, ParseLine(u'[' + sectionName + u']'));
            AppendLine(doc, ParseLine(keyName + u'=' + text));
            return true;
        }
        const QString foldedKey = Folded(keyName);
        const qsizetype at = FindKey(*found, foldedKey);
        IniLine line = ParseLine(at >= 0 ? ValuePrefix(found->lines[at].text) + text : keyName + u'=' + text);
        const bool header = line.kind == LineKind::Section;
        if (at >= 0) {
            found->lines[at] = std::move(line);
        } else if (!header) {
            // A name holding "=" is read back as its part before the "=".
            const QString foldedName = line.name == keyName ? foldedKey : Folded(line.name);
            InsertKey(*found, NewKeyPosition(*found), std::move(line), foldedName);
        } else {
            found->lines.insert(NewKeyPosition(*found), std::move(line));
        }
        if (header)
            Reparse(doc);
        return true;
    });
}

void IniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void IniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList IniFile::ReadSection(const QString& section) const
{
    QStringList keys;
    if (const IniSection* found = FindSection(std::as_const(Current()), section.trimmed())) {
        for (const IniLine& line : found->lines) {
            if (line.kind == LineKind::Key)
                keys.append(line.name);
        }
    }
    return keys;
}

// A later section of the same name can never be reached, so it is not listed either.
QStringList IniFile::ReadSections() const
{
    const IniDocument& doc = Current();
    QStringList names;
    for (size_t i = 1; i < doc.sections.size(); ++i) {
        const QString& name = doc.sections[i].header.name;
        if (doc.firstSection.value(Folded(name)) == i)
            names.append(name);
    }
    return names;
}

bool IniFile::SectionExists(const QString& section) const
{
    return !ReadSection(section).isEmpty();
}

bool IniFile::ValueExists(const QString& section, const QString& key) const
{
    return ReadSection(section).contains(key.trimmed(), Qt::CaseInsensitive);
}

void IniFile::EraseSection(const QString& section)
{
    const QString sectionName = section.trimmed();
    Rewrite([&](IniDocument& doc) {
        const auto at = doc.firstSection.constFind(Folded(sectionName));
        if (at == doc.firstSection.constEnd())
            return false;
        doc.sections.erase(doc.sections.begin() + qsizetype(*at));
        IndexSections(doc);
        return true;
    });
}

void IniFile::DeleteKey(const QString& section, const QString& key)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    Rewrite([&](IniDocument& doc) {
        IniSection* found = FindSection(doc, sectionName);
        const qsizetype at = found ? FindKey(*found, Folded(keyName)) : -1;
        if (at < 0)
            return false;
        found->lines.remove(at);
        found->keys.reset();
        return true;
    });
}

QString IniQuoted(const QString& value)
{
    const bool trimmed = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    return IsQuoted(value) || trimmed ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

} // namespace platform
