// HvRowColRegionIntersectionUIElement: the regions, appearance and content
// placement of one intersection.
#include "HvRowColRegionIntersectionUIElement.h"

#include "AppearanceData.h"
#include "HvColScrollRegion.h"
#include "HvLayout.h"
#include "HvRowScrollRegion.h"
#include "IntersectionContent.h"
#include "OverrideBandSeam.h"
#include "UIElementLayoutSeam.h"

#include <new>

namespace {
constexpr std::uint32_t LayoutAppearanceMask = 0x7FFFF;
} // namespace

HvRowColRegionIntersectionUIElement::HvRowColRegionIntersectionUIElement(UIElementLayoutSeam* layout,
                                                                         HvUIElement* parent, const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::RowColRegionIntersection)
{
}

HvRowColRegionIntersectionUIElement* HvRowColRegionIntersectionUIElement::Make(UIElementLayoutSeam* layout,
                                                                               HvUIElement* parent,
                                                                               const RECT& rect)
{
    return new (std::nothrow) HvRowColRegionIntersectionUIElement(layout, parent, rect);
}

void HvRowColRegionIntersectionUIElement::SetRegions(HvRowScrollRegion* row, HvColScrollRegion* col)
{
    if (row != rowRegion_ || col != colRegion_)
        SetChanged();
    rowRegion_ = row;
    colRegion_ = col;
}

CAutomationObject* HvRowColRegionIntersectionUIElement::GetRowScrollRegion()
{
    return rowRegion_;
}

CAutomationObject* HvRowColRegionIntersectionUIElement::GetColScrollRegion()
{
    return colRegion_;
}

void HvRowColRegionIntersectionUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr;
    if (!layout)
        return;
    AppearanceRequest request;
    request.requestMask = LayoutAppearanceMask;
    layout->ResolveAppearance(own, request);
}

bool HvRowColRegionIntersectionUIElement::GetContentBrushOrigin(POINT& origin)
{
    if (!colRegion_ || !rowRegion_)
        return false;
    origin.x = colRegion_->ScrollPosition() % 8;
    origin.y = rowRegion_->ScrollPixels() % 8;
    return true;
}

void HvRowColRegionIntersectionUIElement::PositionChildElements()
{
    ClearChildrenDirty();
    if (!rowRegion_ || !colRegion_ || !CAutomationObject::IsActive(rowRegion_) ||
        !CAutomationObject::IsActive(colRegion_))
        return;
    IntersectionContent content(*this, *rowRegion_, *colRegion_);
    content.Place();
}
