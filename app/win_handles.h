// Owners for the Win32, GDI and GDI+ handles that a function borrows for a while: each gives
// its handle back when it goes out of scope, and none can be copied.
#pragma once
#include <windows.h>
#if !TESSEL_CLASSIC
#include <gdiplus.h>
#endif

class NoCopy {
  protected:
    NoCopy() = default;
    NoCopy(const NoCopy&) = delete;
    NoCopy& operator=(const NoCopy&) = delete;
};

// A device context from GetDC, released again.
class WindowDC : NoCopy {
  public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() { if (dc_) ReleaseDC(hwnd_, dc_); }
    HDC get() const { return dc_; }
  private:
    HWND hwnd_;
    HDC dc_;
};

// A memory device context, deleted again.
class MemoryDC : NoCopy {
  public:
    explicit MemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() { if (dc_) DeleteDC(dc_); }
    HDC get() const { return dc_; }
  private:
    HDC dc_;
};

// An object selected into a device context; the previous one is selected back.
class SelectedObject : NoCopy {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() { if (old_) SelectObject(dc_, old_); }
  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A font, brush, bitmap or other GDI object that is ours to delete.
template <typename Handle>
class GdiObject : NoCopy {
  public:
    explicit GdiObject(Handle handle = nullptr) : handle_(handle) {}
    ~GdiObject() { reset(); }
    Handle get() const { return handle_; }
    Handle release() { Handle h = handle_; handle_ = nullptr; return h; }
    void reset(Handle handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }
  private:
    Handle handle_;
};
using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedBitmap = GdiObject<HBITMAP>;

// A loaded module, freed again.
class LoadedLibrary : NoCopy {
  public:
    explicit LoadedLibrary(const char* name) : module_(LoadLibraryA(name)) {}
    ~LoadedLibrary() { if (module_) FreeLibrary(module_); }
    HMODULE get() const { return module_; }
  private:
    HMODULE module_;
};

// A file search from FindFirstFileA, closed again.
// A file handle from CreateFileA, closed again.
class FileHandle : NoCopy {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { reset(); }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    void reset() {
        if (valid()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
  private:
    HANDLE handle_;
};

class FileSearch : NoCopy {
  public:
    FileSearch(const char* pattern, WIN32_FIND_DATAA* first) : handle_(FindFirstFileA(pattern, first)) {}
    ~FileSearch() { if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_); }
    bool found() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA* data) { return FindNextFileA(handle_, data) != 0; }
  private:
    HANDLE handle_;
};

#if !TESSEL_CLASSIC
// A GDI+ object of the flat interface, deleted again with its own delete call.
template <typename T, typename Base, Gdiplus::GpStatus(WINGDIPAPI* Delete)(Base*)>
class GdipObject : NoCopy {
  public:
    GdipObject() = default;
    ~GdipObject() { reset(); }
    T* get() const { return p_; }
    T** out() { reset(); return &p_; }
    void reset() {
        if (p_) Delete(p_);
        p_ = nullptr;
    }
  private:
    T* p_ = nullptr;
};
using OwnedGraphics = GdipObject<Gdiplus::GpGraphics, Gdiplus::GpGraphics, Gdiplus::DllExports::GdipDeleteGraphics>;
using OwnedSolidFill = GdipObject<Gdiplus::GpSolidFill, Gdiplus::GpBrush, Gdiplus::DllExports::GdipDeleteBrush>;
using OwnedPen = GdipObject<Gdiplus::GpPen, Gdiplus::GpPen, Gdiplus::DllExports::GdipDeletePen>;
using OwnedRegion = GdipObject<Gdiplus::GpRegion, Gdiplus::GpRegion, Gdiplus::DllExports::GdipDeleteRegion>;
using OwnedGdipBitmap = GdipObject<Gdiplus::GpBitmap, Gdiplus::GpImage, Gdiplus::DllExports::GdipDisposeImage>;
using OwnedImageAttributes = GdipObject<Gdiplus::GpImageAttributes, Gdiplus::GpImageAttributes,
                                        Gdiplus::DllExports::GdipDisposeImageAttributes>;

// GDI+ from construction to Shutdown() (or destruction, whichever comes first).
class GdiplusSession : NoCopy {
  public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, thread and codecs on
        started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession() { Shutdown(); }
    void Shutdown() {
        if (started_) Gdiplus::GdiplusShutdown(token_);
        started_ = false;
    }
  private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};
#endif
