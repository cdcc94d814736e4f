#include "controls/LXButton.h"

#include "controls/LXApplication.h"
#include "controls/LXDraw.h"
#include "controls/LXDrawText.h"
#include "controls/LXErrors.h"
#include "platform_gui/Application.h"
#include "platform_gui/PainterCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

using platform::TCanvas;
using platform::TColor;
using platform::TRect;

namespace {

// The fallback of a turned caption whose font cannot be turned.
const QString ScalableFallbackFamily = QStringLiteral("Arial");

// The looks that paint the normal state of a glyph in grey.
bool PaintsGlyphUncoloured(TLXUserButtonStyle look)
{
    return look == ubsFlatUnColored || look == ubsNavigator || look == ubsExplorer;
}

} // namespace

bool FillsClientFirst(TLXUserButtonStyle look)
{
    return look == ubsExplorer || look == ubsExplorerColored || look == ubsWinXP || look == ubsWinXPCombo ||
           look == ubsWinXPTool;
}

int ButtonFrameWidth(TLXUserButtonStyle look)
{
    switch (look) {
    case ubsWin31:
        return 3;
    case ubsAutoDetect: // this platform always draws new-style controls: ubsWin40
    case ubsWin40:
    case ubsIde:
    case ubsIdeFlat:
    case ubsNavigator:
    case ubsIntegrated:
        return 2;
    default:
        return 1;
    }
}

void PopUpButtonMenu(QWidget* button, QMenu* menu, bool right, int indent)
{
    const QPoint at = right ? button->mapToGlobal(QPoint(button->width(), 0)) + QPoint(0, indent)
                            : button->mapToGlobal(QPoint(0, button->height())) + QPoint(indent, 0);
    if (menu != nullptr) {
        // The click that closes the menu must not reach the button or the window again.
        menu->setAttribute(Qt::WA_NoMouseReplay);
        menu->exec(at);
    }
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
}

int ButtonDrawState(bool enabled, bool selected, bool hot)
{
    if (!enabled)
        return 1;
    if (selected)
        return 4;
    return hot ? 2 : 0;
}

unsigned ButtonFaceFlags(bool activeDefault, bool focused, bool hot)
{
    return ffButton | (activeDefault ? ffDefault : 0) | (focused ? ffFocused : 0) | (hot ? ffHot : 0);
}

TLXCustomButton::TLXCustomButton(QWidget* parent) : QPushButton(parent)
{
    resize(75, 25);
    // Enter is the window key dispatcher's to decide, or a dialog would click
    // twice.
    setAutoDefault(false);
    QPushButton::setDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    font_.OnChange = [this] { FontCheck(ChangeSource::Font); };
    fontFX_.OnChange = [this](TLXObject*) { FontCheck(ChangeSource::FontFX); };
    layout_.OnChange = [this](TLXObject*) { FontCheck(ChangeSource::Layout); };
    glyph_.OnChange = [this] { FontCheck(ChangeSource::Glyph); };
    imageLink_.OnChange = [this](TLXBaseContainer*) { ReloadGlyph(); };
    FollowParentFont();
    connect(this, &QAbstractButton::clicked, this, [this] { Click(); });
    platform::UseWindowKeys(this);
}

TLXCustomButton::~TLXCustomButton()
{
    StopRepeat();
    disconnect(imageListGone_);
    font_.OnChange = nullptr;
    fontFX_.OnChange = nullptr;
    layout_.OnChange = nullptr;
    glyph_.OnChange = nullptr;
}

void TLXCustomButton::SetCaption(const QString& caption)
{
    caption_ = caption;
    setText(caption);
    // Qt's own Alt shortcut from the "&" would click a second time beside the
    // dispatcher's.
    setShortcut(QKeySequence());
    update();
}

void TLXCustomButton::SetDefault(bool isDefault)
{
    default_ = isDefault;
    platform::UpdateActiveDefaults(window());
}

void TLXCustomButton::SetParentFont(bool parentFont)
{
    parentFont_ = parentFont;
    FollowParentFont();
}

TColor TLXCustomButton::Color() const
{
    if (parentColor_ && parentWidget() != nullptr)
        return platform::FromQColor(parentWidget()->palette().color(QPalette::Window));
    return color_;
}

void TLXCustomButton::SetColor(TColor color)
{
    color_ = color;
    parentColor_ = false;
    update();
}

void TLXCustomButton::SetParentColor(bool parentColor)
{
    parentColor_ = parentColor;
    update();
}

void TLXCustomButton::SetGlyph(const platform::TBitmap& glyph)
{
    SetImageList(nullptr);
    glyph_.SetBitmap(&glyph);
}

void TLXCustomButton::SetImageList(TLXCustomImageList* list)
{
    if (list == imageList_)
        return;
    if (imageList_ != nullptr)
        imageList_->UnregisterChanges(&imageLink_);
    disconnect(imageListGone_);
    imageList_ = list;
    if (list != nullptr) {
        list->RegisterChanges(&imageLink_);
        // The list is gone already when this runs: only the glyph is left to clear.
        imageListGone_ = connect(list, &QObject::destroyed, this, [this] { ReloadGlyph(); });
    }
    ReloadGlyph();
}

void TLXCustomButton::SetImageIndex(int index)
{
    if (index < 0 || index == imageIndex_)
        return;
    imageIndex_ = index;
    if (imageList_ != nullptr)
        ReloadGlyph();
}

void TLXCustomButton::SetListIndex(int index)
{
    if (index < 0 || index == listIndex_)
        return;
    listIndex_ = index;
    if (imageList_ != nullptr)
        ReloadGlyph();
}

void TLXCustomButton::ReloadGlyph()
{
    if (imageList_ == nullptr || !imageList_->IsValid(listIndex_, imageIndex_)) {
        glyph_.SetBitmap(nullptr);
        return;
    }
    platform::TBitmap image;
    imageList_->GetBitmap(listIndex_, imageIndex_, image);
    glyph_.SetBitmap(&image);
}

void TLXCustomButton::SetNumGlyphs(int count)
{
    if (count != glyph_.NumGlyphs()) {
        glyph_.SetNumGlyphs(count);
        update();
    }
}

void TLXCustomButton::SetExtStyle(TLXUserButtonStyle look)
{
    if (look == extStyle_)
        return;
    extStyle_ = look;
    glyph_.SetUncoloured(PaintsGlyphUncoloured(look));
    update();
}

void TLXCustomButton::SetUseCaption(bool use)
{
    if (use != useCaption_) {
        useCaption_ = use;
        update();
    }
}

void TLXCustomButton::SetMultiLine(bool multiLine)
{
    if (multiLine != multiLine_) {
        multiLine_ = multiLine;
        update();
    }
}

void TLXCustomButton::SetTabStop(bool tabStop)
{
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TLXCustomButton::SetActiveDefault(bool active)
{
    if (active != activeDefault_) {
        activeDefault_ = active;
        update();
    }
}

void TLXCustomButton::Click()
{
    emit OnClick();
    platform::EndModal(this, modalResult_);
}

bool TLXCustomButton::DialogKey(const QKeyEvent& key)
{
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    const bool escape = key.key() == Qt::Key_Escape;
    if (!((enter && activeDefault_) || (escape && cancel_)))
        return false;
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || !Usable())
        return false;
    Click();
    return true;
}

bool TLXCustomButton::DialogChar(QChar character)
{
    if (!Usable() || !platform::IsAccelerator(character, caption_))
        return false;
    Click();
    return true;
}

void TLXCustomButton::FontCheck(ChangeSource source)
{
    if (source == ChangeSource::Font || source == ChangeSource::FontFX)
        parentFont_ = false;
    if (fontFX_.Angle() != 0 && !platform::IsScalableFont(font_)) {
        // Each of these reports its own change, which comes back here and repaints.
        if (source == ChangeSource::FontFX) {
            font_.SetName(ScalableFallbackFamily);
            return;
        }
        if (source == ChangeSource::Font) {
            fontFX_.SetAngle(0);
            return;
        }
    }
    update();
}

void TLXCustomButton::FollowParentFont()
{
    if (!parentFont_)
        return;
    const QFont inherited = QWidget::font();
    platform::TFont followed = font_;
    followed.SetName(inherited.family());
    if (inherited.pixelSize() > 0)
        followed.SetHeight(inherited.pixelSize());
    else
        followed.SetSize(inherited.pointSize());
    followed.SetStyle((inherited.bold() ? platform::fsBold : 0) |
                      (inherited.italic() ? platform::fsItalic : 0) |
                      (inherited.underline() ? platform::fsUnderline : 0) |
                      (inherited.strikeOut() ? platform::fsStrikeOut : 0));
    font_.Assign(followed);
    // Taking the window's font is no choice of the button's own.
    parentFont_ = true;
}

void TLXCustomButton::DrawItem(TCanvas& canvas, bool selected, bool focused)
{
    TRect rect = platform::Rect(0, 0, width(), height());
    drawState_ = ButtonDrawState(isEnabled(), selected, hot_);
    const unsigned flags = ButtonFaceFlags(activeDefault_, focused, hot_);
    if (FillsClientFirst(extStyle_)) {
        canvas.Brush.SetStyle(platform::TBrushStyle::bsSolid);
        canvas.Brush.SetColor(Color());
        canvas.FillRect(rect);
    }
    DrawButtonFace(this, canvas, hot_, Color(), flags, drawState_, extStyle_, rect);
    if (extStyle_ == ubsWinXPCombo && LXApplication().ThemesEnabled())
        return;
    canvas.Font = font_;
    DrawContent(canvas, rect, layoutDirection() == Qt::RightToLeft ? DT_RTLREADING : 0);
}

void TLXCustomButton::DrawContent(TCanvas& canvas, const TRect& rect, unsigned textFlags)
{
    QString text = useCaption_ ? caption_ : QString();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const unsigned flags = (isEnabled() ? fxEnabled : fxDisabled) | fxAutoSunken;
    glyph_.Draw(canvas, text, textFlags, multiLine_, flags, layout_, drawState_, rect, &fontFX_);
}

void TLXCustomButton::paintEvent(QPaintEvent*)
{
    QImage face(size(), QImage::Format_RGB32);
    face.fill(platform::ToQColor(Color()));
    {
        platform::TPainterCanvas canvas(&face);
        DrawItem(canvas, isDown(), hasFocus());
    }
    QPainter(this).drawImage(0, 0, face);
}

void TLXCustomButton::SetHot(bool hot)
{
    if (hot != hot_) {
        hot_ = hot;
        update();
    }
}

void TLXCustomButton::enterEvent(QEnterEvent* event)
{
    QPushButton::enterEvent(event);
    if (drawState_ == 0)
        emit OnMouseEnter();
    SetHot(true);
}

void TLXCustomButton::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    emit OnMouseExit();
    if (hot_) {
        drawState_ = 0;
        SetHot(false);
    }
    if (hideHint_)
        QToolTip::hideText();
}

void TLXCustomButton::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        // A disabled window gets no release: the repeat would click for ever.
        if (!isEnabled())
            StopRepeat();
        update();
        break;
    case QEvent::FontChange:
        FollowParentFont();
        break;
    case QEvent::ThemeChange:
        update();
        break;
    case QEvent::ParentChange:
        platform::UseWindowKeys(this);
        FollowParentFont();
        break;
    default:
        break;
    }
}

void TLXCustomButton::hideEvent(QHideEvent* event)
{
    hot_ = false;
    StopRepeat();
    QPushButton::hideEvent(event);
}

bool TLXCustomButton::event(QEvent* event)
{
    if (event->type() == QEvent::UngrabMouse)
        StopRepeat();
    return QPushButton::event(event);
}

void TLXCustomButton::mousePressEvent(QMouseEvent* event)
{
    QPushButton::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && repeatedClick_ && repeatTimer_ == 0)
        StartRepeat();
}

void TLXCustomButton::mouseReleaseEvent(QMouseEvent* event)
{
    QPushButton::mouseReleaseEvent(event);
    // Whatever RepeatedClick says now: a handler may have switched it off while
    // the repeat ran.
    StopRepeat();
}

void TLXCustomButton::StartRepeat()
{
    // The button goes on without repetition when the pool refuses (no slot, or a
    // delay that is no multiple of its step): the error is shown here, as no
    // exception may leave an event handler.
    try {
        TLXApplication& application = LXApplication();
        const uint16_t ident = application.AddTimer(repeatingDelay_, [this](QObject*) {
            if (TLXTimerItem* item = LXApplication().TimerItem(repeatTimer_))
                item->SetInterval(repeatingInterval_);
            Click();
        });
        if (ident == 0)
            throw EOutOfResources(QStringLiteral("Not enough timers available"));
        repeatTimer_ = ident;
        if (TLXTimerItem* item = application.TimerItem(ident))
            item->SetEnabled(true);
    } catch (const std::exception& error) {
        platform::Application::ShowException(QString::fromUtf8(error.what()));
    }
}

void TLXCustomButton::StopRepeat()
{
    if (repeatTimer_ == 0)
        return;
    const uint16_t ident = repeatTimer_;
    repeatTimer_ = 0;
    TLXApplication& application = LXApplication();
    if (TLXTimerItem* item = application.TimerItem(ident))
        item->SetEnabled(false);
    application.RemoveTimer(ident);
}

TLXButton::TLXButton(QWidget* parent) : TLXCustomButton(parent) {}

void TLXButton::Click()
{
    if (dropDownMenu_ == nullptr || droppedDown_) {
        TLXCustomButton::Click();
        return;
    }
    emit OnClick();
    if (!ActiveDefault())
        setFocus(Qt::MouseFocusReason);
    setDown(true);
    repaint();
    droppedDown_ = true;
    emit OnDropDown();
    PopUpButtonMenu(this, dropDownMenu_, dropDownRight_, dropDownIndent_);
    droppedDown_ = false;
    ResetDrawState();
    setDown(false);
}
