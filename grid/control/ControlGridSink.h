// ControlGridSink: the mouse sink of the grid's root element (the grid
// element), registered with the control's input dispatcher for the whole
// life of the control. A left press activates the scroll regions under it,
// starts the sizing of an adjustable element, or hands the press to the
// element and then to the object it shows (a cell to the band's click
// action, a row to its SelectTypeRow strategy, a header to the header
// press); it also chooses the cursor and rechecks the element under the
// mouse when the elements were repositioned.
#pragma once

#include "InputOperation.h"

#include <cstdint>

class HvTavelle;
class HvUIElement;

class ControlGridSink final : public InputOperation {
public:
    // Left down, left up, double click, set-cursor, 1478 and 1479.
    static constexpr std::uint32_t Mask = 0x3080E;

    explicit ControlGridSink(HvTavelle& control);
    ~ControlGridSink() override;
    ControlGridSink(const ControlGridSink&) = delete;
    ControlGridSink& operator=(const ControlGridSink&) = delete;

    LRESULT OnLButtonDown(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnLButtonUp(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnLButtonDblClk(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnSetCursor(HWND window, UINT hitTest, UINT mouseMessage) override;
    LRESULT OnCtrlKeyChange() override;
    LRESULT OnElementsRepositioned() override;

private:
    // The press on the object the element shows, in run mode.
    void PressObject(HvUIElement* element, UINT keys);

    HvTavelle& control_;
    std::uint32_t id_ = 0;
};
