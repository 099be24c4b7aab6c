#include "render/button_bitmaps_win.h"

#include <utility>
#include <vector>

#include "base/win/handles.h"

namespace {
std::vector<std::pair<int, OwnedBitmap>> g_buttons;
}

HBITMAP KeptButtonBitmap(int bitmapId) {
    for (const auto& kept : g_buttons)
        if (kept.first == bitmapId) return kept.second.get();
    OwnedBitmap bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId)));
    if (!bitmap) return nullptr;
    g_buttons.emplace_back(bitmapId, std::move(bitmap));
    return g_buttons.back().second.get();
}

void ReleaseButtonBitmaps() { g_buttons.clear(); }
