#include "FoldersFixture.h"

#include "FileBytes.h"
#include "WavWriter.h"
#include "library/TabFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>

bool WriteWavFile(const QString& path, int seconds)
{
    testing_support::WavFormat format;
    format.sampleRate = 8000;
    format.channels = 1;
    return testing_support::WriteWav(path, format, int64_t(seconds) * format.sampleRate,
                                     testing_support::Sine(440, 0.5, format.sampleRate));
}

QStringList ItemNames(const TTabFolder& page)
{
    QStringList names;
    for (int i = 0; i < page.ItemCount(); ++i)
        names.append(page.GetFileData(i)->Name);
    return names;
}

QStringList Captions(const TFFolders& folders)
{
    QStringList captions;
    for (int i = 0; i < folders.PageCount(); ++i)
        captions.append(folders.Page(i)->Caption());
    return captions;
}

void FoldersTest::SetUp()
{
    ASSERT_TRUE(station.IsValid());
    ASSERT_TRUE(music.IsValid());
    AppDir = station.Path();
    SettingsPath = station.File("Sonvelazodu.ini");
    FMessage = message.get();
}

void FoldersTest::TearDown()
{
    folders.reset();
    FMessage = nullptr;
    SettingsIni.reset();
    StationOptions = savedOptions;
    std::tie(AppDir, SettingsPath) = savedPaths;
}

void FoldersTest::WriteSettings(const QByteArray& text)
{
    ASSERT_TRUE(WriteBytes(SettingsPath, text));
    SettingsIni = std::make_unique<platform::IniFile>(SettingsPath);
}

QByteArray FoldersTest::ReadSettings() const
{
    return ReadBytes(SettingsPath);
}

void FoldersTest::WaitForLoad()
{
    const QDeadlineTimer deadline(20000);
    while (folders->Loading() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    ASSERT_FALSE(folders->Loading());
}

void FoldersTest::MakeFiles(const QString& folder, const QStringList& names)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString& name : names)
        ASSERT_TRUE(WriteWavFile(JoinPath(folder, name)));
}
