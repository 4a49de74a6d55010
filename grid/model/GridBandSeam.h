// GridBandSeam: what the collections need of a band: its Columns and
// Groups, the making and removal of columns and groups with their header
// entries, and the band-wide work that the Bands collection drives
// (binding, expansion, header layout and extents, copy and reset).
#pragma once

#include <windows.h>

class BandsLayoutSeam;
class CDualString;
class GridColumnSeam;
class GridGroupSeam;
class HvColumns;
class HvGroups;
class HvKeyedItem;
class HvPersistParticipant;

class GridBandSeam {
public:
    virtual HvKeyedItem* BandItem() = 0;
    virtual HvPersistParticipant* Participant() = 0;
    // Not referenced.
    virtual BandsLayoutSeam* Layout() = 0;
    virtual GridBandSeam* ParentBand() = 0;

    // The band's Columns, null when it has none yet.
    virtual HvColumns* Columns() = 0;
    // The band's Groups, made on first use when create is true.
    virtual HvGroups* GetGroups(bool create) = 0;

    // Creates a column, inserts it into Columns and the column-header
    // order and hands it out (the collection holds the only reference).
    virtual HRESULT AddColumn(const CDualString* key, GridColumnSeam** out) = 0;
    // The whole removal of a column: header entry, group membership,
    // deactivation and removal from Columns; E_FAIL when not the band's.
    virtual HRESULT RemoveColumnHeader(GridColumnSeam* column) = 0;
    // A new group of the band for the collection (one reference, given).
    virtual HRESULT CreateGroup(HvGroups* groups, const CDualString* key, GridGroupSeam** out) = 0;
    virtual HRESULT AppendGroupHeader(GridGroupSeam* group) = 0;
    virtual void RemoveGroupHeader(GridGroupSeam* group) = 0;

    virtual void UpdateBinding() = 0;
    virtual HRESULT ExpandRows(bool expand, bool recursive, LONG arg) = 0;
    virtual void InvalidateHeaderHeights() = 0;
    virtual bool IsEffectivelyHidden() = 0;
    virtual void LayoutHeaders(GridBandSeam* previousVisible) = 0;
    virtual void ApplyPendingExtentChange() = 0;
    // Pixels.
    virtual LONG Origin() = 0;
    virtual LONG Extent() = 0;

    // Same Key; two root bands also match when either key is empty.
    virtual bool MatchesBand(GridBandSeam* other) = 0;
    // -1 for a root band or one without parent column.
    virtual LONG GetParentColumnIndex() = 0;
    virtual void SetParentColumn(GridColumnSeam* column) = 0;
    virtual void CallCellSelectStrategy() = 0;

protected:
    ~GridBandSeam() = default;
};
