// HvRowCellAreaUIElement: a row's cells, one per shown column of the band
// in the column scroll region, with the row's auto-preview below them; its
// bottom edge sizes the row.
#pragma once

#include "HvUIElement.h"

class HvRowCellAreaUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvRowCellAreaUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }
    long GetBorderStyle() override;
    HCURSOR GetCursor() override;
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawFocus(CDrawContext& context, const RECT& area, const AppearanceData& data) override;
    bool IsAdjustable() override;
    bool PointInAdjustableArea(POINT point) override;
    HCURSOR GetAdjustCursor() override { return LoadCursorW(nullptr, IDC_SIZENS); }
    void GetAdjustmentRange(AdjustmentRange& range) override;
    void ApplyAdjustment(int horizontalChange, int verticalChange) override;

private:
    HvRowCellAreaUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
