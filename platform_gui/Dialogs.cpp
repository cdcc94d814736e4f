#include "platform_gui/Dialogs.h"

#include "platform_gui/FontColorDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QtGlobal>

namespace platform {

namespace {

DialogAnswerer* installedAnswerer = nullptr;

DialogAnswer Accepted(QStringList values)
{
    return {QMessageBox::Ok, std::move(values)};
}

// The answer of a file dialog that was set up by the caller.
DialogAnswer RunFileDialog(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return Accepted(dialog.selectedFiles());
}

DialogRequest FileRequest(DialogKind kind, const FileDialogOptions& options)
{
    DialogRequest request;
    request.kind = kind;
    request.caption = options.caption;
    request.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    request.value = options.start;
    request.filter = options.filter;
    request.defaultExtension = options.defaultExtension;
    request.multiSelect = options.multiSelect;
    request.promptOverwrite = options.promptOverwrite;
    return request;
}

} // namespace

DialogAnswerer* InstallDialogAnswerer(DialogAnswerer* answerer)
{
    DialogAnswerer* previous = installedAnswerer;
    installedAnswerer = answerer;
    return previous;
}

DialogAnswer RunDialog(const DialogRequest& request, const std::function<DialogAnswer()>& showReal)
{
    if (installedAnswerer != nullptr)
        return installedAnswerer->Answer(request);
    // Nobody could ever answer a modal window on the offscreen platform (tests): fail loudly
    // instead of hanging.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        qFatal("Dialog \"%s\" (\"%s\") shown with no answerer installed", qUtf8Printable(request.caption),
               qUtf8Printable(request.text));
    return showReal();
}

QMessageBox::StandardButton MessageBox(const QString& caption, const QString& text, QMessageBox::Icon icon,
                                       QMessageBox::StandardButtons buttons,
                                       QMessageBox::StandardButton defaultButton)
{
    DialogRequest request;
    request.kind = DialogKind::MessageBox;
    request.caption = caption;
    request.text = text;
    request.icon = icon;
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    const DialogAnswer answer = RunDialog(request, [&] {
        QMessageBox box(icon, caption, text, buttons, QApplication::activeWindow());
        if (defaultButton != QMessageBox::NoButton)
            box.setDefaultButton(defaultButton);
        return DialogAnswer{static_cast<QMessageBox::StandardButton>(box.exec()), {}};
    });
    return answer.button;
}

void ShowMessage(const QString& text)
{
    MessageBox(QGuiApplication::applicationDisplayName(), text);
}

bool AskYesNo(const QString& caption, const QString& text, QMessageBox::StandardButton defaultButton)
{
    return MessageBox(caption, text, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                      defaultButton) == QMessageBox::Yes;
}

bool InputQuery(const QString& caption, const QString& prompt, QString& value)
{
    DialogRequest request;
    request.kind = DialogKind::Input;
    request.caption = caption;
    request.text = prompt;
    request.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    request.defaultButton = QMessageBox::Ok;
    request.value = value;
    const DialogAnswer answer = RunDialog(request, [&] {
        QInputDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(caption);
        dialog.setLabelText(prompt);
        dialog.setTextValue(value);
        if (dialog.exec() != QDialog::Accepted)
            return DialogAnswer{};
        return Accepted({dialog.textValue()});
    });
    if (answer.button != QMessageBox::Ok)
        return false;
    value = answer.values.value(0);
    return true;
}

QStringList OpenFiles(const FileDialogOptions& options)
{
    const DialogAnswer answer = RunDialog(FileRequest(DialogKind::OpenFile, options), [&] {
        QFileDialog dialog(QApplication::activeWindow(), options.caption, options.start,
                           ToQtFilter(options.filter));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(options.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(options.defaultExtension);
        return RunFileDialog(dialog);
    });
    return answer.button == QMessageBox::Ok ? answer.values : QStringList();
}

QString SaveFile(const FileDialogOptions& options)
{
    const DialogAnswer answer = RunDialog(FileRequest(DialogKind::SaveFile, options), [&] {
        QFileDialog dialog(QApplication::activeWindow(), options.caption, options.start,
                           ToQtFilter(options.filter));
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.promptOverwrite);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(options.defaultExtension);
        return RunFileDialog(dialog);
    });
    return answer.button == QMessageBox::Ok ? answer.values.value(0) : QString();
}

QString ChooseFolder(const QString& caption, const QString& initialFolder)
{
    DialogRequest request;
    request.kind = DialogKind::Folder;
    request.caption = caption;
    request.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    request.value = initialFolder;
    const DialogAnswer answer = RunDialog(request, [&] {
        const QString folder = QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption,
                                                                 initialFolder, QFileDialog::ShowDirsOnly);
        return folder.isEmpty() ? DialogAnswer{} : Accepted({folder});
    });
    return answer.button == QMessageBox::Ok ? answer.values.value(0) : QString();
}

DialogAnswer FontAnswer(const QFont& font, TColor color)
{
    return {QMessageBox::Ok, {font.toString(), QString::number(color)}};
}

DialogAnswer ColorAnswer(TColor color)
{
    return {QMessageBox::Ok, {QString::number(color)}};
}

bool ChooseFont(QFont& font, TColor& color)
{
    DialogRequest request;
    request.kind = DialogKind::Font;
    request.caption = QStringLiteral("Font");
    request.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    request.font = font;
    request.color = color;
    const DialogAnswer answer = RunDialog(request, [&] {
        TFontColorDialog dialog(font, color, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return DialogAnswer{};
        return FontAnswer(dialog.ChosenFont(), dialog.ChosenColor());
    });
    QFont chosen;
    bool known = false;
    const TColor chosenColor = static_cast<TColor>(answer.values.value(1).toLongLong(&known));
    if (answer.button != QMessageBox::Ok || !chosen.fromString(answer.values.value(0)) || !known)
        return false;
    font = chosen;
    color = ColorToRGB(chosenColor);
    return true;
}

bool ChooseColor(TColor& color)
{
    DialogRequest request;
    request.kind = DialogKind::Color;
    request.caption = QStringLiteral("Color");
    request.buttons = QMessageBox::Ok | QMessageBox::Cancel;
    request.color = color;
    const DialogAnswer answer = RunDialog(request, [&] {
        const QColor chosen = QColorDialog::getColor(ToQColor(color), QApplication::activeWindow());
        return chosen.isValid() ? ColorAnswer(FromQColor(chosen)) : DialogAnswer{};
    });
    bool known = false;
    const TColor chosen = static_cast<TColor>(answer.values.value(0).toLongLong(&known));
    if (answer.button != QMessageBox::Ok || !known)
        return false;
    color = ColorToRGB(chosen);
    return true;
}

QString ToQtFilter(const QString& toolkitFilter)
{
    const QStringList parts = toolkitFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            // "*.*" meant every file on the original platform; here it would miss names without a dot.
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace platform
