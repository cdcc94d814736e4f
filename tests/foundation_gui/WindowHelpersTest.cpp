#include "foundation_gui/WindowHelpers.h"

#include "DialogAnswerer.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

TEST(WindowHelpers, BrowseForFolderUsesTheFolderDialog)
{
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectPaths({"/music/jingles"});
    dialogs.ExpectCancel();
    EXPECT_EQ(BrowseForFolder("choose one directory", "/music"), "/music/jingles");
    EXPECT_EQ(BrowseForFolder("choose one directory", ""), "");
    ASSERT_EQ(dialogs.Shown().size(), 2);
    EXPECT_EQ(dialogs.Shown()[0].kind, platform::DialogKind::Folder);
    EXPECT_EQ(dialogs.Shown()[0].caption, "choose one directory");
    EXPECT_EQ(dialogs.Shown()[0].value, "/music");
}

TEST(WindowHelpers, RestoreIfIconicRestoresOnceTheEventIsDone)
{
    QWidget window;
    window.showMinimized();
    ASSERT_TRUE(window.isMinimized());
    RestoreIfIconic(&window);
    EXPECT_TRUE(window.isMinimized()); // queued, not at once
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());
}

TEST(WindowHelpers, SetTopmostKeepsTheWindowWhereItWas)
{
    QWidget window;
    window.setGeometry(120, 80, 300, 200);
    window.show();
    const QRect before = window.geometry();
    SetTopmost(&window);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), before);

    QWidget hidden;
    SetTopmost(&hidden);
    EXPECT_TRUE(hidden.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(hidden.isVisible());
}

TEST(WindowHelpers, CloseOnEscapeClosesTheWindowBeforeItsControlsSeeTheKey)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* combo = new QComboBox(&window);
    CloseOnEscape(&window);
    QWidget other;
    auto* otherEdit = new QLineEdit(&other);
    window.show();
    other.show();

    // Keys for another window, and other keys, leave it open.
    QTest::keyClick(otherEdit, Qt::Key_Escape);
    QTest::keyClick(edit, Qt::Key_A);
    QTest::keyClick(edit, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(other.isVisible());
    EXPECT_EQ(edit->text(), "a");

    for (QWidget* focused : {static_cast<QWidget*>(edit), static_cast<QWidget*>(combo), &window}) {
        window.show();
        QTest::keyClick(focused, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible()) << focused->metaObject()->className();
    }
}
