#pragma once
// The skin component (the settings window's SkD): it reads a skin package and holds the skin
// description read from it, which kinds of windows and controls are skinned, and tells the skin
// manager when skinning goes on or off or the skin changes. The program touches only SkinFile and
// Active; everything else keeps the values the component was designed with.
#include "skin/SkinTypes.h"
#include "skin/core/SkinDescription.h"

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class TSkinData : public QObject {
    Q_OBJECT
public:
    explicit TSkinData(QObject* owner = nullptr);
    ~TSkinData() override;

    // A window or control whose Tag equals this keeps its own look.
    int DisableTag = 99;
    TSkinControlTypes SkinControls;
    TSkinOptions Options = TSkinOptions(xoPreview | xoToolbarBK);
    // Lines "class=kind" mapping control classes to skinner kinds.
    QStringList Skin3rd;
    TSkinFormType SkinFormtype = sfMainform;
    bool MenuUpdate = true;
    bool MenuMerge = false;
    // Asked before a window is skinned, with its class name; when set it alone decides.
    std::function<void(const QString& name, bool& doSkin)> OnFormSkin;

    bool Active() const { return active_; }
    // Schedules skinning on or off through the manager; on stays stored but skins nothing while no skin
    // is loaded.
    void SetActive(bool value);
    QString SkinFile() const { return skinFile_; }
    // Loads the package now; the windows follow when the manager's action runs. A missing file means
    // no skin. False when the package is there but does not load: the skin in use stays, name and all.
    bool SetSkinFile(const QString& value);
    // Always "(none)" outside design time; writing it, or Version, changes nothing.
    QString SkinStore() const { return QStringLiteral("(none)"); }
    QString Version() const { return QStringLiteral("1.0"); }

    // What the original did once the component had been read from its form: the manager, the window
    // watch, and the menu kinds settled.
    void finishLoading();
    // Tells the manager that the skin changed.
    void SkinChanged();
    void CanSkinForm(const QString& name, bool& doSkin) const;
    void DoSkinChanged();

    // Why the last SkinFile write loaded nothing, for a damaged or unreadable package; empty otherwise
    // (an out-of-date package has shown its own message).
    QString LoadError() const { return loadError_; }
    // True until a description has been read completely.
    bool NoSkin() const { return noSkin_; }
    const TSkinDescription& Description() const { return description_; }
    // The application's small icon, for window-icon buttons with no image of their own.
    QImage AppIcon() const { return appIcon_; }
    // The skin's face colour.
    QColor FaceColor() const;

signals:
    // After each manager action that concerned this component.
    void OnSkinChanged();

private:
    // Reads the package's description; false (previous description kept) when it does not open.
    bool LoadSkinStream(const QByteArray& package);

    bool active_ = false;
    bool noSkin_ = true;
    QString skinFile_;
    QString loadError_;
    TSkinDescription description_;
    QImage appIcon_;
};
