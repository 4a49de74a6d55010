// HvGroupCols: the columns of one column group, kept in level order (all of
// level 0 first, then level 1, ...; inside a level the visible order). It
// computes the group's width from its levels and spreads a change of that
// width over the columns of each level. Clients' Add, Remove and Clear go
// through the columns, which join and leave the group themselves.
#pragma once

#include "HvCollectionObject.h"
#include "HvColumnListCollection.h"

#include <Tavelle.h>

class GridColumnSeam;
class GridGroupSeam;

class HvGroupCols final : public HvCollectionObject<IHvGroupCols, HvColumnListCollection> {
public:
    // The group's Columns property.
    static constexpr DISPID OwnerPropertyId = 0x4EA;

    // A new empty list with one reference; group is not owned. A read-only
    // list refuses every change a client asks for.
    static HRESULT Create(GridGroupSeam* group, bool readOnly, HvGroupCols** out);

    // IHvGroupCols
    STDMETHODIMP get_Item(VARIANT index, IHvColumn** out) override;
    STDMETHODIMP Add(VARIANT* column, VARIANT* visiblePosition, VARIANT* level) override;
    STDMETHODIMP Remove(VARIANT index) override;
    STDMETHODIMP Clear() override;
    // Reads the column-list form written by Save (not in the type library).
    virtual HRESULT STDMETHODCALLTYPE LoadColumnList(IStream* stream, LONG arg);

    // A read-only copy holding the same columns (each referenced), not kept
    // in order by the group afterwards; null when it cannot be made.
    HvGroupCols* Clone();
    // Takes the columns of this band that match source's by key, at their
    // source positions and levels.
    HRESULT CopyFrom(HvGroupCols& source);

    // Inserts column at indexInLevel of level (appended when beyond).
    HRESULT PositionAt(GridColumnSeam* column, SHORT indexInLevel, SHORT level);
    HRESULT RemoveColumn(GridColumnSeam* column);
    // Index within its level (-1 and E_FAIL when the column is not here).
    HRESULT GetLevelPosition(GridColumnSeam* column, SHORT* indexInLevel, SHORT* level = nullptr);
    HRESULT MoveColumnTo(GridColumnSeam* column, SHORT indexInLevel, bool* moved);
    HRESULT MoveColumnBy(GridColumnSeam* column, SHORT level, bool* moved);
    HRESULT SwapColumns(GridColumnSeam* a, GridColumnSeam* b);

    // Widths in pixels.
    void MeasureLevels(GridColumnSeam* context, bool fit, LONG* minWidth, LONG* maxWidth, LONG* width);
    void UpdateGroupWidth(GridColumnSeam* context, bool fit, bool storeOnly);
    void FitColumnsToWidth(GridColumnSeam* context, bool fit, bool storeOnly, LONG arg, LONG arg2,
                           GridColumnSeam* fixed);
    void GetColumnWidthRange(GridColumnSeam* context, bool fit, GridColumnSeam* column, LONG* minWidth,
                             LONG* maxWidth);

    GridGroupSeam* Group() const { return group_; }

    // HvCollectionImpl
    bool IsReadOnly() const override { return readOnly_; }
    HRESULT Save(IStream* stream, LONG arg) override;

private:
    HvGroupCols(GridGroupSeam* group, bool readOnly);
    ~HvGroupCols() override = default;

    Node* FindNode(const GridColumnSeam* column);
    void DistributeLevel(Node* first, GridColumnSeam* context, bool fit, bool storeOnly, LONG target,
                         GridColumnSeam* fixed);
    void ApplyWidth(GridColumnSeam* column, LONG width, GridColumnSeam* context, bool fit, bool storeOnly);
    bool GroupsBeingCopied() const;
    GridBandSeam* Band() const;

    GridGroupSeam* group_;  // not owned; null for a read-only copy
    bool readOnly_;
};
