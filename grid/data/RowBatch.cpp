// RowBatch: provider fetches and handing out of the obtained handles.
#include "RowBatch.h"

#include "DataErrors.h"
#include "RowData.h"
#include "RowList.h"
#include "RowsetBinding.h"

#include <oledberr.h>

RowBatch::RowBatch(RowsetBinding* binding, const ChapterHandle& chapter, ULONG capacity, bool backward,
                   bool ownsHandles, bool shared)
    : binding_(binding), chapter_(chapter), capacity_(capacity < kMaxRows ? capacity : kMaxRows),
      backward_(backward), ownsHandles_(ownsHandles), shared_(shared)
{
}

RowBatch::RowBatch(RowsetBinding* binding, RowData* parent, const ChapterHandle& chapter, ULONG capacity,
                   bool backward, bool ownsHandles, bool shared)
    : RowBatch(binding, chapter, capacity, backward, ownsHandles, shared)
{
    parent_ = parent;
    if (parent_)
        parent_->AddRef();
}

RowBatch::~RowBatch()
{
    ReleaseUntaken();
    if (parent_)
        parent_->Release();
}

HRESULT RowBatch::FetchFirst(DBROWOFFSET offset)
{
    if (cache_ && cache_->ServesFromCache())
        return FillFromCache(nullptr, true, false, offset);
    const BYTE first = DBBMK_FIRST;
    return FetchFromBookmark(1, &first, offset);
}

HRESULT RowBatch::FetchLast(DBROWOFFSET offset)
{
    if (cache_ && cache_->ServesFromCache())
        return FillFromCache(nullptr, false, true, offset);
    const BYTE last = DBBMK_LAST;
    return FetchFromBookmark(1, &last, offset);
}

HRESULT RowBatch::FetchFromBookmark(ULONG length, const BYTE* bookmark, DBROWOFFSET offset)
{
    if (!binding_)
        return E_FAIL;
    ReleaseUntaken();
    return binding_->FetchAt(length, bookmark, offset, *this);
}

HRESULT RowBatch::FetchFromRow(RowData* row, DBROWOFFSET offset)
{
    if (!row)
        return E_INVALIDARG;
    if (cache_ && cache_->ServesFromCache() && row->Owner() == cache_ && row->IsLinked())
        return FillFromCache(row, false, false, offset);
    const ULONG length = row->Bookmark().GetBookmarkLength();
    const BYTE* bytes = length ? row->Bookmark().GetBookmarkBytes() : nullptr;
    if (!bytes)
        return DB_E_BADBOOKMARK;
    return FetchFromBookmark(length, bytes, offset);
}

HRESULT RowBatch::FillFromCache(RowData* start, bool fromFirst, bool fromLast, DBROWOFFSET offset)
{
    ReleaseUntaken();
    fromCache_ = true;
    if ((fromFirst && offset < 0) || (fromLast && offset > 0))
        return RaiseDataError(DataError::BadStartPosition, DB_E_BADSTARTPOSITION);
    RowTreeNode* node = fromFirst ? cache_->FirstChild() : fromLast ? cache_->LastChild() : start;
    for (DBROWOFFSET moved = offset; node && moved > 0; --moved)
        node = node->NextSibling();
    for (DBROWOFFSET moved = offset; node && moved < 0; ++moved)
        node = node->PrevSibling();
    ULONG count = 0;
    while (node && count < capacity_) {
        auto* row = static_cast<RowData*>(node);
        row->AddRef();
        rows_[count++] = row;
        node = backward_ ? node->PrevSibling() : node->NextSibling();
    }
    count_ = count;
    read_ = 0;
    if (!node) {
        atEnd_ = true;
        return DB_S_ENDOFROWSET;
    }
    return S_OK;
}

HRESULT RowBatch::Next(RowData** row, bool share, bool existingOnly)
{
    if (!row)
        return E_INVALIDARG;
    *row = nullptr;
    if (read_ >= count_)
        return E_UNEXPECTED;
    if (fromCache_) {
        *row = rows_[read_];
        rows_[read_++] = nullptr;
        return S_OK;
    }
    HROW handle = DB_NULL_HROW;
    HRESULT hr = NextHandle(&handle);
    if (FAILED(hr))
        return hr;
    return RowData::Create(binding_, handle, chapter_, parent_, false, share, existingOnly, row);
}

void RowBatch::SetHandles(DBCOUNTITEM count, const HROW* rows)
{
    ReleaseUntaken();
    ownsHandles_ = false;
    count_ = count < capacity_ ? static_cast<ULONG>(count) : capacity_;
    for (ULONG i = 0; i < count_; ++i)
        handles_[i] = rows[i];
}

void RowBatch::SetObtained(ULONG count, bool readFromEnd)
{
    count_ = count < capacity_ ? count : capacity_;
    read_ = 0;
    readFromEnd_ = readFromEnd;
    for (ULONG i = 0; i < count_; ++i)
        taken_[i] = false;
}

HRESULT RowBatch::NextHandle(HROW* row)
{
    if (!row)
        return E_INVALIDARG;
    *row = DB_NULL_HROW;
    if (read_ >= count_)
        return E_UNEXPECTED;
    const ULONG index = readFromEnd_ ? count_ - 1 - read_ : read_;
    ++read_;
    HROW handle = handles_[index];
    if (!ownsHandles_ && binding_) {
        HRESULT hr = binding_->AddRefRowHandles(1, &handle);
        if (FAILED(hr))
            return hr;
    }
    taken_[index] = true;
    *row = handle;
    return S_OK;
}

void RowBatch::ReleaseUntaken()
{
    if (fromCache_) {
        for (ULONG i = 0; i < count_; ++i) {
            if (rows_[i])
                rows_[i]->Release();
            rows_[i] = nullptr;
        }
        fromCache_ = false;
        count_ = 0;
    }
    if (ownsHandles_ && binding_) {
        for (ULONG i = 0; i < count_; ++i) {
            if (!taken_[i] && handles_[i])
                binding_->ReleaseRowHandles(1, &handles_[i]);
        }
    }
    for (ULONG i = 0; i < count_; ++i) {
        handles_[i] = DB_NULL_HROW;
        taken_[i] = false;
    }
    count_ = 0;
    read_ = 0;
    atEnd_ = false;
}
