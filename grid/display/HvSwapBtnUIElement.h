// HvSwapBtnUIElement: the small button of a header that offers to swap the
// column or group with another.
#pragma once

#include "HvCellChildUIElement.h"

class HvSwapBtnUIElement final : public HvCellChildUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvSwapBtnUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                    HvUIElementOwner* owner);

    long GetDrawState() override { return OwnerState(); }
    HCURSOR GetCursor() override { return OwnerCursor(); }
    bool OnMouseDown(POINT point, UINT keys) override;
    bool OnDoubleClick(POINT) override { return false; }
    void DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    HvSwapBtnUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, HvUIElementOwner* owner);
};
