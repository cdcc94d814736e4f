#include "platform/IniFile.h"

#include "platform/Text.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <utility>

#include <cstdint>

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

struct IniDocument {
    QByteArray bytes; // the file as read or last written
    QList<IniLine> lines;
    QString lineEnd = QStringLiteral("\n");
};

} // namespace detail

namespace {

using detail::IniDocument;
using detail::IniLine;
using detail::LineKind;

struct SectionSpan {
    qsizetype header; // index of the "[name]" line
    qsizetype end;    // index of the next header, or the line count
};

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

IniDocument Parse(const QByteArray& bytes)
{
    IniDocument doc;
    doc.bytes = bytes;
    const QByteArray bom("\xEF\xBB\xBF");
    const QString text = DecodeUtf8OrWindows1252(bytes.startsWith(bom) ? bytes.mid(bom.size()) : bytes);
    bool firstBreak = true;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        doc.lines.append(ParseLine(text.mid(start, i - start)));
        const bool crLf = text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
        if (firstBreak)
            doc.lineEnd = crLf ? QStringLiteral("\r\n") : QStringLiteral("\n");
        firstBreak = false;
        if (crLf)
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        doc.lines.append(ParseLine(text.mid(start)));
    return doc;
}

QByteArray Serialize(const IniDocument& doc)
{
    QString text;
    for (const IniLine& line : doc.lines)
        text += line.text + doc.lineEnd;
    return text.toUtf8();
}

bool SameName(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// Only the first section of a name counts; lines before the first header belong to none.
std::optional<SectionSpan> FindSection(const IniDocument& doc, const QString& name)
{
    for (qsizetype i = 0; i < doc.lines.size(); ++i) {
        if (doc.lines[i].kind != LineKind::Section || !SameName(doc.lines[i].name, name))
            continue;
        qsizetype end = i + 1;
        while (end < doc.lines.size() && doc.lines[end].kind != LineKind::Section)
            ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

qsizetype FindKey(const IniDocument& doc, SectionSpan span, const QString& key)
{
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        if (doc.lines[i].hasValue && SameName(doc.lines[i].name, key))
            return i;
    }
    return -1;
}

// After the section's last line that is neither blank nor a comment, so the blank lines and the
// comments that lead into the next section stay in front of it.
qsizetype NewKeyPosition(const IniDocument& doc, SectionSpan span)
{
    for (qsizetype i = span.end - 1; i > span.header; --i) {
        if (doc.lines[i].kind != LineKind::Blank && doc.lines[i].kind != LineKind::Comment)
            return i + 1;
    }
    return span.header + 1;
}

// The line up to its value: the key as the file spells it, the "=" and the blanks after it.
QString ValuePrefix(const QString& text)
{
    qsizetype i = text.indexOf(u'=') + 1;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return text.left(i);
}

QString Unquoted(const QString& text)
{
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front())
        return text.mid(1, text.size() - 2);
    return text;
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

bool IniFile::IsReadable() const
{
    if (!QFileInfo::exists(path_))
        return true;
    QFile file(path_);
    return file.open(QIODevice::ReadOnly);
}

std::shared_ptr<const IniDocument> IniFile::Load() const
{
    QByteArray bytes;
    // No file name (a language not chosen yet) reads as a missing file.
    if (QFile file(path_); !path_.isEmpty() && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!cache_ || cache_->bytes != bytes)
        cache_ = std::make_shared<const IniDocument>(Parse(bytes));
    return cache_;
}

void IniFile::Rewrite(const std::function<bool(IniDocument&)>& edit)
{
    const QFileInfo info(path_);
    if (info.exists()) {
        // Replacing the file by rename would get past both: neither may be overwritten.
        if (!IsReadable())
            throw IniWriteError(("Cannot read " + path_).toStdString());
        if (!info.isWritable() || !info.permissions().testFlag(QFileDevice::WriteOwner))
            throw IniWriteError(("File is read-only: " + path_).toStdString());
    }
    IniDocument doc = *Load();
    if (!edit(doc))
        return;
    if (batching_) {
        // Kept with the bytes the file still has, so reads see the edit until EndBatch writes it.
        cache_ = std::make_shared<const IniDocument>(std::move(doc));
        batchDirty_ = true;
        return;
    }
    WriteOut(std::move(doc), info.exists());
}

void IniFile::WriteOut(IniDocument doc, bool fileExists)
{
    const QByteArray bytes = Serialize(doc);
    if (fileExists && bytes == doc.bytes)
        return;
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw IniWriteError(("Cannot write " + path_ + ": " + file.errorString()).toStdString());
    doc.bytes = bytes;
    cache_ = std::make_shared<const IniDocument>(std::move(doc));
}

void IniFile::BeginBatch()
{
    batching_ = true;
}

void IniFile::EndBatch()
{
    batching_ = false;
    if (!std::exchange(batchDirty_, false) || !cache_)
        return;
    WriteOut(*cache_, QFileInfo::exists(path_));
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const auto doc = Load();
    if (const auto span = FindSection(*doc, section.trimmed())) {
        const qsizetype at = FindKey(*doc, *span, key.trimmed());
        if (at >= 0)
            return Unquoted(doc->lines[at].value);
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
        const auto span = FindSection(doc, sectionName);
        if (!span) {
            if (!doc.lines.isEmpty() && doc.lines.last().kind != LineKind::Blank)
                doc.lines.append(IniLine{});
            doc.lines.append(ParseLine(u'[' + sectionName + u']'));
            doc.lines.append(ParseLine(keyName + u'=' + text));
            return true;
        }
        const qsizetype at = FindKey(doc, *span, keyName);
        if (at >= 0)
            doc.lines[at] = ParseLine(ValuePrefix(doc.lines[at].text) + text);
        else
            doc.lines.insert(NewKeyPosition(doc, *span), ParseLine(keyName + u'=' + text));
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
    const auto doc = Load();
    QStringList keys;
    if (const auto span = FindSection(*doc, section.trimmed())) {
        for (qsizetype i = span->header + 1; i < span->end; ++i) {
            if (doc->lines[i].kind == LineKind::Key)
                keys.append(doc->lines[i].name);
        }
    }
    return keys;
}

// A later section of the same name can never be reached, so it is not listed either.
QStringList IniFile::ReadSections() const
{
    const auto doc = Load();
    QStringList names;
    for (const IniLine& line : doc->lines) {
        if (line.kind == LineKind::Section && !names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
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
        const auto span = FindSection(doc, sectionName);
        if (span)
            doc.lines.remove(span->header, span->end - span->header);
        return span.has_value();
    });
}

void IniFile::DeleteKey(const QString& section, const QString& key)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    Rewrite([&](IniDocument& doc) {
        const auto span = FindSection(doc, sectionName);
        const qsizetype at = span ? FindKey(doc, *span, keyName) : -1;
        if (at >= 0)
            doc.lines.remove(at);
        return at >= 0;
    });
}

} // namespace platform
