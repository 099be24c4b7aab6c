// The memo dialogs' templates as the programs load them: caption, size in dialog units, font,
// and each control's id, class and text.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/win/wide_text.h"
#include "resources/resource.h"

namespace {

struct Control {
    int id;
    const char* kind;  // window class
    const char* text;
};

INT_PTR CALLBACK Quiet(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Creates the dialog hidden and checks what the template says.
void CheckTemplate(int resource, const char* caption, int width, int height, const std::vector<Control>& controls) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    HWND d = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), nullptr, Quiet, 0);
    ASSERT_NE(nullptr, d) << resource;
    // Texts read back in code page 932, as the narrow literals of this file are compiled.
    EXPECT_EQ(std::string(caption), WindowText(d)) << resource;
    RECT units = {0, 0, width, height}, client;
    MapDialogRect(d, &units);
    GetClientRect(d, &client);
    EXPECT_EQ(units.right, client.right) << resource;
    EXPECT_EQ(units.bottom, client.bottom) << resource;
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(d, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ("ＭＳ Ｐゴシック", Sjis(font.lfFaceName)) << resource;
    for (const Control& c : controls) {
        HWND item = GetDlgItem(d, c.id);
        ASSERT_NE(nullptr, item) << resource << " " << c.id;
        wchar_t kind[64] = L"";
        GetClassNameW(item, kind, 64);
        EXPECT_STRCASEEQ(c.kind, Sjis(kind).c_str()) << resource << " " << c.id;
        if (c.text) {
            EXPECT_EQ(std::string(c.text), WindowText(item)) << resource << " " << c.id;
        }
    }
    DestroyWindow(d);
}

TEST(Dialogs, DateMemo) {
    CheckTemplate(IDD_DATE_MEMO, "日付メモ", 186, 127,
                  {{1010, "ComboBox", nullptr}, {1007, "ComboBox", nullptr}, {1008, "ComboBox", nullptr},
                   {1006, "Edit", ""}, {1132, "Static", "<上書>"}, {1142, "Static", "繰り返し(&E)："},
                   {1128, "ComboBox", nullptr}, {1129, "Button", "設定(&S)..."}, {1022, "Button", "色(&C)..."},
                   {1021, "Button", "消去(&R)..."}, {IDOK, "Button", "OK"}, {IDCANCEL, "Button", "キャンセル"}});
}

TEST(Dialogs, FreeMemo) {
    CheckTemplate(IDD_FREE_MEMO, "メモ", 258, 99,
                  {{1016, "Edit", ""}, {1022, "Button", "色(&C)..."}, {IDOK, "Button", "OK"},
                   {IDCANCEL, "Button", "キャンセル"}});
}

TEST(Dialogs, Repeat) {
    CheckTemplate(IDD_REPEAT, "繰り返し入力設定", 186, 85,
                  {{1126, "Edit", nullptr}, {1127, "msctls_updown32", nullptr}, {1131, "ComboBox", nullptr},
                   {1010, "ComboBox", nullptr}, {1007, "ComboBox", nullptr}, {1008, "ComboBox", nullptr},
                   {1130, "ComboBox", nullptr}, {IDOK, "Button", "OK"}, {IDCANCEL, "Button", "キャンセル"}});
}

TEST(Dialogs, Countdown) {
    CheckTemplate(IDD_COUNTDOWN, "あと何日メモ", 190, 95,
                  {{1126, "Edit", nullptr}, {1127, "msctls_updown32", nullptr}, {1010, "ComboBox", nullptr},
                   {1007, "ComboBox", nullptr}, {1008, "ComboBox", nullptr}, {1125, "Edit", ""},
                   {3, "Button", "追加(&A)"}, {4, "Button", "削除(&R)"}, {IDOK, "Button", "OK"},
                   {IDCANCEL, "Button", "キャンセル"}});
}

TEST(Dialogs, Phrases) {
    CheckTemplate(IDD_PHRASES, "定型句の設定", 187, 191,
                  {{1072, "ListBox", nullptr}, {1069, "Edit", ""}, {3, "Button", "↑上へ(&U)"},
                   {4, "Button", "↓下へ(&D)"}, {IDOK, "Button", "OK"}, {IDCANCEL, "Button", "キャンセル"}});
}

TEST(Dialogs, Tags) {
    CheckTemplate(IDD_TAGS, "タグ文字の設定", 200, 145,
                  {{IDC_TAG_LIST, "ListBox", nullptr}, {IDC_TAG_WORD, "Edit", ""}, {IDC_TAG_BOLD, "Button", "太字(&B)"},
                   {IDC_TAG_ITALIC, "Button", "斜体(&I)"}, {IDC_TAG_STRIKE, "Button", "取消線(&S)"},
                   {IDC_TAG_SWATCH, "Static", ""}, {IDC_TAG_COLOUR, "Button", "変更..."}, {IDOK, "Button", "OK"},
                   {IDCANCEL, "Button", "キャンセル"}});
}

}  // namespace
