// RowsetBinding: construction, reference counting, attaching a rowset, its
// properties and its columns.
#include "RowsetBinding.h"

#include "DataIds.h"
#include "RowBookmark.h"

#include <new>

namespace {

constexpr DBPROPID kAskedProperties[] = {14, 16, 17, 18, 19, 21, 258, 67, 68, 72, 73, 86, 117};

void TaskFree(void* block)
{
    if (block)
        CoTaskMemFree(block);
}

bool BoolValue(const VARIANT& v)
{
    VARIANT b;
    VariantInit(&b);
    if (FAILED(VariantChangeType(&b, const_cast<VARIANT*>(&v), 0, VT_BOOL)))
        return false;
    return V_BOOL(&b) != VARIANT_FALSE;
}

ULONG LongValue(const VARIANT& v)
{
    VARIANT l;
    VariantInit(&l);
    if (FAILED(VariantChangeType(&l, const_cast<VARIANT*>(&v), 0, VT_I4)))
        return 0;
    return static_cast<ULONG>(V_I4(&l));
}

} // namespace

RowsetBinding::RowsetBinding(RowsetBinding* parent) : parent_(parent)
{
    if (parent_) {
        designMode_ = parent_->IsDesignTime();
        ++parent_->includedChildren_;
    }
}

RowsetBinding::RowsetBinding(RowsetBinding* parent, IUnknown* rowset, ColumnInfo* owningColumn)
    : RowsetBinding(parent)
{
    owningColumn_ = owningColumn;
    AttachInterfaces(rowset);
}

RowsetBinding::~RowsetBinding()
{
    ClearRows();
    UnadviseRowPosition();
    UnadviseNotifications();
    while (RowBookmark* row = heldFirst_) {
        row->ReleaseRowHandle(false);
        UnlinkHeld(row);
    }
    columns_.clear();
    if (parent_ && parent_->includedChildren_)
        --parent_->includedChildren_;
    self_ = nullptr;
}

STDMETHODIMP RowsetBinding::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IRowsetNotify)
        *object = static_cast<IRowsetNotify*>(this);
    else if (iid == IID_IRowPositionChange)
        *object = static_cast<IRowPositionChange*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) RowsetBinding::AddRef()
{
    return ++refs_;
}

STDMETHODIMP_(ULONG) RowsetBinding::Release()
{
    const ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

RowsetBinding* RowsetBinding::GetRootBinding()
{
    return parent_ ? parent_->GetRootBinding() : nullptr;
}

bool RowsetBinding::IsTracking() const
{
    return parent_ && parent_->IsTracking();
}

ConversionService* RowsetBinding::GetConversionService()
{
    return parent_ ? parent_->GetConversionService() : nullptr;
}

bool RowsetBinding::IsDesignTime() const
{
    return parent_ ? parent_->IsDesignTime() : designMode_;
}

HRESULT RowsetBinding::AttachInterfaces(IUnknown* rowset)
{
    if (!rowset)
        return S_OK;
    HRESULT hr = columnsInfo_.QueryFrom(rowset, IID_IColumnsInfo);
    if (FAILED(hr))
        return hr;
    if (FAILED(hr = accessor_.QueryFrom(rowset, IID_IAccessor)))
        return hr;
    if (FAILED(hr = rowset_.QueryFrom(rowset, IID_IRowset)))
        return hr;
    if (FAILED(hr = locate_.QueryFrom(rowset, IID_IRowsetLocate))) {
        rowset_.Reset(); // without positioning the rowset cannot be consumed
        return hr;
    }
    scroll_.QueryFrom(rowset, IID_IRowsetScroll);
    info_.QueryFrom(rowset, IID_IRowsetInfo);
    identity_.QueryFrom(rowset, IID_IRowsetIdentity);
    change_.QueryFrom(rowset, IID_IRowsetChange);
    update_.QueryFrom(rowset, IID_IRowsetUpdate);
    chaptered_.QueryFrom(rowset, IID_IChapteredRowset);
    ReadRowsetProperties();
    HRESULT advised = AdviseNotifications();
    if (SUCCEEDED(advised) && rowPosition_)
        advised = AdviseRowPosition();
    return FAILED(advised) ? advised : hr;
}

void RowsetBinding::ReadRowsetProperties()
{
    if (!info_)
        return;
    DBPROPIDSET set{};
    set.guidPropertySet = kDbPropsetRowset;
    set.cPropertyIDs = static_cast<ULONG>(std::size(kAskedProperties));
    set.rgPropertyIDs = const_cast<DBPROPID*>(kAskedProperties);
    ULONG setCount = 0;
    DBPROPSET* sets = nullptr;
    if (FAILED(info_->GetProperties(1, &set, &setCount, &sets)) || !sets)
        return;
    for (ULONG s = 0; s < setCount; ++s) {
        for (ULONG i = 0; i < sets[s].cProperties; ++i) {
            DBPROP& p = sets[s].rgProperties[i];
            if (p.dwStatus == DBPROPSTATUS_OK) {
                switch (p.dwPropertyID) {
                case 14: bookmarks_ = BoolValue(p.vValue); break;
                case 16: numericBookmarks_ = LongValue(p.vValue) == 1; break;
                case 17: cacheDeferred_ = BoolValue(p.vValue); break;
                case 18: canFetchBackwards_ = BoolValue(p.vValue); break;
                case 19: canHoldRows_ = BoolValue(p.vValue); break;
                case 21: canScrollBackwards_ = BoolValue(p.vValue); break;
                case 67: literalBookmarks_ = BoolValue(p.vValue); break;
                case 68: literalIdentity_ = BoolValue(p.vValue); break;
                case 86: orderedBookmarks_ = BoolValue(p.vValue); break;
                case 258: property258_ = LongValue(p.vValue); break;
                case 72: property72_ = LongValue(p.vValue); break;
                case 73: property73_ = LongValue(p.vValue); break;
                case 117: updatability_ = LongValue(p.vValue); break;
                default: break;
                }
            }
            VariantClear(&p.vValue);
        }
        TaskFree(sets[s].rgProperties);
    }
    TaskFree(sets);
}

HRESULT RowsetBinding::Initialize()
{
    HRESULT hr = GetColumnInfo();
    if (FAILED(hr))
        return hr;
    ReadColumnAttributes();
    return S_OK;
}

void RowsetBinding::Close()
{
    for (auto& column : columns_) {
        if (RowsetBinding* child = column->GetChildBinding())
            child->Close();
    }
    UnadviseRowPosition();
    UnadviseNotifications();
}

void RowsetBinding::SetChildSource(IUnknown* source)
{
    childSource_.Assign(source);
}

HRESULT RowsetBinding::GetColumnInfo()
{
    if (!columnsInfo_)
        return E_FAIL;
    DBORDINAL count = 0;
    DBCOLUMNINFO* infos = nullptr;
    OLECHAR* strings = nullptr;
    HRESULT hr = columnsInfo_->GetColumnInfo(&count, &infos, &strings);
    if (FAILED(hr))
        return hr;
    columns_.clear();
    firstChapterColumn_ = -1;
    try {
        for (DBORDINAL i = 0; i < count; ++i) {
            columns_.push_back(std::make_unique<ColumnInfo>(this, infos[i]));
            ColumnInfo& column = *columns_.back();
            if (column.IsChapter()) {
                if (firstChapterColumn_ < 0)
                    firstChapterColumn_ = static_cast<long>(column.GetOrdinal());
                ComRef<IUnknown> referenced;
                if (info_ && SUCCEEDED(info_->GetReferencedRowset(column.GetOrdinal(), IID_IRowset,
                                                                  referenced.Put())) && referenced) {
                    auto* child = new RowsetBinding(this, referenced.Get(), &column);
                    child->SetChildSource(childSource_.Get());
                    child->Initialize();
                    column.SetChildBinding(child);
                    child->Release();
                }
            }
            column.ApplyLateTypeChange();
        }
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    }
    // A source whose properties cannot be read still marks its bookmark column.
    if (!columns_.empty() && columns_.front()->IsBookmark())
        bookmarks_ = true;
    TaskFree(infos);
    TaskFree(strings);
    return FAILED(hr) ? hr : S_OK;
}

ULONG RowsetBinding::GetColumnCount() const
{
    ULONG count = static_cast<ULONG>(columns_.size());
    if (bookmarks_ && count && columns_.front()->IsBookmark())
        --count;
    return count;
}

ColumnInfo* RowsetBinding::GetColumn(DBORDINAL ordinal) const
{
    for (const auto& column : columns_) {
        if (column->GetOrdinal() == ordinal)
            return (bookmarks_ && column->IsBookmark()) ? nullptr : column.get();
    }
    return nullptr;
}

ColumnInfo* RowsetBinding::GetFirstColumn() const
{
    if (columns_.empty())
        return nullptr;
    if (bookmarks_ && columns_.front()->IsBookmark())
        return columns_.size() > 1 ? columns_[1].get() : nullptr;
    return columns_.front().get();
}

ColumnInfo* RowsetBinding::GetNextColumn(const ColumnInfo* column) const
{
    for (size_t i = 0; i + 1 < columns_.size(); ++i) {
        if (columns_[i].get() == column)
            return columns_[i + 1].get();
    }
    return nullptr;
}

ColumnInfo* RowsetBinding::GetBookmarkColumn() const
{
    if (columns_.empty())
        return nullptr;
    if (bookmarks_)
        return columns_.front().get();
    for (const auto& column : columns_) {
        if (column->IsBookmark())
            return column.get();
    }
    return nullptr;
}

long RowsetBinding::GetLastChapterColumn() const
{
    return FindPrevChapterColumn(static_cast<long>(columns_.size()) + 1);
}

long RowsetBinding::FindNextChapterColumn(long from) const
{
    for (const auto& column : columns_) {
        const long ordinal = static_cast<long>(column->GetOrdinal());
        if (ordinal > from && column->IsChapter())
            return ordinal;
    }
    return -1;
}

long RowsetBinding::FindPrevChapterColumn(long from) const
{
    for (auto it = columns_.rbegin(); it != columns_.rend(); ++it) {
        const long ordinal = static_cast<long>((*it)->GetOrdinal());
        if (ordinal < from && (*it)->IsChapter())
            return ordinal;
    }
    return -1;
}

long RowsetBinding::FindChapterColumnOf(const RowsetBinding* child) const
{
    for (const auto& column : columns_) {
        if (column->IsChapter() && column->GetChildBinding() == child)
            return static_cast<long>(column->GetOrdinal());
    }
    return -1;
}

bool RowsetBinding::HasSameColumns(const RowsetBinding& other) const
{
    if (!IsAttached() || GetColumnCount() != other.GetColumnCount())
        return false;
    const ColumnInfo* a = GetFirstColumn();
    const ColumnInfo* b = other.GetFirstColumn();
    for (; a && b; a = GetNextColumn(a), b = other.GetNextColumn(b)) {
        if (a->IsChapter() && b->IsChapter()) {
            const RowsetBinding* ca = a->GetChildBinding();
            const RowsetBinding* cb = b->GetChildBinding();
            if (!ca || !cb || !ca->HasSameColumns(*cb))
                return false;
        } else if (!a->IsAlike(*b)) {
            return false;
        }
    }
    return !a && !b;
}

void RowsetBinding::ClearCachedCounts()
{
    cachedRowCount_ = 0;
    cachedEstimate_ = 0;
    cachedVisible_ = 0;
}

void RowsetBinding::LinkHeld(RowBookmark* row)
{
    if (row->linked_)
        UnlinkHeld(row);
    row->prev_ = nullptr;
    row->next_ = heldFirst_;
    if (heldFirst_)
        heldFirst_->prev_ = row;
    else
        heldLast_ = row;
    heldFirst_ = row;
    row->linked_ = true;
}

void RowsetBinding::UnlinkHeld(RowBookmark* row)
{
    if (!row->linked_)
        return;
    if (row->prev_)
        row->prev_->next_ = row->next_;
    else
        heldFirst_ = row->next_;
    if (row->next_)
        row->next_->prev_ = row->prev_;
    else
        heldLast_ = row->prev_;
    row->prev_ = row->next_ = nullptr;
    row->linked_ = false;
}

size_t RowsetBinding::HeldHandleCount() const
{
    size_t n = 0;
    for (RowBookmark* r = heldFirst_; r; r = r->next_)
        ++n;
    return n;
}
