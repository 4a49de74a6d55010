// Scope guards for the GDI objects a drawing call makes or selects: each
// one undoes its work when the call ends, whichever way it ends.
#pragma once

#include <windows.h>

// A memory context compatible with another context (or the screen), deleted
// at scope end.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible) noexcept : dc_(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() { if (dc_) DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HDC dc_;
};

// Selects an object into a context and selects the previous one back.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr)
    {
    }
    ~SelectScope() { if (previous_) SelectObject(dc_, previous_); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
    bool Selected() const noexcept { return previous_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Selects a palette as a background palette, realises it, and restores the
// previous palette at scope end. A null palette does nothing.
class PaletteScope {
public:
    PaletteScope(HDC dc, HPALETTE palette) noexcept : dc_(dc)
    {
        if (dc && palette) {
            previous_ = SelectPalette(dc, palette, TRUE);
            RealizePalette(dc);
        }
    }
    ~PaletteScope() { if (previous_) SelectPalette(dc_, previous_, TRUE); }
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;

private:
    HDC dc_;
    HPALETTE previous_ = nullptr;
};

// Owns one GDI object (bitmap, region, pen, brush) and deletes it.
template <class THandle>
class GdiObject {
public:
    GdiObject() noexcept = default;
    explicit GdiObject(THandle handle) noexcept : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    void Reset(THandle handle = nullptr) noexcept
    {
        if (handle_)
            DeleteObject(handle_);
        handle_ = handle;
    }
    THandle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

private:
    THandle handle_ = nullptr;
};

// Intersects the clip region of a context with a rectangle given in logical
// coordinates, and puts the previous clip region (or none) back.
class ClipScope {
public:
    ClipScope(HDC dc, const RECT& logical) noexcept;
    ~ClipScope();
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    HDC dc_;
    HRGN previous_ = nullptr;   // owned; null when the context had no clip region
    bool applied_ = false;
};
