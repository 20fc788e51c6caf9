// Owners for device contexts and GDI objects: each is released when its owner
// goes out of scope, so nothing made for one job outlives the call that made it.
#pragma once

#include <windows.h>

#include <utility>

namespace gdi {

// A window's device context from GetDC, released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), hdc_(GetDC(hwnd)) {}
    ~WindowDC() { if (hdc_) ReleaseDC(hwnd_, hdc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return hdc_; }
    explicit operator bool() const { return hdc_ != nullptr; }

private:
    HWND hwnd_;
    HDC hdc_;
};

// A device context we created (CreateDC, CreateCompatibleDC), deleted with DeleteDC.
class OwnedDC {
public:
    OwnedDC() = default;
    explicit OwnedDC(HDC hdc) : hdc_(hdc) {}
    ~OwnedDC() { reset(); }
    OwnedDC(OwnedDC&& other) noexcept : hdc_(std::exchange(other.hdc_, nullptr)) {}
    OwnedDC& operator=(OwnedDC&& other) noexcept
    {
        if (this != &other) { reset(); hdc_ = std::exchange(other.hdc_, nullptr); }
        return *this;
    }
    OwnedDC(const OwnedDC&) = delete;
    OwnedDC& operator=(const OwnedDC&) = delete;
    HDC get() const { return hdc_; }
    HDC release() { return std::exchange(hdc_, nullptr); }
    void reset() { if (hdc_) { DeleteDC(hdc_); hdc_ = nullptr; } }
    explicit operator bool() const { return hdc_ != nullptr; }

private:
    HDC hdc_ = nullptr;
};

// A pen, font, bitmap or brush we created, deleted with DeleteObject.
template <typename Handle>
class Object {
public:
    Object() = default;
    explicit Object(Handle handle) : handle_(handle) {}
    ~Object() { reset(); }
    Object(Object&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Object& operator=(Object&& other) noexcept
    {
        if (this != &other) { reset(); handle_ = std::exchange(other.handle_, nullptr); }
        return *this;
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    Handle get() const { return handle_; }
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset() { if (handle_) { DeleteObject(handle_); handle_ = nullptr; } }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

using Pen = Object<HPEN>;
using Font = Object<HFONT>;
using Bitmap = Object<HBITMAP>;

// Selects an object into a context and puts the previous one back on scope exit,
// so that an owned object is never deleted while still selected.
class Selection {
public:
    Selection(HDC hdc, HGDIOBJ object) : hdc_(hdc), previous_(hdc && object ? SelectObject(hdc, object) : nullptr) {}
    ~Selection() { if (hdc_ && previous_) SelectObject(hdc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC hdc_;
    HGDIOBJ previous_;
};

}  // namespace gdi
