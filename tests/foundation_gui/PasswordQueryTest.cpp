#include "foundation_gui/PasswordQuery.h"

#include "DialogAnswerer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

TEST(PasswordDialog, MasksWithStarsAndTakesAtMost255Characters)
{
    PasswordDialog dialog("New user", "Please reenter the password", "secret");
    QLineEdit* edit = dialog.Edit();
    EXPECT_EQ(dialog.windowTitle(), "New user");
    EXPECT_EQ(dialog.Prompt()->text(), "Please reenter the password");
    EXPECT_TRUE(dialog.Prompt()->wordWrap());
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(edit->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit), '*');
    EXPECT_EQ(edit->displayText(), "******");
    EXPECT_EQ(edit->selectedText(), "secret"); // pre-filled and selected: typing replaces it

    QTest::keyClicks(edit, QString(300, QLatin1Char('x')));
    EXPECT_EQ(dialog.Text(), QString(255, QLatin1Char('x')));

    EXPECT_TRUE(dialog.OkButton()->isDefault());
    EXPECT_EQ(dialog.OkButton()->text(), "OK");
    EXPECT_EQ(dialog.CancelButton()->text(), "Cancel");
}

TEST(PasswordDialog, OkAcceptsAndCancelRejects)
{
    PasswordDialog accepted("c", "p", "");
    QTest::keyClicks(accepted.Edit(), "pw");
    accepted.OkButton()->click();
    EXPECT_EQ(accepted.result(), QDialog::Accepted);
    EXPECT_EQ(accepted.Text(), "pw");

    PasswordDialog rejected("c", "p", "");
    rejected.CancelButton()->click();
    EXPECT_EQ(rejected.result(), QDialog::Rejected);
}

TEST(PasswordDialog, LayoutKeepsTheButtonsBelowAWrappedPrompt)
{
    const QString longPrompt = QString("word ").repeated(60);
    PasswordDialog dialog("c", longPrompt, "");
    const QRect prompt = dialog.Prompt()->geometry();
    const QRect edit = dialog.Edit()->geometry();
    const QRect ok = dialog.OkButton()->geometry();
    const QRect cancel = dialog.CancelButton()->geometry();
    EXPECT_GT(prompt.height(), 2 * dialog.fontMetrics().height()); // wrapped over several lines
    EXPECT_LE(prompt.right(), edit.right());
    EXPECT_EQ(edit.top(), prompt.bottom() + 1 + 5);
    EXPECT_EQ(ok.top(), edit.bottom() + 1 + 15);
    EXPECT_EQ(cancel.top(), ok.top());
    EXPECT_LT(ok.right(), cancel.left());
    EXPECT_EQ(dialog.height(), ok.bottom() + 1 + 13);
    EXPECT_LE(cancel.right(), dialog.width());
}

TEST(PasswordQuery, GoesThroughTheDialogsAndKeepsTheValueOnCancel)
{
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectInput("typed");
    dialogs.ExpectCancel();
    dialogs.ExpectInput(QString(300, QLatin1Char('y')));
    dialogs.ExpectCancel();

    QString value = "old";
    EXPECT_TRUE(PasswordQuery("Password", "Enter it", value));
    EXPECT_EQ(value, "typed");
    EXPECT_FALSE(PasswordQuery("Password", "Enter it", value));
    EXPECT_EQ(value, "typed");
    EXPECT_EQ(PasswordBox("New user", "Please reenter the password", ""), QString(255, QLatin1Char('y')));
    EXPECT_EQ(PasswordBox("New user", "Please reenter the password", "default"), "default");

    ASSERT_EQ(dialogs.Shown().size(), 4);
    const platform::DialogRequest& box = dialogs.Shown()[0];
    EXPECT_EQ(box.kind, platform::DialogKind::Password);
    EXPECT_EQ(box.caption, "Password");
    EXPECT_EQ(box.text, "Enter it");
    EXPECT_EQ(box.value, "old");
    EXPECT_EQ(dialogs.Shown()[3].value, "default");
}
