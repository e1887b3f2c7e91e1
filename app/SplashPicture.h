#pragma once

#include <QImage>

// The splash picture: the program's name in letters of mixed typefaces and colours on a yellow
// ground, 454 x 112 pixels.
QImage DrawSplashPicture();
