// The window painter of the edition that is linked in: render/layered or render/classic.
#pragma once
#include "config/app_state.h"
#include "config/edition.h"
#include "render/painter.h"
#include "view/view_layout.h"

struct HWND__;
struct HDC__;

// The edition of the painter linked into the program.
extern const Edition kPainterEdition;

// What the painter needs around a paint (GDI+ for the layered edition; nothing for the classic):
// held from start-up to the end of the run.
class PainterSession {
  public:
    PainterSession();
    PainterSession(const PainterSession&) = delete;
    PainterSession& operator=(const PainterSession&) = delete;
    ~PainterSession();

  private:
    void* state_;
};

struct PaintRequest {
    HWND__* window;
    HDC__* dc;        // the window's device context (BeginPaint's in WM_PAINT)
    PaintRect pending;  // what the window asked to be repainted since the last paint
    PaintRect update;   // WM_PAINT's update rectangle (the pending one outside WM_PAINT)
};

// Paints view, laid out for state, as the request asks (the layered edition the pending rectangle
// into its kept image, then hands the changed part to the window manager; the classic edition
// the update rectangle onto the window) and answers what the painting learnt.
PaintResult PaintWindow(const PaintRequest& request, const AppState& state, const ViewModel& view,
                        const PaintContext& context);

// The text widths the layout asks for, measured as this edition draws its text: the title bar
// keeps room for the title as it comes out on screen.
LayoutMeasure& PainterLayoutMeasure();

// Frees what the painter keeps between paints (shutdown, a new design).
void ReleasePaintCache();
