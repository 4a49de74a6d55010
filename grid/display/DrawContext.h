// CDrawContext: the drawing context of one paint: the target context, the
// area being painted, the surface drawn on (off-screen or direct), a cache
// of the selected pen, brush, font and colours, clipping that stays right
// under a viewport offset, borders in the grid's styles, pictures and alpha
// layers for translucent drawing phases.
#pragma once

#include "DrawSurface.h"

#include <windows.h>
#include <commctrl.h>
#include <ocidl.h>

#include <memory>

class AppearanceData;

namespace DrawMode {
constexpr DWORD OffScreen = 1;
constexpr DWORD AlphaLayers = 2;
} // namespace DrawMode

// Sides of DrawBorder, with the request to shrink the rectangle afterwards.
namespace BorderSide {
constexpr UINT Left = 1;
constexpr UINT Top = 2;
constexpr UINT Right = 4;
constexpr UINT Bottom = 8;
constexpr UINT All = 15;
// With Top and Right: the diagonal from the bottom-left corner to the
// top-right one (a cut corner), drawn alone.
constexpr UINT Diagonal = 16;
constexpr UINT Shrink = 0x2000;
} // namespace BorderSide

// Flags of DrawExpansionIndicator.
namespace ExpansionFlag {
constexpr UINT Plus = 1;
constexpr UINT ReturnBox = 2;
constexpr UINT FillRest = 8;
constexpr UINT ExcludeRect = 16;
} // namespace ExpansionFlag

constexpr COLORREF NoColor = 0xFFFFFFFF;

class CDrawContext {
public:
    CDrawContext(HDC dc, int left, int top, int right, int bottom, DWORD mode);
    ~CDrawContext();
    CDrawContext(const CDrawContext&) = delete;
    CDrawContext& operator=(const CDrawContext&) = delete;

    DWORD Mode() const { return mode_; }
    const RECT& Area() const { return area_; }
    HDC TargetDc() const { return dc_; }
    // The context drawing goes to now (off-screen or layer), or null.
    HDC DrawDc() const { return surface_ ? surface_->DrawDc() : nullptr; }
    // The context under an open alpha layer, or null.
    HDC LayerUnderDc() const { return surface_ ? surface_->UnderDc() : nullptr; }
    bool IsOffScreen() const { return surface_ && surface_->IsOffScreen(); }

    bool Flush();
    // Clips rect (shifted by the viewport offset) to the area; false when
    // nothing is left.
    bool ClipRectToDrawArea(RECT& rect) const;
    bool SetClipRect(const RECT& rect);
    bool ExtSelectClip(HRGN region, int mode);
    bool OffsetOrigin(int dx, int dy);
    int GetOffsetX() const;
    int GetOffsetY() const;
    bool BeginAlphaLayer(const RECT& rect, int level);
    void ResetStateCache() { cacheFlags_ = 0; }

    bool SelectBrushColor(COLORREF color);
    bool SelectPen(COLORREF color, int kind);
    bool SelectFont(IUnknown* font);
    bool SetTextColor(COLORREF color);
    bool SetBkColor(COLORREF color);
    bool SetBkMode(int mode);
    bool SetBrushOrigin(int x, int y);

    bool FillRect(const RECT& rect);
    bool FillRectColor(const RECT& rect, COLORREF color);
    bool FrameRectColor(const RECT& rect, COLORREF color);
    bool DrawEdge(RECT& rect, UINT edge, UINT flags);
    bool MoveTo(int x, int y);
    bool LineTo(int x, int y);
    bool Polygon(const POINT* points, int count);
    bool Polyline(const POINT* points, int count);
    bool DrawText(const wchar_t* text, int length, RECT& rect, UINT format);
    bool DrawFocusRect(const RECT& rect);
    bool DrawIcon(HICON icon, int x, int y, int width, int height);
    bool DrawFrameControl(RECT& rect, UINT type, UINT state);
    bool ExcludeClipRect(const RECT& rect);
    bool DrawImage(HIMAGELIST images, int index, int x, int y, UINT style);
    // style: 1 centred, 2 stretched, 3 tiled (0 draws nothing).
    bool DrawPicture(IUnknown* picture, const RECT& origin, const RECT& area, int style);
    // Border in a Constants_BorderStyle on the sides asked (BorderSide).
    bool DrawBorder(RECT& rect, long style, COLORREF color, UINT sides);
    bool DrawExpansionIndicator(RECT& rect, UINT flags, const AppearanceData& appearance);

private:
    enum CacheFlag : DWORD { BrushSelected = 1, PenSelected = 4, TextColorSet = 8, BkColorSet = 16 };

    void RestoreInitialObjects(HDC dc);
    void ForgetDrawingContext(HDC previous);

    DWORD mode_;
    HDC dc_;
    std::unique_ptr<CDrawSurface> surface_;
    RECT area_;
    POINT viewportOrigin_ = {};
    DWORD cacheFlags_ = 0;
    HPEN initialPen_ = nullptr;
    HPEN pen_ = nullptr;
    COLORREF penColor_ = NoColor;
    int penKind_ = 0;
    HBRUSH initialBrush_ = nullptr;
    HBRUSH brush_ = nullptr;
    LOGBRUSH brushDescription_ = {};
    COLORREF brushColor_ = NoColor;
    HFONT initialFont_ = nullptr;
    HFONT font_ = nullptr; // selected, owned by the font object
    COLORREF textColor_ = NoColor;
    COLORREF bkColor_ = NoColor;
    bool newerSystem_ = false;
};
