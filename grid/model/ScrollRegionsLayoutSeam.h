// ScrollRegionsLayoutSeam and RegionControlSeam: what the scroll-region
// collections need of the layout that owns them and of the grid control that
// shows that layout.
#pragma once

#include <windows.h>
#include <oaidl.h>

class ChangeSubscriber;
class ColScrollRegionItem;
class HvRowScrollRegions;
class RowScrollRegionItem;

class RegionControlSeam {
public:
    // The control's automation interface, held while events fire (not
    // add-ref'd here).
    virtual IUnknown* ControlUnknown() = 0;
    // Whether the control's event gate exists.
    virtual bool HasEventGate() = 0;
    virtual bool IsEventFiring(DISPID event) = 0;
    // Each fires its event with a Cancel flag when events are allowed and
    // answers true when the handler cancelled.
    virtual bool FireBeforeColRegionRemoved(IDispatch* region) = 0;
    virtual bool FireBeforeRowRegionRemoved(IDispatch* region) = 0;
    virtual bool FireBeforeColRegionSize(IDispatch* region1, IDispatch* region2) = 0;
    virtual bool FireBeforeRowRegionSize(IDispatch* region1, IDispatch* region2) = 0;
    // The regions' scroll, split and size events; the Before events answer
    // true when the handler cancelled.
    virtual bool FireBeforeRowRegionScroll(IDispatch*, IDispatch*) { return false; }
    virtual void FireAfterRowRegionScroll(IDispatch*) {}
    virtual bool FireBeforeColRegionScroll(IDispatch*, IDispatch*) { return false; }
    virtual void FireAfterColRegionScroll(IDispatch*) {}
    virtual bool FireBeforeRowRegionSplit(IDispatch*, IDispatch*) { return false; }
    virtual bool FireBeforeColRegionSplit(IDispatch*, IDispatch*) { return false; }
    virtual void FireAfterRowRegionSize(IDispatch*) {}
    virtual void FireAfterColRegionSize(IDispatch*) {}
    // The active cell leaves edit mode and its edit window is hidden, before
    // a scroll moves what it stands over.
    virtual void ExitEditForScroll() {}

protected:
    ~RegionControlSeam() = default;
};

class ScrollRegionsLayoutSeam {
public:
    // The grid control that shows the layout; null for a stand-alone layout.
    virtual RegionControlSeam* Control() = 0;
    // Below 1: no limit.
    virtual short MaxColScrollRegions() = 0;
    virtual short MaxRowScrollRegions() = 0;
    // A new region with default settings and one reference, publishing its
    // changes to subscriber; null when it cannot be made.
    virtual ColScrollRegionItem* CreateColScrollRegion(ChangeSubscriber* subscriber) = 0;
    virtual RowScrollRegionItem* CreateRowScrollRegion(ChangeSubscriber* subscriber) = 0;
    // The layout's row-region collection, or null.
    virtual HvRowScrollRegions* RowScrollRegions() = 0;
    virtual void DirtyRootUIElement(bool first, bool second) = 0;
    // Gives the root element the window's client rectangle and marks the
    // regions for recalculation.
    virtual void FitToClientRect() = 0;
    virtual short SplitterBarWidth() = 0;
    // Pixels to the container's units.
    virtual double PixelsToUnitsX(long pixels) = 0;
    virtual double PixelsToUnitsY(long pixels) = 0;
    // The inner rectangle of the data area element; false when there is none.
    virtual bool DataAreaInnerRect(RECT* rect) = 0;
    // Recomputes and stores the total extent of the visible bands (0
    // without bands).
    virtual void UpdateTotalBandExtent() = 0;
    virtual bool IsGridWindowVisible() = 0;
    // Moves the edit window back over the active cell, or hides it.
    virtual void RepositionEditWindow() = 0;

protected:
    ~ScrollRegionsLayoutSeam() = default;
};
