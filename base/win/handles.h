// Owners for every Win32 and GDI handle the program holds: each gives its handle back when it
// goes, can be moved (into a cache, out of a function) and never copied. Nothing is released by
// hand anywhere else.
#pragma once
#include <windows.h>
#include <imm.h>
#include <objbase.h>

#include <utility>

// One owned handle; Traits says what no handle is and how a handle is given back.
template <typename Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    bool valid() const { return handle_ != Traits::None(); }
    explicit operator bool() const { return valid(); }
    Handle release() { return std::exchange(handle_, Traits::None()); }
    void reset(Handle handle = Traits::None()) {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::None()) Traits::Free(old);
    }

  private:
    Handle handle_ = Traits::None();
};

template <typename H>
struct GdiObjectTraits {
    using Handle = H;
    static H None() { return nullptr; }
    static void Free(H h) { DeleteObject(h); }
};
using OwnedFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using OwnedBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using OwnedBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using OwnedPalette = UniqueHandle<GdiObjectTraits<HPALETTE>>;

struct MemoryDcTraits {
    using Handle = HDC;
    static HDC None() { return nullptr; }
    static void Free(HDC dc) { DeleteDC(dc); }
};
// A memory device context, deleted again.
class MemoryDC : public UniqueHandle<MemoryDcTraits> {
  public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatible) : UniqueHandle(CreateCompatibleDC(compatible)) {}
};

struct FileTraits {
    using Handle = HANDLE;
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { CloseHandle(h); }
};
using FileHandle = UniqueHandle<FileTraits>;  // from CreateFile

struct KernelObjectTraits {
    using Handle = HANDLE;
    static HANDLE None() { return nullptr; }
    static void Free(HANDLE h) { CloseHandle(h); }
};
using OwnedEvent = UniqueHandle<KernelObjectTraits>;  // from CreateEvent

struct LibraryTraits {
    using Handle = HMODULE;
    static HMODULE None() { return nullptr; }
    static void Free(HMODULE m) { FreeLibrary(m); }
};
// A loaded module, freed again.
class LoadedLibrary : public UniqueHandle<LibraryTraits> {
  public:
    explicit LoadedLibrary(const wchar_t* name) : UniqueHandle(LoadLibraryW(name)) {}
};

struct IconTraits {
    using Handle = HICON;
    static HICON None() { return nullptr; }
    static void Free(HICON icon) { DestroyIcon(icon); }
};
using OwnedIcon = UniqueHandle<IconTraits>;  // from LoadImage without LR_SHARED, or CreateIcon...

struct MenuTraits {
    using Handle = HMENU;
    static HMENU None() { return nullptr; }
    static void Free(HMENU menu) { DestroyMenu(menu); }
};
using OwnedMenu = UniqueHandle<MenuTraits>;  // its popups go with it

struct WindowTraits {
    using Handle = HWND;
    static HWND None() { return nullptr; }
    static void Free(HWND window) { DestroyWindow(window); }
};
using OwnedWindow = UniqueHandle<WindowTraits>;  // a window nothing else destroys

struct GlobalTraits {
    using Handle = HGLOBAL;
    static HGLOBAL None() { return nullptr; }
    static void Free(HGLOBAL memory) { GlobalFree(memory); }
};
using OwnedGlobal = UniqueHandle<GlobalTraits>;  // until the clipboard takes it over

struct FindTraits {
    using Handle = HANDLE;
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { FindClose(h); }
};
// A file search from FindFirstFileW, closed again.
class FileSearch : public UniqueHandle<FindTraits> {
  public:
    FileSearch(const wchar_t* pattern, WIN32_FIND_DATAW* first) : UniqueHandle(FindFirstFileW(pattern, first)) {}
    bool found() const { return valid(); }
    bool Next(WIN32_FIND_DATAW* data) { return FindNextFileW(get(), data) != 0; }
};

// A device context from GetDC, released to its window again.
class WindowDC {
  public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDC(WindowDC&& other) noexcept : hwnd_(other.hwnd_), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&&) = delete;
    WindowDC(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// An object selected into a device context for a scope; the previous one is selected back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (old_) SelectObject(dc_, old_);
    }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint to EndPaint of one WM_PAINT.
class PaintScope {
  public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    HDC dc() const { return dc_; }
    const RECT& updateRect() const { return ps_.rcPaint; }

  private:
    HWND hwnd_;
    PAINTSTRUCT ps_ = {};
    HDC dc_;
};

// A window's input method context, released again.
class ImeContext {
  public:
    explicit ImeContext(HWND hwnd) : hwnd_(hwnd), imc_(ImmGetContext(hwnd)) {}
    ImeContext(const ImeContext&) = delete;
    ImeContext& operator=(const ImeContext&) = delete;
    ~ImeContext() {
        if (imc_) ImmReleaseContext(hwnd_, imc_);
    }
    HIMC get() const { return imc_; }

  private:
    HWND hwnd_;
    HIMC imc_;
};

// The thread's COM apartment (single-threaded: the window's), left again at the end.
class ComApartment {
  public:
    ComApartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (entered_) CoUninitialize();
    }

  private:
    bool entered_;
};
