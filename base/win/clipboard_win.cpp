#include "base/win/clipboard_win.h"

#include <cstring>

#include "base/win/handles.h"
#include "base/win/wide_text.h"

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

// text and a terminating zero (chars of Char) in a movable shared block.
template <typename Char>
OwnedGlobal BlockOf(const std::basic_string<Char>& text) {
    size_t bytes = (text.size() + 1) * sizeof(Char);
    OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, bytes));
    void* p = block ? GlobalLock(block.get()) : nullptr;
    if (!p) return OwnedGlobal();
    std::memcpy(p, text.c_str(), bytes);
    GlobalUnlock(block.get());
    return block;
}

// The text of format on the open clipboard, up to its first zero.
template <typename Char>
bool ClipboardText(UINT format, std::basic_string<Char>* text) {
    HANDLE data = IsClipboardFormatAvailable(format) ? GetClipboardData(format) : nullptr;
    const Char* p = data ? static_cast<const Char*>(GlobalLock(data)) : nullptr;
    if (!p) return false;
    size_t most = GlobalSize(data) / sizeof(Char), n = 0;
    while (n < most && p[n]) ++n;
    text->assign(p, n);
    GlobalUnlock(data);
    return true;
}
}  // namespace

bool PutTextOnClipboard(HWND owner, const std::string& text) {
    OwnedGlobal oem = BlockOf(text), unicode = BlockOf(Wide(text));
    if (!oem || !unicode) return false;
    OpenClipboardScope clipboard(owner);
    if (!clipboard.open() || !EmptyClipboard()) return false;
    // Other programs paste the Unicode text right on any system; the 932 bytes are what the
    // calendar itself reads back, so a memo returns exactly as it was stored.
    if (!SetClipboardData(CF_UNICODETEXT, unicode.get())) return false;
    unicode.release();  // the clipboard owns it now
    if (!SetClipboardData(CF_OEMTEXT, oem.get())) return false;
    oem.release();
    return true;
}

bool TextOnClipboard(HWND owner, std::string* text, char32_t* unheld) {
    if (unheld) *unheld = 0;
    OpenClipboardScope clipboard(owner);
    if (!clipboard.open()) return false;
    std::wstring unicode;
    std::string oem;
    bool hasUnicode = ClipboardText(CF_UNICODETEXT, &unicode);
    bool hasOem = ClipboardText(CF_OEMTEXT, &oem);
    // The system makes the OEM text from the Unicode one in its own OEM code page when a program
    // put only Unicode; such bytes are no 932 text. They are taken only when they say what the
    // Unicode text says (then they keep 932's own choice among look-alike codes).
    char32_t left = 0;
    if (hasUnicode && !(hasOem && Wide(oem) == unicode)) *text = SjisHeld(unicode, &left);
    else if (hasOem) *text = std::move(oem);
    else return false;
    if (unheld) *unheld = left;
    return !text->empty() || left;
}
