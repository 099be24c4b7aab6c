// The title bar of the layered edition: background, the title text and the operation buttons.
#include <windows.h>
#include <gdiplus.h>

#include "app/app_globals.h"
#include "app/win_handles.h"
#include "calendar/view_layout.h"
#include "render/layered/layered_paint_win.h"
#include "render/layered/text_draw_win.h"
#include "render/title_buttons.h"
#include "render/title_text.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {
// A 1-bit button bitmap drawn through the button colour and transparency (divided by 256).
void DrawButton(DrawTarget& t, HBITMAP bitmap, const ButtonRect& r, const BackPlace& button) {
    int w = r.right - r.left, h = r.bottom - r.top;
    OwnedSolidFill black;
    Note(t, GdipCreateSolidFill(0xFF000000, black.out()));
    if (black.get()) Note(t, GdipFillRectangleI(t.graphics, black.get(), r.left, r.top, w, h));
    OwnedGdipBitmap image;
    Note(t, GdipCreateBitmapFromHBITMAP(bitmap, nullptr, image.out()));
    OwnedImageAttributes attributes;
    Note(t, GdipCreateImageAttributes(attributes.out()));
    if (!image.get() || !attributes.get()) return;
    Colour c = button.colours[0];
    ColorMatrix m = {};
    m.m[0][0] = static_cast<REAL>(c & 0xFF) / 256;
    m.m[1][1] = static_cast<REAL>((c >> 8) & 0xFF) / 256;
    m.m[2][2] = static_cast<REAL>((c >> 16) & 0xFF) / 256;
    m.m[3][3] = static_cast<REAL>(button.opacity) / 256;
    m.m[4][4] = 1;
    Note(t, GdipSetImageAttributesColorMatrix(attributes.get(), ColorAdjustTypeDefault, TRUE, &m, nullptr,
                                              ColorMatrixFlagsDefault));
    GdipSetInterpolationMode(t.graphics, InterpolationModeNearestNeighbor);
    Note(t, GdipDrawImageRectRectI(t.graphics, image.get(), r.left, r.top, w, h, 0, 0, w, h, UnitPixel,
                                   attributes.get(), nullptr, nullptr));
}
}  // namespace

void PaintTitleBar(LayeredFrame& frame, const AppState& state) {
    const LayoutMetrics& m = state.layout;
    const Design& d = state.design;
    if (!MeetsClip(frame, 0, 0, m.winWidth, m.titleHeight + 1)) return;
    DrawTarget& t = frame.back;
    FillArea(t, d, 0, 0, m.winWidth, m.titleHeight + 1, kBackTitle, kWeekdayColour);
    char title[256];
    FormatTitle(d.titleForm, g_view.displayedMonth, title, sizeof title);
    TextRequest text = {&t, title, 1, 1, m.winWidth, m.titleHeight + 1, 0, &d.fonts[kFontTitle], kWeekdayColour, false};
    DrawTaggedText(text);

    int btnSize = state.settings.btnSize;
    if (!ButtonsShown(btnSize)) return;
    HINSTANCE module = GetModuleHandleA(nullptr);
    HBITMAP bitmaps[kButtonCount];
    for (int i = 0; i < kButtonCount; ++i)
        bitmaps[i] = LoadBitmapA(module, MAKEINTRESOURCEA(ButtonBitmapId(i, btnSize, g_shell.alwaysOnTop)));
    BITMAP info = {};
    if (bitmaps[0] && GetObjectA(bitmaps[0], sizeof info, &info) &&
        LayButtons(m.winWidth, m.titleHeight, btnSize, info.bmWidth, info.bmHeight, g_buttonRects)) {
        for (int i = 0; i < kButtonCount; ++i)
            if (bitmaps[i]) DrawButton(t, bitmaps[i], g_buttonRects[i], d.backs[kBackButton]);
    }
    for (HBITMAP b : bitmaps)
        if (b) DeleteObject(b);
}
