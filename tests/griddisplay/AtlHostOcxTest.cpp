// The registered grid in a container we did not write, the system's ATL
// host window: bound, drawn and asked for its elements as in our own
// container.
#include "BoundTable.h"

#include "AtlLibrary.h"

#include <doctest/doctest.h>

using Microsoft::WRL::ComPtr;

TEST_CASE("in the ATL host window the bound grid paints its cells and answers its elements")
{
    RegisterOnce();
    AtlLibrary atl;
    REQUIRE(atl.module);
    auto init = atl.Entry<AtlAxWinInitFunction>("AtlAxWinInit");
    auto getControl = atl.Entry<AtlAxGetControlFunction>("AtlAxGetControl");
    REQUIRE(static_cast<bool>(init));
    REQUIRE(static_cast<bool>(getControl));
    REQUIRE(init());

    hv::container::ContainerWindow window(440, 340);
    wchar_t clsid[64] = L"";
    StringFromGUID2(CLSID_HvTavelle, clsid, 64);
    HWND host = CreateWindowExW(0, L"AtlAxWin", clsid, WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, window.Hwnd(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    REQUIRE(host);
    {
        ComPtr<IUnknown> unknown;
        REQUIRE(getControl(host, unknown.GetAddressOf()) == S_OK);
        ComPtr<IHvTavelleControl> control;
        REQUIRE(unknown.As(&control) == S_OK);
        hv::recordset::Recordset records;
        FillTable(records, 60);
        ComPtr<IUnknown> source;
        REQUIRE(records.GetDataSource(&source) == S_OK);
        REQUIRE(control->putref_DataSource(reinterpret_cast<DataSource*>(source.Get())) == S_OK);

        ComPtr<IHvUIElement> root;
        REQUIRE(control->GetUIElement(&root) == S_OK);
        CHECK(TypeOf(root.Get()) == 100);
        ComPtr<IViewObject> view;
        REQUIRE(unknown.As(&view) == S_OK);
        Canvas canvas(400, 300, RGB(1, 2, 3));
        RECTL bounds{0, 0, 400, 300};
        REQUIRE(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr,
                           0) == S_OK);

        VARIANT ignore = Missing();
        ComPtr<IHvUIElement> none;
        REQUIRE(control->UIElementFromPoint(OcxGrid::ToUnits(-5), OcxGrid::ToUnits(-5), &ignore, &none) == S_OK);
        CHECK(TypeOf(none.Get()) == 1);

        // The first row's first cell: its element, its text, its ink.
        ComPtr<IHvRow> row;
        REQUIRE(control->GetRow(hvChildRowFirst, &row) == S_OK);
        ComPtr<IHvCells> cells;
        REQUIRE(row->get_Cells(&cells) == S_OK);
        VARIANT index;
        VariantInit(&index);
        index.vt = VT_I4;
        index.lVal = 0;
        ComPtr<IHvCell> cell;
        REQUIRE(cells->get_Item(index, &cell) == S_OK);
        VARIANT rows = Missing();
        VARIANT cols = Missing();
        ComPtr<IHvUIElement> element;
        REQUIRE(cell->GetUIElement(&rows, &cols, &element) == S_OK);
        REQUIRE(element);
        CHECK(TypeOf(element.Get()) == 6000);
        RECT inner = RectOf(element.Get());
        InflateRect(&inner, -2, -2);
        CHECK(InkIn(canvas, inner, canvas.At(inner.right - 1, inner.bottom - 1), RGB(1, 2, 3)) > 10);
        ComPtr<IHvUIElement> popup;
        CHECK(control->GetUIElementPopup(static_cast<Constants_UIElementPopup>(700), &popup) ==
              static_cast<HRESULT>(0x800A017C));
        ComPtr<IHvLayout> layout;
        REQUIRE(control->get_Layout(&layout) == S_OK);
        ComPtr<IHvRowScrollRegions> regions;
        REQUIRE(layout->get_RowScrollRegions(&regions) == S_OK);
        ComPtr<IHvRowScrollRegion> region;
        REQUIRE(regions->get_Item(0, &region) == S_OK);
        CHECK(region->Scroll(static_cast<Constants_RowScrollAction>(4)) == E_INVALIDARG);
        REQUIRE(region->Scroll(hvRowScrollActionPageDown) == S_OK);
        element.Reset();
        REQUIRE(cell->GetUIElement(&rows, &cols, &element) == S_OK);
        CHECK(!element);
        REQUIRE(control->putref_DataSource(nullptr) == S_OK);
    }
    DestroyWindow(host);
}
