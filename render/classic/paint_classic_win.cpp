// Classic edition painter: draws straight onto the window's device context.
#include <windows.h>

#include "base/win/handles.h"
#include "render/paint.h"

const Edition kPainterEdition = kClassicEdition;

PainterSession::PainterSession() : state_(nullptr) {}
PainterSession::~PainterSession() { ReleasePaintCache(); }

PaintResult PaintWindow(const PaintRequest& request, const AppState& state, const PaintContext&) {
    RECT client;
    GetClientRect(request.window, &client);
    // For now the whole window is the day background.
    OwnedBrush brush(CreateSolidBrush(state.design.backs[kBackDay].colours[kWeekdayColour]));
    FillRect(request.dc, &client, brush.get());
    return PaintResult{};
}

void ReleasePaintCache() {}
