// The firers of the grid's events that a handler can cancel, and of the
// events that hand a changed value back (NewValue, NewHeight,
// DisplayPromptMsg).
#include "EventEnableMask.h"

#include "ContainerUnitsSeam.h"
#include "EventRaise.h"

using event_raise::RaiseCancellable;
using event_raise::ReadValue;
using event_raise::ReturnObject;
using event_raise::SelectChangeKindForEvent;

namespace {

constexpr VARTYPE kCancel[] = {VT_DISPATCH};
constexpr VARTYPE kObjectCancel[] = {VT_DISPATCH, VT_DISPATCH};
constexpr VARTYPE kTwoObjectsCancel[] = {VT_DISPATCH, VT_DISPATCH, VT_DISPATCH};
constexpr VARTYPE kLongObjectCancel[] = {VT_I4, VT_DISPATCH, VT_DISPATCH};
constexpr VARTYPE kCellUpdate[] = {VT_DISPATCH, VT_BYREF | VT_VARIANT, VT_DISPATCH};

constexpr EventDescriptor kBeforeAutoSizeEdit{1020, 2, kObjectCancel};
constexpr EventDescriptor kBeforeCellActivate{1021, 2, kObjectCancel};
constexpr EventDescriptor kBeforeCellUpdate{1023, 3, kCellUpdate};
constexpr EventDescriptor kBeforeColPosChanged{1024, 3, kLongObjectCancel};
constexpr EventDescriptor kBeforeColRegionScroll{1025, 3, kTwoObjectsCancel};
constexpr EventDescriptor kBeforeColRegionSize{1026, 3, kTwoObjectsCancel};
constexpr EventDescriptor kBeforeColRegionSplit{1027, 3, kTwoObjectsCancel};
constexpr EventDescriptor kBeforeColRegionRemoved{1028, 2, kObjectCancel};
constexpr EventDescriptor kBeforeCellDeactivate{1022, 1, kCancel};
constexpr EventDescriptor kBeforeCellListDropDown{1029, 2, kObjectCancel};
constexpr EventDescriptor kBeforeEnterEditMode{1030, 1, kCancel};
constexpr EventDescriptor kBeforeExitEditMode{1031, 1, kCancel};
constexpr EventDescriptor kBeforeGroupPosChanged{1033, 3, kLongObjectCancel};
constexpr EventDescriptor kBeforeRowDeactivate{1034, 1, kCancel};
constexpr EventDescriptor kBeforeRowCollapsed{1035, 2, kObjectCancel};
constexpr EventDescriptor kBeforeRowsDeleted{1036, 3, kTwoObjectsCancel};
constexpr EventDescriptor kBeforeRowExpanded{1037, 2, kObjectCancel};
constexpr EventDescriptor kBeforeRowInsert{1038, 3, kTwoObjectsCancel};
constexpr EventDescriptor kBeforeRowRegionScroll{1039, 3, kTwoObjectsCancel};
constexpr EventDescriptor kBeforeRowRegionSize{1040, 3, kTwoObjectsCancel};
constexpr EventDescriptor kBeforeRowRegionSplit{1041, 3, kTwoObjectsCancel};
constexpr EventDescriptor kBeforeRowRegionRemoved{1042, 2, kObjectCancel};
constexpr EventDescriptor kBeforeRowResize{1043, 3, kTwoObjectsCancel};
constexpr EventDescriptor kBeforeRowUpdate{1044, 2, kObjectCancel};
constexpr EventDescriptor kBeforeSelectChange{1045, 3, kLongObjectCancel};
constexpr EventDescriptor kBeforeSortChange{1046, 3, kTwoObjectsCancel};
constexpr EventDescriptor kBeforeCellCancelUpdate{1066, 2, kObjectCancel};
constexpr EventDescriptor kBeforeRowCancelUpdate{1047, 2, kObjectCancel};
constexpr EventDescriptor kOnSelectionDrag{1070, 1, kCancel};

} // namespace

bool EventEnableMask::Fire_BeforeAutoSizeEdit(IDispatch* autoSizeEdit)
{
    return RaiseCancellable(*this, kBeforeAutoSizeEdit, autoSizeEdit);
}
bool EventEnableMask::Fire_BeforeCellActivate(IDispatch* cell)
{
    return RaiseCancellable(*this, kBeforeCellActivate, cell);
}
bool EventEnableMask::Fire_BeforeCellUpdate(IDispatch* cell, VARIANT* newValue)
{
    return RaiseCancellable(*this, kBeforeCellUpdate, cell, newValue);
}
bool EventEnableMask::Fire_BeforeColPosChanged(std::int32_t action, IDispatch* columns)
{
    return RaiseCancellable(*this, kBeforeColPosChanged, action, columns);
}
bool EventEnableMask::Fire_BeforeColRegionScroll(IDispatch* newState, IDispatch* oldState)
{
    return RaiseCancellable(*this, kBeforeColRegionScroll, newState, oldState);
}
bool EventEnableMask::Fire_BeforeColRegionSize(IDispatch* region1, IDispatch* region2)
{
    return RaiseCancellable(*this, kBeforeColRegionSize, region1, region2);
}
bool EventEnableMask::Fire_BeforeColRegionSplit(IDispatch* original, IDispatch* added)
{
    return RaiseCancellable(*this, kBeforeColRegionSplit, original, added);
}
bool EventEnableMask::Fire_BeforeColRegionRemoved(IDispatch* region)
{
    return RaiseCancellable(*this, kBeforeColRegionRemoved, region);
}
bool EventEnableMask::Fire_BeforeCellDeactivate() { return RaiseCancellable(*this, kBeforeCellDeactivate); }
bool EventEnableMask::Fire_BeforeCellListDropDown(IDispatch* cell)
{
    return RaiseCancellable(*this, kBeforeCellListDropDown, cell);
}
bool EventEnableMask::Fire_BeforeEnterEditMode() { return RaiseCancellable(*this, kBeforeEnterEditMode); }
bool EventEnableMask::Fire_BeforeExitEditMode() { return RaiseCancellable(*this, kBeforeExitEditMode); }
bool EventEnableMask::Fire_BeforeGroupPosChanged(std::int32_t action, IDispatch* groups)
{
    return RaiseCancellable(*this, kBeforeGroupPosChanged, action, groups);
}
bool EventEnableMask::Fire_BeforeRowDeactivate() { return RaiseCancellable(*this, kBeforeRowDeactivate); }
bool EventEnableMask::Fire_BeforeRowCollapsed(IDispatch* row)
{
    return RaiseCancellable(*this, kBeforeRowCollapsed, row);
}

bool EventEnableMask::Fire_BeforeRowsDeleted(IDispatch* rows, bool& displayPrompt)
{
    EventFiringScope scope(*this, kBeforeRowsDeleted.dispid);
    if (!scope.IsAllowed())
        return false;
    ReturnObject<IHvReturnBoolean> prompt(HvReturnBoolean::Create(displayPrompt ? VARIANT_TRUE : VARIANT_FALSE));
    if (!prompt)
        return false;
    ReturnObject<IHvReturnBoolean> cancel(HvReturnBoolean::Create(VARIANT_FALSE));
    if (!cancel)
        return false;
    FireEvent(scope.Owner(), kBeforeRowsDeleted, rows, prompt.get(), cancel.get());
    const bool cancelled = ReadValue(cancel.get(), VARIANT_BOOL(VARIANT_FALSE)) != 0;
    displayPrompt = ReadValue(prompt.get(), VARIANT_BOOL(displayPrompt ? VARIANT_TRUE : VARIANT_FALSE)) != 0;
    return cancelled;
}

bool EventEnableMask::Fire_BeforeRowExpanded(IDispatch* row)
{
    return RaiseCancellable(*this, kBeforeRowExpanded, row);
}
bool EventEnableMask::Fire_BeforeRowInsert(IDispatch* band, IDispatch* parentRow)
{
    return RaiseCancellable(*this, kBeforeRowInsert, band, parentRow);
}
bool EventEnableMask::Fire_BeforeRowRegionScroll(IDispatch* newState, IDispatch* oldState)
{
    return RaiseCancellable(*this, kBeforeRowRegionScroll, newState, oldState);
}
bool EventEnableMask::Fire_BeforeRowRegionSize(IDispatch* region1, IDispatch* region2)
{
    return RaiseCancellable(*this, kBeforeRowRegionSize, region1, region2);
}
bool EventEnableMask::Fire_BeforeRowRegionSplit(IDispatch* original, IDispatch* added)
{
    return RaiseCancellable(*this, kBeforeRowRegionSplit, original, added);
}
bool EventEnableMask::Fire_BeforeRowRegionRemoved(IDispatch* region)
{
    return RaiseCancellable(*this, kBeforeRowRegionRemoved, region);
}

bool EventEnableMask::Fire_BeforeRowResize(IDispatch* row, std::int32_t& height)
{
    EventFiringScope scope(*this, kBeforeRowResize.dispid);
    if (!scope.IsAllowed())
        return false;
    ReturnObject<IHvReturnBoolean> cancel(HvReturnBoolean::Create(VARIANT_FALSE));
    if (!cancel)
        return false;
    const float units = m_units ? static_cast<float>(m_units->PixelsToContainerY(height)) : static_cast<float>(height);
    ReturnObject<IHvReturnFloat> newHeight(HvReturnFloat::Create(units));
    if (!newHeight)
        return false;
    FireEvent(scope.Owner(), kBeforeRowResize, row, newHeight.get(), cancel.get());
    const bool cancelled = ReadValue(cancel.get(), VARIANT_BOOL(VARIANT_FALSE)) != 0;
    const float changed = ReadValue(newHeight.get(), units);
    // Written back whether or not cancelled: the caller decides what to apply.
    height = m_units ? m_units->ContainerYToPixels(changed) : static_cast<std::int32_t>(changed);
    return cancelled;
}

bool EventEnableMask::Fire_BeforeRowUpdate(IDispatch* row)
{
    return RaiseCancellable(*this, kBeforeRowUpdate, row);
}

bool EventEnableMask::Fire_BeforeSelectChange(std::int32_t kind, IDispatch* newSelections)
{
    // A selection change made by a BeforeSelectChange handler is refused.
    if (IsEventFiring(kBeforeSelectChange.dispid))
        return true;
    EventFiringScope scope(*this, kBeforeSelectChange.dispid);
    if (!scope.IsAllowed())
        return false;
    ReturnObject<IHvReturnBoolean> cancel(HvReturnBoolean::Create(VARIANT_FALSE));
    if (!cancel)
        return true;
    FireEvent(scope.Owner(), kBeforeSelectChange, SelectChangeKindForEvent(kind), newSelections, cancel.get());
    return ReadValue(cancel.get(), VARIANT_BOOL(VARIANT_FALSE)) != 0;
}

bool EventEnableMask::Fire_BeforeSortChange(IDispatch* band, IDispatch* newSortedCols)
{
    return RaiseCancellable(*this, kBeforeSortChange, band, newSortedCols);
}
bool EventEnableMask::Fire_BeforeCellCancelUpdate(IDispatch* cell)
{
    return RaiseCancellable(*this, kBeforeCellCancelUpdate, cell);
}
bool EventEnableMask::Fire_BeforeRowCancelUpdate(IDispatch* row)
{
    return RaiseCancellable(*this, kBeforeRowCancelUpdate, row);
}
bool EventEnableMask::Fire_OnSelectionDrag() { return RaiseCancellable(*this, kOnSelectionDrag); }
