// The registered grid bound to a chaptered recordset in the default
// multi-band style: an expanded parent row's child rows indented below it
// with their own headers, the connector lines between the parent rows, and
// the add-new box with one button per band in a staircase.
#include "KeepPicture.h"
#include "OcxGrid.h"
#include "ParentItemTree.h"

#include <doctest/doctest.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

constexpr long BandHeaders = 3000;
constexpr long Row = 5000;
constexpr long Connector = 2000;
constexpr long AddNewBox = 400;
constexpr long AddNewRowButton = 6600;
constexpr long ButtonConnector = 7000;
constexpr COLORREF Untouched = RGB(1, 2, 3);

struct ChapteredGrid {
    ParentItemTree tree;
    OcxGrid grid;
    Canvas canvas;

    ChapteredGrid() : grid(500, 400), canvas(500, 400, Untouched)
    {
        ComPtr<IUnknown> source;
        REQUIRE(tree.parents.GetDataSource(&source) == S_OK);
        grid.Bind(source.Get());
    }
    // The second parent row alone expanded.
    void ExpandSecondParent() { ExpandOnlyParent(grid.Control(), 1); }
    void Draw() { REQUIRE(grid.DrawInto(canvas) == S_OK); }
};

long BandIndexOf(IHvUIElement* element)
{
    ComPtr<IHvBand> band;
    short index = -1;
    if (SUCCEEDED(element->get_Band(&band)) && band)
        band->get_Index(&index);
    return index;
}

} // namespace

TEST_CASE("an expanded parent shows its child rows indented under their headers, joined by connector lines")
{
    ChapteredGrid chaptered;
    chaptered.ExpandSecondParent();
    chaptered.Draw();
    KeepPicture(chaptered.canvas, L"grid_chaptered");
    OcxGrid& grid = chaptered.grid;

    const auto rows = grid.OfType(Row);
    REQUIRE(rows.size() == 8);
    // Parent 1, parent 2, its five items, parent 3.
    const RECT parent = RectOf(rows[1].Get());
    for (size_t i = 2; i < 7; ++i) {
        CAPTURE(i);
        CHECK(BandIndexOf(rows[i].Get()) == 1);
        CHECK(RectOf(rows[i].Get()).left == parent.left + 19);
    }
    CHECK(BandIndexOf(rows[7].Get()) == 0);
    // The child band's headers stand between the parent and its first item.
    bool childHeaders = false;
    for (const auto& headers : grid.OfType(BandHeaders))
        if (BandIndexOf(headers.Get()) == 1) {
            const RECT rect = RectOf(headers.Get());
            CHECK(rect.top >= parent.bottom - 1);
            CHECK(rect.bottom <= RectOf(rows[2].Get()).top + 1);
            childHeaders = true;
        }
    CHECK(childHeaders);

    // One line from each parent to the next, in the parents' indicator
    // column, the second passing the items; one from each item to the next.
    std::vector<ComPtr<IHvUIElement>> lines;
    int itemLines = 0;
    for (const auto& line : grid.OfType(Connector))
        if (BandIndexOf(line.Get()) == 0)
            lines.push_back(line);
        else
            ++itemLines;
    CHECK(itemLines == 4);
    REQUIRE(lines.size() == 2);
    const RECT second = RectOf(lines[1].Get());
    CHECK(second.left >= parent.left);
    CHECK(second.right <= parent.left + 19);
    CHECK(second.top < RectOf(rows[2].Get()).top);
    CHECK(second.bottom > RectOf(rows[6].Get()).bottom);
    CHECK(BandIndexOf(lines[1].Get()) == 0);
    // The line is drawn where it passes the items.
    const RECT item = RectOf(rows[4].Get());
    const RECT strip = {second.left, item.top, second.right, item.bottom};
    const COLORREF back = chaptered.canvas.At(second.left + 1, item.top + 1);
    CHECK(InkIn(chaptered.canvas, strip, back, Untouched) >= 3);
}

TEST_CASE("the add-new box holds a button per band in a staircase, joined by a connector")
{
    ChapteredGrid chaptered;
    OcxGrid& grid = chaptered.grid;
    ComPtr<IHvAddNewBox> box;
    REQUIRE(grid.Layout()->get_AddNewBox(&box) == S_OK);
    REQUIRE(box->put_Hidden(VARIANT_FALSE) == S_OK);
    chaptered.Draw();
    KeepPicture(chaptered.canvas, L"grid_addnewbox");

    const auto boxes = grid.OfType(AddNewBox);
    REQUIRE(boxes.size() == 1);
    const RECT area = RectOf(boxes[0].Get());
    const auto buttons = grid.OfType(AddNewRowButton);
    REQUIRE(buttons.size() == 2);
    const RECT top = RectOf(buttons[0].Get());
    const RECT child = RectOf(buttons[1].Get());
    CHECK(BandIndexOf(buttons[0].Get()) == 0);
    CHECK(BandIndexOf(buttons[1].Get()) == 1);
    CHECK(child.left > top.left);
    CHECK(child.top > top.bottom);
    // Both lie inside the box, each with its caption drawn.
    for (const RECT& button : {top, child}) {
        CHECK(button.left > area.left);
        CHECK(button.right < area.right);
        CHECK(button.bottom < area.bottom);
        RECT inner = button;
        InflateRect(&inner, -3, -3);
        const COLORREF face = chaptered.canvas.At(inner.left, inner.top);
        CHECK(InkIn(chaptered.canvas, inner, face, Untouched) > 10);
    }

    const auto lines = grid.OfType(ButtonConnector);
    REQUIRE(lines.size() == 1);
    const RECT line = RectOf(lines[0].Get());
    CHECK(line.left > top.left);
    CHECK(line.left < top.right);
    CHECK(line.top == top.bottom);
    CHECK(line.right == child.left);
    CHECK(BandIndexOf(lines[0].Get()) == 1);
    // The line is found at a point on its bottom arm, not inside its corner.
    VARIANT ignore = Missing();
    ComPtr<IHvUIElement> found;
    const long y = line.bottom - 1;
    REQUIRE(grid.Control()->UIElementFromPoint(OcxGrid::ToUnits((line.left + line.right) / 2), OcxGrid::ToUnits(y),
                                               &ignore, &found) == S_OK);
    CHECK(TypeOf(found.Get()) == ButtonConnector);
    found.Reset();
    REQUIRE(grid.Control()->UIElementFromPoint(OcxGrid::ToUnits((line.left + line.right) / 2),
                                               OcxGrid::ToUnits((line.top + line.bottom) / 2), &ignore,
                                               &found) == S_OK);
    CHECK(TypeOf(found.Get()) == AddNewBox);
}

TEST_CASE("each view style lays the chaptered rows out its own way")
{
    struct Case {
        Constants_ViewStyle style;
        Constants_ViewStyleBand bands;
        const wchar_t* picture;
    };
    const Case cases[] = {
        {hvViewStyleSingleBand, hvViewStyleBandVertical, L"grid_style_single"},
        {hvViewStyleMultiBand, hvViewStyleBandVertical, L"grid_style_vertical"},
        {hvViewStyleMultiBand, hvViewStyleBandHorizontal, L"grid_style_horizontal"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.picture);
        ChapteredGrid chaptered;
        OcxGrid& grid = chaptered.grid;
        REQUIRE(grid.Layout()->put_ViewStyle(c.style) == S_OK);
        REQUIRE(grid.Layout()->put_ViewStyleBand(c.bands) == S_OK);
        chaptered.ExpandSecondParent();
        chaptered.Draw();
        KeepPicture(chaptered.canvas, c.picture);

        const auto rows = grid.OfType(Row);
        REQUIRE(rows.size() >= 3);
        const RECT parent = RectOf(rows[1].Get());
        if (c.style == hvViewStyleSingleBand) {
            // The top band alone, as a flat table.
            CHECK(rows.size() == 3);
            for (const auto& row : rows)
                CHECK(BandIndexOf(row.Get()) == 0);
            CHECK(grid.CountOf(Connector) == 0);
            continue;
        }
        REQUIRE(rows.size() == 8);
        const RECT child = RectOf(rows[2].Get());
        CHECK(BandIndexOf(rows[2].Get()) == 1);
        if (c.bands == hvViewStyleBandVertical) {
            CHECK(child.left == parent.left + 19);
            CHECK(child.top >= parent.bottom);
        } else {
            // Child rows beside their parent, starting on its line.
            CHECK(child.left >= parent.right - 1);
            CHECK(std::abs(child.top - parent.top) <= 1);
        }
    }
}

namespace {

HWND VisibleTipOfThread()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) -> BOOL {
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            if (_wcsicmp(name, TOOLTIPS_CLASSW) != 0 || !IsWindowVisible(window))
                return TRUE;
            *reinterpret_cast<HWND*>(out) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring GridToolText(HWND tip, HWND grid)
{
    wchar_t text[256] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = grid;
    info.uId = reinterpret_cast<UINT_PTR>(grid);
    info.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
    return text;
}

bool SameObject(IUnknown* a, IUnknown* b)
{
    ComPtr<IUnknown> left, right;
    if (!a || !b || FAILED(a->QueryInterface(IID_PPV_ARGS(&left))) || FAILED(b->QueryInterface(IID_PPV_ARGS(&right))))
        return false;
    return left.Get() == right.Get();
}

// The parents' connector that passes the second parent's items, and the
// point on it beside the item row at the index.
struct ConnectorScene {
    ChapteredGrid chaptered;
    RECT line{};
    std::vector<ComPtr<IHvUIElement>> rows;

    ConnectorScene()
    {
        chaptered.ExpandSecondParent();
        chaptered.Draw();
        rows = chaptered.grid.OfType(Row);
        REQUIRE(rows.size() == 8);
        for (const auto& connector : chaptered.grid.OfType(Connector))
            if (BandIndexOf(connector.Get()) == 0 && RectOf(connector.Get()).bottom > RectOf(rows[6].Get()).bottom)
                line = RectOf(connector.Get());
        REQUIRE(line.bottom > line.top);
    }
    POINT Beside(size_t row) const
    {
        const RECT rect = RectOf(rows.at(row).Get());
        return POINT{(line.left + line.right) / 2, (rect.top + rect.bottom) / 2};
    }
    HWND Window() const { return chaptered.grid.Window(); }
    void Send(UINT message, POINT at) const
    {
        SendMessageW(Window(), message, 0, MAKELPARAM(at.x, at.y));
    }
};

} // namespace

TEST_CASE("the pointer resting on a connector shows the scroll-tip text of the row beside it, right of the line")
{
    struct Case {
        Constants_TipStyle style;
        bool shown;
    };
    for (const Case& c : {Case{hvTipStyleDefault, true}, Case{hvTipStyleHide, false}}) {
        CAPTURE(c.style);
        ConnectorScene scene;
        ComPtr<IHvOverride> override;
        REQUIRE(scene.chaptered.grid.Layout()->get_Override(&override) == S_OK);
        REQUIRE(override->put_TipStyleRowConnector(c.style) == S_OK);
        const POINT at = scene.Beside(4);
        scene.Send(WM_MOUSEMOVE, at);
        scene.Send(WM_MOUSEHOVER, at);
        const HWND tip = VisibleTipOfThread();
        CHECK((tip != nullptr) == c.shown);
        if (!tip)
            continue;
        // The parent's line first, then the item's, indented.
        CHECK(GridToolText(tip, scene.Window()) == L"ID: 2\r\n    PARENT: 2");
        RECT shown{};
        GetWindowRect(tip, &shown);
        POINT lineRight = {scene.line.right, at.y};
        ClientToScreen(scene.Window(), &lineRight);
        CHECK(shown.left > lineRight.x);
        CHECK(shown.top >= lineRight.y + 20);

        scene.Send(WM_MOUSELEAVE, at);
        CHECK(VisibleTipOfThread() == nullptr);
    }
}

TEST_CASE("a double click on a connector activates the row beside the pointer")
{
    ConnectorScene scene;
    IHvTavelleControl* control = scene.chaptered.grid.Control();
    ComPtr<IHvRow> beside;
    REQUIRE(scene.rows[5]->get_Row(&beside) == S_OK);
    scene.Send(WM_LBUTTONDBLCLK, scene.Beside(5));
    ComPtr<IHvRow> active;
    REQUIRE(control->get_ActiveRow(&active) == S_OK);
    CHECK(SameObject(active.Get(), beside.Get()));
}

TEST_CASE("a band's new add-button caption redraws its button in the add-new box")
{
    ChapteredGrid chaptered;
    OcxGrid& grid = chaptered.grid;
    ComPtr<IHvAddNewBox> box;
    REQUIRE(grid.Layout()->get_AddNewBox(&box) == S_OK);
    REQUIRE(box->put_Hidden(VARIANT_FALSE) == S_OK);
    chaptered.Draw();
    const auto before = grid.OfType(AddNewRowButton);
    REQUIRE(before.size() == 2);
    const RECT button = RectOf(before[0].Get());
    ComPtr<IHvBands> bands;
    REQUIRE(grid.Layout()->get_Bands(&bands) == S_OK);
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    ComPtr<IHvBand> band;
    REQUIRE(bands->get_Item(index, &band) == S_OK);

    // Only a shown window collects what is invalidated; it is not activated.
    const HWND top = GetAncestor(grid.Window(), GA_ROOT);
    ShowWindow(top, SW_SHOWNOACTIVATE);
    UpdateWindow(top);
    ValidateRect(grid.Window(), nullptr);
    BSTR caption = SysAllocString(L"A much longer caption");
    REQUIRE(band->put_AddButtonCaption(caption) == S_OK);
    SysFreeString(caption);
    RECT invalid{};
    CHECK(GetUpdateRect(grid.Window(), &invalid, FALSE));
    RECT overlap{};
    CHECK(IntersectRect(&overlap, &invalid, &button));

    chaptered.Draw();
    const auto after = grid.OfType(AddNewRowButton);
    REQUIRE(after.size() == 2);
    CHECK(RectOf(after[0].Get()).right > button.right);
    ShowWindow(top, SW_HIDE);
}
