// The linked resources as Windows sees them: the manifest that brings version 6 of the common
// controls (in the program beside us and in this test program, which links the same script),
// and the icon and bitmaps under the names of resources/resource.h.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/win/wide_text.h"
#include "resources/resource.h"
#include "tests/app/running_calendar_win.h"

namespace {

struct Redirection {
    HANDLE context = nullptr;  // the activation context that holds it; the caller releases it
    std::wstring identity;     // the assembly's encoded identity: name, then its attributes
    std::wstring folder;       // the assembly's folder name under winsxs
};

// Where the active activation context (or the process default behind it) sends comctl32.dll.
Redirection CommonControlsRedirection() {
    Redirection r;
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    if (!FindActCtxSectionStringW(FIND_ACTCTX_SECTION_KEY_RETURN_HACTCTX, nullptr,
                                  ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll", &data))
        return r;
    r.context = data.hActCtx;
    DWORD index = data.ulAssemblyRosterIndex;
    SIZE_T size = 0;
    QueryActCtxW(0, data.hActCtx, &index, AssemblyDetailedInformationInActivationContext, nullptr, 0, &size);
    std::vector<char> buffer(size);
    if (size == 0 || !QueryActCtxW(0, data.hActCtx, &index, AssemblyDetailedInformationInActivationContext,
                                   buffer.data(), buffer.size(), &size))
        return r;
    auto* info = reinterpret_cast<ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer.data());
    if (info->lpAssemblyEncodedAssemblyIdentity) r.identity = info->lpAssemblyEncodedAssemblyIdentity;
    if (info->lpAssemblyDirectoryName) r.folder = info->lpAssemblyDirectoryName;
    return r;
}

std::wstring Lower(std::wstring s) {
    CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

// The program's manifest names the common controls 6.0.0.0, and the loader, given that manifest,
// really sends comctl32.dll to the 6.0 assembly.
TEST(Resources, ProgramManifestAsksForCommonControlsSix) {
    std::string program = ProgramBesideUs();
    std::wstring wideProgram = Wide(program);
    HMODULE module = LoadLibraryExW(wideProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module) << program;
    HRSRC found = FindResourceW(module, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    ASSERT_NE(nullptr, found) << "no manifest resource 1";
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(nullptr, bytes);
    std::string text(bytes, SizeofResource(module, found));
    FreeLibrary(module);
    size_t name = text.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(std::string::npos, name) << text;
    size_t start = text.rfind("<assemblyIdentity", name), end = text.find('>', name);
    ASSERT_NE(std::string::npos, start);
    std::string identity = text.substr(start, end - start);
    EXPECT_NE(std::string::npos, identity.find("version=\"6.0.0.0\"")) << identity;
    EXPECT_NE(std::string::npos, identity.find("publicKeyToken=\"6595b64144ccf1df\"")) << identity;

    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = wideProgram.c_str();
    request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(INVALID_HANDLE_VALUE, context) << GetLastError();
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context, &cookie));
    Redirection r = CommonControlsRedirection();
    DeactivateActCtx(0, cookie);
    EXPECT_EQ(context, r.context);  // found in the program's own context, not in ours behind it
    EXPECT_EQ(0u, r.identity.find(L"Microsoft.Windows.Common-Controls,")) << r.identity;
    EXPECT_NE(std::wstring::npos, r.identity.find(L"version=\"6.0.")) << r.identity;
    if (r.context) ReleaseActCtx(r.context);
    ReleaseActCtx(context);
}

// This process runs with the same manifest: after the program's InitCommonControlsEx, the
// comctl32 in use is the one of the 6.0 assembly. Wine's comctl32 answers DllGetVersion with
// 5.81 from either folder, so the assembly is asked for instead of the version number.
TEST(Resources, CommonControlsSixAreLoaded) {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                               ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&init));
    Redirection r = CommonControlsRedirection();
    ASSERT_NE(nullptr, r.context) << "comctl32.dll is not redirected: no manifest";
    ReleaseActCtx(r.context);
    EXPECT_EQ(0u, r.identity.find(L"Microsoft.Windows.Common-Controls,")) << r.identity;
    EXPECT_NE(std::wstring::npos, r.identity.find(L"version=\"6.0.")) << r.identity;
    ASSERT_FALSE(r.folder.empty());
    wchar_t path[MAX_PATH] = L"";
    ASSERT_NE(0u, GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH));
    EXPECT_NE(std::wstring::npos, Lower(path).find(L"\\" + Lower(r.folder) + L"\\")) << path;
}

// The names of resource.h load what the script links under them.
TEST(Resources, IconAndBitmapsLoadByTheirNames) {
    HINSTANCE self = GetModuleHandleW(nullptr);
    HICON icon = LoadIconW(self, MAKEINTRESOURCEW(IDI_TESSEL));
    EXPECT_NE(nullptr, icon);
    if (icon) DestroyIcon(icon);
    struct Named { const char* name; int id, size; };
    const Named bitmaps[] = {
        {"IDB_CLOSE_SMALL", IDB_CLOSE_SMALL, 10},           {"IDB_CLOSE_LARGE", IDB_CLOSE_LARGE, 16},
        {"IDB_HIDE_SMALL", IDB_HIDE_SMALL, 10},             {"IDB_HIDE_LARGE", IDB_HIDE_LARGE, 16},
        {"IDB_NEXT_MONTH_SMALL", IDB_NEXT_MONTH_SMALL, 10}, {"IDB_NEXT_MONTH_LARGE", IDB_NEXT_MONTH_LARGE, 16},
        {"IDB_THIS_MONTH_SMALL", IDB_THIS_MONTH_SMALL, 10}, {"IDB_THIS_MONTH_LARGE", IDB_THIS_MONTH_LARGE, 16},
        {"IDB_PREV_MONTH_SMALL", IDB_PREV_MONTH_SMALL, 10}, {"IDB_PREV_MONTH_LARGE", IDB_PREV_MONTH_LARGE, 16},
        {"IDB_PIN_OFF_SMALL", IDB_PIN_OFF_SMALL, 10},       {"IDB_PIN_OFF_LARGE", IDB_PIN_OFF_LARGE, 16},
        {"IDB_PIN_ON_SMALL", IDB_PIN_ON_SMALL, 10},         {"IDB_PIN_ON_LARGE", IDB_PIN_ON_LARGE, 16},
        {"IDB_SETTINGS_SMALL", IDB_SETTINGS_SMALL, 10},     {"IDB_SETTINGS_LARGE", IDB_SETTINGS_LARGE, 16},
    };
    for (const Named& b : bitmaps) {
        HBITMAP bitmap = LoadBitmapW(self, MAKEINTRESOURCEW(b.id));
        ASSERT_NE(nullptr, bitmap) << b.name;
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        EXPECT_EQ(b.size, info.bmWidth) << b.name;
        EXPECT_EQ(b.size, info.bmHeight) << b.name;
        DeleteObject(bitmap);
    }
}

}  // namespace
