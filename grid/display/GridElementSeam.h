// GridElementSeam: what the grid element and its areas need of the layout
// beyond the base element's seam: border and caption metrics, the add-new
// box, the appearance resolution of the grid and caption, the relayout flag
// and busy state, and the scroll bars and edit window that follow a paint.
// The layout's root-element maker implements it; tests use fakes.
#pragma once

#include <windows.h>

#include <cstdint>

class AppearanceData;
class HvUIElementOwner;

class GridElementLayoutSeam {
public:
    // BorderStyle with Default resolved (8).
    virtual long ResolveBorderStyle() = 0;
    // BorderStyleCaption with Default resolved (9).
    virtual long ResolveCaptionBorderStyle() = 0;
    // Pixels; 0 without a caption.
    virtual long CaptionHeight() = 0;
    virtual bool IsAddNewBoxVisible() = 0;
    virtual long AddNewBoxExtent() = 0;
    virtual bool AlphaBlendEnabled() = 0;
    // Answers whether the layout asked for a re-layout, and forgets the ask.
    virtual bool TakeRelayoutRequest() = 0;
    // An operation that shows the wait cursor is running.
    virtual bool IsBusy() = 0;
    virtual bool IsDesignMode() = 0;
    // The layout's appearance resolved into data for the settings of mask.
    virtual void ResolveGridAppearance(AppearanceData& data, std::uint32_t mask) = 0;
    // The caption appearance resolved into data for the settings of mask.
    virtual void ResolveCaptionAppearance(AppearanceData& data, std::uint32_t mask) = 0;
    // Places the caption picture of data inside rect (pixels), taking its
    // room out of rect; false when the appearance's picture does not resolve.
    virtual bool PlaceCaptionPicture(RECT& rect, RECT& pictureRect, const AppearanceData& data) = 0;
    // The object that answers the caption's text element (not counted).
    virtual HvUIElementOwner* CaptionOwner() = 0;
    // Every scroll region brings its scroll bar up to date.
    virtual void UpdateScrollBars() = 0;
    // The active cell puts its edit window back over the cell.
    virtual void RepositionActiveEditWindow() = 0;

protected:
    ~GridElementLayoutSeam() = default;
};
