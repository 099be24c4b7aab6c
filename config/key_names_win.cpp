#include "config/key_names_win.h"

#include <windows.h>

#include "base/win/wide_text.h"
#include "config/operations.h"

static_assert(kKeyReturn == VK_RETURN && kKeyPageUp == VK_PRIOR && kKeyPageDown == VK_NEXT && kKeyHome == VK_HOME &&
              kKeyLeft == VK_LEFT && kKeyUp == VK_UP && kKeyRight == VK_RIGHT && kKeyDown == VK_DOWN &&
              kKeyDelete == VK_DELETE && kKeyApps == VK_APPS);

std::string KeyNameOf(int keyValue) {
    int vk = keyValue & 0xFF;
    int entry = AssignableKeyIndex(vk);
    bool extended = entry >= 0 && (kAssignableKeys[entry] & 0x100);
    LONG scan = static_cast<LONG>(MapVirtualKeyW(static_cast<UINT>(vk), 0) << 16) | (extended ? 1 << 24 : 0);
    wchar_t name[50] = L"";
    int n = GetKeyNameTextW(scan, name, 50);
    return Sjis(std::wstring_view(name, n > 0 ? static_cast<size_t>(n) : 0));
}
