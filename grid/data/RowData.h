// RowData: one bound row of a rowset binding, shared by bookmark among the
// batches, lists and row objects that use it (reference counted). It reads
// and writes the row's values, finds its siblings and child rows, and caches
// the answers the display asks again and again.
#pragma once

#include "ChapterHandle.h"
#include "RowBookmark.h"
#include "RowDataSeam.h"
#include "RowTreeNode.h"

#include <windows.h>
#include <oledb.h>

#include <memory>

class ChildRowList;
class HvRow;
class RowBatch;

class RowData : public RowTreeNode, public RowDataSeam {
public:
    // Values of Constants_SiblingRow.
    enum Sibling : LONG { kFirst = 0, kLast = 1, kNext = 2, kPrevious = 3 };

    // A row for a handle the caller owns one reference on (adopted, unless
    // borrowed). share: the binding's shared row for that handle when there
    // is one; existingOnly: only that row (E_OUTOFMEMORY and null when none).
    static HRESULT Create(RowsetBinding* binding, HROW row, const ChapterHandle& chapter, RowData* parent,
                          bool borrowed, bool share, bool existingOnly, RowData** out);

    ULONG AddRef();
    ULONG Release();
    // RowDataSeam (the row object's view of the row)
    ULONG AddRefData() override { return AddRef(); }
    ULONG ReleaseData() override { return Release(); }
    HRESULT GetBookmarkValue(VARTYPE type, VARIANT* out) override;
    HRESULT GetFieldValue(LONG ordinal, VARIANT* out) override;
    HRESULT GetOriginalFieldValue(LONG ordinal, VARIANT* out) override;
    HRESULT SetFieldValue(LONG ordinal, const VARIANT& value) override;

    RowsetBinding* GetBinding() const { return binding_; }
    ChapterHandle GetChapter() const { return chapter_; }
    const ChapterHandle& Chapter() const { return chapter_; }
    HROW GetRowHandle();
    RowBookmark& Bookmark() { return bookmark_; }
    RowData* GetParentRow() const { return parent_; }

    HRESULT GetValue(DBORDINAL ordinal, VARIANT* value);
    HRESULT GetOriginalValue(DBORDINAL ordinal, VARIANT* value);
    HRESULT SetValue(DBORDINAL ordinal, const VARIANT& value);
    HRESULT ReadChapter(DBORDINAL ordinal, ChapterHandle& chapter);

    // The row's list of rows of a child binding; made when create is set.
    ChildRowList* GetChildRows(RowsetBinding* childBinding, bool create);
    RowData* GetNthRow(ULONG n) override;
    // ordinal < 0: the chapter columns are tried in turn.
    HRESULT GetFirstChildRow(long ordinal, RowData** out);
    HRESULT GetLastChildRow(long ordinal, RowData** out);

    bool HasNextSibling(bool deep) override;
    bool HasPrevSibling(bool deep) override;
    bool HasNextSiblingSpanningBands(bool deep) override;
    bool HasPrevSiblingSpanningBands(bool deep) override;
    bool HasChildRows(bool deep) override;
    void SetHasNextSibling(bool flag);
    void SetHasPrevSibling(bool flag);
    void SetHasNextSiblingSpanningBands(bool flag);
    void SetHasPrevSiblingSpanningBands(bool flag);
    void ClearHasChildRows();
    // Forgets every cached neighbour answer (the row object's too).
    void ForgetSiblingAnswers();

    bool IsHidden() const override { return hidden_; }
    bool IsExpanded() const override { return expanded_; }
    bool IsRow() const override { return true; }
    void SetExpanded(bool flag) override;
    void SetHidden(bool flag) override;
    bool IsKept() const { return kept_; }
    bool IsBeingDeleted() override { return beingDeleted_; }
    void SetBeingDeleted(bool flag) { beingDeleted_ = flag; }
    bool IsRegistered() const { return registered_; }

    // Ties (or with null unties) the row object; a different one while one
    // is tied is ignored.
    void AttachRowObject(HvRow* row) override;
    HvRow* GetRowObject() const { return rowObject_; }
    // Brings the row's list membership up to date (row object, hidden,
    // excluded band, fetch mode).
    void UpdateListMembership();
    // Lets a kept row go (its list's extra reference).
    void LetGo() override;

    long GetChapterColumnOrdinal() const;
    HRESULT GetSibling(LONG which, bool spanBands, RowData** out);
    HRESULT FetchRelative(LONG which, RowBatch& batch);
    HRESULT FindChildRowByBookmark(VARIANT& bookmark, long ordinal, RowData** out);

    HRESULT Update() override;
    HRESULT Undo() override;
    HRESULT Delete() override;

    bool IsSameRow(RowData& other);
    DBCOMPARE CompareOrder(RowData& other);
    DBCOMPARE CompareByPosition(RowData& other);
    // The provider's own order of two rows of one list (their bookmarks
    // compared by the rowset); DBCOMPARE_NOTCOMPARABLE when it cannot tell.
    DBCOMPARE CompareByProvider(RowData& other);
    bool IsAtRowPosition();

    // RowTreeNode
    RowsetBinding* GetNodeBinding() const override { return binding_; }
    RowData* GetNodeRow() const override { return const_cast<RowData*>(this); }
    void LoadAll(bool force) override;
    void InsertChild(RowData* row) override;
    void RemoveChild(RowData* row) override;
    ULONG ComputePositionIndex() override;
    ULONG ComputeApproximateCount() override;

    // For the lists: a row appended by a preload.
    void MarkPreloaded(ULONG index);
    void MarkAttached(bool attached) { attached_ = attached; }
    bool IsPreloaded() const { return preloaded_; }
    // For the row map.
    void SetRegistered(bool registered) { registered_ = registered; }

private:
    RowData(RowsetBinding* binding, HROW row, const ChapterHandle& chapter, RowData* parent, bool borrowed);
    ~RowData() override;
    void OnChildUnlinked(RowTreeNode* child) override;
    HRESULT FirstOrLastChildRow(long ordinal, bool last, RowData** out);
    HRESULT ProbeChildBand(long ordinal, bool* hasRows);
    bool ComputeHasChildRows();
    void InvalidateUpTree();
    RowTreeNode* MembershipList();

    RowsetBinding* binding_; // not referenced
    RowBookmark bookmark_;
    RowData* parent_;        // one reference
    ChapterHandle chapter_;
    ULONG refs_ = 1;
    HvRow* rowObject_ = nullptr; // not referenced

    bool registered_ = false;
    bool kept_ = false;
    bool preloaded_ = false;
    bool beingDeleted_ = false;
    bool nextValid_ = false, hasNext_ = false;
    bool prevValid_ = false, hasPrev_ = false;
    bool nextSpanValid_ = false, nextSpan_ = false;
    bool prevSpanValid_ = false, prevSpan_ = false;
    bool childRowsValid_ = false, childRows_ = false;
    bool attached_ = false;
    bool hidden_ = false;
    bool expanded_ = false;
};
