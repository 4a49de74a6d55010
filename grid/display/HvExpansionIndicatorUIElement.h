// HvExpansionIndicatorUIElement: the plus or minus box that expands or
// collapses a row's child rows.
#pragma once

#include "HvUIElement.h"

class HvExpansionIndicatorUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvExpansionIndicatorUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    CAutomationObject* GetContextObject() override { return nullptr; }
    bool OnMouseDown(POINT point, UINT keys) override;
    bool OnDoubleClick(POINT) override { return false; }
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawPictureBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawBorders(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    HvExpansionIndicatorUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);
};
