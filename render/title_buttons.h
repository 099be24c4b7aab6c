// The seven operation buttons of the title bar: their bitmaps, commands and rectangles.
#pragma once

constexpr int kButtonCount = 7;

struct ButtonRect {
    int left, top, right, bottom;
};

// Bitmap resource of button index for "BTN_SIZE" (bit 0: large) and the always-on-top state.
int ButtonBitmapId(int index, int btnSize, bool alwaysOnTop);
// The menu command a click on button index posts.
int ButtonCommand(int index);

// Whether the buttons are shown ("BTN_SIZE" 0 or 1).
inline bool ButtonsShown(int btnSize) { return btnSize >= 0 && btnSize < 2; }

// Rectangles right to left for bitmaps of the given size (drawn at a whole multiple `scale`,
// which widens the gaps alike); false (nothing written) while hidden.
bool LayButtons(int windowWidth, int titleHeight, int btnSize, int bitmapWidth, int bitmapHeight,
                ButtonRect out[kButtonCount], int scale = 1);
