#pragma once
// The dialogs of a test: installed while it lives, it answers each box with the next queued answer,
// records what every box showed, and fails the test on a box nobody expected, on a box of another
// kind than expected, and on expected boxes that never came.
#include "platform_gui/Dialogs.h"

#include <QList>

class ScriptedDialogAnswerer : public platform::DialogAnswerer {
public:
    ScriptedDialogAnswerer();
    ~ScriptedDialogAnswerer() override;
    ScriptedDialogAnswerer(const ScriptedDialogAnswerer&) = delete;
    ScriptedDialogAnswerer& operator=(const ScriptedDialogAnswerer&) = delete;

    // The next box is a message box, answered with this button.
    void ExpectButton(QMessageBox::StandardButton button);
    // The next box is an input or password box, answered with OK and this text.
    void ExpectInput(const QString& text);
    // The next box is a file or folder dialog, answered with OK and these paths.
    void ExpectPaths(const QStringList& paths);
    // The next box is one of the program's own windows: these values go into its fields, then the
    // button is pressed.
    void ExpectWindow(QMessageBox::StandardButton button, const QStringList& values);
    // The next box is the font dialog, answered with OK and this font and colour.
    void ExpectFont(const QFont& font, platform::TColor color);
    // The next box is the colour dialog, answered with OK and this colour.
    void ExpectColor(platform::TColor color);
    // The next box is an input, password, file, folder, font or colour dialog or a window, answered
    // with Cancel.
    void ExpectCancel();

    // Every box shown so far, in order.
    const QList<platform::DialogRequest>& Shown() const { return shown_; }

    platform::DialogAnswer Answer(const platform::DialogRequest& request) override;

    // How a box reads in a failure message: its kind, caption and text.
    static QString Describe(const platform::DialogRequest& request);

private:
    enum class Accepts { MessageBox, Input, Paths, Window, Font, Color, AnyButMessageBox };
    struct Expected {
        Accepts accepts;
        platform::DialogAnswer answer;
    };

    QList<Expected> expected_;
    QList<platform::DialogRequest> shown_;
    platform::DialogAnswerer* previous_;
};
