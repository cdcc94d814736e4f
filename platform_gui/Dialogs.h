#pragma once
// Every message box, question, input box and file or folder dialog of the programs goes through
// here. The programs show real Qt dialogs; a test installs a DialogAnswerer that records each box
// and answers it, so no test ever waits on a modal window.
#include "platform_gui/Color.h"

#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

// Window: one of the program's own modal windows. An answerer's values are typed into its fields in
// their order, then its button is pressed.
// Font: face, size, style and the font's colour; Color: one colour.
enum class DialogKind { MessageBox, Input, Password, OpenFile, SaveFile, Folder, Window, Font, Color };

// What a box shows; handed to the answerer as it is.
struct DialogRequest {
    DialogKind kind = DialogKind::MessageBox;
    QString caption;
    QString text; // the message, or the prompt of an input box
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString value;                // input: the pre-filled text; file and folder dialogs: where they start
    QString filter;               // file dialogs, in the toolkit's form "Text files|*.txt|All files|*.*"
    QString defaultExtension;     // save dialog, without the dot
    bool multiSelect = false;     // open dialog
    bool promptOverwrite = false; // save dialog
    QFont font;                   // font dialog: where it starts
    TColor color = clBlack;       // font dialog (the font's colour) and colour dialog: where they start
};

// The user's answer: the button pressed (Ok or Cancel for input, file and folder dialogs) and, after
// Ok, the text typed or the paths chosen; for the font and colour dialogs the values made by
// FontAnswer and ColorAnswer.
struct DialogAnswer {
    QMessageBox::StandardButton button = QMessageBox::Cancel;
    QStringList values;
};

// The answers of the font dialog (the font and its colour) and of the colour dialog, after Ok.
DialogAnswer FontAnswer(const QFont& font, TColor color);
DialogAnswer ColorAnswer(TColor color);

class DialogAnswerer {
public:
    virtual ~DialogAnswerer() = default;
    virtual DialogAnswer Answer(const DialogRequest& request) = 0;
};

// Puts an answerer in place of the real dialogs (nullptr: the real dialogs again) and returns the
// one it replaces, so answerers can be stacked. GUI thread only.
DialogAnswerer* InstallDialogAnswerer(DialogAnswerer* answerer);

// The answerer's answer when one is installed, else what showReal (the real modal dialog) returns.
// The entry point for dialogs built elsewhere (the password box).
DialogAnswer RunDialog(const DialogRequest& request, const std::function<DialogAnswer()>& showReal);

QMessageBox::StandardButton MessageBox(const QString& caption, const QString& text,
                                       QMessageBox::Icon icon = QMessageBox::NoIcon,
                                       QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                       QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// A plain message with the application's name as caption and one OK button.
void ShowMessage(const QString& text);

// A question with Yes and No; true for Yes.
bool AskYesNo(const QString& caption, const QString& text,
              QMessageBox::StandardButton defaultButton = QMessageBox::Yes);

// An input box pre-filled with value; after OK value holds the text and the result is true.
bool InputQuery(const QString& caption, const QString& prompt, QString& value);

struct FileDialogOptions {
    QString caption;
    QString start; // a folder, or a file name to start from
    QString filter;
    QString defaultExtension;
    bool multiSelect = false;
    bool promptOverwrite = false;
};

// The chosen files; empty when cancelled.
QStringList OpenFiles(const FileDialogOptions& options);
// The chosen file; empty when cancelled.
QString SaveFile(const FileDialogOptions& options);
// The chosen folder (without a trailing "/"); empty when cancelled.
QString ChooseFolder(const QString& caption, const QString& initialFolder);

// The font dialog, starting at font and color; after OK both hold the choice and the result is true.
bool ChooseFont(QFont& font, TColor& color);
// The colour dialog, starting at color; after OK it holds the chosen plain RGB value.
bool ChooseColor(TColor& color);

// "Text files|*.txt|All files|*.*" as Qt writes it: "Text files (*.txt);;All files (*)".
QString ToQtFilter(const QString& toolkitFilter);

} // namespace platform
