#include "controls/LXWndProcComponent.h"
#include "Drawing.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Counts the user events that reach it.
class Watcher : public TLXWndProcComponent {
public:
    using TLXWndProcComponent::TLXWndProcComponent;
    int Seen = 0;

protected:
    bool WndProc(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::User)
            ++Seen;
        return TLXWndProcComponent::WndProc(watched, event);
    }
};

} // namespace

TEST(LXWndProcComponent, HooksOnLoadedUntilDisabledOrTheOwnerGoes)
{
    Watcher orphan;
    orphan.Loaded();
    EXPECT_FALSE(orphan.Hooked()); // no owner, no window to watch

    HostWindow host;
    auto* watcher = new Watcher(&host.Window);
    EXPECT_FALSE(watcher->Hooked()); // made at run time: nothing until Loaded
    watcher->Loaded();
    EXPECT_TRUE(watcher->Hooked());
    QEvent user(QEvent::User);
    QCoreApplication::sendEvent(&host.Window, &user);
    EXPECT_EQ(watcher->Seen, 1);
    watcher->SetEnabled(false);
    EXPECT_FALSE(watcher->Hooked());
    QCoreApplication::sendEvent(&host.Window, &user);
    EXPECT_EQ(watcher->Seen, 1);
    watcher->SetEnabled(true);
    EXPECT_TRUE(watcher->Hooked());

    // A window whose owner is deleted: the component goes with it, and nothing is left hooked.
    auto owner = std::make_unique<QWidget>();
    QPointer<Watcher> child = new Watcher(owner.get());
    child->Loaded();
    owner.reset();
    EXPECT_TRUE(child.isNull());
}
