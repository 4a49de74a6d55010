// HvDropDownBtnUIElement: the drop-down button of a cell; a press flashes
// the button and hands the press to the cell, which opens its list.
#pragma once

#include "HvCellChildUIElement.h"

class HvDropDownBtnUIElement final : public HvCellChildUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvDropDownBtnUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                        HvUIElementOwner* owner, LONG context);

    bool IsPressed() override { return pressed_; }
    long GetDrawState() override;
    HCURSOR GetCursor() override { return OwnerCursor(); }
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    bool OnMouseDown(POINT point, UINT keys) override;
    bool OnDoubleClick(POINT) override { return false; }
    bool CanDraw() override { return true; }
    void DrawBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawPictureBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawBorders(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    HvDropDownBtnUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                           HvUIElementOwner* owner, LONG context);

    bool pressed_ = false;
};
