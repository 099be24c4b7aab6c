// What the settings dialog's frame and its three pages share while the dialog is open: the
// working copies of the settings, design and bindings with the design's own fonts, the frame and
// the pages. The frame and each page keep it as their dialog record (base/win/modal_dialog.h).
#pragma once
#include <windows.h>

#include "base/win/handles.h"
#include "base/win/modal_dialog.h"
#include "config/app_state.h"
#include "config/operations.h"

// A page tells the frame that the user changed something (sent, wParam and lParam 0).
constexpr UINT WM_SETTINGS_CHANGED = WM_USER + 101;

enum SettingsPage { kDisplayPage, kDesignPage, kOperationPage, kSettingsPageCount };

struct SettingsDialog;

struct SettingsSession {
    SettingsDialog* dialog = nullptr;  // the record the dialog was opened with (null: a page alone)
    HWND frame = nullptr;
    HWND pages[kSettingsPageCount] = {};
    AppState kept{};                   // the settings in force: as the dialog found them, or as
                                       // 適用 last kept them (a test shows work, never keeps it)
    AppState work{};                   // the working copy: the pages change only this
    OperationBindings bindings{};      // the working copy of the bindings (page "操作")
    OwnedFont fonts[kFontPlaceCount];  // made from work.design.fonts (MakeWorkFonts)
    OwnedBrush swatch;                 // the brush of the design page's swatch painted last
    Filling filling;                   // the dialog fills its controls: commands and change
                                       // signals are not the user's
    int shellVersion = 0;              // 5 or more: balloon tips from the tray icon
};

// The session of a page or of the frame.
inline SettingsSession* SessionOf(HWND dialog) { return DialogStateOf<SettingsSession>(dialog); }

// A control by its id, looked for on all three pages (ids are unique over them).
HWND SettingsControl(const SettingsSession& s, int id);

// Brings page index to the front: its tab chosen, the other pages hidden.
void ShowSettingsPage(SettingsSession* s, int index);

// The change signal of a page: the frame enables テスト and 適用; with "リアルタイムにテスト"
// checked, the frame is also asked to test.
void NoteSettingsChanged(HWND page);

// Makes the ten fonts of the working copy again from its font places.
void MakeWorkFonts(SettingsSession* s);

// Checks and collects every page into the working copy (the frame's CollectSettings): on the first
// bad entry the status line says why, the focus goes to the field, and false comes back.
bool CollectSettings(SettingsSession* s);

// The pages: each fills its controls from the working copies; their procedures run as children
// of the frame, created with the session as lParam.
void FillDisplayPage(HWND page, SettingsSession* s);
void FillDesignPage(HWND page, SettingsSession* s);
void FillOperationPage(HWND page, SettingsSession* s);
INT_PTR CALLBACK DisplayPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DesignPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OperationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
