#pragma once
// Where a visualiser hands each finished picture, in one step.
#include <QImage>

class TVisualTarget {
public:
    virtual ~TVisualTarget() = default;
    // The whole picture, finished. The target keeps what it needs before returning: the visualiser
    // draws its next frame into the same image.
    virtual void ShowFrame(const QImage& frame) = 0;
};
