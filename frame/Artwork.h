// The program's own pictures, drawn rather than shipped: the emblem of the start, splash and
// About windows.
#pragma once

#include <QImage>

// A shield with a check mark over a document, in the program's blues.
QImage StartPicture(int size);

// A band in the program's blues that fades to the right: the About window's second picture,
// under the product lines.
QImage AboutBand(int width, int height);
