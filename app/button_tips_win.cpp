#include "app/button_tips_win.h"

#include <commctrl.h>

#include "config/operations.h"
#include "render/title_buttons.h"

namespace {
TOOLINFOA ToolOf(HWND hwnd, int index) {
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = hwnd;
    tool.uId = static_cast<UINT_PTR>(index);
    return tool;
}
}  // namespace

HWND CreateButtonTips(HWND hwnd) {
    HWND tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (!tips) return nullptr;
    for (int i = 0; i < kButtonCount; ++i) {
        TOOLINFOA tool = ToolOf(hwnd, i);
        tool.lpszText = const_cast<char*>(OperationName(ButtonCommand(i)));
        SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tips;
}

void PlaceButtonTips(HWND tips, HWND hwnd, const PaintResult& painted) {
    if (!tips) return;
    for (int i = 0; i < kButtonCount; ++i) {
        TOOLINFOA tool = ToolOf(hwnd, i);
        const ButtonRect& b = painted.buttons[i];
        if (painted.buttonsShown) tool.rect = {b.left, b.top, b.right, b.bottom};
        SendMessageA(tips, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}
