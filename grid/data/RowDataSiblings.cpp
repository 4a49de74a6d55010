// RowData: siblings and child rows: one-row fetches relative to the row, the
// cached has-sibling and has-child answers, and child rows by bookmark.
#include "RowData.h"

#include "ChildRowList.h"
#include "ColumnInfo.h"
#include "RowBatch.h"
#include "RowRecordStore.h"
#include "RowsetBinding.h"

#include <oledberr.h>

namespace {

RowsetBinding* IncludedChild(RowsetBinding* binding, long ordinal)
{
    ColumnInfo* column = binding && ordinal >= 0 ? binding->GetColumn(static_cast<DBORDINAL>(ordinal)) : nullptr;
    RowsetBinding* child = column ? column->GetChildBinding() : nullptr;
    RowRecordStore* store = RowRecordStore::Of(child);
    return store && !store->IsExcluded() ? child : nullptr;
}

} // namespace

HRESULT RowData::FirstOrLastChildRow(long ordinal, bool last, RowData** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (ordinal < 0) {
        long column = last ? binding_->GetLastChapterColumn() : binding_->GetFirstChapterColumn();
        for (; column >= 0;
             column = last ? binding_->FindPrevChapterColumn(column) : binding_->FindNextChapterColumn(column)) {
            if (!IncludedChild(binding_, column))
                continue;
            HRESULT hr = FirstOrLastChildRow(column, last, out);
            if (hr == S_OK && *out)
                return S_OK;
        }
        return DB_S_ENDOFROWSET;
    }
    ColumnInfo* column = binding_->GetColumn(static_cast<DBORDINAL>(ordinal));
    RowsetBinding* child = column ? column->GetChildBinding() : nullptr;
    if (!child)
        return E_INVALIDARG;
    ChapterHandle chapter;
    HRESULT hr = ReadChapter(static_cast<DBORDINAL>(ordinal), chapter);
    if (FAILED(hr))
        return hr;
    RowBatch batch(child, this, chapter, 1, false, true, true);
    // A list read whole (a sorted one) answers in its own order.
    if (ChildRowList* list = GetChildRows(child, !child->GetSortKeys().IsEmpty()); list && list->PrepareCache())
        batch.UseCachedRows(list);
    hr = last ? batch.FetchLast(0) : batch.FetchFirst(0);
    if (FAILED(hr))
        return hr;
    if (batch.Remaining() == 0)
        return DB_S_ENDOFROWSET;
    return batch.Next(out, true, false);
}

HRESULT RowData::GetFirstChildRow(long ordinal, RowData** out)
{
    return FirstOrLastChildRow(ordinal, false, out);
}

HRESULT RowData::GetLastChildRow(long ordinal, RowData** out)
{
    return FirstOrLastChildRow(ordinal, true, out);
}

HRESULT RowData::ProbeChildBand(long ordinal, bool* hasRows)
{
    *hasRows = false;
    RowData* row = nullptr;
    HRESULT hr = GetFirstChildRow(ordinal, &row);
    if (row) {
        *hasRows = true;
        row->Release();
    }
    return hr;
}

void RowData::SetHasNextSibling(bool flag)
{
    hasNext_ = flag;
    nextValid_ = true;
}

void RowData::SetHasPrevSibling(bool flag)
{
    hasPrev_ = flag;
    prevValid_ = true;
}

void RowData::SetHasNextSiblingSpanningBands(bool flag)
{
    nextSpan_ = flag;
    nextSpanValid_ = true;
}

void RowData::SetHasPrevSiblingSpanningBands(bool flag)
{
    prevSpan_ = flag;
    prevSpanValid_ = true;
}

void RowData::ClearHasChildRows()
{
    childRowsValid_ = false;
}

bool RowData::HasNextSibling(bool deep)
{
    if (!nextValid_) {
        RowData* row = nullptr;
        const HRESULT hr = GetSibling(kNext, false, &row);
        SetHasNextSibling(hr == S_OK && row);
        if (row)
            row->Release();
    }
    if (deep && !hasNext_ && IsLinked()) {
        // Past hidden rows and across unread rows along the loaded list.
        ULONG index = GetPositionIndex();
        for (RowTreeNode* node = NextSibling(); node; node = node->NextSibling()) {
            if (node->GetPositionIndex() > index + 1 || !node->IsHidden())
                return true;
            index = node->GetPositionIndex();
        }
    }
    return hasNext_;
}

bool RowData::HasPrevSibling(bool deep)
{
    if (!prevValid_) {
        RowData* row = nullptr;
        const HRESULT hr = GetSibling(kPrevious, false, &row);
        SetHasPrevSibling(hr == S_OK && row);
        if (row)
            row->Release();
    }
    if (deep && !hasPrev_ && IsLinked()) {
        for (RowTreeNode* node = PrevSibling(); node; node = node->PrevSibling()) {
            if (!node->IsHidden())
                return true;
        }
    }
    return hasPrev_;
}

bool RowData::HasNextSiblingSpanningBands(bool deep)
{
    if (!nextSpanValid_) {
        bool found = false;
        const long own = GetChapterColumnOrdinal();
        if (parent_ && own >= 0) {
            for (long ordinal = parent_->binding_->FindNextChapterColumn(own); ordinal >= 0 && !found;
                 ordinal = parent_->binding_->FindNextChapterColumn(ordinal)) {
                if (IncludedChild(parent_->binding_, ordinal))
                    parent_->ProbeChildBand(ordinal, &found);
            }
        }
        SetHasNextSiblingSpanningBands(found);
    }
    if (deep && nextSpan_ && IsLinked() && owner_) {
        for (RowTreeNode* list = owner_->NextSibling(); list; list = list->NextSibling()) {
            if (!list->IsHidden() && list->GetApproximateCount(false) > 0)
                return true;
        }
        return false;
    }
    return nextSpan_;
}

bool RowData::HasPrevSiblingSpanningBands(bool deep)
{
    if (!prevSpanValid_) {
        bool found = false;
        const long own = GetChapterColumnOrdinal();
        if (parent_ && own >= 0) {
            for (long ordinal = parent_->binding_->FindPrevChapterColumn(own); ordinal >= 0 && !found;
                 ordinal = parent_->binding_->FindPrevChapterColumn(ordinal)) {
                if (IncludedChild(parent_->binding_, ordinal))
                    parent_->ProbeChildBand(ordinal, &found);
            }
        }
        SetHasPrevSiblingSpanningBands(found);
    }
    if (deep && prevSpan_ && IsLinked() && owner_) {
        for (RowTreeNode* list = owner_->PrevSibling(); list; list = list->PrevSibling()) {
            if (!list->IsHidden() && list->GetApproximateCount(false) > 0)
                return true;
        }
        return false;
    }
    return prevSpan_;
}

bool RowData::ComputeHasChildRows()
{
    for (long ordinal = binding_->GetFirstChapterColumn(); ordinal >= 0;
         ordinal = binding_->FindNextChapterColumn(ordinal)) {
        if (!IncludedChild(binding_, ordinal))
            continue;
        RowData* row = nullptr;
        if (FAILED(GetFirstChildRow(ordinal, &row)) || !row)
            continue;
        const bool counts = !row->IsHidden() || row->HasNextSibling(true);
        row->Release();
        if (counts)
            return true;
    }
    return false;
}

bool RowData::HasChildRows(bool deep)
{
    if (!childRowsValid_) {
        childRows_ = binding_ && ComputeHasChildRows();
        childRowsValid_ = true;
    }
    if (deep && childRows_) {
        for (RowTreeNode* list = first_; list; list = list->NextSibling()) {
            if (!list->IsHidden() && list->GetApproximateCount(false) > 0)
                return true;
        }
    }
    return childRows_;
}

HRESULT RowData::FetchRelative(LONG which, RowBatch& batch)
{
    if (batch.GetBinding() != binding_ || batch.GetParentRow() != parent_ || !batch.Chapter().Equals(chapter_))
        return E_INVALIDARG;
    switch (which) {
    case kFirst:
        return batch.FetchFirst(0);
    case kLast:
        return batch.FetchLast(0);
    case kNext:
        return batch.FetchFromRow(this, 1);
    case kPrevious:
        return batch.FetchFromRow(this, batch.IsBackward() ? -1 : -static_cast<DBROWOFFSET>(batch.Capacity()));
    default:
        return E_INVALIDARG;
    }
}

HRESULT RowData::GetSibling(LONG which, bool spanBands, RowData** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (spanBands && parent_ && (which == kFirst || which == kLast))
        return which == kFirst ? parent_->GetFirstChildRow(-1, out) : parent_->GetLastChildRow(-1, out);
    RowBatch batch(binding_, parent_, chapter_, 1, false, true, true);
    // A list read whole (a sorted one) answers in its own order.
    if (auto* list = dynamic_cast<RowList*>(owner_); list && list->PrepareCache())
        batch.UseCachedRows(list);
    HRESULT hr = FetchRelative(which, batch);
    if (spanBands && parent_ && (which == kNext || which == kPrevious) && SUCCEEDED(hr) &&
        batch.Remaining() == 0) {
        RowsetBinding* parentBinding = parent_->binding_;
        const long own = GetChapterColumnOrdinal();
        for (long ordinal = which == kNext ? parentBinding->FindNextChapterColumn(own)
                                           : parentBinding->FindPrevChapterColumn(own);
             own >= 0 && ordinal >= 0;
             ordinal = which == kNext ? parentBinding->FindNextChapterColumn(ordinal)
                                      : parentBinding->FindPrevChapterColumn(ordinal)) {
            if (!IncludedChild(parentBinding, ordinal))
                continue;
            RowData* row = nullptr;
            const HRESULT found = which == kNext ? parent_->GetFirstChildRow(ordinal, &row)
                                                 : parent_->GetLastChildRow(ordinal, &row);
            if (found == S_OK && row) {
                *out = row;
                return S_OK;
            }
            if (row)
                row->Release();
        }
    }
    if (FAILED(hr))
        return hr;
    if (batch.Remaining() > 0)
        return batch.Next(out, true, false);
    return batch.AtEnd() ? DB_S_ENDOFROWSET : E_FAIL;
}

HRESULT RowData::FindChildRowByBookmark(const VARIANT& bookmark, long ordinal, RowData** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    ChapterHandle chapter;
    HRESULT hr = ReadChapter(static_cast<DBORDINAL>(ordinal), chapter);
    if (FAILED(hr))
        return hr;
    ColumnInfo* column = binding_->GetColumn(static_cast<DBORDINAL>(ordinal));
    RowsetBinding* child = column ? column->GetChildBinding() : nullptr;
    if (!child)
        return E_FAIL;
    RowBookmark wanted(child, bookmark);
    if (FAILED(wanted.Status()))
        return wanted.Status();
    RowBatch batch(child, this, chapter, 1, false, true, true);
    hr = child->FetchAt(wanted.GetBookmarkLength(), wanted.GetBookmarkBytes(), 0, batch);
    if (batch.Remaining() == 0)
        return FAILED(hr) ? hr : DB_S_ENDOFROWSET;
    hr = batch.Next(out, true, false);
    if (SUCCEEDED(hr)) {
        childRows_ = true;
        childRowsValid_ = true;
    }
    return hr;
}
