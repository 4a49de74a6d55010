// HvColumnListCollection: the list-family collection operations shared by
// the column lists (a group's columns, the selected columns, a band's sort
// columns): membership, key look-up and removal on the linked list, column
// access by position, and the column-list stream form through which a list
// is saved and read back against its band.
#pragma once

#include "HvListCollection.h"

class CDualString;
class GridBandSeam;
class GridColumnSeam;
class GridGroupSeam;

class HvColumnListCollection : public HvListCollection {
public:
    // Position of the item in the list, -1 when absent.
    LONG ListCollectionIndexOf(const HvKeyedItem* item) const;
    // The first item whose key equals key ignoring case, or null.
    HvKeyedItem* FindListItemByKey(const CDualString* key) const;
    // True when key is not empty and another item than except has it.
    bool ListCollectionHasDuplicateKey(const CDualString* key, const HvKeyedItem* except) const;
    // BeforeRemoveItem veto, unlink, OnItemRemoved, release; an item that
    // is not in the list is no error.
    HRESULT RemoveListCollectionItem(HvKeyedItem* item) { return RemoveCollectionItem(item); }

    // The column an entry holds (null for an item that is no column).
    static GridColumnSeam* ColumnOf(const Node* node);
    GridColumnSeam* ColumnAtPosition(LONG position) const;
    bool ContainsColumn(GridColumnSeam* column) const;

    // Column-list form: int32 count, then per column {int16 position,
    // int32 data type, byte flags (1 bound, 2 key follows), [key]}; an
    // unbound column's position counts from the band's last bound column.
    // Writing stops at the first failed write.
    HRESULT SaveColumnList(IStream* stream, GridBandSeam* band);
    // Clears the list and reads it back, finding each column in band by key
    // or position; a column that no longer exists is skipped. With a group,
    // each column found joins it with a level at least that of the column
    // before. A read failure or a failed append stops and is returned; the
    // columns read so far stay.
    HRESULT ReadColumnList(IStream* stream, GridBandSeam* band, GridGroupSeam* group);

    // Item keys are the columns' keys.
    bool SupportsKeys() const override { return true; }

protected:
    explicit HvColumnListCollection(CAutomationObject& base) : HvListCollection(base) {}
    ~HvColumnListCollection() override = default;
};
