// GridColumnSeam: what the collections need of a column of a band (its
// collection-item face, bound state, level and widths, group membership,
// header metrics and persistence participant). The column object of the
// layout implements it beside HvKeyedItem.
#pragma once

#include <windows.h>
#include <oleauto.h>

class GridGroupSeam;
class HvKeyedItem;
class HvPersistParticipant;

class GridColumnSeam {
public:
    // The column as a collection item (reference counting, key, hand-out).
    virtual HvKeyedItem* ColumnItem() = 0;
    // Its persistence participant (stream save and load of one column,
    // reset and copy by category).
    virtual HvPersistParticipant* Participant() = 0;

    // Bound to a data field (bound columns come first in a band).
    virtual bool IsBound() = 0;
    // The data-type field written to the column-list form.
    virtual LONG DataType() = 0;
    // Position in the collection that holds it, -1 when none.
    virtual LONG GetCollectionIndex() = 0;
    // Both keys' strings equal.
    virtual bool IsSameKey(GridColumnSeam* other) = 0;
    // The effective Constants_Style value.
    virtual LONG ResolveStyle() = 0;
    // Sets the header's Caption; false when the column has no header.
    virtual bool SetHeaderCaption(BSTR caption) = 0;
    // Resolved header picture and font heights in pixels (0 without).
    virtual LONG HeaderPictureHeight() = 0;
    virtual LONG HeaderFontHeight() = 0;

    // Level inside its group, visible position and level record.
    virtual SHORT Level() = 0;
    // With move, the column also moves within its group's column list.
    virtual void SetLevel(SHORT level, bool move) = 0;
    virtual void GetPositionRecord(SHORT* visiblePosition, SHORT* level) = 0;

    // Group membership. JoinGroup checks band and level and places the
    // column with the group list's PositionAt; LeaveGroup is a put of an
    // empty Group; SetGroup attaches it while a column list loads.
    virtual HRESULT JoinGroup(GridGroupSeam* group, VARIANT* visiblePosition, VARIANT* level) = 0;
    virtual HRESULT LeaveGroup() = 0;
    virtual void SetGroup(GridGroupSeam* group, SHORT minimumLevel) = 0;

    // Widths in pixels; MaxWidth 0 means none.
    virtual LONG Width() = 0;
    virtual LONG MaxWidth() = 0;
    virtual LONG GetMinWidth() = 0;
    virtual bool ProportionalResize() = 0;
    // True when the column cannot be sized (its state, the context column
    // itself, AllowColSizing None or LockedWidth).
    virtual bool IsWidthLocked(GridColumnSeam* context, bool fit) = 0;
    // The column's own test that leaves it out of a level's resize.
    virtual bool IsExcludedFromResize(GridColumnSeam* context) = 0;
    // Sets the width with the column's clamping and notices.
    virtual void SetWidthInternal(LONG width, GridColumnSeam* context, bool fit) = 0;
    // Stores the width without re-layout.
    virtual void StoreWidth(LONG width) = 0;

protected:
    ~GridColumnSeam() = default;
};
