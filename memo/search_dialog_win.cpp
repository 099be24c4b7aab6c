#include "memo/search_dialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "base/win/clipboard_win.h"
#include "base/win/dialog_kit.h"
#include "base/win/modal_dialog.h"
#include "base/win/owner_notes.h"
#include "base/win/wide_text.h"
#include "memo/memo_search.h"
#include "memo/memo_text_win.h"
#include "memo/search_results.h"
#include "resources/resource.h"

namespace {
constexpr int kDateColumnMargin = 16;  // the list's space before and after a column's text

struct SearchState {
    SearchDialog* d;
    HWND owner;
    // The rows in the order shown. The list (LVS_OWNERDATA) holds only their count and asks for
    // the texts of the rows it draws, so ten thousand hits show at once and sort here.
    std::vector<SearchRow> rows;
};

HWND ResultList(HWND dialog) { return GetDlgItem(dialog, IDC_SEARCH_RESULTS); }

void ShowStatus(HWND dialog, const char* text) { SetItemText(dialog, IDC_SEARCH_STATUS, text); }

void ShowRows(HWND dialog, const SearchState* s) {
    HWND list = ResultList(dialog);
    SendMessageW(list, LVM_SETITEMCOUNT, s->rows.size(), 0);
    InvalidateRect(list, nullptr, TRUE);
}

void SetRowState(HWND list, int index, UINT state, UINT mask) {
    LVITEMW item = {};
    item.state = state;
    item.stateMask = mask;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

BOOL OnInit(HWND dialog) {
    CentreOnScreen(dialog);
    HWND list = ResultList(dialog);
    SetUpReportColumns(list, kSearchColumnTitles, kSearchColumnWidths, 2);
    // The date column as wide as a date in the list's own font, with the list's margins, so that
    // no date is shortened.
    int dateWidth = static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(L"0000/00/00")));
    if (dateWidth + kDateColumnMargin > kSearchColumnWidths[0])
        SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(dateWidth + kDateColumnMargin, 0));
    SendDlgItemMessageW(dialog, IDC_SEARCH_KEYWORD, EM_LIMITTEXT, kSearchKeywordMax, 0);
    EnableWindow(GetDlgItem(dialog, IDC_SEARCH_COPY), FALSE);
    SetFocus(GetDlgItem(dialog, IDC_SEARCH_KEYWORD));
    return FALSE;  // the focus is set
}

void OnFind(HWND dialog, SearchState* s) {
    std::wstring typed = WideWindowText(GetDlgItem(dialog, IDC_SEARCH_KEYWORD));
    // A character no memo can hold would be searched for as "?" and find other memos.
    if (RefuseUnheldMemo(dialog, IDC_SEARCH_KEYWORD, typed)) return;
    std::string keyword = Sjis(typed);
    if (keyword.empty()) {
        ShowStatus(dialog, "キーワードを指定してください");
        SetFocus(GetDlgItem(dialog, IDC_SEARCH_KEYWORD));
        return;
    }
    s->rows.clear();
    ShowRows(dialog, s);
    ShowStatus(dialog, "検索しています...");
    // The search holds the dialog until it ends: what it says now is drawn before it starts.
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    SearchOutcome outcome = SearchMemos(s->d->memoPath, *s->d->tags, keyword.c_str(), &s->rows);
    SetCursor(before);
    ShowRows(dialog, s);
    char status[64];
    SearchStatusText(outcome, static_cast<int>(s->rows.size()), status, sizeof status);
    ShowStatus(dialog, status);
    EnableWindow(GetDlgItem(dialog, IDC_SEARCH_COPY), !s->rows.empty());
}

void OnCopy(HWND dialog, SearchState* s) {
    if (s->rows.empty()) return;
    if (PutTextOnClipboard(s->d->clipboardOwner, SearchCopyText(s->rows)))
        ShowStatus(dialog, "検索結果をクリップボードにコピーしました");
}

// The table is sorted in place; the rows selected, and the one with the focus, stay so wherever
// they move (the list itself knows positions only).
void OnColumnClick(HWND dialog, SearchState* s, int column) {
    int state = NextSortState(column);
    if (!state) return;
    HWND list = ResultList(dialog);
    std::vector<char> selected(s->rows.size(), 0);
    for (int i = -1; (i = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
        selected[static_cast<size_t>(s->rows[static_cast<size_t>(i)].order)] = 1;
    int focused = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    int focusedOrder = focused >= 0 ? s->rows[static_cast<size_t>(focused)].order : -1;
    SortSearchRows(&s->rows, column, state);
    SetRowState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (size_t i = 0; i < s->rows.size(); ++i) {
        UINT mark = (selected[static_cast<size_t>(s->rows[i].order)] ? LVIS_SELECTED : 0) |
                    (s->rows[i].order == focusedOrder ? LVIS_FOCUSED : 0);
        if (mark) SetRowState(list, static_cast<int>(i), mark, mark);
    }
    InvalidateRect(list, nullptr, TRUE);
}

// The list asks for the text of a row it draws or is asked for.
void OnGetText(const SearchState* s, LVITEMW* item) {
    if (!(item->mask & LVIF_TEXT) || item->cchTextMax <= 0 || item->iItem < 0 ||
        item->iItem >= static_cast<int>(s->rows.size()))
        return;
    std::wstring text = Wide(SearchColumnText(s->rows[static_cast<size_t>(item->iItem)], item->iSubItem));
    // Cut to the list's buffer on a whole character, as the 932 field was.
    size_t fit = std::min(text.size(), static_cast<size_t>(item->cchTextMax) - 1);
    if (fit > 0 && fit < text.size() && text[fit - 1] >= 0xD800 && text[fit - 1] <= 0xDBFF) --fit;
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(fit), item->pszText);
    item->pszText[fit] = L'\0';
}

// A hit double-clicked: the calendar shows its day.
void OnRowActivated(const SearchState* s, int row) {
    if (row < 0 || row >= static_cast<int>(s->rows.size())) return;
    const SearchRow& hit = s->rows[static_cast<size_t>(row)];
    TellOwner(s->owner, kNoteShowDay, DayNoteValue(hit.year, hit.month, hit.day));
}

// True for the notes answered here; the others get the list's defaults.
bool OnNotify(HWND dialog, SearchState* s, NMHDR* note) {
    if (note->idFrom != IDC_SEARCH_RESULTS) return false;
    switch (note->code) {
    case LVN_GETDISPINFOW: OnGetText(s, &reinterpret_cast<NMLVDISPINFOW*>(note)->item); return true;
    case LVN_COLUMNCLICK: OnColumnClick(dialog, s, reinterpret_cast<NMLISTVIEW*>(note)->iSubItem); return true;
    case NM_DBLCLK: OnRowActivated(s, reinterpret_cast<NMITEMACTIVATE*>(note)->iItem); return false;
    default: return false;
    }
}

void OnCommand(HWND dialog, SearchState* s, int id) {
    switch (id) {
    case IDC_SEARCH_FIND: OnFind(dialog, s); break;
    case IDC_SEARCH_COPY: OnCopy(dialog, s); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    default: break;
    }
}

INT_PTR SearchProc(HWND dialog, SearchState* s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(dialog);
    case WM_COMMAND: OnCommand(dialog, s, LOWORD(wParam)); return TRUE;
    case WM_NOTIFY: return OnNotify(dialog, s, reinterpret_cast<NMHDR*>(lParam));
    default: return FALSE;
    }
}
}  // namespace

INT_PTR OpenSearchDialog(HWND owner, SearchDialog* dialog) {
    SearchState s = {};
    s.d = dialog;
    s.owner = owner;
    return RunModalDialog<SearchProc>(owner, IDD_SEARCH, &s);
}
