// Classic edition painter: draws straight onto the device context of WM_PAINT.
#include <windows.h>

#include "app/win_handles.h"
#include "render/paint.h"

namespace {
RECT g_clip;
}

void SetPaintClip(int left, int top, int right, int bottom) { SetRect(&g_clip, left, top, right, bottom); }

void PaintWindow(HWND hwnd, HDC dc, const AppState& state) {
    RECT client;
    GetClientRect(hwnd, &client);
    // For now the whole window is the day background.
    OwnedBrush brush(CreateSolidBrush(state.design.backs[kBackDay].colours[kWeekdayColour]));
    FillRect(dc, &client, brush.get());
}

void ReleasePaintCache() {}
