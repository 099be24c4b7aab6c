#include "app/accessible_win.h"

#include <oleacc.h>

#include <string>
#include <vector>

#include "app/accessible_items.h"
#include "app/interaction.h"
#include "app/main_window_win.h"
#include "base/win/handles.h"
#include "base/win/wide_text.h"
#include "config/operations.h"
#include "resources/resource.h"

namespace {
BSTR Bstr(const std::string& cp932) {
    std::wstring wide = Wide(cp932);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

bool Focused(HWND hwnd) { return GetForegroundWindow() == hwnd; }

// One object per window, alive while a reader holds it; after the window is gone it answers that
// it is no longer connected.
class CalendarAccessible final : public IAccessible {
  public:
    explicit CalendarAccessible(HWND hwnd) : hwnd_(hwnd) {}
    void Disconnect() { hwnd_ = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: readers use the interface's own methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!hwnd_) return RPC_E_DISCONNECTED;
        return AccessibleObjectFromWindow(hwnd_, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                          reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!hwnd_) return RPC_E_DISCONNECTED;
        *count = static_cast<long>(Items().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        *out = nullptr;
        if (!hwnd_) return RPC_E_DISCONNECTED;
        return Child(child, Items()) > 0 ? S_FALSE : E_INVALIDARG;  // children are simple elements
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        return Text(child, out, [](const AccessibleItem& item) { return item.name; }, std::string("Tessel"));
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return Text(child, out, [](const AccessibleItem& item) { return item.value; }, std::string());
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* out) override { return Nothing(out); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return Nothing(out); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        *topic = 0;
        return Nothing(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override { return Nothing(out); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!hwnd_) return RPC_E_DISCONNECTED;
        std::vector<AccessibleItem> items = Items();
        int index = Child(child, items);
        if (index < 0) return E_INVALIDARG;
        role->vt = VT_I4;
        role->lVal = index == 0 ? ROLE_SYSTEM_CLIENT : RoleOf(items[index - 1].kind);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!hwnd_) return RPC_E_DISCONNECTED;
        std::vector<AccessibleItem> items = Items();
        int index = Child(child, items);
        if (index < 0) return E_INVALIDARG;
        state->vt = VT_I4;
        state->lVal = index == 0 ? (STATE_SYSTEM_FOCUSABLE | (Focused(hwnd_) ? STATE_SYSTEM_FOCUSED : 0))
                                 : StateOf(items[index - 1]);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (!hwnd_) return RPC_E_DISCONNECTED;
        VariantInit(out);
        if (!Focused(hwnd_)) return S_FALSE;
        int child = AccessibleChildOfCell(Items(), g_interaction.currentCell);
        out->vt = VT_I4;
        out->lVal = child ? child : CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (!hwnd_) return RPC_E_DISCONNECTED;
        VariantInit(out);
        int child = AccessibleChildOfCell(Items(), g_interaction.currentCell);
        if (!child) return S_FALSE;
        out->vt = VT_I4;
        out->lVal = child;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        return Text(child, out, [](const AccessibleItem& item) { return ActionName(item); }, std::string());
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        if (!hwnd_) return RPC_E_DISCONNECTED;
        std::vector<AccessibleItem> items = Items();
        int index = Child(child, items);
        if (index <= 0 || items[index - 1].cell == kCellNone) return E_INVALIDARG;
        if (!(flags & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION))) return E_INVALIDARG;
        if (flags & SELFLAG_TAKEFOCUS) SetForegroundWindow(hwnd_);
        PostMessageW(hwnd_, WM_ACCESSIBLE_REQUEST, kAccessibleSelect, items[index - 1].cell);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!hwnd_) return RPC_E_DISCONNECTED;
        std::vector<AccessibleItem> items = Items();
        int index = Child(child, items);
        if (index < 0) return E_INVALIDARG;
        RECT r;
        if (index == 0) {
            GetClientRect(hwnd_, &r);
        } else {
            const CellRect& c = items[index - 1].rect;
            r = {c.left, c.top, c.right, c.bottom};
        }
        MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!hwnd_) return RPC_E_DISCONNECTED;
        VariantInit(end);
        std::vector<AccessibleItem> items = Items();
        int from = Child(start, items);
        if (from < 0) return E_INVALIDARG;
        AccessibleDirection d;
        switch (direction) {
        case NAVDIR_NEXT: d = AccessibleDirection::kNext; break;
        case NAVDIR_PREVIOUS: d = AccessibleDirection::kPrevious; break;
        case NAVDIR_FIRSTCHILD: d = AccessibleDirection::kFirst; break;
        case NAVDIR_LASTCHILD: d = AccessibleDirection::kLast; break;
        case NAVDIR_UP: d = AccessibleDirection::kUp; break;
        case NAVDIR_DOWN: d = AccessibleDirection::kDown; break;
        case NAVDIR_LEFT: d = AccessibleDirection::kLeft; break;
        case NAVDIR_RIGHT: d = AccessibleDirection::kRight; break;
        default: return E_INVALIDARG;
        }
        int to = AccessibleNeighbour(items, from, d);
        if (!to) return S_FALSE;
        end->vt = VT_I4;
        end->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (!hwnd_) return RPC_E_DISCONNECTED;
        VariantInit(out);
        POINT p = {x, y};
        ScreenToClient(hwnd_, &p);
        RECT client;
        GetClientRect(hwnd_, &client);
        if (!PtInRect(&client, p)) return S_FALSE;
        out->vt = VT_I4;
        out->lVal = AccessibleChildAt(Items(), p.x, p.y);  // 0: the window itself
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!hwnd_) return RPC_E_DISCONNECTED;
        std::vector<AccessibleItem> items = Items();
        int index = Child(child, items);
        if (index <= 0 || ActionName(items[index - 1]).empty()) return DISP_E_MEMBERNOTFOUND;
        const AccessibleItem& item = items[index - 1];
        if (item.kind == AccessibleKind::kButton) PostMessageW(hwnd_, WM_ACCESSIBLE_REQUEST, kAccessiblePress, item.button);
        else PostMessageW(hwnd_, WM_ACCESSIBLE_REQUEST, kAccessibleDefaultAction, item.cell);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    std::vector<AccessibleItem> Items() const { return ShownAccessibleItems(hwnd_); }

    // The child's index: 0 the object itself, 1.. an item; -1 for none of them.
    static int Child(const VARIANT& child, const std::vector<AccessibleItem>& items) {
        if (child.vt != VT_I4) return -1;
        if (child.lVal == CHILDID_SELF) return 0;
        return child.lVal >= 1 && child.lVal <= static_cast<long>(items.size()) ? static_cast<int>(child.lVal) : -1;
    }

    template <class Pick>
    HRESULT Text(const VARIANT& child, BSTR* out, Pick pick, const std::string& self) {
        *out = nullptr;
        if (!hwnd_) return RPC_E_DISCONNECTED;
        std::vector<AccessibleItem> items = Items();
        int index = Child(child, items);
        if (index < 0) return E_INVALIDARG;
        std::string text = index == 0 ? self : pick(items[index - 1]);
        if (text.empty()) return S_FALSE;
        *out = Bstr(text);
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT Nothing(BSTR* out) {
        *out = nullptr;
        return hwnd_ ? S_FALSE : RPC_E_DISCONNECTED;
    }

    static long RoleOf(AccessibleKind kind) {
        switch (kind) {
        case AccessibleKind::kTitle: return ROLE_SYSTEM_STATICTEXT;
        case AccessibleKind::kButton: return ROLE_SYSTEM_PUSHBUTTON;
        case AccessibleKind::kCountdown: return ROLE_SYSTEM_LISTITEM;
        case AccessibleKind::kDay: return ROLE_SYSTEM_CELL;
        case AccessibleKind::kMemoBox: return ROLE_SYSTEM_TEXT;
        }
        return ROLE_SYSTEM_CLIENT;
    }
    long StateOf(const AccessibleItem& item) const {
        if (item.cell == kCellNone) return item.kind == AccessibleKind::kButton ? 0 : STATE_SYSTEM_READONLY;
        long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (item.kind == AccessibleKind::kMemoBox) state |= STATE_SYSTEM_READONLY;
        if (item.cell == g_interaction.currentCell) {
            state |= STATE_SYSTEM_SELECTED;
            if (Focused(hwnd_)) state |= STATE_SYSTEM_FOCUSED;
        }
        return state;
    }
    // What a double click does for a day, the memo box and a countdown line; a button's press.
    static std::string ActionName(const AccessibleItem& item) {
        switch (item.kind) {
        case AccessibleKind::kButton: return "押す";
        case AccessibleKind::kTitle: return std::string();
        default: return OperationName(IDM_MEMO_INPUT);
        }
    }

    LONG refs_ = 1;
    HWND hwnd_;
};

// Held by the window until it goes; a reader's references keep the object beyond that.
struct AccessibleTraits {
    using Handle = CalendarAccessible*;
    static Handle None() { return nullptr; }
    static void Free(Handle object) {
        object->Disconnect();
        CoDisconnectObject(static_cast<IAccessible*>(object), 0);
        object->Release();
    }
};
UniqueHandle<AccessibleTraits> g_accessible;  // the window's, once a reader asked for it
AccessibleSnapshot g_told;                    // what readers were last told
}  // namespace

LRESULT OnGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (static_cast<long>(lParam) != static_cast<long>(OBJID_CLIENT)) return DefWindowProcW(hwnd, WM_GETOBJECT, wParam, lParam);
    if (!g_accessible) g_accessible.reset(new CalendarAccessible(hwnd));
    return LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(g_accessible.get()));
}

void NoteAccessibleChanges(HWND hwnd) {
    std::vector<AccessibleItem> items = ShownAccessibleItems(hwnd);
    AccessibleSnapshot now = SnapshotOf(items, g_interaction.currentCell, Focused(hwnd));
    for (const AccessibleEvent& e : AccessibleChanges(g_told, now, items)) {
        DWORD event = EVENT_OBJECT_REORDER;
        switch (e.kind) {
        case AccessibleEventKind::kFocus: event = EVENT_OBJECT_FOCUS; break;
        case AccessibleEventKind::kSelection: event = EVENT_OBJECT_SELECTION; break;
        case AccessibleEventKind::kValueChange: event = EVENT_OBJECT_VALUECHANGE; break;
        case AccessibleEventKind::kReorder: event = EVENT_OBJECT_REORDER; break;
        }
        NotifyWinEvent(event, hwnd, OBJID_CLIENT, e.child ? e.child : CHILDID_SELF);
    }
    g_told = std::move(now);
}

void DisconnectAccessible() {
    g_accessible.reset();
    g_told = AccessibleSnapshot{};
}
