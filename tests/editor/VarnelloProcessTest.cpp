// The built editor as a process of its own on a station folder another program writes to, answering DDE
// requests under its name; its file names for edits written when it is ended from outside.
#include "TempFolder.h"

#include "editor/UnsavedEdits.h"
#include "library/CombiItem.h"
#include "library/CombinationsFile.h"
#include "platform/Dde.h"
#include "platform/FileStamp.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// Every theme listed is a child of one combination of that name.
void WriteStationFile(const QString& path, const QString& combination, const QStringList& themes)
{
    QTreeWidget tree;
    auto* root = library::NewCombiNode("COMBINACIONES", 0, 0);
    tree.addTopLevelItem(root);
    auto* node = library::NewCombiNode(combination, 1, 0);
    root->addChild(node);
    for (const QString& theme : themes)
        node->addChild(library::NewCombiNode(theme, 2, 60));
    ASSERT_TRUE(library::SaveTreeToFile(&tree, path).ok);
}

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(UnsavedEdits, NamedByTheStationFolderAndTheTime)
{
    EXPECT_EQ(UnsavedEditsPath("/srv/station/", QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5))),
              "/srv/station/Varnello-unsaved-20300102-030405.dat");
    EXPECT_EQ(UnsavedEditsPath("/srv/station", QDateTime(QDate(2030, 12, 31), QTime(23, 59, 59))),
              "/srv/station/Varnello-unsaved-20301231-235959.dat");
}

TEST(VarnelloProcess, ShowsAndReloadsTheStationsFileAndEndsOnSigtermWithoutWriting)
{
    TempFolder station;
    const QString file = station.File("combinations.dat");
    const QString record = station.File("record.txt");
    WriteStationFile(file, "Morning", {"/srv/a.mp3", "/srv/b.mp3"});

    QProcess editor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("SONVELA_APPDIR", station.Path());
    environment.insert("SONVELA_TEST_RECORD", record);
    // Nothing of the machine's own home is read or written.
    environment.insert("HOME", station.Path());
    environment.insert("XDG_CONFIG_HOME", station.File("config"));
    environment.insert("XDG_DATA_HOME", station.File("data"));
    editor.setProcessEnvironment(environment);
    editor.setProcessChannelMode(QProcess::ForwardedChannels);
    editor.start(VARNELLO_PROGRAM, {});
    ASSERT_TRUE(editor.waitForStarted());
    const auto recorded = [&record](const QString& line) {
        return QString::fromUtf8(Bytes(record)).split('\n').contains(line);
    };
    // The editor writes its lines one after another while the test reads: each is waited for.
    const auto awaited = [&](const QString& line) {
        return QTest::qWaitFor([&] { return recorded(line); }, 20000);
    };
    EXPECT_TRUE(awaited("trace tree COMBINACIONES|Morning|/srv/a.mp3|/srv/b.mp3"))
        << Bytes(record).toStdString();
    EXPECT_TRUE(awaited("trace V2 splash freed")) << Bytes(record).toStdString();

    // The station replaces the file: the editor, without edits, reloads it.
    WriteStationFile(file, "Evening", {"/srv/c.mp3"});
    EXPECT_TRUE(awaited("trace tree COMBINACIONES|Evening|/srv/c.mp3")) << Bytes(record).toStdString();
    EXPECT_TRUE(awaited("trace title Varnello - combinations - RECARGADO!")) << Bytes(record).toStdString();

    // It answers requests under its own name, as the station does, and keeps them to itself.
    const QString service = platform::DdeServiceName(VARNELLO_PROGRAM);
    EXPECT_EQ(service, "Varnello");
    const QString song = station.File("d.mp3");
    ASSERT_TRUE(QFile(song).open(QIODevice::WriteOnly));
    EXPECT_EQ(platform::DdeExecute(service, "Macros", ("[Open(\"" + song + "\")]").toUtf8(), 20000).result,
              platform::DdeResult::Ack);

    const QByteArray bytes = Bytes(file);
    const platform::FileStamp stamp = platform::StampOf(file);
    ::kill(pid_t(editor.processId()), SIGTERM);
    ASSERT_TRUE(editor.waitForFinished(20000));
    EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(editor.exitCode(), 0);
    EXPECT_TRUE(recorded("trace V9 signal"));
    EXPECT_EQ(Bytes(file), bytes);
    EXPECT_EQ(platform::StampOf(file), stamp);
    EXPECT_FALSE(QFile::exists(platform::DdeSocketPath(service, "Macros")));
    // No settings file appears: the editor only reads it.
    EXPECT_FALSE(QFile::exists(station.File("Sonvelazodu.ini")));
}

} // namespace
