#include "app/button_tips_win.h"

#include <commctrl.h>

#include <string>

#include "base/win/wide_text.h"

#include "config/operations.h"
#include "render/title_buttons.h"

namespace {
TOOLINFOW ToolOf(HWND hwnd, int index) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = hwnd;
    tool.uId = static_cast<UINT_PTR>(index);
    return tool;
}
}  // namespace

HWND CreateButtonTips(HWND hwnd) {
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!tips) return nullptr;
    for (int i = 0; i < kButtonCount; ++i) {
        TOOLINFOW tool = ToolOf(hwnd, i);
        std::wstring name = Wide(OperationName(ButtonCommand(i)));  // the tool keeps its own copy
        tool.lpszText = name.data();
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tips;
}

void PlaceButtonTips(HWND tips, HWND hwnd, const PaintResult& painted) {
    if (!tips) return;
    for (int i = 0; i < kButtonCount; ++i) {
        TOOLINFOW tool = ToolOf(hwnd, i);
        const ButtonRect& b = painted.buttons[i];
        if (painted.buttonsShown) tool.rect = {b.left, b.top, b.right, b.bottom};
        SendMessageW(tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}
