// The combinations window as the editor's main window (run mode 1), on its own and beside a station's
// window (run mode 0) on the same file.
#include "CombinationsFixture.h"

#include "foundation/General.h"
#include "library/CombinationsTree.h"
#include "platform/FileStamp.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTreeWidgetItem>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class VarnelloWindowTest : public CombinationsFixture {
protected:
    VarnelloWindowTest() : savedSettingsPath_(SettingsPath), savedEnvironment_(qgetenv(AppDirVariable))
    {
        qputenv(AppDirVariable, station.Path().toUtf8());
    }
    ~VarnelloWindowTest() override
    {
        editor.reset();
        SettingsIni.reset();
        SettingsPath = savedSettingsPath_;
        qputenv(AppDirVariable, savedEnvironment_);
    }

    // The editor's window, shown: its set-up reads the station folder.
    void StartEditor()
    {
        editor = std::make_unique<TFCombinations>();
        editor->TimerReloadFile.stop();
        editor->SetRunMode(1);
        editor->DoFirstShow();
    }
    QString EditorLayout() const { return LayoutOf(*editor); }
    QStringList MenuCaptions() const
    {
        QStringList captions;
        for (const QAction* top : editor->menuBar()->actions()) {
            captions << top->text();
            for (const QAction* item : top->menu()->actions())
                captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        return captions;
    }
    QStringList Backups() const
    {
        return QDir(station.Path()).entryList({"combinations.dat.*.bak"}, QDir::Files);
    }

    std::unique_ptr<TFCombinations> editor;
    const QString file = station.File("combinations.dat");

private:
    QString savedSettingsPath_;
    QByteArray savedEnvironment_;
};

TEST_F(VarnelloWindowTest, ShowsTheStationsFileCollapsedAndNeverWritesTheSettings)
{
    WriteTree(file, "A: /a1.mp3 /a2.mp3; B: /b1.mp3");
    const QString settings = station.File("Sonvelazodu.ini");
    {
        QFile ini(settings);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[main]\r\nlanguage=english\r\nfirstinstall=0\r\n[combinations]\r\nfont=Arial\r\n");
    }
    const QByteArray settingsBytes = Bytes(settings);
    const platform::FileStamp settingsStamp = platform::StampOf(settings);
    const QByteArray fileBytes = Bytes(file);

    StartEditor();
    EXPECT_EQ(EditorLayout(), "A: /a1.mp3 /a2.mp3; B: /b1.mp3");
    QTreeWidgetItem* root = editor->TVCombinaciones->topLevelItem(0);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_FALSE(root->child(0)->isExpanded());
    EXPECT_FALSE(root->child(1)->isExpanded());
    EXPECT_EQ(editor->windowTitle(), "Varnello - combinations");
    EXPECT_EQ(CombinationsPath, file);

    editor->ExitClick();
    editor.reset();
    EXPECT_EQ(Bytes(settings), settingsBytes);
    EXPECT_EQ(platform::StampOf(settings), settingsStamp);
    EXPECT_EQ(Bytes(file), fileBytes);
}

TEST_F(VarnelloWindowTest, WithoutSettingsAndLanguageTheKeysAreTheCaptionsAndTheRootIsAlone)
{
    StartEditor();
    EXPECT_EQ(MenuCaptions(),
              (QStringList{"main", "open", "close", "save", "save as", "-", "exit", "help", "about"}));
    ASSERT_EQ(editor->TVCombinaciones->topLevelItemCount(), 1);
    EXPECT_EQ(editor->TVCombinaciones->topLevelItem(0)->childCount(), 0);
    EXPECT_FALSE(editor->Modified());
    editor.reset();
    // A root alone creates no file, and the settings file stays missing.
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(QFile::exists(station.File("Sonvelazodu.ini")));
}

TEST_F(VarnelloWindowTest, TitlesFollowOpenAndSaveAs)
{
    const QString other = station.File("other.dat");
    WriteTree(other, "O: /o.mp3");
    StartEditor();
    dialogs.ExpectPaths({other});
    ASSERT_TRUE(editor->OpenClick());
    EXPECT_EQ(editor->windowTitle(), "Varnello - [" + other + "]");
    EXPECT_EQ(EditorLayout(), "O: /o.mp3");

    // Over an existing file the dialog asked first: that consent keeps no backup.
    const QString copy = station.File("copy.dat");
    WriteTree(copy, "X:");
    dialogs.ExpectPaths({copy});
    ASSERT_TRUE(editor->SaveAsClick());
    EXPECT_EQ(editor->windowTitle(), copy);
    EXPECT_EQ(CombinationsPath, copy);
    EXPECT_TRUE(QDir(station.Path()).entryList({"copy.dat.*.bak"}, QDir::Files).isEmpty());
    ASSERT_TRUE(window->LoadFromFile(copy));
    EXPECT_EQ(Layout(), "O: /o.mp3");
    EXPECT_EQ(dialogs.Shown()[1].kind, platform::DialogKind::SaveFile);
    EXPECT_TRUE(dialogs.Shown()[1].promptOverwrite);
}

TEST_F(VarnelloWindowTest, CloseThenExitWritesNothing)
{
    WriteTree(file, "A: /a.mp3");
    const QByteArray before = Bytes(file);
    StartEditor();
    ASSERT_TRUE(editor->NewCombination("B"));
    dialogs.ExpectButton(QMessageBox::No);
    ASSERT_TRUE(editor->CloseClick());
    EXPECT_EQ(dialogs.Shown()[0].text, "Han habido cambios. ¿Quieres guardarlo primero?");
    EXPECT_EQ(EditorLayout(), "");
    EXPECT_EQ(editor->windowTitle(), "Varnello - combinations");
    EXPECT_TRUE(CombinationsPath.isEmpty());
    editor->ExitClick();
    editor.reset();
    EXPECT_EQ(Bytes(file), before);
}

TEST_F(VarnelloWindowTest, UnsavedEditsWithNoFileAskForOneOrStay)
{
    StartEditor();
    ASSERT_TRUE(editor->CloseClick());
    ASSERT_TRUE(editor->NewCombination("N"));
    // Save with no path is Save As; a cancelled Save As keeps the tree open under Close and Open.
    dialogs.ExpectButton(QMessageBox::Yes);
    dialogs.ExpectCancel();
    EXPECT_FALSE(editor->CloseClick());
    dialogs.ExpectButton(QMessageBox::Yes);
    dialogs.ExpectCancel();
    EXPECT_FALSE(editor->OpenClick());
    EXPECT_EQ(EditorLayout(), "N:");
    EXPECT_TRUE(editor->Modified());

    // Ended from outside: the edits go to the file named for them.
    const QString unsaved = station.File("Varnello-unsaved-20300101-105950.dat");
    editor->WriteUnsavedEdits(unsaved);
    EXPECT_FALSE(editor->Modified());
    editor.reset();
    WriteTree(file, "");
    ASSERT_TRUE(window->LoadFromFile(unsaved));
    EXPECT_EQ(Layout(), "N:");
}

TEST_F(VarnelloWindowTest, ExitWhoseSaveAsIsCancelledStaysOpenAndWritesNothing)
{
    WriteTree(file, "A: /a.mp3");
    const QByteArray before = Bytes(file);
    StartEditor();
    ASSERT_TRUE(editor->NewCombination("B"));
    QSignalSpy closed(editor.get(), &TFCombinations::Closed);
    dialogs.ExpectCancel(); // Cancel and Escape both leave the dialog without a file
    editor->ExitClick();
    EXPECT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].kind, platform::DialogKind::SaveFile);
    EXPECT_EQ(closed.count(), 0);
    EXPECT_TRUE(editor->Modified());
    EXPECT_EQ(EditorLayout(), "A: /a.mp3; B:");
    EXPECT_EQ(Bytes(file), before);
    EXPECT_TRUE(Backups().isEmpty());
}

TEST_F(VarnelloWindowTest, DamagedFileAtStartIsShownInABoxAndKeptBeforeItIsReplaced)
{
    {
        QFile damaged(file);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray("\x07\x00\x00", 3));
    }
    const QByteArray damagedBytes = Bytes(file);
    dialogs.ExpectButton(QMessageBox::Ok);
    StartEditor();
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(EditorLayout(), "");
    ASSERT_TRUE(editor->NewCombination("K"));
    dialogs.ExpectButton(QMessageBox::Ok); // the box naming the kept version
    ASSERT_TRUE(editor->SaveClick());
    ASSERT_EQ(Backups().size(), 1);
    EXPECT_EQ(Bytes(station.File(Backups()[0])), damagedBytes);
    EXPECT_TRUE(dialogs.Shown()[1].text.contains(Backups()[0]));
}

TEST_F(VarnelloWindowTest, ReadOnlyFileShowsTheErrorAndKeepsTheEditsUnsaved)
{
    WriteTree(file, "A: /a.mp3");
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner));
    const QByteArray before = Bytes(file);
    StartEditor();
    ASSERT_TRUE(editor->NewCombination("B"));
    dialogs.ExpectButton(QMessageBox::Ok);
    EXPECT_FALSE(editor->SaveClick());
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].text, "Cannot write " + file + ": the file is read-only");
    EXPECT_TRUE(editor->Modified());
    EXPECT_EQ(EditorLayout(), "A: /a.mp3; B:");
    EXPECT_EQ(Bytes(file), before);
    EXPECT_TRUE(Backups().isEmpty());

    // Ended from outside: no box, the edits go to the editor's own file.
    const QString unsaved = station.File("Varnello-unsaved-20300101-105950.dat");
    editor->WriteUnsavedEdits(unsaved);
    EXPECT_FALSE(editor->Modified());
    EXPECT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(Bytes(file), before);
    editor.reset();
    ASSERT_TRUE(window->LoadFromFile(unsaved));
    EXPECT_EQ(Layout(), "A: /a.mp3; B:");
}

// The station's window (run mode 0) and the editor's (run mode 1) on one file, row by row.
TEST_F(VarnelloWindowTest, BothProgramsOnOneFile)
{
    WriteTree(file, "A: /a.mp3");
    Show();
    StartEditor();

    // The station's edit is written; the editor, with no edits, reloads it.
    ASSERT_TRUE(window->NewCombination("S1"));
    ASSERT_TRUE(window->SaveToFile());
    editor->ReloadFileTimer();
    EXPECT_EQ(EditorLayout(), "A: /a.mp3; S1:");
    EXPECT_EQ(editor->windowTitle(), "Varnello - combinations - RECARGADO!");

    // The editor saves; the station reloads the editor's file.
    ASSERT_TRUE(editor->NewCombination("V1"));
    ASSERT_TRUE(editor->SaveClick());
    window->ReloadFileTimer();
    EXPECT_EQ(Layout(), "A: /a.mp3; S1:; V1:");
    EXPECT_TRUE(Backups().isEmpty());

    // The station writes while the editor holds edits: they stay, and its user is told once.
    ASSERT_TRUE(editor->NewCombination("V2"));
    ASSERT_TRUE(window->NewCombination("S2"));
    ASSERT_TRUE(window->SaveToFile());
    const QByteArray stationVersion = Bytes(file);
    dialogs.ExpectButton(QMessageBox::Ok);
    editor->ReloadFileTimer();
    editor->ReloadFileTimer();
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_TRUE(dialogs.Shown()[0].text.startsWith("The combinations file was changed by another program."));
    EXPECT_EQ(EditorLayout(), "A: /a.mp3; S1:; V1:; V2:");

    // The editor saves: the station's version is kept first and named; the station reloads.
    dialogs.ExpectButton(QMessageBox::Ok);
    ASSERT_TRUE(editor->SaveClick());
    ASSERT_EQ(Backups().size(), 1);
    EXPECT_EQ(Bytes(station.File(Backups()[0])), stationVersion);
    EXPECT_TRUE(dialogs.Shown()[1].text.contains(Backups()[0]));
    window->ReloadFileTimer();
    EXPECT_EQ(Layout(), "A: /a.mp3; S1:; V1:; V2:");

    // Either program ending writes no unchanged tree over the other's newer file.
    const QByteArray last = Bytes(file);
    const platform::FileStamp lastStamp = platform::StampOf(file);
    editor->ExitClick();
    editor.reset();
    window.reset();
    EXPECT_EQ(Bytes(file), last);
    EXPECT_EQ(platform::StampOf(file), lastStamp);
}

} // namespace
