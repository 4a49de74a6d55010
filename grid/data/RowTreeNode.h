// RowTreeNode: the common part of the row tree (rows and the row lists that
// hold them): membership in the owner's child list, the child list itself,
// the counters of loaded and hidden rows and the cached position and count
// answers, each with its valid bit.
#pragma once

#include <windows.h>

class RowData;
class RowsetBinding;

class RowTreeNode {
public:
    enum Flags : ULONG {
        kPositionValid = 1,
        kApproxCountValid = 2,
        kVisibleCountValid = 4,
        kCompletelyLoaded = 8,
    };

    RowTreeNode(const RowTreeNode&) = delete;
    RowTreeNode& operator=(const RowTreeNode&) = delete;

    // The n-th visible row under (and including, for a row) this node, with
    // a reference for the caller; null for none.
    virtual RowData* GetNthRow(ULONG n) = 0;
    virtual RowsetBinding* GetNodeBinding() const = 0;
    // The row itself; for a child list its parent row; null for a top list.
    virtual RowData* GetNodeRow() const = 0;
    virtual bool IsHidden() const { return false; }
    virtual bool IsRow() const { return false; }
    virtual bool IsExpanded() const { return true; }
    bool IsCompletelyLoaded() const { return (flags_ & kCompletelyLoaded) != 0; }
    virtual void LoadAll(bool force) = 0;
    virtual void SortChildren(bool /*force*/) {}
    // Passed on to every child.
    virtual void Reset();
    virtual void Renumber() {}
    virtual void RowsInNeighbourBands(bool* next, bool* previous);
    virtual void InsertChild(RowData* row);
    virtual void RemoveChild(RowData* row);
    // Invalidates the cached counts from this node up the tree.
    virtual void ChildChanged();
    virtual ULONG ComputePositionIndex() { return positionIndex_; }
    virtual ULONG ComputeApproximateCount() { return loadedCount_; }
    void DetachFromOwner();
    // Links a child at the end with the given position index.
    void AppendWithIndex(RowTreeNode* child, ULONG index);

    ULONG GetPositionIndex();
    void SetPositionIndex(ULONG index);
    // Approximate number of rows; without hidden ones unless includeHidden.
    ULONG GetApproximateCount(bool includeHidden);
    // Visible rows under this node (rows not read are estimated).
    ULONG VisibleCount();
    // The node's place among all visible rows of the tree (for scrolling).
    ULONG VisibleIndex();

    RowTreeNode* Owner() const { return owner_; }
    RowTreeNode* FirstChild() const { return first_; }
    RowTreeNode* LastChild() const { return last_; }
    RowTreeNode* NextSibling() const { return next_; }
    RowTreeNode* PrevSibling() const { return prev_; }
    bool IsLinked() const { return linkedTo_ != nullptr; }
    ULONG ChildCount() const;
    ULONG LoadedCount() const { return loadedCount_; }
    ULONG HiddenCount() const { return hiddenCount_; }

protected:
    friend class RowData;
    friend class RowList;
    explicit RowTreeNode(RowTreeNode* owner) : owner_(owner) {}
    // Unlinks every child first.
    virtual ~RowTreeNode();

    void LinkBefore(RowTreeNode* child, RowTreeNode* before); // null: at the end
    void Unlink(RowTreeNode* child);
    // Links the children again in the given order (every child of this
    // node, each once); they stay linked throughout.
    void ReorderChildren(RowTreeNode* const* order, size_t count);
    // What unlinking a child means for its owner (rows drop their mark).
    virtual void OnChildUnlinked(RowTreeNode*) {}
    virtual ULONG RowsPerParentEstimate() const { return 0; }

    RowTreeNode* owner_;
    RowTreeNode* linkedTo_ = nullptr;
    RowTreeNode* prev_ = nullptr;
    RowTreeNode* next_ = nullptr;
    RowTreeNode* first_ = nullptr;
    RowTreeNode* last_ = nullptr;
    ULONG sortStamp_ = 0;
    ULONG loadedCount_ = 0;
    ULONG hiddenCount_ = 0;
    ULONG positionIndex_ = 0;
    ULONG approxCount_ = 0;
    ULONG visibleCount_ = 0;
    ULONG flags_ = 0;
};
