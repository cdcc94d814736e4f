#pragma once
// The channel's visualiser area: black, with the last finished frame at its top-left. Frames are
// copied in whole and painted only by the paint event, so the screen never shows a half-drawn one.
#include "playout/VisualTarget.h"

#include <QImage>
#include <QWidget>

class TVisualBox : public QWidget, public TVisualTarget {
public:
    explicit TVisualBox(QWidget* parent = nullptr);

    // Copied into the box's own image, which is made again only when the size changes.
    void ShowFrame(const QImage& frame) override;
    // Back to plain black.
    void Clear();
    // The frame the box paints; null when cleared.
    const QImage& Frame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage frame_;
};
