// The settings page "デザイン": sizes, labels and title format of the working copy, the fonts and
// colours of its text places, the colours and opacity of its background places, and the named
// designs to switch to or save as.
#include "settings/design_page_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "base/sjis.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "config/edition.h"
#include "config/file_names.h"
#include "config/named_designs.h"
#include "config/write_failure_text.h"
#include "render/place_font_win.h"
#include "resources/resource.h"
#include "settings/design_edit.h"
#include "settings/settings_form.h"

namespace {
constexpr char kCaption[] = "Tessel";
constexpr int kSmoothMax = 4;
constexpr int kOpacityMax = 254;
const char* const kEffectNames[] = {"なし", "濃黒", "薄黒", "濃白", "薄白"};
// Shown and handled by the layered edition only.
constexpr int kLayeredOnly[] = {IDC_DESIGN_OPACITY, IDC_DESIGN_OPACITY_TEXT, IDC_DESIGN_OPACITY_LABEL,
                                IDC_DESIGN_HEM,     IDC_DESIGN_HEM_LABEL,    IDC_DESIGN_SHADOW,
                                IDC_DESIGN_SHADOW_LABEL};
constexpr int kTextSwatches[] = {IDC_DESIGN_TEXT_SWATCH_WEEKDAY, IDC_DESIGN_TEXT_SWATCH_HOLIDAY,
                                 IDC_DESIGN_TEXT_SWATCH_SATURDAY};
constexpr int kBackSwatches[] = {IDC_DESIGN_BACK_SWATCH_WEEKDAY, IDC_DESIGN_BACK_SWATCH_HOLIDAY,
                                 IDC_DESIGN_BACK_SWATCH_SATURDAY};

bool Layered() { return CurrentEdition() == kLayeredEdition; }

LRESULT Send(HWND page, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageW(page, id, message, wParam, lParam);
}

// The selected entries of a place list, in list order. With none selected the caret entry is
// selected and taken, so there is always a place to show and change.
std::vector<int> SelectedPlaces(HWND page, int list) {
    int count = static_cast<int>(Send(page, list, LB_GETSELCOUNT));
    std::vector<int> places(count > 0 ? count : 0);
    if (count > 0) Send(page, list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(places.data()));
    if (!places.empty()) return places;
    int caret = static_cast<int>(Send(page, list, LB_GETCARETINDEX));
    if (caret < 0) caret = 0;
    Send(page, list, LB_SETSEL, TRUE, caret);
    return {caret};
}

// The place a swatch shows, without selecting anything (painting must not change the selection).
int ShownPlace(HWND page, int list) {
    int first = 0;
    if (Send(page, list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&first)) == 1) return first;
    int caret = static_cast<int>(Send(page, list, LB_GETCARETINDEX));
    return caret >= 0 ? caret : 0;
}

void Repaint(HWND page, const int* ids, int count) {
    for (int i = 0; i < count; ++i) InvalidateRect(GetDlgItem(page, ids[i]), nullptr, TRUE);
}

void FillEffectList(HWND page, int id, int value) {
    Send(page, id, CB_RESETCONTENT);
    for (const char* name : kEffectNames) Send(page, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));
    Send(page, id, CB_SETCURSEL, value);
}

void ShowFontPlace(HWND page, SettingsSession* s) {
    int i = SelectedPlaces(page, IDC_DESIGN_FONT_PLACES)[0];
    const FontPlace& f = s->work.design.fonts[i];
    Send(page, IDC_DESIGN_FONT_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(s->fonts[i].get()), FALSE);
    SetItemText(page, IDC_DESIGN_FONT_NAME, FontNameText(f));
    Repaint(page, kTextSwatches, 3);
    EnableWindow(GetDlgItem(page, IDC_DESIGN_TEXT_COLOUR_HOLIDAY), FontPlaceHasDayColours(i));
    EnableWindow(GetDlgItem(page, IDC_DESIGN_TEXT_COLOUR_SATURDAY), FontPlaceHasDayColours(i));
    Send(page, IDC_DESIGN_SMOOTH, TBM_SETRANGE, TRUE, MAKELPARAM(0, kSmoothMax));
    Send(page, IDC_DESIGN_SMOOTH, TBM_SETPOS, TRUE, f.smooth);
    if (!Layered()) return;
    FillEffectList(page, IDC_DESIGN_HEM, f.hemming);
    FillEffectList(page, IDC_DESIGN_SHADOW, f.shadow);
}

void ShowBackPlace(HWND page, SettingsSession* s) {
    int i = SelectedPlaces(page, IDC_DESIGN_BACK_PLACES)[0];
    Repaint(page, kBackSwatches, 3);
    EnableWindow(GetDlgItem(page, IDC_DESIGN_BACK_COLOUR_WEEKDAY), TRUE);
    EnableWindow(GetDlgItem(page, IDC_DESIGN_BACK_COLOUR_HOLIDAY), BackPlaceHasDayColours(i));
    EnableWindow(GetDlgItem(page, IDC_DESIGN_BACK_COLOUR_SATURDAY), BackPlaceHasDayColours(i));
    if (!Layered()) return;
    int position = OpacityPosition(s->work.design.backs[i]);
    Send(page, IDC_DESIGN_OPACITY, TBM_SETRANGE, TRUE, MAKELPARAM(0, kOpacityMax));
    Send(page, IDC_DESIGN_OPACITY, TBM_SETPOS, TRUE, position);
    SetItemText(page, IDC_DESIGN_OPACITY_TEXT, OpacityText(position));
}

template <typename Place>
void FillPlaceList(HWND page, int id, const Place* places, int count) {
    Send(page, id, LB_RESETCONTENT);
    for (int i = 0; i < count; ++i) {
        std::wstring label = Wide(std::string_view(places[i].label, strnlen(places[i].label, sizeof places[i].label)));
        Send(page, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
    }
    Send(page, id, LB_SETSEL, TRUE, 0);
    Send(page, id, LB_SETCARETINDEX, 0, FALSE);
}

void Changed(HWND page, bool changed) {
    if (changed) NoteSettingsChanged(page);
}

BOOL OnInit(HWND page) {
    if (!Layered())
        for (int id : kLayeredOnly) ShowWindow(GetDlgItem(page, id), SW_HIDE);
    return FALSE;  // the frame sets the focus
}

void OnDestroy(SettingsSession* s) { s->swatch.reset(); }

void OnEditChanged(HWND page, const SettingsSession& s, int code) { Changed(page, code == EN_CHANGE && !s.filling); }

// Choosing a place is a change of the page like any other selection: テスト and 適用 come on.
void OnFontPlaceChosen(HWND page, SettingsSession* s, int code) {
    if (code != LBN_SELCHANGE) return;
    ShowFontPlace(page, s);
    Changed(page, !s->filling);
}

void OnBackPlaceChosen(HWND page, SettingsSession* s, int code) {
    if (code != LBN_SELCHANGE) return;
    ShowBackPlace(page, s);
    Changed(page, !s->filling);
}

// The font chooser works in device heights; the places keep points.
void OnChooseFont(HWND page, SettingsSession* s, int code) {
    if (code != BN_CLICKED) return;
    std::vector<int> places = SelectedPlaces(page, IDC_DESIGN_FONT_PLACES);
    const LogFontA& first = s->work.design.fonts[places[0]].logFont;
    WindowDC screen(nullptr);
    int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
    LOGFONTW font = SystemLogFont(first);
    font.lfHeight = HeightOfPoints(first.lfHeight, dpi);
    CHOOSEFONTW choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = page;
    choice.lpLogFont = &font;
    choice.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST;
    if (!ChooseFontW(&choice)) return;
    // A face name 932 cannot hold would be kept with "?" and name no font at all.
    if (char32_t c = FirstUnheld(font.lfFaceName)) {
        ShowMessage(page, CharacterNamed(c) + L" はフォント名に使えない文字です。", kCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    LogFontA chosen = StoredLogFont(font);
    if (!SetPlaceFont(&s->work.design, places, chosen, PointsOfHeight(font.lfHeight, dpi))) return;
    MakeWorkFonts(s);
    ShowFontPlace(page, s);
    NoteSettingsChanged(page);
}

// A colour column of the selected font or background places. The chooser keeps its custom colours
// in the working copy's.
void ChooseColour(HWND page, SettingsSession* s, bool back, int column) {
    Design& d = s->work.design;
    std::vector<int> places = SelectedPlaces(page, back ? IDC_DESIGN_BACK_PLACES : IDC_DESIGN_FONT_PLACES);
    Colour custom[16];
    std::memcpy(custom, d.custColors, sizeof custom);
    CHOOSECOLORW choice = {};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = page;
    choice.rgbResult = back ? d.backs[places[0]].colours[column] : d.fonts[places[0]].colours[column];
    static_assert(sizeof(Colour) == sizeof(COLORREF), "a colour is a COLORREF");
    choice.lpCustColors = reinterpret_cast<COLORREF*>(d.custColors);
    choice.Flags = CC_RGBINIT;
    if (!ChooseColorW(&choice)) return;
    bool changed = back ? SetBackColour(&d, places, column, choice.rgbResult)
                        : SetFontColour(&d, places, column, choice.rgbResult);
    changed = changed || std::memcmp(custom, d.custColors, sizeof custom) != 0;
    Repaint(page, back ? kBackSwatches : kTextSwatches, 3);
    Changed(page, changed);
}

void OnTextColour(HWND page, SettingsSession* s, int code, int column) {
    if (code == BN_CLICKED) ChooseColour(page, s, false, column);
}

void OnBackColour(HWND page, SettingsSession* s, int code, int column) {
    if (code == BN_CLICKED) ChooseColour(page, s, true, column);
}

void OnEffectChosen(HWND page, SettingsSession* s, int id, int code) {
    if (code != CBN_SELCHANGE || !Layered()) return;
    int value = static_cast<int>(Send(page, id, CB_GETCURSEL));
    if (value < 0) return;
    std::vector<int> places = SelectedPlaces(page, IDC_DESIGN_FONT_PLACES);
    Design* d = &s->work.design;
    Changed(page, id == IDC_DESIGN_HEM ? SetHemming(d, places, value) : SetShadow(d, places, value));
}

void OnSlider(HWND page, SettingsSession* s, HWND slider) {
    int id = GetDlgCtrlID(slider);
    int position = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
    Design* d = &s->work.design;
    if (id == IDC_DESIGN_SMOOTH) {
        Changed(page, SetSmoothing(d, SelectedPlaces(page, IDC_DESIGN_FONT_PLACES), position));
    } else if (id == IDC_DESIGN_OPACITY && Layered()) {
        SetItemText(page, IDC_DESIGN_OPACITY_TEXT, OpacityText(position));
        Changed(page, SetBackOpacity(d, SelectedPlaces(page, IDC_DESIGN_BACK_PLACES), position));
    }
}

// Switching reads the chosen design into the working copy and lets the calendar show it at once.
void OnDesignChosen(HWND page, SettingsSession* s, int code) {
    if (code != CBN_SELCHANGE || s->filling) return;
    int i = static_cast<int>(Send(page, IDC_DESIGN_CHOICE, CB_GETCURSEL));
    LRESULT length = i < 0 ? CB_ERR : Send(page, IDC_DESIGN_CHOICE, CB_GETLBTEXTLEN, i);
    if (length < 0 || length >= MAX_PATH) return;
    std::wstring entry(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = Send(page, IDC_DESIGN_CHOICE, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<size_t>(got > 0 ? got : 0));
    // The entries were listed from 932 names, so they come back as the same bytes.
    std::string name = Sjis(entry);
    if (name.size() >= MAX_PATH) return;
    bool read = SelectDesign(g_files.programDir, '\\', name.c_str(), s->kept.settings.currentDesign, &s->work);
    if (read) {
        MakeWorkFonts(s);
        FillDesignPage(page, s);
    }
    NoteSettingsChanged(page);  // the working copy took the name in any case
    if (read) PostMessageW(s->frame, WM_COMMAND, IDC_SETTINGS_TEST, 0);
}

// Every failed write the store has not told yet, and this one when the store told it before.
void TellSaveFailed(HWND page, const char* path, WriteResult result) {
    std::vector<WriteFailure> failures = ProfileTakeWriteFailures();
    bool listed = false;
    for (const WriteFailure& f : failures) listed = listed || f.path == path;
    if (!listed) failures.push_back({path, result});
    for (const WriteFailure& f : failures)
        ShowMessage(page, WriteFailureMessage(f), kCaption, MB_OK | MB_ICONWARNING);
}

void OnSaveAs(HWND page, SettingsSession* s, int code) {
    if (code != BN_CLICKED || !CollectSettings(s)) return;
    wchar_t chosen[MAX_PATH] = L"";
    std::wstring folder = Wide(g_files.programDir);
    OPENFILENAMEW file = {};
    file.lStructSize = sizeof file;
    file.hwndOwner = page;
    file.lpstrFilter = L"設定ファイル\0*.ini\0";
    file.lpstrFile = chosen;
    file.nMaxFile = MAX_PATH;
    file.lpstrInitialDir = folder.c_str();
    file.lpstrDefExt = L"ini";
    file.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&file)) return;
    // File names are 932 inside: a name it cannot hold could not be written or found again.
    if (char32_t c = FirstUnheld(chosen)) {
        ShowMessage(page, CharacterNamed(c) + L" はファイル名に使えない文字です。", kCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    std::string named = Sjis(chosen);
    const char* path = named.c_str();
    if (IsProtectedFile(path, g_files)) {
        std::string text = std::string("このファイルに上書きしてはなりませぬ。\n") + path;
        ShowMessage(page, text, kCaption, MB_OK);
        return;
    }
    WriteResult result = SaveDesignAs(path, '\\', &s->work);
    if (!result) {
        TellSaveFailed(page, path, result);
        return;
    }
    ListDesigns(page, s);
    NoteSettingsChanged(page);  // the working copy's design now has this name
}

void OnCommand(HWND page, SettingsSession* s, int id, int code) {
    switch (id) {
    case IDC_DESIGN_CELL_WIDTH:
    case IDC_DESIGN_CELL_LINE:
    case IDC_DESIGN_HEAD_FORM:
    case IDC_DESIGN_CELL_WIDTH_RATIO:
    case IDC_DESIGN_LIST_WIDTH:
    case IDC_DESIGN_LIST_HEAD_FORM:
    case IDC_DESIGN_TITLE_FORM:
    case IDC_DESIGN_MEMO_ROW: OnEditChanged(page, *s, code); break;
    case IDC_DESIGN_CHOICE: OnDesignChosen(page, s, code); break;
    case IDC_DESIGN_SAVE_AS: OnSaveAs(page, s, code); break;
    case IDC_DESIGN_FONT_PLACES: OnFontPlaceChosen(page, s, code); break;
    case IDC_DESIGN_BACK_PLACES: OnBackPlaceChosen(page, s, code); break;
    case IDC_DESIGN_FONT: OnChooseFont(page, s, code); break;
    case IDC_DESIGN_TEXT_COLOUR_WEEKDAY: OnTextColour(page, s, code, kWeekdayColour); break;
    case IDC_DESIGN_TEXT_COLOUR_HOLIDAY: OnTextColour(page, s, code, kHolidayColour); break;
    case IDC_DESIGN_TEXT_COLOUR_SATURDAY: OnTextColour(page, s, code, kSaturdayColour); break;
    case IDC_DESIGN_BACK_COLOUR_WEEKDAY: OnBackColour(page, s, code, kWeekdayColour); break;
    case IDC_DESIGN_BACK_COLOUR_HOLIDAY: OnBackColour(page, s, code, kHolidayColour); break;
    case IDC_DESIGN_BACK_COLOUR_SATURDAY: OnBackColour(page, s, code, kSaturdayColour); break;
    case IDC_DESIGN_HEM:
    case IDC_DESIGN_SHADOW: OnEffectChosen(page, s, id, code); break;
    default: break;  // "リアルタイムにテスト" is read by the frame when a change is signalled
    }
}

// The swatches are painted in the colour of the first selected place of their column.
INT_PTR OnStaticColour(HWND page, SettingsSession* s, HWND control) {
    int id = GetDlgCtrlID(control);
    const Design& d = s->work.design;
    Colour colour;
    if (id >= IDC_DESIGN_TEXT_SWATCH_WEEKDAY && id <= IDC_DESIGN_TEXT_SWATCH_SATURDAY)
        colour = d.fonts[ShownPlace(page, IDC_DESIGN_FONT_PLACES)].colours[id - IDC_DESIGN_TEXT_SWATCH_WEEKDAY];
    else if (id >= IDC_DESIGN_BACK_SWATCH_WEEKDAY && id <= IDC_DESIGN_BACK_SWATCH_SATURDAY)
        colour = d.backs[ShownPlace(page, IDC_DESIGN_BACK_PLACES)].colours[id - IDC_DESIGN_BACK_SWATCH_WEEKDAY];
    else
        return FALSE;
    s->swatch.reset(CreateSolidBrush(colour));
    return reinterpret_cast<INT_PTR>(s->swatch.get());
}

INT_PTR OnMessage(HWND page, SettingsSession* s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInit(page);
    case WM_DESTROY: OnDestroy(s); return FALSE;
    case WM_COMMAND: OnCommand(page, s, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_HSCROLL: OnSlider(page, s, reinterpret_cast<HWND>(lParam)); return TRUE;
    case WM_CTLCOLORSTATIC: return OnStaticColour(page, s, reinterpret_cast<HWND>(lParam));
    default: return FALSE;
    }
}
}  // namespace

void ListDesigns(HWND page, SettingsSession* s) {
    FillingScope filling(s->filling);
    Send(page, IDC_DESIGN_CHOICE, CB_RESETCONTENT);
    std::vector<std::string> names = ListDesignNames(g_files.programDir, '\\');
    // The standard design is always there to go back to (once: a file may name itself so).
    std::string standard = StandardDesignName(g_files.programDir, '\\');
    if (std::find(names.begin(), names.end(), standard) == names.end()) names.push_back(standard);
    for (const std::string& name : names)
        Send(page, IDC_DESIGN_CHOICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));
    // The kept name first (a test may be showing another design: the kept one must stay choosable),
    // then the working copy's, which stays selected. An entry that begins with the name counts as
    // it (the prefix search of the list).
    for (const char* name : {s->kept.settings.currentDesign, s->work.settings.currentDesign}) {
        if (!name[0]) continue;
        std::wstring wide = Wide(name);
        LPARAM text = reinterpret_cast<LPARAM>(wide.c_str());
        if (Send(page, IDC_DESIGN_CHOICE, CB_SELECTSTRING, static_cast<WPARAM>(-1), text) != CB_ERR) continue;
        Send(page, IDC_DESIGN_CHOICE, CB_ADDSTRING, 0, text);
        Send(page, IDC_DESIGN_CHOICE, CB_SELECTSTRING, static_cast<WPARAM>(-1), text);
    }
}

void FillDesignPage(HWND page, SettingsSession* s) {
    const Design& d = s->work.design;
    // The edits as collecting reads them back.
    SettingsForm f = FormOfSettings(s->work);
    FillingScope filling(s->filling);
    SetItemText(page, IDC_DESIGN_CELL_WIDTH, f.cellWidth);
    SetItemText(page, IDC_DESIGN_CELL_LINE, f.cellLine);
    SetItemText(page, IDC_DESIGN_HEAD_FORM, f.headForm);
    SetItemText(page, IDC_DESIGN_CELL_WIDTH_RATIO, f.cellWidthRatio);
    SetItemText(page, IDC_DESIGN_LIST_WIDTH, f.listWidth);
    SetItemText(page, IDC_DESIGN_LIST_HEAD_FORM, f.listHeadForm);
    SetItemText(page, IDC_DESIGN_TITLE_FORM, f.titleForm);
    SetItemText(page, IDC_DESIGN_MEMO_ROW, f.memoRow);
    FillPlaceList(page, IDC_DESIGN_FONT_PLACES, d.fonts, kFontPlaceCount);
    FillPlaceList(page, IDC_DESIGN_BACK_PLACES, d.backs, kBackPlaceCount);
    ShowFontPlace(page, s);
    ShowBackPlace(page, s);
    ListDesigns(page, s);
}

INT_PTR CALLBACK DesignPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return DialogProcOf<SettingsSession, OnMessage>(page, message, wParam, lParam);
}
