// CViewStyleMultiBandHorizontal: child bands stand right of their parent
// band and a first child row beside its parent row; the headers of one
// band per level spread across the top header area.
#pragma once

#include "CViewStyleMultiBand.h"

class CViewStyleMultiBandHorizontal final : public CViewStyleMultiBand {
public:
    using CViewStyleMultiBand::CViewStyleMultiBand;
    bool BuildVisibleHeaders(ViewStyleColRegion& region) override { return BuildShownBandHeaders(region, false); }
    long GetBandOffset(ViewStyleBand* band, ViewStyleBand* previous) override;
    void PlaceRegionHeaderItem(ViewStyleColRegion& region, ViewStyleHeader& item, ViewStyleHeader* previous) override;
    void ShiftFollowingBands(ViewStyleBand* band, long amount) override;
    bool IsHorizontal() override { return true; }
    long GetTopHeaderBands(HvVisibleRowList& rows, ViewStyleBand** bands, long capacity) override;

protected:
    void PlaceRowAfter(VisibleRowRequest& request, HvVisibleRow& record) override;
    void PlaceRowBefore(VisibleRowRequest& request, HvVisibleRow& record) override;

private:
    // A first child row and its parent stand on one line: record takes
    // other's index and top.
    static void TakeLineOf(HvVisibleRow& record, HvVisibleRow& other);
};
