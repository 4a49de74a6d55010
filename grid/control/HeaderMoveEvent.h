// HeaderMoveEvent: the collections of one header move's position events:
// the copies that carry the proposed positions to the Before event, and the
// real headers for the After event. The copies are deactivated and released
// when the move ends, also when the container kept a reference to them;
// HeaderMovingMarks marks the dragged headers while the Before event runs.
#pragma once

#include "HvColumnGroupImpl.h"
#include "HvKeyedItem.h"

#include <functional>
#include <vector>

template <class TItem, class TCollection>
class HeaderMoveEvent
{
public:
    // make: a new empty read-only collection with one reference, or null.
    explicit HeaderMoveEvent(std::function<TCollection*()> make) : m_make(std::move(make)), m_copies(m_make()) {}
    ~HeaderMoveEvent()
    {
        for (TItem* copy : m_items)
            copy->Deactivate();
        Drop(m_copies);
        Drop(m_sources);
        for (TItem* copy : m_items)
            copy->Release();
    }
    HeaderMoveEvent(const HeaderMoveEvent&) = delete;
    HeaderMoveEvent& operator=(const HeaderMoveEvent&) = delete;

    // Takes over the copy's reference; false when it could not be listed.
    bool AddCopy(TItem* copy)
    {
        m_items.push_back(copy);
        return m_copies && SUCCEEDED(m_copies->InsertItem(-1, static_cast<HvKeyedItem*>(copy), true, 0));
    }
    bool IsReady() const { return m_copies != nullptr; }
    TCollection* Copies() const { return m_copies; }
    // A collection of the real headers; the copies when it cannot be made.
    TCollection* Sources(const std::vector<HvColumnGroupImpl*>& items)
    {
        m_sources = m_make();
        for (HvColumnGroupImpl* item : items) {
            auto* keyed = dynamic_cast<HvKeyedItem*>(item);
            if (m_sources && (!keyed || FAILED(m_sources->InsertItem(-1, keyed, true, 0))))
                Drop(m_sources);
        }
        return m_sources ? m_sources : m_copies;
    }

private:
    static void Drop(TCollection*& collection)
    {
        if (!collection)
            return;
        collection->ClearCollection(true, 1);
        collection->Release();
        collection = nullptr;
    }

    std::function<TCollection*()> m_make;
    TCollection* m_copies;              // one reference
    TCollection* m_sources = nullptr;   // one reference
    std::vector<TItem*> m_items;        // one reference each
};

class HeaderMovingMarks
{
public:
    explicit HeaderMovingMarks(const std::vector<HvColumnGroupImpl*>& items) : m_items(items)
    {
        for (HvColumnGroupImpl* item : m_items)
            item->SetReadOnlyInEvent(true);
    }
    ~HeaderMovingMarks()
    {
        for (HvColumnGroupImpl* item : m_items)
            item->SetReadOnlyInEvent(false);
    }
    HeaderMovingMarks(const HeaderMovingMarks&) = delete;
    HeaderMovingMarks& operator=(const HeaderMovingMarks&) = delete;

private:
    const std::vector<HvColumnGroupImpl*>& m_items;
};
