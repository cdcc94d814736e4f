#include "controls/LXRegion.h"

#include "controls/LXApplication.h"
#include "platform/Numbers.h"
#include "platform_gui/PainterCanvas.h"

#include <QBitmap>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>
#include <cmath>
#include <numbers>

using platform::TColor;

namespace {

int Round(double value)
{
    return static_cast<int>(platform::RoundHalfEven(value));
}

QRect EllipseRect(const QRect& rect, int left, int top, int right, int bottom)
{
    return QRect(QPoint(rect.left() + left, rect.top() + top),
                 QPoint(rect.left() + right - 1, rect.top() + bottom - 1));
}

// The side the nose or the bubbles sit on, and the end of that side, as the corner they start from.
struct Corner {
    bool verticalSide; // left or right side
    int dx;            // +1 at the left, -1 at the right
    int dy;            // +1 at the top, -1 at the bottom
};

Corner CornerOf(TLXExtPos position)
{
    switch (position) {
    case epLeftTop:
        return {true, 1, 1};
    case epTopLeft:
        return {false, 1, 1};
    case epTopRight:
        return {false, -1, 1};
    case epRightTop:
        return {true, -1, 1};
    case epRightBottom:
        return {true, -1, -1};
    case epBottomRight:
        return {false, -1, -1};
    case epBottomLeft:
        return {false, 1, -1};
    case epLeftBottom:
    default:
        return {true, 1, -1};
    }
}

QPoint CornerPoint(const QRect& rect, const Corner& corner)
{
    return {corner.dx > 0 ? rect.left() : rect.left() + rect.width(),
            corner.dy > 0 ? rect.top() : rect.top() + rect.height()};
}

// The rectangle moved in by a on the named side and on the side of the named end.
QRect MovedIn(const QRect& rect, const Corner& corner, int a)
{
    QRect moved = rect;
    if (corner.dx > 0)
        moved.setLeft(rect.left() + a);
    else
        moved.setRight(rect.right() - a);
    if (corner.dy > 0)
        moved.setTop(rect.top() + a);
    else
        moved.setBottom(rect.bottom() - a);
    return moved;
}

QPolygon NoseTriangle(const TLXShapeSettings& settings, const QRect& rect)
{
    const Corner corner = CornerOf(settings.ExtPos);
    const int a = rect.width() / 10;
    const int b =
        settings.Shape == rsNoseRect ? 5 : (corner.verticalSide ? settings.RoundY : settings.RoundX);
    const int length = Round(a * std::numbers::sqrt2);
    const QPoint tip = CornerPoint(rect, corner);
    const QPoint moved = tip + QPoint(corner.dx * a, corner.dy * a);
    const QPoint along = corner.verticalSide ? QPoint(0, corner.dy) : QPoint(corner.dx, 0);
    return QPolygon({tip, moved + along * b, moved + along * (b + length)});
}

// The n + 2 circles on a quarter ellipse around the moved corner; the first has no size.
std::vector<QRect> Bubbles(const TLXShapeSettings& settings, const QRect& rect)
{
    const Corner corner = CornerOf(settings.ExtPos);
    const int a = rect.width() / 6;
    const int n = std::max(settings.BubbleCount, 1);
    const QPoint centre = CornerPoint(rect, corner) + QPoint(corner.dx * a, corner.dy * a);
    std::vector<QRect> circles;
    for (int k = 0; k <= n + 1; ++k) {
        const double angle = k * (std::numbers::pi / 2) / (n + 1);
        // From the named side round to the named end.
        const double across = a * std::cos(angle);
        const double alongSide = a * std::sin(angle);
        const QPoint at = corner.verticalSide
                              ? centre - QPoint(Round(corner.dx * across), Round(corner.dy * alongSide))
                              : centre - QPoint(Round(corner.dx * alongSide), Round(corner.dy * across));
        const int diameter = Round(k * a * std::numbers::pi / (2.0 * n * n));
        if (diameter > 0)
            circles.emplace_back(at.x() - diameter / 2, at.y() - diameter / 2, diameter, diameter);
    }
    return circles;
}

QRegion ShieldRegion(TLXRegionShape shape, const QRect& rect)
{
    const int w = rect.width();
    const int h = rect.height();
    QRegion body;
    if (shape == rsRoundShield) {
        body = QRegion(EllipseRect(rect, 0, h / 5 - h, w, h), QRegion::Ellipse);
    } else {
        body =
            QRegion(EllipseRect(rect, -w, -8 * h / 7, w, 8 * h / 7), QRegion::Ellipse)
                .intersected(QRegion(EllipseRect(rect, 0, -8 * h / 7, 2 * w, 8 * h / 7), QRegion::Ellipse));
    }
    const QRegion cut =
        QRegion(EllipseRect(rect, -w / 2, -h / 5, w / 2, h / 5), QRegion::Ellipse)
            .united(QRegion(EllipseRect(rect, w / 2, -h / 5, 3 * w / 2, h / 5), QRegion::Ellipse))
            .united(QRegion(rect.left() - w, rect.top() - 2 * h, 3 * w, 2 * h));
    return body.subtracted(cut);
}

QPainterPath RoundRectPath(const QRectF& rect, int roundX, int roundY)
{
    QPainterPath path;
    path.addRoundedRect(rect, roundX / 2.0, roundY / 2.0);
    return path;
}

// The shape as a path, for its outline.
QPainterPath ShapePath(const TLXShapeSettings& settings, const QRect& rect)
{
    const QRectF box(rect.left(), rect.top(), rect.width() - 1, rect.height() - 1);
    QPainterPath path;
    switch (settings.Shape) {
    case rsRect:
        path.addRect(box);
        return path;
    case rsRoundRect:
        return RoundRectPath(box, settings.RoundX, settings.RoundY);
    case rsElliptic:
        path.addEllipse(box);
        return path;
    case rsHalfRound: {
        QPainterPath ellipse;
        ellipse.addEllipse(QRectF(box.left(), 2 * box.top() - box.bottom(), box.width(), 2 * box.height()));
        path.addRect(box);
        return ellipse.intersected(path);
    }
    case rsNoseRect:
    case rsRoundNoseRect: {
        const QRect body = MovedIn(rect, CornerOf(settings.ExtPos), rect.width() / 10);
        const QRectF bodyBox(body.left(), body.top(), body.width() - 1, body.height() - 1);
        if (settings.Shape == rsRoundNoseRect)
            path = RoundRectPath(bodyBox, settings.RoundX, settings.RoundY);
        else
            path.addRect(bodyBox);
        QPainterPath nose;
        nose.addPolygon(NoseTriangle(settings, rect));
        nose.closeSubpath();
        return path.united(nose);
    }
    case rsThinkBubble:
    case rsRoundThinkBubble:
    case rsEllipticThinkBubble: {
        const QRect body = MovedIn(rect, CornerOf(settings.ExtPos), rect.width() / 6);
        const QRectF bodyBox(body.left(), body.top(), body.width() - 1, body.height() - 1);
        if (settings.Shape == rsRoundThinkBubble)
            return RoundRectPath(bodyBox, settings.RoundX, settings.RoundY);
        if (settings.Shape == rsEllipticThinkBubble)
            path.addEllipse(bodyBox);
        else
            path.addRect(bodyBox);
        return path;
    }
    default:
        break;
    }
    const QPolygon polygon = ShapePolygon(settings.Shape, rect);
    if (!polygon.isEmpty()) {
        path.addPolygon(polygon);
        path.closeSubpath();
        return path;
    }
    const QRegion region = ShapeRegion(settings, rect);
    path.addRegion(region);
    return path.simplified();
}

// The edges of a closed outline: the light colour where it faces up or left, the dark one where it
// faces down or right; clNone leaves those edges out.
void DrawOutline(platform::TCanvas& canvas, const QPolygon& outline, TColor upperLeft, TColor lowerRight)
{
    const int count = static_cast<int>(outline.size());
    if (count < 2)
        return;
    long long area = 0;
    for (int i = 0; i < count; ++i) {
        const QPoint& p = outline[i];
        const QPoint& q = outline[(i + 1) % count];
        area += static_cast<long long>(p.x()) * q.y() - static_cast<long long>(q.x()) * p.y();
    }
    for (int i = 0; i < count; ++i) {
        const QPoint p = outline[i];
        const QPoint q = outline[(i + 1) % count];
        const QPoint d = q - p;
        const QPoint normal = area >= 0 ? QPoint(d.y(), -d.x()) : QPoint(-d.y(), d.x());
        const bool facesUpLeft =
            normal.x() + normal.y() < 0 || (normal.x() + normal.y() == 0 && normal.y() < 0);
        const TColor color = facesUpLeft ? upperLeft : lowerRight;
        if (color == platform::clNone || d.isNull())
            continue;
        canvas.Pen.SetColor(color);
        canvas.MoveTo(p.x(), p.y());
        canvas.LineTo(q.x(), q.y());
    }
}

// A point list's edges by their direction: light running up or left, dark running down or right.
void DrawPointListOutline(platform::TCanvas& canvas, const QPolygon& points, TColor light, TColor dark)
{
    const int count = static_cast<int>(points.size());
    for (int i = 0; i < count; ++i) {
        const QPoint p = points[i];
        const QPoint q = points[(i + 1) % count];
        canvas.Pen.SetColor(q.y() < p.y() || q.x() < p.x() ? light : dark);
        canvas.MoveTo(p.x(), p.y());
        canvas.LineTo(q.x(), q.y());
    }
}

} // namespace

QPolygon ShapePolygon(TLXRegionShape shape, const QRect& rect)
{
    const int l = rect.left();
    const int t = rect.top();
    const int w = rect.width();
    const int h = rect.height();
    auto at = [l, t](int x, int y) { return QPoint(l + x, t + y); };
    // The star's decimal fractions round to the nearest pixel.
    auto star = [&](double x, double y) { return at(Round(x * w), Round(y * h)); };
    switch (shape) {
    case rsStar:
        return QPolygon({star(0.5, 0), star(0.65, 0.38), star(1, 0.38), star(0.7, 0.6), star(0.85, 1),
                         star(0.5, 0.75), star(0.15, 1), star(0.3, 0.6), star(0, 0.38), star(0.35, 0.38)});
    case rsDiamond:
        return QPolygon({at(w / 2, 0), at(w, h / 2), at(w / 2, h), at(0, h / 2)});
    case rsOctagon:
        return QPolygon({at(2 * w / 3, 0), at(w / 3, 0), at(0, h / 3), at(0, 2 * h / 3), at(w / 3, h),
                         at(2 * w / 3, h), at(w, 2 * h / 3), at(w, h / 3)});
    case rsComb:
        return QPolygon(
            {at(w / 2, 0), at(0, h / 4), at(0, 3 * h / 4), at(w / 2, h), at(w, 3 * h / 4), at(w, h / 4)});
    default:
        return {};
    }
}

QRegion RoundRectRegion(const QRect& rect, int roundX, int roundY)
{
    if (rect.isEmpty())
        return {};
    QImage coverage(rect.size(), QImage::Format_ARGB32);
    coverage.fill(Qt::transparent);
    {
        QPainter painter(&coverage);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawPath(RoundRectPath(QRectF(0, 0, rect.width(), rect.height()), roundX, roundY));
    }
    return QRegion(QBitmap::fromImage(coverage.createAlphaMask())).translated(rect.topLeft());
}

QRegion ShapeRegion(const TLXShapeSettings& settings, const QRect& rect)
{
    switch (settings.Shape) {
    case rsRect:
        return QRegion(rect);
    case rsRoundRect:
        return RoundRectRegion(rect, settings.RoundX, settings.RoundY);
    case rsElliptic:
        return QRegion(rect, QRegion::Ellipse);
    case rsBitmap:
        return settings.MaskRegion;
    case rsUserRegion:
    case rsPointList:
        return settings.UserRegion;
    case rsHalfRound:
        return QRegion(QRect(rect.left(), 2 * rect.top() - (rect.top() + rect.height()), rect.width(),
                             2 * rect.height()),
                       QRegion::Ellipse)
            .intersected(QRegion(rect));
    case rsRoundShield:
    case rsSharpShield:
        return ShieldRegion(settings.Shape, rect);
    case rsNoseRect:
    case rsRoundNoseRect: {
        const QRect body = MovedIn(rect, CornerOf(settings.ExtPos), rect.width() / 10);
        const QRegion bodyRegion = settings.Shape == rsRoundNoseRect
                                       ? RoundRectRegion(body, settings.RoundX, settings.RoundY)
                                       : QRegion(body);
        return bodyRegion.united(QRegion(NoseTriangle(settings, rect), Qt::WindingFill));
    }
    case rsThinkBubble:
    case rsRoundThinkBubble:
    case rsEllipticThinkBubble: {
        const QRect body = MovedIn(rect, CornerOf(settings.ExtPos), rect.width() / 6);
        QRegion region = settings.Shape == rsRoundThinkBubble
                             ? RoundRectRegion(body, settings.RoundX, settings.RoundY)
                         : settings.Shape == rsEllipticThinkBubble ? QRegion(body, QRegion::Ellipse)
                                                                   : QRegion(body);
        for (const QRect& circle : Bubbles(settings, rect))
            region = region.united(QRegion(circle, QRegion::Ellipse));
        return region;
    }
    default:
        return QRegion(ShapePolygon(settings.Shape, rect), Qt::WindingFill);
    }
}

std::vector<QPolygon> ShapeOutlines(const TLXShapeSettings& settings, const QRect& rect)
{
    std::vector<QPolygon> outlines;
    if (settings.Shape == rsThinkBubble || settings.Shape == rsRoundThinkBubble ||
        settings.Shape == rsEllipticThinkBubble) {
        for (const QRect& circle : Bubbles(settings, rect)) {
            QPainterPath path;
            path.addEllipse(QRectF(circle.adjusted(0, 0, -1, -1)));
            outlines.push_back(path.toFillPolygon().toPolygon());
        }
    }
    for (const QPolygonF& polygon : ShapePath(settings, rect).toFillPolygons())
        outlines.push_back(polygon.toPolygon());
    return outlines;
}

void TLXRegionBorder::Assign(const TLXObject& source)
{
    if (const auto* border = dynamic_cast<const TLXRegionBorder*>(&source)) {
        style_ = border->style_;
        lightColor_ = border->lightColor_;
        shadowColor_ = border->shadowColor_;
        singleColor_ = border->singleColor_;
        Changed();
        return;
    }
    TLXObject::Assign(source);
}

TLXRegion::TLXRegion()
{
    shadow_.OnChange = [this](TLXObject*) { Changed(); };
    points_.OnChange = [this](TLXPointList*) {
        if (settings_.Shape == rsPointList)
            RebuildFromPoints();
    };
}

TLXRegion::~TLXRegion()
{
    shadow_.OnChange = nullptr;
    points_.OnChange = nullptr;
}

void TLXRegion::Assign(const TLXObject& source)
{
    if (const auto* region = dynamic_cast<const TLXRegion*>(&source)) {
        settings_ = region->settings_;
        mask_.Assign(region->mask_);
        shadow_.Assign(region->shadow_);
        Changed();
        return;
    }
    TLXObject::Assign(source);
}

void TLXRegion::SetShape(TLXRegionShape shape)
{
    if (shape == settings_.Shape)
        return;
    settings_.Shape = shape;
    if (shape == rsPointList)
        RebuildFromPoints();
    Changed();
}

void TLXRegion::SetUserRegion(const QRegion& region)
{
    settings_.UserRegion = region;
    Changed();
}

void TLXRegion::RebuildFromPoints()
{
    QPolygon polygon;
    for (int i = 0; i < points_.Count(); ++i) {
        const platform::TPoint point = *points_.Point(i);
        polygon << QPoint(point.X, point.Y);
    }
    settings_.UserRegion = QRegion(polygon, Qt::WindingFill);
    Changed();
}

TLXShapeSettings TLXRegion::Settings() const
{
    TLXShapeSettings settings = settings_;
    settings.MaskRegion = RegionFromData(mask_.RegionData()).value_or(QRegion());
    return settings;
}

QRegion TLXRegion::CreateRegion(const QRect& rect, bool designing) const
{
    QRect r = rect.adjusted(offset_.x(), offset_.y(), 0, 0);
    if (shadow_.Style() != hssNone)
        r.adjust(0, 0, -shadow_.Depth(), -shadow_.Depth());
    if (designing && settings_.Shape == rsUserRegion)
        return QRegion(r);
    return ShapeRegion(Settings(), r);
}

void TLXRegion::PaintBorder(platform::TCanvas& canvas, const QRect& rect) const
{
    const TLXShapeSettings settings = Settings();
    QRect r = rect;
    if (shadow_.Style() != hssNone) {
        const int depth = shadow_.Depth();
        r.adjust(0, 0, -depth, -depth);
        if (!shadowOff_) {
            const QRegion shape = ShapeRegion(settings, r);
            const QRegion shadow = shape.translated(depth, depth).subtracted(shape);
            for (const QRect& part : shadow) {
                if (shadow_.Style() == hssSolid) {
                    canvas.Brush.SetColor(shadow_.Color());
                    canvas.FillRect(platform::TRect::FromQRect(part));
                    continue;
                }
                // The checker's coloured cells over what is there.
                for (int y = part.top(); y <= part.bottom(); ++y)
                    for (int x = part.left(); x <= part.right(); ++x)
                        if ((x + y) % 2 != 0)
                            canvas.SetPixel(x, y, shadow_.Color());
            }
        }
    }
    canvas.Brush.SetStyle(platform::TBrushStyle::bsClear);
    canvas.Pen.SetStyle(platform::TPenStyle::psSolid);
    const TLXRegionBorder* border = Border();
    if (border == nullptr || border->Style() == rbNone)
        return;
    const TColor light = border->LightColor();
    const TColor dark = border->ShadowColor();
    const TColor single = border->SingleColor();
    struct Pass {
        int inset;
        TColor upperLeft;
        TColor lowerRight;
    };
    std::vector<Pass> passes;
    switch (border->Style()) {
    case rbRaised:
        passes = {{0, light, dark}};
        break;
    case rbLowered:
        passes = {{0, dark, light}};
        break;
    case rbSingle:
        passes = {{0, single, single}};
        break;
    case rbSingleRaised:
        passes = {{0, single, single}, {1, light, dark}};
        break;
    case rbSingleLowered:
        passes = {{0, single, single}, {1, dark, light}};
        break;
    case rbRaisedpsb:
        passes = {{0, light, single}, {1, platform::clNone, dark}};
        break;
    case rbLoweredpsb:
        passes = {{0, dark, single}, {1, platform::clNone, light}};
        break;
    default:
        break;
    }
    for (const Pass& pass : passes) {
        const QRect inner = r.adjusted(pass.inset, pass.inset, -pass.inset, -pass.inset);
        if (settings.Shape == rsPointList) {
            QPolygon points;
            for (int i = 0; i < points_.Count(); ++i)
                points << QPoint(points_.Point(i)->X, points_.Point(i)->Y);
            const bool plain = border->Style() == rbSingle;
            DrawPointListOutline(canvas, points, plain ? single : pass.upperLeft,
                                 plain ? single : pass.lowerRight);
            continue;
        }
        for (const QPolygon& outline : ShapeOutlines(settings, inner))
            DrawOutline(canvas, outline, pass.upperLeft, pass.lowerRight);
    }
}

TLXBorderRegion::TLXBorderRegion()
{
    border_.OnChange = [this](TLXObject*) { Changed(); };
}

TLXFormShape::TLXFormShape(QObject* owner) : TLXWndProcComponent(owner), images_(this)
{
    region_.OnChange = [this](TLXObject*) { UpdateRegion(); };
    fill_.OnChange = [this](TLXObject*) { UpdateRegion(); };
    images_.OnChange = [this] {
        // The picture of a list fill comes from the linked image list.
        if (images_.HasImage())
            images_.ImageList()->GetBitmap(images_.ListIndex(), images_.ImageIndex(), fill_.ListBitmap());
        UpdateRegion();
    };
}

TLXFormShape::~TLXFormShape()
{
    region_.OnChange = nullptr;
    fill_.OnChange = nullptr;
    images_.OnChange = nullptr;
}

void TLXFormShape::SetUseRgnBitmap(bool use)
{
    if (use == useRgnBitmap_)
        return;
    useRgnBitmap_ = use;
    UpdateRegion();
}

void TLXFormShape::Loaded()
{
    TLXWndProcComponent::Loaded();
    QWidget* window = HookedWindow();
    if (!Enabled() || window == nullptr)
        return;
    if (!window->windowFlags().testFlag(Qt::FramelessWindowHint))
        window->setWindowFlag(Qt::FramelessWindowHint);
    UpdateRegion();
}

void TLXFormShape::UpdateRegion()
{
    QWidget* window = HookedWindow();
    if (window == nullptr || !Enabled())
        return;
    const int depth = region_.Shadow().Style() != hssNone ? region_.Shadow().Depth() : 0;
    if (region_.Shape() == rsBitmap && !region_.Mask().BorderBitmap().Empty())
        window->resize(region_.Mask().BorderBitmap().Width() + depth,
                       region_.Mask().BorderBitmap().Height() + depth);
    // No frame and no caption: the window's client area is all there is.
    const QRect background = QRect(0, 0, window->width(), window->height()).adjusted(-1, -1, 1, 1);
    QRegion region = region_.CreateRegion(background);
    if (!region.isEmpty() && depth > 0)
        region = region.united(region.translated(depth, depth));
    windowRegion_ = region;
    if (region.isEmpty())
        window->clearMask();
    else
        window->setMask(region);
    window->update();
}

bool TLXFormShape::SuppliesBackground() const
{
    return (useRgnBitmap_ && region_.Shape() == rsBitmap) || fill_.Style() != sfNone;
}

const platform::TBitmap* TLXFormShape::BackgroundBitmap() const
{
    if (useRgnBitmap_ && region_.Shape() == rsBitmap)
        return &const_cast<TLXBorderRegion&>(region_).Mask().BorderBitmap();
    return fill_.Style() != sfNone ? &background_ : nullptr;
}

void TLXFormShape::PaintBackground(QWidget* window)
{
    if (!SuppliesBackground())
        return;
    QPainter painter(window);
    platform::TPainterCanvas canvas(&painter);
    if (useRgnBitmap_ && region_.Shape() == rsBitmap) {
        canvas.Draw(0, 0, region_.Mask().BorderBitmap());
    } else {
        background_.SetSize(window->width(), window->height());
        fill_.Fill(background_.Canvas(), platform::Rect(0, 0, window->width(), window->height()),
                   platform::clWhite);
        canvas.Draw(0, 0, background_);
    }
    region_.PaintBorder(canvas, QRect(0, 0, window->width(), window->height()).adjusted(-1, -1, 1, 1));
}

bool TLXFormShape::DragStarts(QWidget* window, QMouseEvent* event)
{
    // Left button on the window's own empty area only.
    if (!formDragable_ || event->button() != Qt::LeftButton ||
        window->childAt(event->position().toPoint()) != nullptr)
        return false;
    if (window->windowHandle() != nullptr && window->windowHandle()->startSystemMove())
        return true;
    // No window manager to move it (offscreen): by hand.
    dragging_ = true;
    dragOrigin_ = event->globalPosition().toPoint() - window->pos();
    return true;
}

bool TLXFormShape::WndProc(QObject* watched, QEvent* event)
{
    QWidget* window = HookedWindow();
    if (watched != window || window == nullptr)
        return TLXWndProcComponent::WndProc(watched, event);
    switch (event->type()) {
    case QEvent::Resize:
        UpdateRegion();
        break;
    case QEvent::Paint:
        PaintBackground(window);
        break;
    case QEvent::MouseButtonPress:
        if (DragStarts(window, static_cast<QMouseEvent*>(event)))
            return true;
        break;
    case QEvent::MouseMove:
        if (dragging_) {
            window->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragOrigin_);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (dragging_) {
            dragging_ = false;
            return true;
        }
        break;
    default:
        break;
    }
    return TLXWndProcComponent::WndProc(watched, event);
}
