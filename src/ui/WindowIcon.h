#pragma once

#include <QImage>

// The program's icon at `size` x `size` pixels: a screen showing a letterboxed picture.
QImage PaintWindowIcon(int size);
