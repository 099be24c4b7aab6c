// The layered edition's frame, shared between its painters: the clip rectangle of the paint, the
// cached back buffer and the scratch bitmap that areas and cells are drawn in before they are
// copied into the back buffer.
#pragma once
#include <windows.h>

#include <cstdint>

#include "config/app_state.h"
#include "render/layered/draw_target_win.h"

struct LayeredFrame {
    RECT clip;
    DrawTarget back;     // the window image
    DrawTarget scratch;  // one area at a time, from (0, 0)
    HWND window;         // for the input method's composition window
    int listHeadWidth;   // widest list weekday label of this paint
};

// Whether r meets the paint's clip rectangle.
bool MeetsClip(const LayeredFrame& frame, int left, int top, int right, int bottom);
// Starts an area of width x height in the scratch bitmap (drawing outside it is cut off).
void BeginArea(LayeredFrame& frame, int width, int height);
// Copies the area into the back buffer at (x, y).
void EndArea(LayeredFrame& frame, int x, int y, int width, int height);

void PaintTitleBar(LayeredFrame& frame, const AppState& state);
void PaintCountdownArea(LayeredFrame& frame, const AppState& state);
void PaintWeekdayHead(LayeredFrame& frame, const AppState& state);
void PaintDayCells(LayeredFrame& frame, const AppState& state);
void PaintMemoBox(LayeredFrame& frame, const AppState& state);

// The last composed image, top-down 32-bit premultiplied pixels (tests, benchmarks).
const uint32_t* LayeredBackBuffer(int* width, int* height);
