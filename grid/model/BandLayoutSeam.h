// BandLayoutSeam: what a band needs of the layout that owns it beyond the
// collections' view of it: its override and Bands, its state (design mode,
// Enabled, events), its fonts, its view-style object's answers, the grid
// that shows it, and the making of columns and groups for the band.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <Tavelle.h>

class AppearanceData;
class BandGridSeam;
class BandsLayoutSeam;
class CDualString;
class ColumnLayoutSeam;
class GridColumnSeam;
class GridGroupSeam;
class HvBand;
class HvBands;
class HvGroups;
class HvLayoutHost;
class HvOverride;
class HvOverrides;
class OverrideLayoutSeam;
class PropertySinkConnection;
class SelectionLayoutSeam;
struct AppearanceRequest;

class BandLayoutSeam {
public:
    // The layout's other faces (never null).
    virtual BandsLayoutSeam* BandsSide() = 0;
    virtual OverrideLayoutSeam* OverrideSide() = 0;
    virtual SelectionLayoutSeam* SelectionSide() = 0;
    virtual ColumnLayoutSeam* ColumnSide() = 0;

    // The layout's Bands and its own Override; null when it has none yet
    // (neither is created for the asking).
    virtual HvBands* Bands() = 0;
    virtual HvOverride* LayoutOverride() = 0;
    virtual HvOverrides* Overrides() = 0;
    // The layout's automation interface (one new reference).
    virtual HRESULT QueryLayout(IHvLayout** out) = 0;

    virtual bool IsDesignMode() = 0;
    virtual bool IsEnabled() = 0;
    virtual bool CanFireEvents() = 0;

    // The layout-level answer for an override setting: the layout
    // override's value, or the layout's default for the settings that have
    // one (0 or -1 when unset otherwise); sizes in pixels, -1 when unset.
    virtual LONG ResolveLayoutSetting(DISPID setting) = 0;
    virtual LONG ResolveLayoutSize(DISPID setting) = 0;

    // The font of the layout's Appearance, the layout's Font when that
    // appearance has none (not owned).
    virtual PropertySinkConnection* AppearanceFont() = 0;

    // The view-style object's answers (false without one).
    virtual bool HasViewStyle() = 0;
    virtual bool ViewStyleHidesChildBands() = 0;
    virtual bool ViewStyleSyncsRowHeights() = 0;
    // Places the band after its header layout (sets its origin).
    virtual void ViewStylePlaceBand(HvBand* band) = 0;
    virtual void ViewStyleExtentChanged(HvBand* band, LONG delta) = 0;

    // Makes sure the layout's metrics are up to date.
    virtual void EnsureMetrics() = 0;
    // The layout-level appearance resolution (the last levels of a band's).
    virtual void ResolveLayoutAppearance(AppearanceData& block, AppearanceRequest& request) = 0;

    // The add-new box's raw ButtonBorderStyle (0 Default, also without a
    // box) and the cursor of its resolved button appearance (null for none).
    virtual LONG AddNewButtonBorderStyle() = 0;
    virtual HCURSOR AddNewButtonCursor() = 0;

    // The grid that shows the layout, null for a stand-alone layout.
    virtual BandGridSeam* Grid() = 0;

    // A new column or group of band (one reference, given).
    virtual HRESULT CreateColumn(HvBand* band, const CDualString* key, LONG flags, GridColumnSeam** out) = 0;
    virtual HRESULT CreateGroup(HvBand* band, HvGroups* groups, const CDualString* key, GridGroupSeam** out) = 0;

protected:
    ~BandLayoutSeam() = default;
};
