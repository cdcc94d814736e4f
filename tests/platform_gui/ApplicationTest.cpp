#include "platform_gui/Application.h"

#include "DialogAnswerer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A handler that fails the way a read error deep in a user action does.
class ThrowingObject : public QObject {
public:
    int handled = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        ++handled;
        if (handled == 1)
            throw std::runtime_error("Error reading file");
        if (handled == 2)
            throw 42;
        return true;
    }
};

} // namespace

// The test process runs a plain QApplication, so the boundary is driven the way notify() drives it:
// around Qt's own delivery of the event to the handler.
TEST(Application, AnExceptionFromAHandlerBecomesTheErrorBoxAndDeliveryGoesOn)
{
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName("Sonvela Zodu");
    ThrowingObject receiver;
    const auto deliver = [&] {
        QEvent event(QEvent::User);
        return platform::Application::Guard([&] { return qApp->QApplication::notify(&receiver, &event); });
    };

    ScriptedDialogAnswerer dialogs;
    dialogs.ExpectButton(QMessageBox::Ok);
    dialogs.ExpectButton(QMessageBox::Ok);
    EXPECT_FALSE(deliver());
    EXPECT_FALSE(deliver());
    EXPECT_TRUE(deliver()); // the program went on

    EXPECT_EQ(receiver.handled, 3);
    ASSERT_EQ(dialogs.Shown().size(), 2);
    const platform::DialogRequest& box = dialogs.Shown()[0];
    EXPECT_EQ(box.kind, platform::DialogKind::MessageBox);
    EXPECT_EQ(box.caption, "Sonvela Zodu");
    EXPECT_EQ(box.text, "Error reading file");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_EQ(dialogs.Shown()[1].text, "Unknown error");
    QCoreApplication::setApplicationName(name);
}
