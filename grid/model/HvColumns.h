// HvColumns: a band's columns. Columns are made by the band (never by the
// collection's own machinery); bound columns come first and cannot be
// removed by clients. Saved and loaded by property category, with or
// without the unbound columns.
#pragma once

#include "HvCollectionObject.h"
#include "HvVectorCollection.h"

#include <Tavelle.h>

class CDualString;
class GridBandSeam;
class GridColumnSeam;

class HvColumns final : public HvCollectionObject<IHvColumns, HvVectorCollection> {
public:
    static constexpr DISPID OwnerPropertyId = 1032;

    // A new empty collection with one reference; band is not owned.
    static HRESULT Create(GridBandSeam* band, HvColumns** out);

    // IHvColumns
    STDMETHODIMP get_Item(VARIANT index, IHvColumn** out) override;
    STDMETHODIMP Add(VARIANT key, VARIANT caption, IHvColumn** out) override;
    STDMETHODIMP Remove(VARIANT index) override;
    STDMETHODIMP ClearUnbound() override;

    // Look-ups (no reference added); null when absent.
    GridColumnSeam* ColumnAt(LONG position) const;
    GridColumnSeam* FindColumnByKey(const CDualString* key) const;
    LONG ColumnPosition(GridColumnSeam* column) const;
    // By position, key or column object; out gets a reference of its own.
    HRESULT LookupColumn(VARIANT* index, GridColumnSeam** out);

    // Columns from the first up to the last bound one.
    LONG EndOfFlaggedColumns() const;
    LONG GetMaxHeaderPictureHeight() const;
    LONG GetMaxHeaderFontHeight() const;
    // Room for a drop-down button when some column shows one.
    LONG GetDropDownButtonWidth() const;

    HRESULT ResetForCategories(LONG categories);
    HRESULT CopyFrom(HvColumns& source, LONG categories);
    bool AnyColumnHasCategoryData(LONG categories) const;

    GridBandSeam* Band() const { return band_; }

    // HvCollectionImpl
    bool SupportsKeys() const override { return true; }
    // A column's key changes only by binding, reset or a read, each
    // reported to the key indexes.
    bool IndexesKeys() const override { return true; }
    HRESULT Save(IStream* stream, LONG categories) override;
    HRESULT Load(IStream* stream, LONG categories) override;

protected:
    void ReleaseReferences() override;

private:
    explicit HvColumns(GridBandSeam* band);
    ~HvColumns() override;

    HRESULT RemoveUnboundTail(bool* removed);
    bool IsGridOwnLayout() const;

    GridBandSeam* band_;  // not owned
};
