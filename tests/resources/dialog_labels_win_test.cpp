// What a screen reader says for each field of every dialog: the static text just before the
// field in the tab order names it, and that label carries the field's mnemonic.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "base/win/wide_text.h"
#include "resources/resource.h"

namespace {
INT_PTR CALLBACK Quiet(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::wstring ClassOf(HWND w) {
    wchar_t name[64] = L"";
    GetClassNameW(w, name, 64);
    return name;
}

bool IsField(const std::wstring& kind) {
    return lstrcmpiW(kind.c_str(), L"Edit") == 0 || lstrcmpiW(kind.c_str(), L"ComboBox") == 0 ||
           lstrcmpiW(kind.c_str(), L"ListBox") == 0 || lstrcmpiW(kind.c_str(), WC_LISTVIEWW) == 0 ||
           lstrcmpiW(kind.c_str(), TRACKBAR_CLASSW) == 0;
}

bool IsGroupBox(HWND w) {
    return lstrcmpiW(ClassOf(w).c_str(), L"Button") == 0 &&
           (GetWindowLongPtrW(w, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The label a reader takes for the field: the nearest static text (shown, or kept hidden where
// the layout has no room for one) or group box before it in the tab order, across spin buttons
// (which belong to the field beside them).
HWND LabelOf(HWND field) {
    for (HWND w = GetWindow(field, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        std::wstring kind = ClassOf(w);
        if (lstrcmpiW(kind.c_str(), UPDOWN_CLASSW) == 0) continue;
        return lstrcmpiW(kind.c_str(), L"Static") == 0 || IsGroupBox(w) ? w : nullptr;
    }
    return nullptr;
}

TEST(DialogLabels, EveryFieldIsNamedByTheLabelBeforeIt) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                        ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    const int dialogs[] = {IDD_HOLIDAYS, IDD_DATE_MEMO, IDD_FREE_MEMO, IDD_PHRASES, IDD_TAGS, IDD_REPEAT,
                           IDD_COUNTDOWN, IDD_SEARCH, IDD_SETTINGS_DISPLAY, IDD_SETTINGS_DESIGN,
                           IDD_SETTINGS_OPERATION};
    // The settings pages are child dialogs: they need a parent.
    HWND frame = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, frame);
    int fields = 0;
    for (int id : dialogs) {
        HWND d = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), frame, Quiet, 0);
        ASSERT_NE(nullptr, d) << id;
        for (HWND w = GetWindow(d, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            if (!IsField(ClassOf(w))) continue;
            ++fields;
            HWND label = LabelOf(w);
            if (!label) {
                ADD_FAILURE() << "dialog " << id << ": field " << GetDlgCtrlID(w) << " has no label before it";
                continue;
            }
            std::string text = WindowText(label);  // code page 932, for the message
            EXPECT_NE(text.find('&'), std::string::npos)
                << "dialog " << id << ": field " << GetDlgCtrlID(w) << " is named \"" << text << "\", without a mnemonic";
        }
        DestroyWindow(d);
    }
    DestroyWindow(frame);
    EXPECT_GT(fields, 40);
}
}  // namespace
