// HvVectorCollection: insertion, removal and clearing on the vector.
#include "HvVectorCollection.h"

#include "HvKeyedItem.h"

#include <algorithm>
#include <new>

namespace {

// Below this many items a walk costs less than keeping the map.
constexpr size_t kMappedPositions = 64;

} // namespace

HRESULT HvVectorCollection::InsertItem(LONG index, HvKeyedItem* item, bool addRef, LONG arg)
{
    const LONG count = ItemCount();
    const LONG position = index < 0 ? count : index - FirstIndex();
    if (position < 0 || position > count)
        return RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
    try {
        items_.insert(items_.begin() + position, item);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    NoteInserted(item);
    if (position != count) {
        positionsCurrent_ = false;
    } else if (positionsCurrent_) {
        try {
            positions_.emplace(item, position);
        } catch (const std::bad_alloc&) {
            positionsCurrent_ = false;
        }
    }
    if (addRef)
        item->AddRefItem();
    OnItemAdded(item, FirstIndex() + position, arg);
    return S_OK;
}

HRESULT HvVectorCollection::AppendLoadedItem(HvKeyedItem* item)
{
    try {
        items_.push_back(item);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    StorageChanged();
    return S_OK;
}

HRESULT HvVectorCollection::RemoveCollectionItem(HvKeyedItem* item)
{
    const HRESULT veto = BeforeRemoveItem(item);
    if (veto == 1)
        return S_OK;
    if (veto != S_OK)
        return veto;
    auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end())
        return S_OK;
    items_.erase(found);
    positionsCurrent_ = false;
    NoteRemoved(item);
    OnItemRemoved(item, false, 0, false);
    item->ReleaseItem();
    return S_OK;
}

HRESULT HvVectorCollection::ClearCollection(bool force, LONG silent)
{
    if (ItemCount() < 1)
        return S_OK;
    if (IsReadOnly() && !force)
        return RaiseError(CollectionError::ReadOnly, CollectionError::ReadOnlyString);
    bool notifyEach = false;
    const HRESULT hr = BeforeClear(force, silent, &notifyEach);
    if (hr < 0)
        return hr;
    // The storage is emptied before any item is let go, so that a release
    // that reaches back into the collection finds no dangling entry.
    std::vector<HvKeyedItem*> taken;
    taken.swap(items_);
    StorageChanged();
    for (HvKeyedItem* item : taken) {
        if (!item)
            continue;
        if (notifyEach)
            OnItemRemoved(item, force, silent, true);
        item->ReleaseItem();
    }
    OnCleared(force, silent);
    return S_OK;
}

HvKeyedItem* HvVectorCollection::ItemAtPosition(LONG position) const
{
    if (position < 0 || position >= ItemCount())
        return nullptr;
    return items_[static_cast<size_t>(position)];
}

LONG HvVectorCollection::PositionOf(const HvKeyedItem* item) const
{
    if (items_.size() >= kMappedPositions) {
        try {
            if (!positionsCurrent_) {
                positions_.clear();
                for (size_t i = 0; i < items_.size(); ++i)
                    positions_.emplace(items_[i], static_cast<LONG>(i));
                positionsCurrent_ = true;
            }
            auto found = positions_.find(item);
            return found == positions_.end() ? -1 : found->second;
        } catch (const std::bad_alloc&) {
            positions_.clear();
            positionsCurrent_ = false;
        }
    }
    auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<LONG>(found - items_.begin());
}

void HvVectorCollection::EraseVectorRange(LONG first, LONG last)
{
    first = std::max<LONG>(first, 0);
    last = std::min<LONG>(last, ItemCount());
    if (first < last)
        items_.erase(items_.begin() + first, items_.begin() + last);
    StorageChanged();
}

void HvVectorCollection::FreeVectorBuffer()
{
    std::vector<HvKeyedItem*>().swap(items_);
    StorageChanged();
}
