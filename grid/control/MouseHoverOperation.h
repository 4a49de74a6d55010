// MouseHoverOperation: the control's permanent mouse sink that follows the
// UI element under the cursor. It raises MouseEnter down and MouseExit up
// the element tree as the cursor moves between elements, and asks for hover
// notices so that elements can show their tips.
#pragma once

#include "InputOperation.h"

#include <cstdint>

class HoverHost;
class HvUIElement;

class MouseHoverOperation final : public InputOperation
{
public:
    // Registers with the host's dispatcher for WM_MOUSEMOVE, WM_MOUSEHOVER
    // and WM_MOUSELEAVE.
    explicit MouseHoverOperation(HoverHost& host);
    ~MouseHoverOperation() override;
    MouseHoverOperation(const MouseHoverOperation&) = delete;
    MouseHoverOperation& operator=(const MouseHoverOperation&) = delete;

    LRESULT OnMouseMove(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnMouseLeave(UINT keys, int x, int y, bool& handled) override;
    LRESULT OnMouseHover(UINT keys, int x, int y, bool& handled) override;

    // Registered, and the control is in design mode or has painted.
    bool IsTracking();
    // The elements were repositioned: replays a move at the cursor when it
    // lies over the grid window.
    void Recheck();
    void ShowTip();

    bool IsRegistered() const { return registered_; }
    HvUIElement* CurrentElement() const { return current_; }

private:
    void SetCurrent(HvUIElement* element);
    // The live element that now stands for the same things as element.
    HvUIElement* FindEquivalent(HvUIElement* root, HvUIElement* element);
    void FireEnterChain(HvUIElement* stop, HvUIElement* element);
    void FireExitChain(HvUIElement* stop, HvUIElement* element);
    bool GridInActiveWindow();
    // Asks for the next hover notice while the current element wants them
    // and no request is pending: the last one was spent on its notice or
    // could not take.
    LRESULT RearmHover();
    // The system's pointer position lies over the grid window itself.
    bool PointerOverGrid();

    HoverHost& host_;
    std::uint32_t id_ = 0xFFFFFFFFu;
    bool registered_ = false;
    bool hoverRequested_ = false;      // a hover notice is being tracked
    bool hoverAwaited_ = false;        // the current element wants hover notices
    bool hovering_ = false;            // a hover notice is being delivered
    HvUIElement* current_ = nullptr;   // referenced, with its context objects
};
