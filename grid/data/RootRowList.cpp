// RootRowList: the chapter and the row count of the top band's rows.
#include "RootRowList.h"

#include "RowRecordStore.h"
#include "RowsetBinding.h"

HRESULT RootRowList::GetListChapter(ChapterHandle& chapter)
{
    return chapter.Attach(binding_, DB_NULL_HCHAPTER, true);
}

ULONG RootRowList::ComputeApproximateCount()
{
    if (IsCompletelyLoaded())
        return loadedCount_;
    RowRecordStore* store = RowRecordStore::Of(binding_);
    return store ? store->ApproximateRowCount() : loadedCount_;
}
