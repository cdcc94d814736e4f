#pragma once
// The two bases of the control library: TLXObject, a copyable property object a control owns, and
// TLXCustomComponent, the non-visual component (a QObject, so class names and ancestry can be asked).
// Both notify through OnChange unless their update lock is set; the lock is a flag, not a counter.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class TLXObject {
public:
    TLXObject() = default;
    virtual ~TLXObject() = default;
    // Copies take the settings, never the handler or the lock.
    TLXObject(const TLXObject&) {}
    TLXObject& operator=(const TLXObject&) { return *this; }

    // Copies the settings of source; descendants copy their fields and then call Changed.
    virtual void Assign(const TLXObject& source);
    void BeginUpdate() { locked_ = true; }
    void EndUpdate(bool notify);
    bool Updating() const { return locked_; }
    // OnChange with this object as sender, unless locked or no handler is set.
    virtual void Changed();
    // The handler an owning object gives its inner objects.
    void SubObjectChanged(TLXObject* sender);
    // A one-line description of the settings; empty at this level.
    virtual QString GetInspectorText() const { return QString(); }

    std::function<void(TLXObject* sender)> OnChange;

protected:
    // Stores the value and notifies, only when it differs.
    template <typename T> void Set(T& field, const T& value)
    {
        if (field != value) {
            field = value;
            Changed();
        }
    }

private:
    bool locked_ = false;
};

class TLXCustomComponent : public QObject {
    Q_OBJECT
public:
    explicit TLXCustomComponent(QObject* owner = nullptr);

    QObject* Owner() const { return parent(); }
    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }
    // Kept as the QObject property "Tag", where the windows bar and the skins read it too.
    int Tag() const;
    void SetTag(int tag);
    QString About;

    void BeginUpdate() { locked_ = true; }
    void EndUpdate(bool notify);
    bool Updating() const { return locked_; }
    virtual void Changed();
    void SubObjectChanged(QObject* sender);

    // A form's construction code calls this once it has set the component up, as streaming a
    // designed form would; a component made at run time never gets it.
    virtual void Loaded() { loading_ = false; }
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    std::function<void(TLXCustomComponent* sender)> OnChange;

private:
    bool locked_ = false;
    bool loading_ = false;
};

// Watches the events of its owner window through an event filter while Enabled. WndProc answers
// true to take an event, false to pass it on. The owner's destruction ends the watching.
class TLXWndProcComponent : public TLXCustomComponent {
    Q_OBJECT
public:
    explicit TLXWndProcComponent(QObject* owner = nullptr);
    ~TLXWndProcComponent() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // 0 for an ordinary owner; the program has no multiple-document windows.
    int OwnerKind() const { return 0; }
    bool Hooked() const { return hooked_ != nullptr; }

    void Loaded() override;
    virtual void Activate();
    virtual void Deactivate();

protected:
    virtual bool WndProc(QObject* watched, QEvent* event);
    virtual void EnabledChanged() {}
    // The owner window, or null without one.
    QWidget* HookedWindow() const;
    bool Hook();
    bool Unhook();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool enabled_ = true;
    bool destroying_ = false;
    QPointer<QWidget> hooked_;
    QMetaObject::Connection destroyedConnection_;
};
