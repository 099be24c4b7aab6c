// Layered edition painter: the window's pixels, alpha included, come from one 32-bit image that
// is kept between paints; a paint redraws the areas that meet the pending rectangle and hands
// only that part of the image to the window manager.
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <string>
#include <utility>

#include "base/win/gdiplus_handles.h"
#include "base/win/handles.h"
#include "render/button_bitmaps_win.h"
#include "render/layered/layered_image_win.h"
#include "render/layered/layered_surface_win.h"
#include "render/layered/run_cache_win.h"
#include "render/layered/text_draw_win.h"
#include "render/paint.h"
#include "render/place_font_win.h"
#include "render/title_text.h"
#include "view/view_layout.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

const Edition kPainterEdition = kLayeredEdition;

namespace {
// A top-down 32-bit DIB section with its own memory device context and GDI+ graphics, all kept
// between paints: a keystroke's repaint of one cell should not pay for making them again.
// Members go in reverse: the graphics before the pixels they draw on, the bitmap selected out of
// its device context before either is deleted.
struct KeptImage {
    OwnedBitmap bitmap;
    MemoryDC dc;
    HGDIOBJ oldBitmap = nullptr;
    OwnedGdipBitmap pixels;  // the same pixels for GDI+, so it draws into memory directly
    OwnedGraphics graphics;
    void* bits = nullptr;
    int width = 0, height = 0;

    KeptImage() = default;
    KeptImage(KeptImage&&) = default;
    KeptImage& operator=(KeptImage&& other) noexcept {
        Unselect();
        graphics = std::move(other.graphics);
        pixels = std::move(other.pixels);
        dc = std::move(other.dc);
        bitmap = std::move(other.bitmap);
        oldBitmap = std::exchange(other.oldBitmap, nullptr);
        bits = other.bits;
        width = other.width;
        height = other.height;
        return *this;
    }
    ~KeptImage() { Unselect(); }
    void Unselect() {
        graphics.reset();
        pixels.reset();
        if (dc && oldBitmap) SelectObject(dc.get(), oldBitmap);
        oldBitmap = nullptr;
    }
    DrawTarget Target() const {
        return {dc.get(), graphics.get(), Ok, static_cast<uint32_t*>(bits), width, height, {0, 0, width, height}};
    }
};
KeptImage g_back, g_scratch;

KeptImage MakeImage(HDC dc, int width, int height) {
    KeptImage image;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    image.bitmap.reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &image.bits, nullptr, 0));
    image.dc = MemoryDC(dc);
    if (!image.bitmap || !image.dc) return KeptImage{};
    image.oldBitmap = SelectObject(image.dc.get(), image.bitmap.get());
    image.width = width;
    image.height = height;
    if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(image.bits),
                                  image.pixels.out()) != Ok ||
        GdipGetImageGraphicsContext(image.pixels.get(), image.graphics.out()) != Ok)
        return KeptImage{};
    return image;
}

// The back buffer is made anew only when the window's size changes; the scratch image with it.
bool EnsureImages(HDC dc, int width, int height) {
    if (g_back.graphics.get() && g_scratch.graphics.get() && g_back.width == width && g_back.height == height)
        return true;
    g_back = MakeImage(dc, width, height);
    g_scratch = MakeImage(dc, width, height);
    return g_back.graphics.get() && g_scratch.graphics.get();
}

struct Session {
    GdiplusSession gdiplus;
};

// GDI+ lays text out wider than GDI measures it: titles are measured on an image of their own as
// they will be drawn (never narrower than GDI's width, which stands when GDI+ cannot measure).
class DrawnTitleMeasure : public GdiLayoutMeasure {
public:
    int TitleWidth(const Design& design, int year) override {
        int widest = GdiLayoutMeasure::TitleWidth(design, year);
        WindowDC screen(nullptr);
        KeptImage image = MakeImage(screen.get(), 1, 1);
        if (!image.graphics.get()) return widest;
        DrawTarget target = image.Target();
        for (const std::string& title : TitlesOfYear(design.titleForm, year))
            widest = std::max(widest, DrawnRunWidth(target, title.c_str(), static_cast<int>(title.size()),
                                                    design.fonts[kFontTitle]));
        return widest;
    }
};
}  // namespace

LayoutMeasure& PainterLayoutMeasure() {
    static DrawnTitleMeasure measure;
    return measure;
}

PainterSession::PainterSession() : state_(new Session) { std::setlocale(LC_ALL, "japanese"); }
PainterSession::~PainterSession() {
    ReleasePaintCache();  // nothing of GDI+ may outlive it
    delete static_cast<Session*>(state_);
}

const uint32_t* LayeredBackBuffer(int* width, int* height) {
    *width = g_back.width;
    *height = g_back.height;
    return static_cast<const uint32_t*>(g_back.bits);
}

PaintResult PaintWindow(const PaintRequest& request, const AppState& state, const ViewModel& view,
                        const PaintContext& context) {
    HWND hwnd = request.window;
    RECT window;
    GetWindowRect(hwnd, &window);
    int width = window.right - window.left, height = window.bottom - window.top;
    if (width <= 0 || height <= 0 || !EnsureImages(request.dc, width, height)) return PaintResult{};

    TrimTextFonts();
    FitRunCacheTo(state.design, TagsOf(context), state.layout.dpi);
    LayeredSurface surface(state.design, TagsOf(context), request.pending, g_back.Target(), g_scratch.Target(),
                           state.layout.dpi);
    PaintResult result = PaintFrame(surface, state, view, context);

    // Only what was drawn goes to the window manager: pushing the whole image cost a one-cell
    // repaint more than drawing the cell.
    RECT all = {0, 0, width, height}, pending = {request.pending.left, request.pending.top, request.pending.right,
                                                 request.pending.bottom};
    RECT dirty;
    if (!IntersectRect(&dirty, &all, &pending)) return result;
    // The image is as big as the window already is, and the window stays where it is: no
    // position or size goes with the pixels, so the window manager has nothing to move. No
    // screen device context either: the default palette is all a 32-bit image needs.
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UPDATELAYEREDWINDOWINFO info = {sizeof info, nullptr, nullptr, nullptr, g_back.dc.get(), &source, 0,
                                    &blend, ULW_ALPHA, &dirty};
    if (!UpdateLayeredWindowIndirect(hwnd, &info)) {
        info.prcDirty = nullptr;  // a system that will not take part of the image takes all of it
        UpdateLayeredWindowIndirect(hwnd, &info);
    }
    return result;
}

void ReleasePaintCache() {
    EmptyRunCache();
    ReleaseTextFonts();
    ForgetDrawnButtons();
    ReleaseButtonBitmaps();
    g_back = KeptImage{};
    g_scratch = KeptImage{};
}
