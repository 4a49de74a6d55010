// CViewStyleSingleBand: only the top band is shown, as a flat table.
#pragma once

#include "CViewStyle.h"

class CViewStyleSingleBand final : public CViewStyle {
public:
    using CViewStyle::CViewStyle;
    bool BuildVisibleHeaders(ViewStyleColRegion& region) override;

protected:
    // Child bands are never shown.
    bool AppendChildRows(VisibleRowRequest&, HvVisibleRow&, ViewStyleBand*) override { return true; }
};
