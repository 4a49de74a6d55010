// The grid control's active objects and selection management.
#include "GridControlFixture.h"

#include "EventEnableMask.h"
#include "HvLayout.h"
#include "HvSelected.h"
#include "ScrollRegionItem.h"

TEST_CASE("clearing empty selections raises no event and answers done")
{
    HostedGrid hosted;
    HvTavelle* grid = hosted.grid;
    hosted.host.Events().ClearReceived();
    for (LONG kind : {0L, 1L, 2L, 99L}) {
        CAPTURE(kind);
        CHECK(grid->ClearSelection(kind, true) == 0);
    }
    CHECK(grid->ClearAllSelections() == 0);
    CHECK(hosted.host.Events().ReceivedCount(1045) == 0);
    CHECK(hosted.host.Events().ReceivedCount(1011) == 0);
    CHECK(grid->ClearSelection(3, true) == E_FAIL);
    CHECK(grid->ClearSelection(7, false) == E_FAIL);
}

TEST_CASE("a selection object asked for inside BeforeSelectChange is detached from the grid")
{
    HostedGrid hosted;
    HvTavelle* grid = hosted.grid;
    REQUIRE(grid->GetSelectedObject(false) == nullptr);
    HvSelected* inside = nullptr;
    hosted.host.Events().On(1045, [&](const hv::container::EventCall&) { inside = grid->GetSelectedObject(true); });
    grid->Gate()->Fire_BeforeSelectChange(3, nullptr);
    REQUIRE(inside != nullptr);
    CHECK(inside->IsReadOnly());
    // The grid itself still has no selection object.
    CHECK(grid->GetSelectedObject(false) == nullptr);
    HvSelected* live = grid->GetSelectedObject(true);
    REQUIRE(live);
    CHECK(live != inside);
    CHECK_FALSE(live->IsReadOnly());
    CHECK(grid->GetSelectedObject(true) == live);
}

TEST_CASE("active objects: none at first; the active row region falls back to the first visible one")
{
    HostedGrid hosted;
    REQUIRE(hosted.host.Activate() == S_OK);
    HvTavelle* grid = hosted.grid;
    CHECK(grid->GetActiveRow() == nullptr);
    CHECK(grid->GetActiveCell() == nullptr);
    CHECK_FALSE(grid->IsInEditMode());
    ShowWindow(hosted.window.Hwnd(), SW_SHOW);
    UpdateWindow(grid->ControlWindow());
    PumpGridMessages();
    ScrollRegionItem* rows = grid->GetActiveRowScrollRegion();
    ScrollRegionItem* columns = grid->GetActiveColScrollRegion(true);
    REQUIRE(rows);
    REQUIRE(columns);
    CHECK(grid->GetActiveRowScrollRegion() == rows);
    grid->SetActiveRowScrollRegion(nullptr);
    CHECK(grid->GetActiveRowScrollRegion() == rows);
    // Objects without a kind are no pivots.
    grid->SetSelectionPivot(nullptr, false);
    CHECK(grid->GetSelectionPivot(nullptr) == nullptr);
    CHECK_FALSE(grid->IsSelectionPivot(nullptr));
    CHECK(HvTavelle::SelectableKind(nullptr) == -1);
    hosted.host.Close();
}

TEST_CASE("the selected rows the layout sees are the selection object's")
{
    HostedGrid hosted;
    HvTavelle* grid = hosted.grid;
    CHECK(grid->SelectedRows() == nullptr);
    HvSelected* selected = grid->GetSelectedObject(true);
    REQUIRE(selected);
    CHECK(grid->SelectedRows() == selected->Rows());
}
