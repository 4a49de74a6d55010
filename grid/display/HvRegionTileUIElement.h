// HvRegionTileUIElement: the base of the data area's pieces that stand for
// a scroll region or a pair of them: scroll bars, splitter bars, split
// boxes and the squares where these meet. It remembers the regions (not
// counted; the liveness test checks them) and draws in the button face
// colour without a background picture.
#pragma once

#include "HvUIElement.h"

class HvColScrollRegion;
class HvRowScrollRegion;

class HvRegionTileUIElement : public HvUIElement {
public:
    HvRowScrollRegion* RowRegion() const { return rowRegion_; }
    HvColScrollRegion* ColRegion() const { return colRegion_; }
    void SetRegions(HvRowScrollRegion* row, HvColScrollRegion* col)
    {
        rowRegion_ = row;
        colRegion_ = col;
    }

    CAutomationObject* GetRowScrollRegion() override;
    CAutomationObject* GetColScrollRegion() override;
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawPictureBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}

protected:
    HvRegionTileUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, ULONG type)
        : HvUIElement(layout, parent, rect, type)
    {
    }

private:
    HvRowScrollRegion* rowRegion_ = nullptr; // not counted
    HvColScrollRegion* colRegion_ = nullptr; // not counted
};
