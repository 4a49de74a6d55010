// IntersectionContent: placing rows, band headers and connectors.
#include "IntersectionContent.h"

#include "CViewStyle.h"
#include "DisplayRowSeam.h"
#include "HvBand.h"
#include "HvBandHeadersUIElement.h"
#include "HvColScrollRegion.h"
#include "HvRowColRegionIntersectionUIElement.h"
#include "HvRowScrollRegion.h"
#include "HvRowUIElement.h"
#include "HvUIElements.h"
#include "LayoutViewStyle.h"
#include "UIElementLayoutSeam.h"

IntersectionContent::IntersectionContent(HvRowColRegionIntersectionUIElement& element, HvRowScrollRegion& rows,
                                         HvColScrollRegion& cols)
    : element_(element), rows_(rows), cols_(cols)
{
}

void IntersectionContent::Place()
{
    HvUIElements* old = element_.GetChildElementList(true);
    HvLayout* layout = element_.GetLayout() ? element_.GetLayout()->ModelLayout() : nullptr;
    LayoutViewStyle* owner = layout ? LayoutViewStyle::Of(*layout) : nullptr;
    if (!old || !owner)
        return;
    CViewStyle& style = owner->Strategy();
    const RECT own = element_.GetRect();
    const long regionTop = rows_.State().rect.top;
    const long left = cols_.RegionRect().left - cols_.ScrollPosition();
    std::vector<HvUIElement*> fresh;

    auto placeHeaders = [&](HvBand& band, CAutomationObject* row, long top, long height) {
        const RECT rect = {left + band.Origin(), top, left + band.Origin() + band.Extent(), top + height};
        RECT overlap;
        if (height <= 0 || !IntersectRect(&overlap, &rect, &own))
            return;
        auto* headers = static_cast<HvBandHeadersUIElement*>(element_.TakeChildOfType(old, 3000, false));
        if (!headers)
            headers = HvBandHeadersUIElement::Make(element_.GetLayout(), &element_, rect);
        if (!headers)
            return;
        headers->SetBand(&band, row);
        headers->SetChanged();
        headers->SetRect(rect, false);
        fresh.push_back(headers);
    };

    bool placedRow = false;
    for (HvVisibleRow* record = rows_.Rows().First(); record; record = HvVisibleRowList::Next(record)) {
        DisplayRow& row = DisplayRowOf(CViewStyle::RowOf(*record));
        HvBand* band = row.ModelBand();
        if (!band || !row.IsAlive())
            continue;
        const long headerHeight = record->headersAbove ? band->GetHeaderHeight() : 0;
        // A row sharing its thin border with the row above starts on that
        // row's last line.
        const long top = regionTop + record->GetTop(true) + row.RowSpacingBefore();
        const RECT rect = {left + band->Origin(), top, left + band->Origin() + band->Extent(), top + row.Height()};
        RECT overlap;
        if (IntersectRect(&overlap, &rect, &own)) {
            auto* element = static_cast<HvRowUIElement*>(element_.TakeChildOfType(old, UIElementType::Row, false));
            if (!element)
                element = HvRowUIElement::Make(element_.GetLayout(), &element_, rect);
            if (element) {
                element->SetRow(&row, record->IsAlternate(), record->headersAbove);
                element->SetChanged();
                element->SetRect(rect, false);
                fresh.push_back(element);
                placedRow = true;
            }
        }
        if (record->headersAbove)
            placeHeaders(*band, row.RowObject(), regionTop + record->top, headerHeight);
    }

    // The top header area, or the first band's headers over an empty region.
    if (style.HasTopHeaderArea()) {
        ViewStyleBand* bands[CViewStyle::MaxHeaderLevels] = {};
        const long count = style.GetTopHeaderBands(rows_.State().rows, bands, CViewStyle::MaxHeaderLevels);
        const long height = style.GetTopHeaderHeight(1);
        for (long i = 0; i < count && i < CViewStyle::MaxHeaderLevels; ++i)
            if (bands[i]) {
                HvBand& band = static_cast<ModelViewStyleBand*>(bands[i])->Band();
                const long own = band.GetHeaderHeight();
                placeHeaders(band, nullptr, regionTop + height - own, own);
            }
    } else if (!placedRow && owner->BandCount() > 0) {
        if (auto* first = static_cast<ModelViewStyleBand*>(owner->BandAt(0)))
            placeHeaders(first->Band(), nullptr, regionTop, first->Band().GetHeaderHeight());
    }
    element_.ReplaceChildren(fresh);
}
