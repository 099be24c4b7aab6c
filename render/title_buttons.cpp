#include "render/title_buttons.h"

#include "resources/resource.h"

namespace {
// Small and large bitmap of each button; the pin's are the lying ones (always on top: +1).
const int kSmall[kButtonCount] = {IDB_CLOSE_SMALL, IDB_HIDE_SMALL, IDB_NEXT_MONTH_SMALL, IDB_THIS_MONTH_SMALL,
                                  IDB_PREV_MONTH_SMALL, IDB_PIN_OFF_SMALL, IDB_SETTINGS_SMALL};
const int kLarge[kButtonCount] = {IDB_CLOSE_LARGE, IDB_HIDE_LARGE, IDB_NEXT_MONTH_LARGE, IDB_THIS_MONTH_LARGE,
                                  IDB_PREV_MONTH_LARGE, IDB_PIN_OFF_LARGE, IDB_SETTINGS_LARGE};
const int kCommands[kButtonCount] = {IDM_EXIT, IDM_HIDE, IDM_NEXT_MONTH, IDM_THIS_MONTH,
                                     IDM_PREV_MONTH, IDM_TOGGLE_TOPMOST, IDM_SETTINGS};
constexpr int kPinButton = 5;
}  // namespace

int ButtonBitmapId(int index, int btnSize, bool alwaysOnTop) {
    if (index < 0 || index >= kButtonCount) return 0;
    int id = ButtonLookOf(btnSize).large ? kLarge[index] : kSmall[index];
    return index == kPinButton && alwaysOnTop ? id + 1 : id;
}

int ButtonCommand(int index) { return index >= 0 && index < kButtonCount ? kCommands[index] : 0; }

bool LayButtons(int windowWidth, int titleHeight, int btnSize, int bitmapWidth, int bitmapHeight,
                ButtonRect out[kButtonCount], int scale) {
    ButtonLook look = ButtonLookOf(btnSize);
    if (!look.shown) return false;
    int gap = (look.large ? 2 : 1) * scale;
    int x = windowWidth - 1 - scale + gap;
    int top = (titleHeight - bitmapHeight + 1) / 2;
    for (int i = 0; i < kButtonCount; ++i) {
        x = x - bitmapWidth - gap;
        out[i] = {x, top, x + bitmapWidth, top + bitmapHeight};
    }
    return true;
}
