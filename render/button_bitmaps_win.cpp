#include "render/button_bitmaps_win.h"

#include <utility>
#include <vector>

#include "base/win/handles.h"

namespace {
struct KeptButton {
    int bitmapId, scale;
    OwnedBitmap bitmap;
};
std::vector<KeptButton> g_buttons;

// Nearest neighbour by a whole multiple: mono to mono, no smoothing.
OwnedBitmap Enlarged(HBITMAP source, int scale) {
    BITMAP info = {};
    if (!GetObjectW(source, sizeof info, &info)) return OwnedBitmap();
    OwnedBitmap large(CreateBitmap(info.bmWidth * scale, info.bmHeight * scale, 1, 1, nullptr));
    MemoryDC from(nullptr), to(nullptr);
    if (!large || !from.get() || !to.get()) return OwnedBitmap();
    SelectedObject fromIn(from.get(), source), toIn(to.get(), large.get());
    SetStretchBltMode(to.get(), COLORONCOLOR);
    StretchBlt(to.get(), 0, 0, info.bmWidth * scale, info.bmHeight * scale, from.get(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
    return large;
}
}  // namespace

HBITMAP KeptButtonBitmap(int bitmapId, int scale) {
    for (const KeptButton& kept : g_buttons)
        if (kept.bitmapId == bitmapId && kept.scale == scale) return kept.bitmap.get();
    OwnedBitmap bitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId)));
    if (bitmap && scale > 1) bitmap = Enlarged(bitmap.get(), scale);
    if (!bitmap) return nullptr;
    g_buttons.push_back(KeptButton{bitmapId, scale, std::move(bitmap)});
    return g_buttons.back().bitmap.get();
}

void ReleaseButtonBitmaps() { g_buttons.clear(); }
