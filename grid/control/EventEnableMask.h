// EventEnableMask: the grid's event gate. It keeps one enable bit and one
// firing counter per custom event of the grid (the stock events live in the
// framework base), and answers whether an event may be raised now, whether
// it is being raised, and which events the container has switched off
// through EventEnabled.
#pragma once

#include "StockEventSink.h"

#include <oaidl.h>

#include <cstdint>

class CControlBase;
class ContainerUnitsSeam;

// Group identifiers of EventEnabled (Constants_GridEventIds).
namespace GridEventGroup {
constexpr std::int32_t AllEvents = 2147483647;
constexpr std::int32_t AllBeforeEvents = 2147483646;
constexpr std::int32_t AllAfterEvents = 2147483645;
} // namespace GridEventGroup

class EventEnableMask : public StockEventSink
{
public:
    // A zero-terminated list of event identifiers.
    using EventList = const std::int32_t*;

    // owner is not referenced: the control owns the gate and deletes it.
    explicit EventEnableMask(CControlBase* owner) noexcept;
    ~EventEnableMask() override = default;

    CControlBase* GetOwner() override { return m_owner; }

    bool IsEnabled(std::int32_t id) const;
    void SetEnabled(std::int32_t id, bool enable);
    bool AreAllEnabled() const;
    void SetAll(bool enable);
    bool IsListEnabled(EventList list) const;
    void SetListEnabled(EventList list, bool enable);

    // True while a firer of this event runs (nested firings count each).
    bool IsEventFiring(std::int32_t dispid) const;
    // The owner may fire events and the event is enabled.
    bool IsEventAllowed(std::int32_t dispid);

    // The before and after groups, each ending with 0.
    static EventList BeforeEvents();
    static EventList AfterEvents();

    // The firing counter of a custom event: 49 and 50 (MouseEnter,
    // MouseExit) and 1000-1070 less 1000; -1 for every other identifier.
    static std::int32_t EventCounterIndex(std::int32_t dispid);
    // The custom enable bit of an identifier (1000 and above less 1000,
    // else the identifier itself, valid from 0 to 127): the mask of the bit
    // in its word, and the word's index in *word; 0 when there is none.
    static std::uint32_t EventBitFromDispid(std::int32_t dispid, std::int16_t* word);

    static constexpr int CounterCount = 71;

    // The control's unit conversion for BeforeRowResize; without one the
    // container's units count as pixels. Not owned.
    void SetContainerUnits(ContainerUnitsSeam* units) { m_units = units; }

    // The firers of the grid's custom events. Object arguments are the
    // caller's, passed as their IDispatch for the call. A firer with a
    // Cancel argument answers true when a handler cancelled; a disallowed
    // event is not raised and counts as not cancelled.
    void Fire_InitializeLayout(std::int32_t context, IDispatch* layout);
    void Fire_AfterCellActivate();
    void Fire_AfterCellUpdate(IDispatch* cell);
    void Fire_AfterColPosChanged(std::int32_t action, IDispatch* columns);
    void Fire_AfterColRegionScroll(IDispatch* region);
    void Fire_AfterColRegionSize(IDispatch* region);
    void Fire_AfterEnterEditMode();
    void Fire_AfterExitEditMode();
    void Fire_AfterGroupPosChanged(std::int32_t action, IDispatch* groups);
    void Fire_AfterRowActivate();
    void Fire_AfterRowCollapsed(IDispatch* row);
    void Fire_AfterRowExpanded(IDispatch* row);
    void Fire_AfterRowsDeleted();
    void Fire_AfterRowInsert(IDispatch* row);
    void Fire_AfterRowRegionScroll(IDispatch* region);
    void Fire_AfterRowRegionSize(IDispatch* region);
    void Fire_AfterRowResize(IDispatch* row);
    void Fire_AfterRowUpdate(IDispatch* row);
    void Fire_AfterSelectChange(std::int32_t kind);
    void Fire_AfterSortChange(IDispatch* band);
    void Fire_AfterCellCancelUpdate(IDispatch* cell);
    void Fire_AfterRowCancelUpdate(IDispatch* row);
    bool Fire_BeforeAutoSizeEdit(IDispatch* autoSizeEdit);
    bool Fire_BeforeCellActivate(IDispatch* cell);
    // newValue goes to the handlers by reference; their change stays in it.
    bool Fire_BeforeCellUpdate(IDispatch* cell, VARIANT* newValue);
    bool Fire_BeforeColPosChanged(std::int32_t action, IDispatch* columns);
    bool Fire_BeforeColRegionScroll(IDispatch* newState, IDispatch* oldState);
    bool Fire_BeforeColRegionSize(IDispatch* region1, IDispatch* region2);
    bool Fire_BeforeColRegionSplit(IDispatch* original, IDispatch* added);
    bool Fire_BeforeColRegionRemoved(IDispatch* region);
    bool Fire_BeforeCellDeactivate();
    bool Fire_BeforeCellListDropDown(IDispatch* cell);
    bool Fire_BeforeEnterEditMode();
    bool Fire_BeforeExitEditMode();
    bool Fire_BeforeGroupPosChanged(std::int32_t action, IDispatch* groups);
    void Fire_BeforeRowActivate(IDispatch* row);
    bool Fire_BeforeRowDeactivate();
    bool Fire_BeforeRowCollapsed(IDispatch* row);
    // displayPrompt is in and out: whether the grid shows its delete prompt.
    bool Fire_BeforeRowsDeleted(IDispatch* rows, bool& displayPrompt);
    bool Fire_BeforeRowExpanded(IDispatch* row);
    bool Fire_BeforeRowInsert(IDispatch* band, IDispatch* parentRow);
    bool Fire_BeforeRowRegionScroll(IDispatch* newState, IDispatch* oldState);
    bool Fire_BeforeRowRegionSize(IDispatch* region1, IDispatch* region2);
    bool Fire_BeforeRowRegionSplit(IDispatch* original, IDispatch* added);
    bool Fire_BeforeRowRegionRemoved(IDispatch* region);
    // height is in and out, in pixels; written back even when cancelled.
    bool Fire_BeforeRowResize(IDispatch* row, std::int32_t& height);
    bool Fire_BeforeRowUpdate(IDispatch* row);
    // Not raised while already being raised: that counts as cancelled.
    bool Fire_BeforeSelectChange(std::int32_t kind, IDispatch* newSelections);
    bool Fire_BeforeSortChange(IDispatch* band, IDispatch* newSortedCols);
    bool Fire_BeforeCellCancelUpdate(IDispatch* cell);
    bool Fire_BeforeRowCancelUpdate(IDispatch* row);
    void Fire_ClickCellButton(IDispatch* cell);
    void Fire_CellChange(IDispatch* cell);
    void Fire_CellListSelect(IDispatch* cell);
    void Fire_AfterCellListCloseUp(IDispatch* cell);
    void Fire_Error(IDispatch* errorInfo);
    void Fire_InitializeRow(std::int32_t context, IDispatch* row, bool reinitialize);
    void Fire_MouseEnter(IDispatch* element);
    void Fire_MouseExit(IDispatch* element);
    void Fire_OnKillFocus(HWND gettingFocus);
    void Fire_OnSetFocus(HWND losingFocus);
    // The two VARIANTs go to the handlers by value; the caller keeps them.
    void Fire_PostMessageReceived(std::int32_t messageId, const VARIANT& data1, const VARIANT& data2);
    bool Fire_OnSelectionDrag();

private:
    friend class EventFiringScope;

    std::uint32_t m_customBits[4];
    CControlBase* m_owner;
    std::uint16_t m_firing[CounterCount] = {};
    ContainerUnitsSeam* m_units = nullptr;
};
