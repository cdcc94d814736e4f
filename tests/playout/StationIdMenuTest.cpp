// The channel's station-identification menu: where it opens, what it empties, which texts it takes
// and what its check marks hand to the picker.
#include "playout/StationIdMenu.h"

#include "DialogAnswerer.h"
#include "QueueFixture.h"
#include "menus/PMEditItem.h"
#include "menus/PMItems.h"
#include "menus/PMModalHandler.h"
#include "menus/PMPopupMenu.h"

#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class StationIdMenuTest : public QueueFixture {
protected:
    StationIdMenuTest() : queue(1), menu(queue, &window)
    {
        menu.Picker = [this](int& index, bool random, bool fromSelected) -> std::optional<TStationId> {
            asked.push_back({index, random, fromSelected});
            --index;
            return TStationId{id, 1};
        };
    }
    void Fill(int count, int64_t seconds)
    {
        for (int i = 0; i < count; ++i)
            AppendEntry(queue, "E" + QString::number(i), seconds);
    }
    // Accepts the text in the edit item as the menu would; whether the item took it.
    bool Accept(TPMEditItem* item, const QString& text)
    {
        QString typed = text;
        bool accept = true;
        item->OnAcceptText(nullptr, typed, accept);
        return accept;
    }

    QWidget window;
    TChannelQueue queue;
    TStationIdMenu menu;
    QString id = Wav("id.wav", 1);
    struct Asked {
        int index;
        bool random;
        bool fromSelected;
        bool operator==(const Asked&) const = default;
    };
    std::vector<Asked> asked;
    ScriptedDialogAnswerer dialogs;
};

TEST_F(StationIdMenuTest, TheMenuOpensJustUnderTheButtonWithBothEditTextsEmpty)
{
    window.setGeometry(200, 150, 400, 300);
    auto* panel = new QWidget(&window);
    panel->setGeometry(40, 30, 300, 200);
    auto* button = new QWidget(panel);
    button->setGeometry(25, 60, 50, 23);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    menu.OpenFrom(button);
    menu.PMInsertIndicativosEverySongs->SetText("7");
    menu.PMInsertIndicativosEverySeconds->SetText("90");
    QString songsAtOpen = "unset";
    QString secondsAtOpen = "unset";
    QTimer::singleShot(50, &window, [&] {
        songsAtOpen = menu.PMInsertIndicativosEverySongs->Text();
        secondsAtOpen = menu.PMInsertIndicativosEverySeconds->Text();
        if (TPMModalHandler* handler = TPMModalHandler::Current())
            handler->Cancel();
    });
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(menu.PMIndicativos->PopupPoint(), button->mapToGlobal(QPoint(1, 24)));
    EXPECT_EQ(songsAtOpen, "");
    EXPECT_EQ(secondsAtOpen, "");
    EXPECT_FALSE(menu.PMIndicativos->AutoPopup);
}

TEST_F(StationIdMenuTest, OnlyIntervalsInRangeAreTakenAndInsert)
{
    struct Case {
        const char* what;
        bool seconds;
        QString text;
        bool accepted;
        int count; // entries after it, from 10 of 100 s
    };
    const Case cases[] = {
        {"every 3 entries", false, "3", true, 13},    {"50 entries", false, "50", true, 10},
        {"51 entries", false, "51", false, 10},       {"x entries", false, "x", false, 10},
        {"0 entries", false, "0", false, 10},         {"36001 seconds", true, "36001", false, 10},
        {"36000 seconds", true, "36000", true, 11},   {"0 seconds", true, "0", false, 10},
        {"every 250 seconds", true, "250", true, 14},
    };
    for (const Case& c : cases) {
        queue.ResetChannel();
        Fill(10, 100);
        if (!c.accepted)
            dialogs.ExpectButton(QMessageBox::Ok);
        TPMEditItem* item =
            c.seconds ? menu.PMInsertIndicativosEverySeconds : menu.PMInsertIndicativosEverySongs;
        EXPECT_EQ(Accept(item, c.text), c.accepted) << c.what;
        EXPECT_EQ(queue.Count(), c.count) << c.what;
        if (!c.accepted) {
            EXPECT_EQ(dialogs.Shown().last().text, "incorrect integer value") << c.what;
        }
    }
}

TEST_F(StationIdMenuTest, TheCheckMarksToggleAndGoToThePicker)
{
    Fill(3, 100);
    const std::tuple<TPMItem*, bool, bool> cases[] = {
        {menu.PMIndicativoRandom, true, false},
        {menu.PMIndicativoFromSelectedThemes, true, true},
        {menu.PMIndicativoRandom, false, true},
    };
    for (const auto& [item, random, fromSelected] : cases) {
        item->OnClick(item);
        asked.clear();
        ASSERT_TRUE(Accept(menu.PMInsertIndicativosEverySongs, "3"));
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0], (Asked{1, random, fromSelected}));
        EXPECT_EQ(menu.PMIndicativoRandom->Checked(), random);
        EXPECT_EQ(menu.PMIndicativoFromSelectedThemes->Checked(), fromSelected);
    }
}

} // namespace
