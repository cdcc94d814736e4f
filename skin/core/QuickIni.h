#pragma once
// The skin description's INI text, read from memory. Not the profile-file rules of platform::IniFile:
// the first of equal sections wins, an empty value means the default and ends the search, and a ";"
// after a value belongs to the value.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class TQuickIni {
public:
    // Indexes the text (Latin-1) anew; a NUL byte ends it.
    void LoadFromStream(const QByteArray& stream);
    // The section names in text order, each without its brackets (first and last character), trimmed.
    void ReadSections(QStringList& list) const;
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal, or hexadecimal after "$" or "0x", optionally signed; the default when the value is
    // empty or no integer. Hexadecimal above 0x7FFFFFFF gives its 32-bit pattern ("$FFFFFFFF" is -1).
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;

private:
    struct Section {
        QString line; // "[name]" as the text has it, trimmed
        qsizetype index;
    };

    QStringList lines_; // every kept line, trimmed
    QList<Section> sections_;
};
