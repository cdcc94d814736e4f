#include "FoldersFixture.h"

#include "Drawing.h"
#include "FileBytes.h"
#include "TempFolder.h"
#include "WavWriter.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "foundation/SettingsWriter.h"
#include "foundation_gui/DisplayRoles.h"
#include "foundation_gui/Settings.h"
#include "library/Message.h"
#include "library/TabFolder.h"
#include "platform/Paths.h"
#include "platform/Random.h"
#include "platform_gui/PageControl.h"
#include "playout/QueueMimeTypes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <tuple>

namespace {

TEST_F(FoldersTest, LoadMakesThePagesAtOnceAndTheirFilesArriveInFolderOrder)
{
    MakeFiles(station.File("jingles"), {"b.wav", "A.wav"});
    MakeFiles(music.Path(), {"c.wav", "notes.txt"});
    QFile broken(music.File("broken.mp3"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not audio");
    broken.close();
    WriteSettings("[Folder0]\nname=JINGLES\n[FolderDirs0]\njingles=\n" + music.Path().toUtf8() + "=\n");

    QSignalSpy loaded(folders.get(), &TFFolders::FoldersLoaded);
    folders->LoadFolders();
    ASSERT_EQ(folders->PageCount(), 1) << "the page exists before its files are read";
    const TTabFolder* page = folders->Page(0);
    EXPECT_EQ(page->Caption(), "JINGLES");
    EXPECT_EQ(page->Folders(), QStringList({station.File("jingles"), music.Path()}))
        << "a relative folder is kept joined to the program folder";
    EXPECT_TRUE(message->isVisible());
    WaitForLoad();
    EXPECT_EQ(loaded.size(), 1);
    EXPECT_EQ(ItemNames(*page), QStringList({"A.wav", "b.wav", "c.wav"}));
    EXPECT_EQ(message->Text(), "adding " + music.Path());
    EXPECT_FALSE(message->isVisible()) << "closed at the end";
}

TEST_F(FoldersTest, LoadStopsAtTheFirstGapAndListsAFolderOnce)
{
    struct Case {
        const char* what;
        QByteArray settings;
        QStringList captions;
        QStringList folders; // of the first page, relative to the music folder
    };
    const QByteArray path = music.Path().toUtf8();
    const QByteArray upper = music.Path().toUpper().toUtf8();
    const Case cases[] = {
        {"a gap after the first", "[Folder0]\nname=A\n[Folder2]\nname=C\n", {"A"}, {}},
        {"an empty name is a gap", "[Folder0]\nname=A\n[Folder1]\nname=\n[Folder2]\nname=C\n", {"A"}, {}},
        {"no first section", "[Folder1]\nname=B\n", {}, {}},
        {"the same folder in other case",
         "[Folder0]\nname=A\n[FolderDirs0]\n" + path + "=\n" + upper + "=\n",
         {"A"},
         {""}},
        {"a missing folder stays listed",
         "[Folder0]\nname=A\n[FolderDirs0]\n" + path + "gone/=\n",
         {"A"},
         {"gone/"}},
    };
    for (const Case& c : cases) {
        folders = std::make_unique<TFFolders>();
        WriteSettings(c.settings);
        folders->LoadFolders();
        WaitForLoad();
        EXPECT_EQ(Captions(*folders), c.captions) << c.what;
        if (folders->PageCount() == 0)
            continue;
        QStringList expected;
        for (const QString& folder : c.folders)
            expected.append(music.Path() + folder);
        EXPECT_EQ(folders->Page(0)->Folders(), expected) << c.what;
        EXPECT_EQ(folders->Page(0)->ItemCount(), 0) << c.what;
    }
}

TEST_F(FoldersTest, SaveWritesThePagesInOrderAndErasesTheSectionsOfPagesGone)
{
    WriteSettings("[Folder0]\nname=P0\n[FolderDirs0]\n/srv/a=\n/srv/b=\n"
                  "[Folder1]\nname=P1\n[FolderDirs1]\n/srv/c=\n"
                  "[Folder2]\nname=P2\n[Folder3]\nname=P3\n"
                  "[Folder4]\nname=P4\n[FolderDirs4]\n/srv/e=\n"
                  "[folders]\ncolumns=3\n");
    folders->LoadFolders();
    WaitForLoad();
    ASSERT_EQ(folders->PageCount(), 5);
    delete folders->Page(1);
    folders->SaveFolders();

    const platform::IniFile saved(SettingsPath);
    const QStringList names = {"P0", "P2", "P3", "P4"};
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(saved.ReadString(QStringLiteral("Folder%1").arg(n), "name", {}), names[n]);
    EXPECT_EQ(saved.ReadSection("FolderDirs0"), QStringList({"/srv/a", "/srv/b"})) << "keys in order";
    EXPECT_TRUE(saved.ValueExists("FolderDirs0", "/srv/b"));
    EXPECT_EQ(saved.ReadString("FolderDirs0", "/srv/b", "x"), "") << "with empty values";
    EXPECT_FALSE(saved.SectionExists("FolderDirs1")) << "P2 has no folders: P1's are gone";
    EXPECT_EQ(saved.ReadSection("FolderDirs3"), QStringList({"/srv/e"}));
    const QByteArray text = ReadSettings();
    EXPECT_FALSE(text.contains("[Folder4]"));
    EXPECT_FALSE(text.contains("[FolderDirs4]"));
    EXPECT_TRUE(text.contains("[folders]\ncolumns=3\n")) << "other sections are left alone";
}

TEST_F(FoldersTest, NoSaveTouchesTheFolderSectionsUntilThePagesAreLoaded)
{
    const QByteArray settings =
        "[Folder0]\nname=JINGLES\n[FolderDirs0]\n/srv/jingles=\n[Folder1]\nname=NEWS\n";
    WriteSettings(settings);
    folders->SaveFolders();
    EXPECT_EQ(ReadSettings(), settings) << "before any load";

    folders->LoadFolders();
    WaitForLoad();
    folders->ClearFolders();
    folders->SaveFolders();
    EXPECT_EQ(ReadSettings(), settings) << "after the pages were cleared";
}

TEST_F(FoldersTest, TheExitSaveWritesThePagesInTheSameReplaceAsTheOtherSettings)
{
    WriteSettings("[Folder0]\nname=JINGLES\n[Folder1]\nname=OLD\n");
    folders->LoadFolders();
    WaitForLoad();
    delete folders->Page(1);
    std::vector<QString> logged;
    const auto savedLog = std::make_tuple(LogDir, Log.Level, Log.FileName);
    LogDir = station.Path() + "logs/";
    Log.Level = 1;
    Log.Memo = [&](const QString& line) { logged.push_back(line); };
    const auto save = [&] {
        SaveSettings({}, [&](SettingsWriter& writer) { folders->SaveFolders(writer); });
    };

    // A settings file that cannot be replaced keeps every section, and one line names them all.
    ASSERT_TRUE(QFile::setPermissions(SettingsPath, QFile::ReadOwner));
    save();
    ASSERT_TRUE(QFile::setPermissions(SettingsPath, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(ReadSettings(), "[Folder0]\nname=JINGLES\n[Folder1]\nname=OLD\n");
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_TRUE(logged[0].contains("Folder0/name") && logged[0].contains("folders/columns") &&
                logged[0].contains("Folder1/*"))
        << logged[0].toStdString();

    save();
    Log.Memo = nullptr;
    Log.CloseLogFile();
    std::tie(LogDir, Log.Level, Log.FileName) = savedLog;
    const QByteArray text = ReadSettings();
    EXPECT_TRUE(text.contains("[Folder0]\nname=JINGLES\n"));
    EXPECT_FALSE(text.contains("[Folder1]"));
    EXPECT_TRUE(text.contains("[folders]"));
}

// Reading is slowed on the worker, so the load is sure to be running while the test acts.
class SlowFoldersTest : public FoldersTest {
protected:
    void SetUp() override
    {
        FoldersTest::SetUp();
        QByteArray settings;
        for (int n = 0; n < 3; ++n) {
            const QString folder = music.Path() + QString::number(n);
            QStringList names;
            for (int i = 0; i < 20; ++i)
                names.append(QString::asprintf("%02d.wav", i));
            MakeFiles(folder, names);
            settings +=
                QStringLiteral("[Folder%1]\nname=P%1\n[FolderDirs%1]\n%2=\n").arg(n).arg(folder).toUtf8();
        }
        WriteSettings(settings);
        folders->LoaderForTest().SetFileHookForTest(
            [] { std::this_thread::sleep_for(std::chrono::milliseconds(3)); });
    }
};

TEST_F(SlowFoldersTest, TheStationGoesOnWhileThePagesLoad)
{
    QStringList order;
    QObject probe;
    QObject::connect(folders.get(), &TFFolders::FoldersLoaded, [&] { order.append("loaded"); });
    folders->LoadFolders();
    QTimer::singleShot(0, &probe, [&] { order.append("message"); });
    WaitForLoad();
    EXPECT_EQ(order, QStringList({"message", "loaded"}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(folders->Page(i)->ItemCount(), 20);
}

TEST_F(SlowFoldersTest, ClearingOrDeletingPagesDuringALoadLeavesNoStrayItem)
{
    folders->LoadFolders();
    QTimer::singleShot(10, folders.get(), [&] { delete folders->Page(1); });
    WaitForLoad();
    ASSERT_EQ(Captions(*folders), QStringList({"P0", "P2"}));
    EXPECT_EQ(folders->Page(0)->ItemCount(), 20);
    EXPECT_EQ(folders->Page(1)->ItemCount(), 20) << "the page after the one freed still gets its own files";

    folders->ClearFolders();
    folders->LoadFolders();
    QTimer::singleShot(10, folders.get(), [&] { folders->ClearFolders(); });
    const QDeadlineTimer deadline(200);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(folders->PageCount(), 0);
    EXPECT_FALSE(folders->Loading());
    EXPECT_FALSE(message->isVisible());

    folders->LoadFolders();
    folders.reset(); // destroyed in the middle of a load
}

TEST_F(SlowFoldersTest, AReloadAskedForDuringALoadWaitsItsTurn)
{
    folders->LoadFolders();
    QDir(music.Path() + "1").removeRecursively();
    folders->ReloadFolder(1);
    folders->ReloadFolder(2);
    ASSERT_TRUE(folders->Loading());
    WaitForLoad();
    // The first load read folder 1 before or after it went; the reload ran after it either way.
    EXPECT_EQ(folders->Page(1)->ItemCount(), 0) << "a folder gone from disk lists nothing after its reload";
    EXPECT_EQ(folders->Page(1)->Folders().size(), 1) << "and the page keeps its path";
    EXPECT_EQ(folders->Page(2)->ItemCount(), 20) << "a reload empties the page before reading it again";
    EXPECT_EQ(folders->Page(0)->ItemCount(), 20);
}

TEST_F(FoldersTest, APageDragsTheSelectedFilesValuesInListOrder)
{
    MakeFiles(music.Path(), {"a.wav", "b.wav", "c.wav"});
    WriteSettings("[Folder0]\nname=A\n[FolderDirs0]\n" + music.Path().toUtf8() + "=\n");
    folders->LoadFolders();
    WaitForLoad();
    TTabFolder* page = folders->Page(0);
    QAbstractItemModel* model = page->List()->model();
    std::unique_ptr<QMimeData> mime(model->mimeData({model->index(2, 0), model->index(0, 0)}));
    const QList<TTemaData> items = DecodeFolderFiles(*mime);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].FileName, music.File("a.wav"));
    EXPECT_EQ(items[0].Title, "a");
    EXPECT_EQ(items[0].Duration, 1);
    EXPECT_EQ(items[0].Keep, 1);
    EXPECT_EQ(items[1].FileName, music.File("c.wav"));

    page->List()->selectionModel()->select(model->index(2, 0), QItemSelectionModel::Select);
    page->List()->selectionModel()->select(model->index(0, 0), QItemSelectionModel::Select);
    QStringList selected;
    page->GetSelected(selected);
    EXPECT_EQ(selected, QStringList({"0", "2"}));
    EXPECT_EQ(page->SelCount(), 2);
}

TEST(TabFolderTest, FoldersAreListedOnceWithoutRegardToCaseAndRenameRefusesAnEmptyName)
{
    platform::TPageControl pc;
    TTabFolder page(0, &pc, "A");
    page.AddFolder("/srv/Music");
    page.AddFolder("/SRV/music");
    page.AddFolder("/srv/jingles");
    EXPECT_EQ(page.Folders(), QStringList({"/srv/Music", "/srv/jingles"}));
    EXPECT_TRUE(page.RemoveFolder("/srv/MUSIC"));
    EXPECT_TRUE(page.RemoveFolder("/not/listed"));
    EXPECT_EQ(page.Folders(), QStringList({"/srv/jingles"}));
    // A removed or replaced folder can be added again.
    page.AddFolder("/SRV/MUSIC");
    page.SetFolder(1, "/srv/news");
    page.AddFolder("/srv/music");
    page.AddFolder("/SRV/NEWS");
    EXPECT_EQ(page.Folders(), QStringList({"/srv/jingles", "/srv/news", "/srv/music"}));
    EXPECT_FALSE(page.Rename(""));
    EXPECT_EQ(page.Caption(), "A");
    EXPECT_TRUE(page.Rename("B"));
    EXPECT_EQ(pc.Page(0)->windowTitle(), "B");
}

} // namespace

namespace {

// A plain record, a row of 200 × 14 and every folders role on a colour of its own.
class DrawItemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RoleFonts[RoleFolders] = {"DejaVu Sans", 1, 0xFFFFFF, -11, 0};
        RoleFonts[RoleFoldersSelected] = {"DejaVu Sans", 1, 0xFFFFFF, -11, 1};
        RoleFonts[RoleFoldersInfo] = {"DejaVu Sans", 1, 0x00FFFF, -13,
                                      0}; // wider: the box must not follow it
        RoleColors[RoleFolders] = 0x000000;
        RoleColors[RoleFoldersSelected] = 0x800000;
        RoleColors[RoleFoldersInfo] = 0x808080;
        StationOptions.ListLineBelow = true;
        StationOptions.ListLineRight = true;
        std::unique_ptr<TOFileData> file = TOFileData::Create("/srv/a.wav", false);
        file->Duration = 75 * 60;
        page.AddFileData(std::move(file));
    }
    void TearDown() override
    {
        RoleFonts = savedFonts;
        RoleColors = savedColors;
        StationOptions = savedOptions;
    }
    QImage Paint(bool selected)
    {
        QImage image(200, 14, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        page.DrawItem(painter, 0, image.rect(), selected);
        return image;
    }

    decltype(RoleFonts) savedFonts = RoleFonts;
    decltype(RoleColors) savedColors = RoleColors;
    TOptions savedOptions = StationOptions;
    platform::TPageControl pc;
    TTabFolder page{0, &pc, "A"};
};

TEST_F(DrawItemTest, NameAndLengthBoxesColoursAndLines)
{
    // The length shows as the channel shows it; its box is measured in the folders font.
    const QFontMetrics folders(ToQFont(RoleFonts[RoleFolders]));
    const int boxLeft = 200 - folders.horizontalAdvance("1:15:00") - folders.horizontalAdvance("k");
    for (const bool selected : {false, true}) {
        const QImage image = Paint(selected);
        const platform::TColor row = RoleColors[selected ? RoleFoldersSelected : RoleFolders];
        EXPECT_EQ(Probe(image, 100, 2), row) << selected;
        EXPECT_EQ(Probe(image, boxLeft - 1, 2), row) << selected;
        EXPECT_EQ(Probe(image, boxLeft, 2), RoleColors[RoleFoldersInfo]) << selected;
        EXPECT_EQ(Probe(image, 50, 12), 0x008000) << "green, 2 px above the bottom";
        EXPECT_EQ(Probe(image, 198, 0), 0x0000FF) << "red, 2 px left of the right edge";
        EXPECT_EQ(Probe(image, 50, 13), row);
        EXPECT_EQ(Probe(image, 199, 0), RoleColors[RoleFoldersInfo]);
    }
    StationOptions.ListLineBelow = false;
    StationOptions.ListLineRight = false;
    const QImage plain = Paint(false);
    EXPECT_EQ(Probe(plain, 50, 12), RoleColors[RoleFolders]);
    EXPECT_EQ(Probe(plain, 198, 0), RoleColors[RoleFoldersInfo]);
}

} // namespace

namespace {

TEST_F(FoldersTest, StationIdentificationsWalkTheFirstPageBackwards)
{
    MakeFiles(music.Path(), {"0.wav", "1.wav", "2.wav", "3.wav", "4.wav"});
    WriteSettings("[Folder0]\nname=JINGLES\n[FolderDirs0]\n" + music.Path().toUtf8() +
                  "=\n[Folder1]\nname=EMPTY\n");
    int index = 0;
    EXPECT_EQ(folders->GetIndicativo(index, false, false), nullptr) << "no page yet";
    folders->LoadFolders();
    WaitForLoad();
    TTabFolder* page = folders->Page(0);
    ASSERT_EQ(page->ItemCount(), 5);
    const auto select = [&](std::initializer_list<int> rows) {
        page->List()->clearSelection();
        for (const int row : rows)
            page->List()->selectionModel()->select(page->List()->model()->index(row, 0),
                                                   QItemSelectionModel::Select);
    };

    struct Case {
        const char* what;
        std::initializer_list<int> selected;
        bool selectedOnly;
        int index;
        const char* file; // nullptr: none
        int indexAfter;
    };
    const Case cases[] = {
        {"from the first wraps to the last", {}, false, 0, "4.wav", 4},
        {"then steps back", {}, false, 4, "3.wav", 3},
        {"past the end is clamped first", {}, false, 9, "3.wav", 3},
        {"selected only, wrapping", {1, 3}, true, 0, "3.wav", 1},
        {"selected only, stepping back", {3, 1}, true, 1, "1.wav", 0},
        {"nothing selected", {}, true, 7, nullptr, 7},
    };
    for (const Case& c : cases) {
        select(c.selected);
        int at = c.index;
        const TOFileData* file = folders->GetIndicativo(at, false, c.selectedOnly);
        EXPECT_EQ(file ? file->Name.toStdString() : std::string("none"), c.file ? c.file : "none") << c.what;
        EXPECT_EQ(at, c.indexAfter) << c.what;
    }

    // A random pick still moves Index; the same seed draws the same file.
    select({});
    platform::SeedRandom(7);
    int at = 2;
    const TOFileData* first = folders->GetIndicativo(at, true, false);
    EXPECT_EQ(at, 1);
    platform::SeedRandom(7);
    at = 2;
    EXPECT_EQ(folders->GetIndicativo(at, true, false), first);
    platform::SeedRandom(7);
    const int draw = platform::Random(5);
    EXPECT_EQ(first, page->GetFileData(draw));
}

} // namespace

namespace {

TEST_F(FoldersTest, TheStartupPagePlaysOnceThePagesAreLoaded)
{
    MakeFiles(music.File("startup"), {"a.wav", "b.wav"});
    MakeFiles(music.File("other"), {"x.wav"});
    struct Case {
        const char* what;
        const char* caption;
        int refuseFrom; // appends from this one on are refused
        QStringList added;
        bool started;
    };
    const Case cases[] = {
        {"exactly STARTUP", "STARTUP", 99, {"a.wav", "b.wav"}, true},
        {"the name is case-sensitive", "Startup", 99, {}, false},
        {"the first refused, the second taken", "STARTUP", -1, {"b.wav"}, true},
        {"every append refused", "STARTUP", 0, {}, false},
    };
    for (const Case& c : cases) {
        WriteSettings(
            QStringLiteral(
                "[Folder0]\nname=JINGLES\n[FolderDirs0]\n%1=\n[Folder1]\nname=%2\n[FolderDirs1]\n%3=\n")
                .arg(music.File("other"), c.caption, music.File("startup"))
                .toUtf8());
        folders = std::make_unique<TFFolders>();
        QStringList added;
        QList<int> started;
        int appends = 0;
        folders->Channel = {[&](const QString& path, uint8_t keep) {
                                EXPECT_EQ(keep, 1);
                                const int n = appends++;
                                const bool refused = c.refuseFrom < 0 ? n == 0 : n >= c.refuseFrom;
                                if (refused)
                                    return -1;
                                added.append(platform::FileNamePart(path));
                                return int(added.size()) + 9;
                            },
                            [&](int index) { started.append(index); }};
        StationOptions.PlayAtStartup = true;
        folders->DoFirstShow();
        WaitForLoad();
        QCoreApplication::processEvents();
        EXPECT_EQ(added, c.added) << c.what;
        EXPECT_EQ(started, c.started ? QList<int>{0} : QList<int>{}) << c.what;
    }
    StationOptions.PlayAtStartup = false;
    folders = std::make_unique<TFFolders>();
    bool touched = false;
    folders->Channel = {[&](const QString&, uint8_t) { return touched = true, 0; },
                        [&](int) { touched = true; }};
    folders->DoFirstShow();
    WaitForLoad();
    EXPECT_FALSE(touched) << "PlayAtStartup off";
}

} // namespace
