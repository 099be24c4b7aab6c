// A screen reader's view of the real running calendar, asked from this process as a reader asks:
// the window's accessible object through AccessibleObjectFromWindow, its children walked and
// checked against the month on show, a day's default action, and the focus event of a key press.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/win/wide_text.h"
#include "tests/app/running_calendar_win.h"

namespace {
SYSTEMTIME Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t;
}

std::string Cp932(BSTR text) {
    if (!text) return std::string();
    std::string out = Sjis(std::wstring_view(text, SysStringLen(text)));
    SysFreeString(text);
    return out;
}

VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

struct Element {
    long id;
    long role;
    long state;
    std::string name, value, action;
    RECT place;
};

Element Read(IAccessible* object, long id) {
    Element e = {id, 0, 0, "", "", "", {}};
    VARIANT child = Child(id), out;
    BSTR text = nullptr;
    if (object->get_accName(child, &text) == S_OK) e.name = Cp932(text);
    text = nullptr;
    if (object->get_accValue(child, &text) == S_OK) e.value = Cp932(text);
    text = nullptr;
    if (object->get_accDefaultAction(child, &text) == S_OK) e.action = Cp932(text);
    VariantInit(&out);
    if (object->get_accRole(child, &out) == S_OK && out.vt == VT_I4) e.role = out.lVal;
    VariantInit(&out);
    if (object->get_accState(child, &out) == S_OK && out.vt == VT_I4) e.state = out.lVal;
    long x = 0, y = 0, w = 0, h = 0;
    if (object->accLocation(&x, &y, &w, &h, child) == S_OK) e.place = {x, y, x + w, y + h};
    return e;
}

std::string Folder(const std::string& config) { return config.substr(0, config.find_last_of('\\') + 1); }

// The visible dialogs of the calendar's process.
std::vector<HWND> DialogsOf(HWND calendar) {
    struct Search {
        DWORD process;
        std::vector<HWND> found;
    } search = {0, {}};
    GetWindowThreadProcessId(calendar, &search.process);
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            wchar_t name[64] = L"";
            GetClassNameW(w, name, 64);
            if (process == s->process && IsWindowVisible(w) && lstrcmpW(name, L"#32770") == 0) s->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Pump(int ms) {
    for (int waited = 0; waited < ms; waited += 20) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        Sleep(20);
    }
}

struct HeardFocus {
    DWORD process = 0;
    HWND window = nullptr;
    std::vector<long> children;
} g_heard;

void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (hwnd == g_heard.window && object == OBJID_CLIENT) g_heard.children.push_back(child);
}

class ComThread {
  public:
    ComThread() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComThread() { CoUninitialize(); }
};

TEST(AccessibleCalendar, AReaderWalksTheMonthAndActsOnADay) {
    ComThread com;
    SYSTEMTIME t = Now();
    std::string config = WriteConfig("accessible", "KEYASSIGN_ENABLE=1\r\nWIN_POS_X_1280=300\r\nWIN_POS_Y_1024=200\r\n");
    char memo[128];
    std::snprintf(memo, sizeof memo, "[%d]\r\n%d=会議\x7F買い物\r\n", t.wMonth, t.wDay);
    std::string yearFile = Folder(config) + "my_memo" + std::to_string(t.wYear) + ".ini";
    FILE* f = OpenFile(yearFile.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    std::fputs(memo, f);
    std::fclose(f);

    RunningCalendar calendar(config);
    HWND w = calendar.window();
    ASSERT_NE(nullptr, w);
    IAccessible* object = nullptr;
    ASSERT_EQ(S_OK, AccessibleObjectFromWindow(w, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&object)));
    ASSERT_NE(nullptr, object);
    long count = 0;
    ASSERT_EQ(S_OK, object->get_accChildCount(&count));
    ASSERT_GT(count, 28 + 1);
    EXPECT_EQ(ROLE_SYSTEM_CLIENT, Read(object, CHILDID_SELF).role);

    RECT window;
    GetWindowRect(w, &window);
    char title[32], today[64];
    std::snprintf(title, sizeof title, "%d年%d月", t.wYear, t.wMonth);
    std::snprintf(today, sizeof today, "%d年%d月%d日 ", t.wYear, t.wMonth, t.wDay);
    std::vector<Element> elements;
    for (long id = 1; id <= count; ++id) elements.push_back(Read(object, id));
    EXPECT_EQ(ROLE_SYSTEM_STATICTEXT, elements[0].role);
    EXPECT_EQ(title, elements[0].name);
    int buttons = 0, days = 0;
    const Element* todays = nullptr;
    for (const Element& e : elements) {
        EXPECT_FALSE(e.name.empty()) << "child " << e.id;
        EXPECT_GE(e.place.left, window.left) << e.name;
        EXPECT_LE(e.place.right, window.right) << e.name;
        EXPECT_GE(e.place.top, window.top) << e.name;
        EXPECT_LE(e.place.bottom, window.bottom) << e.name;
        if (e.role == ROLE_SYSTEM_PUSHBUTTON) {
            ++buttons;
            EXPECT_EQ(e.action, "押す");
        }
        if (e.role != ROLE_SYSTEM_CELL) continue;
        ++days;
        EXPECT_TRUE(e.state & STATE_SYSTEM_SELECTABLE);
        if (e.name.rfind(today, 0) == 0) todays = &e;
    }
    EXPECT_EQ(buttons, 7);
    EXPECT_GE(days, 28);
    ASSERT_NE(nullptr, todays) << "no cell named " << today;
    EXPECT_NE(todays->name.find(" 今日"), std::string::npos) << todays->name;
    EXPECT_EQ(todays->value, "会議\r\n買い物");
    EXPECT_EQ(todays->action, "メモ入力");

    // Hit testing finds the cell at its own centre.
    VARIANT hit;
    VariantInit(&hit);
    ASSERT_EQ(S_OK, object->accHitTest((todays->place.left + todays->place.right) / 2,
                                       (todays->place.top + todays->place.bottom) / 2, &hit));
    EXPECT_EQ(VT_I4, hit.vt);
    EXPECT_EQ(todays->id, hit.lVal);

    // A key press moves the current cell: the reader hears the focus of the cell it moved to.
    g_heard.window = w;
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnFocusEvent, process, 0,
                                         WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(nullptr, hook);
    SetForegroundWindow(w);
    Pump(200);
    PostMessageW(w, WM_KEYDOWN, VK_RIGHT, 0);
    for (int i = 0; i < 100 && g_heard.children.empty(); ++i) Pump(20);
    UnhookWinEvent(hook);
    ASSERT_FALSE(g_heard.children.empty()) << "no focus event after the key press";
    VARIANT focus;
    VariantInit(&focus);
    ASSERT_EQ(S_OK, object->get_accFocus(&focus));
    ASSERT_EQ(VT_I4, focus.vt);
    EXPECT_EQ(g_heard.children.back(), focus.lVal);
    Element focused = Read(object, focus.lVal);
    EXPECT_EQ(ROLE_SYSTEM_CELL, focused.role);
    EXPECT_TRUE(focused.state & STATE_SYSTEM_FOCUSED);
    EXPECT_TRUE(focused.state & STATE_SYSTEM_SELECTED);

    // The hot key brings the calendar forward from behind another window, its focus on today.
    HWND other = CreateWindowW(L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 700, 700, 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    Pump(100);
    ASSERT_NE(w, GetForegroundWindow());
    PostMessageW(w, WM_HOTKEY, 1, 0);
    VariantInit(&focus);
    for (int i = 0; i < 100; ++i, Pump(20)) {
        VariantInit(&focus);
        if (object->get_accFocus(&focus) == S_OK && focus.vt == VT_I4 && focus.lVal == todays->id) break;
    }
    EXPECT_EQ(VT_I4, focus.vt);
    EXPECT_EQ(todays->id, focus.lVal) << "the hot key left the focus elsewhere";
    DestroyWindow(other);

    // The default action of today's cell opens its memo dialog.
    ASSERT_TRUE(DialogsOf(w).empty());
    ASSERT_EQ(S_OK, object->accDoDefaultAction(Child(todays->id)));
    std::vector<HWND> dialogs;
    for (int i = 0; i < 100 && dialogs.empty(); ++i, Pump(50)) dialogs = DialogsOf(w);
    ASSERT_EQ(1u, dialogs.size()) << "the memo dialog did not open";
    EXPECT_EQ(WindowText(dialogs[0]), "日付メモ");
    PostMessageW(dialogs[0], WM_COMMAND, IDCANCEL, 0);
    for (int i = 0; i < 100 && !DialogsOf(w).empty(); ++i) Pump(50);
    object->Release();
    EXPECT_EQ(0, calendar.Close());
}
}  // namespace
