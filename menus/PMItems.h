#pragma once
// The concrete entries: a plain command, an entry opening a submenu, a separator line, and the
// invisible root that holds a popup menu's entries.
#include "menus/PMCustomItem.h"

class TPMItem : public TPMCustomItem {
    Q_OBJECT
public:
    explicit TPMItem(QObject* owner = nullptr);
};

class TPMSubmenuItem : public TPMCustomItem {
    Q_OBJECT
public:
    explicit TPMSubmenuItem(QObject* owner = nullptr);
};

class TPMSeparatorItem : public TPMCustomItem {
    Q_OBJECT
public:
    explicit TPMSeparatorItem(QObject* owner = nullptr);

    // The line is not drawn; its gap stays.
    bool Blank() const { return blank_; }
    void SetBlank(bool value);

    TPMItemViewerClass ViewerClassFor(TPMView* view) override;

private:
    bool blank_ = false;
};

class TPMRootItem : public TPMCustomItem {
    Q_OBJECT
public:
    explicit TPMRootItem(QObject* owner = nullptr);
};
