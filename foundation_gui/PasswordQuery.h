#pragma once
// The password input box: a prompt, an edit that shows "*" for each character and takes at most
// 255, and OK (default) and Cancel, laid out in dialog units of its font like the toolkit's input box.
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    PasswordDialog(const QString& caption, const QString& prompt, const QString& value,
                   QWidget* parent = nullptr);

    QString Text() const;

    QLabel* Prompt() const { return prompt_; }
    QLineEdit* Edit() const { return edit_; }
    QPushButton* OkButton() const { return okButton_; }
    QPushButton* CancelButton() const { return cancelButton_; }

private:
    QLabel* prompt_;
    QLineEdit* edit_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

// Shows the box pre-filled with value (selected); after OK value holds the typed text and the result
// is true; after Cancel value is unchanged.
bool PasswordQuery(const QString& caption, const QString& prompt, QString& value);

// The typed text after OK, else the default.
QString PasswordBox(const QString& caption, const QString& prompt, const QString& defaultValue);
