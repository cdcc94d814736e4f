#pragma once
// What a popup menu does once it has closed: nothing, run a clicked entry, or ask for help.
#include <QChar>
#include <QPointer>
#include <QWidget>

#include "menus/PMCustomItem.h"

enum TPMCloseActionKind { cakNone, cakCancel, cakClick, cakSystemMenuKey, cakHelp };

struct TPMCloseAction {
    TPMCloseActionKind kind = cakNone;
    // The clicked entry, held weakly: an entry freed before the action is performed runs nothing.
    QPointer<TPMCustomItem> item;
    bool sound = false; // the click came from a popup
    int helpContext = 0;
    QPointer<QWidget> window; // the system-menu key's window and character
    QChar key;

    void Perform() const;
};
