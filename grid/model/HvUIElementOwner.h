// HvUIElementOwner: the internal interface through which a UI element asks
// the grid object it shows (band, cell, header, add-new box, layout) for its
// state, cursor, text and text layout, and tells it of presses; and through
// which the change-refresh helpers find the object's elements. Every answer
// has a default here, which an owner overrides where its rules differ.
// HvButtonSink: what a push button tells its owner about a press.
#pragma once

#include <windows.h>

class AppearanceData;
class CDualString;
class LayoutRegionsSeam;
class OwnedElementSeam;
class ScrollRegionSeam;
class UIElementSeam;

class HvUIElementOwner {
public:
    enum State : LONG { StateHot = 1, StateDisabled = 8, StatePressed = 16 };
    enum Context : LONG {
        ContextText = -1,
        ContextPicture = -2,
        ContextSwapButton = -3,
        ContextCheckBox = -4,
        ContextAddNewButton = -6,
        ContextDropDownButton = -7
    };

    // The layout that shows the object, or null.
    virtual LayoutRegionsSeam* GetShowingLayout() = 0;
    // The object's element in a pair of regions, made when create is 1; null
    // when there is none.
    virtual UIElementSeam* GetUIElement(ScrollRegionSeam* rowRegion, ScrollRegionSeam* colRegion,
                                        int create) = 0;

    // Flags StateDisabled and StatePressed.
    virtual LONG GetState(OwnedElementSeam*) { return 0; }
    // True when the owner handled the press.
    virtual bool OnMouseDown(OwnedElementSeam*) { return false; }
    virtual void OnPressEnter(OwnedElementSeam*) {}
    virtual void OnPressLeave(OwnedElementSeam*) {}
    virtual bool OnTextClick(OwnedElementSeam*) { return false; }
    // 0 lets the element use the grid's cursor.
    virtual HCURSOR GetCursor(OwnedElementSeam*) { return nullptr; }
    virtual bool CanDrawText(OwnedElementSeam*) { return true; }
    virtual bool OwnerQuery(OwnedElementSeam*, LONG, LONG) { return false; }
    virtual void AdjustPictureRect(OwnedElementSeam*, RECT*) {}
    // Fills text; true when it is not empty.
    virtual bool GetText(OwnedElementSeam*, CDualString&) { return false; }
    virtual void AdjustTextRect(OwnedElementSeam*, RECT*) {}
    virtual bool IsMultiLine(OwnedElementSeam*) { return false; }
    // DrawText flags.
    virtual UINT GetTextFormat(OwnedElementSeam*) { return DT_EDITCONTROL; }
    // 1 top, DT_VCENTER middle, DT_BOTTOM bottom.
    virtual UINT GetVAlign(OwnedElementSeam*, const AppearanceData*) { return 1; }
    // For an appearance whose horizontal alignment is Default: 16 left,
    // 32 centre, 64 right.
    virtual UINT GetDefaultHAlign(OwnedElementSeam*, const AppearanceData*) { return 16; }
    virtual bool DrawsTextItself(OwnedElementSeam*) { return false; }

protected:
    ~HvUIElementOwner() = default;
};

class HvButtonSink {
public:
    // Released inside the button.
    virtual void OnClick(OwnedElementSeam* element) = 0;
    // Released outside, or the capture was lost.
    virtual void OnCancel(OwnedElementSeam* element) = 0;
    // Asked before a press begins.
    virtual bool CanPress(OwnedElementSeam* element) = 0;

protected:
    ~HvButtonSink() = default;
};
