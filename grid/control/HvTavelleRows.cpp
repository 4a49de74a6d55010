// The grid control's row access: the first and last rows and a row by
// bookmark, Refresh, and Update and CancelUpdate over every band's rows
// with pending changes (also the control's IOleObject::Update).
#include "HvTavelle.h"

#include "BandRowSource.h"
#include "EventEnableMask.h"
#include "Guarded.h"
#include "HvBand.h"
#include "HvBands.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "HvRowScrollRegions.h"
#include "RootRowsetBinding.h"
#include "RowBatch.h"
#include "RowBookmark.h"
#include "RowData.h"

#include <oledberr.h>

#include <vector>

namespace {

constexpr HRESULT NotInitialized = static_cast<HRESULT>(0x800A9C47);
constexpr WORD NotInitializedString = 3000;
constexpr HRESULT EndOfRowset = static_cast<HRESULT>(0x800A9C48);
constexpr WORD EndOfRowsetString = 3001;
constexpr HRESULT BookmarkNotFound = static_cast<HRESULT>(0x800A9C4C);
constexpr WORD BookmarkNotFoundString = 4003;
constexpr HRESULT ErrorsOccurred = static_cast<HRESULT>(0x80040E21);

bool IsMissing(const VARIANT* value)
{
    return !value || value->vt == VT_ERROR || value->vt == VT_EMPTY;
}

} // namespace

HRESULT HvTavelle::FetchEdgeRow(bool first, HvRow** out)
{
    *out = nullptr;
    BandRowSource* source = FirstBandSource();
    if (!rootBinding_ || !source)
        return NotInitialized;
    EnsureLayoutBuilt();
    RowData* data = nullptr;
    HRESULT hr = source->FetchEdgeRow(first, &data);
    if (FAILED(hr) || !data)
        return FAILED(hr) ? hr : (hr == DB_S_ENDOFROWSET ? DB_S_ENDOFROWSET : S_FALSE);
    CUnknownObject::AddRef();
    hr = source->GetRowObject(data, nullptr, out);
    CUnknownObject::Release();
    data->Release();
    return hr;
}

STDMETHODIMP HvTavelle::GetRow(Constants_ChildRow Child, IHvRow** Row)
{
    if (Child != hvChildRowFirst && Child != hvChildRowLast)
        return E_INVALIDARG;
    if (!Row)
        return E_INVALIDARG;
    *Row = nullptr;
    return Guarded([&]() -> HRESULT {
        if (!rootBinding_ || !layout_ || !FirstBandSource())
            return Exception(NotInitialized, NotInitializedString);
        HvRow* row = nullptr;
        const HRESULT hr = FetchEdgeRow(Child == hvChildRowFirst, &row);
        if (FAILED(hr))
            return hr;
        if (!row)
            return hr == DB_S_ENDOFROWSET ? Exception(EndOfRowset, EndOfRowsetString)
                                          : Exception(HvResult::OperationFailed, HvResult::OperationFailedString);
        *Row = row;
        return S_OK;
    });
}

STDMETHODIMP HvTavelle::GetRowFromBookmark(VARIANT* Bookmark, IHvRow** Row)
{
    if (!Bookmark || !Row)
        return E_INVALIDARG;
    *Row = nullptr;
    return Guarded([&]() -> HRESULT {
        BandRowSource* source = FirstBandSource();
        if (!rootBinding_ || !layout_ || !source)
            return Exception(NotInitialized, NotInitializedString);
        EnsureLayoutBuilt();
        const VARIANT& value =
            V_VT(Bookmark) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(Bookmark) ? *V_VARIANTREF(Bookmark) : *Bookmark;
        if (value.vt == VT_EMPTY || value.vt == VT_NULL || value.vt == VT_ERROR)
            return Exception(BookmarkNotFound, BookmarkNotFoundString);
        RowBookmark bookmark(rootBinding_, value);
        const ULONG length = SUCCEEDED(bookmark.Status()) ? bookmark.GetBookmarkLength() : 0;
        if (!length)
            return Exception(BookmarkNotFound, BookmarkNotFoundString);
        ChapterHandle chapter;
        chapter.Attach(rootBinding_, DB_NULL_HCHAPTER, true);
        RowBatch batch(rootBinding_, chapter, 1, false, true, true);
        HRESULT hr = batch.FetchFromBookmark(length, bookmark.GetBookmarkBytes(), 0);
        if (hr == DB_E_BADBOOKMARK || (SUCCEEDED(hr) && batch.Count() == 0))
            return Exception(BookmarkNotFound, BookmarkNotFoundString);
        if (FAILED(hr))
            return hr;
        RowData* data = nullptr;
        hr = batch.Next(&data, true, false);
        if (FAILED(hr) || !data)
            return Exception(BookmarkNotFound, BookmarkNotFoundString);
        HvRow* row = nullptr;
        CUnknownObject::AddRef();
        hr = source->GetRowObject(data, nullptr, &row);
        CUnknownObject::Release();
        data->Release();
        if (FAILED(hr))
            return hr;
        *Row = row;
        return S_OK;
    });
}

STDMETHODIMP HvTavelle::Refresh(VARIANT* Action)
{
    return Guarded([&]() -> HRESULT {
        LONG action = hvRefreshDisplay;
        if (!IsMissing(Action)) {
            VARIANT value;
            VariantInit(&value);
            if (FAILED(VariantChangeType(&value, Action, 0, VT_I4)))
                return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
            action = value.lVal;
        }
        if (action < hvRefreshDisplay || action > hvRefetchAndFireInitializeRow)
            return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        if (!layout_)
            return S_OK;
        switch (action) {
        case hvRefreshDisplay:
            layout_->DirtyRootUIElement(true, true);
            return S_OK;
        case hvFireInitializeRow: {
            BandRowSource* source = FirstBandSource();
            return source ? source->ReinitializeRows(false) : S_OK;
        }
        default:
            return Refetch();
        }
    });
}

// Every row with pending changes is read anew and initialised again; the
// first row becomes active.
HRESULT HvTavelle::Refetch()
{
    ClearSelection(0, false);
    ClearSelection(1, false);
    if (HvBands* bands = layout_->Bands())
        bands->InvalidateAll();
    for (BandRowSource* source : sources_) {
        source->AddRef();
        source->ReinitializeRows(false);
        source->Release();
    }
    layout_->DirtyRootUIElement(true, true);
    layout_->MarkRowScrollRegionsDirty();
    ActivateFirstRow(true);
    return S_OK;
}

HRESULT HvTavelle::CommitOrCancelAll(bool commit)
{
    HvBands* bands = layout_ ? layout_->Bands() : nullptr;
    if (!bands)
        return S_OK;
    CUnknownObject::AddRef();
    bool failed = false;
    for (LONG i = 0;; ++i) {
        auto* band = dynamic_cast<HvBand*>(bands->BandAt(i));
        if (!band)
            break;
        BandRowSource* source = BandRowSource::OfBand(band);
        if (!source) {
            failed = true;
            continue;
        }
        // The rows with pending changes are held by the binding; a commit
        // takes them out, so the walk works on a copy.
        std::vector<HvRow*> rows;
        for (RowData* data : source->Binding().GetRowList())
            if (HvRow* row = data->GetRowObject(); row && CAutomationObject::IsActive(row)) {
                row->AddRef();
                rows.push_back(row);
            }
        HRESULT bandResult = S_OK;
        for (HvRow* row : rows) {
            const HRESULT hr = commit ? row->Update() : row->CancelUpdate();
            if (FAILED(hr))
                bandResult = ErrorsOccurred;
            row->Release();
        }
        if (FAILED(bandResult))
            failed = true;
    }
    CUnknownObject::Release();
    return failed ? E_FAIL : S_OK;
}

STDMETHODIMP HvTavelle::Update()
{
    return Guarded([&] { return CommitOrCancelAll(true); });
}

STDMETHODIMP HvTavelle::CancelUpdate()
{
    return Guarded([&] { return CommitOrCancelAll(false); });
}
