// The login window on its own: the users file, new users, passwords, the user's settings copy and
// the names it refuses. No settings window exists here, so a login only hides the window.
#include "DialogAnswerer.h"
#include "FileBytes.h"
#include "TempFolder.h"

#include "foundation/Base64.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "platform/IniFile.h"
#include "shell/StationHooks.h"
#include "shell/UserPassword.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

namespace {

const QByteArray ProgramSettings = "[main]\r\nlanguage=english\r\n";

class LoginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.IsValid());
        qputenv(AppDirVariable, QFile::encodeName(folder.Path()));
        Hooks().CountInstances = [] { return 1; };
        StationOptions = TOptions{}; // nothing loaded yet, as at start-up
        ASSERT_TRUE(WriteBytes(folder.File("Sonvelazodu.ini"), ProgramSettings));
    }

    void TearDown() override
    {
        Log.CloseLogFile();
        ResetHooks();
        qunsetenv(AppDirVariable);
    }

    // A login window as start-up leaves it: created and shown.
    std::unique_ptr<TFUserPassword> ShownLogin()
    {
        auto login = std::make_unique<TFUserPassword>();
        EXPECT_TRUE(login->Initialize());
        login->show();
        return login;
    }

    static void Type(TFUserPassword& login, const QString& user, const QString& password)
    {
        login.CBUser->setEditText(user);
        login.EPassword->setText(password);
    }

    void AddUser(const QString& name, const QString& password)
    {
        platform::IniFile(folder.File("users.dat"))
            .WriteString(name, "password", ScramblePassword(password, PasswordKey));
    }

    QString UserCopy(const QString& name) const
    {
        return folder.Path() + "users/" + name + "/Sonvelazodu.ini";
    }

    TempFolder folder;
};

struct FlowCase {
    const char* name;
    QStringList usersBefore; // each with the password "secret"
    QString user;
    QString password;
    std::optional<QString> reentry; // nullopt: no box expected; "" with cancel below: cancelled
    bool cancelReentry;
    QString message; // empty: none
    bool loggedIn;
    QString settingsUser; // whose copy SettingsPath names; empty: the program folder's file
    QStringList usersAfter;
};

TEST_F(LoginTest, FlowTable)
{
    const FlowCase cases[] = {
        {"new user, re-entry matches", {}, "ann", "pw", "pw", false, "", true, "ann", {"ann"}},
        {"new user, re-entry differs",
         {},
         "ann",
         "pw",
         "pX",
         false,
         "Both passwords are not the same",
         false,
         "",
         {}},
        {"new user, empty password twice", {}, "ann", "", "", false, "", true, "ann", {"ann"}},
        {"new user, re-entry cancelled", {}, "ann", "", "", true, "", false, "", {}},
        {"existing user, right password",
         {"bob"},
         "bob",
         "secret",
         std::nullopt,
         false,
         "",
         true,
         "bob",
         {"bob"}},
        {"existing user, wrong password",
         {"bob"},
         "bob",
         "Secret",
         std::nullopt,
         false,
         "Invalid password",
         false,
         "",
         {"bob"}},
        {"existing user in another case",
         {"Bob"},
         "bob",
         "secret",
         std::nullopt,
         false,
         "",
         true,
         "Bob",
         {"Bob"}},
        {"empty name skips", {"bob"}, "", "secret", std::nullopt, false, "", false, "", {"bob"}},
        {"new user, the longest name a folder holds",
         {},
         QString(255, u'n'),
         "pw",
         "pw",
         false,
         "",
         true,
         QString(255, u'n'),
         {QString(255, u'n')}},
    };
    for (const FlowCase& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(folder.File("users.dat"));
        QDir(folder.Path() + "users").removeRecursively();
        for (const QString& user : c.usersBefore)
            AddUser(user, "secret");
        ScriptedDialogAnswerer dialogs;
        if (c.reentry) {
            if (c.cancelReentry)
                dialogs.ExpectCancel();
            else
                dialogs.ExpectInput(*c.reentry);
        }
        if (!c.message.isEmpty())
            dialogs.ExpectButton(QMessageBox::Ok);
        auto login = ShownLogin();
        EXPECT_EQ(login->CBUser->count(), c.usersBefore.size());
        Type(*login, c.user, c.password);

        login->BEntrar->click();

        if (c.reentry) {
            ASSERT_GE(dialogs.Shown().size(), 1);
            EXPECT_EQ(dialogs.Shown()[0].caption, "New user");
            EXPECT_EQ(dialogs.Shown()[0].text, "Please reenter the password");
        }
        if (!c.message.isEmpty()) {
            EXPECT_EQ(dialogs.Shown().last().text, c.message);
        }
        EXPECT_EQ(login->IsLoggedIn(), c.loggedIn);
        EXPECT_EQ(SettingsPath,
                  c.settingsUser.isEmpty() ? folder.File("Sonvelazodu.ini") : UserCopy(c.settingsUser));
        // A login or a skip hides the window; a refusal keeps it.
        EXPECT_EQ(login->isVisible(), !c.loggedIn && !c.user.isEmpty());
        if (c.loggedIn) {
            EXPECT_EQ(ReadBytes(UserCopy(c.settingsUser)), ProgramSettings);
        }
        const platform::IniFile users(folder.File("users.dat"));
        EXPECT_EQ(users.ReadSections(), c.usersAfter);
        if (c.reentry && c.loggedIn) { // a new user: the typed password, scrambled
            EXPECT_EQ(users.ReadString(c.user, "password", "-"), ScramblePassword(c.password, PasswordKey));
        }
    }
}

TEST_F(LoginTest, TheSettingsAreCopiedAtTheFirstLoginOnly)
{
    AddUser("ann", "secret");
    {
        auto login = ShownLogin();
        Type(*login, "ann", "secret");
        login->BEntrar->click();
        ASSERT_TRUE(login->IsLoggedIn());
    }
    ASSERT_TRUE(WriteBytes(folder.File("Sonvelazodu.ini"), "[main]\r\nlanguage=francais\r\n"));
    auto login = ShownLogin();
    Type(*login, "ann", "secret");
    login->BEntrar->click();
    EXPECT_TRUE(login->IsLoggedIn());
    EXPECT_EQ(SettingsPath, UserCopy("ann"));
    EXPECT_EQ(ReadBytes(UserCopy("ann")), ProgramSettings);
}

TEST_F(LoginTest, OnANewStationTheFirstUserStartsFromTheDefaults)
{
    // A new station has written no settings file yet.
    ASSERT_TRUE(QFile::remove(folder.File("Sonvelazodu.ini")));
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectInput("pw");
    auto login = ShownLogin();
    Type(*login, "Bob", "pw");
    login->BEntrar->click();
    EXPECT_EQ(dialogs.Shown().size(), 1); // the re-entry only, no error
    EXPECT_TRUE(login->IsLoggedIn());
    EXPECT_FALSE(login->isVisible());
    EXPECT_EQ(SettingsPath, UserCopy("Bob"));
    EXPECT_TRUE(QFileInfo::exists(UserCopy("Bob")));
    EXPECT_EQ(ReadBytes(UserCopy("Bob")), QByteArray());
    EXPECT_FALSE(QFileInfo::exists(folder.File("Sonvelazodu.ini")));
}

TEST_F(LoginTest, AFailedCopyKeepsTheProgramSettingsAndTheWindow)
{
    AddUser("ann", "secret");
    // A file where the users folder belongs: no folder can be made below it, not even by root.
    ASSERT_TRUE(WriteBytes(folder.File("users"), "not a folder"));
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectButton(QMessageBox::Ok);
    auto login = ShownLogin();
    Type(*login, "ann", "secret");
    login->BEntrar->click();
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].text,
              "Error copying " + folder.File("Sonvelazodu.ini") + " to " + UserCopy("ann"));
    EXPECT_EQ(SettingsPath, folder.File("Sonvelazodu.ini"));
    EXPECT_TRUE(login->isVisible());
}

TEST_F(LoginTest, NamesThatWouldLeaveTheUsersFolderOrBreakTheUsersFileAreRefused)
{
    QStringList names = {"../../x", "..",  ".",    "a/b",  "a\\b", "a]b",  "[a",
                         "a=b",     "a;b", "a\nb", "a\rb", " bob", "bob ", "\tbob"};
    // Too long for a folder name, counted in bytes; half a surrogate pair (pasted broken text).
    names << QString(256, u'n') << QString(128, QChar(0xE9)) << QStringLiteral("x") + QChar(0xD800) + "y";
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        ScriptedDialogAnswerer dialogs;
        dialogs.ExpectButton(QMessageBox::Ok);
        auto login = ShownLogin();
        Type(*login, name, "pw");
        login->BEntrar->click();
        ASSERT_EQ(dialogs.Shown().size(), 1);
        EXPECT_EQ(dialogs.Shown()[0].text, "Invalid user name");
        EXPECT_TRUE(login->isVisible());
        EXPECT_FALSE(QFileInfo::exists(folder.File("users.dat")));
        EXPECT_FALSE(QFileInfo::exists(folder.File("users")));
    }
}

TEST_F(LoginTest, ANewUserWhoseFolderCannotBeMadeIsNotWritten)
{
    ASSERT_TRUE(WriteBytes(folder.File("users"), "not a folder"));
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectInput("pw");
    dialogs.ExpectButton(QMessageBox::Ok);
    auto login = ShownLogin();
    Type(*login, "ann", "pw");
    login->BEntrar->click();
    ASSERT_EQ(dialogs.Shown().size(), 2);
    EXPECT_EQ(dialogs.Shown()[1].text, "Invalid user name");
    EXPECT_FALSE(login->IsLoggedIn());
    EXPECT_TRUE(login->isVisible());
    EXPECT_FALSE(QFileInfo::exists(folder.File("users.dat")));
}

TEST_F(LoginTest, LeftoversOfCutShortSavesAreRemoved)
{
    AddUser("ann", "secret");
    ASSERT_TRUE(QDir(folder.Path()).mkpath("users/ann"));
    const QStringList leftovers = {"users.dat.part-a1B2c3", "Sonvelazodu.ini.part-Zz9yX0",
                                   "users/ann/Sonvelazodu.ini.part-q1w2e3"};
    for (const QString& name : leftovers)
        ASSERT_TRUE(WriteBytes(folder.File(name), "[cut"));
    ASSERT_TRUE(WriteBytes(folder.File("Sonvelazodu.ini.backup"), ProgramSettings));

    auto login = ShownLogin();
    EXPECT_FALSE(QFileInfo::exists(folder.File(leftovers[0])));
    EXPECT_FALSE(QFileInfo::exists(folder.File(leftovers[1])));
    EXPECT_TRUE(QFileInfo::exists(folder.File(leftovers[2]))); // until that user logs in
    Type(*login, "ann", "secret");
    login->BEntrar->click();
    ASSERT_TRUE(login->IsLoggedIn());
    EXPECT_FALSE(QFileInfo::exists(folder.File(leftovers[2])));
    EXPECT_TRUE(QFileInfo::exists(folder.File("Sonvelazodu.ini.backup")));
}

TEST_F(LoginTest, EscapeAndCancelSkipTheLogin)
{
    const std::pair<const char*, std::function<void(TFUserPassword&)>> skips[] = {
        {"Escape", [](TFUserPassword& login) { QTest::keyClick(&login, Qt::Key_Escape); }},
        {"Cancel", [](TFUserPassword& login) { login.BCancel->click(); }},
    };
    AddUser("ann", "secret");
    for (const auto& [how, skip] : skips) {
        SCOPED_TRACE(how);
        auto login = ShownLogin();
        Type(*login, "ann", "secret");
        skip(*login);
        EXPECT_FALSE(login->isVisible());
        EXPECT_FALSE(login->IsLoggedIn());
        EXPECT_EQ(login->GetUserName(), "");
        EXPECT_EQ(SettingsPath, folder.File("Sonvelazodu.ini"));
    }
}

TEST_F(LoginTest, AnotherRunningCopyEndsTheCreation)
{
    Hooks().CountInstances = [] { return 2; };
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectButton(QMessageBox::Ok);
    TFUserPassword login;
    EXPECT_FALSE(login.Initialize());
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].text, "There are already one instance running");
}

TEST_F(LoginTest, TheWindowIsTranslatedFromTheLanguageFileOfNoLanguage)
{
    // The settings are not loaded when the window first shows, so the language name is empty.
    ASSERT_TRUE(
        WriteBytes(folder.File(".lng"), "[translations]\r\nFUserPassword.BEntrar.Caption=Entrar\r\n"));
    auto login = ShownLogin();
    EXPECT_EQ(login->BEntrar->text(), "Entrar");
    EXPECT_EQ(login->BCancel->text(), "Cancel");
}

} // namespace
