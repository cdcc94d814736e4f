#pragma once
// Counting the pixels of a picture that wear a skin image's colours, for the tests that look at whole
// windows of the programs.
#include <QImage>
#include <QRgb>
#include <QSet>

#include <initializer_list>

// The colours of the images, the key colour left out.
inline QSet<QRgb> ColoursOf(std::initializer_list<const QImage*> images)
{
    QSet<QRgb> colours;
    for (const QImage* image : images)
        for (int y = 0; y < image->height(); ++y)
            for (int x = 0; x < image->width(); ++x)
                colours.insert(image->pixel(x, y) & 0xFFFFFF);
    colours.remove(0xFF00FF);
    return colours;
}

inline QSet<QRgb> ColoursOf(const QImage& picture)
{
    return ColoursOf({&picture});
}

// How many pixels of the picture have one of the colours.
inline int PixelsIn(const QImage& picture, const QSet<QRgb>& colours)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += colours.contains(picture.pixel(x, y) & 0xFFFFFF) ? 1 : 0;
    return count;
}
