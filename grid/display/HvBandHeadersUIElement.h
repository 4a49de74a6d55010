// HvBandHeadersUIElement: the strip of one band's headers in a column
// scroll region, above the band's first row or in the top header area.
#pragma once

#include "HvUIElement.h"

class HvBand;
class HvColScrollRegion;

class HvBandHeadersUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvBandHeadersUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    // row: the row below the headers (not counted), null when they stand
    // for no row.
    void SetBand(HvBand* band, CAutomationObject* row);
    HvBand* Band() const { return band_; }

    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }
    CAutomationObject* GetRow() override { return row_; }
    CAutomationObject* GetBand() override;
    void DrawBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawBorders(CDrawContext&, const RECT&, const AppearanceData&) override {}

private:
    HvBandHeadersUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    HvBand* band_ = nullptr;          // not counted
    CAutomationObject* row_ = nullptr; // not counted
};
