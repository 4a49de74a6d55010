// ColumnBandSeam: what columns, groups and headers need of their band: its
// faces for the collections and selection, its layout, its resolved
// settings and header metrics, its header order, its selection of groups
// and headers and its sort change.
#pragma once

#include <windows.h>
#include <oleauto.h>

class ColumnLayoutSeam;
class GridBandSeam;
class HvColumn;
class HvColumnGroupImpl;
class HvGroup;
class OverrideBandSeam;
class SelectionBandSeam;

class ColumnBandSeam {
public:
    virtual GridBandSeam* GridBand() = 0;
    virtual SelectionBandSeam* SelectionBand() = 0;
    // Resolves settings and appearances along the band's levels.
    virtual OverrideBandSeam* OverrideBand() = 0;
    // Null once the band has left its layout.
    virtual ColumnLayoutSeam* ColumnLayout() = 0;

    // The band's effective override setting with this dispatch identifier
    // (band override, layout override, default), pixels for sizes.
    virtual LONG ResolveSetting(DISPID setting) = 0;
    virtual SHORT LevelCount() = 0;
    // Pixels.
    virtual LONG ColumnHeaderHeight() = 0;
    virtual LONG GroupHeaderHeight() = 0;
    virtual LONG RowSelectorWidth() = 0;
    virtual LONG ExpansionIndicatorWidth() = 0;
    // The font of the band's headers (not owned), null for the system font.
    virtual HFONT HeaderFont() = 0;

    // Header order: columns among the band's column headers, groups among
    // its group headers. MoveHeader answers whether the item moved.
    virtual SHORT HeaderPosition(HvColumnGroupImpl* item) = 0;
    virtual HRESULT MoveHeader(HvColumnGroupImpl* item, SHORT position, bool* moved) = 0;

    // Selects or unselects every column of the group through the grid's
    // selection; 0x800A9C6E when another band holds the selection.
    virtual HRESULT SelectGroup(HvGroup* group, bool select, bool fireEvents) = 0;
    // A header click handled as a selection (HeaderClickAction Select).
    virtual void HandleHeaderSelect(HvColumnGroupImpl* item, LONG flag) = 0;
    // Sorts by the column with its new indicator; 0x800A9C58 when sorting is
    // refused in the current event.
    virtual HRESULT ChangeSort(HvColumn* column, LONG indicator, bool clearOthers) = 0;

protected:
    ~ColumnBandSeam() = default;
};
