// BandBindingSeam: what a band needs of the rowset binding that feeds its
// rows: whether it can serve, its row count, hearing the provider's notices,
// its columns' descriptions, and adding a row.
#pragma once

#include <windows.h>

#include <Tavelle.h>

class ColumnInfoSeam;

class BandBindingSeam {
public:
    // True when the binding lacks its rowset or accessor.
    virtual bool IsUnavailable() = 0;
    virtual LONG RowCount() = 0;
    // The band is fed by the binding from now on (its row side hears the
    // provider's notices), or no longer.
    virtual void AddListeners() = 0;
    virtual void RemoveListeners() = 0;
    // The description of the index-th column after the bookmark column, or
    // null past the last one.
    virtual ColumnInfoSeam* ColumnInfoAt(LONG index) = 0;
    // What the band's settings ask of the binding: expand rows on load, the
    // band is out of view, and the Constants_FetchRows mode.
    virtual void Configure(bool expandRowsOnLoad, bool outOfView, LONG fetchRows) = 0;
    // The band's sort columns, first key first: each column's description
    // (null for an unbound column, which does not sort) and its direction.
    // The band's rows follow the new order.
    struct SortColumn {
        ColumnInfoSeam* column;
        bool ascending;
    };
    virtual void SetSortColumns(const SortColumn* columns, size_t count) = 0;
    // Every row object the band holds through the binding: with
    // touchChildren its ExpandChildRowsOnLoad follows, and a row whose state
    // differs is expanded or collapsed, with its events. The first failure
    // ends the walk.
    virtual HRESULT ExpandHeldRows(bool, bool) { return S_OK; }
    // Releases the rows the band holds through the binding.
    virtual void ReleaseHeldRows() = 0;
    // Adds a row (under parent for a child band); the new row object, made,
    // activated and referenced.
    virtual HRESULT AddRow(IHvRow* parent, IHvRow** out) = 0;

protected:
    ~BandBindingSeam() = default;
};
