// The combinations window as the editor's main window: its set-up from the station folder and its main
// menu of files.
#include "library/Combinations.h"

#include "foundation/General.h"
#include "foundation/Options.h"
#include "foundation_gui/DisplayRoles.h"
#include "foundation_gui/Language.h"
#include "foundation_gui/WindowHelpers.h"
#include "library/CombinationsTree.h"
#include "menus/PMItems.h"
#include "platform/IniFile.h"
#include "platform_gui/Dialogs.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>

namespace {

const QString CombinationsFilter = QStringLiteral("Combinations files (*.dat)|*.dat|All files (*.*)|*.*");

} // namespace

void TFCombinations::InitStandalone()
{
    AppDir = ProgramFolder();
    SettingsPath = AppDir + QStringLiteral("Sonvelazodu.ini");
    // The station owns the settings file: the editor only reads it, and never writes a byte of it.
    SettingsIni = std::make_unique<platform::IniFile>(SettingsPath);
    StationOptions.FirstInstall =
        SettingsIni->ReadBool(QStringLiteral("main"), QStringLiteral("firstinstall"), true);
    StationOptions.Language = SettingsIni->ReadString(QStringLiteral("main"), QStringLiteral("language"),
                                                      QStringLiteral("english"));
    // The editor wears the station's skin.
    StationOptions.Skin = SettingsIni->ReadString(QStringLiteral("main"), QStringLiteral("skin"), QString());
    StationOptions.ListLineBelow = true;
    StationOptions.ListLineRight = true;
    StationOptions.ShowTags = false;
    StationOptions.ShowExtension = true;
    CreateFonts();
    LoadFonts();
    LoadColors();
    TVCombinaciones->setFont(ToQFont(RoleFonts[RoleCombinations]));
    LangCombinations.LanguageFile = JoinPath(AppDir, StationOptions.Language + QStringLiteral(".lng"));
    LangCombinations.Translate();
    PMCombinationsEmit->SetVisible(false);
    PMThemesEmit->SetVisible(false);
    PMThemesCUE->SetVisible(false);
    CreateMainMenu();
    CombinationsPath = AppDir + QStringLiteral("combinations.dat");
    LoadFromFile(CombinationsPath, true);
}

void TFCombinations::CreateMainMenu()
{
    const auto item = [this](QMenu* menu, const char* name, const char* key, auto click) {
        connect(Named(menu->addAction(LangCombinations.GetText(key)), name), &QAction::triggered, this,
                click);
    };
    QMenu* file = Named(menuBar()->addMenu(LangCombinations.GetText("main")), "MIMain");
    item(file, "MIOpen", "open", [this] { OpenClick(); });
    item(file, "MIClose", "close", [this] { CloseClick(); });
    item(file, "MISave", "save", [this] { SaveClick(); });
    item(file, "MISaveAs", "save as", [this] { SaveAsClick(); });
    file->addSeparator();
    item(file, "MIExit", "exit", [this] { ExitClick(); });
    QMenu* help = Named(menuBar()->addMenu(LangCombinations.GetText("help")), "MIHelp");
    item(help, "MIAbout", "about", [this] { Modal([this] { emit AboutRequested(); }); });
}

bool TFCombinations::KeepOrSaveEdits()
{
    if (!modified_)
        return true;
    const bool save = Modal([] {
        return platform::AskYesNo(QGuiApplication::applicationDisplayName(),
                                  QStringLiteral("Han habido cambios. ¿Quieres guardarlo primero?"));
    });
    return !save || SaveClick();
}

bool TFCombinations::OpenClick()
{
    if (!KeepOrSaveEdits())
        return false;
    const QStringList chosen = Modal([] {
        return platform::OpenFiles({QString(), AppDir, CombinationsFilter, QString(), false, false});
    });
    if (chosen.isEmpty())
        return false;
    CombinationsPath = chosen.first();
    setWindowTitle("Varnello - [" + CombinationsPath + "]");
    toldChanged_ = false;
    return LoadFromFile(CombinationsPath, true);
}

bool TFCombinations::SaveClick()
{
    if (CombinationsPath.isEmpty())
        return SaveAsClick();
    return SaveToFile(true);
}

bool TFCombinations::SaveAsClick()
{
    const QString chosen = Modal([] {
        return platform::SaveFile(
            {QString(), CombinationsPath, CombinationsFilter, QStringLiteral("dat"), false, true});
    });
    if (chosen.isEmpty())
        return false;
    const bool otherFile = chosen != CombinationsPath;
    CombinationsPath = chosen;
    setWindowTitle(CombinationsPath);
    toldChanged_ = false;
    if (otherFile) {
        // The dialog asked before overwriting: the user chose to replace what is there.
        file_ = library::TCombinationsFile(CombinationsPath);
        refused_ = {};
        file_.AcceptPresent();
    }
    return SaveToFile(true);
}

bool TFCombinations::CloseClick()
{
    if (!KeepOrSaveEdits())
        return false;
    ++quiet_;
    TVCombinaciones->clear();
    --quiet_;
    Clipboard.Clear();
    CombinationsPath.clear();
    file_ = library::TCombinationsFile(QString());
    refused_ = {};
    toldChanged_ = false;
    WatchFile();
    SetLoadedCaption(false);
    EnsureRootNode();
    return true;
}

void TFCombinations::ExitClick()
{
    // A cancelled Save As keeps the editor open with its edits and writes nothing.
    if (modified_ && !SaveAsClick())
        return;
    close();
}

void TFCombinations::WriteUnsavedEdits(const QString& fallbackPath)
{
    if (!modified_)
        return;
    // Nobody answers a box now: an open file that cannot be written gives way to the editor's own file.
    if (!CombinationsPath.isEmpty() && SaveToFile())
        return;
    CombinationsPath = fallbackPath;
    SaveToFile();
}

void TFCombinations::closeEvent(QCloseEvent* event)
{
    // The edits are written while the user can still be told; a failed or cancelled save keeps them open.
    if (runMode_ != 0 && modified_ && !(CombinationsPath.isEmpty() ? SaveAsClick() : SaveToFile(true))) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    emit Closed();
}
