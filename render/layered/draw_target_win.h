// What the layered edition draws on: a memory device context with a bitmap, the GDI+ graphics
// made on it, and the last failing GDI+ status (recorded, never acted on). Both are borrowed
// from the image that owns them.
#pragma once
#include <windows.h>
#include <gdiplus.h>

#include <cstdint>

#include "config/app_state.h"

struct DrawTarget {
    HDC dc;
    Gdiplus::GpGraphics* graphics;
    Gdiplus::GpStatus status;
    // The image's own pixels (top-down, premultiplied 0xAARRGGBB, `width` a row) and the part of
    // them drawing may touch; null bits: only GDI+ draws.
    uint32_t* bits;
    int width, height;
    RECT bound;
};

// Records a failed call's status in the target.
void Note(DrawTarget& target, Gdiplus::GpStatus status);

// A place colour 0x00BBGGRR with an alpha as a GDI+ colour.
Gdiplus::ARGB PlaceArgb(Colour colour, int alpha);

// An area's background: the BORDER place's one-pixel outline and the place's colour inside, each
// with its place's alpha, written straight into the pixels (the window takes each pixel's own
// alpha; a GDI+ fill of the same pixels cost more than a cell's text).
void FillArea(DrawTarget& target, const Design& design, int left, int top, int right, int bottom, int backPlace,
              int dayColour);

// The frame of the highlighted cell; one pixel wider while a quick memo is open.
void DrawSelectionFrame(DrawTarget& target, int left, int top, int right, int bottom, bool wide);
// The quick memo's caret.
void DrawCaret(DrawTarget& target, int x, int y, int width, int height);
// A 1-bit button bitmap through the BUTTON place's colour and transparency, on black; a button
// drawn before in the same colour is copied from its first drawing.
void DrawButtonBitmap(DrawTarget& target, HBITMAP bitmap, int left, int top, int right, int bottom,
                      const BackPlace& button);
// Until a bitmap is released: the buttons drawn from it are forgotten first.
void ForgetDrawnButtons();
