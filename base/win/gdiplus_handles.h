// Owners for the objects of the GDI+ flat interface and for GDI+ itself; movable, never copied.
#pragma once
#include <windows.h>
#include <gdiplus.h>

#include <utility>

// A GDI+ object, deleted again with its own delete call.
template <typename T, typename Base, Gdiplus::GpStatus(WINGDIPAPI* Delete)(Base*)>
class GdipObject {
  public:
    GdipObject() = default;
    explicit GdipObject(T* p) : p_(p) {}
    GdipObject(GdipObject&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    GdipObject& operator=(GdipObject&& other) noexcept {
        if (this != &other) reset(std::exchange(other.p_, nullptr));
        return *this;
    }
    GdipObject(const GdipObject&) = delete;
    GdipObject& operator=(const GdipObject&) = delete;
    ~GdipObject() { reset(); }
    T* get() const { return p_; }
    T** out() {
        reset();
        return &p_;
    }
    void reset(T* p = nullptr) {
        T* old = std::exchange(p_, p);
        if (old) Delete(old);
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
using OwnedGdipFont = GdipObject<Gdiplus::GpFont, Gdiplus::GpFont, Gdiplus::DllExports::GdipDeleteFont>;
using OwnedStringFormat =
    GdipObject<Gdiplus::GpStringFormat, Gdiplus::GpStringFormat, Gdiplus::DllExports::GdipDeleteStringFormat>;

// GDI+ from construction until the owner goes.
class GdiplusSession {
  public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, thread and codecs on
        started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    GdiplusSession(GdiplusSession&& other) noexcept
        : token_(other.token_), started_(std::exchange(other.started_, false)) {}
    GdiplusSession& operator=(GdiplusSession&&) = delete;
    GdiplusSession(const GdiplusSession&) = delete;
    ~GdiplusSession() {
        if (started_) Gdiplus::GdiplusShutdown(token_);
    }

  private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};
