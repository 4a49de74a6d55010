// HvListCollection: the linked storage family of collections (the column
// lists and view collections): a circular doubly linked list of nodes with a
// head node and an item count.
#pragma once

#include "HvCollectionImpl.h"

class HvListCollection : public HvCollectionImpl {
public:
    struct Node {
        Node* next;
        Node* previous;
        HvKeyedItem* item;
    };

    LONG ItemCount() const override { return count_; }
    HRESULT InsertItem(LONG index, HvKeyedItem* item, bool addRef, LONG arg) override;
    HRESULT RemoveCollectionItem(HvKeyedItem* item) override;
    HRESULT ClearCollection(bool force, LONG silent) override;
    HvKeyedItem* ItemAtPosition(LONG position) const override;
    std::vector<HvKeyedItem*> ItemsInOrder() const override;
    LONG PositionOf(const HvKeyedItem* item) const override;

    HRESULT InsertListCollectionItem(LONG index, HvKeyedItem* item, bool addRef, LONG arg)
    {
        return InsertItem(index, item, addRef, arg);
    }
    HRESULT ClearListCollection(bool force, LONG silent) { return ClearCollection(force, silent); }
    // Unlinks and frees the nodes [first, last) without releasing their items.
    void ErasePointerListRange(Node* first, Node* last);

    Node* Head() { return &head_; }
    const Node* First() const { return head_.next == &head_ ? nullptr : head_.next; }
    const Node* NextOf(const Node* node) const { return node->next == &head_ ? nullptr : node->next; }

protected:
    explicit HvListCollection(CAutomationObject& base);
    ~HvListCollection() override;

    HRESULT AppendLoadedItem(HvKeyedItem* item) override;

private:
    HRESULT LinkBefore(Node* before, HvKeyedItem* item);
    Node* NodeAt(LONG position) const;

    Node head_;
    LONG count_ = 0;
};
