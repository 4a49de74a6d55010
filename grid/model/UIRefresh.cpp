// UIRefresh: the refresh helpers over the display seams.
#include "UIRefresh.h"

#include "HvUIElementOwner.h"
#include "LayoutRegionsSeam.h"
#include "ScrollRegionSeam.h"
#include "UIElementSeam.h"

namespace {

bool IsShown(const ScrollRegionSeam* region)
{
    return region && !region->IsHidden() && region->GetSize() >= 1;
}

} // namespace

namespace UIRefresh {

void RefreshBandColumns(HvUIElementOwner* owner, bool markChanged)
{
    if (!owner)
        return;
    LayoutRegionsSeam* layout = owner->GetShowingLayout();
    if (!layout)
        return;
    const int colCount = layout->ColScrollRegionCount();
    for (int r = 0; r < layout->RowScrollRegionCount(); ++r) {
        ScrollRegionSeam* rowRegion = layout->RowScrollRegionAt(r);
        if (!IsShown(rowRegion))
            continue;
        for (int c = 0; c < colCount; ++c) {
            ScrollRegionSeam* colRegion = layout->ColScrollRegionAt(c);
            if (IsShown(colRegion))
                RefreshElementAt(owner, rowRegion, colRegion, markChanged);
        }
    }
}

bool RefreshElementAt(HvUIElementOwner* owner, ScrollRegionSeam* rowRegion, ScrollRegionSeam* colRegion,
                      bool markChanged)
{
    UIElementSeam* element = owner ? owner->GetUIElement(rowRegion, colRegion, 1) : nullptr;
    if (!element)
        return false;
    if (markChanged)
        MarkChangedAndUpdate(element, true);
    else
        element->Invalidate();
    return true;
}

void MarkChangedAndUpdate(UIElementSeam* element, bool invalidate)
{
    if (!element)
        return;
    element->SetChanged();
    if (invalidate)
        element->Invalidate();
    element->Update();
}

void RefreshRowCells(HvUIElementOwner* owner, ScrollRegionSeam* rowRegion)
{
    if (!owner)
        return;
    LayoutRegionsSeam* layout = owner->GetShowingLayout();
    if (!layout)
        return;
    for (int c = 0; c < layout->ColScrollRegionCount(); ++c) {
        ScrollRegionSeam* colRegion = layout->ColScrollRegionAt(c);
        if (!IsShown(colRegion))
            continue;
        if (UIElementSeam* element = owner->GetUIElement(rowRegion, colRegion, 1))
            element->Invalidate();
    }
}

} // namespace UIRefresh
