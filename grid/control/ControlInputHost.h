// ControlInputHost: the grid control's side of its input parts: what the
// input dispatcher, the keyboard handler and the hover operation ask of the
// control, and the active cell and row as the key state reads them.
#pragma once

#include "HoverHost.h"
#include "InputDispatcherHost.h"
#include "KeyboardHost.h"

#include <cstdint>

class HvTavelle;

class ControlInputHost final : public InputDispatcherHost,
                               public KeyboardHost,
                               public HoverHost,
                               public KeyCellQuery,
                               public KeyRowQuery {
public:
    explicit ControlInputHost(HvTavelle& control) : control_(control) {}

    // The key action performer of the layout, installed by the code that
    // carries out key actions; without one no key is acted on.
    using KeyActionPerformer = void (*)(HvTavelle& control, std::uint32_t action, bool shift, bool ctrl,
                                        bool& handled);
    static KeyActionPerformer SetKeyActionPerformer(KeyActionPerformer performer);

    // InputDispatcherHost
    CControlBase* InputControl() override;
    HWND GetGridWindow() override;
    bool ActiveCellHasMaskEngine() override;
    HWND GetDropDownCalendar() override;
    bool IsPointInGridArea(int x, int y) override;

    // KeyboardHost
    InputDispatcher* GetInputDispatcher() override;
    KeyCellQuery* GetActiveCell() override;
    KeyRowQuery* GetActiveRow() override;
    int GetTabNavigation() override;
    HWND GetEditWindow() override;
    void PerformKeyActionFromKeyboard(std::uint32_t action, bool shift, bool ctrl, bool& handled) override;

    // HoverHost
    InputDispatcher* HoverDispatcher() override { return GetInputDispatcher(); }
    bool IsDesignMode() override;
    bool HasPainted() override;
    HvUIElement* GetRootUIElement() override;
    EventEnableMask& EventGate() override;
    bool RequestTipHover() override;

    // KeyCellQuery (the active cell)
    bool HasCellBefore() override { return true; }
    bool HasCellAfter() override { return true; }
    bool IsInEditMode() override;
    bool HasDropDown() override { return false; }
    bool IsDropDownShowing() override { return false; }
    bool IsCheckBox() override { return false; }

    // KeyRowQuery (the active row)
    bool HasPrevSibling() override;
    bool HasPrevSiblingSpanningBands() override;
    bool HasNextSibling() override;
    bool HasNextSiblingSpanningBands() override;
    bool IsExpanded() override;
    bool IsExpandable() override;
    bool HasParentRow() override;

private:
    HvTavelle& control_;
};
