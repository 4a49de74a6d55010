// Which strategy a layout's settings give, band origins, header places and
// the visible headers of a column region.
#include "CViewStyleMultiBandHorizontal.h"
#include "CViewStyleMultiBandVertical.h"
#include "CViewStyleSingleBand.h"
#include "ViewStyleFakes.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

TEST_CASE("the ViewStyle and ViewStyleBand settings choose the strategy")
{
    struct Case {
        int viewStyle, viewStyleBand;
        HRESULT hr;
        bool multiBand, horizontal, topHeaderArea;
    };
    const Case cases[] = {
        {0, 0, S_OK, false, false, true}, {0, 1, S_OK, false, false, true}, {1, 0, S_OK, true, false, false},
        {1, 1, S_OK, true, true, true},   {2, 0, E_FAIL, false, false, false}, {1, 2, E_FAIL, false, false, false},
        {0, -1, E_FAIL, false, false, false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.viewStyle);
        CAPTURE(c.viewStyleBand);
        FakeLayout layout;
        std::unique_ptr<CViewStyle> style;
        REQUIRE(CViewStyle::Make(layout, c.viewStyle, c.viewStyleBand, style) == c.hr);
        if (FAILED(c.hr)) {
            CHECK(!style);
            continue;
        }
        CHECK(style->IsMultiBand() == c.multiBand);
        CHECK(style->IsHorizontal() == c.horizontal);
        CHECK(style->HasTopHeaderArea() == c.topHeaderArea);
        CHECK((dynamic_cast<CViewStyleSingleBand*>(style.get()) != nullptr) == (c.viewStyle == 0));
    }
}

TEST_CASE("a layout that holds a strategy keeps it")
{
    FakeLayout layout;
    std::unique_ptr<CViewStyle> style;
    REQUIRE(CViewStyle::Make(layout, 1, 0, style) == S_OK);
    CViewStyle* held = style.get();
    CHECK(CViewStyle::Make(layout, 0, 0, style) == E_FAIL);
    CHECK(style.get() == held);
}

TEST_CASE("band origins: vertical indents child bands, horizontal puts them right of their parent")
{
    FakeLayout layout;
    FakeBand& a = layout.AddBand(nullptr, 20);
    FakeBand& b = layout.AddBand(&a, 16);
    FakeBand& c = layout.AddBand(&b, 16);
    FakeBand& other = layout.AddBand(nullptr, 20);
    a.origin = 7;
    a.extent = 120;
    b.origin = 127;
    b.extent = 80;

    auto single = MakeStyle(layout, 0, 1);
    CHECK(single->GetBandOffset(&b, &a) == 0);

    auto vertical = MakeStyle(layout, 1, 0);
    CHECK(vertical->GetBandOffset(&a, nullptr) == 0);
    CHECK(vertical->GetBandOffset(&b, &a) == 26);
    CHECK(vertical->GetBandOffset(&c, &b) == 127 + 19);

    auto horizontal = MakeStyle(layout, 1, 1);
    CHECK(horizontal->GetBandOffset(&b, &a) == 127);
    // The parent is met walking up from a deeper band shown before.
    CHECK(horizontal->GetBandOffset(&b, &c) == 127);
    CHECK(horizontal->GetBandOffset(&b, &other) == 0);
    CHECK(horizontal->GetBandOffset(&b, nullptr) == 0);
    CHECK(horizontal->GetBandOffset(&other, &c) == 0);

    // A band that grows pushes its descendant bands that follow it.
    c.origin = 207;
    other.origin = 5;
    horizontal->ShiftFollowingBands(&a, 30);
    CHECK(a.origin == 7);
    CHECK(b.origin == 157);
    CHECK(c.origin == 237);
    CHECK(other.origin == 5);
    vertical->ShiftFollowingBands(&a, 30);
    CHECK(b.origin == 157);
}

TEST_CASE("headers exclusive to a region are placed one after another, per style")
{
    FakeLayout layout;
    FakeBand& a = layout.AddBand(nullptr, 20);
    FakeBand& b = layout.AddBand(&a, 16);
    a.origin = 10;
    a.extent = 150;
    b.origin = 160;
    FakeColRegion region;
    FakeHeader first(a, 0, 60), second(a, 60, 40), child(b, 0, 50);
    first.position = 0;
    second.position = 60;

    auto single = MakeStyle(layout, 0, 0);
    single->PlaceRegionHeaderItem(region, first, nullptr);
    CHECK(first.position == 0);
    single->PlaceRegionHeaderItem(region, child, &second);
    CHECK(child.position == 100);

    auto horizontal = MakeStyle(layout, 1, 1);
    child.position = -1;
    horizontal->PlaceRegionHeaderItem(region, child, &second);
    CHECK(child.position == 100); // the child band's item follows its parent's
    FakeHeader back(a, 0, 30);
    horizontal->PlaceRegionHeaderItem(region, back, &child);
    CHECK(back.position == 0); // a top band's item after a child band's
    FakeBand& grandchild = layout.AddBand(&b, 16);
    FakeHeader deep(grandchild, 0, 30);
    horizontal->PlaceRegionHeaderItem(region, deep, &first);
    CHECK(deep.position == 160 + 100);

    auto vertical = MakeStyle(layout, 1, 0);
    child.atIndent = true;
    vertical->PlaceRegionHeaderItem(region, child, &second);
    CHECK(child.position == 10 + 19);
    first.atIndent = true;
    vertical->PlaceRegionHeaderItem(region, first, nullptr);
    CHECK(first.position == 0);
}

namespace {

// Band A with headers at 0, 100 and 200 (each 100 wide) and child band B
// whose headers start at 300.
struct HeaderFixture {
    FakeLayout layout;
    FakeBand& a = layout.AddBand(nullptr, 20);
    FakeBand& b = layout.AddBand(&a, 16);
    FakeHeader a0{a, 0, 100}, a1{a, 100, 100}, a2{a, 200, 100};
    FakeHeader b0{b, 300, 100}, b1{b, 400, 100};
    FakeColRegion region;

    HeaderFixture()
    {
        a.extent = 300;
        b.origin = 300;
        b.extent = 200;
        layout.headers[&a] = {&a0, &a1, &a2};
        layout.headers[&b] = {&b0, &b1};
    }
};

} // namespace

TEST_CASE("a column region lists the headers that meet its visible span")
{
    struct Case {
        int viewStyle, viewStyleBand;
        long position, width;
        std::vector<const char*> shown;
    };
    const Case cases[] = {
        {0, 0, 0, 150, {"a0", "a1"}},
        {0, 0, 150, 300, {"a1", "a2"}}, // the single band never shows B
        {0, 0, 600, 100, {}},           // scrolled right of every header
        {1, 1, 150, 300, {"a1", "a2", "b0", "b1"}},
        {1, 1, 350, 100, {"b0", "b1"}},
        {1, 0, 0, 250, {"a0", "a1", "a2"}}, // B starts right of the region
        {1, 0, 250, 100, {"a2", "b0"}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.viewStyle);
        CAPTURE(c.viewStyleBand);
        CAPTURE(c.position);
        HeaderFixture f;
        f.region.position = c.position;
        f.region.width = c.width;
        auto style = MakeStyle(f.layout, c.viewStyle, c.viewStyleBand);
        CHECK(style->BuildVisibleHeaders(f.region) == !c.shown.empty());
        std::vector<std::string> names;
        for (ViewStyleHeader* header : f.region.shown) {
            const char* name = header == &f.a0 ? "a0" : header == &f.a1 ? "a1" : header == &f.a2 ? "a2"
                             : header == &f.b0 ? "b0" : "b1";
            names.push_back(name);
        }
        CHECK(names == std::vector<std::string>(c.shown.begin(), c.shown.end()));
    }
}

TEST_CASE("hidden and exclusive headers, and a hidden first band, are left out")
{
    HeaderFixture f;
    auto single = MakeStyle(f.layout, 0, 0);
    f.a1.hidden = true;
    FakeColRegion elsewhere;
    f.a2.exclusive = &elsewhere;
    f.region.width = 1000;
    CHECK(single->BuildVisibleHeaders(f.region));
    CHECK(f.region.shown == std::vector<ViewStyleHeader*>{&f.a0});

    // An exclusive region shows only its own headers.
    elsewhere.exclusive = true;
    elsewhere.width = 1000;
    CHECK(single->BuildVisibleHeaders(elsewhere));
    CHECK(elsewhere.shown == std::vector<ViewStyleHeader*>{&f.a2});

    f.a.hidden = true;
    f.region.shown.clear();
    CHECK_FALSE(single->BuildVisibleHeaders(f.region));
    CHECK(f.region.shown.empty());
    auto horizontal = MakeStyle(f.layout, 1, 1);
    CHECK_FALSE(horizontal->BuildVisibleHeaders(f.region)); // B hides with its parent
}
