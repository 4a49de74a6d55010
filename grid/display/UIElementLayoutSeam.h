// UIElementLayoutSeam, UIElementControlSeam: what the UI elements need of
// the layout whose tree holds them and of the grid control that shows it.
// The layout and the control implement them; tests use fakes.
#pragma once

#include <windows.h>
#include <ole2.h>

class HvImages;
class HvLayout;
class HvUIElement;
class HvTVDraw;
class ToolTipTool;
class ToolTipWindow;
class UIElementControlSeam;
struct IHvTVDrawFilter;

class UIElementLayoutSeam {
public:
    virtual bool IsLayoutActive() = 0;
    // The layout's automation object (not add-ref'd), handed to clients
    // through IHvUIElement::Layout.
    virtual IDispatch* LayoutDispatch() = 0;
    // The grid control showing the layout, or null (also when the layout is
    // no longer active).
    virtual UIElementControlSeam* GetControl() = 0;
    // The root of the layout's tree (not add-ref'd), or null.
    virtual HvUIElement* GetRootUIElement() = 0;
    // Gives the root element the grid window's client rectangle.
    virtual void FitToClientRect() = 0;
    // The draw object while a draw filter is set, else null (not add-ref'd).
    virtual HvTVDraw* GetDrawObject() = 0;
    // The draw filter, or null (not add-ref'd).
    virtual IHvTVDrawFilter* GetDrawFilter() = 0;
    // The layout's edit window and the window that edits the active cell.
    virtual HWND GetEditWindow() = 0;
    virtual HWND GetActiveCellEditWindow() = 0;
    // The container form window's and the grid window parent's rectangles
    // (grid client coordinates); false when there is none.
    virtual bool GetFormRect(RECT& rect) = 0;
    virtual bool GetContainerRect(RECT& rect) = 0;
    // The layout object itself, whose scroll regions, bands and headers the
    // data area's elements show; null where there is none (stand-ins).
    virtual HvLayout* ModelLayout() { return nullptr; }

protected:
    ~UIElementLayoutSeam() = default;
};

class UIElementControlSeam {
public:
    virtual HWND GetGridWindow() = 0;
    // The control is drawing the tree (no re-layout from the automation).
    virtual bool IsPainting() = 0;
    // Valid, in run mode and events not frozen.
    virtual bool CanFireEvents() = 0;
    // This layout is the control's current one.
    virtual bool IsCurrentLayout(UIElementLayoutSeam* layout) = 0;
    virtual bool IsInEditMode() = 0;
    // The active cell's drop-down list is dropped down.
    virtual bool IsDroppedDown() = 0;
    // The element of the active cell in the active regions, or null.
    virtual HvUIElement* GetActiveCellElement() = 0;
    // The control's Images collection (not add-ref'd), or null; and whether
    // its images are drawn masked (ImagesMasking).
    virtual HvImages* ControlImages() { return nullptr; }
    virtual bool ImagesMasking() { return true; }
    // The control's tracking tip and the window it shows in (not owned):
    // made on first use when make is set; null in design mode, without a
    // grid window, or not made yet.
    virtual ToolTipTool* ControlToolTip(bool /*make*/) { return nullptr; }
    virtual ToolTipWindow* ControlTipWindow() { return nullptr; }

protected:
    ~UIElementControlSeam() = default;
};
