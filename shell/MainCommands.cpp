// The settings window's handlers: mute boxes, language, log, skins, logo, devices and the menu.
#include "controls/LXListBox.h"
#include "foundation/Files.h"
#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation_gui/LogViewer.h"
#include "library/Combinations.h"
#include "library/Folders.h"
#include "library/SearchFiles.h"
#include "platform_gui/Desktop.h"
#include "platform_gui/Dialogs.h"
#include "playout/CUEPlayer.h"
#include "playout/Channel1.h"
#include "playout/DeviceInformation.h"
#include "playout/MixerWindow.h"
#include "playout/SelectDevice.h"
#include "shell/Clock.h"
#include "shell/FontsColorsChoose.h"
#include "shell/Logo.h"
#include "shell/Main.h"
#include "shell/VolumeController.h"
#include "shell/WindowsBar.h"
#include "skin/SkinData.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QFile>
#include <QImageReader>
#include <QPlainTextEdit>

#include <vector>

namespace {

// Log line of a loaded skin: level, status, module, event and channel.
constexpr int SkinLogLevel = 2;
constexpr int SkinLogModule = 15;
constexpr int SkinLogEvent = 111;
// The skins list's first entry: no skin.
const QString NoSkinItem = QStringLiteral("(none)");

// The language used when the stored one is not in the list and has no file.
const QString FallbackLanguage = QStringLiteral("english");

// Every translated window's language component, in the order they are translated; a window not
// created (or not built yet) is left out.
std::vector<TLanguage*> TranslatedComponents(TLanguage& main)
{
    std::vector<TLanguage*> components{&main};
    if (FChannel1)
        components.push_back(&FChannel1->Queue().LangChannel);
    if (FClock)
        components.push_back(&FClock->LangClock);
    if (FWindowsBar)
        components.push_back(&FWindowsBar->LangWindowsBar);
    if (FFolders)
        components.push_back(&FFolders->LangFolders);
    if (FCombinations)
        components.push_back(&FCombinations->LangCombinations);
    if (FSearchFiles)
        components.push_back(&FSearchFiles->LangSearchFiles);
    if (FFontsColorsChoose)
        components.push_back(&FFontsColorsChoose->LangFontsColorChoose);
    return components;
}

QString LanguageFileOf(const QString& language)
{
    return AppDir + language + QStringLiteral(".lng");
}

// "Pictures|*.bmp;*.png;...|All files|*" from the formats the image reader knows.
QString PictureFilter()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    return QStringLiteral("Pictures|") + patterns.join(QLatin1Char(';')) + QStringLiteral("|All files|*");
}

} // namespace

void TFMain::SetLanguage()
{
    QString language = StationOptions.Language;
    if (const int index = LBLanguages->ItemIndex(); index >= 0)
        language = StationOptions.Language = LBLanguages->Items().at(index);
    else if (!QFile::exists(LanguageFileOf(language)))
        language = FallbackLanguage;
    for (TLanguage* component : TranslatedComponents(LangMain)) {
        component->LanguageFile = LanguageFileOf(language);
        component->Translate();
    }
}

void TFMain::CBSilenciarCanalesClick(int tag, bool checked)
{
    if (tag == -1) {
        ssMainVolumeController1->SetMute(checked);
        return;
    }
    if (tag < 0 || tag > 4)
        return;
    // Channels 2 and 3 are never created, so their names find nothing.
    static const QStringList targets{QStringLiteral("FClock"), QStringLiteral("FChannel1"),
                                     QStringLiteral("FChannel2"), QStringLiteral("FChannel3"),
                                     QStringLiteral("FCUEPlayer")};
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != targets[tag])
            continue;
        if (auto* clock = qobject_cast<TFClock*>(window))
            clock->SetHourSignalsMuted(checked);
        else if (auto* channel = qobject_cast<TFChannel1*>(window))
            channel->SetMuted(checked);
        else if (auto* cue = qobject_cast<TFCUEPlayer*>(window))
            cue->SetMuted(checked);
    }
}

void TFMain::ShowLogLevel()
{
    if (QAbstractButton* item = RGLogLevelItems->button(Log.Level)) {
        item->setChecked(true);
        return;
    }
    // A level outside the items (-1 writes everything) is kept until the operator picks one.
    RGLogLevelItems->setExclusive(false);
    for (QAbstractButton* item : RGLogLevelItems->buttons())
        item->setChecked(false);
    RGLogLevelItems->setExclusive(true);
}

void TFMain::BClearLogClick()
{
    MemoLog->clear();
    Log.ClearLogFile();
}

void TFMain::ListSkins()
{
    QStringList skins;
    ListFiles(SkinsDir, QStringLiteral("*.skn"), skins);
    skins.prepend(NoSkinItem);
    LBSkin->SetItems(skins);
}

bool TFMain::LoadSkin(const QString& skinFile)
{
    const bool loaded = SkD->SetSkinFile(skinFile);
    if (!SkD->Active())
        SkD->SetActive(true);
    return loaded;
}

void TFMain::BSkinLoadClick()
{
    const int index = LBSkin->ItemIndex();
    if (index < 0)
        return;
    const QString chosen = LBSkin->Items().at(index);
    // "(none)" is stored as no skin, as on a new station; the windows go back to their own frames.
    const QString skin = index == 0 && chosen == NoSkinItem ? QString() : chosen;
    const QString skinFile = SkinsDir + skin;
    if (skin.isEmpty()) {
        SkD->SetSkinFile(skinFile);
        SkD->SetActive(false);
    } else if (!LoadSkin(skinFile)) {
        // A package that does not load keeps the skin the windows wear and the stored choice; the
        // operator hears why (an out-of-date package has said so itself).
        if (!SkD->LoadError().isEmpty())
            platform::ShowMessage(SkD->LoadError());
        return;
    }
    StationOptions.Skin = skin;
    WriteLog(SkinLogLevel, 0, SkinLogModule, SkinLogEvent, -1, skinFile);
}

void TFMain::LXBSetLogoClick()
{
    platform::FileDialogOptions options;
    options.start = LogoFile;
    options.filter = PictureFilter();
    const QStringList chosen = platform::OpenFiles(options);
    if (chosen.isEmpty())
        return;
    LogoFile = chosen.first();
    if (FLogo)
        FLogo->LoadLogo();
}

QString TFMain::HomePage()
{
    return AppDir + QStringLiteral("README.md");
}

void TFMain::ShowDeviceWindow(int slot)
{
    FSelectDevice->SetSlot(slot);
    FSelectDevice->show();
}
