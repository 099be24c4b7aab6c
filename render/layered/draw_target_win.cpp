#include "render/layered/draw_target_win.h"

#include <algorithm>
#include <vector>

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

uint32_t PremultipliedPixel(Colour colour, int alpha) {
    unsigned a = static_cast<unsigned>(alpha) & 0xFF;
    auto ch = [a](unsigned v) { return (v * a + 127) / 255; };
    return a << 24 | ch(colour & 0xFF) << 16 | ch((colour >> 8) & 0xFF) << 8 | ch((colour >> 16) & 0xFF);
}

void FillPixels(DrawTarget& t, uint32_t pixel, int left, int top, int right, int bottom) {
    left = std::max<int>(left, t.bound.left);
    top = std::max<int>(top, t.bound.top);
    right = std::min<int>(right, t.bound.right);
    bottom = std::min<int>(bottom, t.bound.bottom);
    for (int y = top; y < bottom; ++y) std::fill(t.bits + y * t.width + left, t.bits + y * t.width + right, pixel);
}

void FillArea(DrawTarget& target, const Design& design, int left, int top, int right, int bottom, int backPlace,
              int dayColour) {
    if (!target.bits || right <= left || bottom <= top) return;
    GdiFlush();  // what GDI still holds back for these pixels lands first
    // Whatever the image held before, each pixel takes the colour its place has over black and
    // the transparency of its place.
    const BackPlace& border = design.backs[kBackBorder];
    uint32_t edge = PremultipliedPixel(border.colours[0], border.opacity);
    FillPixels(target, edge, left, top, right, top + 1);
    FillPixels(target, edge, left, bottom - 1, right, bottom);
    FillPixels(target, edge, left, top, left + 1, bottom);
    FillPixels(target, edge, right - 1, top, right, bottom);
    const BackPlace& place = design.backs[backPlace];
    FillPixels(target, PremultipliedPixel(place.colours[dayColour], place.opacity), left + 1, top + 1, right - 1,
               bottom - 1);
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

namespace {
// A button covers its rectangle whole (black under the picture), so what it drew once is copied
// at later paints: GDI+ took longer for the seven buttons than for all the kept text of a month.
struct DrawnButton {
    HBITMAP bitmap;
    int width, height;
    Colour colour;
    int opacity;
    std::vector<uint32_t> pixels;
};
std::vector<DrawnButton> g_drawnButtons;
constexpr size_t kDrawnButtonLimit = 64;  // seven buttons, two pins, a few colours

bool Inside(const DrawTarget& t, int left, int top, int right, int bottom) {
    return t.bits && left >= t.bound.left && top >= t.bound.top && right <= t.bound.right && bottom <= t.bound.bottom &&
           left < right && top < bottom;
}

void DrawButtonAfresh(DrawTarget& t, HBITMAP bitmap, int left, int top, int w, int h, const BackPlace& button) {
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
}  // namespace

void DrawButtonBitmap(DrawTarget& t, HBITMAP bitmap, int left, int top, int right, int bottom, const BackPlace& button) {
    int w = right - left, h = bottom - top;
    bool keep = Inside(t, left, top, right, bottom);
    for (const DrawnButton& b : keep ? g_drawnButtons : std::vector<DrawnButton>()) {
        if (b.bitmap != bitmap || b.width != w || b.height != h || b.colour != button.colours[0] ||
            b.opacity != button.opacity)
            continue;
        GdiFlush();  // what GDI still holds back for these pixels lands first
        for (int y = 0; y < h; ++y) std::copy_n(b.pixels.data() + y * w, w, t.bits + (top + y) * t.width + left);
        return;
    }
    DrawButtonAfresh(t, bitmap, left, top, w, h, button);
    if (!keep) return;
    if (g_drawnButtons.size() >= kDrawnButtonLimit) g_drawnButtons.clear();
    DrawnButton drawn{bitmap, w, h, button.colours[0], button.opacity, std::vector<uint32_t>(static_cast<size_t>(w * h))};
    for (int y = 0; y < h; ++y) std::copy_n(t.bits + (top + y) * t.width + left, w, drawn.pixels.data() + y * w);
    g_drawnButtons.push_back(std::move(drawn));
}

void ForgetDrawnButtons() { g_drawnButtons.clear(); }
