#include "base/win/clipboard_win.h"

#include <cstring>

#include "base/win/handles.h"

namespace {
// The clipboard, open for a scope.
class OpenClipboardScope {
  public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    bool open() const { return open_; }

  private:
    bool open_;
};
}  // namespace

bool PutTextOnClipboard(HWND owner, const std::string& text) {
    OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1));
    if (!block) return false;
    if (void* p = GlobalLock(block.get())) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(block.get());
    } else {
        return false;
    }
    OpenClipboardScope clipboard(owner);
    if (!clipboard.open() || !EmptyClipboard() || !SetClipboardData(CF_OEMTEXT, block.get())) return false;
    block.release();  // the clipboard owns it now
    return true;
}

bool TextOnClipboard(HWND owner, std::string* text) {
    if (!IsClipboardFormatAvailable(CF_OEMTEXT)) return false;
    OpenClipboardScope clipboard(owner);
    if (!clipboard.open()) return false;
    HANDLE data = GetClipboardData(CF_OEMTEXT);
    const char* p = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (!p) return false;
    text->assign(p, strnlen(p, GlobalSize(data)));
    GlobalUnlock(data);
    return !text->empty();
}
