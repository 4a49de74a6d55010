// RowData: making and sharing rows, values, list membership, the row's
// child lists and the row operations (update, undo, delete, comparisons).
#include "RowData.h"

#include "HvRow.h"

#include "ChildRowList.h"
#include "ColumnInfo.h"
#include "RootRowList.h"
#include "RowBatch.h"
#include "RowRecordStore.h"
#include "RowsetBinding.h"

#include <oledberr.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace {

RowTreeNode* TopLevelOwner(RowsetBinding* binding)
{
    RowRecordStore* store = binding && binding->IsRoot() ? RowRecordStore::Of(binding) : nullptr;
    return store ? store->TopLevelList() : nullptr;
}

} // namespace

RowData::RowData(RowsetBinding* binding, HROW row, const ChapterHandle& chapter, RowData* parent, bool borrowed)
    : RowTreeNode(nullptr), binding_(binding), bookmark_(row, binding, chapter, 0, nullptr, borrowed),
      parent_(parent), chapter_(chapter)
{
    if (parent_)
        parent_->AddRef();
    if (RowRecordStore* store = RowRecordStore::Of(binding))
        expanded_ = store->RowsStartExpanded();
    owner_ = parent_ ? static_cast<RowTreeNode*>(parent_->GetChildRows(binding, true)) : TopLevelOwner(binding);
}

RowData::~RowData()
{
    if (RowRecordStore* store = RowRecordStore::Of(binding_))
        store->Unregister(*this);
    rowObject_ = nullptr;
    if (linkedTo_)
        linkedTo_->RemoveChild(this);
    DetachFromOwner();
    // The row owns its child lists.
    while (RowTreeNode* list = first_) {
        Unlink(list);
        delete static_cast<ChildRowList*>(list);
    }
    if (parent_)
        parent_->Release();
}

HRESULT RowData::Create(RowsetBinding* binding, HROW row, const ChapterHandle& chapter, RowData* parent,
                        bool borrowed, bool share, bool existingOnly, RowData** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    RowData* made = new (std::nothrow) RowData(binding, row, chapter, parent, borrowed);
    if (!made) {
        if (binding && row && !borrowed)
            binding->ReleaseRowHandles(1, &row);
        return E_OUTOFMEMORY;
    }
    if (share) {
        RowData* found = nullptr;
        RowRecordStore* store = RowRecordStore::Of(binding);
        if (!parent) {
            found = store ? store->Find(*made) : nullptr;
        } else if (ChildRowList* list = parent->GetChildRows(binding, false)) {
            for (RowTreeNode* node = list->FirstChild(); node && !found; node = node->NextSibling()) {
                auto* candidate = static_cast<RowData*>(node);
                if (candidate->IsSameRow(*made))
                    found = candidate;
            }
        }
        if (found) {
            made->Release();
            found->AddRef();
            *out = found;
            return S_OK;
        }
        if (existingOnly) {
            made->Release();
            return E_OUTOFMEMORY;
        }
        if (store && !parent)
            store->Register(*made);
    }
    *out = made;
    return S_OK;
}

ULONG RowData::AddRef()
{
    return ++refs_;
}

ULONG RowData::Release()
{
    const ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT RowData::GetBookmarkValue(VARTYPE type, VARIANT* out)
{
    if (!out)
        return E_INVALIDARG;
    return bookmark_.GetAsVariant(out, type == VT_ERROR ? static_cast<VARTYPE>(VT_R8) : type);
}

HROW RowData::GetRowHandle()
{
    return bookmark_.GetRowHandle(true);
}

HRESULT RowData::GetValue(DBORDINAL ordinal, VARIANT* value)
{
    if (!binding_)
        return E_FAIL;
    return binding_->GetValue(GetRowHandle(), ordinal, value);
}

HRESULT RowData::GetOriginalValue(DBORDINAL ordinal, VARIANT* value)
{
    if (!binding_)
        return E_FAIL;
    return binding_->GetOriginalValue(GetRowHandle(), ordinal, value);
}

HRESULT RowData::SetValue(DBORDINAL ordinal, const VARIANT& value)
{
    if (!binding_)
        return E_FAIL;
    return binding_->SetValue(GetRowHandle(), ordinal, value);
}

HRESULT RowData::ReadChapter(DBORDINAL ordinal, ChapterHandle& chapter)
{
    if (!binding_)
        return E_FAIL;
    return binding_->ReadChapter(GetRowHandle(), ordinal, chapter);
}

ChildRowList* RowData::GetChildRows(RowsetBinding* childBinding, bool create)
{
    if (!childBinding || !binding_)
        return nullptr;
    for (RowTreeNode* node = first_; node; node = node->NextSibling()) {
        if (node->GetNodeBinding() == childBinding)
            return static_cast<ChildRowList*>(node);
    }
    if (!create)
        return nullptr;
    const long ordinal = binding_->FindChapterColumnOf(childBinding);
    auto* list = new (std::nothrow) ChildRowList(this, childBinding);
    if (!list)
        return nullptr;
    // The lists stay in the order of their chapter columns.
    RowTreeNode* before = first_;
    while (before && static_cast<ChildRowList*>(before)->ChapterColumn() < ordinal)
        before = before->NextSibling();
    LinkBefore(list, before);
    ULONG index = 0;
    for (RowTreeNode* node = first_; node; node = node->NextSibling())
        node->SetPositionIndex(index++);
    return list;
}

RowData* RowData::GetNthRow(ULONG n)
{
    if (n == 0) {
        AddRef();
        return this;
    }
    ULONG remaining = n - 1;
    for (RowTreeNode* list = first_; list; list = list->NextSibling()) {
        if (list->IsHidden())
            continue;
        const ULONG count = list->VisibleCount();
        if (remaining < count)
            return list->GetNthRow(remaining);
        remaining -= count;
    }
    return nullptr;
}

void RowData::SetExpanded(bool flag)
{
    if (expanded_ == flag)
        return;
    expanded_ = flag;
    if (binding_ && binding_->IsTracking())
        InvalidateUpTree();
}

void RowData::SetHidden(bool flag)
{
    if (hidden_ == flag)
        return;
    hidden_ = flag;
    RowTreeNode* list = owner_;
    if (list) {
        if (flag) {
            ++list->hiddenCount_;
        } else if (list->hiddenCount_) {
            --list->hiddenCount_;
        }
    }
    InvalidateUpTree();
    if (parent_)
        parent_->ClearHasChildRows();
}

void RowData::InvalidateUpTree()
{
    flags_ &= ~(kApproxCountValid | kVisibleCountValid);
    if (owner_)
        owner_->ChildChanged();
}

void RowData::AttachRowObject(HvRow* row)
{
    if (row && rowObject_ && row != rowObject_)
        return;
    rowObject_ = row;
    UpdateListMembership();
}

RowTreeNode* RowData::MembershipList()
{
    return owner_;
}

void RowData::UpdateListMembership()
{
    if (!binding_ || !binding_->IsTracking() || kept_)
        return;
    if (!binding_->IsAttached() && !binding_->IsDesignTime())
        return;
    RowTreeNode* list = MembershipList();
    if (!list)
        return;
    RowRecordStore* store = RowRecordStore::Of(binding_);
    const bool excluded = store && store->IsExcluded();
    if (rowObject_ && !hidden_ && !excluded && !beingDeleted_) {
        if (IsLinked())
            return;
        list->InsertChild(this);
        if (!binding_->IsDesignTime() && store && store->GetFetchRows() == RowRecordStore::kOnDemandKeep) {
            kept_ = true;
            AddRef();
        }
        LoadAll(false);
    } else if (IsLinked()) {
        list->RemoveChild(this);
    }
}

void RowData::MarkPreloaded(ULONG index)
{
    SetPositionIndex(index);
    attached_ = true;
    kept_ = true;
    preloaded_ = true;
}

void RowData::LetGo()
{
    if (!kept_)
        return;
    RowTreeNode* list = owner_;
    if (preloaded_ && list && IsLinked()) {
        auto* next = static_cast<RowData*>(NextSibling());
        auto* prev = static_cast<RowData*>(PrevSibling());
        if (next)
            next->SetHasPrevSibling(prev != nullptr);
        if (prev)
            prev->SetHasNextSibling(next != nullptr);
        if (list->loadedCount_)
            --list->loadedCount_;
        if (list->approxCount_)
            --list->approxCount_;
        if (hidden_ && list->hiddenCount_)
            --list->hiddenCount_;
        for (RowTreeNode* node = next; node; node = node->NextSibling()) {
            if (node->positionIndex_)
                --node->positionIndex_;
        }
        Reset();
        list->ChildChanged();
    }
    const bool wasPreloaded = preloaded_;
    if (wasPreloaded && IsLinked())
        list->Unlink(this);
    kept_ = false;
    preloaded_ = false;
    // A row kept on demand stays in its list only while it still belongs.
    if (!wasPreloaded && IsLinked())
        UpdateListMembership();
    attached_ = IsLinked();
    Release();
}

void RowData::OnChildUnlinked(RowTreeNode*) {}

void RowData::InsertChild(RowData* row)
{
    if (row && row->owner_ && row->owner_ != this)
        row->owner_->InsertChild(row);
}

void RowData::RemoveChild(RowData* row)
{
    if (row && row->owner_ && row->owner_ != this)
        row->owner_->RemoveChild(row);
}

void RowData::LoadAll(bool force)
{
    if (!force && IsCompletelyLoaded())
        return;
    if (!binding_)
        return;
    for (long ordinal = binding_->GetFirstChapterColumn(); ordinal >= 0;
         ordinal = binding_->FindNextChapterColumn(ordinal)) {
        ColumnInfo* column = binding_->GetColumn(static_cast<DBORDINAL>(ordinal));
        RowsetBinding* child = column ? column->GetChildBinding() : nullptr;
        RowRecordStore* store = RowRecordStore::Of(child);
        if (store && !store->IsExcluded())
            GetChildRows(child, true);
    }
    ULONG sum = 0;
    bool allLoaded = true;
    for (RowTreeNode* node = first_; node; node = node->NextSibling()) {
        auto* list = static_cast<ChildRowList*>(node);
        if (list->IsHidden())
            continue;
        list->SetPositionIndex(sum);
        RowRecordStore* store = RowRecordStore::Of(list->GetNodeBinding());
        if (force || binding_->IsDesignTime() ||
            (store && store->GetFetchRows() == RowRecordStore::kPreloadWithParent))
            list->LoadAll(false);
        sum += list->GetApproximateCount(true);
        allLoaded = allLoaded && list->IsCompletelyLoaded();
    }
    loadedCount_ = sum;
    approxCount_ = sum;
    flags_ |= kApproxCountValid;
    if (force || allLoaded)
        flags_ |= kCompletelyLoaded;
}

ULONG RowData::ComputeApproximateCount()
{
    ULONG sum = 0;
    for (RowTreeNode* node = first_; node; node = node->NextSibling()) {
        if (!node->IsHidden())
            sum += node->GetApproximateCount(true);
    }
    return sum;
}

ULONG RowData::ComputePositionIndex()
{
    if (!binding_)
        return positionIndex_;
    HCHAPTER chapter = chapter_.Value();
    ChapterHandle read;
    if (parent_) {
        const long ordinal = GetChapterColumnOrdinal();
        if (ordinal < 0 || FAILED(parent_->ReadChapter(static_cast<DBORDINAL>(ordinal), read)))
            return positionIndex_;
        chapter = read.Value();
    }
    DBCOUNTITEM position = 0;
    if (FAILED(binding_->GetApproximatePosition(chapter, &bookmark_, &position, nullptr)))
        return positionIndex_;
    return static_cast<ULONG>(position > 0 ? position - 1 : 0);
}

long RowData::GetChapterColumnOrdinal() const
{
    if (!parent_ || !parent_->binding_)
        return -1;
    return parent_->binding_->FindChapterColumnOf(binding_);
}

HRESULT RowData::Update()
{
    if (!binding_ || !binding_->HasUpdate())
        return S_OK;
    HRESULT hr = binding_->UpdateRow(chapter_.Value(), GetRowHandle());
    if (SUCCEEDED(hr) && registered_) {
        if (RowRecordStore* store = RowRecordStore::Of(binding_)) {
            store->Unregister(*this);
            store->Register(*this);
        }
    }
    return hr;
}

HRESULT RowData::Undo()
{
    if (!binding_)
        return DB_E_NOTSUPPORTED;
    return binding_->UndoRow(chapter_.Value(), GetRowHandle());
}

HRESULT RowData::Delete()
{
    if (!binding_)
        return DB_E_NOTSUPPORTED;
    return binding_->DeleteRow(chapter_.Value(), GetRowHandle());
}

bool RowData::IsSameRow(RowData& other)
{
    if (&other == this)
        return true;
    if (binding_ != other.binding_)
        return false;
    if (parent_ && other.parent_ && parent_ != other.parent_)
        return false;
    const HROW mine = bookmark_.GetRowHandle(false);
    const HROW theirs = other.bookmark_.GetRowHandle(false);
    if (mine && mine == theirs)
        return true;
    if (binding_ && mine && theirs) {
        const HRESULT hr = binding_->CompareRowIdentity(mine, theirs);
        if (hr == S_OK)
            return true;
        if (hr == S_FALSE)
            return false;
    }
    return bookmark_.IsSameRow(other.bookmark_);
}

// Bookmarks are opaque: the provider orders them; without a locator the
// rows' positions do.
DBCOMPARE RowData::CompareOrder(RowData& other)
{
    if (binding_ != other.binding_ || parent_ != other.parent_)
        return DBCOMPARE_NOTCOMPARABLE;
    if (IsSameRow(other))
        return DBCOMPARE_EQ;
    const DBCOMPARE byProvider = CompareByProvider(other);
    if (byProvider != DBCOMPARE_NOTCOMPARABLE)
        return byProvider;
    const DBCOMPARE byPosition = CompareByPosition(other);
    if (byPosition != DBCOMPARE_NOTCOMPARABLE)
        return byPosition;
    const ULONG mine = ComputePositionIndex();
    const ULONG theirs = other.ComputePositionIndex();
    if (mine == theirs)
        return DBCOMPARE_NOTCOMPARABLE;
    return mine < theirs ? DBCOMPARE_LT : DBCOMPARE_GT;
}

DBCOMPARE RowData::CompareByProvider(RowData& other)
{
    if (!binding_ || binding_ != other.binding_ || parent_ != other.parent_ || !binding_->HasLocate() ||
        binding_->HasLiteralBookmarks())
        return DBCOMPARE_NOTCOMPARABLE;
    const ULONG mine = bookmark_.GetBookmarkLength();
    const ULONG theirs = other.bookmark_.GetBookmarkLength();
    const BYTE* a = mine ? bookmark_.GetBookmarkBytes() : nullptr;
    const BYTE* b = theirs ? other.bookmark_.GetBookmarkBytes() : nullptr;
    DBCOMPARE result = DBCOMPARE_NOTCOMPARABLE;
    if (!a || !b || FAILED(binding_->CompareBookmarks(chapter_.Value(), mine, a, theirs, b, &result)) ||
        result == DBCOMPARE_NE)
        return DBCOMPARE_NOTCOMPARABLE;
    return result;
}

DBCOMPARE RowData::CompareByPosition(RowData& other)
{
    if (binding_ != other.binding_ || parent_ != other.parent_ || !binding_->HasScroll())
        return DBCOMPARE_NOTCOMPARABLE;
    DBCOUNTITEM mine = 0, theirs = 0;
    if (FAILED(binding_->GetApproximatePosition(chapter_.Value(), &bookmark_, &mine, nullptr)) ||
        FAILED(binding_->GetApproximatePosition(other.chapter_.Value(), &other.bookmark_, &theirs, nullptr)) ||
        mine == theirs)
        return DBCOMPARE_NOTCOMPARABLE;
    return mine < theirs ? DBCOMPARE_LT : DBCOMPARE_GT;
}

bool RowData::IsAtRowPosition()
{
    RowRecordStore* store = RowRecordStore::Of(binding_);
    if (!binding_ || !store)
        return false;
    HCHAPTER chapter = DB_NULL_HCHAPTER;
    std::unique_ptr<RowBookmark> current;
    DBPOSITIONFLAGS flags = DBPOSITION_NOROW;
    if (FAILED(binding_->GetRowPosition(&chapter, &current, &flags)) || !current)
        return false;
    RowData* row = store->FindOrMakeRow(*binding_, current->GetRowHandle(true), current->Chapter(), false);
    const bool same = row && IsSameRow(*row);
    if (row)
        row->Release();
    return same;
}

void RowData::ForgetSiblingAnswers()
{
    nextValid_ = prevValid_ = nextSpanValid_ = prevSpanValid_ = false;
    if (rowObject_)
        rowObject_->ResetCachedAnswers(true, true, false);
}

HRESULT RowData::GetFieldValue(LONG ordinal, VARIANT* out)
{
    return ordinal < 0 ? E_INVALIDARG : GetValue(static_cast<DBORDINAL>(ordinal), out);
}

HRESULT RowData::GetOriginalFieldValue(LONG ordinal, VARIANT* out)
{
    return ordinal < 0 ? E_INVALIDARG : GetOriginalValue(static_cast<DBORDINAL>(ordinal), out);
}

HRESULT RowData::SetFieldValue(LONG ordinal, const VARIANT& value)
{
    return ordinal < 0 ? E_INVALIDARG : SetValue(static_cast<DBORDINAL>(ordinal), value);
}
