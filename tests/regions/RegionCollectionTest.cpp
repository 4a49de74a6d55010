// The scroll-region collections through their automation interfaces: the
// first region, Item and Remove, the event's veto, notices, limits and
// deactivation.
#include "RegionTestSupport.h"

#include "LateBound.h"
#include "ModelTestSupport.h"

#include <doctest/doctest.h>

namespace {

constexpr HRESULT kInvalidIndex = static_cast<HRESULT>(0x800AA21D);
constexpr HRESULT kLastRegion = static_cast<HRESULT>(0x800A9C4B);

template <class Axis>
IDispatch* DispatchOf(RegionLayout& layout)
{
    return static_cast<IDispatch*>(Axis::Of(layout));
}

} // namespace

TEST_CASE_TEMPLATE("a layout starts with one region; Item and Remove through the type library", Axis, ColAxis,
                   RowAxis)
{
    RegionLayout layout;
    layout.MakeCollections();
    IDispatch* collection = DispatchOf<Axis>(layout);

    LateResult count;
    LateGet(collection, L"Count", count);
    REQUIRE(count.hr == S_OK);
    CHECK(V_I4(&count.value) == 1);

    LateResult first;
    LateGet(collection, L"Item", first, {I4(0)});
    REQUIRE(first.hr == S_OK);
    REQUIRE(V_VT(&first.value) == VT_DISPATCH);
    CHECK(V_DISPATCH(&first.value) == Axis::At(layout, 0)->Dispatch());

    for (long bad : {1L, -1L}) {
        CAPTURE(bad);
        LateResult item;
        LateGet(collection, L"Item", item, {I4(bad)});
        CHECK(item.hr == DISP_E_EXCEPTION);
        CHECK(item.scode == kInvalidIndex);
        CHECK(item.description == L"Invalid Index value was passed in");
    }

    LateResult removed;
    LateCall(collection, L"Remove", {I4(0)}, removed);
    CHECK(removed.scode == kLastRegion);
    CHECK(removed.description == L"Can't remove last visible row or column scroll region.");

    // The collections have no keys: a text that is no number names nothing.
    VARIANT name = Text(L"first");
    LateResult byKey;
    LateCall(collection, L"Remove", {name}, byKey);
    VariantClear(&name);
    CHECK(byKey.scode == kInvalidIndex);
    CHECK(byKey.description == L"Specified index is invalid");
    CHECK(Axis::Of(layout)->ItemCount() == 1);
    CHECK(CAutomationObject::IsActive(Axis::At(layout, 0)));
}

TEST_CASE_TEMPLATE("a layout whose regions cannot be made has none, and says so", Axis, ColAxis, RowAxis)
{
    RegionLayout layout;
    layout.failCreate = true;
    layout.MakeCollections();
    CHECK(Axis::Of(layout)->ItemCount() == 0);
    IDispatch* item = nullptr;
    CHECK(Axis::Of(layout)->get_Item(0, reinterpret_cast<decltype(Axis::At(layout, 0)->Interface())*>(&item)) ==
          kInvalidIndex);
    CHECK(item == nullptr);
}

TEST_CASE_TEMPLATE("Remove: the last visible region stays, a hidden one goes after the event", Axis, ColAxis,
                   RowAxis)
{
    RegionLayout layout;
    RegionControl control;
    layout.control = &control;
    layout.MakeCollections();
    GiveRegions<Axis>(layout, {300, 200});
    auto* collection = Axis::Of(layout);
    Watcher watcher(collection);
    auto* visible = Axis::At(layout, 0);
    auto* hidden = Axis::At(layout, 1);
    hidden->state.hidden = true;

    VARIANT first = Object(visible->Dispatch());
    CHECK(collection->RemoveRegion(&first) == kLastRegion);
    CHECK(control.events.empty());
    CHECK(collection->ItemCount() == 2);

    SUBCASE("the control cancels")
    {
        control.cancel = true;
        VARIANT second = Object(hidden->Dispatch());
        CHECK(collection->RemoveRegion(&second) == S_OK);
        REQUIRE(control.events.size() == 1);
        CHECK(control.events[0].name == Axis::RemovedEvent);
        CHECK(control.events[0].first == hidden->Dispatch());
        CHECK(control.events[0].controlRefs == 2);
        CHECK(collection->ItemCount() == 2);
        CHECK(CAutomationObject::IsActive(hidden));
        CHECK(watcher.heard.empty());
    }
    SUBCASE("the removal goes on")
    {
        hidden->AddRef();
        VARIANT second = I4(1);
        CHECK(collection->RemoveRegion(&second) == S_OK);
        CHECK(control.events.size() == 1);
        CHECK(collection->ItemCount() == 1);
        CHECK_FALSE(CAutomationObject::IsActive(hidden));
        REQUIRE(watcher.heard.size() == 1);
        CHECK(watcher.heard[0].first == 2002);
        // A region that outlived its collection's hold hears nothing more.
        hidden->Publish(0x467);
        CHECK(watcher.heard.size() == 1);
        hidden->Release();
    }
    SUBCASE("without an event gate nothing is asked")
    {
        control.hasGate = false;
        VARIANT second = I4(1);
        CHECK(collection->RemoveRegion(&second) == S_OK);
        CHECK(control.events.empty());
        CHECK(collection->ItemCount() == 1);
    }
    CHECK(control.identity.refs == 1);
}

TEST_CASE_TEMPLATE("a layout without a control removes without asking", Axis, ColAxis, RowAxis)
{
    RegionLayout layout;
    layout.MakeCollections();
    GiveRegions<Axis>(layout, {100, 100, 100});
    VARIANT middle = I4(1);
    auto* gone = Axis::At(layout, 1);
    auto* last = Axis::At(layout, 2);
    CHECK(Axis::Of(layout)->RemoveRegion(&middle) == S_OK);
    CHECK(Axis::Of(layout)->ItemCount() == 2);
    CHECK(Axis::At(layout, 1) == last);
    CHECK(Axis::At(layout, 0) != gone);
}

TEST_CASE_TEMPLATE("a region's notice goes on under the owner property; some of them re-lay the grid", Axis,
                   ColAxis, RowAxis)
{
    RegionLayout layout;
    layout.MakeCollections();
    Watcher watcher(Axis::Of(layout));
    struct Case {
        DISPID what;
        bool relayout;
    };
    const Case cases[] = {{0x420, false}, {0x43A, false}, {0x444, true}, {0x467, true}, {2002, true}};
    for (const Case& c : cases) {
        CAPTURE(c.what);
        watcher.heard.clear();
        layout.dirtyRoot.clear();
        Axis::At(layout, 0)->Publish(c.what);
        REQUIRE(watcher.heard.size() == 1);
        CHECK(watcher.heard[0].first == Axis::OwnerId);
        CHECK(watcher.heard[0].second == c.what);
        CHECK(layout.dirtyRoot.size() == (c.relayout ? 1u : 0u));
        if (c.relayout)
            CHECK(layout.dirtyRoot[0] == std::make_pair(true, true));
    }
}

TEST_CASE("a region's notice marks the column regions for recalculation")
{
    RegionLayout layout;
    layout.MakeCollections();
    CHECK(layout.cols->RecalcPending());
    layout.cols->RecalcIfDirty();
    CHECK_FALSE(layout.cols->RecalcPending());
    layout.Col(0)->Publish(0x420);
    CHECK(layout.cols->RecalcPending());
}

TEST_CASE_TEMPLATE("CanAddRegion follows the layout's maximum", Axis, ColAxis, RowAxis)
{
    RegionLayout layout;
    layout.MakeCollections();
    GiveRegions<Axis>(layout, {100, 100});
    struct Case {
        short max;
        bool can;
    };
    for (const Case& c : {Case{0, true}, Case{-5, true}, Case{1, false}, Case{2, false}, Case{3, true}}) {
        CAPTURE(c.max);
        Axis::Max(layout) = c.max;
        CHECK(Axis::Of(layout)->CanAddRegion() == c.can);
    }
}

TEST_CASE_TEMPLATE("InsertRegion and IndexOfRegion; both refuse inactive objects", Axis, ColAxis, RowAxis)
{
    RegionLayout layout;
    layout.MakeCollections();
    auto* collection = Axis::Of(layout);
    Watcher watcher(collection);
    ScrollRegionItem* made = nullptr;
    REQUIRE(Axis::At(layout, 0)->Split(nullptr, &made) == S_OK);
    long index = -5;
    CHECK(collection->IndexOfRegion(made, &index) == S_OK);
    CHECK(index == 1);
    const bool rows = Axis::OwnerId == 0x83B;
    CHECK(watcher.heard.size() == (rows ? 1u : 0u));

    auto* stranger = new typename Axis::Region(layout, nullptr);
    CHECK(collection->IndexOfRegion(stranger, &index) == S_OK);
    CHECK(index == -1);
    stranger->Deactivate();
    CHECK(collection->InsertRegion(stranger, 0) == static_cast<HRESULT>(0x800AA21B));
    CHECK(collection->IndexOfRegion(stranger, &index) == static_cast<HRESULT>(0x800AA21B));
    stranger->Release();

    collection->Deactivate();
    CHECK(collection->IndexOfRegion(made, &index) == static_cast<HRESULT>(0x800AA21B));
    CHECK(LastErrorDescription() == L"This object is no longer active");
    made->ReleaseItem();
}

TEST_CASE_TEMPLATE("visible-region navigation skips hidden regions", Axis, ColAxis, RowAxis)
{
    RegionLayout layout;
    layout.MakeCollections();
    GiveRegions<Axis>(layout, {10, 10, 10, 10});
    auto* c = Axis::Of(layout);
    auto r = [&](LONG i) { return static_cast<ScrollRegionItem*>(Axis::At(layout, i)); };
    r(0)->AddRefItem();
    Axis::At(layout, 0)->state.hidden = true;
    Axis::At(layout, 2)->state.hidden = true;

    CHECK(c->GetFirstVisibleRegion() == r(1));
    CHECK(c->GetNextVisibleRegion(r(1), false) == r(3));
    CHECK(c->GetNextVisibleRegion(r(3), false) == nullptr);
    CHECK(c->GetNextVisibleRegion(r(3), true) == r(1));
    CHECK(c->GetPrevVisibleRegion(r(3), false) == r(1));
    CHECK(c->GetPrevVisibleRegion(r(1), false) == nullptr);
    CHECK(c->GetPrevVisibleRegion(r(1), true) == r(3));
    CHECK(c->HasOtherVisibleRegion(r(1)));
    CHECK(c->GetLastVectorItem() == r(3));

    auto* stranger = new typename Axis::Region(layout, nullptr);
    CHECK(c->GetNextVisibleRegion(stranger, false) == r(1));
    CHECK(c->GetPrevVisibleRegion(stranger, false) == r(1));
    stranger->Release();

    Axis::At(layout, 3)->state.hidden = true;
    CHECK_FALSE(c->HasOtherVisibleRegion(r(1)));
    CHECK(c->GetNextVisibleRegion(r(1), true) == r(1));

    ScrollRegionItem* kept = r(0);
    c->Deactivate();
    CHECK(c->GetFirstVisibleRegion() == nullptr);
    CHECK(c->GetNextVisibleRegion(r(1), true) == nullptr);
    // Deactivating the collection deactivates its regions; they still answer.
    CHECK_FALSE(CAutomationObject::IsActive(kept->GetItemObject()));
    CHECK(c->ItemCount() == 4);
    kept->ReleaseItem();
}

TEST_CASE_TEMPLATE("the region at the far edge of the data area", Axis, ColAxis, RowAxis)
{
    RegionLayout layout;
    layout.MakeCollections();
    GiveRegions<Axis>(layout, {100, 100, 100}); // ends at 100, 207, 314
    auto* c = Axis::Of(layout);
    struct Case {
        bool hasArea;
        long edge;
        LONG expected;
    };
    const Case cases[] = {{false, 0, 2}, {true, 0, 2}, {true, 50, 0}, {true, 150, 1}, {true, 500, 2}};
    for (const Case& k : cases) {
        CAPTURE(k.edge);
        layout.hasDataArea = k.hasArea;
        layout.dataArea = RECT{0, 0, k.edge, k.edge};
        CHECK(c->GetRegionAtFarEdge() == Axis::At(layout, k.expected));
    }
    Axis::At(layout, 1)->state.hidden = true;
    layout.dataArea = RECT{0, 0, 150, 150};
    CHECK(c->GetRegionAtFarEdge() == Axis::At(layout, 2));
}

TEST_CASE_TEMPLATE("scroll bars: any region showing one, size checks, forced updates", Axis, ColAxis, RowAxis)
{
    RegionLayout layout;
    layout.MakeCollections();
    GiveRegions<Axis>(layout, {10, 10, 10});
    auto* c = Axis::Of(layout);
    CHECK_FALSE(c->AnyRegionShowsScrollBar(0));
    Axis::At(layout, 1)->state.scrollBarVisible = true;
    CHECK(c->AnyRegionShowsScrollBar(0));
    Axis::At(layout, 1)->state.hidden = true;
    CHECK_FALSE(c->AnyRegionShowsScrollBar(0));
    c->UpdateScrollBars();
    for (LONG i = 0; i < 3; ++i)
        CHECK(Axis::At(layout, i)->state.sizeChecks == 1);
}

TEST_CASE_TEMPLATE("HasDataForCategories", Axis, ColAxis, RowAxis)
{
    RegionLayout layout;
    layout.MakeCollections();
    auto* c = Axis::Of(layout);
    CHECK_FALSE(c->HasDataForCategories(Axis::Category));
    Axis::At(layout, 0)->state.hasData = true;
    CHECK(c->HasDataForCategories(Axis::Category));
    CHECK_FALSE(c->HasDataForCategories(0xFFFF & ~Axis::Category));
    Axis::At(layout, 0)->state.hasData = false;
    GiveRegions<Axis>(layout, {10, 10});
    CHECK(c->HasDataForCategories(Axis::Category));
}

TEST_CASE_TEMPLATE("CopyFrom takes the source's regions with their settings", Axis, ColAxis, RowAxis)
{
    RegionLayout source;
    source.MakeCollections();
    GiveRegions<Axis>(source, {50, 60, 70});
    Axis::At(source, 1)->state.sizing = 1;
    Axis::At(source, 2)->state.hidden = true;

    RegionLayout target;
    target.MakeCollections();
    Watcher watcher(Axis::Of(target));
    auto* old = Axis::At(target, 0);
    old->AddRef();
    CHECK(Axis::Of(target)->CopyFrom(*Axis::Of(source)) == S_OK);
    REQUIRE(Axis::Of(target)->ItemCount() == 3);
    for (LONG i = 0; i < 3; ++i) {
        CAPTURE(i);
        CHECK(Axis::At(target, i)->state.copiedFrom == Axis::At(source, i));
        CHECK(Axis::At(target, i)->state.extent == Axis::At(source, i)->state.extent);
    }
    CHECK(Axis::At(target, 1)->state.sizing == 1);
    CHECK(Axis::At(target, 2)->state.hidden);
    CHECK_FALSE(CAutomationObject::IsActive(old));
    CHECK(watcher.heard.empty());
    old->Release();

    // A region that cannot be made is skipped; nothing made, nothing lost.
    target.failCreate = true;
    CHECK(Axis::Of(target)->CopyFrom(*Axis::Of(source)) == S_OK);
    CHECK(Axis::Of(target)->ItemCount() == 3);
}

TEST_CASE_TEMPLATE("regions held by a client outlive the collection, deactivated", Axis, ColAxis, RowAxis)
{
    typename Axis::Region* kept = nullptr;
    {
        RegionLayout layout;
        layout.MakeCollections();
        kept = Axis::At(layout, 0);
        kept->AddRef();
    }
    CHECK_FALSE(CAutomationObject::IsActive(kept));
    kept->Publish(0x420); // nobody listens any more
    kept->Release();
}
