// HvListCollection: insertion, removal and clearing on the linked list.
#include "HvListCollection.h"

#include "HvKeyedItem.h"

#include <new>

HvListCollection::HvListCollection(CAutomationObject& base) : HvCollectionImpl(base)
{
    head_.next = head_.previous = &head_;
    head_.item = nullptr;
}

HvListCollection::~HvListCollection()
{
    ErasePointerListRange(head_.next, &head_);
}

HRESULT HvListCollection::LinkBefore(Node* before, HvKeyedItem* item)
{
    Node* node = new (std::nothrow) Node{before, before->previous, item};
    if (!node)
        return E_OUTOFMEMORY;
    before->previous->next = node;
    before->previous = node;
    ++count_;
    return S_OK;
}

HvListCollection::Node* HvListCollection::NodeAt(LONG position) const
{
    if (position < 0 || position >= count_)
        return nullptr;
    Node* node = head_.next;
    while (position-- > 0)
        node = node->next;
    return node;
}

HRESULT HvListCollection::InsertItem(LONG index, HvKeyedItem* item, bool addRef, LONG arg)
{
    const LONG position = index < 0 ? count_ : index - FirstIndex();
    if (position < 0 || position > count_)
        return RaiseError(CollectionError::BadIndex, CollectionError::BadIndexString);
    Node* before = position == count_ ? &head_ : NodeAt(position);
    HRESULT hr = LinkBefore(before, item);
    if (FAILED(hr))
        return hr;
    if (addRef)
        item->AddRefItem();
    OnItemAdded(item, FirstIndex() + position, arg);
    return S_OK;
}

HRESULT HvListCollection::AppendLoadedItem(HvKeyedItem* item)
{
    return LinkBefore(&head_, item);
}

HRESULT HvListCollection::RemoveCollectionItem(HvKeyedItem* item)
{
    const HRESULT veto = BeforeRemoveItem(item);
    if (veto == 1)
        return S_OK;
    if (veto != S_OK)
        return veto;
    for (Node* node = head_.next; node != &head_; node = node->next) {
        if (node->item != item)
            continue;
        ErasePointerListRange(node, node->next);
        OnItemRemoved(item, false, 0, false);
        item->ReleaseItem();
        break;
    }
    return S_OK;
}

HRESULT HvListCollection::ClearCollection(bool force, LONG silent)
{
    if (count_ < 1)
        return S_OK;
    if (IsReadOnly() && !force)
        return RaiseError(CollectionError::ReadOnly, CollectionError::ReadOnlyString);
    bool notifyEach = false;
    const HRESULT hr = BeforeClear(force, silent, &notifyEach);
    if (hr < 0)
        return hr;
    // Detach the whole chain first: the list is empty before any release.
    Node* node = head_.next;
    head_.previous->next = nullptr;
    head_.next = head_.previous = &head_;
    count_ = 0;
    while (node) {
        Node* next = node->next;
        HvKeyedItem* item = node->item;
        delete node;
        if (item) {
            if (notifyEach)
                OnItemRemoved(item, force, silent, true);
            item->ReleaseItem();
        }
        node = next;
    }
    OnCleared(force, silent);
    return S_OK;
}

HvKeyedItem* HvListCollection::ItemAtPosition(LONG position) const
{
    Node* node = NodeAt(position);
    return node ? node->item : nullptr;
}

LONG HvListCollection::PositionOf(const HvKeyedItem* item) const
{
    LONG position = 0;
    for (const Node* node = head_.next; node != &head_; node = node->next, ++position)
        if (node->item == item)
            return position;
    return -1;
}

void HvListCollection::ErasePointerListRange(Node* first, Node* last)
{
    while (first != last && first != &head_) {
        Node* next = first->next;
        first->previous->next = next;
        next->previous = first->previous;
        delete first;
        --count_;
        first = next;
    }
}

std::vector<HvKeyedItem*> HvListCollection::ItemsInOrder() const
{
    std::vector<HvKeyedItem*> items;
    items.reserve(static_cast<size_t>(count_));
    for (const Node* node = First(); node; node = NextOf(node))
        items.push_back(node->item);
    return items;
}
