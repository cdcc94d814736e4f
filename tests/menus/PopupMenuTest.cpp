#include "DialogAnswerer.h"
#include "MenuTestKit.h"
#include "menus/PMItemViewer.h"
#include "menus/PMModalHandler.h"
#include "menus/PMPopupMenu.h"
#include "menus/PMPopupWindow.h"
#include "platform/Messages.h"
#include "platform_gui/DesktopSettings.h"
#include "platform_gui/Monitors.h"
#include "platform_gui/PointerButtons.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>

#include <optional>

namespace {

// A station window with a menu of three entries and a submenu.
struct Station {
    QWidget window;
    TPMPopupMenu* menu = new TPMPopupMenu(&window);
    TPMItem* play = Add("&Play");
    TPMItem* stop = Add("&Stop");
    TPMSubmenuItem* more = new TPMSubmenuItem(&window);
    TPMItem* inner = new TPMItem(&window);
    QStringList ran;
    platform::FakeMonitors monitors{{{QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 1000), true}}};

    Station()
    {
        more->SetCaption("&More");
        inner->SetCaption("&Inner");
        menu->Items()->AppendItem(more);
        more->AppendItem(inner);
        for (TPMCustomItem* item : std::initializer_list<TPMCustomItem*>{play, stop, inner})
            item->OnClick = [this](TPMCustomItem* sender) { ran << sender->Caption(); };
    }
    TPMItem* Add(const QString& caption)
    {
        auto* item = new TPMItem(&window);
        item->SetCaption(caption);
        menu->Items()->AppendItem(item);
        return item;
    }
};

// A window of the program with a button filling it, outside the menus, recording what its button does.
struct OtherWindow {
    QWidget window;
    QPushButton* button = new QPushButton("Other", &window);
    QPoint target;
    QStringList happened;

    OtherWindow()
    {
        window.setGeometry(600, 600, 200, 100);
        button->setGeometry(0, 0, 200, 100);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        target = window.mapToGlobal(QPoint(50, 50));
        QObject::connect(button, &QPushButton::pressed, [this] { happened << "pressed"; });
        QObject::connect(button, &QPushButton::clicked, [this] { happened << "clicked"; });
    }
};

} // namespace

TEST(PopupMenu, OnPopupRunsFirstAndEnterRunsTheCommandAfterPopupReturned)
{
    Station station;
    int windowsAtPopup = -1;
    station.menu->OnPopup = [&](QObject* sender) {
        if (sender == station.menu) {
            windowsAtPopup = PopupWindows().size();
            station.stop->SetEnabled(false); // what the handler changes shows
        }
    };
    bool stopShownDisabled = false;
    LoopDriver driver({[&] {
                           stopShownDisabled = !ViewerOf(RootView(), station.stop)->Item()->Enabled();
                           Key(Qt::Key_Down);
                       },
                       [&] { Key(Qt::Key_Return); }});
    station.menu->Popup(200, 200);
    EXPECT_EQ(windowsAtPopup, 0);
    EXPECT_TRUE(stopShownDisabled);
    EXPECT_TRUE(station.ran.isEmpty()); // not yet: it runs from the event loop
    EXPECT_TRUE(PopupWindows().isEmpty());
    DeliverQueuedClicks();
    EXPECT_EQ(station.ran, QStringList{"&Play"});
    EXPECT_FALSE(station.menu->IsOpen());
}

TEST(PopupMenu, AnEmptyMenuStillOpensAWindow)
{
    QWidget owner;
    TPMPopupMenu menu(&owner);
    QSize size;
    LoopDriver driver({[&] {
        size = RootView()->Window()->size();
        Key(Qt::Key_Escape);
    }});
    menu.Popup(10, 10);
    EXPECT_EQ(size, QSize(29, 28));
}

TEST(PopupMenu, TheOpeningReleaseKeepsTheMenuAndASecondReleaseOutsideClosesIt)
{
    Station station;
    bool openAfterFirst = false;
    const QPoint outside(900, 900);
    LoopDriver driver(
        {[&] { MouseTo(RootView()->Window(), outside, QEvent::MouseButtonRelease, Qt::RightButton); },
         [&] {
             openAfterFirst = TPMModalHandler::Current() != nullptr;
             MouseTo(RootView()->Window(), outside, QEvent::MouseButtonRelease, Qt::RightButton);
         }});
    station.menu->Popup(100, 100);
    EXPECT_TRUE(openAfterFirst);
    EXPECT_TRUE(PopupWindows().isEmpty());
    DeliverQueuedClicks();
    EXPECT_TRUE(station.ran.isEmpty());
}

TEST(PopupMenu, AClickOnAnEntryRunsItsCommandOnce)
{
    Station station;
    LoopDriver driver({[&] {
        TPMView* root = RootView();
        const QPoint at = CentreOnScreen(root, station.stop);
        MouseTo(root->Window(), at);
        MouseTo(root->Window(), at, QEvent::MouseButtonPress, Qt::LeftButton);
        MouseTo(root->Window(), at, QEvent::MouseButtonRelease, Qt::LeftButton);
    }});
    station.menu->Popup(100, 100);
    DeliverQueuedClicks();
    DeliverQueuedClicks();
    EXPECT_EQ(station.ran, QStringList{"&Stop"});
}

TEST(PopupMenu, AClickOutsideClosesTheMenuAndStillReachesItsTarget)
{
    Station station;
    OtherWindow other;
    LoopDriver driver({[&] {
        // Press and release in one batch, before the loop could return between them.
        MouseTo(RootView()->Window(), other.target, QEvent::MouseButtonPress, Qt::LeftButton);
        MouseTo(RootView()->Window(), other.target, QEvent::MouseButtonRelease, Qt::LeftButton);
    }});
    station.menu->Popup(100, 100);
    EXPECT_TRUE(other.happened.isEmpty());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(other.happened, QStringList({"pressed", "clicked"}));
    DeliverQueuedClicks();
    EXPECT_TRUE(station.ran.isEmpty());
}

TEST(PopupMenu, TheReleaseOfAClickOutsideReachesItsTargetExactlyOnce)
{
    // What happens to the release after the menu has gone, the press alone having ended it.
    enum Late { ReleaseAtTargetFirst, ReleaseAtTarget, ReleaseAtAnotherWindow, NewClickAtTarget };
    const Qt::MouseButtons up = Qt::NoButton;
    const Qt::MouseButtons down = Qt::LeftButton;
    const QStringList once{"closed", "pressed", "clicked"};
    const struct {
        const char* name;
        std::optional<Qt::MouseButtons> serverButtons; // what the X server says once the grab is gone
        std::vector<Late> late;
        QStringList expected;
    } cases[] = {
        {"released onto the freed popup and dropped", up, {}, once},
        {"dropped, then a new click", up, {NewClickAtTarget}, once + QStringList{"pressed", "clicked"}},
        {"released before the grab went, read at the target later", up, {ReleaseAtTarget}, once},
        {"released before the grab went, read before the replay", up, {ReleaseAtTargetFirst}, once},
        {"released at the target after the menu", down, {ReleaseAtTarget}, once},
        {"released onto another window of ours", down, {ReleaseAtAnotherWindow}, once},
        {"at the target before the replayed press, no X server", std::nullopt, {ReleaseAtTargetFirst}, once},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Station station;
        OtherWindow other;
        QObject::connect(station.menu, &TPMPopupMenu::Closed, [&] { other.happened << "closed"; });
        QWidget stray; // a window of the program under the pointer when the button went up
        stray.setGeometry(900, 100, 100, 100);
        stray.show();
        platform::FakePointerButtons server(c.serverButtons);
        LoopDriver driver(
            {[&] { MouseTo(RootView()->Window(), other.target, QEvent::MouseButtonPress, Qt::LeftButton); }});
        station.menu->Popup(100, 100);
        auto release = [&](QWidget* window) {
            MouseTo(window->windowHandle(), other.target, QEvent::MouseButtonRelease, Qt::LeftButton);
        };
        for (const Late late : c.late)
            if (late == ReleaseAtTargetFirst)
                release(&other.window);
        QCoreApplication::sendPostedEvents();
        for (const Late late : c.late) {
            if (late == ReleaseAtTarget)
                release(&other.window);
            if (late == ReleaseAtAnotherWindow)
                release(&stray);
            if (late == NewClickAtTarget) {
                MouseTo(other.window.windowHandle(), other.target, QEvent::MouseButtonPress, Qt::LeftButton);
                release(&other.window);
            }
            QCoreApplication::sendPostedEvents();
        }
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(other.happened, c.expected);
        EXPECT_FALSE(other.button->isDown());
    }
}

TEST(PopupMenu, KeysAndCharacters)
{
    Station station;
    platform::FakeDesktopSettings settings;
    QString selectedAfterS;
    LoopDriver driver({[&] { Key(Qt::Key_Z, "z"); }, [&] { Key(Qt::Key_Space, " "); },
                       [&] {
                           Key(Qt::Key_M, "m"); // unique: opens the submenu with its first entry
                       },
                       [&] {
                           TPMView* submenu = RootView()->OpenSubmenuView();
                           selectedAfterS = submenu != nullptr && submenu->Selected() != nullptr
                                                ? submenu->Selected()->Item()->Caption()
                                                : QString();
                           Key(Qt::Key_Alt);
                       }});
    station.menu->Popup(100, 100);
    EXPECT_EQ(settings.beeps, 2);
    EXPECT_EQ(selectedAfterS, "&Inner");
    EXPECT_TRUE(PopupWindows().isEmpty());
}

TEST(PopupMenu, PostedMessagesAreDeliveredWhileTheMenuIsOpen)
{
    Station station;
    class Receiver : public QObject {
    public:
        int received = 0;
        bool event(QEvent* event) override
        {
            if (platform::AsMessage(event) != nullptr) {
                ++received;
                return true;
            }
            return QObject::event(event);
        }
    } receiver;
    platform::RegisterWindow(&receiver, "TMenuTestReceiver");
    int receivedWhileOpen = 0;
    LoopDriver driver({[&] { platform::PostMessage(&receiver, platform::WM_PLAYNEXT); },
                       [&] {
                           receivedWhileOpen = receiver.received;
                           Key(Qt::Key_Escape);
                       }});
    station.menu->Popup(100, 100);
    EXPECT_EQ(receivedWhileOpen, 1);
}

TEST(PopupMenu, AFailingHandlerInsideTheLoopPassesOutAfterTheCleanup)
{
    Station station;
    station.play->OnSelect = [](TPMCustomItem*, TPMItemViewer*, bool selecting) {
        if (selecting)
            throw std::runtime_error("Playlist unreadable");
    };
    LoopDriver driver({[&] { Key(Qt::Key_Down); }});
    EXPECT_THROW(station.menu->Popup(100, 100), std::runtime_error);
    EXPECT_TRUE(PopupWindows().isEmpty());
    EXPECT_EQ(TPMModalHandler::Current(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(station.menu->IsOpen());
}

TEST(PopupMenu, AHandlerFreeingTheMenuOrItsWindowEndsTheMenuWithoutACommand)
{
    for (const bool ownerToo : {false, true}) {
        auto* station = new Station;
        QPointer<TPMPopupMenu> menu(station->menu);
        station->more->OnClick = [&](TPMCustomItem*) {
            if (ownerToo)
                delete station;
            else
                delete menu.data();
        };
        LoopDriver driver({[&] { Key(Qt::Key_End); }, [&] { Key(Qt::Key_Right); }});
        menu->Popup(100, 100);
        EXPECT_TRUE(menu.isNull());
        EXPECT_TRUE(PopupWindows().isEmpty());
        EXPECT_EQ(TPMModalHandler::Current(), nullptr);
        if (!ownerToo)
            delete station;
    }
}

TEST(PopupMenu, AModalBoxFromAHandlerTakesItsInputAndTheMenuCloses)
{
    Station station;
    bool boxGotKey = false;
    bool captureReleased = false;
    station.more->OnClick = [&](TPMCustomItem*) {
        QDialog dialog;
        QTimer::singleShot(0, &dialog, [&] {
            captureReleased = !TPMModalHandler::Current()->HasCapture();
            QTest::keyClick(&dialog, Qt::Key_Escape); // reaches the dialog, which closes
            boxGotKey = dialog.result() == QDialog::Rejected && !dialog.isVisible();
        });
        dialog.exec();
    };
    LoopDriver driver({[&] { Key(Qt::Key_End); }, [&] { Key(Qt::Key_Right); }});
    station.menu->Popup(100, 100);
    EXPECT_TRUE(captureReleased);
    EXPECT_TRUE(boxGotKey);
    EXPECT_TRUE(PopupWindows().isEmpty());
    DeliverQueuedClicks();
    EXPECT_TRUE(station.ran.isEmpty());
}

TEST(PopupMenu, PopupWhileAMenuIsOpenOpensNothing)
{
    Station station;
    Station second;
    int windowsDuringSecond = -1;
    LoopDriver driver({[&] {
                           second.menu->Popup(300, 300);
                           windowsDuringSecond = PopupWindows().size();
                       },
                       [&] { Key(Qt::Key_Escape); }});
    station.menu->Popup(100, 100);
    EXPECT_EQ(windowsDuringSecond, 1);
}

TEST(PopupMenu, TrackButtonAndHeldButtons)
{
    Station station;
    station.menu->TrackButton = Qt::LeftButton;
    bool openAfterRightRelease = false;
    LoopDriver driver(
        {[&] {
             // Right-button events leave the menu alone with the left button tracking.
             const QPoint outside(900, 900);
             MouseTo(RootView()->Window(), outside, QEvent::MouseButtonRelease, Qt::RightButton);
             MouseTo(RootView()->Window(), outside, QEvent::MouseButtonRelease, Qt::RightButton);
             openAfterRightRelease = TPMModalHandler::Current() != nullptr;
         },
         [&] { Key(Qt::Key_Escape); }});
    station.menu->Popup(100, 100);
    EXPECT_TRUE(openAfterRightRelease);
}

TEST(PopupMenu, QuittingWhileOpenRunsNoCommand)
{
    Station station;
    LoopDriver driver({[&] { Key(Qt::Key_Down); }, [&] { QCoreApplication::exit(0); }});
    station.menu->Popup(100, 100);
    EXPECT_TRUE(PopupWindows().isEmpty());
    DeliverQueuedClicks();
    EXPECT_TRUE(station.ran.isEmpty());
    // Let the application's own loop see the exit, so later nested loops run again.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

TEST(PopupMenu, ACommandPlaysItsSoundBeforeItRuns)
{
    Station station;
    platform::FakeDesktopSettings settings;
    FirstPopupShown() = true; // a later popup: its sound starts before it shows
    QStringList order;
    station.play->OnClick = [&](TPMCustomItem*) { order << "command"; };
    LoopDriver driver({[&] {
                           order = settings.played;
                           Key(Qt::Key_Down);
                       },
                       [&] { Key(Qt::Key_Return); }});
    station.menu->Popup(100, 100);
    order << settings.played.mid(1);
    DeliverQueuedClicks();
    EXPECT_EQ(order, QStringList({"MenuPopup", "MenuCommand", "command"}));
}

TEST(PopupMenu, AFailingHandlerOfAControlsMenuShowsOneErrorBoxAndTheProgramGoesOn)
{
    Station station;
    auto* list = new QWidget(&station.window);
    list->setGeometry(0, 0, 200, 200);
    station.menu->AttachTo(list);
    station.play->OnSelect = [](TPMCustomItem*, TPMItemViewer*, bool selecting) {
        if (selecting)
            throw std::runtime_error("Playlist unreadable");
    };
    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectButton(QMessageBox::Ok);
    LoopDriver driver({[&] { Key(Qt::Key_Down); }});
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(20, 20), QPoint(120, 120));
    EXPECT_TRUE(QApplication::sendEvent(list, &request));
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].text, "Playlist unreadable");
    EXPECT_EQ(dialogs.Shown()[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(PopupWindows().isEmpty());
    EXPECT_FALSE(station.menu->IsOpen());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(PopupMenu, TheFirstPopupPaintsBeforeItsSoundAndLaterOnesStartItFirst)
{
    struct OrderedSettings : platform::FakeDesktopSettings {
        QStringList* order = nullptr;
        void PlaySound(const QString& eventName) override
        {
            *order << eventName;
            FakeDesktopSettings::PlaySound(eventName);
        }
    } settings;
    struct PaintRecorder : QObject {
        QStringList order;
        bool eventFilter(QObject* receiver, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && qobject_cast<TPMPopupWindow*>(receiver) != nullptr &&
                (order.isEmpty() || order.last() != "paint"))
                order << "paint";
            return false;
        }
    } recorder;
    settings.order = &recorder.order;
    qApp->installEventFilter(&recorder);
    Station station;
    FirstPopupShown() = false; // as in a process that has shown no menu yet
    QStringList first;
    for (int popup = 0; popup < 2; ++popup) {
        recorder.order.clear();
        LoopDriver driver({[&] { Key(Qt::Key_Escape); }});
        station.menu->Popup(100, 100);
        if (popup == 0)
            first = recorder.order;
    }
    qApp->removeEventFilter(&recorder);
    EXPECT_EQ(first, QStringList({"paint", "MenuPopup"}));
    ASSERT_FALSE(recorder.order.isEmpty());
    EXPECT_EQ(recorder.order.first(), "MenuPopup");
}

TEST(PopupMenu, AMenuOfFiveThousandEntriesScrollsInsideTheMonitor)
{
    Station station;
    TPMItem* last = nullptr;
    for (int i = 0; i < 5000; ++i)
        last = station.Add(QString("Folder %1").arg(i));
    QRect bounds;
    bool arrowsAtTop[2] = {};
    bool arrowsAtEnd[2] = {};
    QString selectedAtEnd;
    LoopDriver driver({[&] {
                           TPMView* root = RootView();
                           bounds = root->Window()->geometry();
                           arrowsAtTop[0] = root->ShowUpArrow();
                           arrowsAtTop[1] = root->ShowDownArrow();
                           Key(Qt::Key_End);
                       },
                       [&] {
                           TPMView* root = RootView();
                           arrowsAtEnd[0] = root->ShowUpArrow();
                           arrowsAtEnd[1] = root->ShowDownArrow();
                           selectedAtEnd =
                               root->Selected() != nullptr ? root->Selected()->Item()->Caption() : QString();
                           Key(Qt::Key_Escape);
                       }});
    station.menu->Popup(100, 100);
    EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(bounds))
        << bounds.x() << "," << bounds.y() << " " << bounds.width() << "x" << bounds.height();
    EXPECT_FALSE(arrowsAtTop[0]);
    EXPECT_TRUE(arrowsAtTop[1]);
    EXPECT_TRUE(arrowsAtEnd[0]);
    EXPECT_FALSE(arrowsAtEnd[1]);
    EXPECT_EQ(selectedAtEnd, last->Caption());
}

TEST(PopupMenu, AChainOfThirtySubmenusOpenedWithRightClosesWithAlt)
{
    Station station;
    TPMCustomItem* parent = station.menu->Items();
    for (int depth = 0; depth < 30; ++depth) {
        auto* submenu = new TPMSubmenuItem(&station.window);
        submenu->SetCaption(QString("Level %1").arg(depth));
        parent->InsertItem(0, submenu);
        parent = submenu;
    }
    auto* leaf = new TPMItem(&station.window);
    leaf->SetCaption("Leaf");
    parent->AppendItem(leaf);
    std::vector<std::function<void()>> steps{[] { Key(Qt::Key_Down); }};
    for (int depth = 0; depth < 30; ++depth)
        steps.push_back([] { Key(Qt::Key_Right); });
    int windowsOpen = 0;
    QString innermostSelected;
    steps.push_back([&] {
        windowsOpen = PopupWindows().size();
        TPMView* innermost = InnermostView(RootView());
        innermostSelected = innermost->Selected() != nullptr ? innermost->Selected()->Item()->Caption() : "";
        for (TPMPopupWindow* window : PopupWindows())
            EXPECT_TRUE(QRect(0, 0, 1280, 1024).contains(window->geometry()));
        Key(Qt::Key_Alt);
    });
    LoopDriver driver(std::move(steps));
    station.menu->Popup(100, 100);
    EXPECT_EQ(windowsOpen, 31);
    EXPECT_EQ(innermostSelected, "Leaf");
    EXPECT_TRUE(PopupWindows().isEmpty());
    DeliverQueuedClicks();
    EXPECT_TRUE(station.ran.isEmpty());
}

TEST(PopupMenu, APaintAfterTheMenuWasFreedDoesNotPaintWithinItself)
{
    Station station;
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { warnings << message; });
    TPMPopupMenu* menu = station.menu;
    LoopDriver driver({[&] {
        delete menu; // a handler freed it: the emptied window paints before the menu has gone
        QTest::qWait(20);
    }});
    menu->Popup(100, 100);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(PopupWindows().isEmpty());
    EXPECT_TRUE(warnings.filter("Recursive repaint").isEmpty()) << warnings.join(u'\n').toStdString();
}

TEST(PopupMenu, AnEntryThatAsksForHintsShowsItsHintOverItself)
{
    Station station;
    station.play->SetHint("Plays the next entry|Starts the channel");
    station.play->SetOptions(tboShowHint);
    station.stop->SetHint("Stops the channel"); // asks for none
    const int delay = QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay);
    const auto hintAfterRest = [&](TPMCustomItem* item) {
        MouseTo(RootView()->Window(), CentreOnScreen(RootView(), item));
        QTest::qWait(delay + 200);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QString overPlay;
    QString applicationHint;
    bool hiddenByKey = false;
    QString overStop = "?";
    LoopDriver driver({[&] {
                           overPlay = hintAfterRest(station.play);
                           applicationHint = TPMModalHandler::Current()->HintText();
                           Key(Qt::Key_Down);
                           QTest::qWait(400); // the tip fades out
                           hiddenByKey = !QToolTip::isVisible();
                       },
                       [&] {
                           overStop = hintAfterRest(station.stop);
                           Key(Qt::Key_Escape);
                       }});
    station.menu->Popup(100, 100);
    EXPECT_EQ(overPlay, "Plays the next entry");
    EXPECT_EQ(applicationHint, "Starts the channel");
    EXPECT_TRUE(hiddenByKey);
    EXPECT_EQ(overStop, "");
    EXPECT_FALSE(QToolTip::isVisible());
}
