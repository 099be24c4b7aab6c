// The title buttons' tooltips: each button names its command where the last paint put it.
#pragma once
#include <windows.h>

#include "render/painter.h"

// The tooltip control of the calendar window, one tool per button. It has no owner (under Wine an
// owned topmost popup keeps its owner from becoming topmost), so whoever creates it destroys it.
HWND CreateButtonTips(HWND hwnd);
// The tools follow the buttons the paint laid out (empty while the buttons are hidden).
void PlaceButtonTips(HWND tips, HWND hwnd, const PaintResult& painted);
