#include "menus/PMEditItem.h"

#include "menus/PMEditLoop.h"
#include "menus/PMModalHandler.h"
#include "menus/PMPlatform.h"
#include "menus/PMView.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QWindow>

#include <cstring>

using namespace platform;

TPMEditItem::TPMEditItem(QObject* owner) : TPMCustomItem(owner) {}

void TPMEditItem::SetCharCase(TEditCharCase value)
{
    charCase_ = value;
    SetText(text_);
}

void TPMEditItem::SetEditCaption(const QString& value)
{
    if (value == editCaption_)
        return;
    editCaption_ = value;
    ItemChanged(true);
}

void TPMEditItem::SetEditOptions(TPMEditItemOptions value)
{
    if (value == editOptions_)
        return;
    editOptions_ = value;
    ItemChanged(true);
}

void TPMEditItem::SetEditWidth(int value)
{
    if (value == editWidth_)
        return;
    editWidth_ = value;
    ItemChanged(true);
}

void TPMEditItem::SetMaxLength(int value)
{
    if (value == maxLength_)
        return;
    maxLength_ = value;
    ItemChanged(false);
}

void TPMEditItem::SetText(const QString& value)
{
    const QString converted = ConvertCase(value);
    if (converted == text_)
        return;
    text_ = converted;
    ItemChanged(false);
}

QString TPMEditItem::ConvertCase(const QString& text) const
{
    switch (charCase_) {
    case ecUpperCase:
        return QLocale::system().toUpper(text);
    case ecLowerCase:
        return QLocale::system().toLower(text);
    default:
        return text;
    }
}

void TPMEditItem::DoBeginEdit(TPMEditItemViewer* viewer, QLineEdit* editControl)
{
    if (const auto handler = OnBeginEdit) // a copy: the handler may free the item
        handler(this, viewer, editControl);
}

TPMItemViewerClass TPMEditItem::ViewerClassFor(TPMView*)
{
    // Views here are popups or horizontal bars: both get the edit viewer.
    return &TPMEditItemViewer::Create;
}

bool TPMEditItem::ViewerNeedsRebuild(TPMItemViewer* viewer)
{
    return std::strcmp(viewer->ClassName(), "TPMEditItemViewer") != 0;
}

TPMEditItemViewer::TPMEditItemViewer(TPMView* view, TPMCustomItem* item, int level)
    : TPMItemViewer(view, item, level)
{
}

TPMEditItemViewer::~TPMEditItemViewer() = default;

TPMItemViewer* TPMEditItemViewer::Create(TPMView* view, TPMCustomItem* item, int level)
{
    return new TPMEditItemViewer(view, item, level);
}

TPMEditItem* TPMEditItemViewer::EditItem() const
{
    return static_cast<TPMEditItem*>(Item());
}

int TPMEditItemViewer::CaptionWidth(TCanvas& canvas)
{
    return TextWidth(canvas, EditItem()->EditCaption(), true);
}

TRect TPMEditItemViewer::EditRect()
{
    TRect rect = BoundsRect;
    if (!ToolbarStyled() && !EditItem()->EditCaption().isEmpty()) {
        const std::unique_ptr<TCanvas> canvas = View()->MeasureCanvas();
        canvas->Font = View()->ItemFont();
        rect.Left += CaptionWidth(*canvas) + 10;
    }
    return rect;
}

void TPMEditItemViewer::MeasureItem(TCanvas& canvas, int& width, int& height)
{
    const int textHeight = TextHeight(canvas);
    width = EditItem()->EditWidth();
    height = textHeight;
    if (!ToolbarStyled() && !EditItem()->EditCaption().isEmpty()) {
        width += CaptionWidth(canvas) + 10;
        height += (textHeight + 3) / 4;
    }
    height = std::max(height, textHeight + 7);
}

int TPMEditItemViewer::AccessibleRole()
{
    return ROLE_SYSTEM_TEXT;
}

bool TPMEditItemViewer::AccessibleValue(QString& text)
{
    text = EditItem()->Text();
    return true;
}

QString TPMEditItemViewer::CaptionText()
{
    return EditItem()->EditCaption();
}

void TPMEditItemViewer::CursorAt(QPoint point, Qt::CursorShape& cursor)
{
    if (!Item()->Enabled())
        return;
    TRect box = EditRect();
    OffsetRect(box, -BoundsRect.Left, -BoundsRect.Top);
    InflateRect(box, -2, -2);
    if (box.ToQRect().contains(point))
        cursor = Qt::IBeamCursor;
}

bool TPMEditItemViewer::ClickInPart(int x, int y)
{
    if (!InClickPart(x, y))
        return false;
    if (Item()->Enabled())
        ClickViewer(true);
    else if (!View()->IsPopup() && View()->ParentView() == nullptr)
        View()->CancelMenu();
    return true;
}

void TPMEditItemViewer::HandleMouseDown(unsigned shift, int x, int y, bool& pressedOnMenu)
{
    if (!ClickInPart(x, y))
        TPMItemViewer::HandleMouseDown(shift, x, y, pressedOnMenu);
}

void TPMEditItemViewer::HandleMouseUp(int x, int y, bool pressedOnMenu)
{
    if (!InClickPart(x, y)) {
        TPMItemViewer::HandleMouseUp(x, y, pressedOnMenu);
        return;
    }
    View()->ReleaseCapture();
    ClickInPart(x, y);
}

void TPMEditItemViewer::PaintItem(TCanvas& canvas, const TRect& rect, bool selected, bool, bool embossed)
{
    const bool enabled = Item()->Enabled();
    TRect box = rect;
    if (!ToolbarStyled() && !EditItem()->EditCaption().isEmpty()) {
        const int captionWidth = CaptionWidth(canvas);
        TRect caption = rect;
        caption.Right = rect.Left + captionWidth + 6;
        if (selected)
            canvas.FillRect(caption);
        caption.Left += 3;
        canvas.Brush.SetStyle(TBrushStyle::bsClear);
        DrawCaptionText(canvas, caption, EditItem()->EditCaption(), embossed,
                        DT_SINGLELINE | DT_VCENTER | PrefixFormat());
        box.Left = rect.Left + captionWidth + 6 + 4;
    }
    if (selected && enabled) {
        TRect edge = box;
        canvas.DrawEdge(edge, BDR_SUNKENOUTER, BF_RECT);
    }
    InflateRect(box, -1, -1);
    canvas.Brush.SetStyle(TBrushStyle::bsSolid);
    canvas.Brush.SetColor(enabled ? clBtnFace : clWindow);
    canvas.FrameRect(box);
    InflateRect(box, -1, -1);
    canvas.Brush.SetColor(enabled ? clWindow : clBtnFace);
    canvas.FillRect(box);
    InflateRect(box, -1, -1);
    if (const QString text = EditItem()->Text(); !text.isEmpty()) {
        canvas.Brush.SetStyle(TBrushStyle::bsClear);
        canvas.Font.SetColor(enabled ? clWindowText : clGrayText);
        canvas.DrawText(text, box, DT_SINGLELINE | DT_NOPREFIX);
    }
}

bool TPMEditItemViewer::TakesColumnWidth()
{
    return false;
}

bool TPMEditItemViewer::CaptionVisible()
{
    return !ToolbarStyled() && TPMItemViewer::CaptionVisible();
}

void TPMEditItemViewer::AcceptText(const QString& typed)
{
    QPointer<TPMEditItem> item(EditItem());
    QString text = typed;
    bool accept = true;
    if (const auto handler = item->OnAcceptText) // a copy: the handler may free the item
        handler(this, text, accept);
    if (accept && item != nullptr)
        item->SetText(text);
}

bool TPMEditItemViewer::PerformClick()
{
    TPMView* view = View();
    view->CloseSubmenus();
    TRect rect = EditRect();
    if (rect.IsEmpty())
        return false;
    const QPointer<QWidget> activeBefore = QApplication::activeWindow();
    const QPointer<QWidget> focusBefore = QApplication::focusWidget();
    const QPointer<QWidget> window = view->Window();
    InflateRect(rect, -3, -3);

    QPointer<QLineEdit> edit = new QLineEdit(window);
    edit->setObjectName(
        QString::asprintf("%s_edit_control_%p", ClassName(), static_cast<void*>(edit.data())));
    edit->hide();
    edit->setFrame(false);
    edit->setFont(view->ItemFont().ToQFont());
    edit->setText(EditItem()->Text());
    if (EditItem()->MaxLength() > 0) // 0 is no limit: the line edit's own stays
        edit->setMaxLength(EditItem()->MaxLength());
    const QPointer<TPMEditItem> item(EditItem());
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit = edit.data(), item](const QString& text) {
        if (item == nullptr)
            return;
        const QString converted = item->ConvertCase(text);
        if (converted == text)
            return;
        const int cursor = edit->cursorPosition();
        edit->setText(converted);
        edit->setCursorPosition(cursor);
    });
    edit->setGeometry(rect.ToQRect().translated(view->ClientOffset()));
    edit->selectAll();
    editControl_ = edit;

    const QPointer<QObject> alive(&lifetime_);
    unsigned status = 0;
    std::exception_ptr error;
    bool backward = false;
    try {
        EditItem()->DoBeginEdit(this, edit);
        if (alive != nullptr && item != nullptr && edit != nullptr) {
            // The popup takes the focus for the edit, so input methods and dead keys reach the line edit.
            if (QWindow* handle = window->windowHandle())
                handle->setFlag(Qt::WindowDoesNotAcceptFocus, false);
            edit->show();
            window->activateWindow();
            edit->setFocus();
            TPMEditLoop loop(this, &lifetime_, edit);
            status = loop.Run();
            backward = loop.Backward();
            error = loop.TakeException();
        }
    } catch (...) {
        error = std::current_exception();
    }
    delete edit.data();
    if (window != nullptr) {
        if (QWindow* handle = window->windowHandle())
            handle->setFlag(Qt::WindowDoesNotAcceptFocus, true);
        window->update();
    }
    if (QApplication::activeModalWidget() == nullptr) {
        if (activeBefore != nullptr && activeBefore != window)
            activeBefore->activateWindow();
        if (focusBefore != nullptr)
            focusBefore->setFocus();
    }
    if (window != nullptr)
        window->raise();
    if (alive != nullptr)
        editControl_ = nullptr;
    if (error)
        std::rethrow_exception(error);
    if (alive == nullptr)
        return false; // a handler freed the entry: nothing of it is touched
    Invalidate();
    if (status & esClose) {
        view->CancelMenu();
        return status & esAccepted;
    }
    TPMModalHandler* handler = TPMModalHandler::Current();
    if ((status & esAccepted) && handler != nullptr && handler->HasCapture())
        view->ChooseViewer(view->SelectableAfter(this, !backward), false);
    return false;
}
