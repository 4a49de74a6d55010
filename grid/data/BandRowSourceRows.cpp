// BandRowSource: the rows related to a row (children, siblings), found by
// the row model and handed out as row objects, and the new rows of AddNew.
#include "BandRowSource.h"

#include "HvBand.h"
#include "HvRow.h"
#include "RowData.h"
#include "RowGridHost.h"
#include "RowsetBinding.h"

#include <oledberr.h>

namespace {

constexpr HRESULT kNoChildBands = static_cast<HRESULT>(0x800A9C57);
constexpr WORD kNoChildBandsString = 3013;
constexpr HRESULT kNotChildBand = static_cast<HRESULT>(0x800A9C4E);
constexpr WORD kNotChildBandString = 4005;
constexpr HRESULT kNoAddContext = static_cast<HRESULT>(0x800A9C65);
constexpr WORD kNoAddContextString = 4027;

RowData* DataOf(HvRow* row)
{
    return row ? dynamic_cast<RowData*>(row->GetRowData()) : nullptr;
}

} // namespace

// The chapter column of this band's binding that leads to childBand's;
// raises 3013 for a band without child bands and 4005 for a band that is
// not a child of this one.
HRESULT BandRowSource::ChapterOrdinalOf(RowBandSeam* childBand, long* ordinal)
{
    *ordinal = -1;
    auto* child = dynamic_cast<BandRowSource*>(childBand);
    if (Binding().GetFirstChapterColumn() < 0)
        return band_ ? band_->Exception(kNoChildBands, kNoChildBandsString) : kNoChildBands;
    const long found = child ? Binding().FindChapterColumnOf(&child->Binding()) : -1;
    if (found < 0 || !child->band_ || child->band_->Parent() != band_)
        return band_ ? band_->Exception(kNotChildBand, kNotChildBandString) : kNotChildBand;
    *ordinal = found;
    return S_OK;
}

HRESULT BandRowSource::GetChildRow(HvRow* row, LONG which, RowBandSeam* childBand, IHvRow** out)
{
    *out = nullptr;
    RowData* data = DataOf(row);
    if (!data)
        return E_FAIL;
    long ordinal = -1;
    if (childBand) {
        const HRESULT resolved = ChapterOrdinalOf(childBand, &ordinal);
        if (FAILED(resolved))
            return resolved;
    }
    RowData* child = nullptr;
    HRESULT hr = which == hvChildRowLast ? data->GetLastChildRow(ordinal, &child)
                                         : data->GetFirstChildRow(ordinal, &child);
    if (FAILED(hr) || !child)
        return FAILED(hr) ? hr : DB_S_ENDOFROWSET;
    hr = HandOut(child, row, out);
    child->Release();
    return hr;
}

HRESULT BandRowSource::GetChildRowByBookmark(HvRow* row, const VARIANT& bookmark, RowBandSeam* childBand,
                                             IHvRow** out)
{
    *out = nullptr;
    RowData* data = DataOf(row);
    if (!data)
        return E_FAIL;
    long ordinal = Binding().GetFirstChapterColumn();
    if (childBand) {
        const HRESULT resolved = ChapterOrdinalOf(childBand, &ordinal);
        if (FAILED(resolved))
            return resolved;
    }
    if (ordinal < 0)
        return E_FAIL;
    RowData* child = nullptr;
    // A lookup that finds nothing, or fails, is "Bookmark not found.".
    const HRESULT found = data->FindChildRowByBookmark(bookmark, ordinal, &child);
    if (FAILED(found) || !child)
        return S_OK;
    const HRESULT hr = HandOut(child, row, out);
    child->Release();
    return hr;
}

HRESULT BandRowSource::GetSiblingRow(HvRow* row, LONG which, bool spanBands, IHvRow** out)
{
    *out = nullptr;
    RowData* data = DataOf(row);
    if (!data)
        return E_FAIL;
    RowData* sibling = nullptr;
    HRESULT hr = data->GetSibling(which, spanBands, &sibling);
    if (FAILED(hr) || !sibling)
        return FAILED(hr) ? hr : DB_S_ENDOFROWSET;
    hr = HandOut(sibling, row->GetParentRow(), out);
    sibling->Release();
    return hr;
}

HRESULT BandRowSource::HasChildRowIn(HvRow* row, RowBandSeam* childBand, bool* has)
{
    *has = false;
    RowData* data = DataOf(row);
    if (!data)
        return S_OK;
    long ordinal = -1;
    if (childBand) {
        const HRESULT resolved = ChapterOrdinalOf(childBand, &ordinal);
        if (FAILED(resolved))
            return resolved;
    }
    RowData* child = nullptr;
    const HRESULT hr = data->GetFirstChildRow(ordinal, &child);
    if (FAILED(hr))
        return hr;
    *has = child != nullptr;
    if (child)
        child->Release();
    return S_OK;
}

// --- AddNew ---------------------------------------------------------------------------------

HRESULT BandRowSource::AddRow(IHvRow*, IHvRow** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!band_ || !grid_.MakesRows())
        return E_FAIL;
    // A child band adds under the active row's ancestor in its parent band.
    HvRow* parent = nullptr;
    if (HvBand* parentBand = band_->Parent()) {
        for (HvRow* row = grid_.ActiveRow(); row && !parent; row = row->GetParentRow())
            if (OfBand(parentBand) == row->GetBand())
                parent = row;
        if (!parent)
            return band_->Exception(kNoAddContext, kNoAddContextString);
    }
    RowData* parentData = DataOf(parent);
    if (parent && !parentData)
        return band_->Exception(kNoAddContext, kNoAddContextString);
    const bool events = CanFireEvents();
    if (events && grid_.FireBeforeRowInsert(static_cast<IHvBand*>(band_), parent ? static_cast<IHvRow*>(parent) : nullptr))
        return S_OK;
    // The row being left is committed as UpdateMode asks before the new
    // one takes its place.
    if (grid_.ActiveRow() && grid_.DeactivateActiveRow(true) != 0)
        return S_OK;

    ChapterHandle chapter(&Binding());
    if (parentData) {
        const long ordinal = parentData->GetBinding()->FindChapterColumnOf(&Binding());
        HRESULT hr = ordinal < 0 ? E_FAIL : parentData->ReadChapter(static_cast<DBORDINAL>(ordinal), chapter);
        if (FAILED(hr))
            return hr;
    }
    HROW handle = DB_NULL_HROW;
    HRESULT hr = Binding().InsertRow(chapter.Value(), &handle);
    if (FAILED(hr)) {
        ReportRowError(nullptr, hr);
        return hr;
    }
    RowData* data = nullptr;
    hr = RowData::Create(&Binding(), handle, chapter, parentData, false, true, false, &data);
    if (FAILED(hr) || !data)
        return FAILED(hr) ? hr : E_OUTOFMEMORY;
    HvRow* row = nullptr;
    hr = HvRow::Create(data, parent, this, hvRowTypeAddRow, &row);
    data->Release();
    if (FAILED(hr))
        return hr;
    // The new record is pending until the row is committed.
    row->SetDataChanged(VARIANT_TRUE);
    MarkRowsDirty();
    grid_.ChangeActiveRow(row);
    if (events)
        grid_.FireAfterRowInsert(static_cast<IHvRow*>(row));
    *out = row;
    return S_OK;
}

// --- the row position -----------------------------------------------------------------------

bool BandRowSource::KeepsPositionMark()
{
    return Binding().GetRowPositionInterface() != nullptr;
}

HRESULT BandRowSource::FlushPosition()
{
    return Binding().SetRowPosition(DB_NULL_HCHAPTER, DB_NULL_HROW);
}

HRESULT BandRowSource::SyncPosition(HvRow* row)
{
    RowData* data = DataOf(row);
    if (!data)
        return E_FAIL;
    return Binding().SyncRowPosition(data->Chapter().Value(), data->GetRowHandle());
}
