#pragma once
// GDI resources owned by objects: each is released on every way out, and a selected object
// is put back before its device context goes.

#include <windows.h>

#include <utility>

namespace qrv {

// A font, brush or bitmap, deleted with the object.
template <typename Handle> class TGdiObject {
public:
    explicit TGdiObject(Handle handle = nullptr) : handle_(handle) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(TGdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    TGdiObject& operator=(TGdiObject&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, nullptr));
        }
        return *this;
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_;
};

using TFont = TGdiObject<HFONT>;
using TBrush = TGdiObject<HBRUSH>;
using TBitmap = TGdiObject<HBITMAP>;

// BeginPaint and EndPaint around the painting of one WM_PAINT.
class TPaintDC {
public:
    explicit TPaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~TPaintDC() { EndPaint(window_, &paint_); }
    TPaintDC(const TPaintDC&) = delete;
    TPaintDC& operator=(const TPaintDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// The device context of a window's client area, outside of painting.
class TClientDC {
public:
    explicit TClientDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~TClientDC() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    TClientDC(const TClientDC&) = delete;
    TClientDC& operator=(const TClientDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with another one, for drawing from a bitmap.
class TMemoryDC {
public:
    explicit TMemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~TMemoryDC() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// An object selected into a device context for the scope; the previous one is put back.
// A null object selects nothing.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~TSelection() {
        if (previous_ != nullptr) {
            SelectObject(dc_, previous_);
        }
    }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The text and background colours of a device context for the scope.
class TTextColours {
public:
    TTextColours(HDC dc, COLORREF text, COLORREF background)
        : dc_(dc), text_(SetTextColor(dc, text)), background_(SetBkColor(dc, background)) {}
    ~TTextColours() {
        SetBkColor(dc_, background_);
        SetTextColor(dc_, text_);
    }
    TTextColours(const TTextColours&) = delete;
    TTextColours& operator=(const TTextColours&) = delete;

private:
    HDC dc_;
    COLORREF text_;
    COLORREF background_;
};

} // namespace qrv
