#include "Drawing.h"

platform::TFont PinnedFont(int pixels)
{
    platform::TFont font;
    font.SetName(QStringLiteral("DejaVu Sans"));
    font.SetHeight(pixels);
    font.SetColor(platform::clBlack);
    font.SetQuality(platform::TFontQuality::fqNonAntialiased);
    return font;
}

QImage BlankImage(int width, int height, platform::TColor fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(platform::ToQColor(fill));
    return image;
}

platform::TBitmap SolidBitmap(int width, int height, platform::TColor color)
{
    platform::TBitmap bitmap;
    bitmap.SetImage(BlankImage(width, height, color));
    return bitmap;
}

platform::TColor Probe(const QImage& image, int x, int y)
{
    return platform::FromQColor(image.pixelColor(x, y));
}

QRect InkBounds(const QImage& image, platform::TColor background)
{
    const QRgb paper = platform::ToQColor(background).rgb() & 0xFFFFFF;
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != paper)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

HostWindow::HostWindow()
{
    Window.resize(320, 240);
    Window.show();
}
