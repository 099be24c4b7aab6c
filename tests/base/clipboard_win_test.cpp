// Memo texts through the real clipboard: the Shift-JIS bytes come back exactly, including a
// trail byte that is a backslash, and only OEM text is offered.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/win/clipboard_win.h"

namespace {

TEST(Clipboard, ShiftJisBytesRoundTripAsOemText) {
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
    CloseClipboard();
    EXPECT_EQ(static_cast<UINT>(CF_OEMTEXT), first) << "the text is put as OEM text";

    // An empty clipboard, or one with other data only, gives nothing to paste.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    back = "kept";
    EXPECT_FALSE(TextOnClipboard(nullptr, &back));
}

}  // namespace
