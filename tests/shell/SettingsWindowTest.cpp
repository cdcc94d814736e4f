// The settings window's pages on the running station: mute boxes, launchers, language, log, skins,
// the values of the first showing and the items that hand addresses to the desktop.
#include "StationFixture.h"

#include "DesktopCatcher.h"
#include "controls/LXButton.h"
#include "controls/LXListBox.h"
#include "controls/LXSpeedButton.h"
#include "controls/LbButton.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "foundation_gui/DisplayRoles.h"
#include "library/Combinations.h"
#include "library/CombinationsTree.h"
#include "library/Folders.h"
#include "library/SearchFiles.h"
#include "library/TabFolder.h"
#include "menus/PMEditItem.h"
#include "menus/PMItems.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/Process.h"
#include "playout/CUEPlayer.h"
#include "playout/Channel1.h"
#include "playout/QueueListView.h"
#include "playout/StationIdMenu.h"
#include "shell/Clock.h"
#include "shell/FontsColorsChoose.h"
#include "shell/Main.h"
#include "shell/WindowsBar.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <optional>

namespace {

class SettingsWindowTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        WriteProgramFile("nologin.txt", "");
    }

    // A shell script that creates the marker file when it runs.
    QString WriteScript(const QString& name, const QString& marker) const
    {
        const QString path = folder.File(name);
        QDir().mkpath(QFileInfo(path).path());
        WriteProgramFile(name, QStringLiteral("#!/bin/sh\necho ran > '%1'\n").arg(marker).toUtf8());
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
        return path;
    }

    int LaunchErrorsShown() const
    {
        int count = 0;
        for (const platform::DialogRequest& box : dialogs.Shown())
            count += box.text == "Error launching the external application" ? 1 : 0;
        return count;
    }
};

TEST_F(SettingsWindowTest, MuteBoxesReachTheirWindowsByTag)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nbeepactive=1\r\n[cue]\r\nvolume=35\r\n");
    struct Row {
        int tag;
        bool checked;
        bool beepActive;
        int cueVolume;
        bool channelSilent;
    };
    // Tags 2 and 3 name channels that are never created; other tags name nothing.
    const Row rows[] = {{0, true, false, 35, false}, {0, false, true, 35, false}, {4, true, true, 0, false},
                        {4, false, true, 35, false}, {1, true, true, 35, true},   {1, false, true, 35, false},
                        {2, true, true, 35, false},  {3, true, true, 35, false},  {5, true, true, 35, false},
                        {-2, true, true, 35, false}};
    RunStation({AtFirstShowEnd([&] {
        const int channelVolume = FChannel1->Playback().Volume();
        ASSERT_GT(channelVolume, 0);
        for (const Row& row : rows) {
            FMain->CBSilenciarCanalesClick(row.tag, row.checked);
            EXPECT_EQ(StationOptions.BeepActive, row.beepActive) << "tag " << row.tag << " " << row.checked;
            EXPECT_EQ(FCUEPlayer->Playback().Volume(), row.cueVolume)
                << "tag " << row.tag << " " << row.checked;
            EXPECT_EQ(FChannel1->Playback().Volume(), row.channelSilent ? 0 : channelVolume)
                << "tag " << row.tag << " " << row.checked;
        }
        // The boxes themselves carry the tags.
        FMain->CBHourSignals->click();
        EXPECT_FALSE(StationOptions.BeepActive);
        FMain->CBCUE->click();
        EXPECT_EQ(FCUEPlayer->Playback().Volume(), 0);
    })});
}

TEST_F(SettingsWindowTest, LaunchersStartTheirProgramOrLetTheOperatorChooseOne)
{
    const QString direct = WriteScript("direct.sh", folder.File("direct.ran"));
    const QString chosen = WriteScript("chosen.sh", folder.File("chosen.ran"));
    const QString blank = WriteScript("dir with blank/it's \"here\".sh", folder.File("blank.ran"));
    WriteProgramFile("plain.txt", "not a program\n");
    WriteProgramFile(
        "Sonvelazodu.ini",
        QStringLiteral("[launchers]\r\ncmd1=%1\r\ncmd4=no-such-program-here\r\n").arg(direct).toUtf8());
    struct Row {
        int n;
        std::optional<QString> choice; // nothing: no dialog; empty: cancelled
        int errors;
        QString stored;
        QString marker;
    };
    const Row rows[] = {
        {1, std::nullopt, 0, direct, "direct.ran"},
        {2, chosen, 1, chosen, "chosen.ran"},
        {3, blank, 1, platform::CommandLineWord(blank), "blank.ran"},
        {4, QString(), 1, "no-such-program-here", QString()},
        {5, folder.File("plain.txt"), 2, folder.File("plain.txt"), QString()},
    };
    RunStation({AtFirstShowEnd([&] {
        for (const Row& row : rows) {
            const int errorsBefore = LaunchErrorsShown();
            if (row.errors > 0)
                dialogs.ExpectButton(QMessageBox::Ok);
            if (row.choice && row.choice->isEmpty())
                dialogs.ExpectCancel();
            else if (row.choice)
                dialogs.ExpectPaths({*row.choice});
            if (row.errors > 1)
                dialogs.ExpectButton(QMessageBox::Ok);
            FMain->BCmd[row.n - 1]->click();
            EXPECT_EQ(LaunchErrorsShown() - errorsBefore, row.errors) << "launcher " << row.n;
            EXPECT_EQ(SettingsIni->ReadString("launchers", QStringLiteral("cmd%1").arg(row.n), QString()),
                      row.stored)
                << "launcher " << row.n;
            if (!row.marker.isEmpty()) {
                EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(folder.File(row.marker)); }))
                    << "launcher " << row.n;
            }
        }
        // The stored path with blanks and quotes starts again as it was read back.
        QFile::remove(folder.File("blank.ran"));
        const int errorsBefore = LaunchErrorsShown();
        FMain->BCmd[2]->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(folder.File("blank.ran")); }));
        EXPECT_EQ(LaunchErrorsShown(), errorsBefore);
    })});
}

TEST_F(SettingsWindowTest, SetLanguageTranslatesEveryBuiltWindow)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nlanguage=english\r\n");
    WriteProgramFile("espanol.lng", "[translations]\r\n"
                                    "FMain.TSMain.Caption=Principal\r\n"
                                    "FMain.BLanguageSet.Caption=Idioma\r\n"
                                    "FClock.CBSHActivadas.Caption=Senales\r\n"
                                    "FWindowsBar.BFolders.Hint=Carpetas\r\n");
    RunStation({AtFirstShowEnd([&] {
        EXPECT_EQ(FMain->LBLanguages->ItemIndex(), 2);
        FMain->LBLanguages->SetItemIndex(3);
        FMain->PCMain->setCurrentWidget(FMain->TSLanguages);
        FMain->BLanguageSet->Click();
        EXPECT_EQ(StationOptions.Language, "espanol");
        EXPECT_EQ(FMain->PCMain->tabText(0), "Principal");
        EXPECT_EQ(FMain->BLanguageSet->Caption(), "Idioma");
        EXPECT_EQ(FClock->CBSHActivadas->text(), "Senales");
        EXPECT_EQ(FWindowsBar->BFolders->toolTip(), "Carpetas");
        const QString file = folder.File("espanol.lng");
        for (const TLanguage* component :
             {&FMain->LangMain, &FChannel1->Queue().LangChannel, &FClock->LangClock,
              &FWindowsBar->LangWindowsBar, &FFolders->LangFolders, &FCombinations->LangCombinations,
              &FSearchFiles->LangSearchFiles})
            EXPECT_EQ(component->LanguageFile, file);
    })});
}

TEST_F(SettingsWindowTest, AStoredLanguageOutsideTheListWithoutAFileTranslatesWithEnglish)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nlanguage=deutsch\r\n");
    WriteProgramFile("english.lng", "[translations]\r\nFMain.TSLog.Caption=Daily log\r\n");
    RunStation({AtFirstShowEnd([&] {
        EXPECT_EQ(FMain->LBLanguages->ItemIndex(), -1);
        EXPECT_EQ(FMain->PCMain->tabText(FMain->PCMain->indexOf(FMain->TSLog)), "Daily log");
        EXPECT_EQ(FMain->LangMain.LanguageFile, folder.File("english.lng"));
        EXPECT_EQ(StationOptions.Language, "deutsch");
    })});
    EXPECT_EQ(SettingsValue("main", "language"), "deutsch");
}

TEST_F(SettingsWindowTest, AnEnglishStationShowsEnglishCaptions)
{
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(SZ_SOURCE_DIR "/resources/english.lng"), ProgramFile("english.lng")));
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nlanguage=english\r\n");
    RunStation({AtFirstShowEnd([&] {
        const TStationIdMenu& ids = *FChannel1->StationIdMenu;
        const std::pair<QString, const char*> captions[] = {
            {FMain->GBMuteChannels->title(), "Mute channels:"},
            {FMain->BViewLog->Caption(), "View log file"},
            {FMain->BClearLog->Caption(), "Clear log file"},
            {ids.PMInsertIndicativosEverySongs->Caption(), "Insert station IDs every # songs:"},
            {ids.PMInsertIndicativosEverySongs->EditCaption(), "Insert station IDs every # songs:"},
            {ids.PMInsertIndicativosEverySeconds->Caption(), "Insert station IDs every # seconds:"},
            {ids.PMInsertIndicativosEverySeconds->EditCaption(), "Insert station IDs every # seconds:"},
        };
        for (const auto& [shown, english] : captions)
            EXPECT_EQ(shown, english);
    })});
}

TEST_F(SettingsWindowTest, TheCombinationsPopupAndTheSearchWindowTakeTheirCaptionsFromTheLanguageFile)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nlanguage=test\r\n");
    WriteProgramFile("test.lng", "[translations]\r\nFCombinations.PMThemes.Caption=Tunes\r\n"
                                 "FCombinations.PMCombinationsNew.EditCaption=Name:\r\n"
                                 "FCombinations.PMThemesEmit1.Caption=On air\r\n"
                                 "FSearchFiles.LFileMask.Caption=Files like\r\n"
                                 "FSearchFiles.CBSearchSubfolders.Caption=Below too\r\n");
    RunStation({AtFirstShowEnd([&] {
        FCombinations->show();
        FSearchFiles->show();
        const std::pair<QString, const char*> captions[] = {
            {FCombinations->PMThemes->Caption(), "Tunes"},
            {FCombinations->PMCombinationsNew->EditCaption(), "Name:"},
            {FCombinations->findChild<TPMCustomItem*>("PMThemesEmit1")->Caption(), "On air"},
            {FSearchFiles->LFileMask->text(), "Files like"},
            {FSearchFiles->CBSearchSubfolders->text(), "Below too"},
        };
        for (const auto& [shown, translated] : captions)
            EXPECT_EQ(shown, translated);
        FSearchFiles->hide();
    })});
}

TEST_F(SettingsWindowTest, TheLogPageShowsWhatEarlierRunsOfTheDayWrote)
{
    const platform::ManualClock clock(QDateTime(QDate(2030, 3, 9), QTime(14, 0)));
    ASSERT_TRUE(QDir(folder.Path()).mkpath("logs"));
    WriteProgramFile("logs/090330.log", "08:00:01 earlier run\r\n09:30:00 and more\r\n");
    WriteProgramFile("Sonvelazodu.ini", "[log]\r\nlevel=1\r\n");
    RunStation({AtFirstShowEnd([&] {
        WriteLog(1, 0, -1, -1, -1, "this run");
        const QStringList lines = FMain->MemoLog->toPlainText().split(u'\n');
        ASSERT_EQ(lines.size(), 3);
        EXPECT_EQ(lines[0], "08:00:01 earlier run");
        EXPECT_EQ(lines[1], "09:30:00 and more");
        EXPECT_TRUE(lines[2].endsWith("this run"));
    })});
}

TEST_F(SettingsWindowTest, TheLogPageMirrorsTheLogWithinItsCapAndClearsAndSetsTheLevel)
{
    WriteProgramFile("Sonvelazodu.ini", "[log]\r\nlevel=1\r\n");
    RunStation({AtFirstShowEnd([&] {
        EXPECT_TRUE(FMain->RGLogLevelItems->button(1)->isChecked());
        WriteLog(1, 0, -1, -1, -1, "first kept line");
        EXPECT_TRUE(FMain->MemoLog->document()->lastBlock().text().endsWith("first kept line"));
        WriteLog(2, 0, -1, -1, -1, "dropped at level 1");
        EXPECT_FALSE(FMain->MemoLog->toPlainText().contains("dropped at level 1"));

        for (int i = 1; i <= 10050; ++i)
            WriteLog(1, 0, -1, -1, -1, QStringLiteral("line %1").arg(i));
        EXPECT_EQ(FMain->MemoLog->document()->blockCount(), 10000);
        EXPECT_TRUE(FMain->MemoLog->document()->firstBlock().text().endsWith("line 51"));
        EXPECT_TRUE(FMain->MemoLog->document()->lastBlock().text().endsWith("line 10050"));

        FMain->PCMain->setCurrentWidget(FMain->TSLog);
        FMain->BClearLog->Click();
        EXPECT_TRUE(FMain->MemoLog->toPlainText().isEmpty());
        EXPECT_EQ(QFileInfo(Log.FileName).size(), 0);

        FMain->RGLogLevelItems->button(2)->click();
        EXPECT_EQ(Log.Level, 2);
        FMain->RGLogLevelItems->button(0)->click();
        EXPECT_EQ(Log.Level, 0);
    })});
    EXPECT_EQ(SettingsValue("log", "level"), "0");
}

TEST_F(SettingsWindowTest, AnyLevelLogWritesEverythingAndChecksNoItem)
{
    WriteProgramFile("Sonvelazodu.ini", "[log]\r\nlevel=-1\r\n");
    RunStation({AtFirstShowEnd([&] {
        EXPECT_EQ(FMain->RGLogLevelItems->checkedButton(), nullptr);
        EXPECT_EQ(Log.Level, -1);
    })});
    EXPECT_EQ(SettingsValue("log", "level"), "-1");
}

TEST_F(SettingsWindowTest, TheSkinsPageListsPackagesAndLoadStoresTheChoice)
{
    WriteProgramFile("Sonvelazodu.ini", "[log]\r\nlevel=2\r\n[main]\r\nskin=b.skn\r\n");
    QDir().mkpath(folder.File("skins"));
    for (const char* name : {"skins/b.skn", "skins/a.skn", "skins/notes.txt"})
        WriteProgramFile(name, "");
    QStringList items;
    QString skinAfterEmptyLoad;
    QString skinAfterDamagedLoad;
    RunStation({AtFirstShowEnd([&] {
        items = FMain->LBSkin->Items();
        EXPECT_EQ(FMain->LBSkin->ItemIndex(), 2);
        FMain->LBSkin->SetItemIndex(-1);
        const qint64 logSize = QFileInfo(Log.FileName).size();
        FMain->BSkinLoad->Click();
        skinAfterEmptyLoad = StationOptions.Skin;
        EXPECT_EQ(QFileInfo(Log.FileName).size(), logSize);
        FMain->LBSkin->SetItemIndex(1);
        dialogs.ExpectButton(QMessageBox::Ok); // an empty file is no skin package: nothing changes
        FMain->BSkinLoad->Click();
        skinAfterDamagedLoad = StationOptions.Skin;
        FMain->LBSkin->SetItemIndex(0);
        FMain->BSkinLoad->Click();
        EXPECT_EQ(StationOptions.Skin, "");
        Log.Flush();
    })});
    EXPECT_EQ(items, QStringList({"(none)", "a.skn", "b.skn"}));
    EXPECT_EQ(skinAfterEmptyLoad, "b.skn");
    EXPECT_EQ(skinAfterDamagedLoad, "b.skn");
    EXPECT_EQ(SettingsValue("main", "skin"), "");
    QFile log(Log.FileName);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray logged = log.readAll();
    EXPECT_FALSE(logged.contains((" 0 15 111 -1 " + folder.File("skins/a.skn") + "\r\n").toUtf8()));
    EXPECT_TRUE(logged.contains((" 0 15 111 -1 " + folder.File("skins/") + "\r\n").toUtf8()));
}

TEST_F(SettingsWindowTest, TheFirstShowingFillsThePagesAndEachChangeLandsInTheRecord)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nplayatstartup=1\r\n"
                                        "[channel1]\r\nfadeinterval=7\r\ncrossfadeenabled=1\r\n"
                                        "crossfadeinterval=3\r\ncrossfademin=120\r\n"
                                        "[launchers]\r\nvisible1=1\r\ncaption1=Jingles\r\nvisible12=1\r\n");
    RunStation({AtFirstShowEnd([&] {
        TFMain& main = *FMain;
        EXPECT_EQ(main.PCMain->count(), 9);
        EXPECT_EQ(main.PCMain->currentIndex(), 0);
        // Only channel 1 and the pre-listen player exist.
        for (const auto& [control, visible] :
             std::initializer_list<std::pair<QWidget*, bool>>{{main.BChannel1Device, true},
                                                              {main.BCUEDevice, true},
                                                              {main.BChannel2Device, false},
                                                              {main.BChannel3Device, false},
                                                              {main.CB1, true},
                                                              {main.CB2, false},
                                                              {main.CB3, false}})
            EXPECT_EQ(!control->isHidden(), visible) << qPrintable(control->objectName());
        EXPECT_TRUE(main.PCFade->isTabVisible(0));
        EXPECT_FALSE(main.PCFade->isTabVisible(1));
        EXPECT_FALSE(main.PCFade->isTabVisible(2));
        EXPECT_EQ(main.PCFade->count(), 3);
        for (int n = 1; n <= 12; ++n)
            EXPECT_EQ(!main.BCmd[n - 1]->isHidden(), n == 1 || n == 12) << n;
        EXPECT_EQ(main.BCmd[0]->text(), "Jingles");
        EXPECT_EQ(main.BCmd[11]->text(), "BCmd12");

        const TFadePage& fade = main.FadePages[0];
        EXPECT_TRUE(main.CBPlayAtStartup->isChecked());
        EXPECT_FALSE(main.CBSetPCDatetimeAtStartup->isChecked());
        EXPECT_EQ(fade.SEFadeInterval->value(), 7);
        EXPECT_TRUE(fade.CBCrossfadeEnabled->isChecked());
        EXPECT_EQ(fade.SECrossfadeinterval->value(), 3);
        EXPECT_EQ(fade.SECrossfademin->value(), 120);

        main.CBPlayAtStartup->click();
        main.CBSetPCDatetimeAtStartup->click();
        fade.SEFadeInterval->setValue(2);
        fade.CBCrossfadeEnabled->click();
        fade.SECrossfadeinterval->setValue(9);
        fade.SECrossfademin->setValue(45);
        main.FadePages[1].SEFadeInterval->setValue(8);
        EXPECT_FALSE(StationOptions.PlayAtStartup);
        EXPECT_TRUE(StationOptions.SetPCDatetimeAtStartup);
        EXPECT_EQ(StationOptions.FadeInterval[1], 2);
        EXPECT_FALSE(StationOptions.CrossfadeEnabled[1]);
        EXPECT_EQ(StationOptions.CrossfadeInterval[1], 9);
        EXPECT_EQ(StationOptions.CrossfadeMin[1], 45);
        EXPECT_EQ(StationOptions.FadeInterval[2], 8);
        // The exit question's save must not set the PC clock at the next start of a test.
        main.CBSetPCDatetimeAtStartup->click();
    })});
    EXPECT_EQ(SettingsValue("main", "playatstartup"), "0");
    EXPECT_EQ(SettingsValue("channel1", "fadeinterval"), "2");
    EXPECT_EQ(SettingsValue("channel1", "crossfadeenabled"), "0");
    EXPECT_EQ(SettingsValue("channel1", "crossfadeinterval"), "9");
    EXPECT_EQ(SettingsValue("channel1", "crossfademin"), "45");
}

TEST_F(SettingsWindowTest, HomePageAndViewLogHandTheirFilesToTheDesktop)
{
    DesktopCatcher desktop;
    RunStation({AtFirstShowEnd([&] {
        FMain->MHomePage->trigger();
        FMain->PCMain->setCurrentWidget(FMain->TSLog);
        FMain->BViewLog->Click();
    })});
    ASSERT_EQ(desktop.opened.size(), 2);
    EXPECT_EQ(desktop.opened[0].toLocalFile(), folder.File("README.md"));
    EXPECT_EQ(desktop.opened[1].toLocalFile(), Log.FileName);
}

TEST_F(SettingsWindowTest, TheFontsDialogRepaintsTheThreeWindowsAndItsChoicesAreSaved)
{
    WriteProgramFile("Sonvelazodu.ini", "[Folder0]\r\nname=JINGLES\r\n");
    QFont chosen("DejaVu Serif");
    chosen.setPointSize(13);
    RunStation({AtFirstShowEnd([&] {
        ASSERT_TRUE(QTest::qWaitFor([] { return !FFolders->Loading(); }));
        ASSERT_EQ(FFolders->PageCount(), 1);
        FMain->LXBSetFonts->Click();
        ASSERT_TRUE(FFontsColorsChoose->isVisible());
        for (DisplayRole role : {RoleCombinations, RoleFolders, RoleChannels}) {
            dialogs.ExpectFont(chosen, 0x0000FF);
            FFontsColorsChoose->FontButtons[role]->click();
        }
        dialogs.ExpectColor(0x00FFFF);
        FFontsColorsChoose->ColorButtons[RoleChannels]->click();
        FFontsColorsChoose->BOk->Click();
        EXPECT_EQ(FCombinations->TVCombinaciones->font().family(), "DejaVu Serif");
        EXPECT_EQ(FFolders->Page(0)->List()->font().family(), "DejaVu Serif");
        const TQueueListView* list = FChannel1->LB;
        EXPECT_EQ(list->font().family(), "DejaVu Serif");
        EXPECT_EQ(list->palette().color(QPalette::Text), QColor(255, 0, 0));
        EXPECT_EQ(list->palette().color(QPalette::Base), QColor(255, 255, 0));
    })});
    EXPECT_EQ(SettingsValue("fonts", RoleName(RoleChannels) + "_name"), "DejaVu Serif");
    EXPECT_EQ(SettingsValue("fonts", RoleName(RoleChannels) + "_color"), "255");
    EXPECT_EQ(SettingsValue("fonts", RoleName(RoleFolders) + "_size"), "13");
}

TEST_F(SettingsWindowTest, EveryShownControlOfEveryPageHasRoomOnScreen)
{
    RunStation({AtFirstShowEnd([&] {
        for (int index = 0; index < FMain->PCMain->count(); ++index) {
            QWidget* page = FMain->PCMain->widget(index);
            FMain->PCMain->setCurrentIndex(index);
            QCoreApplication::processEvents();
            for (const QWidget* control : page->findChildren<QWidget*>()) {
                if (control->objectName().isEmpty() || control->objectName().startsWith("qt_") ||
                    !control->isVisibleTo(page))
                    continue;
                SCOPED_TRACE(control->objectName().toStdString());
                EXPECT_GE(control->width(), 16);
                EXPECT_GE(control->height(), 16);
            }
        }
        // A button's caption fits it.
        for (const TLbButton* button : {FMain->BLanguageSet, FMain->BViewLog, FMain->BClearLog})
            EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->Caption()))
                << button->objectName().toStdString();
    })});
}

TEST_F(SettingsWindowTest, ALongLanguageOrSkinNameIsDrawnWhole)
{
    RunStation({AtFirstShowEnd([&] {
        const QString name = "a-skin-package-name-far-longer-than-a-column.skn";
        const platform::TRect row{0, 0, 400, 16};
        for (TLXListBox* list : {FMain->LBLanguages, FMain->LBSkin}) {
            const std::vector<TLXListCell> cells =
                LayoutListRow(name, list->Delimiter(), list->Header().Columns(), row);
            ASSERT_EQ(cells.size(), 1u) << list->objectName().toStdString();
            EXPECT_EQ(cells[0].Text, name);
            EXPECT_GE(cells[0].Rect.Right, 398) << list->objectName().toStdString();
        }
    })});
}

} // namespace
