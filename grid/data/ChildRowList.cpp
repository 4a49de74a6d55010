// ChildRowList: the chapter, counts and neighbouring bands of the rows of
// one child band under one parent row.
#include "ChildRowList.h"

#include "ColumnInfo.h"
#include "RowData.h"
#include "RowRecordStore.h"
#include "RowsetBinding.h"

ChildRowList::ChildRowList(RowData* parent, RowsetBinding* childBinding)
    : RowList(parent), parent_(parent), binding_(childBinding)
{
}

ChildRowList::~ChildRowList()
{
    ReleaseAll();
}

bool ChildRowList::IsExpanded() const
{
    return parent_ && parent_->IsExpanded();
}

bool ChildRowList::IsHidden() const
{
    RowRecordStore* store = RowRecordStore::Of(binding_);
    return !store || store->IsExcluded();
}

long ChildRowList::ChapterColumn() const
{
    RowsetBinding* parentBinding = parent_ ? parent_->GetBinding() : nullptr;
    return parentBinding ? parentBinding->FindChapterColumnOf(binding_) : -1;
}

HRESULT ChildRowList::GetListChapter(ChapterHandle& chapter)
{
    const long ordinal = ChapterColumn();
    if (ordinal < 0)
        return E_FAIL;
    return parent_->ReadChapter(static_cast<DBORDINAL>(ordinal), chapter);
}

void ChildRowList::Reset()
{
    const ULONG cached = binding_->GetCachedRowCount();
    const ULONG mine = approxCount_;
    binding_->SetCachedRowCount(cached > mine ? cached - mine : 0);
    RowList::Reset();
}

void ChildRowList::RowsInNeighbourBands(bool* next, bool* previous)
{
    *next = *previous = false;
    RowsetBinding* parentBinding = parent_->GetBinding();
    ULONG included = 0;
    for (long ordinal = parentBinding->GetFirstChapterColumn(); ordinal >= 0;
         ordinal = parentBinding->FindNextChapterColumn(ordinal)) {
        ColumnInfo* column = parentBinding->GetColumn(static_cast<DBORDINAL>(ordinal));
        RowRecordStore* store = RowRecordStore::Of(column ? column->GetChildBinding() : nullptr);
        if (store && !store->IsExcluded())
            ++included;
    }
    if (included < 2)
        return;
    parent_->LoadAll(false);
    auto probe = [&](RowTreeNode* list) {
        RowData* row = nullptr;
        parent_->GetFirstChildRow(static_cast<ChildRowList*>(list)->ChapterColumn(), &row);
        const bool found = row != nullptr;
        if (row)
            row->Release();
        return found;
    };
    if (RowTreeNode* prev = PrevSibling())
        *previous = prev->PrevSibling() != nullptr || probe(prev);
    if (RowTreeNode* following = NextSibling())
        *next = probe(following);
}

ULONG ChildRowList::ComputePositionIndex()
{
    RowTreeNode* prev = PrevSibling();
    return prev ? prev->GetPositionIndex() + 1 : 0;
}

ULONG ChildRowList::ComputeApproximateCount()
{
    if (IsHidden())
        return 0;
    if (IsCompletelyLoaded())
        return loadedCount_;
    ChapterHandle chapter;
    if (FAILED(GetListChapter(chapter)))
        return loadedCount_;
    DBCOUNTITEM rows = 0;
    if (SUCCEEDED(binding_->GetApproximatePosition(chapter.Value(), nullptr, nullptr, &rows)))
        return static_cast<ULONG>(rows);
    RowRecordStore* mine = RowRecordStore::Of(binding_);
    RowRecordStore* parents = RowRecordStore::Of(parent_->GetBinding());
    ULONG parentCount = parents ? parents->ApproximateRowCount() : 1;
    if (parentCount < 1)
        parentCount = 1;
    return (mine ? mine->ApproximateRowCount() : 0) / parentCount;
}
