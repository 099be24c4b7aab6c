// What the layered edition draws on: a memory device context with a bitmap, the GDI+ graphics
// made on it, and the last failing GDI+ status (recorded, never acted on). Both are borrowed
// from the image that owns them.
#pragma once
#include <windows.h>
#include <gdiplus.h>

#include "config/app_state.h"

struct DrawTarget {
    HDC dc;
    Gdiplus::GpGraphics* graphics;
    Gdiplus::GpStatus status;
};

// Records a failed call's status in the target.
void Note(DrawTarget& target, Gdiplus::GpStatus status);

// A place colour 0x00BBGGRR with an alpha as a GDI+ colour.
Gdiplus::ARGB PlaceArgb(Colour colour, int alpha);

// An area's background: opaque black, the BORDER outline, then the place's colour inside.
void FillArea(DrawTarget& target, const Design& design, int left, int top, int right, int bottom, int backPlace,
              int dayColour);

// The frame of the highlighted cell; one pixel wider while a quick memo is open.
void DrawSelectionFrame(DrawTarget& target, int left, int top, int right, int bottom, bool wide);
// The quick memo's caret.
void DrawCaret(DrawTarget& target, int x, int y, int width, int height);
// A 1-bit button bitmap through the BUTTON place's colour and transparency, on black.
void DrawButtonBitmap(DrawTarget& target, HBITMAP bitmap, int left, int top, int right, int bottom,
                      const BackPlace& button);
