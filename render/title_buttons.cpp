#include "render/title_buttons.h"

namespace {
// Small and large bitmap of each button; the pin's are the lying ones (always on top: +1).
const int kSmall[kButtonCount] = {101, 117, 103, 138, 102, 104, 106};
const int kLarge[kButtonCount] = {110, 116, 111, 137, 114, 112, 115};
const int kCommands[kButtonCount] = {40001, 40003, 40014, 40030, 40013, 40005, 40016};
constexpr int kPinButton = 5;
}  // namespace

int ButtonBitmapId(int index, int btnSize, bool alwaysOnTop) {
    if (index < 0 || index >= kButtonCount) return 0;
    int id = (btnSize & 1) ? kLarge[index] : kSmall[index];
    return index == kPinButton && alwaysOnTop ? id + 1 : id;
}

int ButtonCommand(int index) { return index >= 0 && index < kButtonCount ? kCommands[index] : 0; }

bool LayButtons(int windowWidth, int titleHeight, int btnSize, int bitmapWidth, int bitmapHeight,
                ButtonRect out[kButtonCount]) {
    if (!ButtonsShown(btnSize)) return false;
    int x = windowWidth - 1 + btnSize;
    int top = (titleHeight - bitmapHeight + 1) / 2;
    for (int i = 0; i < kButtonCount; ++i) {
        x = x - bitmapWidth - btnSize - 1;
        out[i] = {x, top, x + bitmapWidth, top + bitmapHeight};
    }
    return true;
}
