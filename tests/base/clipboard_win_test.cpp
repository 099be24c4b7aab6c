// Memo texts through the real clipboard: the Shift-JIS bytes come back exactly, including a
// trail byte that is a backslash; other programs are offered the same text as Unicode first, and
// what they put as Unicode only is pasted as 932.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "base/win/clipboard_win.h"
#include "base/win/handles.h"

namespace {

TEST(Clipboard, ShiftJisBytesRoundTripAsOemTextBesideTheUnicodeText) {
    const std::string memo = "\x95\x5c\x8e\xa6 12:00\r\n\x89\xef\x8b\x63 \x81\x60";  // 表示 12:00 / 会議 ～
    ASSERT_TRUE(PutTextOnClipboard(nullptr, memo));
    std::string back;
    ASSERT_TRUE(TextOnClipboard(nullptr, &back));
    EXPECT_EQ(memo, back);

    ASSERT_TRUE(OpenClipboard(nullptr));
    UINT first = EnumClipboardFormats(0);
    HANDLE raw = GetClipboardData(CF_OEMTEXT);
    const char* bytes = raw ? static_cast<const char*>(GlobalLock(raw)) : nullptr;
    ASSERT_NE(nullptr, bytes);
    EXPECT_EQ(memo, std::string(bytes));
    GlobalUnlock(raw);
    HANDLE unicode = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* units = unicode ? static_cast<const wchar_t*>(GlobalLock(unicode)) : nullptr;
    ASSERT_NE(nullptr, units);
    EXPECT_EQ(std::wstring(units), L"表示 12:00\r\n会議 ～");
    GlobalUnlock(unicode);
    CloseClipboard();
    EXPECT_EQ(static_cast<UINT>(CF_UNICODETEXT), first) << "other programs take the Unicode text";

    // An empty clipboard, or one with other data only, gives nothing to paste.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    back = "kept";
    EXPECT_FALSE(TextOnClipboard(nullptr, &back));
}

// Another program's copy, Unicode only: the system may make OEM text of it in its own OEM code
// page, which is no 932; the Unicode text is what is pasted, as 932.
TEST(Clipboard, UnicodeTextOfAnotherProgramIsPastedAs932) {
    const std::wstring copied = L"会議 ～\r\n表示";
    OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE, (copied.size() + 1) * sizeof(wchar_t)));
    ASSERT_TRUE(block);
    wchar_t* p = static_cast<wchar_t*>(GlobalLock(block.get()));
    ASSERT_NE(nullptr, p);
    std::wmemcpy(p, copied.c_str(), copied.size() + 1);
    GlobalUnlock(block.get());
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    bool put = SetClipboardData(CF_UNICODETEXT, block.get()) != nullptr;
    if (put) block.release();  // the clipboard owns it now
    CloseClipboard();
    ASSERT_TRUE(put);
    std::string back;
    ASSERT_TRUE(TextOnClipboard(nullptr, &back));
    EXPECT_EQ("\x89\xef\x8b\x63 \x81\x60\r\n\x95\x5c\x8e\xa6", back);  // 会議 ～ / 表示
}

}  // namespace
