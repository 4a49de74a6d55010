// HvBandHeadersUIElement: one Header element per shown header of the band.
#include "HvBandHeadersUIElement.h"

#include "HvBand.h"
#include "HvColScrollRegion.h"
#include "HvColumnGroupImpl.h"
#include "HvHeaderUIElement.h"
#include "HvUIElements.h"

#include <new>

HvBandHeadersUIElement::HvBandHeadersUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvUIElement(layout, parent, rect, 3000)
{
}

HvBandHeadersUIElement* HvBandHeadersUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                     const RECT& rect)
{
    return new (std::nothrow) HvBandHeadersUIElement(layout, parent, rect);
}

void HvBandHeadersUIElement::SetBand(HvBand* band, CAutomationObject* row)
{
    if (band != band_)
        SetChanged();
    band_ = band;
    row_ = row;
}

CAutomationObject* HvBandHeadersUIElement::GetBand()
{
    return band_;
}

void HvBandHeadersUIElement::PositionChildElements()
{
    ClearChildrenDirty();
    HvUIElements* old = GetChildElementList(true);
    auto* region = static_cast<HvColScrollRegion*>(ResolveColScrollRegion());
    if (!old || !band_ || !region)
        return;
    std::vector<HvUIElement*> fresh;
    const RECT own = GetRect();
    const RECT regionRect = region->RegionRect();
    const long left = regionRect.left - region->ScrollPosition();
    bool inRun = false;
    for (HvColumnGroupImpl* item : region->ShownItems()) {
        const bool ours = static_cast<HvBand*>(dynamic_cast<GridBandSeam*>(item->Band())) == band_;
        if (!ours) {
            if (inRun)
                break;
            continue;
        }
        inRun = true;
        const long start = left + item->SharedOrigin();
        const RECT rect = {start, own.top, start + item->GetExtent(), own.bottom};
        RECT overlap;
        if (!IntersectRect(&overlap, &rect, &own))
            continue;
        auto* header = static_cast<HvHeaderUIElement*>(TakeChildOfType(old, UIElementType::Header, false));
        if (!header)
            header = HvHeaderUIElement::Make(GetLayout(), this, rect);
        if (!header)
            continue;
        header->SetHeader(item->Header(), band_, item->IsFirstItem() && band_->ExpansionIndicatorWidth() > 0);
        header->SetRect(rect, false);
        fresh.push_back(header);
    }
    ReplaceChildren(fresh);
}
