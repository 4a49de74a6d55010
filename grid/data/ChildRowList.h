// ChildRowList: the rows of one child band under one parent row; the parent
// row owns it and it finds its chapter through the parent's chapter column.
#pragma once

#include "RowList.h"

class ChildRowList : public RowList {
public:
    ChildRowList(RowData* parent, RowsetBinding* childBinding);
    ~ChildRowList() override;

    RowsetBinding* GetNodeBinding() const override { return binding_; }
    RowData* GetNodeRow() const override { return parent_; }
    bool IsExpanded() const override;
    bool IsHidden() const override;
    HRESULT GetListChapter(ChapterHandle& chapter) override;
    // The ordinal of the parent binding's chapter column leading here.
    long ChapterColumn() const;
    void Reset() override;
    void RowsInNeighbourBands(bool* next, bool* previous) override;
    ULONG ComputePositionIndex() override;
    ULONG ComputeApproximateCount() override;

private:
    RowData* parent_;        // the owner, not referenced
    RowsetBinding* binding_; // not referenced
};
