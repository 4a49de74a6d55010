// HvCellUIElement: one cell of a row: its text (asked of the cell), its
// border in the band's cell style and its focus mark; a double click puts
// the cell into edit mode.
#pragma once

#include "HvUIElement.h"

class HvColumnGroupImpl;

class HvCellUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvCellUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    // cell is the cell object (not counted; its row keeps it).
    void SetCell(HvColumnGroupImpl* column, CAutomationObject* cell);
    HvColumnGroupImpl* Column() const { return column_; }

    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }
    long GetDrawState() override;
    long GetBorderStyle() override;
    UINT GetBorderSides() override;
    HCURSOR GetCursor() override;
    CAutomationObject* GetContextObject() override { return cell_; }
    CAutomationObject* GetCell() override { return cell_; }
    CAutomationObject* GetBand() override;
    bool OnDoubleClick(POINT point) override;
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawFocus(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    HvCellUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    HvColumnGroupImpl* column_ = nullptr; // not counted
    CAutomationObject* cell_ = nullptr;   // not counted
};
