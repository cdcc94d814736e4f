#include "foundation_gui/FormPosition.h"
#include "foundation/SettingsWriter.h"
#include "platform_gui/WindowFrame.h"

#include "TempFolder.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

class FormPositionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.IsValid()); }
    void Write(const QString& key, const QString& value) { ini.WriteString("folders", key, value); }

    TempFolder folder;
    platform::IniFile ini{folder.File("place.ini")};
    QWidget window;
};

TEST_F(FormPositionTest, SavedPlaceComesBackInAnotherWindow)
{
    window.setGeometry(30, 40, 300, 200);
    window.show();
    SettingsWriter writer(&ini);
    SaveFormPosition(writer, window, "folders");
    EXPECT_TRUE(writer.Failures().isEmpty());
    EXPECT_EQ(ini.ReadInteger("folders", "width", 0), 300);
    EXPECT_EQ(ini.ReadInteger("folders", "visible", 0), 1);

    QWidget other;
    other.setGeometry(0, 0, 50, 50);
    RestoreFormPosition(1, ini, other, "folders");
    EXPECT_EQ(other.pos(), window.pos());
    EXPECT_EQ(other.size(), QSize(300, 200));
    EXPECT_TRUE(other.isVisible());
}

// A place saved while a skin paints the frame restores the same client area without it, and back.
TEST_F(FormPositionTest, ThePlaceIsTheClientAreaWhateverFrameTheWindowWears)
{
    const QMargins skin(6, 24, 6, 6);
    window.resize(312, 230);
    platform::SetPaintedFrame(&window, skin);
    window.show();
    SettingsWriter writer(&ini);
    SaveFormPosition(writer, window, "folders");
    EXPECT_EQ(ini.ReadInteger("folders", "width", 0), 300);
    EXPECT_EQ(ini.ReadInteger("folders", "height", 0), 200);

    QWidget plain;
    RestoreFormPosition(1, ini, plain, "folders");
    EXPECT_EQ(plain.size(), QSize(300, 200));
    QWidget skinned;
    platform::SetPaintedFrame(&skinned, skin);
    RestoreFormPosition(1, ini, skinned, "folders");
    EXPECT_EQ(skinned.contentsRect().size(), QSize(300, 200));
}

TEST_F(FormPositionTest, ModeZeroOnlyMoves)
{
    window.setGeometry(5, 6, 120, 80);
    Write("left", "70");
    Write("top", "90");
    Write("width", "400");
    Write("height", "300");
    RestoreFormPosition(0, ini, window, "folders");
    EXPECT_EQ(window.pos(), QPoint(70, 90));
    EXPECT_EQ(window.size(), QSize(120, 80));
}

// Without width and height the client area takes the former outer size, frame included.
TEST_F(FormPositionTest, MissingKeysLeaveTheWindowWhereItIs)
{
    window.setGeometry(11, 22, 100, 50);
    window.show();
    const QRect outer = window.frameGeometry();
    RestoreFormPosition(1, ini, window, "folders");
    EXPECT_EQ(window.pos(), outer.topLeft());
    EXPECT_EQ(window.size(), outer.size());
    EXPECT_TRUE(window.isVisible());
}

TEST_F(FormPositionTest, VisibleIsAnyNonZeroIntegerAndDefaultsToShown)
{
    struct Case {
        const char* text;
        bool visible;
    };
    const Case cases[] = {{"0", false}, {"1", true}, {"2", true}, {"-1", true}, {"true", true}, {"", true}};
    for (const Case& c : cases) {
        window.setVisible(!c.visible);
        Write("visible", c.text);
        RestoreFormPosition(1, ini, window, "folders");
        EXPECT_EQ(window.isVisible(), c.visible) << c.text;
    }
}

} // namespace
