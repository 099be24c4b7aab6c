#include "render/layered/draw_target_win.h"

#include "base/win/gdiplus_handles.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

void Note(DrawTarget& target, GpStatus status) {
    if (status != Ok) target.status = status;
}

ARGB PlaceArgb(Colour colour, int alpha) {
    return static_cast<ARGB>(alpha & 0xFF) << 24 | (colour & 0xFF) << 16 | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

namespace {
void FillRect(DrawTarget& t, ARGB argb, int left, int top, int width, int height) {
    OwnedSolidFill brush;
    Note(t, GdipCreateSolidFill(argb, brush.out()));
    if (brush.get()) Note(t, GdipFillRectangleI(t.graphics, brush.get(), left, top, width, height));
}

void Outline(DrawTarget& t, ARGB argb, bool dotted, int left, int top, int width, int height) {
    OwnedPen pen;
    Note(t, GdipCreatePen1(argb, 1.0f, UnitWorld, pen.out()));
    if (!pen.get()) return;
    if (dotted) Note(t, GdipSetPenDashStyle(pen.get(), DashStyleDot));
    Note(t, GdipDrawRectangleI(t.graphics, pen.get(), left, top, width, height));
}
}  // namespace

void FillArea(DrawTarget& target, const Design& design, int left, int top, int right, int bottom, int backPlace,
              int dayColour) {
    FillRect(target, 0xFF000000, left, top, right - left, bottom - top);
    // The window takes each pixel's own alpha: the border and the inside are copied in with
    // their place's alpha, so they carry the colour they would have over the black and the
    // transparency of their place, whatever the image held before.
    Note(target, GdipSetCompositingMode(target.graphics, CompositingModeSourceCopy));
    const BackPlace& border = design.backs[kBackBorder];
    OwnedPen pen;
    Note(target, GdipCreatePen1(PlaceArgb(border.colours[0], border.opacity), 1.0f, UnitWorld, pen.out()));
    if (pen.get()) {
        GpPoint points[5] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}, {left, top}};
        Note(target, GdipDrawLinesI(target.graphics, pen.get(), points, 5));
    }
    const BackPlace& place = design.backs[backPlace];
    FillRect(target, PlaceArgb(place.colours[dayColour], place.opacity), left + 1, top + 1, right - left - 2,
             bottom - top - 2);
    Note(target, GdipSetCompositingMode(target.graphics, CompositingModeSourceOver));
}

void DrawSelectionFrame(DrawTarget& target, int left, int top, int right, int bottom, bool wide) {
    int w = right - left, h = bottom - top;
    if (wide) {
        Outline(target, 0xFE000000, false, left + 1, top + 1, w - 3, h - 3);
        Outline(target, 0xFEFFFFFF, true, left + 1, top + 1, w - 3, h - 3);
    }
    Outline(target, 0xFE000000, false, left + 2, top + 2, w - 5, h - 5);
    Outline(target, 0xFEFFFFFF, true, left + 2, top + 2, w - 5, h - 5);
}

void DrawCaret(DrawTarget& target, int x, int y, int width, int height) {
    Outline(target, 0xA0000000, false, x, y, width, height);
    FillRect(target, 0xA0FEFEFE, x + 1, y + 1, width - 2, height - 2);
}

void DrawButtonBitmap(DrawTarget& t, HBITMAP bitmap, int left, int top, int right, int bottom, const BackPlace& button) {
    int w = right - left, h = bottom - top;
    FillRect(t, 0xFF000000, left, top, w, h);
    OwnedGdipBitmap image;
    Note(t, GdipCreateBitmapFromHBITMAP(bitmap, nullptr, image.out()));
    OwnedImageAttributes attributes;
    Note(t, GdipCreateImageAttributes(attributes.out()));
    if (!image.get() || !attributes.get()) return;
    // White takes the button colour and transparency (divided by 256); black stays black.
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
    Note(t, GdipDrawImageRectRectI(t.graphics, image.get(), left, top, w, h, 0, 0, w, h, UnitPixel, attributes.get(),
                                   nullptr, nullptr));
}
