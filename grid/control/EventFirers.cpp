// The firers of the grid's events that hand nothing back: the After events,
// notifications and the hover, focus and posted-message events.
#include "EventEnableMask.h"

#include "EventRaise.h"

using event_raise::Raise;
using event_raise::SelectChangeKindForEvent;

namespace {

constexpr VARTYPE kObject[] = {VT_DISPATCH};
constexpr VARTYPE kLongObject[] = {VT_I4, VT_DISPATCH};
constexpr VARTYPE kLong[] = {VT_I4};
constexpr VARTYPE kContextObjectBool[] = {VT_I4, VT_DISPATCH, VT_BOOL};
constexpr VARTYPE kPostMessage[] = {VT_I4, VT_VARIANT, VT_VARIANT};

constexpr EventDescriptor kInitializeLayout{1056, 2, kLongObject};
constexpr EventDescriptor kAfterCellActivate{1000, 0, nullptr};
constexpr EventDescriptor kAfterCellUpdate{1002, 1, kObject};
constexpr EventDescriptor kAfterColPosChanged{1003, 2, kLongObject};
constexpr EventDescriptor kAfterColRegionScroll{1005, 1, kObject};
constexpr EventDescriptor kAfterColRegionSize{1004, 1, kObject};
constexpr EventDescriptor kAfterEnterEditMode{1006, 0, nullptr};
constexpr EventDescriptor kAfterExitEditMode{1007, 0, nullptr};
constexpr EventDescriptor kAfterGroupPosChanged{1009, 2, kLongObject};
constexpr EventDescriptor kAfterRowActivate{1010, 0, nullptr};
constexpr EventDescriptor kAfterRowCollapsed{1068, 1, kObject};
constexpr EventDescriptor kAfterRowExpanded{1069, 1, kObject};
constexpr EventDescriptor kAfterRowsDeleted{1011, 0, nullptr};
constexpr EventDescriptor kAfterRowInsert{1012, 1, kObject};
constexpr EventDescriptor kAfterRowRegionScroll{1014, 1, kObject};
constexpr EventDescriptor kAfterRowRegionSize{1013, 1, kObject};
constexpr EventDescriptor kAfterRowResize{1015, 1, kObject};
constexpr EventDescriptor kAfterRowUpdate{1016, 1, kObject};
constexpr EventDescriptor kAfterSelectChange{1017, 1, kLong};
constexpr EventDescriptor kAfterSortChange{1018, 1, kObject};
constexpr EventDescriptor kAfterCellCancelUpdate{1067, 1, kObject};
constexpr EventDescriptor kAfterRowCancelUpdate{1019, 1, kObject};
constexpr EventDescriptor kBeforeRowActivate{1065, 1, kObject};
constexpr EventDescriptor kClickCellButton{1051, 1, kObject};
constexpr EventDescriptor kCellChange{1064, 1, kObject};
constexpr EventDescriptor kCellListSelect{1063, 1, kObject};
constexpr EventDescriptor kAfterCellListCloseUp{1052, 1, kObject};
constexpr EventDescriptor kError{1055, 1, kObject};
constexpr EventDescriptor kInitializeRow{1057, 3, kContextObjectBool};
constexpr EventDescriptor kMouseEnter{49, 1, kObject};
constexpr EventDescriptor kMouseExit{50, 1, kObject};
constexpr EventDescriptor kOnKillFocus{1061, 1, kLong};
constexpr EventDescriptor kOnSetFocus{1060, 1, kLong};
constexpr EventDescriptor kPostMessageReceived{1062, 3, kPostMessage};

} // namespace

void EventEnableMask::Fire_InitializeLayout(std::int32_t context, IDispatch* layout)
{
    if (IsEventFiring(kInitializeLayout.dispid))
        return;
    Raise(*this, kInitializeLayout, context, layout);
}

void EventEnableMask::Fire_AfterCellActivate() { Raise(*this, kAfterCellActivate); }
void EventEnableMask::Fire_AfterCellUpdate(IDispatch* cell) { Raise(*this, kAfterCellUpdate, cell); }
void EventEnableMask::Fire_AfterColPosChanged(std::int32_t action, IDispatch* columns)
{
    Raise(*this, kAfterColPosChanged, action, columns);
}
void EventEnableMask::Fire_AfterColRegionScroll(IDispatch* region) { Raise(*this, kAfterColRegionScroll, region); }
void EventEnableMask::Fire_AfterColRegionSize(IDispatch* region) { Raise(*this, kAfterColRegionSize, region); }
void EventEnableMask::Fire_AfterEnterEditMode() { Raise(*this, kAfterEnterEditMode); }
void EventEnableMask::Fire_AfterExitEditMode() { Raise(*this, kAfterExitEditMode); }
void EventEnableMask::Fire_AfterGroupPosChanged(std::int32_t action, IDispatch* groups)
{
    Raise(*this, kAfterGroupPosChanged, action, groups);
}
void EventEnableMask::Fire_AfterRowActivate() { Raise(*this, kAfterRowActivate); }
void EventEnableMask::Fire_AfterRowCollapsed(IDispatch* row) { Raise(*this, kAfterRowCollapsed, row); }
void EventEnableMask::Fire_AfterRowExpanded(IDispatch* row) { Raise(*this, kAfterRowExpanded, row); }
void EventEnableMask::Fire_AfterRowsDeleted() { Raise(*this, kAfterRowsDeleted); }
void EventEnableMask::Fire_AfterRowInsert(IDispatch* row) { Raise(*this, kAfterRowInsert, row); }
void EventEnableMask::Fire_AfterRowRegionScroll(IDispatch* region) { Raise(*this, kAfterRowRegionScroll, region); }
void EventEnableMask::Fire_AfterRowRegionSize(IDispatch* region) { Raise(*this, kAfterRowRegionSize, region); }
void EventEnableMask::Fire_AfterRowResize(IDispatch* row) { Raise(*this, kAfterRowResize, row); }
void EventEnableMask::Fire_AfterRowUpdate(IDispatch* row) { Raise(*this, kAfterRowUpdate, row); }
void EventEnableMask::Fire_AfterSelectChange(std::int32_t kind)
{
    Raise(*this, kAfterSelectChange, SelectChangeKindForEvent(kind));
}
void EventEnableMask::Fire_AfterSortChange(IDispatch* band) { Raise(*this, kAfterSortChange, band); }
void EventEnableMask::Fire_AfterCellCancelUpdate(IDispatch* cell) { Raise(*this, kAfterCellCancelUpdate, cell); }
void EventEnableMask::Fire_AfterRowCancelUpdate(IDispatch* row) { Raise(*this, kAfterRowCancelUpdate, row); }
// BeforeRowActivate has no Cancel argument: the row change cannot be refused.
void EventEnableMask::Fire_BeforeRowActivate(IDispatch* row) { Raise(*this, kBeforeRowActivate, row); }
void EventEnableMask::Fire_ClickCellButton(IDispatch* cell) { Raise(*this, kClickCellButton, cell); }
void EventEnableMask::Fire_CellChange(IDispatch* cell) { Raise(*this, kCellChange, cell); }
void EventEnableMask::Fire_CellListSelect(IDispatch* cell) { Raise(*this, kCellListSelect, cell); }
void EventEnableMask::Fire_AfterCellListCloseUp(IDispatch* cell) { Raise(*this, kAfterCellListCloseUp, cell); }
// The handler's changes stay in the error object for the reporting code.
void EventEnableMask::Fire_Error(IDispatch* errorInfo) { Raise(*this, kError, errorInfo); }
void EventEnableMask::Fire_InitializeRow(std::int32_t context, IDispatch* row, bool reinitialize)
{
    Raise(*this, kInitializeRow, context, row, reinitialize);
}
void EventEnableMask::Fire_MouseEnter(IDispatch* element) { Raise(*this, kMouseEnter, element); }
void EventEnableMask::Fire_MouseExit(IDispatch* element) { Raise(*this, kMouseExit, element); }
// Window handles travel as the type library's 32-bit OLE_HANDLE.
void EventEnableMask::Fire_OnKillFocus(HWND gettingFocus)
{
    Raise(*this, kOnKillFocus, static_cast<LONG>(reinterpret_cast<LONG_PTR>(gettingFocus)));
}
void EventEnableMask::Fire_OnSetFocus(HWND losingFocus)
{
    Raise(*this, kOnSetFocus, static_cast<LONG>(reinterpret_cast<LONG_PTR>(losingFocus)));
}
void EventEnableMask::Fire_PostMessageReceived(std::int32_t messageId, const VARIANT& data1, const VARIANT& data2)
{
    Raise(*this, kPostMessageReceived, messageId, data1, data2);
}
