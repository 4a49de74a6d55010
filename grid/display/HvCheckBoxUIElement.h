// HvCheckBoxUIElement: the check box of a check-box cell, drawn from the
// state its owner (the cell) gives.
#pragma once

#include "HvCellChildUIElement.h"

class HvCheckBoxUIElement final : public HvCellChildUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvCheckBoxUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                     HvUIElementOwner* owner, LONG context);

    long GetDrawState() override { return OwnerState(); }
    HCURSOR GetCursor() override { return OwnerCursor(); }
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    bool OnMouseDown(POINT point, UINT keys) override;
    bool OnDoubleClick(POINT) override { return false; }
    void DrawBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawPictureBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    HvCheckBoxUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, HvUIElementOwner* owner,
                        LONG context);
};
