// The look a client asks a row or a cell for (ResolveAppearance) through
// the registered control: every level of appearances in its order, the
// selected, active and editing states before them, the alternate rows of a
// scroll region, and the defaults where nothing is set.
#include "EditGrid.h"

#include <functional>

using namespace gridedit;

namespace {

constexpr OLE_COLOR SysHighlight = 0x8000000D;

struct Look {
    OLE_COLOR back = 0;
    Constants_Align align{};
    Constants_VAlign valign{};
};

template <class T>
Look Resolve(T* object, VARIANT* region = nullptr)
{
    Var missing;
    missing.v.vt = VT_ERROR, missing.v.scode = DISP_E_PARAMNOTFOUND;
    ComPtr<IHvAppearance> resolved;
    REQUIRE(object->ResolveAppearance(region ? region : &missing.v, resolved.GetAddressOf()) == S_OK);
    REQUIRE(resolved);
    Look look;
    REQUIRE(resolved->get_BackColor(&look.back) == S_OK);
    REQUIRE(resolved->get_TextAlign(&look.align) == S_OK);
    REQUIRE(resolved->get_TextVAlign(&look.valign) == S_OK);
    return look;
}

using Getter = std::function<HRESULT(IHvAppearance**)>;

void PutBack(const Getter& get, OLE_COLOR colour)
{
    ComPtr<IHvAppearance> appearance;
    REQUIRE(get(appearance.GetAddressOf()) == S_OK);
    REQUIRE(appearance);
    REQUIRE(appearance->put_BackColor(colour) == S_OK);
}

ComPtr<IHvLayout> LayoutOf(EditGrid& grid)
{
    ComPtr<IHvLayout> layout;
    REQUIRE(grid.Control()->get_Layout(layout.GetAddressOf()) == S_OK);
    return layout;
}

ComPtr<IHvOverride> LayoutOverride(EditGrid& grid)
{
    ComPtr<IHvOverride> override;
    REQUIRE(LayoutOf(grid)->get_Override(override.GetAddressOf()) == S_OK);
    return override;
}

ComPtr<IHvOverride> BandOverride(EditGrid& grid)
{
    ComPtr<IHvColumn> column = grid.Column(L"Name");
    ComPtr<IHvBand> band;
    REQUIRE(column->get_Band(band.GetAddressOf()) == S_OK);
    ComPtr<IHvOverride> override;
    REQUIRE(band->get_Override(override.GetAddressOf()) == S_OK);
    return override;
}

} // namespace

TEST_CASE("a resolved cell and row take each level of appearances in order, the states before them")
{
    EditGrid grid;
    // Row 3 is neither active nor an alternate row.
    ComPtr<IHvRow> row = grid.Row(3);
    ComPtr<IHvCell> cell = grid.Cell(3, L"Name");
    ComPtr<IHvOverride> layoutOverride = LayoutOverride(grid);
    ComPtr<IHvOverride> bandOverride = BandOverride(grid);
    ComPtr<IHvLayout> layout = LayoutOf(grid);
    ComPtr<IHvColumn> column = grid.Column(L"Name");

    // From the least specific level to the most: each one set wins over
    // those before it; reachesRow tells whether the row's own look takes it.
    struct Level {
        const char* name;
        Getter get;
        bool reachesRow;
    };
    const Level levels[] = {
        {"layout Appearance", [&](IHvAppearance** a) { return layout->get_Appearance(a); }, true},
        {"layout RowAppearance", [&](IHvAppearance** a) { return layoutOverride->get_RowAppearance(a); }, true},
        {"layout CellAppearance", [&](IHvAppearance** a) { return layoutOverride->get_CellAppearance(a); }, false},
        {"band CellAppearance", [&](IHvAppearance** a) { return bandOverride->get_CellAppearance(a); }, false},
        {"row Appearance", [&](IHvAppearance** a) { return row->get_Appearance(a); }, true},
        {"column CellAppearance", [&](IHvAppearance** a) { return column->get_CellAppearance(a); }, false},
        {"row CellAppearance", [&](IHvAppearance** a) { return row->get_CellAppearance(a); }, false},
        {"cell Appearance", [&](IHvAppearance** a) { return cell->get_Appearance(a); }, false},
    };
    OLE_COLOR rowBack = 0x8000000F;
    OLE_COLOR colour = RGB(10, 20, 30);
    for (const Level& level : levels) {
        CAPTURE(level.name);
        colour += RGB(1, 0, 0);
        PutBack(level.get, colour);
        if (level.reachesRow)
            rowBack = colour;
        CHECK(Resolve(cell.Get()).back == colour);
        CHECK(Resolve(row.Get()).back == rowBack);
    }

    // A selected row: its cells too take the selected look first, the
    // system's highlight where no selected appearance is set.
    REQUIRE(row->put_Selected(VARIANT_TRUE) == S_OK);
    CHECK(Resolve(cell.Get()).back == SysHighlight);
    CHECK(Resolve(row.Get()).back == SysHighlight);
    PutBack([&](IHvAppearance** a) { return layoutOverride->get_SelectedRowAppearance(a); }, RGB(1, 1, 1));
    PutBack([&](IHvAppearance** a) { return layoutOverride->get_SelectedCellAppearance(a); }, RGB(2, 2, 2));
    CHECK(Resolve(cell.Get()).back == RGB(2, 2, 2));
    CHECK(Resolve(row.Get()).back == RGB(1, 1, 1));

    // The active cell and row come before the selected look.
    PutBack([&](IHvAppearance** a) { return layoutOverride->get_ActiveRowAppearance(a); }, RGB(3, 3, 3));
    PutBack([&](IHvAppearance** a) { return layoutOverride->get_ActiveCellAppearance(a); }, RGB(4, 4, 4));
    REQUIRE(grid.Control()->put_ActiveCell(cell.Get()) == S_OK);
    Pump();
    CHECK(Resolve(cell.Get()).back == RGB(4, 4, 4));
    CHECK(Resolve(row.Get()).back == RGB(3, 3, 3));
    CHECK(Resolve(grid.Cell(3, L"Qty").Get()).back == RGB(3, 3, 3));

    // Editing comes first of all.
    PutBack([&](IHvAppearance** a) { return layoutOverride->get_EditCellAppearance(a); }, RGB(5, 5, 5));
    SetFocus(grid.GridWindow());
    grid.PressKey(VK_F2);
    REQUIRE(grid.IsInEditMode());
    CHECK(Resolve(cell.Get()).back == RGB(5, 5, 5));
    grid.PressKey(VK_ESCAPE);
    CHECK_FALSE(grid.IsInEditMode());
    CHECK(Resolve(cell.Get()).back == RGB(4, 4, 4));
}

TEST_CASE("resolved looks: defaults where nothing is set, alternate rows by their scroll region")
{
    EditGrid grid;
    // Nothing set: a cell shows the window's colours, a row the button face;
    // numbers lean right, texts left, both to the top.
    const Look name = Resolve(grid.Cell(3, L"Name").Get());
    CHECK(name.back == 0x80000005);
    CHECK(name.align == hvAlignLeft);
    CHECK(name.valign == hvVAlignTop);
    CHECK(Resolve(grid.Cell(3, L"Qty").Get()).align == hvAlignRight);
    const Look row = Resolve(grid.Row(3).Get());
    CHECK(row.back == 0x8000000F);
    CHECK(row.align == hvAlignLeft);
    CHECK(row.valign == hvVAlignTop);

    ComPtr<IHvOverride> override = LayoutOverride(grid);
    PutBack([&](IHvAppearance** a) { return override->get_RowAppearance(a); }, RGB(200, 0, 0));
    PutBack([&](IHvAppearance** a) { return override->get_RowAlternateAppearance(a); }, RGB(0, 0, 200));
    Pump();
    // The second row shown is an alternate row, in the region named too.
    Var first(0L);
    CHECK(Resolve(grid.Row(1).Get(), &first.v).back == RGB(200, 0, 0));
    CHECK(Resolve(grid.Row(2).Get(), &first.v).back == RGB(0, 0, 200));
    CHECK(Resolve(grid.Cell(2, L"Name").Get()).back == RGB(0, 0, 200));
    CHECK(Resolve(grid.Cell(3, L"Name").Get()).back == RGB(200, 0, 0));

    // A region that does not exist is refused.
    Var absent(7L);
    ComPtr<IHvAppearance> none;
    CHECK(grid.Row(2)->ResolveAppearance(&absent.v, none.GetAddressOf()) == static_cast<HRESULT>(0x800AA21D));
    CHECK(grid.Cell(2, L"Name")->ResolveAppearance(&absent.v, none.GetAddressOf()) ==
          static_cast<HRESULT>(0x800AA21D));
    CHECK_FALSE(none);
}
