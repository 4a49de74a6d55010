// RowBatch: the record of up to 200 rows that a fetch fills and a
// notification describes: the row handles obtained, their chapter, the
// direction and whether the end of the rowset was reached.
#pragma once

#include "ChapterHandle.h"

#include <windows.h>
#include <oledb.h>

class RowData;
class RowList;
class RowsetBinding;

class RowBatch {
public:
    static constexpr ULONG kMaxRows = 200;

    // capacity is clamped to 200. ownsHandles: the handles are released by
    // the batch unless taken.
    RowBatch(RowsetBinding* binding, const ChapterHandle& chapter, ULONG capacity, bool backward,
             bool ownsHandles, bool shared);
    // A batch of the rows under a parent row (one reference held; null for
    // top-level rows).
    RowBatch(RowsetBinding* binding, RowData* parent, const ChapterHandle& chapter, ULONG capacity,
             bool backward, bool ownsHandles, bool shared);
    ~RowBatch();
    RowBatch(const RowBatch&) = delete;
    RowBatch& operator=(const RowBatch&) = delete;

    // Provider fetches relative to the first or last row, or a bookmark.
    HRESULT FetchFirst(DBROWOFFSET offset);
    HRESULT FetchLast(DBROWOFFSET offset);
    HRESULT FetchFromBookmark(ULONG length, const BYTE* bookmark, DBROWOFFSET offset);

    // Relative to a row of the batch's binding; from the cached rows of a
    // preloaded list when the row's list serves from its cache.
    HRESULT FetchFromRow(RowData* row, DBROWOFFSET offset);
    // Fills the batch from the cached rows of a preloaded list instead of
    // the provider (FetchFirst, FetchLast and FetchFromRow then walk it).
    void UseCachedRows(RowList* list) { cache_ = list; }

    // The next row (with a reference): a cached row, or a row made for the
    // next handle (RowData::Create with the batch's chapter and parent).
    HRESULT Next(RowData** row, bool share, bool existingOnly);
    RowData* GetParentRow() const { return parent_; }
    bool FromCache() const { return fromCache_; }

    // A batch over handles someone else owns (notifications).
    void SetHandles(DBCOUNTITEM count, const HROW* rows);

    // The next handle in read order; the caller owns one reference on it.
    // E_UNEXPECTED when none is left.
    HRESULT NextHandle(HROW* row);
    ULONG Remaining() const { return count_ - read_; }

    RowsetBinding* GetBinding() const { return binding_; }
    ChapterHandle& Chapter() { return chapter_; }
    ChapterHandle GetChapter() const { return chapter_; }
    ULONG Capacity() const { return capacity_; }
    ULONG Count() const { return count_; }
    bool IsBackward() const { return backward_; }
    bool IsShared() const { return shared_; }
    bool AtEnd() const { return atEnd_; }
    HROW Handle(ULONG index) const { return handles_[index]; }

    // For the binding's fetches.
    HROW* HandleSlots() { return handles_; }
    void SetObtained(ULONG count, bool readFromEnd);
    void SetEnd(bool atEnd) { atEnd_ = atEnd; }

private:
    void ReleaseUntaken();
    HRESULT FillFromCache(RowData* start, bool fromFirst, bool fromLast, DBROWOFFSET offset);

    RowData* rows_[kMaxRows] = {}; // cached rows, one reference each until taken
    bool fromCache_ = false;
    RowList* cache_ = nullptr;      // not owned
    RowData* parent_ = nullptr;     // one reference

    RowsetBinding* binding_; // not referenced
    ChapterHandle chapter_;
    ULONG capacity_;
    ULONG read_ = 0;
    ULONG count_ = 0;
    bool backward_;
    bool atEnd_ = false;
    bool readFromEnd_ = false;
    bool ownsHandles_;
    bool shared_;
    HROW handles_[kMaxRows] = {};
    bool taken_[kMaxRows] = {};
};
