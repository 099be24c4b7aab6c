#include "memo/memo_dialog_frame_win.h"

#include "base/win/owner_notes.h"
#include "config/dialog_placement.h"
#include "config/tag_dialog_win.h"

void OpenFrame(HWND dialog, MemoDialogFrame* frame, const Anchor* anchors, int count) {
    frame->layout.Measure(dialog, anchors, count);
    SIZE screen = DesktopSize();
    DialogPlacement p = ReadDialogPlacement(frame->name, frame->keep, screen.cx, screen.cy);
    if (p.hasSize) SetWindowPos(dialog, nullptr, 0, 0, p.width, p.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (p.hasPosition) SetWindowPos(dialog, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    else CentreOnScreen(dialog);
    frame->layout.Apply(dialog);
}

void SaveFrame(HWND dialog, const MemoDialogFrame& frame) {
    RECT r;
    GetWindowRect(dialog, &r);
    SIZE screen = DesktopSize();
    SaveDialogPlacement(frame.name, frame.keep, screen.cx, screen.cy,
                        DialogPlacement{true, r.left, r.top, true, r.right - r.left, r.bottom - r.top});
}

void OpenTagsOver(HWND dialog, HWND calendar, Colour* customColours) {
    TagDialog tags = {customColours, false};
    OpenTagDialog(dialog, &tags);
    if (tags.changed) TellOwner(calendar, kNoteRebuild);
}

void ResizeFrame(HWND dialog, const MemoDialogFrame& frame, bool filling) {
    if (filling) return;
    frame.layout.Apply(dialog);
    InvalidateRect(dialog, nullptr, TRUE);
}

void LimitFrame(const MemoDialogFrame& frame, LPARAM minMaxInfo) {
    SIZE minimum = frame.layout.MinimumSize();
    if (minimum.cx <= 0) return;
    MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(minMaxInfo);
    info->ptMinTrackSize.x = minimum.cx;
    info->ptMinTrackSize.y = minimum.cy;
}
