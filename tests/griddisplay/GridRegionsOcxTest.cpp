// The registered grid's element tree and scroll regions, seen the way a
// container sees them: elements by type and rectangle, the element at a
// point, the popups, and the data area split into row and column regions.
#include "OcxGrid.h"

#include "EventCall.h"

#include <doctest/doctest.h>

using Microsoft::WRL::ComPtr;

namespace {

constexpr DISPID BeforeColRegionSplit = 1027;
constexpr DISPID BeforeRowRegionSplit = 1041;

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::wstring ErrorText()
{
    ComPtr<IErrorInfo> info;
    std::wstring text;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        BSTR description = nullptr;
        if (SUCCEEDED(info->GetDescription(&description)) && description)
            text = description;
        SysFreeString(description);
    }
    return text;
}

} // namespace

TEST_CASE("the hosted grid answers its element tree, the element at a point and its popups")
{
    OcxGrid grid(300, 200);
    ComPtr<IHvUIElement> root = grid.Root();
    CHECK(TypeOf(root.Get()) == 100);
    const RECT whole = RectOf(root.Get());
    CHECK(whole.right - whole.left == 300);
    CHECK(whole.bottom - whole.top == 200);
    REQUIRE(grid.CountOf(300) == 1);
    REQUIRE(grid.CountOf(1000) == 1);
    CHECK(Inside(RectOf(grid.OfType(1000)[0].Get()), RectOf(grid.OfType(300)[0].Get())));

    SUBCASE("a point inside gives the deepest element there; one outside the none element")
    {
        VARIANT ignore = Missing();
        ComPtr<IHvUIElement> found;
        REQUIRE(grid.Control()->UIElementFromPoint(OcxGrid::ToUnits(150), OcxGrid::ToUnits(100), &ignore,
                                                   &found) == S_OK);
        CHECK(TypeOf(found.Get()) == 1000);
        found.Reset();
        REQUIRE(grid.Control()->UIElementFromPoint(OcxGrid::ToUnits(-5), OcxGrid::ToUnits(-5), &ignore, &found) ==
                S_OK);
        REQUIRE(found);
        CHECK(TypeOf(found.Get()) == 1);
        const RECT empty = RectOf(found.Get());
        CHECK(IsRectEmpty(&empty));
        ComPtr<IHvUIElement> parent;
        CHECK(found->get_ParentUIElement(&parent) == S_OK);
        CHECK(!parent);
    }
    SUBCASE("the popups: the editor's element; a type that is no popup is refused")
    {
        ComPtr<IHvUIElement> popup;
        REQUIRE(grid.Control()->GetUIElementPopup(static_cast<Constants_UIElementPopup>(500), &popup) == S_OK);
        CHECK(TypeOf(popup.Get()) == 500);
        popup.Reset();
        CHECK(grid.Control()->GetUIElementPopup(static_cast<Constants_UIElementPopup>(700), &popup) ==
              static_cast<HRESULT>(0x800A017C));
        CHECK(!popup);
        CHECK(!ErrorText().empty());
    }
}

TEST_CASE("splitting a row and a column region tiles the data area with splitters and fires the Split events")
{
    OcxGrid grid(300, 200);
    int rowSplits = 0;
    int colSplits = 0;
    bool cancel = false;
    grid.Host().Events().On(BeforeRowRegionSplit, [&](const hv::container::EventCall& call) {
        ++rowSplits;
        CHECK(call.Object(0) != nullptr);
        CHECK(call.Object(1) != nullptr);
        call.SetBool(2, cancel);
    });
    grid.Host().Events().On(BeforeColRegionSplit, [&](const hv::container::EventCall& call) {
        ++colSplits;
        call.SetBool(2, cancel);
    });

    ComPtr<IHvRowScrollRegion> top = grid.RowRegion(0);
    ComPtr<IHvColScrollRegion> left = grid.ColRegion(0);
    VARIANT size = Missing();

    SUBCASE("a cancelled split adds no region")
    {
        cancel = true;
        ComPtr<IHvRowScrollRegion> added;
        top->Split(size, &added);
        CHECK(rowSplits == 1);
        CHECK(!grid.RowRegion(1));
        CHECK(grid.CountOf(1000) == 1);
    }
    SUBCASE("two by two")
    {
        ComPtr<IHvRowScrollRegion> bottom;
        REQUIRE(top->Split(size, &bottom) == S_OK);
        REQUIRE(bottom);
        ComPtr<IHvColScrollRegion> right;
        REQUIRE(left->Split(size, &right) == S_OK);
        REQUIRE(right);
        CHECK(rowSplits == 1);
        CHECK(colSplits == 1);

        Canvas canvas(300, 200, RGB(1, 2, 3));
        REQUIRE(grid.DrawInto(canvas) == S_OK);

        const auto intersections = grid.OfType(1000);
        REQUIRE(intersections.size() == 4);
        // Splitter bars 7 pixels thick, one per region boundary in each
        // pane, and their crossing.
        const auto rowSplitters = grid.OfType(1500);
        const auto colSplitters = grid.OfType(1200);
        const auto crossings = grid.OfType(1700);
        REQUIRE(rowSplitters.size() == 2);
        REQUIRE(colSplitters.size() == 2);
        REQUIRE(crossings.size() == 1);
        for (const auto& splitter : rowSplitters) {
            const RECT r = RectOf(splitter.Get());
            CHECK(r.bottom - r.top == 7);
        }
        for (const auto& splitter : colSplitters) {
            const RECT r = RectOf(splitter.Get());
            CHECK(r.right - r.left == 7);
        }
        const RECT crossing = RectOf(crossings[0].Get());
        CHECK(crossing.right - crossing.left == 7);
        CHECK(crossing.bottom - crossing.top == 7);

        // The four panes do not overlap, each lies in the data area and
        // each answers its own region pair.
        const RECT area = RectOf(grid.OfType(300)[0].Get());
        for (size_t i = 0; i < intersections.size(); ++i) {
            const RECT a = RectOf(intersections[i].Get());
            CHECK(Inside(a, area));
            for (size_t j = i + 1; j < intersections.size(); ++j) {
                const RECT b = RectOf(intersections[j].Get());
                RECT common;
                CHECK(!IntersectRect(&common, &a, &b));
            }
        }
        const RECT bottomRight = RectOf(intersections[3].Get());
        ComPtr<IHvRowScrollRegion> paneRows;
        ComPtr<IHvColScrollRegion> paneCols;
        REQUIRE(intersections[3]->get_RowScrollRegion(&paneRows) == S_OK);
        REQUIRE(intersections[3]->get_ColScrollRegion(&paneCols) == S_OK);
        float rowTop = 0;
        float colLeft = 0;
        paneRows->get_Top(&rowTop);
        paneCols->get_Left(&colLeft);
        CHECK(rowTop > 0);
        CHECK(colLeft > 0);

        // The element at a point in the crossing is the crossing; in the
        // lower right pane, that pane.
        VARIANT ignore = Missing();
        ComPtr<IHvUIElement> found;
        const POINT middle{(crossing.left + crossing.right) / 2, (crossing.top + crossing.bottom) / 2};
        REQUIRE(grid.Control()->UIElementFromPoint(OcxGrid::ToUnits(middle.x), OcxGrid::ToUnits(middle.y), &ignore,
                                                   &found) == S_OK);
        CHECK(TypeOf(found.Get()) == 1700);
        found.Reset();
        REQUIRE(grid.Control()->UIElementFromPoint(OcxGrid::ToUnits(bottomRight.left + 5),
                                                   OcxGrid::ToUnits(bottomRight.top + 5), &ignore, &found) == S_OK);
        CHECK(TypeOf(found.Get()) == 1000);
        CHECK(RectOf(found.Get()).left == bottomRight.left);

        // The splitter bars are painted raised in the button face: light
        // above, the dark shadow below.
        const RECT bar = RectOf(rowSplitters[0].Get());
        const int x = (bar.left + bar.right) / 2;
        CHECK(canvas.At(x, (bar.top + bar.bottom) / 2) == GetSysColor(COLOR_BTNFACE));
        CHECK(canvas.At(x, bar.top) == GetSysColor(COLOR_3DLIGHT));
        CHECK(canvas.At(x, bar.bottom - 1) == GetSysColor(COLOR_3DDKSHADOW));
        const RECT column = RectOf(colSplitters[0].Get());
        const int y = (column.top + column.bottom) / 2;
        CHECK(canvas.At(column.left, y) == GetSysColor(COLOR_3DLIGHT));
        CHECK(canvas.At(column.right - 1, y) == GetSysColor(COLOR_3DDKSHADOW));
        CHECK(canvas.At(middle.x, middle.y) != RGB(1, 2, 3));
    }
}
