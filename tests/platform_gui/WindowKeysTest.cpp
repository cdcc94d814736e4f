#include "platform_gui/WindowKeys.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

namespace {

// A control that records what it was offered and takes the keys it is told to.
class Receiver : public QWidget, public platform::DialogKeyReceiver {
public:
    Receiver(QWidget* parent, QString name, std::vector<QString>& log) : QWidget(parent), log_(log)
    {
        setObjectName(std::move(name));
        platform::UseWindowKeys(this);
    }
    bool takesKeys = false;
    QChar accelerator;

    bool DialogKey(const QKeyEvent& key) override
    {
        log_.push_back(objectName() + (key.key() == Qt::Key_Escape ? ":Escape" : ":Enter"));
        return takesKeys;
    }
    bool DialogChar(QChar character) override
    {
        log_.push_back(objectName() + ":" + character);
        return character.toUpper() == accelerator;
    }

private:
    std::vector<QString>& log_;
};

// The window's own key handling, which sees what no control took.
class Window : public QWidget {
public:
    std::vector<int> ownKeys;

protected:
    void keyPressEvent(QKeyEvent* event) override { ownKeys.push_back(event->key()); }
};

struct WindowKeysTest : ::testing::Test {
    Window window;
    std::vector<QString> log;
    QLineEdit* edit = new QLineEdit(&window);
    QWidget* box = new QWidget(&window);
    Receiver* first = new Receiver(box, "first", log);
    Receiver* second = new Receiver(&window, "second", log);

    void SetUp() override
    {
        window.show();
        edit->setFocus();
    }
};

TEST_F(WindowKeysTest, EnterAndEscapeGoToTheControlsInCreationOrderUntilOneTakesThem)
{
    second->takesKeys = true;
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(log, (std::vector<QString>{"first:Enter", "second:Enter", "first:Escape", "second:Escape"}));
    EXPECT_TRUE(window.ownKeys.empty());

    first->takesKeys = true;
    log.clear();
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_EQ(log, std::vector<QString>{"first:Enter"});
}

TEST_F(WindowKeysTest, AKeyNoControlTakesReachesTheWindow)
{
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(window.ownKeys, std::vector<int>{Qt::Key_Escape});
}

TEST_F(WindowKeysTest, AFocusedWidgetThatTakesTheKeyKeepsIt)
{
    auto* text = new QTextEdit(&window);
    text->show();
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_X);
    // A line edit takes characters but leaves Enter.
    QTest::keyClick(edit, Qt::Key_X);
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowKeysTest, CharactersAreOfferedAsAcceleratorsWhenTheFocusedWidgetLeavesThem)
{
    auto* button = new QPushButton(QStringLiteral("Other"), &window);
    button->show();
    button->setFocus();
    second->accelerator = QLatin1Char('S');
    QTest::keyClick(button, Qt::Key_S);
    EXPECT_EQ(log, (std::vector<QString>{"first:s", "second:s"}));

    // With Alt the character is offered too (some platforms give Alt keys no text).
    log.clear();
    QTest::keyClick(button, Qt::Key_S, Qt::AltModifier);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log.back().toUpper(), QStringLiteral("SECOND:S"));

    // Control characters are never accelerators.
    log.clear();
    QTest::keyClick(button, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowKeysTest, ControlsOfAChildWindowAreNotOfferedTheParentsKeys)
{
    auto* dialog = new QDialog(&window);
    std::vector<QString> dialogLog;
    new Receiver(dialog, "inDialog", dialogLog);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(log, (std::vector<QString>{"first:Enter", "second:Enter"}));
    EXPECT_TRUE(dialogLog.empty());
}

TEST(WindowKeys, CaptionAccelerators)
{
    const struct {
        const char* caption;
        QChar accelerator;
    } cases[] = {
        {"&OK", QLatin1Char('O')},  {"A&lle", QLatin1Char('l')}, {"Save && &quit", QLatin1Char('q')},
        {"Fish && chips", QChar()}, {"Plain", QChar()},          {"Trailing&", QChar()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(platform::CaptionAccelerator(QString::fromLatin1(c.caption)), c.accelerator);
    }
    EXPECT_TRUE(platform::IsAccelerator(QLatin1Char('L'), QStringLiteral("A&lle")));
    EXPECT_FALSE(platform::IsAccelerator(QLatin1Char('A'), QStringLiteral("A&lle")));
    EXPECT_FALSE(platform::IsAccelerator(QLatin1Char('&'), QStringLiteral("Fish && chips")));
}

TEST(WindowKeys, FocusedControlIsAButtonByItsClassName)
{
    QWidget window;
    auto* push = new QPushButton(&window);
    auto* radio = new QRadioButton(&window);
    auto* edit = new QLineEdit(&window);
    window.show();
    EXPECT_FALSE(platform::FocusedControlIsButton(edit));
    const struct {
        QWidget* focused;
        bool button;
    } cases[] = {{push, true}, {radio, false}, {edit, false}};
    for (const auto& c : cases) {
        c.focused->setFocus();
        EXPECT_EQ(platform::FocusedControlIsButton(edit), c.button) << c.focused->metaObject()->className();
    }
}

TEST(WindowKeys, ModalResultEndsOnlyAModalDialog)
{
    QDialog dialog;
    auto* control = new QWidget(&dialog);
    QTimer::singleShot(0, control, [control] { platform::EndModal(control, 6); });
    EXPECT_EQ(dialog.exec(), 6);

    QDialog modeless;
    auto* other = new QWidget(&modeless);
    modeless.show();
    platform::EndModal(other, 6);
    EXPECT_TRUE(modeless.isVisible());

    QWidget plain;
    auto* inPlain = new QWidget(&plain);
    plain.show();
    platform::EndModal(inPlain, 1);
    EXPECT_TRUE(plain.isVisible());
}

} // namespace
