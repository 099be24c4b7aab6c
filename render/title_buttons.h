// The seven operation buttons of the title bar: their bitmaps, commands and rectangles.
#pragma once
#include "config/app_state.h"

constexpr int kButtonCount = 7;

struct ButtonRect {
    int left, top, right, bottom;
};

// Bitmap resource of button index for "BTN_SIZE" and the always-on-top state.
int ButtonBitmapId(int index, int btnSize, bool alwaysOnTop);
// The menu command a click on button index posts.
int ButtonCommand(int index);

inline bool ButtonsShown(int btnSize) { return ButtonLookOf(btnSize).shown; }

// Rectangles right to left for bitmaps of the given size (drawn at a whole multiple `scale`,
// which widens the gaps alike); false (nothing written) while hidden.
bool LayButtons(int windowWidth, int titleHeight, int btnSize, int bitmapWidth, int bitmapHeight,
                ButtonRect out[kButtonCount], int scale = 1);
