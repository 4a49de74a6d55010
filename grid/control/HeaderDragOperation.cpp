// HeaderDragOperation: reference counting, the shared target search, the
// drop side and the new header order.
#include "HeaderDragOperation.h"

#include "HeaderDragHost.h"
#include "HvColumnGroupImpl.h"
#include "HvKeyedItem.h"

#include <algorithm>

HeaderDragOperation::HeaderDragOperation(HvBand* band, HeaderDragHost* host) : m_band(band), m_host(host) {}

ULONG HeaderDragOperation::AddRef()
{
    return ++m_refs;
}

ULONG HeaderDragOperation::Release()
{
    const ULONG refs = --m_refs;
    if (refs == 0)
        delete this;
    return refs;
}

HvSelectableItem* HeaderDragOperation::ObjectFromPoint(POINT point, RECT* rectangle)
{
    return m_host ? m_host->ObjectFromPoint(point, rectangle) : nullptr;
}

bool HeaderDragOperation::FindTargetInGroupArea(POINT, HeaderDragTarget*, RECT*)
{
    return false;
}

bool HeaderDragOperation::FindTarget(POINT point, HeaderDragTarget* target, RECT* rectangle)
{
    HvSelectableItem* object = ObjectFromPoint(point, rectangle);
    if (!object)
        return FindTargetInGroupArea(point, target, rectangle);
    if (!AcceptsObject(object))
        return false;
    target->object = object;
    const bool accepted = !m_items.empty() && std::all_of(m_items.begin(), m_items.end(), [&](auto* item) {
        return ItemCanDropAt(item, *target, point);
    });
    if (!accepted)
        target->object = nullptr;
    return accepted;
}

void HeaderDragOperation::DropSide(HeaderDragTarget* target, POINT point, const RECT& rectangle)
{
    const LONG middle = rectangle.left + (rectangle.right - rectangle.left) / 2;
    target->side = point.x >= middle ? 1 : 0;
}

std::vector<HvKeyedItem*> HeaderDragOperation::DraggedKeys() const
{
    std::vector<HvKeyedItem*> keys;
    keys.reserve(m_items.size());
    for (HvColumnGroupImpl* item : m_items)
        keys.push_back(dynamic_cast<HvKeyedItem*>(item));
    return keys;
}

LONG HeaderDragOperation::IndexOf(const std::vector<HvKeyedItem*>& order, HvKeyedItem* entry)
{
    const auto found = std::find(order.begin(), order.end(), entry);
    return found == order.end() ? -1 : static_cast<LONG>(found - order.begin());
}

bool HeaderDragOperation::Reorder(std::vector<HvKeyedItem*>& order, const std::vector<HvKeyedItem*>& dragged,
                                  HvKeyedItem* target, int side)
{
    std::vector<HvKeyedItem*> rest;
    rest.reserve(order.size());
    for (HvKeyedItem* entry : order) {
        if (std::find(dragged.begin(), dragged.end(), entry) == dragged.end())
            rest.push_back(entry);
    }
    LONG index = IndexOf(rest, target);
    if (index < 0)
        return false;
    if (side == 1)
        ++index;
    rest.insert(rest.begin() + index, dragged.begin(), dragged.end());
    order.swap(rest);
    return true;
}

bool HeaderDragOperation::MovesAny(const std::vector<HvKeyedItem*>& before, const std::vector<HvKeyedItem*>& after,
                                   const std::vector<HvKeyedItem*>& dragged)
{
    return std::any_of(dragged.begin(), dragged.end(),
                       [&](HvKeyedItem* entry) { return IndexOf(before, entry) != IndexOf(after, entry); });
}

bool HeaderDragOperation::MayMove()
{
    return m_host && (m_host->IsDesignMode() || m_host->CanFireEvents());
}
