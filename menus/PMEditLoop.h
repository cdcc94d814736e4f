#pragma once
// The nested loop of an in-place edit inside a menu: the line edit has the keyboard; Tab, Enter and
// Escape end the edit, Alt with a key or the Alt release closes the menu, and a press anywhere but on
// the line edit ends the edit and goes on to the menu loop with everything after it.
#include <QEventLoop>
#include <QObject>
#include <QPointer>

#include <exception>

class QKeyEvent;
class QLineEdit;
class TPMCustomItem;
class TPMEditItemViewer;
class TPMModalHandler;

// The edit's status bits.
constexpr unsigned esEditing = 0x01;
constexpr unsigned esAccepted = 0x02; // accepted: move on to the next entry
constexpr unsigned esClose = 0x04;    // the menu closes

class TPMEditLoop : public QObject {
    Q_OBJECT
public:
    // The viewer's lifetime object goes with the viewer: the loop then ends without touching it.
    TPMEditLoop(TPMEditItemViewer* viewer, QObject* viewerLifetime, QLineEdit* edit);
    ~TPMEditLoop() override;

    // Runs until the edit ends and answers its status. An exception of a handler called on the way
    // is kept for TakeException.
    unsigned Run();
    // Shift+Tab ended the edit: the previous entry is selected.
    bool Backward() const { return backward_; }
    std::exception_ptr TakeException() { return std::exchange(exception_, nullptr); }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    bool EditKey(QKeyEvent* key);
    bool AltKey(QKeyEvent* key);
    void Accept();
    void Check();
    void End();
    bool OverEdit(QPoint screenPoint) const;
    void PointerOverEdit(bool over);

    TPMEditItemViewer* viewer_;
    QPointer<QObject> viewerAlive_;
    QPointer<TPMCustomItem> item_;
    QPointer<QLineEdit> edit_;
    QPointer<TPMModalHandler> handler_;
    QPointer<QWidget> modalAtStart_;
    QEventLoop loop_;
    unsigned status_ = esEditing;
    bool backward_ = false;
    bool hadFocus_ = false;
    bool deactivated_ = false;
    bool ended_ = false;
    bool deferring_ = false; // a press ended the edit: it and what follows go to the menu loop
    bool overEdit_ = false;
    std::exception_ptr exception_;
};
