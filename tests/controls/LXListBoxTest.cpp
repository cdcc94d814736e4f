#include "controls/LXListBox.h"

#include "Drawing.h"
#include "TempFolder.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(LXListBox, RowsAreLaidOutIntoTheColumns)
{
    struct Case {
        const char* what;
        QString text;
        std::vector<TLXListColumn> columns;
        std::vector<std::pair<int, QString>> cells; // left, text
    };
    const std::vector<Case> cases = {
        {"one piece, two columns", "english", {{500, DT_LEFT}, {50, DT_LEFT}}, {{1, "english"}}},
        {"pieces beyond the columns", "a;b;c", {{30, DT_LEFT}, {40, DT_RIGHT}}, {{1, "a"}, {31, "b"}}},
        {"no columns", "a;b", {}, {{2, "a;b"}}},
        {"an empty first piece", ";x", {{30, DT_LEFT}, {40, DT_LEFT}}, {{1, ""}, {31, "x"}}},
    };
    for (const Case& c : cases) {
        const std::vector<TLXListCell> cells =
            LayoutListRow(c.text, QLatin1Char(';'), c.columns, Rect(0, 10, 600, 26));
        ASSERT_EQ(cells.size(), c.cells.size()) << c.what;
        for (size_t i = 0; i < cells.size(); ++i) {
            EXPECT_EQ(cells[i].Rect.Left, c.cells[i].first) << c.what;
            EXPECT_EQ(cells[i].Text, c.cells[i].second) << c.what;
            EXPECT_EQ(cells[i].Rect.Top, 10) << c.what;
        }
    }
    const std::vector<TLXListCell> cells =
        LayoutListRow("a;b", QLatin1Char(';'), {{30, DT_LEFT}, {40, DT_RIGHT}}, Rect(0, 0, 600, 16));
    EXPECT_EQ(cells[0].Rect.Right, 29);
    EXPECT_EQ(cells[1].Rect.Right, 69);
    EXPECT_EQ(cells[1].Alignment, DT_RIGHT);
}

struct LXListBoxTest : ::testing::Test {
    HostWindow host;
    TLXListBox* box = new TLXListBox(&host.Window);
    QLineEdit* edit = new QLineEdit(&host.Window);

    void SetUp() override
    {
        // As the settings window has it: no visible header, columns of 500 and 50.
        box->setGeometry(0, 0, 600, 200);
        edit->move(0, 220);
        box->SetHeaderHeight(0);
        box->Header().ClearSections();
        box->Header().AddSection("Name", 500);
        box->Header().AddSection("", 50);
        box->SetItemHeight(16);
        box->SetItems({"english", "   ", "deutsch", "svenska"});
        host.Window.resize(640, 260);
        box->show();
        edit->show();
        host.Window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host.Window));
    }
    QImage Rows() { return box->List().viewport()->grab().toImage(); }
};

TEST_F(LXListBoxTest, HeaderHiddenBySize)
{
    EXPECT_TRUE(box->HeaderVisible());
    EXPECT_EQ(box->Header().height(), 0);
    EXPECT_EQ(box->List().y(), 0);
    box->SetHeaderHeight(25);
    EXPECT_EQ(box->List().y(), 25);
}

TEST_F(LXListBoxTest, VirtualWidthScrollsTheColumnsSideways)
{
    box->SetVirtualWidth(900);
    EXPECT_EQ(box->List().width(), 900);
    EXPECT_EQ(box->Header().width(), 900);
    EXPECT_GT(box->horizontalScrollBar()->maximum(), 0);
    box->SetVirtualWidth(-5);
    EXPECT_EQ(box->VirtualWidth(), 900) << "negative widths are ignored";
    box->SetVirtualWidth(0);
    EXPECT_EQ(box->List().width(), box->viewport()->width());
}

TEST_F(LXListBoxTest, BlankRowsHaveNoHorizontalGridLine)
{
    box->SetGridLines(glBoth);
    box->SetGridHorzColor(clRed);
    box->SetGridVertColor(clBlue);
    const QImage rows = Rows();
    EXPECT_EQ(Probe(rows, 300, 15), clRed) << "a row with text";
    EXPECT_NE(Probe(rows, 300, 31), clRed) << "a row of spaces";
    EXPECT_EQ(Probe(rows, 499, 40), clBlue) << "the column's line runs over every row";
    EXPECT_EQ(Probe(rows, 549, 150), clBlue) << "down to the bottom of the list";

    box->SetItems({"  "});
    EXPECT_NE(Probe(Rows(), 499, 40), clBlue) << "no text at all: no column lines";
}

TEST_F(LXListBoxTest, ItemIndexFillsTheSelectedRow)
{
    box->SetSelectedColor(clBlue);
    edit->setFocus();
    box->SetItemIndex(2);
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(Probe(Rows(), 300, 2 * 16 + 8), clBlue) << "also without the focus";
    EXPECT_NE(Probe(Rows(), 300, 3 * 16 + 8), clBlue);
    box->SetItemIndex(-1);
    EXPECT_EQ(box->ItemIndex(), -1);
    EXPECT_EQ(box->SelCount(), 0);
    EXPECT_NE(Probe(Rows(), 300, 2 * 16 + 8), clBlue);
}

TEST_F(LXListBoxTest, OnSelectSeesThePressedRow)
{
    std::vector<int> seen;
    QObject::connect(box, &TLXListBox::OnSelect, [&] { seen.push_back(box->ItemIndex()); });
    QTest::mouseClick(box->List().viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 3 * 16 + 4));
    QTest::mouseClick(box->List().viewport(), Qt::RightButton, Qt::NoModifier, QPoint(100, 4));
    EXPECT_EQ(seen, std::vector<int>{3});
}

TEST_F(LXListBoxTest, SortingIgnoresCase)
{
    box->SetItems({"Bravo", "alpha", "Charlie"});
    box->SetSorted(true);
    box->AddItem("bar");
    EXPECT_EQ(box->Items(), QStringList({"alpha", "bar", "Bravo", "Charlie"}));
}

TEST_F(LXListBoxTest, ColumnWidthsGoThroughTheStore)
{
    TempFolder folder;
    TLXIniCtrl store;
    store.SetTarget(itIniFile);
    store.SetIniPrefix(ppFixed);
    store.SetIniFile(folder.File("widths.ini"));
    box->SetIniLink(&store);
    box->SetIniUse(ioUseLink);
    QStringList events;
    QObject::connect(box, &TLXListBox::OnIniReadData, [&](TLXIniCtrl* ctrl, const QString& section) {
        events << QStringLiteral("read %1 %2").arg(ctrl == &store).arg(section);
    });
    QObject::connect(box, &TLXListBox::OnIniWriteData, [&](TLXIniCtrl* ctrl, const QString& section) {
        events << QStringLiteral("write %1 %2").arg(ctrl == &store).arg(section);
    });

    box->Header().ClearSections();
    box->Header().AddSection("Name", 120);
    store.WriteString("Common", "ListBoxData", "500,50");
    box->ReadColumnWidths();
    ASSERT_EQ(box->HeaderSectionCount(), 2);
    EXPECT_EQ(box->Header().sectionSize(0), 500);
    EXPECT_EQ(box->Header().SectionText(1), "S. 2");
    EXPECT_EQ(box->Header().sectionSize(1), 50);

    store.WriteString("Common", "ListBoxData", "abc,-5,30");
    box->ReadColumnWidths();
    EXPECT_EQ(box->Header().sectionSize(0), 500) << "a piece that is no number keeps the width";
    EXPECT_EQ(box->Header().sectionSize(1), 50) << "so does a negative one";
    EXPECT_EQ(box->Header().SectionText(2), "S. 3");
    EXPECT_EQ(box->Header().sectionSize(2), 30);

    box->WriteColumnWidths();
    EXPECT_EQ(store.ReadString("Common", "ListBoxData", "none"), "500,50,30");
    box->Header().ClearSections();
    box->WriteColumnWidths();
    EXPECT_EQ(store.ReadString("Common", "ListBoxData", "none"), "none");
    EXPECT_EQ(events, QStringList({"read 1 Common", "read 1 Common", "write 1 Common", "write 1 Common"}));

    box->SetIniUse(ioNone);
    events.clear();
    box->ReadColumnWidths();
    EXPECT_EQ(events, QStringList({"read 0 Common"})) << "the events fire without a store";
    box->SetIniLink(nullptr);
}

TEST(LXListBox, TheFirstShowingReadsTheWidthsTheLastDestructionWrote)
{
    TempFolder folder;
    TLXIniCtrl store;
    store.SetTarget(itIniFile);
    store.SetIniPrefix(ppFixed);
    store.SetIniFile(folder.File("widths.ini"));
    store.WriteString("Common", "ListBoxData", "120,40");
    {
        TLXListBox box;
        box.SetIniLink(&store);
        box.SetIniUse(ioUseLink);
        box.show();
        ASSERT_EQ(box.HeaderSectionCount(), 2);
        EXPECT_EQ(box.Header().sectionSize(0), 120);
        EXPECT_EQ(box.Header().sectionSize(1), 40);
        box.Header().resizeSection(1, 70);
        box.hide();
        box.show(); // later showings keep what the user made of the columns
        EXPECT_EQ(box.Header().sectionSize(1), 70);
    }
    EXPECT_EQ(store.ReadString("Common", "ListBoxData", "none"), "120,70");
    TLXListBox next;
    next.SetIniLink(&store);
    next.SetIniUse(ioUseLink);
    next.show();
    EXPECT_EQ(next.Header().sectionSize(1), 70);
    next.SetIniLink(nullptr);
}

} // namespace
