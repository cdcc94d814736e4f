#pragma once
// The login window: created first, shown when the message loop starts, it asks for a user and a
// password, creates new users, switches the program to the user's settings copy and shows the
// settings window. Cancel, Escape, an empty name or the file "nologin.txt" skip the login. It stays
// hidden but alive while the program runs: every exit request reaches it as WM_CLOSE.
#include "foundation_gui/Language.h"

#include <QDialog>
#include <QStringList>

#include <cfenv>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFUserPassword : public QDialog {
    Q_OBJECT
public:
    TFUserPassword();
    ~TFUserPassword() override;

    // The rest of the creation: floating-point traps off, the single-instance check, the program
    // folder and its files, the users list and today's log. False when another copy of the program
    // runs (after saying so): the program then ends.
    bool Initialize();

    QLabel* LUser;
    QLabel* LPassword;
    QComboBox* CBUser;
    QLineEdit* EPassword;
    QPushButton* BEntrar;
    QPushButton* BCancel;
    QPushButton* BClose;
    TLanguage LangUserPassword;

    // Empty after a skipped login.
    QString GetUserName() const { return UserName; }
    bool IsLoggedIn() const { return LoggedIn; }
    const QStringList& GetUsers() const { return Users; }

    // Enter: log the typed user in, creating it when new.
    void Enter();
    // Keeps the program folder's settings file and shows the settings window.
    void EnterWithoutUser();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape.
    void reject() override;

private:
    void ShowSettingsWindow();
    // The user's settings copy at the first login: the program folder's file, or the defaults.
    bool StartUserSettings() const;

    bool FirstShow = true;
    QString UserName;
    QString Password;
    QString UserDir;
    QString UserSettingsPath;
    QString NoLoginPath;
    bool LoggedIn = false;
    QStringList Users;
    std::fenv_t savedFloatingPoint_{};
    bool floatingPointSaved_ = false;
};

inline TFUserPassword* FUserPassword = nullptr;
