// The operation buttons' 1-bit bitmaps, loaded from the program's resources once and kept until
// the painters' things are released.
#pragma once
#include <windows.h>

HBITMAP KeptButtonBitmap(int bitmapId);
void ReleaseButtonBitmaps();
