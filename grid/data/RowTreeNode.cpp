// RowTreeNode: child-list links, cached counts and their invalidation.
#include "RowTreeNode.h"

#include "RowData.h"

RowTreeNode::~RowTreeNode()
{
    while (first_)
        first_->DetachFromOwner();
}

void RowTreeNode::LinkBefore(RowTreeNode* child, RowTreeNode* before)
{
    if (!child || child->linkedTo_)
        return;
    child->linkedTo_ = this;
    child->next_ = before;
    child->prev_ = before ? before->prev_ : last_;
    if (child->prev_)
        child->prev_->next_ = child;
    else
        first_ = child;
    if (before)
        before->prev_ = child;
    else
        last_ = child;
}

void RowTreeNode::Unlink(RowTreeNode* child)
{
    if (!child || child->linkedTo_ != this)
        return;
    if (child->prev_)
        child->prev_->next_ = child->next_;
    else
        first_ = child->next_;
    if (child->next_)
        child->next_->prev_ = child->prev_;
    else
        last_ = child->prev_;
    child->prev_ = child->next_ = nullptr;
    child->linkedTo_ = nullptr;
    OnChildUnlinked(child);
}

void RowTreeNode::ReorderChildren(RowTreeNode* const* order, size_t count)
{
    RowTreeNode* previous = nullptr;
    for (size_t i = 0; i < count; ++i) {
        RowTreeNode* child = order[i];
        child->prev_ = previous;
        child->next_ = nullptr;
        if (previous)
            previous->next_ = child;
        else
            first_ = child;
        previous = child;
    }
    if (count)
        last_ = previous;
}

void RowTreeNode::DetachFromOwner()
{
    if (linkedTo_)
        linkedTo_->Unlink(this);
}

void RowTreeNode::AppendWithIndex(RowTreeNode* child, ULONG index)
{
    if (!child)
        return;
    child->SetPositionIndex(index);
    LinkBefore(child, nullptr);
}

ULONG RowTreeNode::ChildCount() const
{
    ULONG count = 0;
    for (RowTreeNode* child = first_; child; child = child->next_)
        ++count;
    return count;
}

void RowTreeNode::Reset()
{
    for (RowTreeNode* child = first_; child; child = child->next_)
        child->Reset();
    flags_ &= ~(kApproxCountValid | kVisibleCountValid);
}

void RowTreeNode::RowsInNeighbourBands(bool* next, bool* previous)
{
    if (next)
        *next = false;
    if (previous)
        *previous = false;
}

void RowTreeNode::InsertChild(RowData* row)
{
    if (!row || row->IsLinked())
        return;
    ++loadedCount_;
    ChildChanged();
    // The indices increase along the list, and rows mostly come in order:
    // the place is sought from the end, so that a walk that keeps every row
    // it reaches does not pass all the earlier ones again for each.
    const ULONG index = row->GetPositionIndex();
    RowTreeNode* after = last_;
    while (after && after->GetPositionIndex() > index)
        after = after->prev_;
    LinkBefore(row, after ? after->next_ : first_);
    row->MarkAttached(true);
    // Keep the indices strictly increasing.
    if (RowTreeNode* prev = row->prev_) {
        ULONG running = prev->GetPositionIndex() + 1;
        if (running > index)
            row->SetPositionIndex(running);
        for (RowTreeNode* node = row->next_; node; node = node->next_) {
            running = node->prev_->positionIndex_ + 1;
            if (node->GetPositionIndex() >= running)
                break;
            node->SetPositionIndex(running);
        }
    }
}

void RowTreeNode::RemoveChild(RowData* row)
{
    if (!row || !row->IsLinked() || row->Owner() != this)
        return;
    if (loadedCount_)
        --loadedCount_;
    Unlink(row);
    ChildChanged();
}

void RowTreeNode::ChildChanged()
{
    for (RowTreeNode* node = this; node; node = node->owner_)
        node->flags_ &= ~(kApproxCountValid | kVisibleCountValid);
}

ULONG RowTreeNode::GetPositionIndex()
{
    if (!(flags_ & kPositionValid)) {
        positionIndex_ = ComputePositionIndex();
        flags_ |= kPositionValid;
    }
    return positionIndex_;
}

void RowTreeNode::SetPositionIndex(ULONG index)
{
    positionIndex_ = index;
    flags_ |= kPositionValid;
}

ULONG RowTreeNode::GetApproximateCount(bool includeHidden)
{
    if (!(flags_ & kApproxCountValid)) {
        approxCount_ = ComputeApproximateCount();
        if (approxCount_ < loadedCount_)
            approxCount_ = loadedCount_;
        flags_ |= kApproxCountValid;
    }
    if (includeHidden)
        return approxCount_;
    return approxCount_ > hiddenCount_ ? approxCount_ - hiddenCount_ : 0;
}

ULONG RowTreeNode::VisibleCount()
{
    if (flags_ & kVisibleCountValid)
        return visibleCount_;
    ULONG count = IsRow() ? 1 : 0;
    if (!IsRow() || IsExpanded()) {
        const ULONG estimate = RowsPerParentEstimate();
        ULONG loadedShown = 0;
        for (RowTreeNode* child = first_; child; child = child->next_) {
            if (child->IsHidden())
                continue;
            if (child->IsRow())
                ++loadedShown;
            count += child->VisibleCount();
        }
        if (!IsRow()) {
            // Rows counted but not read are estimated with their children.
            const ULONG approx = GetApproximateCount(false);
            if (approx > loadedShown)
                count += (approx - loadedShown) * (estimate + 1);
        }
    }
    visibleCount_ = count;
    flags_ |= kVisibleCountValid;
    return count;
}

ULONG RowTreeNode::VisibleIndex()
{
    RowTreeNode* owner = linkedTo_ ? linkedTo_ : owner_;
    if (!owner)
        return 0;
    ULONG index = owner->VisibleIndex() + (owner->IsRow() ? 1 : 0);
    if (!IsRow()) {
        for (RowTreeNode* list = prev_; list; list = list->prev_) {
            if (!list->IsHidden())
                index += list->VisibleCount();
        }
        return index;
    }
    // Rows not read between the loaded ones count with their estimated
    // children.
    const ULONG step = owner->RowsPerParentEstimate() + 1;
    ULONG expected = 0;
    for (RowTreeNode* sibling = owner->first_; sibling && sibling != this; sibling = sibling->next_) {
        const ULONG position = sibling->GetPositionIndex();
        if (position > expected)
            index += (position - expected) * step;
        if (!sibling->IsHidden())
            index += sibling->VisibleCount();
        expected = position + 1;
    }
    const ULONG position = GetPositionIndex();
    if (linkedTo_ && position > expected)
        index += (position - expected) * step;
    return index;
}
