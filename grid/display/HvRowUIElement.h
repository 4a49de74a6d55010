// HvRowUIElement: one visible row of a row scroll region in one column
// scroll region: its pre-row area (expansion indicator), its cells and its
// row selector. It draws nothing of its own; its draw state tells its
// parts whether the row is selected, active, focused or an alternate row.
#pragma once

#include "HvUIElement.h"

class DisplayRow;
class HvBand;

class HvRowUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvRowUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    // Keeps a reference to row.
    void SetRow(DisplayRow* row, bool alternate, bool firstAfterHeaders);
    DisplayRow* Row() const { return row_; }
    bool IsAlternate() const { return alternate_; }
    HvBand* RowBand() const;

    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }
    long GetDrawState() override;
    CAutomationObject* GetContextObject() override;
    CAutomationObject* GetRow() override;
    CAutomationObject* GetBand() override;
    void DrawBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawBorders(CDrawContext&, const RECT&, const AppearanceData&) override {}

    // The Row element above element, or null.
    static HvRowUIElement* Above(HvUIElement* element);

private:
    HvRowUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
    ~HvRowUIElement() override;

    DisplayRow* row_ = nullptr; // one reference
    bool alternate_ = false;
    bool firstAfterHeaders_ = false;
};
