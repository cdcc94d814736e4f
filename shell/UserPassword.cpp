#include "shell/UserPassword.h"

#include "foundation/Base64.h"
#include "foundation/Files.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "foundation_gui/PasswordQuery.h"
#include "foundation_gui/WindowHelpers.h"
#include "platform/FileReplace.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/Random.h"
#include "platform/Registry.h"
#include "platform_gui/Application.h"
#include "platform_gui/Dialogs.h"
#include "playout/AudioLayer.h"
#include "shell/DDEHandler.h"
#include "shell/ExitRoad.h"
#include "shell/FileAssociations.h"
#include "shell/Main.h"
#include "shell/StationHooks.h"
#include "shell/Trace.h"
#include "shell/Users.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QPushButton* Button(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QLabel* Label(QWidget* parent, const QString& name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QString UserFolder(const QString& user)
{
    return AppDir + "users/" + user + "/";
}

} // namespace

TFUserPassword::TFUserPassword()
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("FUserPassword");
    setWindowTitle(QGuiApplication::applicationDisplayName());
    platform::RegisterWindow(this, "TFUserPassword");
    setStyleSheet("TFUserPassword { background: black; } QLabel { color: white; }");

    LUser = Label(this, "LUser", "User");
    LPassword = Label(this, "LPassword", "Password");
    CBUser = new QComboBox(this);
    CBUser->setObjectName("CBUser");
    CBUser->setEditable(true);
    CBUser->setInsertPolicy(QComboBox::NoInsert);
    EPassword = new QLineEdit(this);
    EPassword->setObjectName("EPassword");
    EPassword->setEchoMode(QLineEdit::Password);
    EPassword->setStyleSheet("lineedit-password-character: 42;");
    BEntrar = Button(this, "BEntrar", "Enter");
    BEntrar->setDefault(true);
    BCancel = Button(this, "BCancel", "Cancel");
    BClose = Button(this, "BClose", "Close");

    auto* grid = new QGridLayout(this);
    grid->addWidget(LUser, 0, 0);
    grid->addWidget(CBUser, 0, 1);
    grid->addWidget(LPassword, 1, 0);
    grid->addWidget(EPassword, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BEntrar);
    buttons->addWidget(BCancel);
    buttons->addWidget(BClose);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    CBUser->setMinimumWidth(180);

    connect(BEntrar, &QPushButton::clicked, this, &TFUserPassword::Enter);
    connect(BCancel, &QPushButton::clicked, this, &TFUserPassword::EnterWithoutUser);
    // Only reachable before a login: nothing is loaded yet, so nothing is saved or freed.
    connect(BClose, &QPushButton::clicked, this, [] { EndAtOnce(); });

    for (const char* path :
         {"FUserPassword.LUser.Caption", "FUserPassword.LPassword.Caption", "FUserPassword.BEntrar.Caption",
          "FUserPassword.BCancel.Caption", "FUserPassword.BClose.Caption"})
        LangUserPassword.Properties.append(QLatin1String(path));
}

TFUserPassword::~TFUserPassword()
{
    UsersIni.reset();
    if (floatingPointSaved_)
        std::fesetenv(&savedFloatingPoint_);
}

bool TFUserPassword::Initialize()
{
    Trace("L1");
    // No library may turn floating-point traps on behind the audio code's back.
    floatingPointSaved_ = std::fegetenv(&savedFloatingPoint_) == 0;
    fedisableexcept(FE_ALL_EXCEPT);
    Trace("L2");
    {
        platform::Registry registry;
        RegisterAudioFileTypes(registry, QCoreApplication::applicationFilePath());
    }
    Trace("L3");
    if (Hooks().CountInstances() > 1) {
        platform::ShowMessage("There are already one instance running");
        return false;
    }
    // Only the one running copy serves: a second copy never touches the first one's socket.
    if (DDEHandler)
        DDEHandler->Listen();
    Trace("L4");
    FirstShow = true;
    platform::Randomize();
    InitBase64Table();
    Trace("L5");
    LoggedIn = false;
    UserName.clear();
    Password.clear();
    UserSettingsPath.clear();
    Users.clear();
    Trace("L6");
    AppDir = ProgramFolder();
    UsersPath = AppDir + "users.dat";
    NoLoginPath = AppDir + "nologin.txt";
    Trace("L7");
    // A kill during a save leaves the save's temporary file beside the file; nothing else removes it.
    platform::RemoveReplaceLeftovers(UsersPath);
    platform::RemoveReplaceLeftovers(AppDir + SettingsFileName);
    UsersIni = std::make_unique<platform::IniFile>(UsersPath);
    Users = UsersIni->ReadSections();
    CBUser->clear();
    CBUser->addItems(Users);
    CBUser->setCurrentIndex(-1);
    Trace("L8");
    SettingsPath = AppDir + SettingsFileName;
    Trace("L9");
    PlayCounter = 0;
    Trace("L10");
    Log.Closed = true;
    Log.FlushEach = true;
    Log.Level = 0; // nothing is kept until the settings give the level
    LogDir = AppDir + "logs/";
    Log.FileName = Log.DailyLogFileName();
    try {
        Log.OpenLogFile();
    } catch (const std::exception& error) {
        platform::Application::ShowException(QString::fromUtf8(error.what()));
    }
    return true;
}

void TFUserPassword::Enter()
{
    UserName = CBUser->currentText();
    Password = EPassword->text();
    if (UserName.isEmpty()) {
        EnterWithoutUser();
        return;
    }
    if (!IsValidUserName(UserName)) {
        platform::ShowMessage("Invalid user name");
        return;
    }
    QString section = StoredUserName(*UsersIni, UserName);
    if (section.isEmpty()) {
        QString again;
        if (!PasswordQuery("New user", "Please reenter the password", again))
            return; // cancelled: the user is not created
        if (again != Password) {
            platform::ShowMessage("Both passwords are not the same");
            return;
        }
        // The folder first: a user whose folder cannot be made could never log in, so it is not kept.
        ForceFolder(UserFolder(UserName));
        if (!QFileInfo(UserFolder(UserName)).isDir()) {
            platform::ShowMessage("Invalid user name");
            return;
        }
        UsersIni->WriteString(UserName, "password", ScramblePassword(again, PasswordKey));
        section = UserName;
    }
    LoggedIn = CheckPassword(section, Password, UsersIni->ReadString(section, "password", QString()));
    if (!LoggedIn) {
        platform::ShowMessage("Invalid password");
        return;
    }
    // The folder follows the section as stored, so "Bob" and "bob" share one settings copy.
    UserDir = UserFolder(section);
    UserSettingsPath = UserDir + SettingsFileName;
    ForceFolder(UserDir);
    platform::RemoveReplaceLeftovers(UserSettingsPath);
    if (!QFileInfo::exists(UserSettingsPath) && !StartUserSettings()) {
        platform::ShowMessage("Error copying " + SettingsPath + " to " + UserSettingsPath);
        return;
    }
    SettingsPath = UserSettingsPath;
    ShowSettingsWindow();
}

bool TFUserPassword::StartUserSettings() const
{
    if (QFileInfo::exists(SettingsPath))
        return CopyFileTo(SettingsPath, UserSettingsPath);
    // A new station has no settings file until its first exit: the user starts from the defaults,
    // which an empty file gives.
    return !platform::CreateNewFile(UserSettingsPath);
}

void TFUserPassword::EnterWithoutUser()
{
    UserName.clear();
    Password.clear();
    ShowSettingsWindow();
}

void TFUserPassword::ShowSettingsWindow()
{
    hide();
    Trace("E5");
    if (FMain)
        FMain->show();
}

bool TFUserPassword::event(QEvent* event)
{
    if (const platform::MessageEvent* message = platform::AsMessage(event)) {
        if (message->Msg() == platform::WM_SKIPLOGIN)
            EnterWithoutUser();
        else if (message->Msg() == platform::WM_CLOSE)
            RequestExit();
        return true;
    }
    return QDialog::event(event);
}

void TFUserPassword::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FirstShow)
        return;
    FirstShow = false;
    UserName.clear();
    Password.clear();
    CentreOnScreen(this);
    // The settings are not loaded yet, so the language is empty and the file is AppDir + ".lng".
    LangUserPassword.LanguageFile = AppDir + StationOptions.Language + ".lng";
    LangUserPassword.Translate();
    if (QFileInfo::exists(NoLoginPath))
        platform::PostMessage(this, platform::WM_SKIPLOGIN);
}

void TFUserPassword::closeEvent(QCloseEvent* event)
{
    // The window never closes by itself: the exit road ends the program (at once before a login).
    event->ignore();
    RequestExit();
}

void TFUserPassword::reject()
{
    EnterWithoutUser();
}
