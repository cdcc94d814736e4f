#include "skin/SkinData.h"

#include "platform_gui/Color.h"
#include "platform_gui/Dialogs.h"
#include "skin/ControlDiscovery.h"
#include "skin/SkinManager.h"
#include "skin/WindowSkinner.h"
#include "skin/core/SkinDescriptionReader.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>

#include <exception>
#include <new>

namespace {

// No skin package comes near this: a larger file is not read into memory.
constexpr qint64 MaxPackageFile = 64 * 1024 * 1024;

constexpr TSkinControlTypes AllControlTypes = TSkinControlTypes::fromInt((1 << 22) - 1);

} // namespace

TSkinData::TSkinData(QObject* owner)
    : QObject(owner),
      // Every kind up to the window menu, except main-menu items.
      SkinControls(AllControlTypes & ~TSkinControlTypes(xcMenuItem | xcReportWindows)),
      Skin3rd(BuiltInClassMap())
{
}

TSkinData::~TSkinData()
{
    if (SkinManager)
        SkinManager->Unregister(this);
}

void TSkinData::finishLoading()
{
    if (!SkinManager)
        SkinManager = new TSkinManage;
    SkinManager->Register(this);
    if (SkinFormtype != sfMainform)
        return;
    SkinManager->InstallHook();
    if (active_) {
        if (noSkin_)
            active_ = false;
        else
            SkinManager->PostAction(saActivate, TSkinManage::ActionDelay());
    }
    if (SkinControls.testFlag(xcMainMenu))
        SkinControls &= ~TSkinControlTypes(xcMenuItem);
    else
        SkinControls &= ~TSkinControlTypes(xcSystemMenu);
    appIcon_ = QApplication::windowIcon().pixmap(16, 16).toImage();
}

bool TSkinData::SetSkinFile(const QString& value)
{
    loadError_.clear();
    const QFileInfo file(value);
    if (!file.isFile()) {
        noSkin_ = true; // the previous description stays, unused while the no-skin flag is set
        skinFile_ = value;
        return true;
    }
    // A package that cannot be read keeps the skin in use, its name included.
    QFile input(value);
    if (file.size() > MaxPackageFile || !input.open(QIODevice::ReadOnly)) {
        loadError_ = QStringLiteral("Cannot read the skin package ") + value;
        return false;
    }
    if (!LoadSkinStream(input.readAll()))
        return false;
    skinFile_ = value;
    if (SkinFormtype == sfMainform)
        SkinChanged();
    return true;
}

bool TSkinData::LoadSkinStream(const QByteArray& package)
{
    // A damaged package or a lack of memory while decoding keeps the skin that works.
    TSkinLoadResult result;
    try {
        result = LoadSkinDescription(package);
        if (result.status == SkinPackageStatus::Opened && result.description) {
            description_ = std::move(*result.description);
            noSkin_ = false;
            return true;
        }
    } catch (const std::exception& error) {
        result = {SkinPackageStatus::Damaged, QString::fromUtf8(error.what()), {}};
    } catch (...) {
        result = {SkinPackageStatus::Damaged, QStringLiteral("Unknown error"), {}};
    }
    // The out-of-date package is told at once, as it always was; damage is for the caller to tell,
    // so an unattended start never waits on a box.
    if (result.status == SkinPackageStatus::OldVersion)
        platform::ShowMessage(result.message);
    else
        loadError_ = result.message;
    return false;
}

void TSkinData::SetActive(bool value)
{
    if (value == active_)
        return;
    active_ = value;
    if (!SkinManager || SkinFormtype != sfMainform)
        return;
    if (value && noSkin_)
        return; // stays true, skins nothing
    SkinManager->SetCurrent(this);
    SkinManager->PostAction(value ? saActivate : saDeactivate, TSkinManage::ActionDelay());
    if (value)
        SkinManager->MarkActivated();
}

void TSkinData::SkinChanged()
{
    if (!SkinManager)
        finishLoading();
    SkinManager->SetCurrent(this);
    // The skinners' caption buttons pointed into the description just replaced.
    for (TWndSkinForm* skinner : SkinManager->Skinners())
        if (skinner->Data() == this)
            skinner->ResetCaptionButtons();
    if (SkinManager->Activated()) {
        SkinManager->PostAction(saSkinChanged, TSkinManage::ActionDelay());
    } else if (active_ && !noSkin_) {
        // Switched on while no skin had loaded (a fresh station, a lost package): this package starts
        // the skinning, or nothing would until a restart.
        SkinManager->PostAction(saActivate, TSkinManage::ActionDelay());
        SkinManager->MarkActivated();
    }
}

void TSkinData::CanSkinForm(const QString& name, bool& doSkin) const
{
    if (OnFormSkin) {
        OnFormSkin(name, doSkin);
        return;
    }
    if (name == QLatin1String("SysMonthCal32") ||
        (SkinControls.testFlag(xcReportWindows) && name.startsWith(QLatin1String("Tfr"))))
        doSkin = false;
}

void TSkinData::DoSkinChanged()
{
    emit OnSkinChanged();
}

QColor TSkinData::FaceColor() const
{
    return platform::ToQColor(description_.Colours.ButtonFace);
}
