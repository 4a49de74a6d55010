// SelectOperation: how a click, a drag or a key selects rows, cells, columns
// and groups: one strategy per SelectType (None, Single, Extended). While
// the button is down a strategy holds the capture through the dispatcher
// and extends the selection as the mouse moves. Every change is announced
// with BeforeSelectChange (which may cancel) and AfterSelectChange.
#pragma once

#include "InputOperation.h"
#include "SelectionHost.h"
#include "SelectionSet.h"

#include <cstdint>
#include <memory>

class InputDispatcher;

// The keyboard and primary button as the platform reports them now.
bool IsShiftDown();
bool IsCtrlDown();
bool IsPrimaryButtonDown();

class SelectOperation : public InputOperation
{
public:
    // Errors of selection from the object model.
    static constexpr HRESULT SelectError = static_cast<HRESULT>(0x800A9C55);
    static constexpr UINT NoneString = 4012;
    static constexpr UINT SingleGroupString = 4013;

    explicit SelectOperation(SelectionHost& host) : host_(host) {}
    ~SelectOperation() override;
    SelectOperation(const SelectOperation&) = delete;
    SelectOperation& operator=(const SelectOperation&) = delete;

    // A press (drag true, the mouse) or a selection by key (drag false).
    virtual void BeginMouseSelect(SelectableTarget* item, bool drag, bool shift, bool byTab) = 0;
    // Selection from the object model (an item's Selected property).
    virtual HRESULT SetObjectSelected(SelectableTarget* item, bool fireEvents) = 0;
    virtual bool AcceptsKeyTarget(SelectableTarget* item, bool shift, bool ctrl);
    virtual bool AllowsStepAcrossBands(bool shiftOrCtrl);
    virtual void ReleaseDragEnd() {}

    // The capture was taken away (WM_CANCELMODE): the drag ends without a
    // selection change, the selection-drag timer stops and the visible rows'
    // deferred update ends.
    LRESULT CancelMode() override;

    // Unregisters (which lets the mouse go) and stops automatic scrolling.
    void EndMouseSelect();
    bool IsRegistered() const { return id_ != 0; }
    SelectableTarget* Item() const { return item_; }

protected:
    // Registers as the capturing sink for WM_MOUSEMOVE and WM_LBUTTONUP.
    void RegisterCapture();
    void TakeStartPoint() { start_ = host_.CursorPos(); }
    // The cursor is 4 pixels or more from the press in x or y.
    bool MovedFromStart();
    // Applies the item alone, with the events when they may fire; 1 when
    // cancelled.
    HRESULT SelectWithEvents(SelectableTarget* item, bool keepSameKind, bool fireEvents);
    // The would-be selection after selecting item.
    virtual std::unique_ptr<SelectionSet> MakeSelection(SelectableTarget* item, const SelectionSet& current,
                                                        bool keep);
    // Kinds as the events name them: a group is a column.
    static LONG EventKind(SelectableTarget* item);
    static bool IsHeader(SelectableTarget* item);

    SelectionHost& host_;
    SelectableTarget* item_ = nullptr;  // the item of the current press; not referenced
    InputDispatcher* dispatcher_ = nullptr;
    POINT start_ = {};
    std::uint32_t id_ = 0;
    bool skipMove_ = false;
};

// The strategies with a state.
class SelectOperationEx : public SelectOperation
{
public:
    enum State : std::uint32_t {
        Idle = 0,
        Selecting = 1,
        Extending = 2,
        PressedMovable = 3,      // a 4-pixel move starts a header drag
        PressedSelected = 4,     // Single: the release edits the cell
        CtrlToggling = 5,
        PressedUnmovable = 6,    // Extended: the selection-drag timer runs
    };

    using SelectOperation::SelectOperation;
    std::uint32_t GetState() const { return state_; }
    // State 0 also ends the mouse selection.
    void SetState(std::uint32_t state);
    LRESULT CancelMode() override;

protected:
    std::uint32_t state_ = Idle;
};
