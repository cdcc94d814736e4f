#pragma once
// Screen readers see the popup menus through Qt's accessibility: a popup window answers with its
// view's object (made by a factory), and each counted entry with an object of its own, registered on
// first request. An entry's object outlives its entry detached: it answers invalid and empty, and
// goes at the next turn of the event loop.
#include <QAccessibleActionInterface>
#include <QAccessibleWidget>

class TPMItemViewer;
class TPMPopupWindow;
class TPMView;

// Whether the menus make accessibility objects (on by default); off, no factory answers and no
// object of the library is made.
bool& MenuAccessibilityEnabled();
// Installs the popup windows' factory once.
void InstallMenuAccessibility();
// Live objects of each kind, for leak checks.
int LiveViewAccObjects();
int LiveViewerAccObjects();

class TPMViewAccObject : public QAccessibleWidget {
public:
    explicit TPMViewAccObject(TPMPopupWindow* window);
    ~TPMViewAccObject() override;

    TPMView* View() const;
    QAccessibleInterface* parent() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
};

class TPMItemViewerAccObject : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit TPMItemViewerAccObject(TPMItemViewer* viewer);
    ~TPMItemViewerAccObject() override;

    // The viewer goes: every answer is empty from now on.
    void Detach() { viewer_ = nullptr; }

    bool isValid() const override { return viewer_ != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString& name) const override;

private:
    bool Reachable() const;
    bool Available() const;
    TPMView* OpenSubmenu() const;

    TPMItemViewer* viewer_;
};

// The entry's object, made and registered on first request; none with accessibility off.
TPMItemViewerAccObject* AccObjectOf(TPMItemViewer* viewer);
// The entry goes: its object is detached and unregistered.
void ReleaseAccObject(TPMItemViewerAccObject* object);
