#include "RecordingCanvas.h"

using platform::TColor;
using platform::TPoint;
using platform::TRect;

QString CanvasCall::ToString() const
{
    QStringList numbers;
    for (int value : Args)
        numbers << QString::number(value);
    QString result = Name + "(" + numbers.join(',');
    if (!Text.isNull())
        result += ";" + Text;
    return result + ")";
}

RecordingCanvas::RecordingCanvas(int charWidth, int charHeight)
    : charWidth_(charWidth), charHeight_(charHeight)
{
}

QStringList RecordingCanvas::Lines(const QString& name) const
{
    QStringList lines;
    for (const CanvasCall& call : Calls)
        if (name.isEmpty() || call.Name == name)
            lines << call.ToString();
    return lines;
}

void RecordingCanvas::Record(const QString& name, std::vector<int> args, const QString& text)
{
    if (quiet_)
        return;
    Calls.push_back({name, std::move(args), text, Pen.Color(), Brush.Color(), Font.Color()});
}

std::vector<int> RecordingCanvas::Of(const TRect& rect)
{
    return {rect.Left, rect.Top, rect.Right, rect.Bottom};
}

void RecordingCanvas::LineTo(int x, int y)
{
    Record("LineTo", {PenPos.X, PenPos.Y, x, y});
    PenPos = {x, y};
}

void RecordingCanvas::Rectangle(const TRect& rect)
{
    Record("Rectangle", Of(rect));
}

void RecordingCanvas::FillRect(const TRect& rect)
{
    Record("FillRect", Of(rect));
}

void RecordingCanvas::FrameRect(const TRect& rect)
{
    Record("FrameRect", Of(rect));
}

void RecordingCanvas::Ellipse(const TRect& rect)
{
    Record("Ellipse", Of(rect));
}

void RecordingCanvas::RoundRect(const TRect& rect, int cornerWidth, int cornerHeight)
{
    std::vector<int> args = Of(rect);
    args.push_back(cornerWidth);
    args.push_back(cornerHeight);
    Record("RoundRect", args);
}

void RecordingCanvas::Arc(const TRect& rect, TPoint start, TPoint end)
{
    std::vector<int> args = Of(rect);
    args.insert(args.end(), {start.X, start.Y, end.X, end.Y});
    Record("Arc", args);
}

void RecordingCanvas::Polygon(const std::vector<TPoint>& points)
{
    std::vector<int> args;
    for (TPoint p : points)
        args.insert(args.end(), {p.X, p.Y});
    Record("Polygon", args);
}

void RecordingCanvas::Polyline(const std::vector<TPoint>& points)
{
    std::vector<int> args;
    for (TPoint p : points)
        args.insert(args.end(), {p.X, p.Y});
    Record("Polyline", args);
}

TColor RecordingCanvas::Pixel(int x, int y) const
{
    return pixels_.value({x, y}, platform::clNone);
}

void RecordingCanvas::SetPixel(int x, int y, TColor color)
{
    Record("SetPixel", {x, y, static_cast<int>(color)});
    pixels_[{x, y}] = color;
}

void RecordingCanvas::DrawFocusRect(const TRect& rect)
{
    Record("DrawFocusRect", Of(rect));
}

bool RecordingCanvas::DrawEdge(TRect& rect, unsigned edge, unsigned flags)
{
    std::vector<int> args = Of(rect);
    args.insert(args.end(), {static_cast<int>(edge), static_cast<int>(flags)});
    Record("DrawEdge", args);
    quiet_ = true;
    const bool result = TCanvas::DrawEdge(rect, edge, flags);
    quiet_ = false;
    return result;
}

void RecordingCanvas::TextOut(int x, int y, const QString& text)
{
    Record("TextOut", {x, y}, text);
}

void RecordingCanvas::ExtTextOut(int x, int y, unsigned options, const TRect* rect, const QString& text)
{
    std::vector<int> args{x, y, static_cast<int>(options)};
    if (rect) {
        const std::vector<int> r = Of(*rect);
        args.insert(args.end(), r.begin(), r.end());
    }
    Record("ExtTextOut", args, text);
}

int RecordingCanvas::DrawText(const QString& text, TRect& rect, unsigned format)
{
    std::vector<int> args = Of(rect);
    args.push_back(static_cast<int>(format));
    Record("DrawText", args, text);
    return TCanvas::DrawText(text, rect, format);
}

void RecordingCanvas::StrokeTextOutline(int x, int y, const QString& text)
{
    Record("StrokeTextOutline", {x, y, Pen.Width()}, text);
}

platform::TSize RecordingCanvas::TextExtent(const QString& text)
{
    return {static_cast<int>(text.size()) * (charWidth_ + CharacterExtra), charHeight_};
}

platform::TTextMetrics RecordingCanvas::TextMetrics()
{
    const int descent = charHeight_ / 4;
    return {charHeight_, charHeight_ - descent, descent, charWidth_};
}

void RecordingCanvas::CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect)
{
    std::vector<int> args = Of(dest);
    const std::vector<int> s = Of(sourceRect);
    args.insert(args.end(), s.begin(), s.end());
    args.insert(args.end(), {source.width(), source.height()});
    Record("CopyRect", args);
}

void RecordingCanvas::CopyTransparent(const TRect& dest, const QImage& source, const TRect& sourceRect,
                                      TColor transparent)
{
    std::vector<int> args = Of(dest);
    const std::vector<int> s = Of(sourceRect);
    args.insert(args.end(), s.begin(), s.end());
    args.insert(args.end(), {source.width(), source.height(), static_cast<int>(transparent)});
    Record("CopyTransparent", args);
}

void RecordingCanvas::CopyMasked(const TRect& dest, const QImage& source, const TRect& sourceRect,
                                 const QImage&)
{
    std::vector<int> args = Of(dest);
    const std::vector<int> s = Of(sourceRect);
    args.insert(args.end(), s.begin(), s.end());
    args.insert(args.end(), {source.width(), source.height()});
    Record("CopyMasked", args);
}

QImage RecordingCanvas::Grab(const TRect&) const
{
    return QImage();
}

void RecordingCanvas::SetClipRect(const TRect& rect)
{
    Record("SetClipRect", Of(rect));
}

void RecordingCanvas::SetClipRegion(const QRegion& region)
{
    const QRect box = region.boundingRect();
    Record("SetClipRegion", {box.left(), box.top(), box.left() + box.width(), box.top() + box.height()});
}

void RecordingCanvas::RemoveClip()
{
    Record("RemoveClip", {});
}

void RecordingCanvas::PaintTextRun(int x, int y, const QString& text, int underline)
{
    Record("TextRun", {x, y, underline}, text);
}

void RecordingCanvas::FillSolid(const TRect& rect, TColor color)
{
    std::vector<int> args = Of(rect);
    args.push_back(static_cast<int>(color));
    Record("FillSolid", args);
}

void RecordingCanvas::PushClip(const TRect&) {}

void RecordingCanvas::PopClip() {}
