// HvHeaderUIElement: the header of one column or group: its caption text
// and picture, its sort indicator and swap button, its border in the band's
// header style, and the strip at its right edge that sizes the column.
#pragma once

#include "HvUIElement.h"

class HvBand;
class HvHeader;

class HvHeaderUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvHeaderUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    // overIndicator: the header stands over the band's expansion-indicator
    // column (its top-left corner is cut).
    void SetHeader(HvHeader* header, HvBand* band, bool overIndicator);
    HvHeader* Header() const { return header_; }

    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }
    long GetDrawState() override;
    long GetBorderStyle() override;
    HCURSOR GetCursor() override;
    CAutomationObject* GetContextObject() override;
    CAutomationObject* GetHeader() override;
    CAutomationObject* GetBand() override;
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawBorders(CDrawContext& context, const RECT& area, const AppearanceData& data) override;
    // Sizing the column by the right edge.
    bool IsAdjustable() override;
    bool PointInAdjustableArea(POINT point) override;
    HCURSOR GetAdjustCursor() override { return LoadCursorW(nullptr, IDC_SIZEWE); }
    void GetAdjustmentRange(AdjustmentRange& range) override;
    void ApplyAdjustment(int horizontalChange, int verticalChange) override;

private:
    HvHeaderUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    HvHeader* header_ = nullptr; // not counted
    HvBand* band_ = nullptr;     // not counted
    bool overIndicator_ = false;
};
