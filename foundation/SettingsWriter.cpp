#include "foundation/SettingsWriter.h"

#include "foundation/Log.h"

#include <utility>

namespace {

constexpr int ModuleSettingsWindow = 15;

} // namespace

SettingsWriter::SettingsWriter(platform::IniFile* ini) : ini_(ini)
{
    if (ini_)
        ini_->BeginBatch();
}

SettingsWriter::~SettingsWriter()
{
    Commit();
}

void SettingsWriter::Commit()
{
    if (!ini_ || std::exchange(committed_, true))
        return;
    try {
        ini_->EndBatch();
    } catch (const std::exception& error) {
        for (const QString& key : std::as_const(written_)) {
            const qsizetype slash = key.indexOf(u'/');
            Note(key.left(slash), key.mid(slash + 1), QString::fromStdString(error.what()));
        }
    }
}

template <typename Write>
void SettingsWriter::Guarded(const QString& section, const QString& key, Write write)
{
    if (!ini_) {
        Note(section, key, QStringLiteral("no settings file is open"));
        return;
    }
    try {
        write(*ini_);
        written_.append(section + '/' + key);
    } catch (const std::exception& error) {
        Note(section, key, QString::fromStdString(error.what()));
    }
}

void SettingsWriter::Note(const QString& section, const QString& key, const QString& reason)
{
    if (failures_.isEmpty())
        firstError_ = reason;
    failures_.append(section + '/' + key);
}

void SettingsWriter::WriteString(const QString& section, const QString& key, const QString& value)
{
    Guarded(section, key, [&](platform::IniFile& ini) { ini.WriteString(section, key, value); });
}

void SettingsWriter::WriteInteger(const QString& section, const QString& key, int value)
{
    Guarded(section, key, [&](platform::IniFile& ini) { ini.WriteInteger(section, key, value); });
}

void SettingsWriter::WriteBool(const QString& section, const QString& key, bool value)
{
    Guarded(section, key, [&](platform::IniFile& ini) { ini.WriteBool(section, key, value); });
}

void SettingsWriter::EraseSection(const QString& section)
{
    Guarded(section, QStringLiteral("*"), [&](platform::IniFile& ini) { ini.EraseSection(section); });
}

void SettingsWriter::LogFailures() const
{
    if (failures_.isEmpty())
        return;
    WriteLog(1, 1, ModuleSettingsWindow, -1, -1,
             "Error saving settings (" + firstError_ + "): " + failures_.join(QStringLiteral(", ")));
}
