// HvBandHeadersUIElement: one Header element per shown header of the band.
#include "HvBandHeadersUIElement.h"

#include "HvBand.h"
#include "HvColScrollRegion.h"
#include "GroupColumnSpans.h"
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
    auto place = [&](HvColumnGroupImpl* item, const RECT& rect, bool overIndicator) {
        RECT overlap;
        if (!IntersectRect(&overlap, &rect, &own))
            return;
        auto* header = static_cast<HvHeaderUIElement*>(TakeChildOfType(old, UIElementType::Header, false));
        if (!header)
            header = HvHeaderUIElement::Make(GetLayout(), this, rect);
        if (!header)
            return;
        header->SetHeader(item->Header(), band_, overIndicator);
        header->SetRect(rect, false);
        fresh.push_back(header);
    };
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
        const bool overIndicator = item->IsFirstItem() && band_->ExpansionIndicatorWidth() > 0;
        const std::vector<GroupColumnSpan> columns = GroupColumnSpans(item);
        if (!item->IsGroup()) {
            place(item, {start, own.top, start + item->GetExtent(), own.bottom}, overIndicator);
            continue;
        }
        // A group's header above the headers of its columns, each on its
        // level's line.
        const long groupHeight = band_->GetGroupHeaderHeight();
        if (groupHeight > 0)
            place(item, {start, own.top, start + item->GetExtent(), own.top + groupHeight}, overIndicator);
        if (band_->GetColHeaderHeight(false) <= 0)
            continue;
        for (const GroupColumnSpan& column : columns) {
            long top = 0;
            long bottom = 0;
            LevelLine(own.top + groupHeight, own.bottom, band_->GetEffectiveLevelCount(), column.level, top, bottom);
            place(column.column, {start + column.offset, top, start + column.offset + column.width, bottom},
                  overIndicator && column.offset == 0);
        }
    }
    ReplaceChildren(fresh);
}
