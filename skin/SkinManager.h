#pragma once
// The one skin manager of the process: it watches every window being shown and activated (an event
// filter on the application), decides which windows get a window skinner, and runs the actions the
// skin component posts (activate, deactivate, skin changed, purge) from a one-shot timer, so several
// property writes in a row reach the windows as one pass.
#include "skin/SkinTypes.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <vector>

class QWidget;
class TSkinData;
class TWndSkinForm;

class TSkinManage : public QObject {
    Q_OBJECT
public:
    TSkinManage();
    ~TSkinManage() override;

    // The delay the component's actions wait for: 250 ms; tests set 0.
    static int ActionDelay();
    static void SetActionDelay(int milliseconds);

    // Starts watching the application's windows; once.
    void InstallHook();

    void Register(TSkinData* data);
    void Unregister(TSkinData* data);
    // The first registered component that skins every window; its options apply to all.
    TSkinData* MainData() const;
    // The component whose description skins the window: with one component, that one.
    TSkinData* DataFor(const QWidget* window) const;
    void SetCurrent(TSkinData* data);

    // One action is pending at a time, and a later post replaces it, except that a pending activation
    // absorbs a later "skin changed": activation already uses the newest description. Before the first
    // window activation, activate and deactivate only switch the active flag.
    void PostAction(TSkinAction action, int delayMilliseconds);
    TSkinAction PendingAction() const { return session_.pending; }
    // The timer's handler; tests call it to run what is pending now.
    void RunPendingAction();

    // Takes the top-level window over when the rules allow it; true when a skinner was made.
    bool SkinWindow(QWidget* window);
    TWndSkinForm* FindSkinner(const QWidget* window) const;
    // The live skinners, in the order they were made.
    std::vector<TWndSkinForm*> Skinners() const;
    // Drops skinners whose window has gone.
    void Purge();

    bool Active() const { return session_.active; }
    // 0 before the first window activation, 1 running, 4 being destroyed.
    int RunState() const { return session_.runState; }
    // The component switched skinning on at least once: a later skin change re-skins the windows.
    bool Activated() const { return session_.activated; }
    void MarkActivated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Skinnable(const QWidget* window) const;
    void Activate();
    void Deactivate();
    void ReSkin();
    void OpenWindowMenuFromKey(QWidget* receiver);

    QTimer timer_;
    std::vector<QPointer<TWndSkinForm>> skinners_;
    std::vector<QPointer<TSkinData>> data_;
    QPointer<TSkinData> mainData_;
    QPointer<TSkinData> current_;
    // What the components made of the manager; with none left it is as new again.
    struct Session {
        TSkinAction pending = saNone;
        bool active = false;
        bool activated = false;
        int runState = 0;
    };
    Session session_;
    bool hookInstalled_ = false;
};

// Created by the first skin component that finishes loading; lives as long as the application.
inline TSkinManage* SkinManager = nullptr;
