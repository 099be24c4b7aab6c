// The operation buttons' 1-bit bitmaps, loaded from the program's resources once and kept until
// the painters' things are released.
#pragma once
#include <windows.h>

// At a whole multiple `scale`, each pixel a square of scale × scale, so the picture stays sharp.
HBITMAP KeptButtonBitmap(int bitmapId, int scale = 1);
void ReleaseButtonBitmaps();
