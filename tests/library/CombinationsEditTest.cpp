// The combinations window's edits: paste, delete, shuffle, emit, drops, renames and the channel's
// combination from its queue.
#include "CombinationsFixture.h"
#include "DeviceZero.h"
#include "WavWriter.h"
#include "audioinfo/OFileData.h"
#include "audiolib/AudioLib.h"
#include "foundation/General.h"
#include "foundation_gui/DisplayRoles.h"
#include "library/CombinationsTree.h"
#include "library/ThemeInfo.h"
#include "menus/PMEditItem.h"
#include "menus/PMItems.h"
#include "platform/Random.h"
#include "playout/AudioLayer.h"
#include "playout/CUEPlayer.h"
#include "playout/Channel1.h"
#include "playout/QueueMimeTypes.h"
#include "playout/TemaData.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

using library::TCombiItem;

namespace {

class CombinationsEditTest : public CombinationsFixture {
protected:
    void Load(const QString& layout)
    {
        WriteTree(CombinationsPath, layout);
        Show();
        ASSERT_EQ(Layout(), layout);
    }
};

struct PasteCase {
    int operation; // 0 copy, 1 cut
    const char* expected;
};

TEST_F(CombinationsEditTest, CutThemesGoFirstInReverseOrderCopiedOnesLastInOrder)
{
    const PasteCase cases[] = {
        {1, "A: /a3.mp3; B: /a2.mp3 /a1.mp3 /b1.mp3"},
        {0, "A: /a1.mp3 /a2.mp3 /a3.mp3; B: /b1.mp3 /a1.mp3 /a2.mp3"},
    };
    for (const PasteCase& c : cases) {
        Load("A: /a1.mp3 /a2.mp3 /a3.mp3; B: /b1.mp3");
        Select({"/a1.mp3", "/a2.mp3"});
        window->CopySelected(c.operation);
        Select({"B"});
        window->PMPasteClick();
        EXPECT_EQ(Layout(), c.expected);
        EXPECT_TRUE(window->Clipboard.IsEmpty());
        EXPECT_TRUE(window->Modified());
        window.reset();
        window = std::make_unique<TFCombinations>();
        window->TimerReloadFile.stop();
    }
}

TEST_F(CombinationsEditTest, ACombinationPastedOnTheRootIsACopyWithItsThemes)
{
    Load("A: /a1.mp3 /a2.mp3; B:");
    Select({"A"});
    window->CopySelected(0);
    Select({"COMBINACIONES"});
    window->PMPasteClick();
    EXPECT_EQ(Layout(), "A: /a1.mp3 /a2.mp3; B:; Copia de A: /a1.mp3 /a2.mp3");
    EXPECT_EQ(Find("Copia de A")->Data.Name, "Copia de A");
    EXPECT_EQ(Find("A")->Data.Name, "A");
    EXPECT_TRUE(Find("Copia de A")->isSelected());
}

TEST_F(CombinationsEditTest, PasteOnAThemeChangesNothingAndKeepsTheHeldNodes)
{
    Load("A: /a1.mp3; B: /b1.mp3");
    Select({"/a1.mp3"});
    window->CopySelected(1);
    Select({"/b1.mp3"});
    window->PMPasteClick();
    EXPECT_EQ(Layout(), "A: /a1.mp3; B: /b1.mp3");
    EXPECT_EQ(window->Clipboard.Items, library::TMatHTreeItems{Find("/a1.mp3")->Id()});
    EXPECT_FALSE(window->Modified());
}

TEST_F(CombinationsEditTest, NodesHeldAcrossAReloadAreSkipped)
{
    Load("A: /a1.mp3; B:");
    Select({"/a1.mp3"});
    window->CopySelected(1);
    WriteTree(CombinationsPath, "A: /a1.mp3; B:; C:");
    window->ReloadFileTimer();
    ASSERT_EQ(Layout(), "A: /a1.mp3; B:; C:");
    Select({"B"});
    window->PMPasteClick();
    EXPECT_EQ(Layout(), "A: /a1.mp3; B:; C:");
    EXPECT_TRUE(window->Clipboard.IsEmpty());
}

TEST_F(CombinationsEditTest, DeleteAsksWithTheNamesLastSelectedFirst)
{
    struct DeleteCase {
        QStringList selected;
        QMessageBox::StandardButton answer;
        const char* text;
        const char* remaining;
    };
    const DeleteCase cases[] = {
        {{"A", "C"},
         QMessageBox::No,
         "Vas a eliminar \n\"C\"\n\"A\"\n\n ¿Estás seguro?",
         "A:; B: /b.mp3; C:"},
        {{"C", "A"}, QMessageBox::Yes, "Vas a eliminar \n\"A\"\n\"C\"\n\n ¿Estás seguro?", "B: /b.mp3"},
        {{"/b.mp3"}, QMessageBox::Yes, "Vas a eliminar \n\"/b.mp3\"\n\n ¿Estás seguro?", "A:; B:; C:"},
    };
    for (const DeleteCase& c : cases) {
        Load("A:; B: /b.mp3; C:");
        Select(c.selected);
        dialogs.ExpectButton(c.answer);
        window->DeleteSelected();
        EXPECT_EQ(dialogs.Shown().last().text, QString::fromUtf8(c.text));
        EXPECT_EQ(Layout(), c.remaining);
        EXPECT_EQ(window->Modified(), c.answer == QMessageBox::Yes);
        window.reset();
        window = std::make_unique<TFCombinations>();
        window->TimerReloadFile.stop();
    }
}

TEST_F(CombinationsEditTest, TheRootIsNeverDeleted)
{
    Load("A: /a.mp3");
    Select({"COMBINACIONES"});
    dialogs.ExpectButton(QMessageBox::Ok);
    window->DeleteSelected();
    ASSERT_EQ(dialogs.Shown().size(), 1);
    // No language file in the station folder: the message key itself.
    EXPECT_EQ(dialogs.Shown().first().text, "you can not delete combinations root node");
    EXPECT_EQ(Layout(), "A: /a.mp3");
}

TEST_F(CombinationsEditTest, ShuffleSwapsByTheDrawsFromTheLastChild)
{
    Load("A: /a.mp3 /b.mp3 /c.mp3");
    platform::SetRandomDraws([](int) { return 0; });
    Select({"A"});
    window->RandomSelected();
    platform::SetRandomDraws({});
    EXPECT_EQ(Layout(), "A: /c.mp3 /a.mp3 /b.mp3");
    EXPECT_TRUE(window->Modified());
}

TEST_F(CombinationsEditTest, EmitSendsTheSelectionLastSelectedFirstToChannelOne)
{
    const QString a1 = Wav("a1.wav"), a2 = Wav("a2.wav"), b1 = Wav("b1.wav"), c1 = Wav("c1.wav");
    Load(QStringLiteral("A: %1 %2; B: %3; C: %4").arg(a1, a2, b1, c1));
    TFChannel1 channel;
    FChannel1 = &channel;
    Select({"A", "B"});
    window->EmitSelected();
    Select({c1});
    window->EmitSelected();
    FChannel1 = nullptr;
    QStringList queued;
    for (int i = 0; i < channel.Queue().Count(); ++i) {
        queued.append(channel.Queue().Entry(i).FileName);
        EXPECT_EQ(channel.Queue().Entry(i).Keep, 1);
    }
    EXPECT_EQ(queued, QStringList({b1, a1, a2, c1}));
}

// The pre-listen player as start-up leaves it, on device 0's manual clock at full volume.
class CombinationsCUETest : public CombinationsEditTest {
protected:
    void SetUp() override
    {
        testing_support::OpenDeviceZero();
        StationOptions.ChannelVolume[CueSlot] = 100;
        Channels[CueSlot].SetItemIndex(0);
        player.Playback().SetUp();
        FCUEPlayer = &player;
    }
    void TearDown() override
    {
        FCUEPlayer = nullptr;
        testing_support::CloseDeviceZero();
    }

    // Two seconds at `level` on both sides.
    QString Tone(const QString& name, double level) const
    {
        const QString path = station.File(name);
        EXPECT_TRUE(
            testing_support::WriteWav(path, {44100, 2, 16}, 2 * 44100, [=](int64_t, int) { return level; }));
        return path;
    }
    // The level device 0 renders next, after the popup's CUE item was clicked.
    float ClickCUE()
    {
        window->PMCombinacionesPopup();
        EXPECT_TRUE(window->PMThemes->Visible() && window->PMThemesCUE->Visible());
        window->PMThemesCUE->ExecuteClick();
        EXPECT_TRUE(audiolib::NullAdvance(441));
        const std::vector<float> rendered = audiolib::NullCapture();
        return rendered.empty() ? -1.0f : rendered.back();
    }

    TFCUEPlayer player;
};

TEST_F(CombinationsCUETest, CUEPreListensTheFirstSelectedThemeOnDeviceZero)
{
    const QString quiet = Tone("quiet.wav", 0.25), loud = Tone("loud.wav", 0.5);
    Load(QStringLiteral("A: %1 %2 /missing.wav").arg(quiet, loud));
    Select({loud, quiet});
    EXPECT_FLOAT_EQ(ClickCUE(), 0.5f);
    EXPECT_EQ(player.Playback().LastFile(), loud);
    EXPECT_EQ(ChannelStream(1), 0u); // channel 1 keeps its air

    // A theme whose file is gone plays nothing and shows no box.
    Select({"/missing.wav"});
    EXPECT_FLOAT_EQ(ClickCUE(), 0.0f);
    EXPECT_EQ(ChannelStream(CueSlot), 0u);
}

TEST_F(CombinationsEditTest, InformationShowsTheFileModallyOrItsStatusInABox)
{
    const QString good = Wav("good.wav"), broken = station.File("broken.wav");
    QFile(broken).open(QIODevice::WriteOnly);
    Load(QStringLiteral("A: %1 %2").arg(good, broken));
    TFThemeInfo info;
    FThemeInfo = &info;
    Select({good, broken});
    dialogs.ExpectWindow(QMessageBox::Ok, {});
    window->PMThemesInformation->ExecuteClick();
    Select({broken, good});
    dialogs.ExpectButton(QMessageBox::Ok);
    window->PMThemesInformation->ExecuteClick();
    FThemeInfo = nullptr;
    ASSERT_EQ(dialogs.Shown().size(), 2);
    EXPECT_EQ(dialogs.Shown()[0].caption, "Information");
    EXPECT_TRUE(dialogs.Shown()[0].text.contains("good.wav"));
    const QString status = TOFileData::Create(broken, true)->ErrorText;
    EXPECT_FALSE(status.isEmpty());
    EXPECT_EQ(dialogs.Shown()[1].text, status);
}

TEST_F(CombinationsEditTest, NewRefusesAnEmptyName)
{
    Show();
    EXPECT_FALSE(window->NewCombination(""));
    EXPECT_FALSE(window->NewCombination("  "));
    EXPECT_EQ(Layout(), "");
    QString text = "Rock";
    bool accept = false;
    window->PMCombinationsNew->OnAcceptText(nullptr, text, accept);
    EXPECT_TRUE(accept);
    EXPECT_EQ(Layout(), "Rock:");
    EXPECT_TRUE(Find("Rock")->isSelected());
    EXPECT_FALSE(Find("COMBINACIONES")->isSelected());
}

TEST_F(CombinationsEditTest, ThemesDroppedFromTheSearchOrAPageKeepTheirOrderAtTheTop)
{
    Load("A: /x.mp3; B:");
    const QString a = Wav("a.wav"), b = Wav("b.wav"), c = Wav("c.wav");
    QMimeData search;
    EncodeSearchFiles(search, {a, b, c});
    ASSERT_TRUE(window->CanDrop(search, false, Find("A")));
    EXPECT_FALSE(window->CanDrop(search, false, Find("/x.mp3")));
    window->DropOn(search, false, Find("A"));
    EXPECT_EQ(Layout(), QStringLiteral("A: %1 %2 %3 /x.mp3; B:").arg(a, b, c));
    EXPECT_EQ(Find(a)->Data.Duration, 1);

    QMimeData page;
    EncodeFolderFiles(page, {{"one", "/p/1.mp3", 61, 128, 1, 0}, {"two", "/p/2.mp3", 62, 128, 1, 0}});
    window->DropOn(page, false, Find("B"));
    EXPECT_EQ(Layout(), QStringLiteral("A: %1 %2 %3 /x.mp3; B: /p/1.mp3 /p/2.mp3").arg(a, b, c));
    EXPECT_EQ(Find("/p/2.mp3")->Data.Duration, 62);
    EXPECT_TRUE(Find("B")->isExpanded());
}

TEST_F(CombinationsEditTest, ClicksSelectSiblingsOnlyInTheOrderPicked)
{
    Load("A: /a1.mp3 /a2.mp3 /a3.mp3; B: /b1.mp3");
    window->show();
    window->TVCombinaciones->expandAll();
    const auto click = [this](const char* name, Qt::KeyboardModifiers modifiers = {},
                              Qt::MouseButton button = Qt::LeftButton) {
        TCombinationsTree* tree = window->TVCombinaciones;
        QTest::mouseClick(tree->viewport(), button, modifiers, tree->visualItemRect(Find(name)).center());
    };
    const auto selected = [this] {
        QStringList names;
        for (const TCombiItem* node : window->TVCombinaciones->SelectedNodes())
            names.append(node->Data.Name);
        return names.join(' ').toStdString();
    };
    click("/a1.mp3");
    click("/a3.mp3", Qt::ControlModifier);
    click("/a2.mp3", Qt::ControlModifier);
    EXPECT_EQ(selected(), "/a1.mp3 /a3.mp3 /a2.mp3");
    // Ctrl+click on a selected node deselects it and opens no rename.
    click("/a3.mp3", Qt::ControlModifier);
    EXPECT_EQ(selected(), "/a1.mp3 /a2.mp3");
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    EXPECT_FALSE(window->TVCombinaciones->Editing());
    // A node under another parent starts the selection again.
    click("/b1.mp3", Qt::ControlModifier);
    EXPECT_EQ(selected(), "/b1.mp3");
    click("/a1.mp3");
    click("/a3.mp3", Qt::ShiftModifier);
    EXPECT_EQ(selected(), "/a1.mp3 /a2.mp3 /a3.mp3");
    click("/b1.mp3", Qt::ShiftModifier);
    EXPECT_EQ(selected(), "/b1.mp3");
    click("B", {}, Qt::RightButton);
    EXPECT_EQ(selected(), "B");
    EXPECT_EQ(window->TVCombinaciones->currentItem(), Find("B"));
}

TEST_F(CombinationsEditTest, TreeDropsMoveTheSelectionAndSkipTheTarget)
{
    struct MoveCase {
        QStringList selected;
        const char* target;
        const char* expected;
    };
    const MoveCase cases[] = {
        {{"/a1.mp3", "/a2.mp3"}, "B", "A: /a3.mp3; B: /a2.mp3 /a1.mp3 /b1.mp3"},
        {{"/a3.mp3"}, "/a1.mp3", "A: /a3.mp3 /a1.mp3 /a2.mp3; B: /b1.mp3"},
        // The target is one of the dragged nodes: it stays where it is.
        {{"/a2.mp3", "/a3.mp3"}, "/a2.mp3", "A: /a1.mp3 /a3.mp3 /a2.mp3; B: /b1.mp3"},
        {{"B"}, "A", "B: /b1.mp3; A: /a1.mp3 /a2.mp3 /a3.mp3"},
    };
    for (const MoveCase& c : cases) {
        Load("A: /a1.mp3 /a2.mp3 /a3.mp3; B: /b1.mp3");
        Select(c.selected);
        QMimeData data;
        EncodeCombinationNodes(data, {});
        window->DropOn(data, true, Find(c.target));
        EXPECT_EQ(Layout(), c.expected) << c.expected;
        window.reset();
        window = std::make_unique<TFCombinations>();
        window->TimerReloadFile.stop();
    }
}

TEST_F(CombinationsEditTest, RenamesCheckTheFileAndRefuseAnEmptyName)
{
    const QString other = Wav("other.wav");
    struct RenameCase {
        const char* node;
        QString text;
        int answer; // the question's answer, 0 when no question comes
        QString name;
        int64_t duration;
    };
    const RenameCase cases[] = {
        {"/a.mp3", other, 0, other, 1},
        {"/a.mp3", "/gone.mp3", QMessageBox::Yes, "/a.mp3", 60},
        {"/a.mp3", "/gone.mp3", QMessageBox::No, "/gone.mp3", 0},
        {"A", "", 0, "A", 0},
        {"A", "Pop", 0, "Pop", 0},
    };
    for (const RenameCase& c : cases) {
        Load("A: /a.mp3");
        TCombiItem* node = Find(c.node);
        if (c.answer != 0)
            dialogs.ExpectButton(QMessageBox::StandardButton(c.answer));
        window->NodeEdited(node, c.text);
        if (c.answer != 0) {
            EXPECT_EQ(dialogs.Shown().last().text,
                      QString::fromUtf8("El fichero renombrado no existe. ¿Deseas dejarlo como estaba?"));
        }
        EXPECT_EQ(node->text(0), c.name);
        EXPECT_EQ(node->Data.Name, c.name);
        EXPECT_EQ(node->Data.Duration, c.duration);
        window.reset();
        window = std::make_unique<TFCombinations>();
        window->TimerReloadFile.stop();
    }
}

TEST_F(CombinationsEditTest, TheChannelsQueueBecomesACombinationOfItsFiles)
{
    EXPECT_FALSE(window->CombinationExists("Morning"));
    const QList<TTemaData> queue{{"a", "/m/a.mp3", 100, 128, 1, 0},
                                 {"[LINEIN 30]", "", 30, 0, 1, 1},
                                 {"News", "", 0, 0, 1, 2},
                                 {"b", "/m/b.mp3", 200, 128, 1, 0}};
    // A window never shown has no tree yet: the root is made first.
    ASSERT_TRUE(window->AddCombinationFromList("Morning", queue));
    EXPECT_EQ(Layout(), "Morning: /m/a.mp3 /m/b.mp3");
    EXPECT_EQ(Find("/m/b.mp3")->Data.Duration, 200);
    EXPECT_TRUE(window->CombinationExists("MORNING"));
    EXPECT_FALSE(window->CombinationExists("Evening"));
}

TEST_F(CombinationsEditTest, RowsShowTheirStateTheCircleAndTheInfoBox)
{
    const auto savedColors = RoleColors;
    RoleColors[RoleCombinations] = 0x000000;
    RoleColors[RoleCombinationsCut] = 0x00FF00;
    RoleColors[RoleCombinationsSelected] = 0xFF0000;
    RoleColors[RoleCombinationsInfo] = 0x808080;
    Load("A: /a.mp3; B:");
    const auto paint = [&](const char* name) {
        QImage row(300, 18, QImage::Format_RGB32);
        QPainter painter(&row);
        window->TVCombinaciones->PaintNode(painter, row.rect(), *Find(name));
        return row;
    };
    const QColor red(Qt::red);
    // A, level 1, collapsed with a child: a circle at x 30 with both strokes, the line on to the image.
    QImage a = paint("A");
    EXPECT_EQ(a.pixelColor(28, 9), red);
    EXPECT_EQ(a.pixelColor(30, 6), red);
    EXPECT_EQ(a.pixelColor(40, 9), red);
    EXPECT_EQ(a.pixelColor(30, 0), red);  // up to the row above
    EXPECT_EQ(a.pixelColor(30, 17), red); // B follows at the same level
    EXPECT_EQ(a.pixelColor(5, 2), QColor(Qt::black));
    EXPECT_EQ(a.pixelColor(299, 0), QColor(0x80, 0x80, 0x80));
    Find("A")->setExpanded(true);
    a = paint("A");
    EXPECT_NE(a.pixelColor(30, 6), red);
    EXPECT_EQ(a.pixelColor(28, 9), red);
    // B has no sibling after it and no children: no line down, no circle.
    const QImage b = paint("B");
    EXPECT_NE(b.pixelColor(30, 17), red);
    EXPECT_EQ(b.pixelColor(30, 9), red);
    Select({"B"});
    EXPECT_EQ(paint("B").pixelColor(5, 2), QColor(Qt::blue));
    Select({"/a.mp3"});
    window->CopySelected(1);
    EXPECT_EQ(paint("/a.mp3").pixelColor(5, 2), QColor(Qt::green));
    RoleColors = savedColors;
}

} // namespace
