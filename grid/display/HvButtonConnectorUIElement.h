// HvButtonConnectorUIElement: the L-shaped line in the add-new box from a
// parent band's button down and across to its child band's button.
#pragma once

#include "HvUIElement.h"

class HvBand;

class HvButtonConnectorUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvButtonConnectorUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    // The child band the line leads to (not counted: the box re-lays out
    // its connectors whenever the bands change).
    void SetBand(HvBand* band) { band_ = band; }

    // A point hits the line within 2 pixels of it.
    bool PointInElement(POINT point) override;
    long GetBorderStyle() override;
    UINT GetBorderSides() override { return 9; }
    CAutomationObject* GetBand() override;
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawPictureBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}

private:
    HvButtonConnectorUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    HvBand* band_ = nullptr;
};
