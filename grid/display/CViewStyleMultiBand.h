// CViewStyleMultiBand: what the styles that show every band share: child
// rows below their parent rows and the last row of the whole hierarchy.
#pragma once

#include "CViewStyle.h"

class CViewStyleMultiBand : public CViewStyle {
public:
    using CViewStyle::CViewStyle;
    bool IsMultiBand() override { return true; }
    bool IsLastRow(const HvVisibleRow& record) override;
    HRESULT GetLastRow(ViewStyleRow** out) override;
    HRESULT GetLastDescendantRow(ViewStyleRow* row, ViewStyleRow** out) override;

protected:
    bool AppendChildRows(VisibleRowRequest& request, HvVisibleRow& parent, ViewStyleBand* band) override;
    // The headers of every shown band that reaches the region's scroll
    // position; with stopPastRight the walk ends at the first band that
    // starts right of the region.
    bool BuildShownBandHeaders(ViewStyleColRegion& region, bool stopPastRight);
};
