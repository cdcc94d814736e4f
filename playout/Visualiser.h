#pragma once
// What the three visualisers share: the picture and its background picture, the clearing at the start
// of a frame, and drawing with the original platform's pixel rules (a line leaves out its end pixel,
// a rectangle covers [x1, x2) x [y1, y2), the pen position carries from point to point). Pixels are
// written straight into the 32-bit picture, clipped by it: drawing a frame allocates nothing.
#include "platform_gui/Color.h"
#include "playout/VisualTarget.h"

#include <QImage>
#include <QPoint>

#include <cstdint>
#include <span>

class TVisualiser {
public:
    TVisualiser(int width, int height);
    virtual ~TVisualiser() = default;
    TVisualiser(const TVisualiser&) = delete;
    TVisualiser& operator=(const TVisualiser&) = delete;

    platform::TColor BackColor = platform::clBlack;
    bool ClearBack = true;
    bool DrawBackBitmap = false;
    int DrawMode = 0;
    int Step = 1;

    // New pictures of that size; a size of zero draws nothing.
    void SetSize(int width, int height);
    int Width() const { return bitmap_.width(); }
    int Height() const { return bitmap_.height(); }
    const QImage& Bitmap() const { return bitmap_; }
    // Drawn by the owner; put under each frame while DrawBackBitmap is on.
    QImage& BackBitmap() { return backBitmap_; }

protected:
    // The fill with BackColor and the background picture, each as its switch says. False when there is
    // no picture to draw on.
    bool BeginFrame();
    // The oscilloscope's start: the background picture in place of the fill.
    bool BeginFrameBackInsteadOfFill();
    void EndFrame(TVisualTarget& target) const { target.ShowFrame(bitmap_); }

    void MoveTo(int x, int y) { penPos_ = QPoint(x, y); }
    QPoint PenPos() const { return penPos_; }
    void LineTo(int x, int y, QRgb color);
    void FillRect(int left, int top, int right, int bottom, QRgb color);
    void SetPixel(int x, int y, QRgb color);

    static QRgb Rgb(platform::TColor color);
    // Truncation toward zero of a scaled value, kept within what a picture can use.
    static int Truncate(double value);
    // Element `index` of the data, or zero beyond it: no caller can make a visualiser read past its
    // buffer.
    static float At(std::span<const float> data, int64_t index);
    // Left plus right of the 16-bit stereo frame `index` of interleaved samples, zero beyond them.
    static int FrameSum(std::span<const int16_t> samples, int64_t index);

private:
    void FillBack();
    void CopyBackBitmap();

    QImage bitmap_;
    QImage backBitmap_;
    QPoint penPos_;
};
