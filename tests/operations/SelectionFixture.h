// Stand-ins for the selection operations: items of a band laid out on a
// grid of 50 x 20 pixel places (rows down, columns across, a cell where a
// row and a column meet), and a control that keeps the selection, the
// pivot and the events, and answers the keys and the cursor the test sets.
#pragma once

#include "InputDispatcher.h"
#include "InputDispatcherHost.h"
#include "SelectOperation.h"

#include <memory>
#include <string>
#include <vector>

class FakeTarget final : public SelectableTarget {
public:
    FakeTarget(LONG kind, int index, const void* band) : index(index), kind_(kind), band_(band) {}

    ULONG AddRefTarget() override { return ++references; }
    ULONG ReleaseTarget() override { return --references; }
    LONG GetKind() override { return kind_; }
    const void* GetBand() override { return band_; }
    SelectableTarget* GetRow() override { return row; }
    void GetGroupColumns(std::vector<SelectableTarget*>& out) override { out = members; }
    bool IsSelected() override { return selected; }
    void SetSelected(bool value) override;
    bool IsSelectedThroughColumns() override;
    void SetSavedMark(bool value) override { saved = value; }
    bool IsTabStop() override { return tabStop; }
    bool ActivateByKey(bool) override { return false; }
    bool ActivateOnClick(bool, bool) override { return consumeClick; }
    void EnterEditMode() override { ++edits; }
    bool CanDragMove() override { return movable; }
    void BeginHeaderDrag() override { ++headerDrags; }
    void OnHeaderClick() override { ++headerClicks; }
    LONG SelectionLimit() override { return limit; }

    int index;
    ULONG references = 1;
    bool selected = false;
    bool saved = false;
    bool tabStop = true;
    bool consumeClick = false;
    bool movable = false;
    LONG limit = 0;
    int edits = 0;
    int headerDrags = 0;
    int headerClicks = 0;
    SelectableTarget* row = nullptr;
    std::vector<SelectableTarget*> members;

private:
    LONG kind_;
    const void* band_;
};

class SelectionFixture final : public SelectionHost, public InputDispatcherHost {
public:
    SelectionFixture();

    // Items of the band: rows[i] at y 20*i, columns[j] at x 50*j,
    // cells[i][j] where they meet; group holds columns 0 and 1.
    std::vector<std::unique_ptr<FakeTarget>> rows;
    std::vector<std::unique_ptr<FakeTarget>> columns;
    std::vector<std::vector<std::unique_ptr<FakeTarget>>> cells;
    std::unique_ptr<FakeTarget> group;
    FakeTarget otherBandRow{SelectableTarget::Row, 0, "other"};

    // Input: a press through the operation (with the cursor there), then
    // moves and the release through the dispatcher.
    void Press(SelectOperation& operation, FakeTarget* item, int x, int y, bool shiftAllowed = true);
    LRESULT Move(int x, int y);
    LRESULT Release(int x, int y);

    // The selected items as "r0 r1", "c0.1", "k2" (rows, cells, columns).
    std::string Selected() const;
    // Sets the selection without events.
    void Select(std::initializer_list<FakeTarget*> items);
    FakeTarget* Cell(int row, int column) { return cells[row][column].get(); }

    // SelectionHost
    InputDispatcher* SelectionDispatcher() override { return &dispatcher; }
    bool CanFireSelectEvents(SelectableTarget*) override { return eventsAllowed; }
    bool FireBeforeSelectChange(LONG kind, const SelectionSet& wouldBe) override;
    void FireAfterSelectChange(LONG kind) override;
    const SelectionSet& CurrentSelection() override { return current; }
    void ClearSelectionsForKind(LONG kind, bool keepSameKind, bool clearOthers) override;
    void AdoptSelection(const SelectionSet& selection) override { current = selection; }
    void ApplySelection(const SelectionSet& selection, bool rangeMode, const SelectionSet* rangeLists) override;
    void AddSelectedQuietly(SelectableTarget* item, bool clearFirst) override;
    SelectableTarget* GetSelectionPivot(SelectableTarget*) override { return pivot; }
    void SetSelectionPivot(SelectableTarget* item, bool keepExisting) override;
    HRESULT FillRange(SelectableTarget* from, SelectableTarget* to, LONG counted, SelectionSet::List& out) override;
    SelectableTarget* SelectableItemAtPoint(int x, int y, SelectableTarget* current) override;
    void ArmAutoScroll(int, int, bool excludeRows) override { ++autoScrolls; autoScrollRowsExcluded = excludeRows; }
    void DisarmAutoScroll() override { ++autoScrollStops; }
    void StartSelectionDragTimer() override { timerRunning = true; }
    void KillSelectionDragTimer() override { timerRunning = false; }
    bool SelectionDragCancelled() override { return dragCancelled; }
    bool SelectionDragPending() override { return dragPending; }
    void BeginVisibleRowsSelectionUpdate() override { rowsUpdating = true; }
    void EndVisibleRowsSelectionUpdate() override { rowsUpdating = false; }
    void ReportTooManyItems() override { ++tooMany; }
    HRESULT RaiseSelectError(SelectableTarget*, HRESULT code, UINT stringId) override;
    POINT CursorPos() override { return cursor; }
    bool IsShiftDown() override { return shift; }
    bool IsCtrlDown() override { return ctrl; }
    bool IsPrimaryButtonDown() override { return buttonDown; }
    bool CtrlHeldFlag() override { return ctrlHeld; }
    bool CtrlReleasedFlag() override { return ctrlReleased; }

    // InputDispatcherHost: no window, so the capture stays with the
    // dispatcher's registration.
    CControlBase* InputControl() override { return nullptr; }
    HWND GetGridWindow() override { return nullptr; }
    bool ActiveCellHasMaskEngine() override { return false; }
    HWND GetDropDownCalendar() override { return nullptr; }
    bool IsPointInGridArea(int, int) override { return true; }

    InputDispatcher dispatcher;
    SelectionSet current;
    SelectableTarget* pivot = nullptr;
    std::vector<std::string> events;
    bool cancelBefore = false;
    bool eventsAllowed = true;
    bool shift = false;
    bool ctrl = false;
    bool ctrlHeld = false;
    bool ctrlReleased = false;
    bool buttonDown = true;
    bool timerRunning = false;
    bool dragCancelled = false;
    bool dragPending = false;
    int autoScrolls = 0;
    int autoScrollStops = 0;
    bool autoScrollRowsExcluded = false;
    bool rowsUpdating = false;
    int tooMany = 0;
    UINT errorString = 0;
    POINT cursor = {};
};
