// The range selection helpers and the point lookups of a mouse selection,
// over stand-in rows, cells and columns.
#include <doctest/doctest.h>

#include "HvSelectableItem.h"
#include "SelectionListBuilder.h"
#include "SelectionPointLookup.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

// A row, cell or column; a row makes its cells on first use.
struct FakeItem final : HvSelectableItem {
    explicit FakeItem(int kind, SelectionBandSeam* band = nullptr) : kind(kind), band(band) {}
    HvKeyedItem* KeyedItem() override { return nullptr; }
    void SetSelected(bool) override {}
    bool IsSelected() override { return false; }
    SelectionBandSeam* OwnerBand() override { return band; }
    SelectionLayoutSeam* Layout() override { return nullptr; }
    SelectionControlSeam* GridControl() override { return nullptr; }
    HvSelectableItem* RowItem() override { return nullptr; }
    bool MayActivate() override { return true; }
    LONG Activate(bool, LONG, LONG) override { return 0; }
    void EnterEditMode() override {}
    HvSelectableItem* GetCell(HvSelectableItem* column) override
    {
        if (noCellFor.count(column))
            return nullptr;
        auto& cell = cells[column];
        if (!cell)
            cell = std::make_unique<FakeItem>(1, band);
        return cell.get();
    }

    int kind;
    SelectionBandSeam* band;
    std::map<HvSelectableItem*, std::unique_ptr<FakeItem>> cells;
    std::set<HvSelectableItem*> noCellFor;
};

struct FakeRules final : SelectionRulesHost {
    bool IsHiddenOrDisabled(HvSelectableItem* item) override { return hidden.count(item) != 0; }
    bool IsMarkedSelected(HvSelectableItem* item) override { return marked.count(item) != 0; }
    bool IsSelectionPivot(HvSelectableItem* item) override { return item == pivot; }
    LONG MaxSelectedRows(HvSelectableItem*) override { return maxRows; }
    LONG MaxSelectedCells(HvSelectableItem*) override { return maxCells; }
    std::set<HvSelectableItem*> hidden;
    std::set<HvSelectableItem*> marked;
    HvSelectableItem* pivot = nullptr;
    LONG maxRows = 0;
    LONG maxCells = 0;
};

struct FakeList final : SelectionListTarget {
    LONG Count() override { return static_cast<LONG>(items.size()); }
    HRESULT Add(HvSelectableItem* item, bool flag) override
    {
        if (failAt >= 0 && Count() == failAt)
            return E_OUTOFMEMORY;
        items.push_back(item);
        flags.push_back(flag);
        return S_OK;
    }
    std::vector<HvSelectableItem*> items;
    std::vector<bool> flags;
    LONG failAt = -1;
};

struct Rows {
    explicit Rows(size_t count)
    {
        for (size_t i = 0; i < count; ++i)
            items.push_back(std::make_unique<FakeItem>(0));
    }
    HvSelectableItem* operator[](size_t i) { return items[i].get(); }
    std::vector<std::unique_ptr<FakeItem>> items;
};

// Walks the rows as the range selection does: stops at the first failure.
HRESULT Walk(SelectionListBuilder& builder, Rows& rows, FakeList& list, bool rules, LONG extend = 0)
{
    for (auto& row : rows.items) {
        const HRESULT hr = builder.AddRowToSelectionList(row.get(), list, rules, extend);
        if (hr != S_OK)
            return hr;
    }
    return S_OK;
}

constexpr HRESULT kTooMany = static_cast<HRESULT>(0x800A9C5E);

} // namespace

TEST_CASE("A row walk with the rules stops one short of MaxSelectedRows; 0 or a negative limit is none")
{
    struct Case {
        LONG max;
        LONG extend;
        HRESULT result;
        size_t added;
    };
    const Case cases[] = {{5, 0, kTooMany, 4},  {0, 0, S_OK, 10},  {-1, 0, S_OK, 10}, {-30000, 3, S_OK, 10},
                          {1, 0, kTooMany, 0}, {5, 2, kTooMany, 2}, {11, 0, S_OK, 10}};
    for (const Case& c : cases) {
        CAPTURE(c.max);
        CAPTURE(c.extend);
        Rows rows(10);
        FakeRules rules;
        rules.maxRows = c.max;
        SelectionListBuilder builder(rules);
        FakeList list;
        CHECK(Walk(builder, rows, list, true, c.extend) == c.result);
        CHECK(list.items.size() == c.added);
        for (bool flag : list.flags)
            CHECK(flag == (c.extend != 0));
    }
}

TEST_CASE("The rules pass over hidden or disabled rows, the unselected pivot and, extending, marked rows")
{
    Rows rows(6);
    FakeRules rules;
    rules.hidden = {rows[1]};
    rules.pivot = rows[2];
    rules.marked = {rows[3]};
    SelectionListBuilder builder(rules);
    FakeList plain;
    CHECK(Walk(builder, rows, plain, true) == S_OK);
    CHECK(plain.items == std::vector<HvSelectableItem*>{rows[0], rows[3], rows[4], rows[5]});
    FakeList extending;
    CHECK(Walk(builder, rows, extending, true, 1) == S_OK);
    CHECK(extending.items == std::vector<HvSelectableItem*>{rows[0], rows[4], rows[5]});
    // A marked pivot is selected like any row.
    rules.marked.insert(rows[2]);
    FakeList markedPivot;
    CHECK(Walk(builder, rows, markedPivot, true) == S_OK);
    CHECK(markedPivot.items.size() == 5);
}

TEST_CASE("Without the rules only marked rows other than the pivot are taken, whatever the limit")
{
    Rows rows(5);
    FakeRules rules;
    rules.maxRows = 1;
    rules.hidden = {rows[0]};
    rules.marked = {rows[0], rows[2], rows[3]};
    rules.pivot = rows[3];
    SelectionListBuilder builder(rules);
    FakeList list;
    CHECK(Walk(builder, rows, list, false) == S_OK);
    CHECK(list.items == std::vector<HvSelectableItem*>{rows[0], rows[2]});
}

TEST_CASE("The cells of a row: per column, with the cell rules and MaxSelectedCells")
{
    FakeItem row(0);
    std::vector<std::unique_ptr<FakeItem>> owned;
    std::vector<HvSelectableItem*> columns;
    for (int i = 0; i < 5; ++i) {
        owned.push_back(std::make_unique<FakeItem>(2));
        columns.push_back(owned.back().get());
    }
    row.noCellFor = {columns[1]};
    FakeRules rules;
    rules.hidden = {row.GetCell(columns[2])};
    SelectionListBuilder builder(rules);

    FakeList all;
    CHECK(builder.AddRowCellsToSelectionList(&row, columns, all, true, 0) == S_OK);
    CHECK(all.items == std::vector<HvSelectableItem*>{row.GetCell(columns[0]), row.GetCell(columns[3]),
                                                      row.GetCell(columns[4])});
    SUBCASE("the limit stops the row")
    {
        rules.maxCells = 3;
        FakeList limited;
        CHECK(builder.AddRowCellsToSelectionList(&row, columns, limited, true, 0) == kTooMany);
        CHECK(limited.items.size() == 2);
    }
    SUBCASE("a hidden row adds nothing; without the rules only marked cells")
    {
        rules.hidden.insert(&row);
        FakeList none;
        CHECK(builder.AddRowCellsToSelectionList(&row, columns, none, true, 0) == S_OK);
        CHECK(none.items.empty());
        rules.marked = {row.GetCell(columns[4])};
        FakeList marked;
        CHECK(builder.AddRowCellsToSelectionList(&row, columns, marked, false, 0) == S_OK);
        CHECK(marked.items == std::vector<HvSelectableItem*>{row.GetCell(columns[4])});
    }
    SUBCASE("a failed add is returned at once")
    {
        FakeList failing;
        failing.failAt = 1;
        CHECK(builder.AddRowCellsToSelectionList(&row, columns, failing, true, 0) == E_OUTOFMEMORY);
        CHECK(failing.items.size() == 1);
    }
}

namespace {

// The display as the lookups see it: cells by point, rows by y in the
// active row region, headers by x in the active column region.
struct FakeDisplay final : PointLookupHost {
    bool CellElementAt(POINT point, CellElementHit& hit) override
    {
        if (point.y >= 100 || !cell)
            return false;
        hit = {cell, cellRowRegion, cellColRegion};
        return true;
    }
    const void* ActiveRowRegion() override { return rowRegion; }
    const void* ActiveColRegion() override { return colRegion; }
    HvSelectableItem* RowAt(int y) override { return y < 100 ? row : nullptr; }
    const void* HeaderAt(int x) override { return x < 300 ? &header : nullptr; }
    HvSelectableItem* ColumnInRowAt(const void* h, HvSelectableItem* r, POINT) override
    {
        return h == &header && r == row ? column : nullptr;
    }
    HvSelectableItem* ColumnInHeaderAt(const void* h, HvSelectableItem*, POINT point) override
    {
        lastHeaderPoint = point;
        return h == &header ? column : nullptr;
    }
    int ItemKind(HvSelectableItem* item) override { return static_cast<FakeItem*>(item)->kind; }

    int header = 0;
    const void* rowRegion = reinterpret_cast<const void*>(1);
    const void* colRegion = reinterpret_cast<const void*>(2);
    const void* cellRowRegion = reinterpret_cast<const void*>(1);
    const void* cellColRegion = reinterpret_cast<const void*>(2);
    HvSelectableItem* cell = nullptr;
    HvSelectableItem* row = nullptr;
    HvSelectableItem* column = nullptr;
    POINT lastHeaderPoint{};
};

} // namespace

TEST_CASE("CellAtPoint answers the cell under the point when it lies in the regions asked for")
{
    FakeItem cell(1);
    FakeDisplay display;
    display.cell = &cell;
    SelectionPointLookup lookup(display);
    const auto* r1 = reinterpret_cast<const void*>(1);
    const auto* r2 = reinterpret_cast<const void*>(2);
    const auto* r9 = reinterpret_cast<const void*>(9);
    CHECK(lookup.CellAtPoint(MAKELPARAM(10, 10), nullptr, nullptr) == &cell);
    CHECK(lookup.CellAtPoint(MAKELPARAM(10, 10), r1, r2) == &cell);
    CHECK(lookup.CellAtPoint(MAKELPARAM(10, 10), r9, nullptr) == nullptr);
    CHECK(lookup.CellAtPoint(MAKELPARAM(10, 10), nullptr, r9) == nullptr);
    CHECK(lookup.CellAtPoint(MAKELPARAM(10, 200), nullptr, nullptr) == nullptr);
}

TEST_CASE("SelectableItemAtPoint: the item of the current kind under the point, else the current item")
{
    FakeItem row(0), otherRow(0), column(2), otherColumn(2), group(99), currentCell(1);
    FakeDisplay display;
    display.row = &otherRow;
    display.column = &otherColumn;
    SelectionPointLookup lookup(display);

    CHECK(lookup.SelectableItemAtPoint(MAKELPARAM(10, 10), &row) == &otherRow);
    CHECK(lookup.SelectableItemAtPoint(MAKELPARAM(10, 500), &row) == &row);
    CHECK(lookup.SelectableItemAtPoint(MAKELPARAM(10, 10), &currentCell) == otherRow.GetCell(&otherColumn));
    CHECK(lookup.SelectableItemAtPoint(MAKELPARAM(900, 10), &currentCell) == &currentCell);
    CHECK(lookup.SelectableItemAtPoint(MAKELPARAM(10, 10), &group) == &group);
    CHECK(lookup.SelectableItemAtPoint(MAKELPARAM(10, 10), nullptr) == nullptr);

    SUBCASE("a column drag below the last row finds the column by its horizontal position")
    {
        CHECK(lookup.SelectableItemAtPoint(MAKELPARAM(120, 700), &column) == &otherColumn);
        CHECK(display.lastHeaderPoint.x == 120);
        CHECK(lookup.SelectableItemAtPoint(MAKELPARAM(900, 700), &column) == &column);
    }
    SUBCASE("without active regions the current item stays")
    {
        display.rowRegion = nullptr;
        CHECK(lookup.SelectableItemAtPoint(MAKELPARAM(10, 10), &row) == &row);
        CHECK(lookup.SelectableItemAtPoint(MAKELPARAM(10, 10), &currentCell) == &currentCell);
        CHECK(lookup.SelectableItemAtPoint(MAKELPARAM(10, 10), &column) == &otherColumn);
        display.colRegion = nullptr;
        CHECK(lookup.SelectableItemAtPoint(MAKELPARAM(10, 10), &column) == &column);
    }
}
