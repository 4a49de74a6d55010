// CDrawSurface: the off-screen picture and the alpha layers.
#include "DrawSurface.h"

#include "AlphaBlendBinding.h"

CDrawSurface::CDrawSurface(HDC target, DWORD mode, const RECT& area)
    : target_(target), mode_(mode), drawDc_(target), clip_(area)
{
    if ((mode & 1) && main_.Prepare(target, area))
        drawDc_ = main_.Dc();
}

HDC CDrawSurface::MainDc() const
{
    return main_.Ready() ? main_.Dc() : target_;
}

bool CDrawSurface::BeginLayer(const RECT& rect, int level)
{
    // The open layer serves only a rectangle that lies wholly inside it.
    RECT joined;
    UnionRect(&joined, &rect, &layerRect_);
    if (level == layerLevel_ && EqualRect(&joined, &layerRect_))
        return false;
    EndLayer();
    layerRect_ = rect;
    layerLevel_ = level;
    if (level == 0 || level == 255)
        return true;
    HDC main = MainDc();
    if (!layer_.Prepare(main, rect))
        return true;
    BitBlt(layer_.Dc(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, main, rect.left,
           rect.top, SRCCOPY);
    drawDc_ = layer_.Dc();
    underDc_ = main;
    return true;
}

void CDrawSurface::EndLayer()
{
    if (!underDc_)
        return;
    RECT part;
    if (IntersectRect(&part, &layerRect_, &clip_)) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(layerLevel_ < 0 ? 255 : layerLevel_), 0};
        const int width = part.right - part.left;
        const int height = part.bottom - part.top;
        AlphaBlendIfAvailable(underDc_, part.left, part.top, width, height, layer_.Dc(), part.left, part.top, width,
                              height, blend);
    }
    drawDc_ = underDc_;
    underDc_ = nullptr;
}
