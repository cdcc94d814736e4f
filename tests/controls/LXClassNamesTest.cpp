#include "controls/LXListBox.h"
#include "controls/LXRegion.h"
#include "controls/LXScrollBox.h"
#include "controls/LXSpeedButton.h"
#include "controls/LXTrackBar.h"
#include "controls/LXWaveComp.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The skin engine and the forms find these classes by their names.
TEST(LXClassNames, TheLastControlsOfTheLibrary)
{
    struct Row {
        const char* className;
        const char* ancestor;
        std::function<QObject*()> make;
    };
    const Row rows[] = {
        {"TLXCustomTrackBar", "TLXCustomPanel", [] { return new TLXCustomTrackBar; }},
        {"TLXTrackBar", "TLXCustomTrackBar", [] { return new TLXTrackBar; }},
        {"TLXCustomScrollBox", "QScrollArea", [] { return new TLXCustomScrollBox; }},
        {"TLXListBox", "TLXCustomScrollBox", [] { return new TLXListBox; }},
        {"TLXHeaderControl", "QHeaderView", [] { return new TLXHeaderControl; }},
        {"TLXWaveComp", "TLXCustomComponent", [] { return new TLXWaveComp; }},
        {"TLXBaseGraphicButton", "TLXBaseControl", [] { return new TLXBaseGraphicButton; }},
        {"TLXCustomSpeedButton", "TLXBaseGraphicButton", [] { return new TLXCustomSpeedButton; }},
        {"TLXSpeedButton", "TLXCustomSpeedButton", [] { return new TLXSpeedButton; }},
        {"TLXFormShape", "TLXWndProcComponent", [] { return new TLXFormShape; }},
    };
    for (const Row& row : rows) {
        std::unique_ptr<QObject> object(row.make());
        EXPECT_STREQ(object->metaObject()->className(), row.className);
        EXPECT_TRUE(object->inherits(row.ancestor)) << row.className;
    }
    TLXListBox list;
    EXPECT_STREQ(list.List().metaObject()->className(), "TLXMyListBox");
    TLXTrackBar bar;
    EXPECT_EQ(QString("TLXTrackbar").compare(bar.metaObject()->className(), Qt::CaseInsensitive), 0)
        << "the skin map's name, case ignored";
    EXPECT_EQ(bar.size(), QSize(220, 35));
    EXPECT_EQ(TLXSpeedButton().size(), QSize(23, 22));
    EXPECT_EQ(list.size(), QSize(100, 100));
    EXPECT_EQ(TLXCustomScrollBox().size(), QSize(185, 41));
}

} // namespace
