// HvRegionPieceUIElement: the regions a piece stands for and its colour.
#include "HvRegionPieceUIElement.h"

#include "AppearanceData.h"
#include "HvColScrollRegion.h"
#include "HvRowScrollRegion.h"

namespace {
constexpr OLE_COLOR ButtonFace = 0x8000000F;
} // namespace

CAutomationObject* HvRegionPieceUIElement::GetRowScrollRegion()
{
    return rowRegion_;
}

CAutomationObject* HvRegionPieceUIElement::GetColScrollRegion()
{
    return colRegion_;
}

void HvRegionPieceUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    if (own.BackColor() == UnsetColor)
        own.SetBackColor(ButtonFace);
}
