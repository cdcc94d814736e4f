#pragma once
// Windows bitmaps written by hand, 24 bits, uncompressed, bottom-up, so the skin readers are tested
// against files Qt's own writer did not make.
#include <QByteArray>
#include <QImage>

namespace skinbuilder {

QByteArray Bmp24(const QImage& image);

} // namespace skinbuilder
