// ControlInputHost: the grid control's side of its input parts: what the
// input dispatcher, the keyboard handler and the hover operation ask of the
// control, and the active cell and row as the key state reads them.
#pragma once

#include "HoverHost.h"
#include "InputDispatcherHost.h"
#include "KeyboardHost.h"
#include "SizingHost.h"

#include <cstdint>
#include <memory>
#include <vector>

class HvCell;
class HvRow;
class HvTavelle;

class ControlInputHost final : public InputDispatcherHost,
                               public KeyboardHost,
                               public HoverHost,
                               public SizingHost {
public:
    explicit ControlInputHost(HvTavelle& control);
    ~ControlInputHost();

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

    // SizingHost (GetGridWindow above)
    InputDispatcher* SizingDispatcher() override { return GetInputDispatcher(); }

    // The active cell and row as the key state reads them: one query object
    // per cell or row, so that the keyboard handler can tell whether an
    // action moved the active object.
    class CellQuery;
    class RowQuery;

private:
    template <class TQuery, class TObject>
    TQuery* QueryFor(std::vector<std::unique_ptr<TQuery>>& queries, TObject* object);

    HvTavelle& control_;
    std::vector<std::unique_ptr<CellQuery>> cellQueries_;
    std::vector<std::unique_ptr<RowQuery>> rowQueries_;
};
