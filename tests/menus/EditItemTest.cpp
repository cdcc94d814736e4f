#include "MenuTestKit.h"
#include "RecordingCanvas.h"
#include "menus/PMEditItem.h"
#include "menus/PMModalHandler.h"
#include "menus/PMPopupMenu.h"
#include "menus/PMPopupWindow.h"
#include "platform_gui/Monitors.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A window with a menu of a plain entry, an edit entry and another plain entry (or the edit last).
struct EditMenu {
    QWidget* window = new QWidget;
    TPMPopupMenu* menu = new TPMPopupMenu(window);
    TPMItem* first = Add("&First");
    TPMEditItem* edit = new TPMEditItem(window);
    TPMItem* last = new TPMItem(window);
    QStringList ran;
    platform::FakeMonitors monitors{{{QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 1000), true}}};

    explicit EditMenu(bool editLast = false)
    {
        edit->SetEditCaption("New:");
        edit->SetText("old");
        last->SetCaption("&Last");
        TPMCustomItem* middle = edit;
        TPMCustomItem* end = last;
        if (editLast)
            std::swap(middle, end);
        menu->Items()->AppendItem(middle);
        menu->Items()->AppendItem(end);
        for (TPMCustomItem* item : std::initializer_list<TPMCustomItem*>{first, edit, last})
            item->OnClick = [this](TPMCustomItem* sender) { ran << sender->Caption(); };
    }
    ~EditMenu() { delete window; }
    TPMItem* Add(const QString& caption)
    {
        auto* item = new TPMItem(window);
        item->SetCaption(caption);
        menu->Items()->AppendItem(item);
        return item;
    }
    // Steps that select the edit entry and start the edit with Enter.
    std::vector<std::function<void()>> StartEdit() const
    {
        std::vector<std::function<void()>> steps;
        const int downs = menu->Items()->IndexOfItem(edit) + 1;
        for (int i = 0; i < downs; ++i)
            steps.push_back([] { Key(Qt::Key_Down); });
        steps.push_back([] { PostKey(Qt::Key_Return); }); // the edit's loop runs the next step
        return steps;
    }
};

QList<QLineEdit*> LineEdits()
{
    QList<QLineEdit*> edits;
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* edit = qobject_cast<QLineEdit*>(widget);
            edit != nullptr && edit->objectName().startsWith("TPMEditItemViewer_edit_control_"))
            edits << edit;
    return edits;
}

QLineEdit* LineEdit()
{
    const QList<QLineEdit*> edits = LineEdits();
    return edits.size() == 1 ? edits.first() : nullptr;
}

QString SelectedCaption()
{
    TPMView* root = RootView();
    if (root == nullptr || root->Selected() == nullptr)
        return {};
    return root->Selected()->CaptionText();
}

} // namespace

TEST(EditItem, TypingAndEndingTheEdit)
{
    struct Case {
        const char* name;
        TEditCharCase charCase;
        bool editLast;
        const char* typed;
        int terminator;
        bool refuse;
        const char* text;
        bool open;
        const char* selected;
    };
    const Case cases[] = {
        {"upper case, Enter", ecUpperCase, false, "abc", Qt::Key_Return, false, "ABC", false, ""},
        {"lower case, keypad Enter", ecLowerCase, false, "AbC", Qt::Key_Enter, false, "abc", false, ""},
        {"Escape", ecNormal, false, "abc", Qt::Key_Escape, false, "old", true, "New:"},
        {"Tab", ecNormal, false, "abc", Qt::Key_Tab, false, "abc", true, "&Last"},
        {"Shift+Tab", ecNormal, false, "abc", Qt::Key_Backtab, false, "abc", true, "&First"},
        {"Tab on the last entry", ecNormal, true, "abc", Qt::Key_Tab, false, "abc", true, "&First"},
        {"refused", ecNormal, false, "abc", Qt::Key_Return, true, "old", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditMenu menu(c.editLast);
        menu.edit->SetCharCase(c.charCase);
        menu.edit->OnAcceptText = [&](TPMItemViewer* sender, QString& text, bool& accept) {
            EXPECT_EQ(sender->Item(), menu.edit);
            EXPECT_EQ(text, menu.edit->ConvertCase(c.typed));
            accept = !c.refuse;
        };
        bool open = false;
        QString selected;
        bool editLeft = false;
        std::vector<std::function<void()>> steps = menu.StartEdit();
        steps.push_back([&] {
            ASSERT_NE(LineEdit(), nullptr);
            EXPECT_EQ(LineEdit()->selectedText(), menu.edit->Text()); // all selected: typing replaces
            QTest::keyClicks(LineEdit(), c.typed);
        });
        steps.push_back([&] { QTest::keyClick(LineEdit(), Qt::Key(c.terminator)); });
        steps.push_back([&] {
            open = TPMModalHandler::Current() != nullptr;
            selected = SelectedCaption();
            editLeft = !LineEdits().isEmpty();
            if (open)
                Key(Qt::Key_Escape);
        });
        LoopDriver driver(std::move(steps));
        menu.menu->Popup(100, 100);
        DeliverQueuedClicks();
        EXPECT_EQ(menu.edit->Text(), c.text);
        EXPECT_EQ(open, c.open);
        if (c.open) {
            EXPECT_EQ(selected, c.selected);
        }
        EXPECT_FALSE(editLeft);
        EXPECT_TRUE(LineEdits().isEmpty());
        EXPECT_TRUE(menu.ran.isEmpty()); // the edit entry's command never runs
    }
}

TEST(EditItem, AClickOnAnotherEntryEndsTheEditAndRunsThatEntry)
{
    EditMenu menu;
    std::vector<std::function<void()>> steps = menu.StartEdit();
    steps.push_back([&] { QTest::keyClicks(LineEdit(), "abc"); });
    steps.push_back([&] {
        TPMView* root = RootView();
        const QPoint at = CentreOnScreen(root, menu.last);
        MouseTo(root->Window(), at, QEvent::MouseButtonPress, Qt::LeftButton);
        MouseTo(root->Window(), at, QEvent::MouseButtonRelease, Qt::LeftButton);
    });
    LoopDriver driver(std::move(steps));
    menu.menu->Popup(100, 100);
    EXPECT_TRUE(menu.ran.isEmpty()); // not before Popup returned
    DeliverQueuedClicks();
    DeliverQueuedClicks();
    EXPECT_EQ(menu.ran, QStringList{"&Last"});
    EXPECT_EQ(menu.edit->Text(), "old");
    EXPECT_TRUE(LineEdits().isEmpty());
}

TEST(EditItem, AltClosesTheMenuWithoutAccepting)
{
    for (const bool releaseOnly : {false, true}) {
        SCOPED_TRACE(releaseOnly ? "Alt released" : "Alt+F");
        EditMenu menu;
        std::vector<std::function<void()>> steps = menu.StartEdit();
        steps.push_back([&] { QTest::keyClicks(LineEdit(), "abc"); });
        steps.push_back([&] {
            if (releaseOnly)
                QTest::keyRelease(LineEdit(), Qt::Key_Alt);
            else
                QTest::keyClick(LineEdit(), Qt::Key_F, Qt::AltModifier);
        });
        LoopDriver driver(std::move(steps));
        menu.menu->Popup(100, 100);
        DeliverQueuedClicks();
        EXPECT_EQ(menu.edit->Text(), "old");
        EXPECT_TRUE(PopupWindows().isEmpty());
        EXPECT_TRUE(menu.ran.isEmpty());
    }
}

TEST(EditItem, TheLineEditIsNamedAndTakesMaxLengthCharacters)
{
    struct Case {
        int maxLength;
        QString typed;
        QString text;
    };
    const Case cases[] = {{0, QString(300, u'x'), QString(300, u'x')}, {3, "abcdef", "abc"}};
    for (const Case& c : cases) {
        EditMenu menu;
        menu.edit->SetMaxLength(c.maxLength);
        QString name;
        QString expectedName;
        std::vector<std::function<void()>> steps = menu.StartEdit();
        steps.push_back([&] {
            QLineEdit* edit = LineEdit();
            ASSERT_NE(edit, nullptr);
            name = edit->objectName();
            expectedName = QString::asprintf("TPMEditItemViewer_edit_control_%p", static_cast<void*>(edit));
            QTest::keyClicks(edit, c.typed);
        });
        steps.push_back([&] { QTest::keyClick(LineEdit(), Qt::Key_Return); });
        LoopDriver driver(std::move(steps));
        menu.menu->Popup(100, 100);
        EXPECT_EQ(name, expectedName);
        EXPECT_EQ(menu.edit->Text(), c.text) << c.maxLength;
    }
}

TEST(EditItem, HandlersThatFreeTheMenuOpenABoxOrThrow)
{
    enum Kind { FreeWindow, ModalBox, Throw };
    for (const Kind kind : {FreeWindow, ModalBox, Throw}) {
        SCOPED_TRACE(kind);
        auto* menu = new EditMenu;
        QPointer<QWidget> window(menu->window);
        QStringList ran;
        menu->first->OnClick = menu->last->OnClick = [&](TPMCustomItem*) { ran << "command"; };
        bool boxGotKey = false;
        menu->edit->OnAcceptText = [&](TPMItemViewer*, QString&, bool&) {
            if (kind == FreeWindow) {
                delete menu->window;
                menu->window = nullptr;
            } else if (kind == ModalBox) {
                QDialog dialog;
                QTimer::singleShot(0, &dialog, [&] {
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                    boxGotKey = dialog.result() == QDialog::Rejected && !dialog.isVisible();
                });
                dialog.exec();
            } else {
                throw std::runtime_error("Invalid name");
            }
        };
        std::vector<std::function<void()>> steps = menu->StartEdit();
        steps.push_back([&] { QTest::keyClicks(LineEdit(), "abc"); });
        steps.push_back([&] { QTest::keyClick(LineEdit(), Qt::Key_Return); });
        LoopDriver driver(std::move(steps));
        TPMPopupMenu* popup = menu->menu;
        if (kind == Throw)
            EXPECT_THROW(popup->Popup(100, 100), std::runtime_error);
        else
            popup->Popup(100, 100);
        DeliverQueuedClicks();
        EXPECT_TRUE(LineEdits().isEmpty());
        EXPECT_TRUE(PopupWindows().isEmpty());
        EXPECT_EQ(TPMModalHandler::Current(), nullptr);
        EXPECT_TRUE(ran.isEmpty());
        EXPECT_EQ(window.isNull(), kind == FreeWindow);
        if (kind == ModalBox) {
            EXPECT_TRUE(boxGotKey);
        }
        delete menu;
    }
}

TEST(EditItem, MeasuresAndPaints)
{
    QWidget owner;
    auto* root = new TPMRootItem(&owner);
    auto* plain = new TPMEditItem(&owner);
    auto* captioned = new TPMEditItem(&owner);
    captioned->SetEditCaption("&New");
    root->AppendItem(plain);
    root->AppendItem(captioned);
    TestHost host(root);
    host.view->MeasureCanvas = [] { return std::make_unique<RecordingCanvas>(8, 30); };
    host.Open();
    auto* plainViewer = static_cast<TPMEditItemViewer*>(ViewerOf(host.view, plain));
    auto* captionedViewer = static_cast<TPMEditItemViewer*>(ViewerOf(host.view, captioned));
    ASSERT_STREQ(plainViewer->ClassName(), "TPMEditItemViewer");

    RecordingCanvas canvas(8, 30);
    int width = 0;
    int height = 0;
    plainViewer->MeasureItem(canvas, width, height);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 37); // at least H + 7
    captionedViewer->MeasureItem(canvas, width, height);
    EXPECT_EQ(width, 64 + 3 * 8 + 10);
    EXPECT_EQ(height, 30 + 8); // H + ceil(H / 4)
    EXPECT_EQ(captionedViewer->EditRect().Left, captionedViewer->BoundsRect.Left + 3 * 8 + 10);
    EXPECT_EQ(plainViewer->EditRect().Left, plainViewer->BoundsRect.Left);
    EXPECT_EQ(captionedViewer->CaptionText(), "&New");
    QString value;
    EXPECT_TRUE(captionedViewer->AccessibleValue(value));
    EXPECT_EQ(captionedViewer->AccessibleRole(), ROLE_SYSTEM_TEXT);

    captioned->SetText("Jingles");
    struct Case {
        bool enabled;
        bool selected;
        QStringList calls; // the box's calls, after the caption's
    };
    const platform::TRect rect = platform::Rect(0, 0, 100, 38);
    const Case cases[] = {
        {true,
         true,
         {"DrawEdge(34,0,100,38,2,15)", "FrameRect(35,1,99,37)", "FillRect(36,2,98,36)",
          "DrawText(37,3,97,35,2080;Jingles)"}},
        {true, false, {"FrameRect(35,1,99,37)", "FillRect(36,2,98,36)", "DrawText(37,3,97,35,2080;Jingles)"}},
        {false, true, {"FrameRect(35,1,99,37)", "FillRect(36,2,98,36)", "DrawText(37,3,97,35,2080;Jingles)"}},
    };
    for (const Case& c : cases) {
        captioned->SetEnabled(c.enabled);
        RecordingCanvas painted(8, 30);
        captionedViewer->PaintItem(painted, rect, c.selected, false, false);
        QStringList box;
        platform::TColor frame = 0;
        platform::TColor fill = 0;
        platform::TColor text = 0;
        for (const CanvasCall& call : painted.Calls) {
            if (call.Name == "TextRun" || (call.Name == "DrawText" && call.Text != "Jingles") ||
                (call.Name == "FillRect" && call.Args[0] == 0))
                continue; // the caption and its selection
            box << call.ToString();
            if (call.Name == "FrameRect")
                frame = call.BrushColor;
            if (call.Name == "FillRect")
                fill = call.BrushColor;
            if (call.Name == "DrawText")
                text = call.FontColor;
        }
        EXPECT_EQ(box, c.calls) << c.enabled << c.selected;
        EXPECT_EQ(frame, c.enabled ? platform::clBtnFace : platform::clWindow);
        EXPECT_EQ(fill, c.enabled ? platform::clWindow : platform::clBtnFace);
        EXPECT_EQ(text, c.enabled ? platform::clWindowText : platform::clGrayText);
    }
}

TEST(EditItem, TheTextTakesTheItemsLetterCaseAndRepaintsOnlyWhenItChanged)
{
    TPMEditItem item;
    NoticeRecorder notices(&item);
    item.SetText("Jingles");
    item.SetCharCase(ecUpperCase);
    EXPECT_EQ(item.Text(), "JINGLES");
    const qsizetype sent = notices.kinds.size();
    item.SetText("jingles"); // the same once converted
    EXPECT_EQ(notices.kinds.size(), sent);
    EXPECT_EQ(item.property("EditCaption").toString(), "");
    item.setProperty("EditCaption", "Rename:"); // language files set it by name
    EXPECT_EQ(item.EditCaption(), "Rename:");
}
