// HvVectorCollection: insertion, removal and clearing on the vector.
#include "HvVectorCollection.h"

#include "HvKeyedItem.h"

#include <algorithm>
#include <new>

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
    NoteStorageChanged();
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
    NoteStorageChanged();
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
    auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<LONG>(found - items_.begin());
}

void HvVectorCollection::EraseVectorRange(LONG first, LONG last)
{
    first = std::max<LONG>(first, 0);
    last = std::min<LONG>(last, ItemCount());
    if (first < last)
        items_.erase(items_.begin() + first, items_.begin() + last);
    NoteStorageChanged();
}

void HvVectorCollection::FreeVectorBuffer()
{
    std::vector<HvKeyedItem*>().swap(items_);
    NoteStorageChanged();
}
