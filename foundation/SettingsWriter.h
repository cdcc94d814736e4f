#pragma once
// Writes the settings one key at a time: a write that fails is noted and the writes after it still
// run, so one bad value never costs the station the rest of its settings.
#include "platform/IniFile.h"

#include <QString>
#include <QStringList>

class SettingsWriter {
public:
    // Null when no settings file is open: every write is then noted as failed.
    // The writes go to the file together, in one atomic replace, at Commit (or when the writer ends).
    explicit SettingsWriter(platform::IniFile* ini);
    ~SettingsWriter();
    SettingsWriter(const SettingsWriter&) = delete;
    SettingsWriter& operator=(const SettingsWriter&) = delete;

    // Puts the writes on disk; when that fails, every key written counts as not saved.
    void Commit();

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    // A failure is noted as "section/*".
    void EraseSection(const QString& section);

    // "section/key" of every write that failed, in the order tried.
    const QStringList& Failures() const { return failures_; }

    // One level-1 error line in the log, nothing when all went well: why the first write failed and
    // every key not saved.
    void LogFailures() const;

private:
    template <typename Write> void Guarded(const QString& section, const QString& key, Write write);
    void Note(const QString& section, const QString& key, const QString& reason);

    platform::IniFile* ini_;
    bool committed_ = false;
    QStringList written_;
    QStringList failures_;
    QString firstError_;
};
