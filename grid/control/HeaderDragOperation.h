// HeaderDragOperation: the reference-counted base of a header drag: which
// headers are dragged, what lies under a point, whether the dragged headers
// may drop there and on which side of the target they would land. The
// column and group moves derive from it; the drag tracker holds one while
// it follows the mouse and until the next drag replaces it.
#pragma once

#include "HeaderDragTarget.h"

#include <windows.h>

#include <vector>

class HeaderDragHost;
class HvBand;
class HvColumnGroupImpl;
class HvKeyedItem;

class HeaderDragOperation
{
public:
    HeaderDragOperation(const HeaderDragOperation&) = delete;
    HeaderDragOperation& operator=(const HeaderDragOperation&) = delete;

    virtual ULONG AddRef();
    virtual ULONG Release();
    // Collects the dragged items from the header under the mouse; false:
    // no drag may start.
    virtual bool Begin(HvColumnGroupImpl* itemUnderMouse) = 0;
    // What lies under the point and whether every dragged item may drop
    // there; rectangle gets the target's rectangle (grid window pixels).
    virtual bool FindTarget(POINT point, HeaderDragTarget* target, RECT* rectangle);
    // The search when no header object lies under the point.
    virtual bool FindTargetInGroupArea(POINT point, HeaderDragTarget* target, RECT* rectangle);
    // Whether a drop there would change the arrangement (the target's side
    // is settled first).
    virtual bool CanDrop(POINT point, HeaderDragTarget* target, RECT* rectangle) = 0;
    // Carries out the move with its events; false when it did not happen.
    virtual bool PerformMove(POINT point, HeaderDragTarget* target, RECT* rectangle) = 0;
    virtual void CollectItems(HvColumnGroupImpl* itemUnderMouse) = 0;
    virtual void DropSide(HeaderDragTarget* target, POINT point, const RECT& rectangle);
    virtual bool HasSeveralItems() const { return m_items.size() > 1; }
    virtual HvColumnGroupImpl* FirstItem() const { return m_items.empty() ? nullptr : m_items.front(); }
    virtual HvSelectableItem* ObjectFromPoint(POINT point, RECT* rectangle);
    virtual bool AcceptsObject(HvSelectableItem* object) = 0;

    size_t GetItemCount() const { return m_items.size(); }
    const std::vector<HvColumnGroupImpl*>& Items() const { return m_items; }

protected:
    // band and host are not referenced: the band owns the dragged headers
    // and the control owns the tracker that holds the operation.
    HeaderDragOperation(HvBand* band, HeaderDragHost* host);
    virtual ~HeaderDragOperation() = default;

    // A dragged item's own drop test for the target at the point.
    virtual bool ItemCanDropAt(HvColumnGroupImpl* item, const HeaderDragTarget& target, POINT point) = 0;

    // The keyed faces of the dragged items, in their order.
    std::vector<HvKeyedItem*> DraggedKeys() const;
    // order without the dragged entries, which go back in before target
    // (after it with side 1) in their dragged order. False, order
    // unchanged, when target is not among the remaining entries.
    static bool Reorder(std::vector<HvKeyedItem*>& order, const std::vector<HvKeyedItem*>& dragged,
                        HvKeyedItem* target, int side);
    // Some dragged entry stands elsewhere in after than in before.
    static bool MovesAny(const std::vector<HvKeyedItem*>& before, const std::vector<HvKeyedItem*>& after,
                         const std::vector<HvKeyedItem*>& dragged);
    static LONG IndexOf(const std::vector<HvKeyedItem*>& order, HvKeyedItem* entry);
    // Design mode, or the layout may raise its events now.
    bool MayMove();

    HvBand* m_band;         // not referenced
    HeaderDragHost* m_host; // not referenced
    ULONG m_refs = 1;
    std::vector<HvColumnGroupImpl*> m_items; // not referenced: the band's
};
