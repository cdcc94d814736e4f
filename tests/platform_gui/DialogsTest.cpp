#include "platform_gui/Dialogs.h"

#include "DialogAnswerer.h"

#include <QGuiApplication>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace platform;

TEST(Dialogs, MessageBoxesAreRecordedAndAnswered)
{
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectButton(QMessageBox::No);
    dialogs.ExpectButton(QMessageBox::Yes);
    dialogs.ExpectButton(QMessageBox::Retry);

    EXPECT_FALSE(AskYesNo("Sonvela Zodu", "Ok to exit?"));
    EXPECT_TRUE(AskYesNo("Sonvela Zodu", "Ok to exit?", QMessageBox::No));
    EXPECT_EQ(MessageBox("Media Error", "Right media DLLs was not loaded", QMessageBox::Warning,
                         QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Cancel),
              QMessageBox::Retry);

    ASSERT_EQ(dialogs.Shown().size(), 3);
    const DialogRequest& question = dialogs.Shown()[1];
    EXPECT_EQ(question.kind, DialogKind::MessageBox);
    EXPECT_EQ(question.caption, "Sonvela Zodu");
    EXPECT_EQ(question.text, "Ok to exit?");
    EXPECT_EQ(question.icon, QMessageBox::Question);
    EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question.defaultButton, QMessageBox::No);
    const DialogRequest& box = dialogs.Shown()[2];
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.defaultButton, QMessageBox::Cancel);
}

TEST(Dialogs, ShowMessageHasTheApplicationNameAsCaption)
{
    QGuiApplication::setApplicationDisplayName("Sonvela Zodu");
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectButton(QMessageBox::Ok);
    ShowMessage("There are already one instance running");
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].caption, "Sonvela Zodu");
    EXPECT_EQ(dialogs.Shown()[0].buttons, QMessageBox::Ok);
    QGuiApplication::setApplicationDisplayName(QString());
}

TEST(Dialogs, InputBoxKeepsTheValueOnCancel)
{
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectInput("new text");
    dialogs.ExpectCancel();

    QString value = "old";
    EXPECT_TRUE(InputQuery("Rename", "Name:", value));
    EXPECT_EQ(value, "new text");
    EXPECT_FALSE(InputQuery("Rename", "Name:", value));
    EXPECT_EQ(value, "new text");

    ASSERT_EQ(dialogs.Shown().size(), 2);
    EXPECT_EQ(dialogs.Shown()[0].kind, DialogKind::Input);
    EXPECT_EQ(dialogs.Shown()[0].text, "Name:");
    EXPECT_EQ(dialogs.Shown()[0].value, "old");
    EXPECT_EQ(dialogs.Shown()[1].value, "new text");
}

TEST(Dialogs, FileAndFolderDialogs)
{
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectPaths({"/music/a.mp3", "/music/b.ogg"});
    dialogs.ExpectPaths({"/tmp/report.txt"});
    dialogs.ExpectPaths({"/music"});
    dialogs.ExpectCancel();
    dialogs.ExpectCancel();

    FileDialogOptions open;
    open.caption = "Open";
    open.start = "/music";
    open.filter = "Audio|*.mp3;*.ogg";
    open.multiSelect = true;
    EXPECT_EQ(OpenFiles(open), QStringList({"/music/a.mp3", "/music/b.ogg"}));

    FileDialogOptions save;
    save.filter = "Text files|*.txt|All files|*.*";
    save.defaultExtension = "txt";
    save.promptOverwrite = true;
    EXPECT_EQ(SaveFile(save), "/tmp/report.txt");
    EXPECT_EQ(ChooseFolder("choose one directory", "/home"), "/music");
    EXPECT_TRUE(OpenFiles(open).isEmpty());
    EXPECT_TRUE(ChooseFolder("choose one directory", "/home").isEmpty());

    ASSERT_EQ(dialogs.Shown().size(), 5);
    EXPECT_EQ(dialogs.Shown()[0].kind, DialogKind::OpenFile);
    EXPECT_TRUE(dialogs.Shown()[0].multiSelect);
    EXPECT_EQ(dialogs.Shown()[0].value, "/music");
    EXPECT_EQ(dialogs.Shown()[1].kind, DialogKind::SaveFile);
    EXPECT_EQ(dialogs.Shown()[1].defaultExtension, "txt");
    EXPECT_TRUE(dialogs.Shown()[1].promptOverwrite);
    EXPECT_EQ(dialogs.Shown()[2].kind, DialogKind::Folder);
    EXPECT_EQ(dialogs.Shown()[2].caption, "choose one directory");
    EXPECT_EQ(dialogs.Shown()[2].value, "/home");
}

TEST(Dialogs, ToolkitFiltersBecomeQtFilters)
{
    struct Case {
        const char* toolkit;
        const char* qt;
    };
    const Case cases[] = {
        {"Text files|*.txt|All files|*.*", "Text files (*.txt);;All files (*)"},
        {"Audio|*.mp3;*.wav; *.ogg", "Audio (*.mp3 *.wav *.ogg)"},
        {"", ""},
        {"Name without patterns", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToQtFilter(c.toolkit), c.qt) << c.toolkit;
}

TEST(DialogAnswerer, FailsOnUnexpectedWrongKindAndUnusedAnswers)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogAnswerer dialogs;
            EXPECT_EQ(
                MessageBox("c", "surprise", QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel),
                QMessageBox::Cancel);
        },
        "Unexpected message box \"c\": \"surprise\"");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogAnswerer dialogs;
            dialogs.ExpectInput("text");
            EXPECT_FALSE(AskYesNo("c", "question"));
        },
        "another kind of dialog");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogAnswerer dialogs;
            dialogs.ExpectButton(QMessageBox::Yes);
        },
        "1 expected dialog(s) never shown");
}

TEST(DialogAnswerer, AnswerersStackAndUninstall)
{
    ScriptedDialogAnswerer outer;
    outer.ExpectButton(QMessageBox::Ok);
    {
        ScriptedDialogAnswerer inner;
        inner.ExpectButton(QMessageBox::Yes);
        EXPECT_TRUE(AskYesNo("c", "inner"));
    }
    EXPECT_EQ(MessageBox("c", "outer"), QMessageBox::Ok);
    ASSERT_EQ(outer.Shown().size(), 1);
    EXPECT_EQ(outer.Shown()[0].text, "outer");
}

TEST(DialogsDeathTest, ABoxNobodyCanAnswerEndsTheTestInsteadOfHanging)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The test main keeps an answerer for unexpected boxes; take it away to reach the last guard.
    EXPECT_DEATH(
        {
            platform::InstallDialogAnswerer(nullptr);
            ShowMessage("nobody answers");
        },
        "shown with no answerer installed");
}
