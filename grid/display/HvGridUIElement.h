// HvGridUIElement: the root of the UI element tree. It divides the grid
// window into the caption area, the data area and the add-new box, embeds
// the two popup elements that stand for the cell editor's windows, and
// paints the whole tree when the control draws.
#pragma once

#include "HvUIElement.h"

class GridElementLayoutSeam;

// Posted to the grid window after a paint that followed a change of the
// element tree, so that the element under the mouse is checked again.
constexpr UINT WM_HV_ELEMENTS_REPOSITIONED = 0x5C7;

class HvGridUIElement final : public HvUIElement {
public:
    // A new root with one reference, handed over; null when out of memory.
    static HvGridUIElement* Make(UIElementLayoutSeam* layout, GridElementLayoutSeam* grid, const RECT& rect);

    // One paint: re-places the areas when the bounds changed, positions what
    // is out of date, draws the tree off-screen into dc and copies the
    // invalid rectangle to it.
    void Paint(HDC dc, const RECT& bounds, const RECT& invalid);

    HvUIElement* EditElement() const { return edit_; }
    HvUIElement* DropDownElement() const { return dropDown_; }
    bool TreeChanged() const { return treeChanged_; }

    HvUIElement* ElementFromPoint(POINT point, ULONG type, bool fromConnector, bool skipPopups) override;
    HvUIElement* AdjustableElementFromPoint(POINT point) override;
    HvUIElement* GetDescendant(const DescendantQuery& query) override;
    void SetRect(const RECT& rect, bool invalidate) override;
    bool HasNoChildElements() override { return false; }
    long GetBorderStyle() override;
    HCURSOR GetCursor() override;
    void OnLayoutDirty() override { treeChanged_ = true; }
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;

    // The cursor the grid shows at point (grid client coordinates), with the
    // wait cursor while the layout is busy; null leaves it to the window.
    HCURSOR CursorAt(POINT point);

private:
    HvGridUIElement(UIElementLayoutSeam* layout, GridElementLayoutSeam* grid, const RECT& rect);
    ~HvGridUIElement() override;

    // Takes the old area of type from old or makes one, and appends it.
    void PlaceChild(HvUIElements* old, ULONG type, const RECT& rect, std::vector<HvUIElement*>& fresh);

    GridElementLayoutSeam* grid_; // not counted
    HvUIElement* edit_ = nullptr;     // owned
    HvUIElement* dropDown_ = nullptr; // owned
    bool designMode_ = false;
    bool firstPaintPending_ = true;
    bool treeChanged_ = false;
};
