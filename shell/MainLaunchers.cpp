// The settings window's twelve launcher buttons.
#include "foundation/General.h"
#include "platform/IniFile.h"
#include "platform/Process.h"
#include "platform_gui/Dialogs.h"
#include "shell/Main.h"

#include <QPushButton>

namespace {

const QString Section = QStringLiteral("launchers");

bool Start(const QString& commandLine)
{
    return platform::RunProgram(commandLine, platform::SW_SHOWNORMAL, false) != 0;
}

} // namespace

void TFMain::LoadLaunchers()
{
    for (int n = 1; n <= static_cast<int>(BCmd.size()); ++n) {
        QPushButton* button = BCmd[n - 1];
        const QString number = QString::number(n);
        button->setVisible(SettingsIni && SettingsIni->ReadBool(Section, "visible" + number, false));
        if (SettingsIni)
            button->setText(SettingsIni->ReadString(Section, "caption" + number, button->objectName()));
    }
}

void TFMain::BCmdClick(int n)
{
    if (!SettingsIni)
        return;
    const QString key = "cmd" + QString::number(n);
    if (Start(SettingsIni->ReadString(Section, key, QString())))
        return;
    const QString failed = LangMain.GetText(QStringLiteral("Error launching the external application"));
    platform::ShowMessage(failed);
    platform::FileDialogOptions options;
    options.filter = QStringLiteral("Programs|*");
    const QStringList chosen = platform::OpenFiles(options);
    if (chosen.isEmpty())
        return;
    // Stored so that it reads back, and splits, as this one program, blanks and quotes and all.
    const QString commandLine = platform::CommandLineWord(chosen.first());
    SettingsIni->WriteString(Section, key, platform::IniQuoted(commandLine));
    if (!Start(commandLine))
        platform::ShowMessage(failed);
}
