#pragma once
// The link between an item and an action: the action's caption, checked, enabled, hint, shortcut,
// visible and auto-check states follow into the item while the item still shows the action's value.
#include <QKeyCombination>
#include <QMetaObject>
#include <QPointer>
#include <QString>

#include <QAction>
class TPMCustomItem;

class TPMCustomItemActionLink {
public:
    explicit TPMCustomItemActionLink(TPMCustomItem* item);
    virtual ~TPMCustomItemActionLink();
    TPMCustomItemActionLink(const TPMCustomItemActionLink&) = delete;
    TPMCustomItemActionLink& operator=(const TPMCustomItemActionLink&) = delete;

    QAction* Action() const { return action_; }
    void SetAction(QAction* action);
    // Copies the action's values to the item; with onlyDefaults only where the item holds its default.
    void ActionChange(bool onlyDefaults);
    bool IsAutoCheckLinked() const;
    void Execute();

private:
    struct Values {
        bool autoCheck = false;
        QString caption;
        bool checked = false;
        bool enabled = true;
        QString hint;
        QKeyCombination shortCut;
        bool visible = true;
    };
    static Values ValuesOf(const QAction* action);
    void FollowAction();

    TPMCustomItem* item_;
    QPointer<QAction> action_;
    Values seen_; // the action's values when last followed
    QMetaObject::Connection changed_;
    QMetaObject::Connection destroyed_;
};
