// HvRowSelectorUIElement: the box left of a row's cells that shows whether
// the row is active, changed or the add row, and sizes the row by its
// bottom edge.
#pragma once

#include "HvUIElement.h"

class HvRowSelectorUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvRowSelectorUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    long GetBorderStyle() override;
    UINT GetBorderSides() override;
    HCURSOR GetCursor() override;
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawPictureBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data) override;
    bool IsAdjustable() override;
    bool PointInAdjustableArea(POINT point) override;
    HCURSOR GetAdjustCursor() override { return LoadCursorW(nullptr, IDC_SIZENS); }
    void GetAdjustmentRange(AdjustmentRange& range) override;
    void ApplyAdjustment(int horizontalChange, int verticalChange) override;

    // The mark a row shows: 0 for none, else a RowSelectorMark id.
    static WORD MarkOf(bool changed, bool active, bool addRow);

private:
    HvRowSelectorUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
