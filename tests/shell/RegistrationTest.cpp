// The station's file types: what the registry holds after start-up, that a start changing nothing writes
// nothing, that a store or a desktop folder that cannot be written never stops the station, and the
// desktop's files as the desktop itself reads them.
#include "FileBytes.h"
#include "StationFixture.h"
#include "TempFolder.h"

#include "platform/Registry.h"
#include "shell/FileAssociations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <sys/stat.h>

namespace {

QString ApplicationsFolder()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + "/applications";
}

// Inode and modification time: a file replaced or rewritten changes one of them.
std::pair<ino_t, int64_t> Stamp(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {0, 0};
    return {status.st_ino, int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

// Runs a tool with the test's own XDG folders and only the system's shared data; false when missing.
bool RunTool(const QString& tool, const QStringList& arguments, QByteArray* output)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return false;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_DIRS", "/usr/share");
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(20000);
    *output = process.readAll();
    return true;
}

class RegistrationTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        QDir(ApplicationsFolder()).removeRecursively();
    }

    // A start with "nologin.txt" that ends at once through the confirmed exit.
    void StartAndLeave()
    {
        WriteProgramFile("nologin.txt", "");
        dialogs.ExpectButton(QMessageBox::Yes);
        bool up = false;
        RunStation({{"S11", [&] {
                         up = true;
                         CloseSettingsWindow();
                     }}});
        EXPECT_TRUE(up) << "start-up went on";
    }
};

TEST_F(RegistrationTest, EveryStartRegistersTheFourTypesAndASecondWritesNothing)
{
    const QString program = QCoreApplication::applicationFilePath();
    const QString service = QFileInfo(program).fileName().section('.', 0, 0);
    {
        // Another program's claim on a type is taken back.
        platform::Registry before(ProgramFile("registry.json"));
        before.WriteValue(platform::RegistryRoot::ClassesRoot, ".MP3", "", "Other.File");
    }
    StartAndLeave();
    const platform::Registry registry(ProgramFile("registry.json"));
    struct Case {
        QString key;
        QString value;
    };
    const Case cases[] = {
        {".MP3", "Sonvela.File"},
        {".WAV", "Sonvela.File"},
        {".OGG", "Sonvela.File"},
        {".WMA", "Sonvela.File"},
        {"Sonvela.File", "Sonvela File"},
        {"Sonvela.File\\shell\\Enqueue in Sonvela\\command", program + " \"%1\""},
        {"Sonvela.File\\shell\\Enqueue in Sonvela\\ddeexec", "[Open(\"%1\")]"},
        {"Sonvela.File\\shell\\Enqueue in Sonvela\\ddeexec\\Application", service},
        {"Sonvela.File\\shell\\Enqueue in Sonvela\\ddeexec\\topic", "Macros"},
        {"Sonvela.File\\DefaultIcon", program + ",0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(registry.ReadValue(platform::RegistryRoot::ClassesRoot, c.key, ""), c.value)
            << qPrintable(c.key);
    EXPECT_FALSE(registry.KeyExists(platform::RegistryRoot::ClassesRoot, "Sonvela.File\\shell\\open"))
        << "the verb the test looks at is never written";

    const QStringList written{ProgramFile("registry.json"), ApplicationsFolder() + "/Sonvela.File.desktop",
                              ApplicationsFolder() + "/mimeapps.list"};
    std::vector<std::pair<ino_t, int64_t>> stamps;
    std::vector<QByteArray> bytes;
    for (const QString& path : written) {
        stamps.push_back(Stamp(path));
        bytes.push_back(ReadBytes(path));
        ASSERT_FALSE(bytes.back().isEmpty()) << qPrintable(path);
    }
    StartAndLeave();
    for (qsizetype i = 0; i < written.size(); ++i) {
        EXPECT_EQ(Stamp(written[i]), stamps[size_t(i)]) << qPrintable(written[i]);
        EXPECT_EQ(ReadBytes(written[i]), bytes[size_t(i)]) << qPrintable(written[i]);
    }
}

TEST_F(RegistrationTest, AStoreThatCannotBeWrittenOrADesktopFolderThatCannotBeMadeLeavesStartUpGoing)
{
    ASSERT_TRUE(QDir().mkpath(ProgramFile("registry.json")));
    StartAndLeave();
    EXPECT_FALSE(QFile::exists(ApplicationsFolder() + "/Sonvela.File.desktop"));

    // The desktop's data folder under a regular file: the registry is kept, the desktop is not told.
    ASSERT_TRUE(QDir().rmdir(ProgramFile("registry.json")));
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    ASSERT_TRUE(WriteBytes(ProgramFile("plain"), {}));
    qputenv("XDG_DATA_HOME", QFile::encodeName(ProgramFile("plain/data")));
    StartAndLeave();
    qputenv("XDG_DATA_HOME", dataHome);
    EXPECT_EQ(platform::Registry(ProgramFile("registry.json"))
                  .ReadValue(platform::RegistryRoot::ClassesRoot, ".WMA", ""),
              "Sonvela.File");
}

TEST_F(RegistrationTest, TheDesktopEntryNamesTheClientBesideTheProgramAndTheDesktopPicksIt)
{
    const QString programFolder = ProgramFile("dir with blank & $x");
    ASSERT_TRUE(QDir().mkpath(programFolder));
    // The desktop ignores an entry whose client is not there.
    const QString client = programFolder + "/sonvela-open";
    ASSERT_TRUE(WriteBytes(client, "#!/bin/sh\n"));
    ASSERT_TRUE(QFile::setPermissions(client, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    platform::Registry registry(ProgramFile("registry.json"));
    RegisterAudioFileTypes(registry, programFolder + "/Sonvelazodu");

    const QString entry = ApplicationsFolder() + "/Sonvela.File.desktop";
    const QString exec = "\"" + programFolder.left(programFolder.size() - 2) + "\\\\$x/sonvela-open\" %F";
    const QString expected = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Enqueue in Sonvela\n"
                             "Comment=Sonvela File\n"
                             "Exec=" +
                             exec +
                             "\n"
                             "TryExec=" +
                             programFolder +
                             "/sonvela-open\n"
                             "Icon=" +
                             programFolder +
                             "/Sonvelazodu.png\n"
                             "MimeType=audio/mpeg;audio/x-wav;audio/ogg;audio/x-vorbis+ogg;audio/x-ms-wma;\n"
                             "NoDisplay=true\n"
                             "Terminal=false\n"
                             "Actions=Enqueue;\n"
                             "X-Sonvela-DDE-Application=Sonvelazodu\n"
                             "X-Sonvela-DDE-Topic=Macros\n"
                             "X-Sonvela-DDE-Exec=[Open(\"%1\")]\n"
                             "\n"
                             "[Desktop Action Enqueue]\n"
                             "Name=Enqueue in Sonvela\n"
                             "Exec=" +
                             exec + "\n";
    EXPECT_EQ(QString::fromUtf8(ReadBytes(entry)), expected);

    QByteArray output;
    if (RunTool("desktop-file-validate", {entry}, &output)) {
        EXPECT_TRUE(output.trimmed().isEmpty()) << output.constData();
    }
    if (RunTool("gio", {"mime", "audio/mpeg"}, &output)) {
        EXPECT_TRUE(output.contains("Default application for “audio/mpeg”: Sonvela.File.desktop"))
            << output.constData();
    }
}

// The start-up check looks for what the registration writes: a type just registered needs nothing, and
// any key changed or missing since makes it register again.
TEST(FileTypeCheck, FindsExactlyWhatTheRegistrationWrote)
{
    TempFolder folder;
    const QString program = "/opt/station/Sonvelazodu";
    const QString verb = "Sonvela.File\\shell\\Enqueue in Sonvela\\";
    struct Case {
        const char* what;
        const char* key;   // changed after the registration; empty: nothing changed
        const char* value; // its new value; null: the key's value removed
        bool registered;
    };
    const Case cases[] = {
        {"as registered", "", nullptr, true},
        {"the extension in another case", ".MP3", "SONVELA.FILE", true},
        {"the extension claimed by another program", ".MP3", "Other.File", false},
        {"the verb's command of another copy", "command", "/home/x/Sonvelazodu \"%1\"", false},
        {"no DDE macro", "ddeexec", nullptr, false},
        {"another DDE topic", "ddeexec\\topic", "System", false},
        {"no icon", "Sonvela.File\\DefaultIcon", nullptr, false},
    };
    for (const Case& c : cases) {
        platform::Registry registry(folder.File(QString("registry-%1.json").arg(&c - cases)));
        RegisterFileType(registry, program, ".MP3", "Sonvela.File", "Sonvela File", "\"%1\"",
                         "Enqueue in Sonvela");
        RegisterDDEVerb(registry, program, "Sonvela.File", "Enqueue in Sonvela", "[Open(\"%1\")]");
        SetFileTypeIcon(registry, "Sonvela.File", program, 0);
        QString key = c.key;
        if (!key.isEmpty() && !key.startsWith('.') && !key.startsWith("Sonvela.File"))
            key = verb + key;
        if (!key.isEmpty() && c.value)
            registry.WriteValue(platform::RegistryRoot::ClassesRoot, key, "", c.value);
        else if (!key.isEmpty())
            registry.DeleteValue(platform::RegistryRoot::ClassesRoot, key, "");
        EXPECT_EQ(IsFileTypeRegistered(registry, program, ".MP3", "Sonvela.File"), c.registered) << c.what;
    }

    // Another program's "open" command under our class is not our registration.
    platform::Registry other(folder.File("other.json"));
    other.WriteValue(platform::RegistryRoot::ClassesRoot, ".MP3", "", "Sonvela.File");
    other.WriteValue(platform::RegistryRoot::ClassesRoot, "Sonvela.File\\shell\\open\\command", "",
                     program + " \"%1\"");
    EXPECT_FALSE(IsFileTypeRegistered(other, program, ".MP3", "Sonvela.File"));
}

} // namespace
