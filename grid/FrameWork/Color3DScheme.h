// Color3DScheme: the colour set of three-dimensional dialog drawing (face,
// shadow, highlight, frame), with the pens and brushes made from it cached
// for one paint.
#pragma once

#include <windows.h>

class Color3DScheme {
public:
    // Mode 0: the fixed classic colours; 1: the system colours; any other
    // value: the colours given. darkInner makes the classic inner shadow black.
    Color3DScheme(SHORT mode, COLORREF face, COLORREF shadow, COLORREF highlight, COLORREF frame, bool darkInner,
                  SHORT flag);
    ~Color3DScheme();
    Color3DScheme(const Color3DScheme&) = delete;
    Color3DScheme& operator=(const Color3DScheme&) = delete;

    // Stock objects for black, white and the stock greys; others are made
    // once and owned by the scheme.
    HPEN GetShadowPen();
    HPEN GetHighlightPen();
    HBRUSH GetFaceBrush();
    COLORREF GetFaceColor() const { return face_; }
    COLORREF GetTextColor() const;

    SHORT Mode() const { return mode_; }
    SHORT Flag() const { return flag_; }
    COLORREF ShadowColor() const { return shadow_; }
    COLORREF HighlightColor() const { return highlight_; }
    COLORREF FrameColor() const { return frame_; }
    COLORREF InnerShadowColor() const { return innerShadow_; }
    COLORREF InnerHighlightColor() const { return innerHighlight_; }

private:
    enum Slot { FaceBrushSlot, ShadowPenSlot, HighlightPenSlot, SlotCount = 8 };
    HPEN PenFor(COLORREF colour, Slot slot);

    SHORT mode_;
    COLORREF face_;
    COLORREF shadow_;
    COLORREF highlight_;
    COLORREF frame_;
    COLORREF innerShadow_;
    COLORREF innerHighlight_;
    SHORT flag_;
    HGDIOBJ cache_[SlotCount] = {};   // owned
};

// Draws an edge around a dialog item: its window rectangle in the dialog's
// client coordinates, inflated by inflation and by one more pixel for each
// of an outer and an inner part of the edge. Answers DrawEdge's result.
BOOL DrawDialogItemEdge(HDC dc, HWND dialog, int itemId, UINT edge, UINT flags, int inflation);
