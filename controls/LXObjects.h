#pragma once
// The two bases of the control library: TLXObject, a copyable property object a control owns, and
// TLXCustomComponent, the non-visual component (a QObject, so class names and ancestry can be asked).
// Both notify through OnChange unless their update lock is set; the lock is a flag, not a counter.
#include <QObject>
#include <QString>
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
