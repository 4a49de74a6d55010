// HvRegionTileUIElement: the regions a tile of the data area stands for and its colour.
#include "HvRegionTileUIElement.h"

#include "AppearanceData.h"
#include "HvColScrollRegion.h"
#include "HvRowScrollRegion.h"

namespace {
constexpr OLE_COLOR ButtonFace = 0x8000000F;
} // namespace

CAutomationObject* HvRegionTileUIElement::GetRowScrollRegion()
{
    return rowRegion_;
}

CAutomationObject* HvRegionTileUIElement::GetColScrollRegion()
{
    return colRegion_;
}

void HvRegionTileUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    if (own.BackColor() == UnsetColor)
        own.SetBackColor(ButtonFace);
}
