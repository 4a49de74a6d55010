// RowRecordStore: the row model's side of one rowset binding: the row map of
// the shared rows without parent row, the resolved fetch mode and the band's
// settings, the count estimates, and for the root binding the top-level row
// list. Installed on its binding as the binding's row-record seam.
#pragma once

#include "RowRecordSeam.h"

#include <windows.h>
#include <oledb.h>

#include <map>
#include <memory>

class RootRowList;
class RowData;
class RowsetBinding;

class RowRecordStore : public RowRecordSeam {
public:
    // Values of Constants_FetchRows.
    enum FetchRows : LONG {
        kFetchDefault = 0,
        kOnDemandKeep = 1,
        kOnDemandDiscard = 2,
        kPreloadWithSiblings = 3,
        kPreloadWithParent = 4,
    };

    explicit RowRecordStore(RowsetBinding& binding);
    virtual ~RowRecordStore();
    RowRecordStore(const RowRecordStore&) = delete;
    RowRecordStore& operator=(const RowRecordStore&) = delete;

    // The store installed on a binding, or null.
    static RowRecordStore* Of(const RowsetBinding* binding);

    RowsetBinding& Binding() const { return binding_; }
    LONG GetFetchRows() const { return fetchRows_; }
    void SetFetchRows(LONG mode) { fetchRows_ = mode == kFetchDefault ? kOnDemandKeep : mode; }
    bool Preloads() const;
    bool RowsStartExpanded() const { return startExpanded_; }
    void SetRowsStartExpanded(bool flag) { startExpanded_ = flag; }
    bool IsExcluded() const { return excluded_; }
    // Brings every mapped row's list membership up to date.
    void SetExcluded(bool flag);
    // The top-level list (root binding only; null otherwise).
    RootRowList* TopLevelList() const { return topLevel_.get(); }

    // The row map.
    ULONG KeyOf(RowData& row);
    RowData* Find(RowData& row); // no reference added
    void Register(RowData& row);
    void Unregister(RowData& row);
    size_t MappedRowCount() const { return map_.size(); }
    // Every list holding rows of the binding follows its sort keys.
    void SortLists();

    // Count estimates (cached until ClearEstimates).
    ULONG ApproximateRowCount();
    ULONG RowsPerParent();
    void ClearEstimates();

    // RowRecordSeam
    RowData* FindOrMakeRow(RowsetBinding& binding, HROW row, const ChapterHandle& chapter,
                           bool existingOnly) override;
    void ReleaseRow(RowData* row) override;
    void MarkBeingDeleted(RowData* row, bool mark) override;
    void SettleDeleted(RowData* row) override;
    void ClearRowMap(RowsetBinding& binding) override;
    // Rows came in: every mapped row asks its provider again whether it has
    // neighbours.
    void ForgetSiblingAnswers() override;

private:
    RowsetBinding& binding_;
    LONG fetchRows_ = kOnDemandKeep;
    bool startExpanded_ = false;
    bool excluded_ = false;
    ULONG approxCount_ = 0;
    ULONG perParent_ = 0;
    std::multimap<ULONG, RowData*> map_; // no references
    std::unique_ptr<RootRowList> topLevel_;
};
