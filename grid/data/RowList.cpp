// RowList: preloading, renumbering, the n-th visible row and fetching the
// rows a list has not read.
#include "RowList.h"

#include "ChildRowList.h"
#include "RowBatch.h"
#include "RowData.h"
#include "RowRecordStore.h"
#include "RowsetBinding.h"

#include <HvBandRowsetListener.h>

#include <algorithm>

namespace {

constexpr ULONG kNear = 100;

} // namespace

bool RowList::Preloads() const
{
    RowRecordStore* store = RowRecordStore::Of(GetNodeBinding());
    return store && store->Preloads();
}

ULONG RowList::RowsPerParentEstimate() const
{
    RowRecordStore* store = RowRecordStore::Of(GetNodeBinding());
    return store ? store->RowsPerParent() : 0;
}

void RowList::OnChildUnlinked(RowTreeNode* child)
{
    static_cast<RowData*>(child)->MarkAttached(false);
}

void RowList::ReleaseAll()
{
    while (RowTreeNode* node = first_) {
        auto* row = static_cast<RowData*>(node);
        row->AddRef();
        for (RowTreeNode* list = row->FirstChild(); list; list = list->NextSibling())
            static_cast<ChildRowList*>(list)->ReleaseAll();
        if (row->IsKept())
            row->LetGo();
        else
            Unlink(row);
        row->Release();
    }
    loadedCount_ = 0;
    hiddenCount_ = 0;
    flags_ &= ~(kCompletelyLoaded | kApproxCountValid | kVisibleCountValid);
}

void RowList::LoadAll(bool force)
{
    RowsetBinding* binding = GetNodeBinding();
    if (!Preloads() || !binding)
        return;
    if (!force && IsCompletelyLoaded()) {
        SortChildren(false);
        return;
    }
    flags_ |= kCompletelyLoaded;
    while (RowTreeNode* node = first_) {
        auto* row = static_cast<RowData*>(node);
        if (row->IsKept())
            row->LetGo();
        else
            Unlink(row);
    }
    hiddenCount_ = 0;
    bool nextSpan = false, prevSpan = false;
    RowsInNeighbourBands(&nextSpan, &prevSpan);
    ChapterHandle chapter(binding);
    GetListChapter(chapter);

    ULONG index = 0;
    RowData* last = nullptr;
    bool atEnd = false;
    for (bool firstBatch = true; !atEnd; firstBatch = false) {
        RowBatch batch(binding, GetNodeRow(), chapter, RowBatch::kMaxRows, false, true, true);
        const HRESULT hr = firstBatch ? batch.FetchFirst(0) : batch.FetchFromRow(last, 1);
        if (FAILED(hr) || batch.Remaining() == 0)
            break;
        atEnd = batch.AtEnd();
        RowData* row = nullptr;
        while (batch.Remaining() > 0) {
            if (FAILED(batch.Next(&row, true, false)) || !row)
                continue;
            if (row->IsLinked()) { // the same row twice: keep the first
                row->Release();
                continue;
            }
            if (row->IsHidden())
                ++hiddenCount_;
            row->SetHasNextSibling(true);
            row->SetHasPrevSibling(index > 0);
            row->SetHasNextSiblingSpanningBands(nextSpan);
            row->SetHasPrevSiblingSpanningBands(prevSpan);
            AppendWithIndex(row, index);
            row->MarkPreloaded(index); // the batch's reference becomes the list's
            ++index;
            last = row;
        }
        if (!last)
            break;
    }
    if (last)
        last->SetHasNextSibling(false);
    loadedCount_ = index;
    approxCount_ = index;
    flags_ |= kApproxCountValid;
    flags_ &= ~kVisibleCountValid;
    HvBandRowsetListener* listener = binding->GetDataChangeListener();
    for (RowTreeNode* node = first_; node; node = node->NextSibling()) {
        auto* row = static_cast<RowData*>(node);
        if (listener)
            listener->GetRowObjectForRecord(row);
        row->LoadAll(false);
    }
    SortChildren(true);
    if (owner_)
        owner_->ChildChanged();
}

void RowList::Renumber()
{
    if (!IsCompletelyLoaded())
        return;
    hiddenCount_ = 0;
    for (RowTreeNode* node = first_; node; node = node->NextSibling())
        hiddenCount_ += node->IsHidden() ? 1 : 0;
    bool nextSpan = false, prevSpan = false;
    RowsInNeighbourBands(&nextSpan, &prevSpan);
    ULONG index = 0;
    for (RowTreeNode* node = first_; node; node = node->NextSibling()) {
        auto* row = static_cast<RowData*>(node);
        row->SetHasNextSibling(node->NextSibling() != nullptr);
        row->SetHasPrevSibling(index > 0);
        row->SetHasNextSiblingSpanningBands(nextSpan);
        row->SetHasPrevSiblingSpanningBands(prevSpan);
        row->SetPositionIndex(index++);
    }
    loadedCount_ = approxCount_ = index;
    flags_ |= kApproxCountValid | kCompletelyLoaded;
    ChildChanged();
}

RowData* RowList::GetNthRow(ULONG n)
{
    if (IsHidden())
        return nullptr;
    VisibleCount();
    const ULONG e = RowsPerParentEstimate();
    ULONG remaining = n, lowIndex = 0, baseIndex = 0, index = 0, hiddenSeen = 0;
    bool first = true;
    RowData* lower = nullptr;
    RowData* upper = nullptr;
    for (RowTreeNode* node = first_; node; node = node->NextSibling()) {
        auto* child = static_cast<RowData*>(node);
        if (child->IsHidden()) {
            ++hiddenSeen;
            ++lowIndex;
            continue;
        }
        upper = child;
        index = child->GetPositionIndex() - hiddenSeen;
        if (index > lowIndex + 1) {
            const ULONG g = (index - lowIndex - (first ? 0 : 1)) * e;
            if (lowIndex + g > remaining)
                break;
            remaining -= g;
            baseIndex = index - 1;
        }
        first = false;
        if (index == remaining)
            return child->GetNthRow(0);
        if (index > remaining)
            break;
        baseIndex = lowIndex = index;
        lower = child;
        if (child->IsExpanded()) {
            const ULONG visible = child->VisibleCount();
            const ULONG d = visible ? visible - 1 : 0;
            if (index + d >= remaining)
                return child->GetNthRow(remaining - index);
            remaining -= d;
        }
        upper = nullptr;
    }
    ULONG A = GetApproximateCount(false);
    if (A < 1)
        A = 1;
    const ULONG f = first ? 0 : 1;
    const ULONG spread = A > f + baseIndex ? A - f - baseIndex : 0;
    ULONG k = std::min(std::max(spread, 1UL), remaining / (e + 1) + 1) + baseIndex;
    if (first && k > 0)
        --k;
    if (k >= std::min(n, A - 1))
        k = std::min(n, A - 1);
    RowData* row = FetchRowAt(k, lower, lowIndex, upper, upper ? index : A);
    if (!row)
        return nullptr;
    const LONG rest = static_cast<LONG>(remaining - (k - f - baseIndex) * e - k);
    if (rest >= 2) {
        if (RowData* deeper = row->GetNthRow(static_cast<ULONG>(rest))) {
            row->Release();
            return deeper;
        }
    }
    return row;
}

RowData* RowList::TakeFirst(RowBatch& batch, HRESULT hr, bool* atEnd)
{
    if (atEnd)
        *atEnd = batch.AtEnd();
    RowData* row = nullptr;
    if (SUCCEEDED(hr) && batch.Remaining() > 0)
        batch.Next(&row, true, false);
    return row;
}

RowData* RowList::FetchRowAt(ULONG k, RowData* lower, ULONG lowIndex, RowData* upper, ULONG upperIndex)
{
    RowsetBinding* binding = GetNodeBinding();
    if (!binding)
        return nullptr;
    ChapterHandle chapter(binding);
    GetListChapter(chapter);
    const bool scrollable = binding->HasScroll();
    auto batchOf = [&]() { return std::make_unique<RowBatch>(binding, GetNodeRow(), chapter, 1, false, true, true); };

    // 1. From a near neighbour or the start.
    int tried = 0; // 1 forward, 2 back from the upper row
    bool atEnd = false;
    RowData* row = nullptr;
    const ULONG toUpper = upperIndex > k ? upperIndex - k : 0;
    if (lower && k >= lowIndex && k - lowIndex < toUpper) {
        if (k - lowIndex < kNear || !scrollable) {
            auto batch = batchOf();
            row = TakeFirst(*batch, batch->FetchFromRow(lower, static_cast<DBROWOFFSET>(k - lowIndex)), &atEnd);
            tried = 1;
        }
    } else if (k < toUpper && (k < kNear || !scrollable)) {
        auto batch = batchOf();
        row = TakeFirst(*batch, batch->FetchFirst(static_cast<DBROWOFFSET>(k)), &atEnd);
        tried = 1;
    } else if (upper && (toUpper < kNear || !scrollable)) {
        auto batch = batchOf();
        row = TakeFirst(*batch, batch->FetchFromRow(upper, -static_cast<DBROWOFFSET>(toUpper)), &atEnd);
        tried = 2;
    }
    if (row)
        return row;
    // 2. Past the end: the row at that end.
    if (tried && atEnd) {
        auto batch = batchOf();
        row = TakeFirst(*batch, tried == 1 ? batch->FetchLast(0) : batch->FetchFirst(0), nullptr);
        if (row)
            return row;
    }
    ULONG A = GetApproximateCount(false);
    // 3. By ratio.
    if (scrollable && A) {
        auto batch = batchOf();
        row = TakeFirst(*batch, binding->FetchAtRatio(k, A, *batch), nullptr);
        if (row)
            return row;
    }
    // 4. From the nearer end.
    bool forward = k < A - std::min(k, A);
    {
        auto batch = batchOf();
        HRESULT hr;
        if (k < (A > k ? A - k : 0)) {
            forward = true;
            hr = batch->FetchFirst(static_cast<DBROWOFFSET>(k));
        } else if (k < A) {
            forward = false;
            hr = batch->FetchLast(static_cast<DBROWOFFSET>(k) - static_cast<DBROWOFFSET>(A));
        } else {
            forward = false;
            hr = batch->FetchLast(0);
        }
        row = TakeFirst(*batch, hr, nullptr);
        if (row)
            return row;
    }
    // 5. The far end.
    auto batch = batchOf();
    return TakeFirst(*batch, forward ? batch->FetchLast(0) : batch->FetchFirst(0), nullptr);
}

void RowList::ForgetLoad()
{
    sortStamp_ = 0;
    flags_ &= ~(kApproxCountValid | kVisibleCountValid | kCompletelyLoaded);
    ChildChanged();
}
