// Small holders that give GDI objects back on every path.
#pragma once

#include <windows.h>

// The header of a 32-bit DIB without compression, width x height; a negative
// height is stored top row first.
inline BITMAPINFO Dib32Info(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A window's DC (the screen's for no window) for one job, released when the
// holder goes.
class WindowDc {
  public:
    explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// A memory DC compatible with `reference` (the screen when null); its first
// bitmap is selected back before the DC is deleted.
class MemoryDc {
  public:
    explicit MemoryDc(HDC reference = nullptr) : dc_(CreateCompatibleDC(reference)) {
        if (dc_) first_ = GetCurrentObject(dc_, OBJ_BITMAP);
    }
    ~MemoryDc() {
        if (dc_) {
            SelectObject(dc_, first_);
            DeleteDC(dc_);
        }
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void Select(HBITMAP bitmap) { SelectObject(dc_, bitmap); }

  private:
    HDC dc_;
    HGDIOBJ first_ = nullptr;
};

// A bitmap owned until it is handed over with Release().
class OwnedBitmap {
  public:
    explicit OwnedBitmap(HBITMAP bitmap = nullptr) : bitmap_(bitmap) {}
    ~OwnedBitmap() {
        if (bitmap_) DeleteObject(bitmap_);
    }
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;
    OwnedBitmap(OwnedBitmap&& other) noexcept : bitmap_(other.Release()) {}
    OwnedBitmap& operator=(OwnedBitmap&& other) noexcept {
        Reset(other.Release());
        return *this;
    }

    HBITMAP get() const { return bitmap_; }
    explicit operator bool() const { return bitmap_ != nullptr; }
    HBITMAP Release() {
        HBITMAP bitmap = bitmap_;
        bitmap_ = nullptr;
        return bitmap;
    }
    void Reset(HBITMAP bitmap = nullptr) {
        if (bitmap_) DeleteObject(bitmap_);
        bitmap_ = bitmap;
    }

  private:
    HBITMAP bitmap_;
};

// A font selected into a DC for one drawing; the DC's previous font is
// selected back and the font deleted when the holder goes.
class SelectedFont {
  public:
    SelectedFont(HDC dc, HFONT font) : dc_(dc), font_(font) {
        if (font_) previous_ = SelectObject(dc_, font_);
    }
    ~SelectedFont() {
        if (!font_) return;
        SelectObject(dc_, previous_);
        DeleteObject(font_);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

  private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_ = nullptr;
};
