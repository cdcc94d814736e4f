#include "DialogAnswerer.h"
#include "FoldersFixture.h"
#include "foundation/Log.h"
#include "library/TabFolder.h"
#include "menus/PMEditItem.h"
#include "menus/PMItems.h"
#include "menus/PMMRUList.h"
#include "menus/PMModalHandler.h"
#include "menus/PMPopupMenu.h"
#include "platform/IniFile.h"
#include "platform/Messages.h"
#include "platform_gui/KeyboardHook.h"
#include "platform_gui/PageControl.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// Channel 1 as the folders window sees it: every append recorded, refused from a given one on.
struct FakeChannel {
    QStringList added;
    std::vector<int> keeps;
    std::vector<int> started;
    int refuseFrom = 1000;
    std::function<void()> onAdd;

    TChannelCalls Calls()
    {
        return {[this](const QString& path, uint8_t keep) {
                    if (onAdd)
                        onAdd();
                    if (added.size() + 1 > refuseFrom)
                        return -1;
                    added.append(QFileInfo(path).fileName());
                    keeps.push_back(keep);
                    return int(added.size()) - 1;
                },
                [this](int index) { started.push_back(index); }};
    }
};

class FoldersMenuTest : public FoldersTest {
protected:
    void SetUp() override
    {
        FoldersTest::SetUp();
        folders->Channel = channel.Calls();
        savedLog = std::make_tuple(Log.Level, Log.Memo, LogDir, Log.FileName);
        LogDir = station.Path() + "logs/";
        Log.Level = 2;
        Log.Memo = [this](const QString& line) { logged.append(line); };
    }
    void TearDown() override
    {
        Log.CloseLogFile();
        std::tie(Log.Level, Log.Memo, LogDir, Log.FileName) = savedLog;
        FoldersTest::TearDown();
    }
    // Pages "name|folder,folder" with folders under the music folder, loaded.
    void Load(const QStringList& pages)
    {
        QByteArray settings;
        for (int n = 0; n < pages.size(); ++n) {
            const QStringList parts = pages[n].split('|');
            settings += QStringLiteral("[Folder%1]\nname=%2\n[FolderDirs%1]\n").arg(n).arg(parts[0]).toUtf8();
            for (const QString& folder : parts.value(1).split(',', Qt::SkipEmptyParts))
                settings += music.File(folder).toUtf8() + "=\n";
        }
        WriteSettings(settings);
        folders->LoadFolders();
        WaitForLoad();
    }
    void Select(TTabFolder* page, std::initializer_list<int> rows)
    {
        for (const int row : rows)
            page->List()->selectionModel()->select(page->List()->model()->index(row, 0),
                                                   QItemSelectionModel::Select);
    }
    // The lines the log got, without their date and time.
    QStringList Lines() const
    {
        QStringList lines;
        for (const QString& line : logged)
            lines.append(line.section(' ', 2));
        return lines;
    }

    FakeChannel channel;
    QStringList logged;
    std::tuple<int, std::function<void(const QString&)>, QString, QString> savedLog;
    ScriptedDialogAnswerer dialogs;
};

TEST_F(FoldersMenuTest, ThePopupShowsRenameAndTheFolderListForTheActivePage)
{
    Load({"JINGLES|a,b,c,d,e,f", "NEWS", "MUSIC|g"});
    struct Case {
        int page;
        bool rename;
        bool deleteDirectory;
        QStringList offered;
    };
    const Case cases[] = {
        {0, false, true, {music.File("f"), music.File("e"), music.File("d"), music.File("c")}},
        {1, true, false, {}},
        {2, true, true, {music.File("g")}},
    };
    for (const Case& c : cases) {
        folders->PC->SetActivePageIndex(c.page);
        folders->PMFoldersPopup();
        EXPECT_EQ(folders->PMFolderRename->Visible(), c.rename) << c.page;
        if (c.rename) {
            EXPECT_EQ(folders->PMFolderRename->Text(), folders->Page(c.page)->Caption());
        }
        EXPECT_EQ(folders->PMFolderDeleteDirectory->Visible(), c.deleteDirectory) << c.page;
        EXPECT_EQ(folders->MRUListDirs->Items().Names(), c.offered) << c.page;
    }
}

TEST_F(FoldersMenuTest, NewAndRenameRefuseAnEmptyTextAndANewPageLooksLikeTheOthers)
{
    StationOptions.FolderColumns = 5;
    Load({"JINGLES", "NEWS"});
    struct Case {
        TPMEditItem* item;
        QString text;
        bool accepted;
        QStringList captions;
    };
    const Case cases[] = {
        {folders->PMFolderNew, "", false, {"JINGLES", "NEWS"}},
        {folders->PMFolderNew, "SPORT", true, {"JINGLES", "NEWS", "SPORT"}},
        {folders->PMFolderRename, "", false, {"JINGLES", "NEWS", "SPORT"}},
        {folders->PMFolderRename, "GAMES", true, {"JINGLES", "NEWS", "GAMES"}},
    };
    for (const Case& c : cases) {
        QString text = c.text;
        bool accept = true;
        c.item->OnAcceptText(nullptr, text, accept);
        EXPECT_EQ(accept, c.accepted) << c.text.toStdString();
        EXPECT_EQ(Captions(*folders), c.captions) << c.text.toStdString();
    }
    EXPECT_EQ(folders->PC->ActivePageIndex(), 2) << "the new page became the active one";
    EXPECT_EQ(folders->Page(2)->Columns(), 5);
    EXPECT_EQ(folders->Page(2)->List()->ItemHeight(), folders->Page(0)->List()->ItemHeight());
}

TEST_F(FoldersMenuTest, DeleteKeepsJinglesAsksAndSavesThePagesThatAreLeft)
{
    Load({"A|a", "Jingles|b", "JINGLES|c", "D|d"});
    struct Case {
        int page;
        QMessageBox::StandardButton answer; // NoButton: no question
        QString box;
        QStringList captions;
    };
    const Case cases[] = {
        {2, QMessageBox::NoButton, "no_delete_folder JINGLES", {"A", "Jingles", "JINGLES", "D"}},
        {1, QMessageBox::No, "ok_to_delete_folder \r\nJingles", {"A", "Jingles", "JINGLES", "D"}},
        {1, QMessageBox::Yes, "ok_to_delete_folder \r\nJingles", {"A", "JINGLES", "D"}},
        {2, QMessageBox::Yes, "ok_to_delete_folder \r\nD", {"A", "JINGLES"}},
    };
    for (const Case& c : cases) {
        dialogs.ExpectButton(c.answer == QMessageBox::NoButton ? QMessageBox::Ok : c.answer);
        folders->PC->SetActivePageIndex(c.page);
        folders->PMFolderDeleteClick();
        EXPECT_EQ(dialogs.Shown().last().text, c.box);
        EXPECT_EQ(Captions(*folders), c.captions);
    }
    const platform::IniFile saved(SettingsPath);
    EXPECT_EQ(saved.ReadString("Folder0", "name", {}), "A");
    EXPECT_EQ(saved.ReadString("Folder1", "name", {}), "JINGLES");
    EXPECT_EQ(saved.ReadSection("FolderDirs1"), QStringList{music.File("c")}) << "its folders went with it";
    EXPECT_FALSE(saved.SectionExists("Folder2"));
    EXPECT_FALSE(saved.SectionExists("FolderDirs3"));
}

TEST_F(FoldersMenuTest, InsertDirectoryAddsANewFolderOnceAndRefusesOneThatCannotBeAKey)
{
    MakeFiles(music.File("a"), {"1.wav", "2.wav"});
    MakeFiles(music.File("b"), {"3.wav"});
    MakeFiles(music.File("x=y"), {"4.wav"});
    Load({"JINGLES|a"});
    struct Case {
        QString folder;
        bool refused;
        QStringList items;
    };
    const Case cases[] = {
        {music.File("a"), false, {"1.wav", "2.wav"}},
        {music.File("A"), false, {"1.wav", "2.wav"}},
        {music.File("x=y"), true, {"1.wav", "2.wav"}},
        {music.File("b"), false, {"1.wav", "2.wav", "3.wav"}},
    };
    for (const Case& c : cases) {
        dialogs.ExpectPaths({c.folder});
        if (c.refused)
            dialogs.ExpectButton(QMessageBox::Ok);
        folders->PMFolderInsertDirectoryClick();
        EXPECT_EQ(ItemNames(*folders->Page(0)), c.items) << c.folder.toStdString();
    }
    EXPECT_EQ(folders->Page(0)->Folders(), QStringList({music.File("a"), music.File("b")}));
    EXPECT_TRUE(dialogs.Shown()[3].text.endsWith(' ' + music.File("x=y")));
}

TEST_F(FoldersMenuTest, DeleteDirectoryAsksThenDropsTheFolderAndReadsThePageAgain)
{
    MakeFiles(music.File("a"), {"1.wav"});
    MakeFiles(music.File("b"), {"2.wav"});
    Load({"JINGLES|a,b"});
    const std::tuple<QMessageBox::StandardButton, QStringList, QStringList> cases[] = {
        {QMessageBox::No, {music.File("a"), music.File("b")}, {"1.wav", "2.wav"}},
        {QMessageBox::Yes, {music.File("b")}, {"2.wav"}},
    };
    for (const auto& [answer, left, items] : cases) {
        dialogs.ExpectButton(answer);
        folders->MRUListDirsClick(music.File("a"));
        WaitForLoad();
        EXPECT_EQ(dialogs.Shown().last().text, "ok_to_delete_folder \r\n" + music.File("a"));
        EXPECT_EQ(folders->Page(0)->Folders(), left);
        EXPECT_EQ(ItemNames(*folders->Page(0)), items);
    }
    EXPECT_TRUE(QFileInfo::exists(music.File("a/1.wav"))) << "the folder on disk is not touched";
}

TEST_F(FoldersMenuTest, TheLookActsOnEveryPageAndTheSettings)
{
    Load({"JINGLES", "NEWS"});
    folders->PMCarpetasAparienciaColumnasClick(7);
    EXPECT_EQ(StationOptions.FolderColumns, 7);
    EXPECT_EQ(folders->Page(1)->Columns(), 7);
    const std::tuple<int, platform::TTabPosition, bool> tabs[] = {
        {3, platform::TTabPosition::tpLeft, true},
        {5, platform::TTabPosition::tpLeft, false},
        {2, platform::TTabPosition::tpBottom, false},
        {5, platform::TTabPosition::tpBottom, true},
    };
    for (const auto& [tag, position, multiLine] : tabs) {
        folders->PMCarpetasAparienciaPestanyasClick(tag);
        EXPECT_EQ(folders->PC->TabPosition(), position) << tag;
        EXPECT_EQ(folders->PC->MultiLine(), multiLine) << tag;
        EXPECT_EQ(folders->PMFoldersLookTabsMultiline->Checked(), multiLine) << tag;
    }
    for (const bool on : {true, false}) {
        folders->PMFoldersLookDisplayThemeTagsClick();
        folders->PMFoldersLookDisplayFileExtensionsClick();
        EXPECT_EQ(StationOptions.ShowTags, on);
        EXPECT_EQ(StationOptions.ShowExtension, on);
        EXPECT_EQ(folders->PMFoldersLookDisplayThemeTags->Checked(), on);
    }
}

TEST_F(FoldersMenuTest, TheLookCheckMarksShowWhatIsInEffectWhenTheMenuOpens)
{
    Load({"JINGLES"});
    const std::tuple<bool, bool, bool> states[] = {
        {false, true, true}, // the settings' start: no tags, extensions shown, multi-line tabs
        {true, false, false},
        {true, true, true},
    };
    for (const auto& [tags, extensions, multiLine] : states) {
        StationOptions.ShowTags = tags;
        StationOptions.ShowExtension = extensions;
        folders->PC->SetMultiLine(multiLine);
        folders->PMFoldersPopup();
        EXPECT_EQ(folders->PMFoldersLookDisplayThemeTags->Checked(), tags);
        EXPECT_EQ(folders->PMFoldersLookDisplayFileExtensions->Checked(), extensions);
        EXPECT_EQ(folders->PMFoldersLookTabsMultiline->Checked(), multiLine);
        // A click turns what is in effect around.
        folders->PMFoldersLookDisplayFileExtensionsClick();
        EXPECT_EQ(StationOptions.ShowExtension, !extensions);
        EXPECT_EQ(folders->PMFoldersLookDisplayFileExtensions->Checked(), !extensions);
    }
}

TEST_F(FoldersMenuTest, EmitStopsAtTheFirstRefusedAppend)
{
    MakeFiles(music.File("a"), {"1.wav", "2.wav", "3.wav", "4.wav"});
    Load({"JINGLES|a"});
    Select(folders->Page(0), {3, 0, 2});
    channel.refuseFrom = 2;
    folders->EmitSelectedFiles(folders->Channel);
    EXPECT_EQ(channel.added, QStringList({"1.wav", "3.wav"}));
    EXPECT_EQ(channel.keeps, std::vector<int>({1, 1}));

    channel = {};
    channel.refuseFrom = 1;
    dialogs.ExpectPaths({music.File("a")});
    folders->EmitDirectory(channel.Calls());
    EXPECT_EQ(channel.added, QStringList({"1.wav"}));
    EXPECT_TRUE(channel.started.empty());
}

TEST_F(FoldersMenuTest, TheEmergencyMessageToAnyWindowPutsTheFirstFileOnAir)
{
    MakeFiles(music.File("a"), {"A.wav", "B.wav"});
    QObject otherWindow;
    platform::RegisterWindow(&otherWindow, "TFChannel1");
    struct Case {
        const char* what;
        QStringList pages;
        int refuseFrom;
        QStringList added;
        std::vector<int> started;
        QStringList lines;
    };
    const Case cases[] = {
        {"the first file, Keep 0, at once",
         {"JINGLES|a", "NEWS"},
         1000,
         {"A.wav"},
         {0},
         {"0 12 105 -1 soskeypressed"}},
        {"an empty first page",
         {"NEWS", "JINGLES|a"},
         1000,
         {},
         {},
         {"0 12 105 -1 soskeypressed", "1 -1 -1 -1 soskeypressed"}},
        {"no page", {}, 1000, {}, {}, {"0 12 105 -1 soskeypressed", "1 -1 -1 -1 soskeypressed"}},
        {"a refused append starts nothing", {"JINGLES|a"}, 0, {}, {}, {"0 12 105 -1 soskeypressed"}},
    };
    for (const Case& c : cases) {
        folders = std::make_unique<TFFolders>();
        channel = {};
        channel.refuseFrom = c.refuseFrom;
        folders->Channel = channel.Calls();
        Load(c.pages);
        logged.clear();
        platform::PostMessage(&otherWindow, platform::WM_SOSKEYPRESSED, 0x1234, 0);
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(channel.added, c.added) << c.what;
        EXPECT_EQ(channel.started, c.started) << c.what;
        EXPECT_EQ(Lines(), c.lines) << c.what;
        if (!c.added.isEmpty()) {
            EXPECT_EQ(channel.keeps, std::vector<int>{0}) << c.what;
        }
    }
}

TEST_F(FoldersMenuTest, TheEmergencyKeyWorksWhileThePopupMenuIsOpen)
{
    MakeFiles(music.File("a"), {"A.wav"});
    Load({"JINGLES|a"});
    bool addedWhileOpen = false;
    channel.onAdd = [&] { addedWhileOpen = folders->PMFolders->IsOpen(); };
    QTimer::singleShot(0, folders.get(),
                       [&] { platform::PostMessage(folders.get(), platform::WM_SOSKEYPRESSED, 0x7B, 0); });
    QTimer::singleShot(100, folders.get(), [] {
        if (TPMModalHandler* handler = TPMModalHandler::Current())
            handler->Cancel();
    });
    folders->PMFolders->Popup(100, 100);
    EXPECT_TRUE(addedWhileOpen);
    EXPECT_EQ(channel.added, QStringList{"A.wav"});
    EXPECT_EQ(channel.started, std::vector<int>{0});
    EXPECT_FALSE(folders->PMFolderRename->Visible()) << "the popup set the first page's states";
}

TEST_F(FoldersMenuTest, TheEmergencyKeyIsInstalledFromCreationToDestructionOrTheLogSaysWhy)
{
    folders.reset();
    logged.clear();
    folders = std::make_unique<TFFolders>();
    EXPECT_EQ(folders->KeyboardHookLibrary, nullptr);
    ASSERT_EQ(Lines().size(), 1);
    EXPECT_TRUE(Lines()[0].startsWith("1 12 -1 -1 Emergency key not available: cannot load " +
                                      station.File("libTastrel.so")))
        << Lines()[0].toStdString();

    ASSERT_TRUE(QFile::copy(SZ_TASTREL_LIBRARY, station.File("libTastrel.so")));
    MakeFiles(music.File("a"), {"A.wav"});
    folders.reset();
    logged.clear();
    folders = std::make_unique<TFFolders>();
    folders->Channel = channel.Calls();
    EXPECT_NE(folders->KeyboardHookLibrary, nullptr);
    EXPECT_EQ(Lines(),
              QStringList{"1 12 -1 -1 Emergency key not system-wide, it works while a station window has "
                          "the focus: there is no X display"});
    Load({"JINGLES|a"});
    folders->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(folders.get()));
    QTest::keyClick(folders->windowHandle(), Qt::Key_F12);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(channel.added.isEmpty()) << "F12 alone";
    QTest::keyClick(folders->windowHandle(), Qt::Key_F12, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(channel.added, QStringList{"A.wav"}) << "Ctrl+F12 on a station window";
    EXPECT_EQ(channel.started, std::vector<int>{0});

    // Removed with the window: keys no longer reach a procedure.
    folders.reset();
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int passed = platform::NextHookCalls();
    QTest::keyClick(window.windowHandle(), Qt::Key_A);
    EXPECT_EQ(platform::NextHookCalls(), passed);
}

} // namespace
