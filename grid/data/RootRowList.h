// RootRowList: the rows of the top band, with no parent row; kept by the
// row model of the root binding.
#pragma once

#include "RowList.h"

class RootRowList : public RowList {
public:
    explicit RootRowList(RowsetBinding* binding) : RowList(nullptr), binding_(binding) {}
    ~RootRowList() override = default;

    RowsetBinding* GetNodeBinding() const override { return binding_; }
    RowData* GetNodeRow() const override { return nullptr; }
    HRESULT GetListChapter(ChapterHandle& chapter) override;
    ULONG ComputeApproximateCount() override;

private:
    RowsetBinding* binding_; // not referenced
};
