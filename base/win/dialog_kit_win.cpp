#include "base/win/dialog_kit.h"

#include <commctrl.h>

SIZE DesktopSize() {
    RECT r;
    GetClientRect(GetDesktopWindow(), &r);
    return SIZE{r.right, r.bottom};
}

void SetEditTextCaretAtEnd(HWND dialog, int id, const char* text) {
    HWND edit = GetDlgItem(dialog, id);
    SetText(edit, text);
    int length = GetWindowTextLengthW(edit);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(length), length);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void CentreOnScreen(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    SIZE screen = DesktopSize();
    SetWindowPos(window, nullptr, (screen.cx - (r.right - r.left)) / 2, (screen.cy - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FillList(HWND dialog, int id, const std::vector<std::string>& entries, int selection) {
    SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
    for (const std::string& e : entries)
        SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(e).c_str()));
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

int ListSelection(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0)); }

void AnchoredLayout::Measure(HWND dialog, const Anchor* anchors, int count) {
    RECT client, window;
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &window);
    width0_ = client.right, height0_ = client.bottom;
    minimum_ = SIZE{window.right - window.left, window.bottom - window.top};
    placed_.clear();
    for (int i = 0; i < count; ++i) {
        HWND item = GetDlgItem(dialog, anchors[i].id);
        if (!item) continue;
        RECT r;
        GetWindowRect(item, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        placed_.push_back(Placed{anchors[i], Box{r.left, r.top, r.right, r.bottom}});
    }
}

void AnchoredLayout::Apply(HWND dialog) const {
    RECT client;
    GetClientRect(dialog, &client);
    for (const Placed& p : placed_) {
        Box b = AnchoredBox(p.at, p.anchor, width0_, height0_, client.right, client.bottom);
        SetWindowPos(GetDlgItem(dialog, p.anchor.id), nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void SetUpReportColumns(HWND list, const char* const* titles, const int* widths, int count) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int c = 0; c < count; ++c) {
        std::wstring title = Wide(titles[c]);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = widths[c];
        column.pszText = title.data();
        column.iSubItem = c;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
    }
}
