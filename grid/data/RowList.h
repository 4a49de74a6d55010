// RowList: what the top-level list and the child lists of the row tree share:
// preloading all rows of the list in batches of 200, finding the n-th
// visible row (fetching the rows not read), renumbering, and the counts.
#pragma once

#include "ChapterHandle.h"
#include "RowTreeNode.h"

class RowBatch;

class RowList : public RowTreeNode {
public:
    RowData* GetNthRow(ULONG n) override;
    void LoadAll(bool force) override;
    void Renumber() override;
    // Orders a completely loaded list by its binding's sort keys (a stable
    // sort); unless forced, only when the keys changed since the last sort.
    void SortChildren(bool force) override;
    // Whether the binding's fetch mode (or design mode) preloads.
    bool Preloads() const;
    // The chapter the list's rows live in (read from the parent row).
    virtual HRESULT GetListChapter(ChapterHandle& chapter) = 0;
    // The rows of the list come from the cache rather than the provider.
    bool ServesFromCache() const { return Preloads() && IsCompletelyLoaded(); }
    // Before rows are handed out from the list: a list whose binding has
    // sort keys is read whole (or sorted again after the keys changed).
    // True when the rows then come from the cache.
    bool PrepareCache();
    // A list sorted by keys its binding no longer has goes back to the
    // rowset's order: read again when it preloads, else let go.
    void DropSortOrder();
    // The row at index k, fetched (shared) from the provider.
    // Rows were added behind the list's back: its counts and its loaded
    // mark go, so that the next use reads the rowset again.
    void ForgetLoad();
    // Lets go of every kept row of the list and of the lists below it (the
    // kept rows hold their parents, so a tree is freed from its leaves).
    void ReleaseAll();
    RowData* FetchRowAt(ULONG k, RowData* lower, ULONG lowIndex, RowData* upper, ULONG upperIndex);

protected:
    explicit RowList(RowTreeNode* owner) : RowTreeNode(owner) {}
    void OnChildUnlinked(RowTreeNode* child) override;
    ULONG RowsPerParentEstimate() const override;
    RowData* TakeFirst(RowBatch& batch, HRESULT hr, bool* atEnd);

private:
    ULONG sortStamp_ = 0; // the binding's sort generation the order follows
};
