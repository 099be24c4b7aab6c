// The frame the two memo dialogs share: resizable, their controls following the edges, opening
// where "DLGPLACEMENT_KEEP" kept them (or centred), saving their place when they close.
#pragma once
#include <windows.h>

#include "base/colour.h"
#include "base/win/dialog_kit.h"

struct MemoDialogFrame {
    const char* name;  // "DATEMEMO" or "MEMO": the placement keys' prefix
    int keep;          // "DLGPLACEMENT_KEEP"
    AnchoredLayout layout;
};

// WM_INITDIALOG: measures the controls, restores the kept place and size, lays the controls out.
void OpenFrame(HWND dialog, MemoDialogFrame* frame, const Anchor* anchors, int count);
// Before the dialog ends: writes the kept placement, deletes what is not kept.
void SaveFrame(HWND dialog, const MemoDialogFrame& frame);
// 色(&C)...: the tag dialog over the memo dialog, its colour chooser with customColours (the
// design's); the calendar is repainted when tags changed.
void OpenTagsOver(HWND dialog, HWND calendar, Colour* customColours);
// WM_SIZE: the controls follow the edges (not while the dialog is being filled).
void ResizeFrame(HWND dialog, const MemoDialogFrame& frame, bool filling);
// WM_GETMINMAXINFO: never smaller than the template.
void LimitFrame(const MemoDialogFrame& frame, LPARAM minMaxInfo);
