// HeaderDragHost: what header drags need of the grid control that shows the
// dragged headers: hit tests on its root element, its column scroll
// regions, automatic scrolling, the drag image of a header, its event state
// and the column and group position events. The control implements it;
// tests use a stand-in.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <Tavelle.h>

#include <vector>

class CDragTracker;
class HvColumnGroupImpl;
class HvSelectableItem;

// A header element found under a point of the grid window.
struct DragHeaderElement {
    RECT clipped{};     // the displayed (clipped) rectangle
    bool whole = false; // the element is shown whole
};

// The band-headers element under a point and its child header elements.
struct DragBandHeaders {
    struct Child {
        RECT rect{};
        HvSelectableItem* object = nullptr; // the header's object, not referenced
    };
    RECT rect{};
    std::vector<Child> children;
};

class HeaderDragHost
{
public:
    // The object of the deepest element under the point whose type does not
    // exceed a cell's; rectangle (may be null) gets that element's displayed
    // rectangle. Null when nothing lies there or there is no root element.
    virtual HvSelectableItem* ObjectFromPoint(POINT point, RECT* rectangle) = 0;
    // The header element under the point; false without root element or
    // header element there.
    virtual bool HeaderElementAt(POINT point, DragHeaderElement* element) = 0;
    // The band-headers element under the point; false when the deepest
    // element there is another one.
    virtual bool BandHeadersAt(POINT point, DragBandHeaders* headers) = 0;

    // The layout has column scroll regions.
    virtual bool HasColScrollRegions() = 0;
    // The column scroll region whose span holds x (grid client pixels), or
    // null; not referenced.
    virtual IHvColScrollRegion* ColScrollRegionAt(LONG x) = 0;

    // Automatic scrolling towards the point; with noRows only the column
    // scroll regions scroll.
    virtual void ArmAutoScroll(int x, int y, bool noRows) = 0;
    virtual void DisarmAutoScroll() = 0;

    // The dragged header paints itself into the tracker's effect window
    // (CDragTracker::GetEffectWindowDC, CDragTracker::SetDragImage).
    virtual void PrepareDragImage(HvColumnGroupImpl* item, CDragTracker& tracker, bool severalItems) = 0;

    virtual bool IsDesignMode() = 0;
    // The displayed layout may raise events for the grid now.
    virtual bool CanFireEvents() = 0;
    // The control's IHvTavelleControl, held while the position events run.
    virtual IUnknown* ControlUnknown() = 0;
    // The Before events answer true when the handler cancelled.
    virtual bool FireBeforeColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) = 0;
    virtual void FireAfterColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) = 0;
    virtual bool FireBeforeGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) = 0;
    virtual void FireAfterGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) = 0;
    // The band's header order changed: the headers are laid out anew.
    virtual void HeadersMoved() = 0;

protected:
    ~HeaderDragHost() = default;
};
