#pragma once
// The pictures the station carries inside the program, drawn at run time so no image file is needed.
#include <QPixmap>

// The logo window's picture until a logo file is loaded.
QPixmap BuiltInLogo();
// The about window's picture.
QPixmap AboutPicture();
