#include "controls/LXScrollBox.h"

#include "controls/LXApplication.h"
#include "platform_gui/PainterCanvas.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int ClientEdge = 2;

// The square between two visible scroll bars, in the box's colour.
class TLXScrollBoxCorner : public QWidget {
public:
    explicit TLXScrollBoxCorner(TLXCustomScrollBox* box) : QWidget(box), box_(box) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), platform::ToQColor(box_->Color()));
    }

private:
    TLXCustomScrollBox* box_;
};

} // namespace

TLXCustomScrollBox::TLXCustomScrollBox(QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setCornerWidget(new TLXScrollBoxCorner(this));
    resize(185, 41);
    bevel_.OnChange = [this](TLXObject*) { BevelChanged(&bevel_); };
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &TLXCustomScrollBox::Scrolled);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TLXCustomScrollBox::Scrolled);
    UpdateFrame();
}

TLXCustomScrollBox::~TLXCustomScrollBox()
{
    bevel_.OnChange = nullptr;
}

void TLXCustomScrollBox::SetColor(platform::TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
    viewport()->update();
    if (QWidget* corner = cornerWidget())
        corner->update();
}

void TLXCustomScrollBox::SetCtl3D(bool ctl3D)
{
    if (ctl3D == ctl3D_)
        return;
    ctl3D_ = ctl3D;
    UpdateFrame();
}

void TLXCustomScrollBox::SetCtlXP(bool ctlXP)
{
    if (ctlXP == ctlXP_)
        return;
    ctlXP_ = ctlXP;
    ThemeChanged();
}

void TLXCustomScrollBox::SetSaveResources(bool save)
{
    // Nothing to destroy or recreate: the scroll positions stay as they are.
    saveResources_ = save;
}

bool TLXCustomScrollBox::UseThemes() const
{
    return bevel_.Mode() == bmWindows && SupportsThemes() && LXApplication().ThemesEnabled() && ctlXP_;
}

void TLXCustomScrollBox::ThemeChanged()
{
    UpdateFrame();
    update();
}

void TLXCustomScrollBox::BevelChanged(const void* sender)
{
    if (sender == &bevel_) {
        bevel_.SetSystemFrame(true);
        UpdateFrame();
    }
    update();
    viewport()->update();
}

void TLXCustomScrollBox::UpdateFrame()
{
    if (bevel_.Mode() == bmWindows) {
        const int edge = UseThemes() ? 1 : (ctl3D_ ? ClientEdge : 1);
        setViewportMargins(edge, edge, edge, edge);
        return;
    }
    const int near = bevel_.Extent();
    const int far = bevel_.FarExtent();
    setViewportMargins(near, near, far, far);
}

bool TLXCustomScrollBox::event(QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        PaintFrame();
        return true;
    }
    return QScrollArea::event(event);
}

void TLXCustomScrollBox::PaintFrame()
{
    QPainter painter(this);
    platform::TPainterCanvas canvas(&painter);
    platform::TRect frame = platform::TRect::FromQRect(rect());
    canvas.Brush.SetColor(color_);
    canvas.FillRect(frame);
    if (bevel_.Mode() != bmWindows) {
        platform::TRect inner;
        bevel_.PaintBevel(canvas, frame, inner, false);
    } else if (ctl3D_ && !UseThemes()) {
        canvas.DrawEdge(frame, platform::EDGE_SUNKEN, platform::BF_RECT);
    } else {
        canvas.Brush.SetColor(platform::clWindowFrame);
        canvas.FrameRect(frame);
    }
}

void TLXCustomScrollBox::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    if (fullRepaint_)
        BevelChanged(nullptr);
    else
        update();
}

void TLXCustomScrollBox::changeEvent(QEvent* event)
{
    QScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        update();
}

void TLXCustomScrollBox::Scrolled()
{
    emit OnScroll();
}
