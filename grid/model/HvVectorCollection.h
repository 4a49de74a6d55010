// HvVectorCollection: the contiguous storage family of collections. Position
// p holds the item whose index is FirstIndex() + p; owners in other parts of
// the grid iterate Items() directly.
#pragma once

#include "HvCollectionImpl.h"

#include <unordered_map>
#include <vector>

class HvVectorCollection : public HvCollectionImpl {
public:
    LONG ItemCount() const override { return static_cast<LONG>(items_.size()); }
    HRESULT InsertItem(LONG index, HvKeyedItem* item, bool addRef, LONG arg) override;
    HRESULT RemoveCollectionItem(HvKeyedItem* item) override;
    HRESULT ClearCollection(bool force, LONG silent) override;
    HvKeyedItem* ItemAtPosition(LONG position) const override;
    LONG PositionOf(const HvKeyedItem* item) const override;

    // The storage operations that owners call by their own names.
    HRESULT InsertVectorCollectionItem(LONG index, HvKeyedItem* item, bool addRef, LONG arg)
    {
        return InsertItem(index, item, addRef, arg);
    }
    HRESULT RemoveVectorCollectionItem(HvKeyedItem* item) { return RemoveCollectionItem(item); }
    // Erases entries [first, last) without releasing their items.
    void EraseVectorRange(LONG first, LONG last);
    void FreeVectorBuffer();

    const std::vector<HvKeyedItem*>& Items() const { return items_; }

protected:
    explicit HvVectorCollection(CAutomationObject& base) : HvCollectionImpl(base) {}
    ~HvVectorCollection() override = default;

    HRESULT AppendLoadedItem(HvKeyedItem* item) override;
    // Slot storage (cells): entries may be null.
    std::vector<HvKeyedItem*>& MutableItems()
    {
        StorageChanged();
        return items_;
    }

private:
    // Any change but one item appended or inserted.
    void StorageChanged()
    {
        NoteStorageChanged();
        positionsCurrent_ = false;
    }

    std::vector<HvKeyedItem*> items_;
    // The first position of each item, made by the first look-up in a large
    // collection and kept while items are only appended: finding a column's
    // place in a wide band does not walk the band.
    mutable std::unordered_map<const HvKeyedItem*, LONG> positions_;
    mutable bool positionsCurrent_ = false;
};
