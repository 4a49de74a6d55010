// HvButtonUIElementBase: a push button among the part elements. A press
// takes the mouse through the control's input dispatcher until the button
// is released; the press handler hears of the click, of a release outside
// and of the pointer leaving and coming back.
#pragma once

#include "HvCellChildUIElement.h"

class HvButtonSink;
class HvButtonUIElementBase;

// How a button takes and gives back the mouse while it is held down; the
// control installs it (its input dispatcher registers the button's sink as
// the capturing mouse sink with message mask 5). Without it a press still
// works but nothing routes the mouse to the button.
struct ButtonCapture {
    // Registration id, 0 when it could not be registered.
    ULONG (*registerSink)(UIElementControlSeam* control, HvButtonUIElementBase* button) = nullptr;
    void (*unregisterSink)(UIElementControlSeam* control, ULONG id) = nullptr;
};
ButtonCapture& ButtonCaptureHooks();

class HvButtonUIElementBase : public HvCellChildUIElement {
public:
    void SetPressHandler(HvButtonSink* handler) { pressHandler_ = handler; }
    bool IsPointerInside() const { return inside_; }

    // What the button's input sink hears while the button is held down.
    void OnPointerMove(POINT point);
    void OnButtonUp();
    void OnCancel();

    // OwnedElementSeam
    bool BeginPress() override;
    bool IsPressed() override { return pressed_; }

    long GetDrawState() override;
    HCURSOR GetCursor() override { return OwnerCursor(); }
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    bool OnMouseDown(POINT point, UINT keys) override;
    bool OnDoubleClick(POINT) override { return false; }
    bool CanDraw() override { return true; }
    void InitAppearance(AppearanceData& own, const AppearanceData& parentData) override;
    void DrawPictureBackground(CDrawContext&, const RECT&, const AppearanceData&) override {}
    void DrawBorders(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

protected:
    HvButtonUIElementBase(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, ULONG type,
                          HvUIElementOwner* owner, LONG context, HvButtonSink* pressHandler);
    ~HvButtonUIElementBase() override;

private:
    void EndPress();

    ULONG sinkId_ = 0;
    bool pressed_ = false;
    bool inside_ = false;
    HvButtonSink* pressHandler_; // not counted
};
