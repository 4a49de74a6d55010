// CMemorySurface: an off-screen bitmap selected into a memory context whose
// logical coordinates match those of the context it stands in for. The
// bitmap is kept across uses while the asked size fits.
#pragma once

#include <windows.h>

class CMemorySurface {
public:
    CMemorySurface() = default;
    ~CMemorySurface() { Free(true); }
    CMemorySurface(const CMemorySurface&) = delete;
    CMemorySurface& operator=(const CMemorySurface&) = delete;

    // Makes the surface ready for rect (logical coordinates of source): the
    // memory context shows rect's top-left at its own origin, with source's
    // colours, modes and objects and no clip. False when GDI refuses.
    bool Prepare(HDC source, const RECT& rect);
    // Gives the bitmap back; with deleteDc also restores the context's first
    // objects and deletes the context.
    void Free(bool deleteDc);

    HDC Dc() const { return ready_ ? dc_ : nullptr; }
    bool Ready() const { return ready_; }

private:
    int allocatedWidth_ = 0;
    int allocatedHeight_ = 0;
    int usedWidth_ = 0;
    int usedHeight_ = 0;
    HDC dc_ = nullptr;
    HDC source_ = nullptr;       // not owned
    HBITMAP bitmap_ = nullptr;   // owned
    HGDIOBJ replaced_ = nullptr; // the context's own bitmap while ours is in
    bool ready_ = false;
    HGDIOBJ initialBrush_ = nullptr;
    HGDIOBJ initialPen_ = nullptr;
    HGDIOBJ initialFont_ = nullptr;
};
