// Expanding and collapsing on the registered grid bound to a chaptered
// recordset: the band's CollapseAll and ExpandAll walk its rows with their
// events and leave the band's ExpandRowsOnLoad as asked; a click on a row's
// expansion indicator, or its Expanded property, opens and shuts that row.
#include "OcxGrid.h"
#include "Recordset.h"

#include "EventCall.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;
using namespace hv::recordset;

namespace {

constexpr DISPID AfterRowCollapsed = 1068;
constexpr DISPID AfterRowExpanded = 1069;
constexpr DISPID BeforeRowCollapsed = 1035;
constexpr DISPID BeforeRowExpanded = 1037;
constexpr long RowElement = 5000;

VARIANT Number(double value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = value;
    return v;
}

// Three parents (ID) with two items (PARENT, QTY) each, bound to the grid.
struct TreeGrid {
    Recordset items, parents;
    OcxGrid grid{500, 400};

    TreeGrid()
    {
        REQUIRE(items.AppendField(L"PARENT", FieldType::Double) == S_OK);
        REQUIRE(items.AppendField(L"QTY", FieldType::Double) == S_OK);
        REQUIRE(items.Open() == S_OK);
        for (int p = 1; p <= 3; ++p)
            for (int i = 0; i < 2; ++i) {
                REQUIRE(items.AddNew() == S_OK);
                REQUIRE(items.SetValue(L"PARENT", Number(p)) == S_OK);
                REQUIRE(items.SetValue(L"QTY", Number(p * 100 + i)) == S_OK);
            }
        REQUIRE(items.Update() == S_OK);
        REQUIRE(parents.AppendField(L"ID", FieldType::Double) == S_OK);
        REQUIRE(parents.AppendChapter(L"ITEMS", items, L"ID", L"PARENT") == S_OK);
        REQUIRE(parents.Open() == S_OK);
        for (int p = 1; p <= 3; ++p) {
            REQUIRE(parents.AddNew() == S_OK);
            REQUIRE(parents.SetValue(L"ID", Number(p)) == S_OK);
        }
        REQUIRE(parents.Update() == S_OK);
        ComPtr<IUnknown> source;
        REQUIRE(parents.GetDataSource(&source) == S_OK);
        grid.Bind(source.Get());
        ShowWindow(GetParent(grid.Window()), SW_SHOW);
        UpdateWindow(grid.Window());
        SetFocus(grid.Window());
        Pump();
    }

    ~TreeGrid() { grid.Control()->putref_DataSource(nullptr); }

    void Pump() const
    {
        MSG message;
        for (int round = 0; round < 3; ++round) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(1);
        }
    }

    ComPtr<IHvBand> Band(long index) const
    {
        ComPtr<IHvBands> bands;
        REQUIRE(grid.Layout()->get_Bands(&bands) == S_OK);
        VARIANT at;
        VariantInit(&at);
        at.vt = VT_I4;
        at.lVal = index;
        ComPtr<IHvBand> band;
        REQUIRE(bands->get_Item(at, &band) == S_OK);
        return band;
    }

    // The parent rows shown and how many of them are expanded.
    int ExpandedParents() const
    {
        int expanded = 0;
        for (const auto& element : grid.OfType(RowElement)) {
            ComPtr<IHvRow> row;
            element->get_Row(&row);
            ComPtr<IHvBand> band;
            if (row)
                row->get_Band(&band);
            short index = -1;
            if (band)
                band->get_Index(&index);
            VARIANT_BOOL open = VARIANT_FALSE;
            if (index == 0 && SUCCEEDED(row->get_Expanded(&open)) && open)
                ++expanded;
        }
        return expanded;
    }

    int ShownRows() const { return grid.CountOf(RowElement); }
};

Constants_ExpandOnLoad ExpandOnLoad(IHvBand* band)
{
    ComPtr<IHvOverride> override;
    REQUIRE(band->get_Override(&override) == S_OK);
    Constants_ExpandOnLoad value = hvExpandOnLoadDefault;
    REQUIRE(override->get_ExpandRowsOnLoad(&value) == S_OK);
    return value;
}

} // namespace

TEST_CASE("the band's CollapseAll and ExpandAll walk its rows with their events")
{
    TreeGrid tree;
    REQUIRE(tree.Band(0)->ExpandAll() == S_OK);
    tree.Pump();
    REQUIRE(tree.ExpandedParents() == 3);
    REQUIRE(tree.ShownRows() == 9);

    auto& events = tree.grid.Host().Events();
    events.ClearReceived();
    CHECK(tree.Band(0)->CollapseAll() == S_OK);
    tree.Pump();
    // The three parents, and the six items the band holds since they were
    // shown, whose own (empty) child lists shut too.
    CHECK(events.ReceivedCount(BeforeRowCollapsed) == 9);
    CHECK(events.ReceivedCount(AfterRowCollapsed) == 9);
    CHECK(tree.ExpandedParents() == 0);
    CHECK(tree.ShownRows() == 3);
    CHECK(ExpandOnLoad(tree.Band(0).Get()) == hvExpandOnLoadNo);

    // A cancelled BeforeRowExpanded keeps that row shut; the others open.
    int seen = 0;
    events.On(BeforeRowExpanded, [&](const hv::container::EventCall& call) {
        if (++seen == 1)
            call.SetBool(1, true);
    });
    events.ClearReceived();
    CHECK(tree.Band(0)->ExpandAll() == S_OK);
    tree.Pump();
    CHECK(events.ReceivedCount(BeforeRowExpanded) == 9);
    CHECK(events.ReceivedCount(AfterRowExpanded) == 8);
    CHECK(tree.ExpandedParents() == 2);
    CHECK(ExpandOnLoad(tree.Band(0).Get()) == hvExpandOnLoadYes);
}

TEST_CASE("a click on a row's expansion indicator expands the row, a second one collapses it, with the events")
{
    constexpr long IndicatorElement = 5200;
    TreeGrid tree;
    REQUIRE(tree.Band(0)->CollapseAll() == S_OK);
    tree.Pump();
    REQUIRE(tree.ShownRows() == 3);
    auto& events = tree.grid.Host().Events();

    // The indicator of the first parent row, found again after each change.
    auto click = [&] {
        const auto indicators = tree.grid.OfType(IndicatorElement);
        REQUIRE(!indicators.empty());
        const RECT box = RectOf(indicators.front().Get());
        const POINT at{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        const LPARAM where = MAKELPARAM(at.x, at.y);
        SendMessageW(tree.grid.Window(), WM_MOUSEMOVE, 0, where);
        SendMessageW(tree.grid.Window(), WM_LBUTTONDOWN, MK_LBUTTON, where);
        SendMessageW(tree.grid.Window(), WM_LBUTTONUP, 0, where);
        tree.Pump();
    };
    events.ClearReceived();
    click();
    CHECK(tree.ExpandedParents() == 1);
    CHECK(tree.ShownRows() == 5);
    CHECK(events.ReceivedCount(BeforeRowExpanded) == 1);
    CHECK(events.ReceivedCount(AfterRowExpanded) == 1);

    events.ClearReceived();
    click();
    CHECK(tree.ExpandedParents() == 0);
    CHECK(tree.ShownRows() == 3);
    CHECK(events.ReceivedCount(BeforeRowCollapsed) == 1);
    CHECK(events.ReceivedCount(AfterRowCollapsed) == 1);

    // The same through the row's Expanded property.
    ComPtr<IHvRow> second;
    REQUIRE(tree.grid.OfType(RowElement)[1]->get_Row(&second) == S_OK);
    REQUIRE(second->put_Expanded(VARIANT_TRUE) == S_OK);
    tree.Pump();
    CHECK(tree.ShownRows() == 5);
    REQUIRE(second->put_Expanded(VARIANT_FALSE) == S_OK);
    tree.Pump();
    CHECK(tree.ShownRows() == 3);

    // A cancelled BeforeRowExpanded keeps it shut.
    events.On(BeforeRowExpanded, [](const hv::container::EventCall& call) { call.SetBool(1, true); });
    events.ClearReceived();
    click();
    CHECK(tree.ExpandedParents() == 0);
    CHECK(events.ReceivedCount(AfterRowExpanded) == 0);
}

namespace {

// A click on the row of band 1 whose QTY is qty, with Shift held or not.
void ClickItem(TreeGrid& tree, double qty, bool shift)
{
    RECT box{};
    for (const auto& element : tree.grid.OfType(RowElement)) {
        ComPtr<IHvRow> row;
        ComPtr<IHvBand> band;
        short index = -1;
        if (FAILED(element->get_Row(&row)) || !row || FAILED(row->get_Band(&band)) || !band ||
            FAILED(band->get_Index(&index)) || index != 1)
            continue;
        ComPtr<IHvCells> cells;
        ComPtr<IHvCell> cell;
        VARIANT key;
        VariantInit(&key);
        key.vt = VT_BSTR;
        key.bstrVal = SysAllocString(L"QTY");
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(row->get_Cells(&cells)) && SUCCEEDED(cells->get_Item(key, &cell)))
            cell->get_Value(&value);
        VariantClear(&key);
        const bool match = SUCCEEDED(VariantChangeType(&value, &value, 0, VT_R8)) && value.dblVal == qty;
        VariantClear(&value);
        if (match) {
            box = RectOf(element.Get());
            break;
        }
    }
    REQUIRE(!IsRectEmpty(&box));
    const LPARAM where = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    const WPARAM modifiers = shift ? MK_SHIFT : 0;
    SendMessageW(tree.grid.Window(), WM_MOUSEMOVE, modifiers, where);
    SendMessageW(tree.grid.Window(), WM_LBUTTONDOWN, modifiers | MK_LBUTTON, where);
    SendMessageW(tree.grid.Window(), WM_LBUTTONUP, modifiers, where);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = 0;
    SetKeyboardState(keys);
    tree.Pump();
}

std::vector<double> SelectedQuantities(TreeGrid& tree)
{
    std::vector<double> found;
    ComPtr<IHvSelected> selected;
    REQUIRE(tree.grid.Control()->get_Selected(&selected) == S_OK);
    ComPtr<IHvSelectedRows> rows;
    REQUIRE(selected->get_Rows(&rows) == S_OK);
    long count = 0;
    rows->get_Count(&count);
    for (long i = 0; i < count; ++i) {
        ComPtr<IHvRow> row;
        ComPtr<IHvCells> cells;
        ComPtr<IHvCell> cell;
        VARIANT key;
        VariantInit(&key);
        key.vt = VT_BSTR;
        key.bstrVal = SysAllocString(L"QTY");
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(rows->get_Item(i, &row)) && row && SUCCEEDED(row->get_Cells(&cells)) &&
            SUCCEEDED(cells->get_Item(key, &cell)))
            cell->get_Value(&value);
        VariantClear(&key);
        if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_R8)))
            found.push_back(value.dblVal);
        VariantClear(&value);
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

TEST_CASE("Shift+click on a child row under another parent selects the child rows between, down and up")
{
    TreeGrid tree;
    REQUIRE(tree.Band(0)->ExpandAll() == S_OK);
    tree.Pump();
    ComPtr<IHvOverride> items;
    REQUIRE(tree.Band(1)->get_Override(&items) == S_OK);
    REQUIRE(items->put_CellClickAction(hvClickActionRowSelect) == S_OK);
    REQUIRE(items->put_SelectTypeRow(hvSelectTypeExtended) == S_OK);
    ClickItem(tree, 101, false);
    CHECK(SelectedQuantities(tree) == std::vector<double>{101});
    ClickItem(tree, 300, true);
    CHECK(SelectedQuantities(tree) == std::vector<double>{101, 200, 201, 300});
    ClickItem(tree, 100, true);
    CHECK(SelectedQuantities(tree) == std::vector<double>{100, 101});
}
