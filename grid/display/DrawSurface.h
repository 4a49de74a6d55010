// CDrawSurface: where one paint draws: the target context itself or an
// off-screen bitmap, plus the translucent layer that an alpha phase draws
// into before it is blended onto the picture under it.
#pragma once

#include "MemorySurface.h"

#include <windows.h>

class CDrawSurface {
public:
    // mode bit 1: draw off-screen; area: the part being painted (logical
    // coordinates of target).
    CDrawSurface(HDC target, DWORD mode, const RECT& area);
    ~CDrawSurface() = default;
    CDrawSurface(const CDrawSurface&) = delete;
    CDrawSurface& operator=(const CDrawSurface&) = delete;

    // The context drawing goes to now (the layer while one is open).
    HDC DrawDc() const { return drawDc_; }
    // The context under the open layer, or null.
    HDC UnderDc() const { return underDc_; }
    // The off-screen context, or the target when drawing directly.
    HDC MainDc() const;
    bool IsOffScreen() const { return main_.Ready(); }

    // Opens a layer at level over rect (ending the open one first); see
    // CDrawContext::BeginAlphaLayer.
    bool BeginLayer(const RECT& rect, int level);
    // Blends the open layer onto the context under it.
    void EndLayer();

    const RECT& Clip() const { return clip_; }
    POINT Offset() const { return offset_; }
    void AddOffset(int dx, int dy) { offset_.x += dx; offset_.y += dy; }

private:
    HDC target_;
    DWORD mode_;
    CMemorySurface main_;
    CMemorySurface layer_;
    HDC drawDc_;
    HDC underDc_ = nullptr;
    RECT layerRect_ = {};
    int layerLevel_ = -1;
    RECT clip_;
    POINT offset_ = {};
};
