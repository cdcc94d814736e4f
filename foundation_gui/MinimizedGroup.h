#pragma once
// Windows minimised together and brought back together: restoring any one of them (from the taskbar,
// the window manager or the program) restores the others, each to the state it had before.
#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

class TMinimizedGroup : public QObject {
    Q_OBJECT
public:
    // Minimises the windows that are shown and not minimised yet, and remembers them; a group already
    // waiting is forgotten first.
    void Minimize(const QList<QWidget*>& windows);
    // The windows of the group still minimised.
    QList<QWidget*> Windows() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Forget();
    void RestoreAll();

    QList<QPointer<QWidget>> windows_;
};
