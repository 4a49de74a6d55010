// Resizing two neighbouring regions, ending splitter drags, marking and
// recalculating the regions.
#include "RegionTestSupport.h"

#include "ModelTestSupport.h"

#include <doctest/doctest.h>

#include <cstring>

TEST_CASE_TEMPLATE("ResizeRegion: the next visible region takes the difference", Axis, ColAxis, RowAxis)
{
    RegionLayout layout;
    RegionControl control;
    layout.control = &control;
    layout.MakeCollections();
    GiveRegions<Axis>(layout, {300, 200});
    auto* c = Axis::Of(layout);
    auto* first = Axis::At(layout, 0);
    auto* second = Axis::At(layout, 1);
    const long m = Axis::Metric();

    struct Case {
        long asked;
        long first;
    };
    const Case cases[] = {{600, 500 - m}, {100, 100}, {0, 0}, {500 - m, 500 - m}};
    for (const Case& k : cases) {
        CAPTURE(k.asked);
        first->state.extent = 300;
        second->state.origin = 307;
        second->state.extent = 200;
        control.events.clear();
        layout.dirtyRoot.clear();
        CHECK(c->ResizeRegion(first, k.asked) == S_OK);
        CHECK(first->state.origin == 0);
        CHECK(first->state.extent == k.first);
        CHECK(second->state.extent == 500 - k.first);
        CHECK(second->state.origin == 307 + k.first - 300);
        REQUIRE(control.events.size() == 1);
        CHECK(control.events[0].name == Axis::SizeEvent);
        CHECK(control.events[0].first == first->Dispatch());
        CHECK(control.events[0].second == second->Dispatch());
        CHECK(control.events[0].controlRefs == 2);
        CHECK(layout.dirtyRoot == std::vector<std::pair<bool, bool>>{{true, true}});
    }
    CHECK(first->state.forcedScrollBarUpdates == 4);
    CHECK(second->state.forcedScrollBarUpdates == 4);

    CHECK(c->ResizeRegion(first, -1) == HvResult::InvalidPropertyValue);
    CHECK(LastErrorDescription() == L"Invalid property value");
}

TEST_CASE_TEMPLATE("ResizeRegion refusals and the event's veto", Axis, ColAxis, RowAxis)
{
    RegionLayout layout;
    RegionControl control;
    layout.control = &control;
    layout.MakeCollections();
    GiveRegions<Axis>(layout, {300, 200, 100});
    auto* c = Axis::Of(layout);
    auto* first = Axis::At(layout, 0);
    auto* second = Axis::At(layout, 1);
    Axis::At(layout, 2)->state.hidden = true;

    // The last visible region, even with a hidden one after it.
    CHECK(c->ResizeRegion(second, 50) == static_cast<HRESULT>(0x800A9C62));
    CHECK(LastErrorDescription() == L"Can't adjust the size of the rightmost or bottommost scroll region.");

    for (DISPID event : {Axis::SizeEventId, Axis::SplitEventId}) {
        control.firing = {event};
        CHECK(c->ResizeRegion(first, 50) == static_cast<HRESULT>(0x800A9C58));
        CHECK(LastErrorDescription() == L"This property is read-only in this event.");
    }
    control.firing.clear();
    CHECK(first->state.extent == 300);

    control.cancel = true;
    CHECK(c->ResizeRegion(first, 100) == S_OK);
    CHECK(first->state.extent == 300);
    CHECK(second->state.origin == 307);
    CHECK(second->state.extent == 200);
    CHECK(layout.dirtyRoot.empty());
    CHECK(first->state.forcedScrollBarUpdates == 0);
}

TEST_CASE_TEMPLATE("MoveSplitter from a split box splits the region under the position", Axis, ColAxis, RowAxis)
{
    RegionLayout layout;
    layout.MakeCollections();
    GiveRegions<Axis>(layout, {300});
    auto* c = Axis::Of(layout);
    // Too close to either edge of the region: nothing.
    for (long x : {0L, 7L, 293L, 400L}) {
        CAPTURE(x);
        c->MoveSplitter(x, nullptr);
        CHECK(c->ItemCount() == 1);
    }
    c->MoveSplitter(100, nullptr);
    CHECK(c->ItemCount() == 2);
    CHECK(Axis::At(layout, 0)->state.splitSizes == std::vector<float>{1500.0f});
}

TEST_CASE_TEMPLATE("MoveSplitter from a splitter: shut, over the next region, or a resize", Axis, ColAxis,
                   RowAxis)
{
    RegionLayout layout;
    RegionControl control;
    layout.control = &control;
    layout.MakeCollections();
    GiveRegions<Axis>(layout, {300, 200}); // 0..300, 307..507
    auto* c = Axis::Of(layout);
    auto* first = Axis::At(layout, 0);
    auto* second = Axis::At(layout, 1);

    SUBCASE("dragged shut: the region goes, the next one takes its place")
    {
        c->MoveSplitter(1, first);
        REQUIRE(c->ItemCount() == 1);
        CHECK(Axis::At(layout, 0) == second);
        CHECK(second->state.origin == 0);
        CHECK(second->state.extent == 507);
        CHECK(layout.fits == 1);
    }
    SUBCASE("dragged over the whole next region: the next one goes")
    {
        c->MoveSplitter(307 - 7 + 200, first);
        REQUIRE(c->ItemCount() == 1);
        CHECK(Axis::At(layout, 0) == first);
        CHECK(first->state.origin == 0);
        CHECK(first->state.extent == 507);
        CHECK(layout.fits == 1);
    }
    SUBCASE("over a next region of fixed size: the dragged region goes")
    {
        second->state.sizing = ScrollRegionItem::SizingModeFixed;
        c->MoveSplitter(600, first);
        REQUIRE(c->ItemCount() == 1);
        CHECK(Axis::At(layout, 0) == second);
        CHECK(second->state.originExtentCalls.empty());
        CHECK(layout.fits == 1);
    }
    SUBCASE("anywhere else: a resize")
    {
        c->MoveSplitter(250, first);
        CHECK(c->ItemCount() == 2);
        CHECK(first->state.extent == 250);
        CHECK(second->state.extent == 250);
        CHECK(layout.fits == 0);
    }
    SUBCASE("a cancelled removal changes nothing")
    {
        control.cancel = true;
        c->MoveSplitter(1, first);
        CHECK(c->ItemCount() == 2);
        CHECK(second->state.originExtentCalls.empty());
        CHECK(layout.fits == 0);
    }
}

TEST_CASE("column regions: marking dirty and recalculating once")
{
    RegionLayout layout;
    layout.MakeCollections();
    GiveRegions<ColAxis>(layout, {100, 100});
    GiveRegions<RowAxis>(layout, {100, 100});
    HvColScrollRegions* cols = layout.cols;

    CHECK(cols->MarkRegionsDirty());
    CHECK(layout.Col(0)->state.dirtyCalls == std::vector<std::string>{"D-M"});
    layout.Col(0)->state.dirtyCalls.clear();
    layout.Col(1)->state.dirtyCalls.clear();

    cols->RecalcIfDirty();
    cols->MarkAllScrollRegionsDirty(true);
    CHECK(cols->RecalcPending());
    for (LONG i = 0; i < 2; ++i) {
        CHECK(layout.Col(i)->state.dirtyCalls == std::vector<std::string>{"DRM"});
        CHECK(layout.Row(i)->state.dirtyCalls == std::vector<std::string>{"DR"});
    }
    CHECK(layout.dirtyRoot.back() == std::make_pair(false, true));

    layout.gridVisible = true;
    cols->RecalcIfDirty();
    cols->RecalcIfDirty();
    CHECK_FALSE(cols->RecalcPending());
    CHECK_FALSE(cols->Recalculating());
    for (LONG i = 0; i < 2; ++i) {
        CHECK(layout.Col(i)->state.resetMetrics == 2);
        CHECK(layout.Col(i)->state.recalculations == 2);
    }
    CHECK(layout.bandExtentUpdates == 2);
    CHECK(layout.editRepositions == 1);
}

TEST_CASE("column regions by position and by identity block")
{
    RegionLayout layout;
    layout.MakeCollections();
    GiveRegions<ColAxis>(layout, {100, 100}); // 0..100, 107..207
    HvColScrollRegions* cols = layout.cols;
    layout.Col(1)->state.clientSize = 50;
    struct Case {
        long x;
        LONG region; // -1: none
    };
    for (const Case& k : {Case{0, 0}, Case{100, 0}, Case{103, -1}, Case{107, 1}, Case{157, 1}, Case{158, -1}}) {
        CAPTURE(k.x);
        CHECK(cols->RegionFromPosition(k.x) == (k.region < 0 ? nullptr : layout.Col(k.region)));
    }

    BYTE block[16];
    for (BYTE i = 0; i < 16; ++i)
        block[i] = static_cast<BYTE>(i + 1);
    std::memcpy(layout.Col(1)->state.identity.data(), block, 16);
    CHECK(cols->FindRegionByBlock(block) == layout.Col(1));
    block[15] = 0;
    CHECK(cols->FindRegionByBlock(block) == nullptr);
}

TEST_CASE("row regions: dirty marks, visible rows emptied, first rows forgotten")
{
    RegionLayout layout;
    layout.MakeCollections();
    GiveRegions<RowAxis>(layout, {100, 100});
    HvRowScrollRegions* rows = layout.rows;
    rows->MarkRegionsDirty();
    CHECK(layout.Row(0)->state.forcedScrollBarUpdates == 1);
    rows->MarkRowScrollRegionsDirty(false);
    CHECK(layout.Row(1)->state.dirtyCalls == std::vector<std::string>{"D-"});

    FakeRow* row = new FakeRow(1);
    HvVisibleRows* visible = nullptr;
    REQUIRE(HvVisibleRows::Create(layout.Row(0), &visible) == S_OK);
    layout.Row(0)->visibleRows = visible;
    RowSource source({row});
    REQUIRE(visible->Rebuild(source) == S_OK);
    CHECK(visible->ItemCount() == 1);
    CHECK(rows->RecalcAllRegions());
    CHECK(visible->ItemCount() == 0);

    rows->ResetAllRegions();
    CHECK(layout.Row(0)->state.firstRowClears == 1);
    CHECK(layout.Row(1)->state.firstRowClears == 1);
    row->Release();
}
