// RowRecordStore: the row map of a binding, its count estimates and the
// records the binding's notifications ask for.
#include "RowRecordStore.h"

#include "ChapterHandle.h"
#include "ColumnInfo.h"
#include "HvRow.h"
#include "RootRowList.h"
#include "RowData.h"
#include "RowsetBinding.h"

#include <cstring>
#include <vector>

RowRecordStore::RowRecordStore(RowsetBinding& binding) : binding_(binding)
{
    if (binding.IsRoot())
        topLevel_ = std::make_unique<RootRowList>(&binding);
    binding.SetRowRecords(this);
}

RowRecordStore::~RowRecordStore()
{
    if (topLevel_)
        topLevel_->ReleaseAll();
    topLevel_.reset();
    for (auto& entry : map_)
        entry.second->SetRegistered(false);
    map_.clear();
    if (binding_.GetRowRecords() == this)
        binding_.SetRowRecords(nullptr);
}

RowRecordStore* RowRecordStore::Of(const RowsetBinding* binding)
{
    return binding ? dynamic_cast<RowRecordStore*>(binding->GetRowRecords()) : nullptr;
}

bool RowRecordStore::Preloads() const
{
    // Rows in a sorted order can only be handed out once all are read, so a
    // band with sort keys reads its lists whole whatever its fetch mode.
    return binding_.IsDesignTime() || fetchRows_ == kPreloadWithSiblings || fetchRows_ == kPreloadWithParent ||
           !binding_.GetSortKeys().IsEmpty();
}

void RowRecordStore::SetExcluded(bool flag)
{
    if (excluded_ == flag)
        return;
    excluded_ = flag;
    std::vector<RowData*> rows;
    for (auto& entry : map_) {
        entry.second->AddRef();
        rows.push_back(entry.second);
    }
    for (RowData* row : rows) {
        row->UpdateListMembership();
        row->ChildChanged();
        row->Release();
    }
}

ULONG RowRecordStore::KeyOf(RowData& row)
{
    if (row.Bookmark().IsBorrowed())
        return static_cast<ULONG>(row.GetRowHandle());
    const ULONG length = row.Bookmark().GetBookmarkLength();
    const BYTE* bytes = length ? row.Bookmark().GetBookmarkBytes() : nullptr;
    if (!bytes)
        return 0;
    DBHASHVALUE hash = 0;
    if (SUCCEEDED(binding_.HashBookmark(row.Chapter().Value(), length, bytes, &hash)))
        return static_cast<ULONG>(hash);
    ULONG key = 0;
    std::memcpy(&key, bytes, length < sizeof key ? length : sizeof key);
    return key;
}

RowData* RowRecordStore::Find(RowData& row)
{
    auto range = map_.equal_range(KeyOf(row));
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second != &row && it->second->IsSameRow(row))
            return it->second;
    }
    return nullptr;
}

void RowRecordStore::Register(RowData& row)
{
    if (row.IsRegistered())
        return;
    map_.emplace(KeyOf(row), &row);
    row.SetRegistered(true);
}

void RowRecordStore::Unregister(RowData& row)
{
    if (!row.IsRegistered())
        return;
    for (auto it = map_.begin(); it != map_.end(); ++it) {
        if (it->second == &row) {
            map_.erase(it);
            break;
        }
    }
    row.SetRegistered(false);
}

namespace {

// The list and every list under its rows, each reordered when its
// binding's keys changed since it was last sorted (or given back the
// rowset's order when they went).
void SortTree(RowTreeNode* list)
{
    static_cast<RowList*>(list)->DropSortOrder();
    list->SortChildren(false);
    for (RowTreeNode* row = list->FirstChild(); row; row = row->NextSibling())
        for (RowTreeNode* child = row->FirstChild(); child; child = child->NextSibling())
            SortTree(child);
}

} // namespace

void RowRecordStore::SortLists()
{
    RowRecordStore* root = Of(binding_.GetRootBinding());
    RootRowList* top = root ? root->TopLevelList() : nullptr;
    if (!top)
        return;
    // A preloading list not read yet is read now, and so sorted.
    if (!top->IsCompletelyLoaded())
        top->LoadAll(false);
    SortTree(top);
}

void RowRecordStore::ClearEstimates()
{
    approxCount_ = 0;
    perParent_ = 0;
}

ULONG RowRecordStore::ApproximateRowCount()
{
    if (approxCount_)
        return approxCount_;
    RowsetBinding* parent = binding_.GetParent();
    RowRecordStore* parentStore = Of(parent);
    ULONG count = 0;
    if (binding_.IsDesignTime()) {
        count = parent ? 2 * (parentStore ? parentStore->ApproximateRowCount() : 2) : 2;
    } else {
        HCHAPTER chapter = DB_NULL_HCHAPTER;
        if (binding_.IsRoot())
            binding_.GetRowPositionChapter(&chapter);
        DBCOUNTITEM rows = 0;
        if (SUCCEEDED(binding_.GetApproximatePosition(chapter, nullptr, nullptr, &rows))) {
            count = static_cast<ULONG>(rows);
            RowsetBinding* root = binding_.GetRootBinding();
            HCHAPTER rootChapter = DB_NULL_HCHAPTER;
            if (parent && root && SUCCEEDED(root->GetRowPositionChapter(&rootChapter)) &&
                rootChapter != DB_NULL_HCHAPTER) {
                DBCOUNTITEM inChapter = 0, all = 0;
                if (SUCCEEDED(root->GetApproximatePosition(rootChapter, nullptr, nullptr, &inChapter)) &&
                    SUCCEEDED(root->GetApproximatePosition(DB_NULL_HCHAPTER, nullptr, nullptr, &all)) && all)
                    count = static_cast<ULONG>(static_cast<ULONGLONG>(count) * inChapter / all);
            }
        } else if (!parent) {
            count = 200;
        } else {
            const ULONG parentCount = parentStore ? parentStore->ApproximateRowCount() : 200;
            count = parentCount < 1000000 ? parentCount * 10 : parentCount;
        }
    }
    approxCount_ = count;
    return count;
}

ULONG RowRecordStore::RowsPerParent()
{
    if (perParent_ || !startExpanded_)
        return perParent_;
    ULONG d = ApproximateRowCount();
    if (d < 1)
        d = 1;
    ULONG total = 0;
    bool anyChild = false;
    for (long ordinal = binding_.GetFirstChapterColumn(); ordinal >= 0;
         ordinal = binding_.FindNextChapterColumn(ordinal)) {
        ColumnInfo* column = binding_.GetColumn(static_cast<DBORDINAL>(ordinal));
        RowRecordStore* child = Of(column ? column->GetChildBinding() : nullptr);
        if (!child || child->IsExcluded())
            continue;
        anyChild = true;
        if (binding_.IsDesignTime()) {
            total += 2;
            continue;
        }
        const ULONG e = child->RowsPerParent();
        const ULONG c = child->ApproximateRowCount();
        if (e)
            total += (e + 1) * (c / d > 1 ? c / d : 1);
        else
            total += c / d;
    }
    perParent_ = anyChild ? total : 0;
    return perParent_;
}

RowData* RowRecordStore::FindOrMakeRow(RowsetBinding& binding, HROW row, const ChapterHandle& chapter,
                                       bool existingOnly)
{
    if (row == DB_NULL_HROW)
        return nullptr;
    // The record takes a reference of its own on the handle.
    if (FAILED(binding.AddRefRowHandles(1, &row)))
        return nullptr;
    RowData* record = nullptr;
    if (FAILED(RowData::Create(&binding, row, chapter, nullptr, false, true, existingOnly, &record)))
        return nullptr;
    return record;
}

void RowRecordStore::ReleaseRow(RowData* row)
{
    if (row)
        row->Release();
}

void RowRecordStore::MarkBeingDeleted(RowData* row, bool mark)
{
    if (!row)
        return;
    row->SetBeingDeleted(mark);
    row->UpdateListMembership();
}

void RowRecordStore::SettleDeleted(RowData* row)
{
    if (!row)
        return;
    // The row object of a deleted record tells its subscribers and ends.
    if (HvRow* object = row->GetRowObject())
        object->OnRowDataGone(true);
    row->LetGo();
    Unregister(*row);
}

void RowRecordStore::ClearRowMap(RowsetBinding&)
{
    std::vector<RowData*> rows;
    for (auto& entry : map_) {
        entry.second->AddRef();
        rows.push_back(entry.second);
    }
    for (RowData* row : rows) {
        row->LetGo();
        Unregister(*row);
        row->Release();
    }
    ClearEstimates();
}

void RowRecordStore::ForgetSiblingAnswers()
{
    for (auto& entry : map_)
        entry.second->ForgetSiblingAnswers();
}
