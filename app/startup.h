// The decisions of start-up, apart from the window system so they can be checked anywhere.
#pragma once
#include "view/view_layout.h"

// Delay of the first minute-timer run: 100 ms when the start-up alarm is on, otherwise one
// second after the next full minute (seconds = the seconds of the current minute).
int FirstMinuteTimerDelay(int alarmStartup, int seconds);

// Default position of a window of size `window` on a screen of size `screen`: centred,
// truncating toward zero (a window larger than the screen starts left of or above it).
int CentredPosition(int screen, int window);

// Keeps what a layout left for the configuration: the window height under the key of the screen
// height ("WIN_HEIGHT_%d") and "TOP_DATE". A failed write is told by the store.
void StoreLayoutResult(const LayoutResult& result, int screenHeight);

// "ZORDER" as stored: 1 always on top, 2 at the bottom, anything else as the system places it.
enum ZOrderPlacement { kZOrderUnchanged = 0, kZOrderTopmost = 1, kZOrderBottom = 2 };
ZOrderPlacement ZOrderOf(int zorderSetting);

// The "HOTKEY" modifier byte (0x01 Shift, 0x02 Ctrl, 0x04 Alt, 0x08 Win) as the platform's
// hot key modifier flags (1 Alt, 2 Control, 4 Shift, 8 Win).
unsigned HotkeyModifierFlags(int hotkey);
