// The selection strategies driven by synthetic presses, moves and releases
// over a stand-in band: what each SelectType selects, the events around
// every change and their cancellation, header drags and clicks, the bands'
// limits, and selection from the object model.
#include "SelectionFixture.h"

#include "SelectExtendedOperation.h"
#include "SelectNoneOperation.h"
#include "SelectSingleOperation.h"

#include <doctest/doctest.h>

namespace {

using Events = std::vector<std::string>;

// A move that changed the selection makes the operation skip the next one,
// as the mouse sends moves in quick succession: two moves to one place.
void DragTo(SelectionFixture& f, int x, int y)
{
    f.Move(x, y);
    f.Move(x, y + 1);
}

void Click(SelectionFixture& f, SelectOperation& operation, FakeTarget* item, int x, int y)
{
    f.Press(operation, item, x, y);
    f.Release(x, y);
}

} // namespace

TEST_CASE("SelectType None selects nothing: a 4-pixel drag moves the header, a release clicks it")
{
    SelectionFixture f;
    FakeTarget* column = f.columns[0].get();
    SelectNoneOperation none(f);
    f.Press(none, column, 10, 5);
    CHECK(f.dispatcher.HasCapture());
    f.Move(13, 8);
    CHECK(column->headerDrags == 0);
    f.Move(14, 5);
    CHECK(column->headerDrags == 1);
    CHECK_FALSE(f.dispatcher.HasCapture());

    ControlSelectOperation control(f);
    Click(f, control, column, 10, 5);
    CHECK(column->headerClicks == 1);
    CHECK_FALSE(f.dispatcher.HasCapture());
    CHECK(f.Selected().empty());
    CHECK(f.events.empty());

    CHECK(none.SetObjectSelected(f.rows[0].get(), true) == SelectOperation::SelectError);
    CHECK(f.errorString == 4012);
    CHECK(f.Selected().empty());
}

TEST_CASE("Single: a press selects the item alone and a drag moves the selection, with events")
{
    SelectionFixture f;
    SelectSingleOperation single(f);
    Click(f, single, f.rows[1].get(), 10, 25);
    CHECK(f.Selected() == "r1");
    CHECK(f.events == Events{"before 0 1", "after 0"});

    f.events.clear();
    f.Press(single, f.rows[0].get(), 10, 5);
    CHECK(f.Selected() == "r0");
    f.Move(10, 45);  // the move right after the press is skipped
    CHECK(f.Selected() == "r0");
    f.Move(10, 46);
    CHECK(f.Selected() == "r2");
    f.Release(10, 46);
    CHECK(f.events == Events{"before 0 1", "after 0", "before 0 1", "after 0"});
    CHECK_FALSE(f.dispatcher.HasCapture());
    CHECK(f.autoScrollStops > 0);

    SUBCASE("a cancelled change leaves everything as it was")
    {
        f.events.clear();
        f.cancelBefore = true;
        Click(f, single, f.rows[4].get(), 10, 85);
        CHECK(f.Selected() == "r2");
        CHECK(f.events == Events{"before 0 1"});
    }
    SUBCASE("Ctrl keeps the columns beside the rows")
    {
        f.Select({f.columns[1].get()});
        f.ctrl = true;
        Click(f, single, f.rows[3].get(), 10, 65);
        CHECK(f.Selected() == "r3 k1");
    }
}

TEST_CASE("Single: a second press on the selected cell edits it on release")
{
    SelectionFixture f;
    SelectSingleOperation single(f);
    FakeTarget* cell = f.Cell(1, 1);
    Click(f, single, cell, 60, 25);
    CHECK(f.Selected() == "c1.1");
    CHECK(cell->edits == 0);
    Click(f, single, cell, 60, 25);
    CHECK(cell->edits == 1);
    CHECK(single.GetState() == SelectOperationEx::Idle);

    SUBCASE("a selected movable column starts a header drag after 4 pixels")
    {
        FakeTarget* column = f.columns[2].get();
        column->movable = true;
        f.Select({column});
        f.Press(single, column, 110, 5);
        CHECK(single.GetState() == SelectOperationEx::PressedMovable);
        f.Move(110, 9);
        CHECK(column->headerDrags == 1);
        CHECK_FALSE(f.dispatcher.HasCapture());
    }
}

TEST_CASE("Single: a group of columns is selected only when it has one column")
{
    SelectionFixture f;
    SelectSingleOperation single(f);
    CHECK(single.SetObjectSelected(f.group.get(), true) == SelectOperation::SelectError);
    CHECK(f.errorString == 4013);
    CHECK(f.Selected().empty());

    f.group->members = {};
    CHECK(single.SetObjectSelected(f.group.get(), true) == S_OK);
    CHECK(f.events.empty());

    f.group->members = {f.columns[2].get()};
    CHECK(single.SetObjectSelected(f.group.get(), true) == S_OK);
    CHECK(f.Selected() == "k2");
    CHECK(f.events == Events{"before 2 1", "after 2"});
}

TEST_CASE("Extended: click, Ctrl+click toggles, Shift+click ranges, Shift+Ctrl+click adds to the saved selection")
{
    SelectionFixture f;
    SelectExtendedOperation extended(f);
    Click(f, extended, f.rows[1].get(), 10, 25);
    CHECK(f.Selected() == "r1");

    f.ctrl = true;
    f.Press(extended, f.rows[3].get(), 10, 65);
    CHECK(f.rowsUpdating);
    f.Release(10, 65);
    CHECK_FALSE(f.rowsUpdating);
    CHECK(f.Selected() == "r1 r3");
    CHECK(f.rows[1]->saved);  // saved while the Ctrl press ran
    Click(f, extended, f.rows[1].get(), 10, 25);
    CHECK(f.Selected() == "r3");

    f.ctrl = false;
    f.shift = true;
    Click(f, extended, f.rows[4].get(), 10, 85);
    CHECK(f.pivot == f.rows[1].get());
    CHECK(f.Selected() == "r1 r2 r3 r4");
    CHECK_FALSE(f.rows[1]->saved);

    f.shift = false;
    Click(f, extended, f.rows[4].get(), 10, 85);
    Click(f, extended, f.rows[4].get(), 10, 85);
    CHECK(f.Selected() == "r4");
    f.events.clear();
    Click(f, extended, f.rows[2].get(), 10, 45);
    f.ctrl = true;
    Click(f, extended, f.rows[4].get(), 10, 85);
    CHECK(f.Selected() == "r2 r4");
    f.shift = true;
    f.events.clear();
    Click(f, extended, f.rows[0].get(), 10, 5);
    CHECK(f.pivot == f.rows[4].get());
    CHECK(f.Selected() == "r0 r1 r2 r3 r4");
    CHECK(f.events == Events{"before 0 5", "after 0"});
}

TEST_CASE("Extended: a drag extends the range from the pivot as the mouse moves")
{
    SelectionFixture f;
    SelectExtendedOperation extended(f);
    f.Select({f.rows[4].get()});
    f.Press(extended, f.rows[1].get(), 10, 25);
    CHECK(f.Selected() == "r1");
    DragTo(f, 10, 45);
    CHECK(f.Selected() == "r1 r2");
    DragTo(f, 10, 65);
    CHECK(f.Selected() == "r1 r2 r3");
    DragTo(f, 10, 25);
    CHECK(f.Selected() == "r1");
    CHECK(f.autoScrolls > 0);
    CHECK_FALSE(f.autoScrollRowsExcluded);
    f.Release(10, 25);
    CHECK_FALSE(f.dispatcher.HasCapture());

    SUBCASE("a cancelled extension changes nothing")
    {
        f.Press(extended, f.rows[0].get(), 10, 5);
        f.cancelBefore = true;
        f.events.clear();
        DragTo(f, 10, 45);
        CHECK(f.Selected() == "r0");
        CHECK(f.events == Events{"before 0 3"});
        f.Release(10, 45);
    }
    SUBCASE("the band's limit stops the range with Too Many Items")
    {
        for (auto& row : f.rows)
            row->limit = 2;
        f.Press(extended, f.rows[0].get(), 10, 5);
        DragTo(f, 10, 65);
        CHECK(f.tooMany == 1);
        CHECK(f.Selected() == "r0");
        f.Release(10, 65);
    }
}

TEST_CASE("Extended: with MaxSelectedRows 3 reached, Ctrl+click on a fourth row reports and changes nothing")
{
    SelectionFixture f;
    SelectExtendedOperation extended(f);
    for (auto& row : f.rows)
        row->limit = 3;
    f.Select({f.rows[0].get(), f.rows[1].get(), f.rows[2].get()});
    f.ctrl = true;
    Click(f, extended, f.rows[3].get(), 10, 65);
    CHECK(f.tooMany == 1);
    CHECK(f.Selected() == "r0 r1 r2");
    CHECK(f.events.empty());
    CHECK_FALSE(f.rowsUpdating);
    CHECK_FALSE(f.dispatcher.HasCapture());
    // Unselecting one by Ctrl+click is still allowed.
    Click(f, extended, f.rows[1].get(), 10, 25);
    CHECK(f.Selected() == "r0 r2");
    CHECK(extended.SetObjectSelected(f.rows[4].get(), true) == S_OK);
    CHECK(extended.SetObjectSelected(f.rows[3].get(), true) == SelectExtendedOperation::TooManyItems);
    // An item that is selected already is no breach of the limit.
    CHECK(extended.SetObjectSelected(f.rows[0].get(), true) == S_OK);
}

TEST_CASE("Extended: a press on a selected cell selects it alone on release, unless the mouse moves first")
{
    SelectionFixture f;
    SelectExtendedOperation extended(f);
    f.Select({f.Cell(0, 0), f.Cell(1, 1)});
    f.Press(extended, f.Cell(1, 1), 60, 25);
    CHECK(extended.GetState() == SelectOperationEx::PressedUnmovable);
    CHECK(f.timerRunning);
    CHECK(f.events.empty());

    SUBCASE("released in place")
    {
        f.Release(60, 25);
        CHECK_FALSE(f.timerRunning);
        CHECK(f.Selected() == "c1.1");
        CHECK(f.events == Events{"before 1 1", "after 1"});
    }
    SUBCASE("moved 4 pixels: a drag selection from the pressed cell")
    {
        f.Move(60, 45);
        CHECK_FALSE(f.timerRunning);
        f.Move(60, 46);
        CHECK(f.Selected() == "c1.1 c1.2 c2.0 c2.1");
        f.Release(60, 46);
        CHECK(f.Selected() == "c1.1 c1.2 c2.0 c2.1");
    }
    SUBCASE("a selection drag that the handler cancelled ends the press")
    {
        f.dragCancelled = true;
        f.Move(60, 26);
        CHECK_FALSE(f.dispatcher.HasCapture());
        CHECK(f.Selected() == "c0.0 c1.1");
    }
}

TEST_CASE("Extended: selection from the object model and the key-target rules")
{
    SelectionFixture f;
    SelectExtendedOperation extended(f);
    f.Select({f.rows[0].get()});
    f.pivot = f.rows[0].get();
    CHECK(extended.SetObjectSelected(f.rows[2].get(), true) == S_OK);
    CHECK(f.Selected() == "r0 r2");
    CHECK(f.events == Events{"before 0 2", "after 0"});
    CHECK(extended.SetObjectSelected(&f.otherBandRow, true) == SelectExtendedOperation::OtherBand);
    f.events.clear();
    f.eventsAllowed = false;
    CHECK(extended.SetObjectSelected(f.rows[3].get(), false) == S_OK);
    CHECK(f.Selected() == "r0 r2 r3");
    CHECK(f.current.rows.size() == 3);
    CHECK(f.events.empty());
    f.group->members = {};
    CHECK(extended.SetObjectSelected(f.group.get(), true) == S_OK);

    CHECK(extended.AcceptsKeyTarget(&f.otherBandRow, false, false));
    CHECK_FALSE(extended.AcceptsKeyTarget(&f.otherBandRow, true, false));
    CHECK_FALSE(extended.AcceptsKeyTarget(f.Cell(0, 0), false, true));
    f.rows[4]->tabStop = false;
    CHECK_FALSE(extended.AcceptsKeyTarget(f.rows[4].get(), false, false));
    CHECK(extended.AllowsStepAcrossBands(false));
    CHECK_FALSE(extended.AllowsStepAcrossBands(true));
}

TEST_CASE("Extended: the drag end is referenced, with a cell's row, until it is released")
{
    SelectionFixture f;
    FakeTarget* cell = f.Cell(2, 1);
    {
        SelectExtendedOperation extended(f);
        Click(f, extended, cell, 60, 45);
        CHECK(extended.DragEnd() == cell);
        CHECK(cell->references == 2);
        CHECK(f.rows[2]->references == 2);
        Click(f, extended, f.rows[0].get(), 10, 5);
        CHECK(cell->references == 1);
        CHECK(f.rows[2]->references == 1);
        CHECK(f.rows[0]->references == 2);
    }
    CHECK(f.rows[0]->references == 1);
}

TEST_CASE("Extended by key: the Ctrl-held flag toggles, Shift extends from the pivot, the Ctrl-released flag clears")
{
    SelectionFixture f;
    SelectExtendedOperation extended(f);
    auto key = [&](FakeTarget* item) { extended.BeginMouseSelect(item, false, true, false); };
    f.Select({f.rows[0].get()});
    f.ctrlHeld = true;
    key(f.rows[2].get());
    CHECK(f.Selected() == "r0 r2");
    key(f.rows[2].get());
    CHECK(f.Selected() == "r0");
    CHECK(f.pivot == f.rows[2].get());
    CHECK_FALSE(f.dispatcher.HasCapture());

    f.ctrlHeld = false;
    f.shift = true;
    key(f.rows[4].get());
    CHECK(f.Selected() == "r2 r3 r4");

    f.shift = false;
    f.ctrl = true;
    f.ctrlReleased = true;
    key(f.rows[1].get());
    CHECK(f.Selected() == "r1");
    CHECK(f.events.size() == 8);
}
