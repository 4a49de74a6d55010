// BandRowSource: the band's say in the sorting of its rows, through the
// layout's sort callback and the client's sort filter: the filter may keep
// a list as it stands, order a pair of cells itself, and hears of the end;
// a long sort shows the wait cursor.
#include "BandRowSource.h"

#include "ColumnInfo.h"
#include "HvBand.h"
#include "HvCells.h"
#include "HvColumn.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "RowData.h"
#include "RowGridHost.h"

namespace {

template <class T> class Held {
public:
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held()
    {
        if (p)
            p->Release();
    }
    T* p = nullptr;
};

// The client's filter when it is set and the layout alive (one reference).
IHvTVSortFilter* LiveFilter(HvLayout* layout)
{
    IHvTVSortFilter* filter = layout && CAutomationObject::IsActive(layout) ? layout->SortFilter() : nullptr;
    if (filter)
        filter->AddRef();
    return filter;
}

} // namespace

HRESULT BandRowSource::RowObjectOf(RowData* data, IHvRow** out)
{
    *out = nullptr;
    if (!data)
        return S_OK;
    BandRowSource* source =
        data->GetBinding() == &Binding() ? this : FindForBinding(Layout(), data->GetBinding());
    HvRow* row = nullptr;
    const HRESULT hr = source ? source->GetRowObject(data, nullptr, &row) : E_FAIL;
    *out = row;
    return hr;
}

bool BandRowSource::BeforeSort(RowData* parentRow)
{
    HvLayout* layout = Layout();
    if (!layout)
        return false;
    Held<IHvTVSortFilter> filter;
    filter.p = LiveFilter(layout);
    Held<IHvBand> band;
    Held<IHvRow> parent;
    if (filter.p) {
        QueryBand(&band.p);
        RowObjectOf(parentRow, &parent.p);
    }
    return layout->Sorting().BeforeSort(filter.p, band.p, parent.p);
}

bool BandRowSource::CompareRows(RowData* first, RowData* second, ColumnInfo* column, bool ascending,
                                bool* firstBefore)
{
    HvLayout* layout = Layout();
    if (!layout)
        return false;
    layout->Sorting().NoteComparison();
    Held<IHvTVSortFilter> filter;
    filter.p = LiveFilter(layout);
    if (!filter.p)
        return false;
    // A descending key asks the filter for the pair the other way round,
    // so that its answer is always the order of the values.
    Held<IHvCell> a;
    Held<IHvCell> b;
    if (FAILED(CellOf(ascending ? first : second, column, &a.p)) ||
        FAILED(CellOf(ascending ? second : first, column, &b.p)))
        return false;
    const Constants_SortIndicator direction = ascending ? hvSortIndicatorAscending : hvSortIndicatorDescending;
    return LayoutSortCallback::CompareCells(filter.p, a.p, b.p, direction, firstBefore);
}

void BandRowSource::AfterSort(RowData* parentRow)
{
    HvLayout* layout = Layout();
    if (!layout)
        return;
    Held<IHvTVSortFilter> filter;
    filter.p = LiveFilter(layout);
    Held<IHvBand> band;
    Held<IHvRow> parent;
    if (filter.p) {
        QueryBand(&band.p);
        RowObjectOf(parentRow, &parent.p);
    }
    layout->Sorting().AfterSort(filter.p, band.p, parent.p);
}

// The cell of a record's row object in the band's column that reads the
// binding column (one reference).
HRESULT BandRowSource::CellOf(RowData* data, ColumnInfo* column, IHvCell** out)
{
    *out = nullptr;
    if (!band_ || !data || !column)
        return E_FAIL;
    GridColumnSeam* found = nullptr;
    for (SHORT i = 0; i < band_->GetColumnCount(); ++i) {
        GridColumnSeam* seam = nullptr;
        auto* candidate = SUCCEEDED(band_->GetColumnByPosition(i, &seam)) ? dynamic_cast<HvColumn*>(seam) : nullptr;
        if (candidate && candidate->SourceInfo() == column) {
            found = seam;
            break;
        }
    }
    if (!found)
        return E_FAIL;
    Held<HvRow> row;
    HRESULT hr = GetRowObject(data, nullptr, &row.p);
    if (FAILED(hr))
        return hr;
    HvCells* cells = row.p->GetCells();
    HvKeyedItem* cell = nullptr;
    if (!cells || FAILED(cells->GetCellByColumnId(found, &cell)) || !cell)
        return E_FAIL;
    return cell->QueryItemInterface(reinterpret_cast<IDispatch**>(out));
}
