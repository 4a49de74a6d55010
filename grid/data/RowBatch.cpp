// RowBatch: provider fetches and handing out of the obtained handles.
#include "RowBatch.h"

#include "RowsetBinding.h"

RowBatch::RowBatch(RowsetBinding* binding, const ChapterHandle& chapter, ULONG capacity, bool backward,
                   bool ownsHandles, bool shared)
    : binding_(binding), chapter_(chapter), capacity_(capacity < kMaxRows ? capacity : kMaxRows),
      backward_(backward), ownsHandles_(ownsHandles), shared_(shared)
{
}

RowBatch::~RowBatch()
{
    ReleaseUntaken();
}

HRESULT RowBatch::FetchFirst(DBROWOFFSET offset)
{
    const BYTE first = DBBMK_FIRST;
    return FetchFromBookmark(1, &first, offset);
}

HRESULT RowBatch::FetchLast(DBROWOFFSET offset)
{
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
