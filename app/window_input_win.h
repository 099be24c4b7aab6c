// The calendar window's input: pointer, keyboard, wheel, hot key, context menus and commands,
// each a handler the window procedure calls. The decisions are app/pointer, app/cursor_ring and
// app/commands; this file only talks to the system.
#pragma once
#include <windows.h>

constexpr UINT_PTR kResizeTimer = 2;
constexpr UINT_PTR kHighlightTimer = 5;
constexpr UINT_PTR kWheelTimer = 6;

LRESULT OnHitTest(HWND hwnd, LPARAM lParam);
bool OnSetCursor(HWND hwnd);  // true when the hand was set over a button
void OnLeftButton(HWND hwnd, LPARAM lParam, bool doubleClick);
void OnMiddleButton(HWND hwnd);
void OnRightButtonUp(HWND hwnd, int x, int y);
void OnNonClientRightButtonUp(HWND hwnd, LPARAM lParam);
void OnMouseWheel(HWND hwnd, WPARAM wParam);
void OnKeyDown(HWND hwnd, WPARAM wParam);
void OnChar(HWND hwnd, WPARAM wParam);
// WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION, WM_IME_ENDCOMPOSITION (passed on afterwards).
void OnImeComposition(HWND hwnd, UINT message);
void OnCommand(HWND hwnd, WPARAM wParam);
void OnHotkey(HWND hwnd);
void OnHighlightTimer(HWND hwnd);
void OnWheelTimer(HWND hwnd);
void OnResizeTimer(HWND hwnd);
void OnSize(HWND hwnd, WPARAM type);
// WM_ACCESSIBLE_REQUEST: what a screen reader asked for (select, default action, press).
void OnAccessibleRequest(HWND hwnd, WPARAM request, LPARAM target);

// Repaints the cell's rectangle (nothing for a cell that is not on screen).
void RepaintCell(HWND hwnd, int cell);
// Stores an open quick memo before something else takes over the cell.
void CommitQuickMemo(HWND hwnd);

// Makes cell the highlighted one and repaints both; with timeout the frame goes after 3 s. An
// open quick memo on another cell is stored first.
void SelectCell(HWND hwnd, int cell, bool timeout);
