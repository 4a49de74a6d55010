// CViewStyleMultiBandVertical: every band carries its headers above its own
// rows; child bands are indented right of their parent band and rows of
// different bands are kept apart by the layout's InterBandSpacing.
#pragma once

#include "CViewStyleMultiBand.h"

class CViewStyleMultiBandVertical final : public CViewStyleMultiBand {
public:
    static constexpr long SharedBorderVertical = 4;

    using CViewStyleMultiBand::CViewStyleMultiBand;
    bool BuildVisibleHeaders(ViewStyleColRegion& region) override { return BuildShownBandHeaders(region, true); }
    long GetBandOffset(ViewStyleBand* band, ViewStyleBand* previous) override;
    void PlaceRegionHeaderItem(ViewStyleColRegion& region, ViewStyleHeader& item, ViewStyleHeader* previous) override;
    bool HasTopHeaderArea() override { return false; }
    long UpdateSharedBorder(HvVisibleRow& record, HvVisibleRow* previous) override;

protected:
    void PlaceRowAfter(VisibleRowRequest& request, HvVisibleRow& record) override;
    void PlaceRowBefore(VisibleRowRequest& request, HvVisibleRow& record) override;

private:
    long SpacingBetween(const HvVisibleRow& upper, const HvVisibleRow& lower);
};
