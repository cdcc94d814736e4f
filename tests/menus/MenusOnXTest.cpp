// The menu library end to end on a real X server: a private Xvfb, the probe program on it, and real
// input through XTest. What the probe prints is what happened.
#include "XTestInput.h"
#include "XvfbServer.h"

#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QRect>
#include <gtest/gtest.h>

namespace {

constexpr int LeftButton = 1;
constexpr int RightButton = 3;

QRect RectFrom(const QStringList& parts, int from)
{
    return QRect(parts[from].toInt(), parts[from + 1].toInt(), parts[from + 2].toInt(),
                 parts[from + 3].toInt());
}

// The probe program on the display, and the lines it printed.
class Probe {
public:
    explicit Probe(const QString& display)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display);
        environment.insert("QT_QPA_PLATFORM", "xcb");
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(SZ_MENUS_PROBE, {});
    }
    ~Probe()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }

    // The next line starting with the prefix, waiting for it as long as a busy machine may need;
    // empty if none came.
    QString WaitFor(const QString& prefix)
    {
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            while (next_ < lines_.size())
                if (lines_[next_++].startsWith(prefix))
                    return lines_[next_ - 1];
            const int left = 30000 - static_cast<int>(waited.elapsed());
            if (left <= 0 || !Read(left)) {
                ADD_FAILURE() << "the probe never printed \"" << prefix.toStdString() << "\"; it printed:\n"
                              << lines_.join(u'\n').toStdString();
                return {};
            }
        }
    }
    // What it printed from now on, during a short wait: to count what must happen once or never.
    QStringList Settle()
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 400)
            Read(400 - static_cast<int>(waited.elapsed()));
        const QStringList recent = lines_.mid(next_);
        next_ = lines_.size();
        return recent;
    }
    // A mark, and the lines printed since it.
    qsizetype Mark() const { return lines_.size(); }
    QStringList Since(qsizetype mark) const { return lines_.mid(mark); }

private:
    bool Read(int ms)
    {
        if (!process_.waitForReadyRead(std::max(ms, 1)))
            return false;
        buffer_ += process_.readAllStandardOutput();
        while (buffer_.contains('\n')) {
            const qsizetype end = buffer_.indexOf('\n');
            lines_ << QString::fromUtf8(buffer_.left(end));
            buffer_.remove(0, end + 1);
        }
        return true;
    }

    QProcess process_;
    QByteArray buffer_;
    QStringList lines_;
    qsizetype next_ = 0;
};

// A private server, the probe on it, the test's own input connection, and the probe's places.
struct OnX {
    testing_support::XvfbServer server;
    std::unique_ptr<Probe> probe;
    std::unique_ptr<XTestInput> input;
    QRect list;
    QRect button;
    QHash<QString, QRect> entries;

    bool Start()
    {
        if (!server.Running()) {
            ADD_FAILURE() << server.Error().toStdString();
            return false;
        }
        input = std::make_unique<XTestInput>(server.Display());
        probe = std::make_unique<Probe>(server.Display());
        const QStringList ready = probe->WaitFor("ready").split(u' ');
        if (!input->Connected() || ready.size() != 11)
            return false;
        list = RectFrom(ready, 2);
        button = RectFrom(ready, 7);
        return true;
    }
    // A right click on the list opens the menu; its entries' places are read.
    void OpenMenu()
    {
        input->MoveTo(list.center());
        input->Press(RightButton);
        input->Release(RightButton);
        probe->WaitFor("opened");
        entries.clear();
        for (const char* caption : {"One", "Two", "More", "New:"}) {
            const QStringList parts = probe->WaitFor(QString("entry %1 ").arg(caption)).split(u' ');
            if (parts.size() == 6)
                entries.insert(caption, RectFrom(parts, 2));
        }
    }
    void ClickAt(QPoint at)
    {
        input->MoveTo(at);
        input->Press(LeftButton);
        input->Release(LeftButton);
    }
};

} // namespace

TEST(MenusOnX, ARightClickOpensTheMenuAClickElsewhereClosesItAndReachesItsTarget)
{
    OnX x;
    ASSERT_TRUE(x.Start());

    x.OpenMenu();
    EXPECT_FALSE(x.input->PointerGrabbable()); // the menu holds a real pointer grab
    // A click on the button with press and release apart: the press closes the menu and still
    // reaches the button, and the release after it makes one click.
    qsizetype mark = x.probe->Mark();
    x.input->MoveTo(x.button.center());
    x.input->Press(LeftButton);
    x.probe->WaitFor("closed");
    x.input->Release(LeftButton);
    x.probe->WaitFor("clicked");
    x.probe->Settle();
    EXPECT_EQ(x.probe->Since(mark), QStringList({"closed", "pressed", "clicked"}));
    EXPECT_TRUE(x.input->PointerGrabbable());

    // The same with press and release sent together.
    x.OpenMenu();
    mark = x.probe->Mark();
    x.input->MoveTo(x.button.center());
    x.input->ClickInOneBatch(LeftButton);
    x.probe->WaitFor("clicked");
    x.probe->Settle();
    EXPECT_EQ(x.probe->Since(mark), QStringList({"closed", "pressed", "clicked"}));
    EXPECT_TRUE(x.input->PointerGrabbable());

    // An entry: the menu closes, then its command runs once.
    x.OpenMenu();
    mark = x.probe->Mark();
    x.ClickAt(x.entries.value("One").center());
    x.probe->WaitFor("command One");
    x.probe->Settle();
    EXPECT_EQ(x.probe->Since(mark), QStringList({"closed", "command One"}));
    EXPECT_TRUE(x.input->PointerGrabbable());

    // The bare desktop: the menu closes and nothing is replayed.
    x.OpenMenu();
    mark = x.probe->Mark();
    x.ClickAt(QPoint(1200, 1000));
    x.probe->WaitFor("closed");
    x.probe->Settle();
    EXPECT_EQ(x.probe->Since(mark), QStringList({"closed"}));
    EXPECT_TRUE(x.input->PointerGrabbable());
}

TEST(MenusOnX, TheEditEntryTakesTypedTextInPlace)
{
    OnX x;
    ASSERT_TRUE(x.Start());

    // Typed text and Return: accepted, and the menu closes without a command.
    x.OpenMenu();
    qsizetype mark = x.probe->Mark();
    x.ClickAt(x.entries.value("New:").center());
    for (const char* key : {"a", "b", "c", "Return"})
        x.input->TypeKey(key);
    x.probe->WaitFor("closed");
    x.probe->Settle();
    EXPECT_EQ(x.probe->Since(mark), QStringList({"accepted abc", "closed"}));
    EXPECT_TRUE(x.input->PointerGrabbable());

    // Escape keeps the menu open; a click on another entry during an edit runs that entry once.
    x.OpenMenu();
    mark = x.probe->Mark();
    x.ClickAt(x.entries.value("New:").center());
    x.input->TypeKey("x");
    x.input->TypeKey("Escape");
    x.probe->Settle();
    EXPECT_TRUE(x.probe->Since(mark).isEmpty()) << x.probe->Since(mark).join(u' ').toStdString();
    EXPECT_FALSE(x.input->PointerGrabbable()); // still open
    x.ClickAt(x.entries.value("New:").center());
    x.input->TypeKey("y");
    x.ClickAt(x.entries.value("Two").center());
    x.probe->WaitFor("command Two");
    x.probe->Settle();
    EXPECT_EQ(x.probe->Since(mark), QStringList({"closed", "command Two"}));
}
