// The window painter of the edition that is linked in.
#pragma once
#include "config/app_state.h"

struct HWND__;
struct HDC__;

// The part of the window the next paint has to draw, in client coordinates.
void SetPaintClip(int left, int top, int right, int bottom);

// Layered edition: composes the image and pushes it to the window (dc: a device context of the
// window). Classic edition: draws onto dc, the device context of BeginPaint.
void PaintWindow(HWND__* hwnd, HDC__* dc, const AppState& state);

// Frees what the painter keeps between paints (shutdown).
void ReleasePaintCache();
