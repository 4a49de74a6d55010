// The OLE DB rowset over a table: reading, positioning, accessors, columns,
// properties, chapters and notifications (the changes are in
// RowsetChanges.cpp). Every COM method catches what the code below throws
// (only std::bad_alloc is expected) and answers an HRESULT.
#include "Rowset.h"

#include "ColumnsDescription.h"
#include "Cursor.h"
#include "RecordsetIds.h"
#include "RowsetSupport.h"
#include "ValueConverter.h"

#include <oledberr.h>
#include <olectl.h>

#include <algorithm>

namespace hv::recordset {

using namespace rowset_detail;

HRESULT Rowset::Create(std::shared_ptr<Table> table, size_t keyField, Rowset** rowset)
{
    if (!rowset)
        return E_POINTER;
    *rowset = nullptr;
    return Guard([&] {
        *rowset = new Rowset(std::move(table), keyField);
        return S_OK;
    });
}

Rowset::Rowset(std::shared_ptr<Table> table, size_t keyField)
    : table_(std::move(table)), keyField_(keyField), types_(ColumnsDescription::Types(*table_)),
      notify_(static_cast<IRowsetScroll*>(this), this, IID_IRowsetNotify)
{
    table_->AddObserver(this);
    Switches().AddRowsets(1);
}

Rowset::~Rowset()
{
    table_->RemoveObserver(this);
    for (auto& [field, child] : children_)
        child->Release();
    Switches().AddRowsets(-1);
}

bool Rowset::CanChange() const
{
    return !Switches().IsDisabled(IID_IRowsetChange);
}

bool Rowset::IsDeferred() const
{
    return CanChange() && !Switches().IsDisabled(IID_IRowsetUpdate);
}

// ---- IUnknown ------------------------------------------------------------

STDMETHODIMP Rowset::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    const TestSwitches& s = Switches();
    if (s.IsDisabled(iid))
        return E_NOINTERFACE;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IRowset))
        *out = static_cast<IRowset*>(static_cast<IRowsetScroll*>(this));
    else if (IsEqualIID(iid, IID_IRowsetLocate))
        *out = static_cast<IRowsetLocate*>(this);
    else if (IsEqualIID(iid, IID_IRowsetScroll))
        *out = static_cast<IRowsetScroll*>(this);
    else if (IsEqualIID(iid, IID_IAccessor))
        *out = static_cast<IAccessor*>(this);
    else if (IsEqualIID(iid, IID_IColumnsInfo))
        *out = static_cast<IColumnsInfo*>(this);
    else if (IsEqualIID(iid, IID_IRowsetInfo))
        *out = static_cast<IRowsetInfo*>(this);
    else if (IsEqualIID(iid, IID_IRowsetIdentity))
        *out = static_cast<IRowsetIdentity*>(this);
    else if (IsEqualIID(iid, IID_IRowsetChange) && CanChange())
        *out = static_cast<IRowsetChange*>(this);
    else if (IsEqualIID(iid, IID_IRowsetUpdate) && IsDeferred())
        *out = static_cast<IRowsetUpdate*>(this);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer))
        *out = static_cast<IConnectionPointContainer*>(this);
    else if (IsEqualIID(iid, IID_IChapteredRowset) && keyField_ != kNoKey)
        *out = static_cast<IChapteredRowset*>(this);
    else if (IsEqualIID(iid, IID_IRowsetChapterMember) && keyField_ != kNoKey)
        *out = static_cast<IRowsetChapterMember*>(this);
    else if (IsEqualIID(iid, IID_IColumnsRowset))
        *out = static_cast<IColumnsRowset*>(this);
    else if (IsEqualIID(iid, IID_ISupportErrorInfo))
        *out = static_cast<ISupportErrorInfo*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) Rowset::AddRef()
{
    return static_cast<ULONG>(++refs_);
}

STDMETHODIMP_(ULONG) Rowset::Release()
{
    const LONG n = --refs_;
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

// ---- rows, views and bookmarks ---------------------------------------------

const std::vector<uint32_t>* Rowset::View(HCHAPTER chapter)
{
    if (chapter == DB_NULL_HCHAPTER)
        return &table_->Order();
    if (keyField_ == kNoKey)
        return nullptr;
    return chapters_.Rows(chapter, *table_, keyField_);
}

HRESULT Rowset::SlotOfRow(HROW row, uint32_t& slot) const
{
    if (!handles_.IsValid(row))
        return DB_E_BADROWHANDLE;
    slot = RowHandleTable::SlotOf(row);
    return S_OK;
}

HRESULT Rowset::RowDataTarget(HROW row, HACCESSOR handle, const void* data,
                              const AccessorTable::Accessor*& accessor, uint32_t& slot) const
{
    HRESULT hr = RowAccessor(handle, accessor);
    if (FAILED(hr))
        return hr;
    hr = SlotOfRow(row, slot);
    if (FAILED(hr))
        return hr;
    if (!table_->IsLive(slot))
        return DB_E_DELETEDROW;
    if (accessor->bindings.empty())
        return S_FALSE;
    return data ? S_OK : E_INVALIDARG;
}

HRESULT Rowset::RowAccessor(HACCESSOR handle, const AccessorTable::Accessor*& accessor) const
{
    accessor = accessors_.Find(handle);
    if (!accessor)
        return DB_E_BADACCESSORHANDLE;
    return accessor->flags & DBACCESSOR_ROWDATA ? S_OK : DB_E_BADACCESSORTYPE;
}

bool Rowset::IsValidRow(HROW row) const
{
    return handles_.IsValid(row);
}

HROW Rowset::AddRefSlot(uint32_t slot)
{
    handles_.Fetched(slot);
    Switches().AddRowRefs(1);
    Switches().AddFetched(1);
    return RowHandleTable::HandleOf(slot);
}

HRESULT Rowset::Locate(const std::vector<uint32_t>& view, DBBKMARK size, const BYTE* bookmark,
                       long long& index) const
{
    if (size == 1 && bookmark && (*bookmark == DBBMK_FIRST || *bookmark == DBBMK_LAST)) {
        index = *bookmark == DBBMK_FIRST ? 0 : static_cast<long long>(view.size()) - 1;
        return S_OK;
    }
    uint32_t slot = 0;
    if (!ReadBookmark(size, bookmark, slot))
        return DB_E_BADBOOKMARK;
    auto it = std::lower_bound(view.begin(), view.end(), slot);
    if (it == view.end() || *it != slot)
        return DB_E_BADBOOKMARK;
    index = it - view.begin();
    return S_OK;
}

// Fetches from index `start` of the view, |cRows| rows in the direction of
// cRows's sign; a start outside the view reaches the end at once.
HRESULT Rowset::Fetch(const std::vector<uint32_t>& view, long long start, DBROWCOUNT cRows,
                      DBCOUNTITEM* obtained, HROW** rows)
{
    const long long n = static_cast<long long>(view.size());
    const long long wanted = cRows < 0 ? -static_cast<long long>(cRows) : cRows;
    const int step = cRows < 0 ? -1 : 1;
    const size_t limit = Switches().MaxHeldRows();
    std::vector<uint32_t> slots;
    HRESULT hr = S_OK;
    size_t newlyHeld = 0;
    for (long long i = start; static_cast<long long>(slots.size()) < wanted; i += step) {
        if (i < 0 || i >= n) {
            hr = DB_S_ENDOFROWSET;
            break;
        }
        const uint32_t slot = view[static_cast<size_t>(i)];
        const bool held = handles_.IsHeld(slot)
                          || std::find(slots.begin(), slots.end(), slot) != slots.end();
        if (limit && !held && handles_.HeldRows() + newlyHeld >= limit) {
            hr = DB_S_ROWLIMITEXCEEDED;
            break;
        }
        newlyHeld += held ? 0 : 1;
        slots.push_back(slot);
    }
    if (slots.empty())
        return hr;
    HROW* out = *rows;
    if (!out) {
        out = static_cast<HROW*>(CoTaskMemAlloc(slots.size() * sizeof(HROW)));
        if (!out)
            return E_OUTOFMEMORY;
    }
    std::vector<HROW> activated;
    for (size_t i = 0; i < slots.size(); ++i) {
        out[i] = RowHandleTable::HandleOf(slots[i]);
        if (handles_.Fetched(slots[i]))
            activated.push_back(out[i]);
    }
    Switches().AddRowRefs(static_cast<long>(slots.size()));
    Switches().AddFetched(static_cast<long>(slots.size()));
    *rows = out;
    *obtained = slots.size();
    Activated(activated);
    return hr;
}

void Rowset::Activated(const std::vector<HROW>& rows)
{
    if (!rows.empty() && notify_.HasSinks())
        SendRowChange(DBREASON_ROW_ACTIVATE, DBEVENTPHASE_DIDEVENT, true, rows);
}

// ---- IRowset -----------------------------------------------------------------

STDMETHODIMP Rowset::AddRefRows(DBCOUNTITEM cRows, const HROW rghRows[], DBREFCOUNT rgRefCounts[],
                                DBROWSTATUS rgRowStatus[])
{
    return Guard([&]() -> HRESULT {
        if (cRows && !rghRows)
            return E_INVALIDARG;
        HRESULT hr = Switches().Enter("IRowset::AddRefRows");
        if (hr != S_OK)
            return hr;
        size_t ok = 0;
        for (DBCOUNTITEM i = 0; i < cRows; ++i) {
            DBREFCOUNT count = 0;
            const bool done = handles_.AddRef(rghRows[i], count);
            if (rgRefCounts)
                rgRefCounts[i] = count;
            if (rgRowStatus)
                rgRowStatus[i] = done ? DBROWSTATUS_S_OK : DBROWSTATUS_E_INVALID;
            ok += done ? 1 : 0;
        }
        Switches().AddRowRefs(static_cast<long>(ok));
        return Tally(ok, cRows);
    });
}

STDMETHODIMP Rowset::ReleaseRows(DBCOUNTITEM cRows, const HROW rghRows[], DBROWOPTIONS[], DBREFCOUNT rgRefCounts[],
                                 DBROWSTATUS rgRowStatus[])
{
    return Guard([&]() -> HRESULT {
        if (cRows && !rghRows)
            return E_INVALIDARG;
        HRESULT hr = Switches().Enter("IRowset::ReleaseRows");
        if (hr != S_OK)
            return hr;
        size_t ok = 0;
        std::vector<HROW> released;
        for (DBCOUNTITEM i = 0; i < cRows; ++i) {
            DBREFCOUNT count = 0;
            bool last = false;
            const bool done = handles_.Release(rghRows[i], count, last);
            DBROWSTATUS status = done ? DBROWSTATUS_S_OK : DBROWSTATUS_E_INVALID;
            if (done && count == 0 && pending_.IsPending(RowHandleTable::SlotOf(rghRows[i])))
                status = DBROWSTATUS_S_PENDINGCHANGES;
            if (rgRefCounts)
                rgRefCounts[i] = count;
            if (rgRowStatus)
                rgRowStatus[i] = status;
            ok += done ? 1 : 0;
            if (last)
                released.push_back(rghRows[i]);
        }
        Switches().AddRowRefs(-static_cast<long>(ok));
        if (!released.empty() && notify_.HasSinks())
            SendRowChange(DBREASON_ROW_RELEASE, DBEVENTPHASE_DIDEVENT, true, released);
        return Tally(ok, cRows);
    });
}

HRESULT Rowset::ChapterOf(size_t field, uint32_t slot, ULONG& chapter)
{
    Rowset* child = Child(field);
    const CellValue key = table_->GetCell(slot, table_->FieldAt(field).ParentKey());
    HCHAPTER h = DB_NULL_HCHAPTER;
    HRESULT hr = child->chapters_.Acquire(key, h);
    if (SUCCEEDED(hr))
        child->Switches().AddChapterRefs(1);
    chapter = static_cast<ULONG>(h);
    return hr;
}

Rowset* Rowset::Child(size_t field)
{
    auto it = children_.find(field);
    if (it != children_.end())
        return it->second;
    const Field& f = table_->FieldAt(field);
    Rowset* child = new Rowset(f.ChildTable(), f.ChildKey());
    children_.emplace(field, child);
    return child;
}

HRESULT Rowset::ReadRow(uint32_t slot, const AccessorTable::Accessor& accessor, BYTE* data,
                        const std::vector<CellValue>* values)
{
    size_t ok = 0;
    size_t truncated = 0;
    for (const DBBINDING& b : accessor.bindings) {
        const DBORDINAL ordinal = b.iOrdinal;
        DBSTATUS status;
        if (ordinal == 0) {
            status = ValueConverter::Get(DBTYPE_UI4, CellValue(), RowHandleTable::HandleOf(slot), b, data);
        } else if (types_[ordinal] == DBTYPE_HCHAPTER) {
            ULONG chapter = 0;
            if (FAILED(ChapterOf(ordinal - 1, slot, chapter)))
                status = DBSTATUS_E_CANTCREATE;
            else
                status = ValueConverter::Get(DBTYPE_HCHAPTER, CellValue(), chapter, b, data);
        } else {
            const CellValue cell = values ? (*values)[ordinal - 1] : table_->GetCell(slot, ordinal - 1);
            status = ValueConverter::Get(types_[ordinal], cell, 0, b, data);
        }
        if (status == DBSTATUS_S_OK || status == DBSTATUS_S_ISNULL)
            ++ok;
        else if (status == DBSTATUS_S_TRUNCATED)
            ++truncated; // a warning: the value was still returned
    }
    if (ok == accessor.bindings.size())
        return S_OK;
    return ok + truncated > 0 ? DB_S_ERRORSOCCURRED : DB_E_ERRORSOCCURRED;
}

STDMETHODIMP Rowset::GetData(HROW hRow, HACCESSOR hAccessor, void* pData)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = Switches().Enter("IRowset::GetData");
        if (hr != S_OK)
            return hr;
        const AccessorTable::Accessor* a = nullptr;
        uint32_t slot = 0;
        hr = RowDataTarget(hRow, hAccessor, pData, a, slot);
        if (hr != S_OK)
            return hr == S_FALSE ? S_OK : hr;
        return ReadRow(slot, *a, static_cast<BYTE*>(pData), nullptr);
    });
}

STDMETHODIMP Rowset::GetNextRows(HCHAPTER hChapter, DBROWOFFSET lRowsOffset, DBROWCOUNT cRows,
                                 DBCOUNTITEM* pcRowsObtained, HROW** prghRows)
{
    return Guard([&]() -> HRESULT {
        if (!pcRowsObtained || !prghRows)
            return E_INVALIDARG;
        *pcRowsObtained = 0;
        HRESULT hr = Switches().Enter("IRowset::GetNextRows");
        if (hr != S_OK)
            return hr;
        const std::vector<uint32_t>* view = View(hChapter);
        if (!view)
            return DB_E_BADCHAPTER;
        if (cRows == 0)
            return S_OK;
        // The next fetch position lies between rows: position p is before row p.
        long long& position = nextFetch_[hChapter];
        const long long n = static_cast<long long>(view->size());
        const long long start = cRows > 0 ? position + lRowsOffset : position - 1 + lRowsOffset;
        if (start < -1 || start > n)
            return DB_E_BADSTARTPOSITION;
        hr = Fetch(*view, start, cRows, pcRowsObtained, prghRows);
        if (FAILED(hr))
            return hr;
        const long long got = static_cast<long long>(*pcRowsObtained);
        if (cRows > 0)
            position = std::min(std::max(start, 0LL) + got, n);
        else
            position = got ? start - got + 1 : std::max(0LL, std::min(start + 1, n));
        return hr;
    });
}

STDMETHODIMP Rowset::RestartPosition(HCHAPTER hChapter)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = Switches().Enter("IRowset::RestartPosition");
        if (hr != S_OK)
            return hr;
        if (!View(hChapter))
            return DB_E_BADCHAPTER;
        nextFetch_[hChapter] = 0;
        return S_OK;
    });
}

// ---- IRowsetLocate -------------------------------------------------------------

STDMETHODIMP Rowset::Compare(HCHAPTER, DBBKMARK cbBookmark1, const BYTE* pBookmark1, DBBKMARK cbBookmark2,
                             const BYTE* pBookmark2, DBCOMPARE* pComparison)
{
    return Guard([&]() -> HRESULT {
        if (!pComparison || !cbBookmark1 || !cbBookmark2 || !pBookmark1 || !pBookmark2)
            return E_INVALIDARG;
        HRESULT hr = Switches().Enter("IRowsetLocate::Compare");
        if (hr != S_OK)
            return hr;
        auto standard = [](DBBKMARK size, const BYTE* b) {
            return size == 1 && (*b == DBBMK_FIRST || *b == DBBMK_LAST);
        };
        const bool s1 = standard(cbBookmark1, pBookmark1), s2 = standard(cbBookmark2, pBookmark2);
        uint32_t slot1 = 0, slot2 = 0;
        if ((!s1 && !ReadBookmark(cbBookmark1, pBookmark1, slot1)) || (!s2 && !ReadBookmark(cbBookmark2, pBookmark2, slot2)))
            return DB_E_BADBOOKMARK;
        if ((!s1 && slot1 >= table_->SlotCount()) || (!s2 && slot2 >= table_->SlotCount()))
            return DB_E_BADBOOKMARK;
        if (s1 || s2) {
            // Standard bookmarks compare only for equality.
            *pComparison = s1 && s2 && *pBookmark1 == *pBookmark2 ? DBCOMPARE_EQ : DBCOMPARE_NE;
            return S_OK;
        }
        *pComparison = slot1 < slot2 ? DBCOMPARE_LT : slot1 > slot2 ? DBCOMPARE_GT : DBCOMPARE_EQ;
        return S_OK;
    });
}

STDMETHODIMP Rowset::GetRowsAt(HWATCHREGION, HCHAPTER hChapter, DBBKMARK cbBookmark, const BYTE* pBookmark,
                               DBROWOFFSET lRowsOffset, DBROWCOUNT cRows, DBCOUNTITEM* pcRowsObtained,
                               HROW** prghRows)
{
    return Guard([&]() -> HRESULT {
        if (!pcRowsObtained || !prghRows)
            return E_INVALIDARG;
        *pcRowsObtained = 0;
        if (!cbBookmark || !pBookmark)
            return E_INVALIDARG;
        HRESULT hr = Switches().Enter("IRowsetLocate::GetRowsAt");
        if (hr != S_OK)
            return hr;
        const std::vector<uint32_t>* view = View(hChapter);
        if (!view)
            return DB_E_BADCHAPTER;
        long long base = 0;
        hr = Locate(*view, cbBookmark, pBookmark, base);
        if (FAILED(hr))
            return hr;
        if (cRows == 0)
            return S_OK;
        const long long start = base + lRowsOffset;
        const long long n = static_cast<long long>(view->size());
        // One step beyond either end is the end of the rowset; further is an error.
        if (start < -1 || start > n)
            return DB_E_BADSTARTPOSITION;
        return Fetch(*view, start, cRows, pcRowsObtained, prghRows);
    });
}

STDMETHODIMP Rowset::GetRowsByBookmark(HCHAPTER hChapter, DBCOUNTITEM cRows, const DBBKMARK rgcbBookmarks[],
                                       const BYTE* rgpBookmarks[], HROW rghRows[], DBROWSTATUS rgRowStatus[])
{
    return Guard([&]() -> HRESULT {
        if (cRows && (!rgcbBookmarks || !rgpBookmarks || !rghRows))
            return E_INVALIDARG;
        HRESULT hr = Switches().Enter("IRowsetLocate::GetRowsByBookmark");
        if (hr != S_OK)
            return hr;
        const std::vector<uint32_t>* view = View(hChapter);
        if (!view)
            return DB_E_BADCHAPTER;
        size_t ok = 0;
        std::vector<HROW> activated;
        const size_t limit = Switches().MaxHeldRows();
        for (DBCOUNTITEM i = 0; i < cRows; ++i) {
            rghRows[i] = DB_NULL_HROW;
            uint32_t slot = 0;
            DBROWSTATUS status = DBROWSTATUS_S_OK;
            if (!ReadBookmark(rgcbBookmarks[i], rgpBookmarks[i], slot) || slot >= table_->SlotCount())
                status = DBROWSTATUS_E_INVALID;
            else if (!std::binary_search(view->begin(), view->end(), slot))
                status = table_->IsLive(slot) ? DBROWSTATUS_E_INVALID : DBROWSTATUS_E_DELETED;
            else if (limit && !handles_.IsHeld(slot) && handles_.HeldRows() >= limit)
                status = DBROWSTATUS_E_LIMITREACHED;
            if (status == DBROWSTATUS_S_OK) {
                rghRows[i] = RowHandleTable::HandleOf(slot);
                if (handles_.Fetched(slot))
                    activated.push_back(rghRows[i]);
                Switches().AddRowRefs(1);
                Switches().AddFetched(1);
                ++ok;
            }
            if (rgRowStatus)
                rgRowStatus[i] = status;
        }
        Activated(activated);
        return Tally(ok, cRows);
    });
}

STDMETHODIMP Rowset::Hash(HCHAPTER, DBBKMARK cBookmarks, const DBBKMARK rgcbBookmarks[], const BYTE* rgpBookmarks[],
                          DBHASHVALUE rgHashedValues[], DBROWSTATUS rgBookmarkStatus[])
{
    return Guard([&]() -> HRESULT {
        if (cBookmarks && (!rgcbBookmarks || !rgpBookmarks || !rgHashedValues))
            return E_INVALIDARG;
        HRESULT hr = Switches().Enter("IRowsetLocate::Hash");
        if (hr != S_OK)
            return hr;
        size_t ok = 0;
        for (DBBKMARK i = 0; i < cBookmarks; ++i) {
            uint32_t slot = 0;
            const bool valid = ReadBookmark(rgcbBookmarks[i], rgpBookmarks[i], slot) && slot < table_->SlotCount();
            rgHashedValues[i] = valid ? slot : 0;
            if (rgBookmarkStatus)
                rgBookmarkStatus[i] = valid ? DBROWSTATUS_S_OK : DBROWSTATUS_E_INVALID;
            ok += valid ? 1 : 0;
        }
        return Tally(ok, cBookmarks);
    });
}

// ---- IRowsetScroll ---------------------------------------------------------------

STDMETHODIMP Rowset::GetApproximatePosition(HCHAPTER hChapter, DBBKMARK cbBookmark, const BYTE* pBookmark,
                                            DBCOUNTITEM* pulPosition, DBCOUNTITEM* pcRows)
{
    return Guard([&]() -> HRESULT {
        if (cbBookmark && !pBookmark)
            return E_INVALIDARG;
        HRESULT hr = Switches().Enter("IRowsetScroll::GetApproximatePosition");
        if (hr != S_OK)
            return hr;
        const std::vector<uint32_t>* view = View(hChapter);
        if (!view)
            return DB_E_BADCHAPTER;
        const DBCOUNTITEM n = view->size();
        if (pcRows)
            *pcRows = n;
        if (cbBookmark == 0)
            return S_OK;
        DBCOUNTITEM position = 0;
        if (cbBookmark == 1 && (*pBookmark == DBBMK_FIRST || *pBookmark == DBBMK_LAST)) {
            position = n == 0 ? 0 : *pBookmark == DBBMK_FIRST ? 1 : n;
        } else {
            long long index = 0;
            hr = Locate(*view, cbBookmark, pBookmark, index);
            if (FAILED(hr))
                return hr;
            position = static_cast<DBCOUNTITEM>(index) + 1;
        }
        if (pulPosition)
            *pulPosition = position;
        return S_OK;
    });
}

STDMETHODIMP Rowset::GetRowsAtRatio(HWATCHREGION, HCHAPTER hChapter, DBCOUNTITEM ulNumerator,
                                    DBCOUNTITEM ulDenominator, DBROWCOUNT cRows, DBCOUNTITEM* pcRowsObtained,
                                    HROW** prghRows)
{
    return Guard([&]() -> HRESULT {
        if (!pcRowsObtained || !prghRows)
            return E_INVALIDARG;
        *pcRowsObtained = 0;
        HRESULT hr = Switches().Enter("IRowsetScroll::GetRowsAtRatio");
        if (hr != S_OK)
            return hr;
        if (ulDenominator == 0 || ulNumerator > ulDenominator)
            return DB_E_BADRATIO;
        const std::vector<uint32_t>* view = View(hChapter);
        if (!view)
            return DB_E_BADCHAPTER;
        if (cRows == 0)
            return S_OK;
        const unsigned long long n = view->size();
        const unsigned long long scaled = n * ulNumerator;
        long long start;
        if (cRows > 0)
            start = static_cast<long long>(scaled / ulDenominator); // n when the ratio is 1: the end
        else
            start = static_cast<long long>((scaled + ulDenominator - 1) / ulDenominator) - 1; // -1 at ratio 0
        return Fetch(*view, start, cRows, pcRowsObtained, prghRows);
    });
}

// ---- IAccessor -------------------------------------------------------------------

STDMETHODIMP Rowset::AddRefAccessor(HACCESSOR hAccessor, DBREFCOUNT* pcRefCount)
{
    return Guard([&] { return accessors_.AddRef(hAccessor, pcRefCount); });
}

STDMETHODIMP Rowset::CreateAccessor(DBACCESSORFLAGS dwAccessorFlags, DBCOUNTITEM cBindings,
                                    const DBBINDING rgBindings[], DBLENGTH cbRowSize, HACCESSOR* phAccessor,
                                    DBBINDSTATUS rgStatus[])
{
    return Guard([&]() -> HRESULT {
        if (phAccessor)
            *phAccessor = DB_NULL_HACCESSOR;
        HRESULT hr = Switches().Enter("IAccessor::CreateAccessor");
        if (hr != S_OK)
            return hr;
        return accessors_.Create(dwAccessorFlags, cBindings, rgBindings, cbRowSize, types_, phAccessor, rgStatus);
    });
}

STDMETHODIMP Rowset::GetBindings(HACCESSOR hAccessor, DBACCESSORFLAGS* pdwAccessorFlags, DBCOUNTITEM* pcBindings,
                                 DBBINDING** prgBindings)
{
    return Guard([&] { return accessors_.GetBindings(hAccessor, pdwAccessorFlags, pcBindings, prgBindings); });
}

STDMETHODIMP Rowset::ReleaseAccessor(HACCESSOR hAccessor, DBREFCOUNT* pcRefCount)
{
    return Guard([&] { return accessors_.Release(hAccessor, pcRefCount); });
}

// ---- IColumnsInfo ------------------------------------------------------------------

STDMETHODIMP Rowset::GetColumnInfo(DBORDINAL* pcColumns, DBCOLUMNINFO** prgInfo, OLECHAR** ppStringsBuffer)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = Switches().Enter("IColumnsInfo::GetColumnInfo");
        if (hr != S_OK)
            return hr;
        return ColumnsDescription::GetColumnInfo(*table_, CanChange(), pcColumns, prgInfo, ppStringsBuffer);
    });
}

STDMETHODIMP Rowset::MapColumnIDs(DBORDINAL cColumnIDs, const DBID rgColumnIDs[], DBORDINAL rgColumns[])
{
    return Guard([&] { return ColumnsDescription::MapColumnIDs(*table_, cColumnIDs, rgColumnIDs, rgColumns); });
}

// ---- IRowsetInfo -------------------------------------------------------------------

std::vector<RowsetProperties::Value> Rowset::PropertyValues() const
{
    const TestSwitches& s = Switches();
    const bool change = CanChange();
    const LONG updatability = change ? DBPROPVAL_UP_CHANGE | DBPROPVAL_UP_DELETE | DBPROPVAL_UP_INSERT : 0;
    return {
        {DBPROP_BOOKMARKS, VT_BOOL, 1},
        {DBPROP_BOOKMARKTYPE, VT_I4, DBPROPVAL_BMK_NUMERIC},
        {DBPROP_CACHEDEFERRED, VT_BOOL, 0},
        {DBPROP_CANFETCHBACKWARDS, VT_BOOL, 1},
        {DBPROP_CANHOLDROWS, VT_BOOL, 1},
        {DBPROP_CANSCROLLBACKWARDS, VT_BOOL, 1},
        {DBPROP_LITERALBOOKMARKS, VT_BOOL, 0},
        {DBPROP_LITERALIDENTITY, VT_BOOL, 1},
        {DBPROP_ORDEREDBOOKMARKS, VT_BOOL, 1},
        {DBPROP_STRONGIDENTITY, VT_BOOL, 1},
        {DBPROP_REMOVEDELETED, VT_BOOL, 1},
        {DBPROP_OWNINSERT, VT_BOOL, 1},
        {DBPROP_OTHERINSERT, VT_BOOL, 1},
        {DBPROP_OWNUPDATEDELETE, VT_BOOL, 1},
        {DBPROP_OTHERUPDATEDELETE, VT_BOOL, 1},
        {DBPROP_MAXOPENROWS, VT_I4, static_cast<LONG>(s.MaxHeldRows())},
        {DBPROP_MAXPENDINGROWS, VT_I4, 0},
        {DBPROP_MAXROWS, VT_I4, 0},
        {DBPROP_HIDDENCOLUMNS, VT_I4, 0},
        {DBPROP_UPDATABILITY, VT_I4, updatability},
        {DBPROP_NOTIFICATIONPHASES, VT_I4, DBPROPVAL_NP_OKTODO | DBPROPVAL_NP_ABOUTTODO | DBPROPVAL_NP_SYNCHAFTER
                                               | DBPROPVAL_NP_FAILEDTODO | DBPROPVAL_NP_DIDEVENT},
        {DBPROP_REENTRANTEVENTS, VT_BOOL, 1},
        {DBPROP_IRowsetLocate, VT_BOOL, 1},
        {DBPROP_IRowsetScroll, VT_BOOL, !s.IsDisabled(IID_IRowsetScroll)},
        {DBPROP_IRowsetChange, VT_BOOL, change},
        {DBPROP_IRowsetUpdate, VT_BOOL, IsDeferred()},
        {DBPROP_IRowsetIdentity, VT_BOOL, !s.IsDisabled(IID_IRowsetIdentity)},
        {DBPROP_IConnectionPointContainer, VT_BOOL, !s.IsDisabled(IID_IConnectionPointContainer)},
        {DBPROP_IChapteredRowset, VT_BOOL, keyField_ != kNoKey && !s.IsDisabled(IID_IChapteredRowset)},
    };
}

STDMETHODIMP Rowset::GetProperties(const ULONG cPropertyIDSets, const DBPROPIDSET rgPropertyIDSets[],
                                   ULONG* pcPropertySets, DBPROPSET** prgPropertySets)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = Switches().Enter("IRowsetInfo::GetProperties");
        if (hr != S_OK)
            return hr;
        return RowsetProperties::Answer(PropertyValues(), cPropertyIDSets, rgPropertyIDSets, pcPropertySets,
                                        prgPropertySets);
    });
}

STDMETHODIMP Rowset::GetReferencedRowset(DBORDINAL iOrdinal, REFIID riid, IUnknown** ppReferencedRowset)
{
    return Guard([&]() -> HRESULT {
        if (!ppReferencedRowset)
            return E_INVALIDARG;
        *ppReferencedRowset = nullptr;
        HRESULT hr = Switches().Enter("IRowsetInfo::GetReferencedRowset");
        if (hr != S_OK)
            return hr;
        if (iOrdinal >= types_.size())
            return DB_E_BADORDINAL;
        if (iOrdinal == 0)
            return QueryInterface(riid, reinterpret_cast<void**>(ppReferencedRowset));
        if (types_[iOrdinal] != DBTYPE_HCHAPTER)
            return DB_E_NOTAREFERENCECOLUMN;
        return Child(iOrdinal - 1)->QueryInterface(riid, reinterpret_cast<void**>(ppReferencedRowset));
    });
}

STDMETHODIMP Rowset::GetSpecification(REFIID, IUnknown** ppSpecification)
{
    if (!ppSpecification)
        return E_INVALIDARG;
    *ppSpecification = nullptr;
    return S_FALSE;
}

// ---- IRowsetIdentity -----------------------------------------------------------------

STDMETHODIMP Rowset::IsSameRow(HROW hThisRow, HROW hThatRow)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = Switches().Enter("IRowsetIdentity::IsSameRow");
        if (hr != S_OK)
            return hr;
        uint32_t a = 0, b = 0;
        if (FAILED(SlotOfRow(hThisRow, a)) || FAILED(SlotOfRow(hThatRow, b)))
            return DB_E_BADROWHANDLE;
        if (!table_->IsLive(a) || !table_->IsLive(b))
            return DB_E_DELETEDROW;
        return a == b ? S_OK : S_FALSE;
    });
}

// ---- IConnectionPointContainer ---------------------------------------------------------

STDMETHODIMP Rowset::EnumConnectionPoints(IEnumConnectionPoints** ppEnum)
{
    if (ppEnum)
        *ppEnum = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP Rowset::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP)
{
    if (!ppCP)
        return E_POINTER;
    *ppCP = nullptr;
    if (!IsEqualIID(riid, IID_IRowsetNotify))
        return CONNECT_E_NOCONNECTION;
    *ppCP = &notify_;
    notify_.AddRef();
    return S_OK;
}

// ---- chapters --------------------------------------------------------------------------

STDMETHODIMP Rowset::AddRefChapter(HCHAPTER hChapter, DBREFCOUNT* pcRefCount)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = Switches().Enter("IChapteredRowset::AddRefChapter");
        if (hr != S_OK)
            return hr;
        hr = chapters_.AddRef(hChapter, pcRefCount);
        if (SUCCEEDED(hr))
            Switches().AddChapterRefs(1);
        return hr;
    });
}

STDMETHODIMP Rowset::ReleaseChapter(HCHAPTER hChapter, DBREFCOUNT* pcRefCount)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = Switches().Enter("IChapteredRowset::ReleaseChapter");
        if (hr != S_OK)
            return hr;
        hr = chapters_.Release(hChapter, pcRefCount);
        if (SUCCEEDED(hr))
            Switches().AddChapterRefs(-1);
        return hr;
    });
}

STDMETHODIMP Rowset::IsRowInChapter(HCHAPTER hChapter, HROW hRow)
{
    return Guard([&]() -> HRESULT {
        if (!chapters_.Exists(hChapter))
            return DB_E_BADCHAPTER;
        uint32_t slot = 0;
        HRESULT hr = SlotOfRow(hRow, slot);
        if (FAILED(hr))
            return hr;
        return chapters_.Contains(hChapter, *table_, keyField_, slot) ? S_OK : S_FALSE;
    });
}

STDMETHODIMP Rowset::InterfaceSupportsErrorInfo(REFIID riid)
{
    const IID* ours[] = {&IID_IRowset, &IID_IRowsetLocate, &IID_IRowsetScroll, &IID_IAccessor, &IID_IColumnsInfo,
                         &IID_IRowsetInfo, &IID_IRowsetIdentity, &IID_IRowsetChange, &IID_IRowsetUpdate,
                         &IID_IChapteredRowset};
    for (const IID* iid : ours)
        if (IsEqualIID(riid, *iid))
            return S_OK;
    return S_FALSE;
}

// ---- notifications ------------------------------------------------------------------------

HRESULT Rowset::SendRowChange(DBREASON reason, DBEVENTPHASE phase, bool cantDeny, const std::vector<HROW>& rows)
{
    HRESULT answer = S_OK;
    for (const ComRef<IUnknown>& sink : notify_.Sinks()) {
        auto* notify = static_cast<IRowsetNotify*>(sink.Get());
        const HRESULT hr = notify->OnRowChange(static_cast<IRowset*>(static_cast<IRowsetScroll*>(this)),
                                               rows.size(), rows.data(), reason, phase, cantDeny);
        if (hr == S_FALSE && !cantDeny)
            return S_FALSE;
    }
    if (!cantDeny && Switches().IsVetoed(reason, phase))
        answer = S_FALSE;
    return answer;
}

HRESULT Rowset::OnRecordsChange(DBREASON reason, DBEVENTPHASE phase, bool cantDeny, const uint32_t* slots,
                                size_t count)
{
    std::vector<HROW> rows;
    rows.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        handles_.Hold(slots[i]);
        rows.push_back(RowHandleTable::HandleOf(slots[i]));
    }
    AddRef(); // a listener may release the last reference to the rowset
    HRESULT hr = S_OK;
    try {
        hr = SendRowChange(reason, phase, cantDeny, rows);
    } catch (...) {
        hr = S_OK;
    }
    for (size_t i = 0; i < count; ++i)
        handles_.Unhold(slots[i]);
    Release();
    return hr;
}

HRESULT Rowset::OnFieldsChange(uint32_t slot, const size_t* fields, size_t count, DBEVENTPHASE phase, bool cantDeny)
{
    std::vector<DBORDINAL> ordinals;
    for (size_t i = 0; i < count; ++i)
        ordinals.push_back(fields[i] + 1);
    handles_.Hold(slot);
    AddRef();
    HRESULT answer = S_OK;
    for (const ComRef<IUnknown>& sink : notify_.Sinks()) {
        auto* notify = static_cast<IRowsetNotify*>(sink.Get());
        const HRESULT hr = notify->OnFieldChange(static_cast<IRowset*>(static_cast<IRowsetScroll*>(this)),
                                                 RowHandleTable::HandleOf(slot), ordinals.size(), ordinals.data(),
                                                 DBREASON_COLUMN_SET, phase, cantDeny);
        if (hr == S_FALSE && !cantDeny) {
            answer = S_FALSE;
            break;
        }
    }
    if (answer == S_OK && !cantDeny && Switches().IsVetoed(DBREASON_COLUMN_SET, phase))
        answer = S_FALSE;
    handles_.Unhold(slot);
    Release();
    return answer;
}

NotificationRound::Sender Rowset::OwnRowsSender(DBREASON reason, std::vector<uint32_t> slots)
{
    return [this, reason, slots = std::move(slots)](DBEVENTPHASE phase, bool cantDeny) {
        return OnRecordsChange(reason, phase, cantDeny, slots.data(), slots.size());
    };
}

} // namespace hv::recordset
