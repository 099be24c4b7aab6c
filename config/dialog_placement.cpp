#include "config/dialog_placement.h"

#include <cstdio>

#include "config/profile_access.h"

namespace {
constexpr int kNotStored = -32768;

struct PlacementKeys {
    char x[64], y[64], width[64], height[64];
};

PlacementKeys KeysOf(const char* name, int screenWidth, int screenHeight) {
    PlacementKeys k;
    std::snprintf(k.x, sizeof k.x, "%s_POS_X_%d", name, screenWidth);
    std::snprintf(k.y, sizeof k.y, "%s_POS_Y_%d", name, screenHeight);
    std::snprintf(k.width, sizeof k.width, "%s_WIDTH_%d", name, screenWidth);
    std::snprintf(k.height, sizeof k.height, "%s_HEIGHT_%d", name, screenHeight);
    return k;
}

bool Keep(const char* key, bool keep, int value) {
    return (keep ? WriteConfigInt(key, value) : DeleteConfigKey(key)).ok();
}
}  // namespace

DialogPlacement ReadDialogPlacement(const char* name, int keep, int screenWidth, int screenHeight) {
    PlacementKeys k = KeysOf(name, screenWidth, screenHeight);
    DialogPlacement p = {};
    if (keep & 1) {
        p.x = ReadConfigInt(k.x, kNotStored);
        p.y = ReadConfigInt(k.y, kNotStored);
        p.hasPosition = p.x != kNotStored && p.y != kNotStored;
    }
    if (keep & 2) {
        p.width = ReadConfigInt(k.width, kNotStored);
        p.height = ReadConfigInt(k.height, kNotStored);
        // A size no window can have is not a stored size.
        p.hasSize = p.width > 0 && p.height > 0;
    }
    return p;
}

bool SaveDialogPlacement(const char* name, int keep, int screenWidth, int screenHeight, const DialogPlacement& at) {
    PlacementKeys k = KeysOf(name, screenWidth, screenHeight);
    bool ok = Keep(k.width, keep & 2, at.width);
    ok &= Keep(k.height, keep & 2, at.height);
    ok &= Keep(k.x, keep & 1, at.x);
    ok &= Keep(k.y, keep & 1, at.y);
    return ok;
}
