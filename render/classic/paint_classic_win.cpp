// Classic edition painter: plain GDI onto the device context of WM_PAINT, limited to its update
// rectangle. Title bar and weekday head go straight onto the window; the countdown area, each
// day cell and the memo box are drawn in a bitmap and copied, so nothing flickers.
#include <windows.h>

#include "render/classic/classic_surface_win.h"
#include "render/paint.h"
#include "render/place_font_win.h"
#include "view/view_layout.h"

const Edition kPainterEdition = kClassicEdition;

PainterSession::PainterSession() : state_(nullptr) {}
PainterSession::~PainterSession() { ReleasePaintCache(); }

PaintResult PaintWindow(const PaintRequest& request, const AppState& state, const ViewModel& view,
                        const PaintContext& context) {
    TrimClassicCache();
    ClassicSurface surface(state.design, TagsOf(context), request.dc, request.update, ButtonScale(state.layout.dpi));
    return PaintFrame(surface, state, view, context);
}

// The classic edition draws each glyph at GDI's advance.
LayoutMeasure& PainterLayoutMeasure() {
    static GdiLayoutMeasure measure;
    return measure;
}

void ReleasePaintCache() { ReleaseClassicCache(); }
