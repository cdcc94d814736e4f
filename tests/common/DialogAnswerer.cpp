#include "DialogAnswerer.h"

#include <gtest/gtest.h>

using platform::DialogAnswer;
using platform::DialogKind;
using platform::DialogRequest;

namespace {

const char* KindName(DialogKind kind)
{
    switch (kind) {
    case DialogKind::MessageBox:
        return "message box";
    case DialogKind::Input:
        return "input box";
    case DialogKind::Password:
        return "password box";
    case DialogKind::OpenFile:
        return "open dialog";
    case DialogKind::SaveFile:
        return "save dialog";
    case DialogKind::Folder:
        return "folder dialog";
    case DialogKind::Window:
        return "window";
    case DialogKind::Font:
        return "font dialog";
    case DialogKind::Color:
        return "colour dialog";
    }
    return "dialog";
}

// What a box nobody expected gets: the way out that does least (Cancel, else No, else its default).
DialogAnswer WayOut(const DialogRequest& request)
{
    if (request.kind != DialogKind::MessageBox || request.buttons.testFlag(QMessageBox::Cancel))
        return {QMessageBox::Cancel, {}};
    if (request.buttons.testFlag(QMessageBox::No))
        return {QMessageBox::No, {}};
    return {request.defaultButton != QMessageBox::NoButton ? request.defaultButton : QMessageBox::Ok, {}};
}

} // namespace

QString ScriptedDialogAnswerer::Describe(const DialogRequest& request)
{
    return QStringLiteral("%1 \"%2\": \"%3\"")
        .arg(QLatin1String(KindName(request.kind)), request.caption, request.text);
}

ScriptedDialogAnswerer::ScriptedDialogAnswerer() : previous_(platform::InstallDialogAnswerer(this)) {}

ScriptedDialogAnswerer::~ScriptedDialogAnswerer()
{
    platform::InstallDialogAnswerer(previous_);
    if (!expected_.isEmpty())
        ADD_FAILURE() << expected_.size() << " expected dialog(s) never shown";
}

void ScriptedDialogAnswerer::ExpectButton(QMessageBox::StandardButton button)
{
    expected_.append({Accepts::MessageBox, {button, {}}});
}

void ScriptedDialogAnswerer::ExpectInput(const QString& text)
{
    expected_.append({Accepts::Input, {QMessageBox::Ok, {text}}});
}

void ScriptedDialogAnswerer::ExpectPaths(const QStringList& paths)
{
    expected_.append({Accepts::Paths, {QMessageBox::Ok, paths}});
}

void ScriptedDialogAnswerer::ExpectWindow(QMessageBox::StandardButton button, const QStringList& values)
{
    expected_.append({Accepts::Window, {button, values}});
}

void ScriptedDialogAnswerer::ExpectFont(const QFont& font, platform::TColor color)
{
    expected_.append({Accepts::Font, platform::FontAnswer(font, color)});
}

void ScriptedDialogAnswerer::ExpectColor(platform::TColor color)
{
    expected_.append({Accepts::Color, platform::ColorAnswer(color)});
}

void ScriptedDialogAnswerer::ExpectCancel()
{
    expected_.append({Accepts::AnyButMessageBox, {QMessageBox::Cancel, {}}});
}

DialogAnswer ScriptedDialogAnswerer::Answer(const DialogRequest& request)
{
    shown_.append(request);
    if (expected_.isEmpty()) {
        ADD_FAILURE() << "Unexpected " << qPrintable(Describe(request));
        return WayOut(request);
    }
    const Expected next = expected_.takeFirst();
    const DialogKind kind = request.kind;
    bool fits = false;
    switch (next.accepts) {
    case Accepts::MessageBox:
        fits = kind == DialogKind::MessageBox;
        break;
    case Accepts::Input:
        fits = kind == DialogKind::Input || kind == DialogKind::Password;
        break;
    case Accepts::Paths:
        fits = kind == DialogKind::OpenFile || kind == DialogKind::SaveFile || kind == DialogKind::Folder;
        break;
    case Accepts::Window:
        fits = kind == DialogKind::Window;
        break;
    case Accepts::Font:
        fits = kind == DialogKind::Font;
        break;
    case Accepts::Color:
        fits = kind == DialogKind::Color;
        break;
    case Accepts::AnyButMessageBox:
        fits = kind != DialogKind::MessageBox;
        break;
    }
    if (!fits) {
        ADD_FAILURE() << "Answer queued for another kind of dialog than " << qPrintable(Describe(request));
        return WayOut(request);
    }
    return next.answer;
}
