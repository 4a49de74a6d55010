// The clip-region guard of the drawing helpers.
#include "GdiScope.h"

ClipScope::ClipScope(HDC dc, const RECT& logical) noexcept : dc_(dc)
{
    HRGN saved = CreateRectRgn(0, 0, 0, 0);
    if (!saved)
        return;
    if (GetClipRgn(dc, saved) == 1)
        previous_ = saved;
    else
        DeleteObject(saved);
    POINT corners[2] = {{logical.left, logical.top}, {logical.right, logical.bottom}};
    LPtoDP(dc, corners, 2);
    HRGN clip = CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
    if (clip) {
        applied_ = ExtSelectClipRgn(dc, clip, RGN_AND) != ERROR;
        DeleteObject(clip);
    }
}

ClipScope::~ClipScope()
{
    if (applied_)
        SelectClipRgn(dc_, previous_);
    if (previous_)
        DeleteObject(previous_);
}
