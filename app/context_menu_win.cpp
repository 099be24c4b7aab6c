#include "app/context_menu_win.h"

#include <string>

#include "app/commands.h"
#include "app/interaction.h"
#include "app/memo_commands.h"
#include "app/menu_text.h"
#include "base/cell_ids.h"
#include "base/win/clipboard_win.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "calendar/today.h"
#include "config/app_state.h"
#include "config/key_names_win.h"
#include "config/operations.h"
#include "memo/phrases.h"
#include "resources/resource.h"
#include "view/view_layout.h"

namespace {
// Texts, key names and states of every item.
void FillItems(HMENU popup, const MenuState& state) {
    int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(popup, i);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;
        std::string text = MenuItemText(popup, static_cast<UINT>(i));
        std::string item = text;
        if (id == IDM_CLEAR_MONTH)
            item = ClearMonthItemText(text.c_str(), g_view.displayedMonth.tm_year + 1900, g_view.displayedMonth.tm_mon + 1);
        int key = state.keysShown ? KeyOfCommand(static_cast<int>(id)) : 0;
        if (key) item += "\t" + KeyBindingName(key, KeyNameOf(key).c_str());
        UINT flags = MF_BYPOSITION | MF_STRING;
        if (const CommandSpec* c = FindCommand(static_cast<int>(id))) {
            if (c->grayed && c->grayed(state)) flags |= MF_GRAYED;
            if (c->checked && c->checked(state)) flags |= MF_CHECKED;
        }
        ModifyMenuItem(popup, static_cast<UINT>(i), flags, id, item);
    }
}

// The fixed-phrase item becomes a popup of the stored phrases, or is grayed without any.
void FillPhrases(HMENU popup) {
    int at = -1;
    for (int i = 0; i < GetMenuItemCount(popup); ++i)
        if (GetMenuItemID(popup, i) == IDM_PHRASE_POPUP) at = i;
    if (at < 0) return;
    std::string title = MenuItemText(popup, static_cast<UINT>(at));
    OwnedMenu phrases(CreatePopupMenu());
    int stored = 0;
    for (int slot = 0; slot < kPhraseCount && phrases; ++slot) {
        std::string phrase = ReadPhrase(slot);
        if (phrase.empty()) continue;
        char text[100];
        PhraseMenuText(phrase.c_str(), text, sizeof text);
        AppendMenuItem(phrases.get(), MF_STRING, IDM_PASTE_PHRASE_1 + slot, text);
        ++stored;
    }
    if (stored == 0) {
        EnableMenuItem(popup, at, MF_BYPOSITION | MF_GRAYED);
        return;
    }
    // The menu takes the popup over and destroys it with itself.
    ModifyMenuItem(popup, static_cast<UINT>(at), MF_POPUP, reinterpret_cast<UINT_PTR>(phrases.release()), title);
}
}  // namespace

MenuState MenuStateNow(HWND hwnd, const MenuChoice& choice) {
    MenuState s = {};
    s.menu = choice.menu;
    s.keysShown = g_app.settings.keyassignEnable != 0;
    s.awayFromThisMonth = g_nav.monthOffset != 0 || g_nav.scrolled;
    s.buttonsShown = ButtonLookOf(g_app.settings.btnSize).shown;
    s.alwaysOnTop = g_interaction.alwaysOnTop;
    s.canUndo = CanUndoMemo();
    s.canRedo = CanRedoMemo();
    s.targetHasMemo = CellHasMemo(choice.target);
    std::string text;  // an empty text pastes nothing, so it does not enable pasting
    s.clipboardHasText = TextOnClipboard(hwnd, &text);
    s.reach = NavigationReachNow();
    return s;
}

OwnedMenu FilledContextMenu(const MenuChoice& choice, const MenuState& state) {
    OwnedMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(choice.menu)));
    HMENU popup = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (!popup) return OwnedMenu();
    FillItems(popup, state);
    if (choice.menu == IDR_MEMO_MENU) {
        FillPhrases(popup);
        int year, month, day;
        if (DateOfCell(choice.target, &year, &month, &day)) {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            AppendMenuItem(popup, MF_STRING, IDM_MEMO_INPUT, DateItemText(year, month, day, g_today.dayNumber));
        }
    }
    return menu;
}

void ShowContextMenu(HWND hwnd, const MenuChoice& choice, POINT at) {
    OwnedMenu menu = FilledContextMenu(choice, MenuStateNow(hwnd, choice));
    if (!menu) return;
    TrackPopupMenu(GetSubMenu(menu.get(), 0), TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr);
    PostMessageW(hwnd, WM_NULL, 0, 0);
}
