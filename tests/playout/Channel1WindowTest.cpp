#include "DialogAnswerer.h"
#include "QueueFixture.h"
#include "controls/Knob.h"
#include "controls/LXLEDLabel.h"
#include "controls/LbSpeedButton.h"
#include "controls/NKScrollLabel.h"
#include "foundation_gui/DisplayRoles.h"
#include "playout/Channel1.h"
#include "playout/LineInEvent.h"
#include "playout/QueueListView.h"
#include "playout/QueueMimeTypes.h"

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QMimeData>
#include <QTest>
#include <QUrl>

namespace {

class Channel1WindowTest : public QueueFixture {
protected:
    std::array<TRoleFont, DisplayRoleCount> savedFonts_ = RoleFonts;
    std::array<platform::TColor, DisplayRoleCount> savedColors_ = RoleColors;
    TFChannel1 window;

    Channel1WindowTest()
    {
        window.resize(400, 600);
        window.DoFirstShow();
    }
    ~Channel1WindowTest() override
    {
        RoleFonts = savedFonts_;
        RoleColors = savedColors_;
    }

    // Delivers a drag entering the widget and its drop at the point, as a drag from elsewhere would.
    static void DropOn(QWidget* widget, const QMimeData& mime, const QPoint& point)
    {
        QDragEnterEvent enter(point, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(point), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(widget, &drop);
        EXPECT_TRUE(drop.isAccepted());
    }
};

TRoleFont Font(int size, platform::TColor color)
{
    TRoleFont font;
    font.Name = QStringLiteral("DejaVu Sans");
    font.Size = size;
    font.Color = color;
    return font;
}

QRgb Rgb(platform::TColor color)
{
    return platform::ToQColor(color).rgb();
}

} // namespace

TEST_F(Channel1WindowTest, ListRowsAreDrawnByRole)
{
    constexpr platform::TColor Plain = 0xEEEEEE, Selected = 0xFF9966, Playing = 0x00CCFF, Info = 0x336633;
    RoleColors[RoleChannels] = Plain;
    RoleColors[RoleChannelsSelected] = Selected;
    RoleColors[RoleChannelsPlaying] = Playing;
    RoleColors[RoleChannelsInfo] = Info;
    // 10 pt is 13 px at 96 per inch; a negative size is already pixels.
    RoleFonts[RoleChannels] = Font(10, 0x000000);
    RoleFonts[RoleChannelsPlaying] = Font(-16, 0x000000);
    RoleFonts[RoleChannelsSelected] = Font(8, 0x000000);
    RoleFonts[RoleChannelsInfo] = Font(9, 0xFFFFFF);
    StationOptions.ListLineBelow = true;
    StationOptions.ListLineRight = true;

    TChannelQueue& queue = window.Queue();
    for (const char* label : {"[LABEL a ]", "[LABEL b ]", "[LABEL c ]"})
        queue.AddItem(label, 1);
    Channels[1].SetItemIndex(0);
    Select(queue, {1});
    window.ApplyListFonts();
    window.show();
    window.LB->doItemsLayout();

    const int height = 16 + 5;
    const QImage image = window.LB->viewport()->grab().toImage();
    struct Row {
        int row;
        platform::TColor background;
    };
    for (const Row& r : {Row{0, Playing}, Row{1, Selected}, Row{2, Plain}}) {
        SCOPED_TRACE(r.row);
        const QRect rect = window.LB->visualRect(queue.index(r.row));
        ASSERT_EQ(rect.height(), height);
        const int middleX = rect.left() + rect.width() / 2;
        const int middleY = rect.top() + rect.height() / 2;
        EXPECT_EQ(image.pixel(middleX, middleY), Rgb(r.background));
        // The duration box ends in the blank width of a "k", left of the red line.
        EXPECT_EQ(image.pixel(rect.right() - 3, middleY), Rgb(Info));
        // Green below every row (and above the first), red down the right side.
        EXPECT_EQ(image.pixel(middleX, rect.top() + rect.height() - 2), Rgb(0x008000));
        EXPECT_EQ(image.pixel(middleX, rect.top()), Rgb(r.row == 0 ? 0x008000 : r.background));
        EXPECT_EQ(image.pixel(rect.left() + rect.width() - 2, middleY), Rgb(0x0000FF));
        EXPECT_EQ(qRed(image.pixel(rect.left() + rect.width() - 2, middleY)), 255) << "red, not blue";
    }
}

TEST_F(Channel1WindowTest, InsertFileTakesTheLastChosenFirst)
{
    const QString a = Wav("a.wav", 2);
    const QString b = Wav("b.wav", 3);
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectPaths({a, b});
    window.PMInsertFileClick();
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown().first().caption, "Insert File");
    EXPECT_TRUE(dialogs.Shown().first().multiSelect);
    EXPECT_TRUE(dialogs.Shown().first().filter.startsWith("All media files (*.mp3,*.wav,*.ogg,*.wma)|"));
    EXPECT_EQ(Titles(window.Queue()), QStringList({"b.wav", "a.wav"}));
    EXPECT_EQ(window.LEDTheTiempoTotal->Caption(), "00:00:05");
    EXPECT_EQ(window.LEDTiempoTotal->Caption(), "00:00:05");
}

TEST_F(Channel1WindowTest, InsertLabelAndLineInAppendWhatWasAnswered)
{
    TFLineInEvent lineIn;
    FLineInEvent = &lineIn;
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectInput("News at nine");
    dialogs.ExpectInput("");
    dialogs.ExpectCancel();
    dialogs.ExpectWindow(QMessageBox::Ok, {"Studio", "0", "0", "3"});
    dialogs.ExpectCancel();
    for (int i = 0; i < 3; ++i)
        window.PMInsertLabel->trigger();
    for (int i = 0; i < 2; ++i)
        window.PMInsertLinein->trigger();
    FLineInEvent = nullptr;

    EXPECT_EQ(dialogs.Shown()[0].caption, "New label");
    EXPECT_EQ(dialogs.Shown()[0].text, "Label");
    EXPECT_EQ(dialogs.Shown()[0].value, "");
    EXPECT_EQ(Titles(window.Queue()), QStringList({"[LABEL News at nine ]", "[LINEIN 3 Studio ]"}));
    EXPECT_EQ(window.Queue().Entry(0).Kind, 2);
    EXPECT_EQ(window.Queue().Entry(1).Kind, 1);
    EXPECT_EQ(window.Queue().Entry(1).Duration, 3);
    EXPECT_EQ(window.Queue().Entry(1).Keep, 1);
}

TEST_F(Channel1WindowTest, DeleteFullListOnlyAfterConfirmation)
{
    AppendEntry(window.Queue(), "a", 30);
    Channels[1].SetItemIndex(0);
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectButton(QMessageBox::No);
    dialogs.ExpectButton(QMessageBox::Yes);
    window.PMDelAllThemesClick();
    EXPECT_EQ(window.Queue().Count(), 1);
    window.PMDelAllThemesClick();
    EXPECT_EQ(window.Queue().Count(), 0);
    EXPECT_EQ(window.Queue().ItemIndex(), -1);
    EXPECT_EQ(window.LEDTheTiempoTotal->Caption(), "00:00:00");
    EXPECT_EQ(dialogs.Shown().first().text, "remove_list");
}

TEST_F(Channel1WindowTest, DropsOnTheListAndTheWindow)
{
    TChannelQueue& queue = window.Queue();
    for (int i = 0; i < 5; ++i)
        AppendEntry(queue, QString::number(i), 10);
    window.ApplyListFonts();
    window.show();
    window.LB->doItemsLayout();

    // Own rows dropped on row 4 go before it.
    Select(queue, {0, 1});
    QMimeData own;
    EncodeChannelItems(own, 1);
    DropOn(window.LB->viewport(), own, window.LB->visualRect(queue.index(4)).center());
    EXPECT_EQ(Titles(queue), QStringList({"2", "3", "0", "1", "4"}));

    // Below the last row is the end of the queue.
    Select(queue, {0});
    DropOn(window.LB->viewport(), own, QPoint(5, window.LB->viewport()->height() - 2));
    EXPECT_EQ(Titles(queue), QStringList({"3", "0", "1", "4", "2"}));

    // Desktop files dropped anywhere on the window are appended.
    const QString song = Wav("song.wav", 2);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(song)});
    DropOn(window.STCanal, files, QPoint(1, 1));
    EXPECT_EQ(Titles(queue).last(), "song.wav");
}

TEST_F(Channel1WindowTest, EveryControlLiesInsideTheTiledShareOfTheScreen)
{
    // The windows bar's tiling gives channel 1 half the width at full height (a 28-pixel bar on top).
    for (const QSize tile : {QSize(512, 740), QSize(640, 996), QSize(498, 768), QSize(400, 572)}) {
        SCOPED_TRACE(tile.width());
        window.resize(tile);
        window.show();
        window.layout()->activate();
        EXPECT_EQ(window.size(), tile);
        for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->isVisible()) {
                EXPECT_TRUE(window.rect().contains(control->geometry()))
                    << control->objectName().toStdString();
            }
        }
        window.hide();
    }
}

TEST_F(Channel1WindowTest, ModeButtonsKnobAndTitleDriveTheChannel)
{
    window.show();
    EXPECT_TRUE(window.BStop->Down());
    EXPECT_FALSE(window.BPlayPause->Down());

    // Repeat and Random are on/off toggles whose state the playback takes on each click.
    const struct {
        TLbSpeedButton* button;
        bool TChannelPlayback::*flag;
    } toggles[] = {{window.BRepeat, &TChannelPlayback::Repeat}, {window.BRnd, &TChannelPlayback::Random}};
    for (const auto& toggle : toggles) {
        QTest::mouseClick(toggle.button, Qt::LeftButton);
        EXPECT_TRUE(toggle.button->Down());
        EXPECT_TRUE(window.Playback().*toggle.flag);
        QTest::mouseClick(toggle.button, Qt::LeftButton);
        EXPECT_FALSE(window.Playback().*toggle.flag);
    }
    // The toggles never release the transport group.
    EXPECT_TRUE(window.BStop->Down());

    // The knob sets the channel volume and shows it in LVol2.
    QTest::keyClick(window.VolumeCtrl, Qt::Key_Home);
    EXPECT_EQ(window.Playback().Volume(), 0);
    QTest::keyClick(window.VolumeCtrl, Qt::Key_PageUp);
    EXPECT_EQ(window.Playback().Volume(), 100);
    EXPECT_EQ(window.LVol2->text(), QStringLiteral("100 "));

    // The title scrolls from right to left, only while on air, and goes with the channel's reset.
    EXPECT_EQ(window.LInfo->Direction(), sdRightToLeft);
    for (const bool onAir : {false, true, false}) {
        window.Queue().SetOnAir(onAir);
        EXPECT_EQ(window.LInfo->Active(), onAir);
    }
    emit window.Playback().TitleShown(QStringLiteral("Artist - Title"));
    EXPECT_EQ(window.LInfo->Text(), QStringLiteral("Artist - Title"));
    window.Queue().ResetChannel();
    EXPECT_EQ(window.LInfo->Text(), QString());
    window.hide();
}
