// HvRowColRegionIntersectionUIElement: where one row scroll region meets one
// column scroll region. It clips what it holds to its rectangle and keeps
// its patterns fixed to the scrolled content.
#pragma once

#include "HvUIElement.h"

class HvColScrollRegion;
class HvRowScrollRegion;

class HvRowColRegionIntersectionUIElement final : public HvUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvRowColRegionIntersectionUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                     const RECT& rect);

    HvRowScrollRegion* RowRegion() const { return rowRegion_; }
    HvColScrollRegion* ColRegion() const { return colRegion_; }
    void SetRegions(HvRowScrollRegion* row, HvColScrollRegion* col);

    void PositionChildElements() override;
    bool HasNoChildElements() override { return false; }
    bool ClipsSelf() override { return true; }
    CAutomationObject* GetRowScrollRegion() override;
    CAutomationObject* GetColScrollRegion() override;
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawPictureBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}

protected:
    bool GetContentBrushOrigin(POINT& origin) override;

private:
    HvRowColRegionIntersectionUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect);

    HvRowScrollRegion* rowRegion_ = nullptr; // not counted
    HvColScrollRegion* colRegion_ = nullptr; // not counted
};
