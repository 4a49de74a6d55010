// A container we did not write: Wine's ATL host window ("AtlAxWin" of
// atl.dll) creates the registered grid by class identifier; bound to the
// recordset stand-in, with the focus in it, Down, Ctrl+End and Space typed
// through SendInput move the active row and the selection as the same keys
// do in our container. SendInput types into the active window: the test
// runs alone.
#include "BoundGrid.h"

#include "AtlLibrary.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

void Pump()
{
    MSG message;
    for (int round = 0; round < 5; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

void Type(std::vector<WORD> keys)
{
    std::vector<INPUT> inputs;
    auto add = [&](WORD key, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) |
                           (key == VK_DOWN || key == VK_END ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs.push_back(input);
    };
    for (WORD key : keys)
        add(key, false);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        add(*key, true);
    REQUIRE(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size());
    Pump();
}

struct State {
    long active;
    std::vector<long> selected;
    bool operator==(const State& other) const { return active == other.active && selected == other.selected; }
};

State StateOf(IHvTavelleControl* control)
{
    State state{0, {}};
    ComPtr<IHvRow> row;
    control->get_ActiveRow(&row);
    state.active = BoundGrid::IdOf(row.Get());
    ComPtr<IHvSelected> selected;
    ComPtr<IHvSelectedRows> rows;
    REQUIRE(control->get_Selected(&selected) == S_OK);
    REQUIRE(selected->get_Rows(&rows) == S_OK);
    long count = 0;
    rows->get_Count(&count);
    for (long i = 0; i < count; ++i) {
        ComPtr<IHvRow> item;
        rows->get_Item(i, &item);
        state.selected.push_back(BoundGrid::IdOf(item.Get()));
    }
    return state;
}

std::wstring ClsidText()
{
    wchar_t text[64] = L"";
    StringFromGUID2(CLSID_HvTavelle, text, 64);
    return text;
}

// The middle of the first row's element, in the grid's client area.
POINT FirstRowPoint(IHvTavelleControl* control)
{
    ComPtr<IHvRow> row;
    REQUIRE(control->GetRow(hvChildRowFirst, &row) == S_OK);
    REQUIRE(row);
    VARIANT missing = Missing();
    ComPtr<IHvUIElement> element;
    REQUIRE(row->GetUIElement(&missing, &missing, &element) == S_OK);
    REQUIRE(element);
    return Middle(RectOf(element.Get()));
}

void ClickAt(HWND window, POINT at)
{
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump();
}

} // namespace

TEST_CASE("in Wine's ATL host Down, Ctrl+End and Space typed through SendInput act on the bound grid as in ours")
{
    // Ours first: the same keys, given as our container gives them.
    std::vector<State> ours;
    {
        BoundGrid bound(30);
        REQUIRE(bound.Override0()->put_CellClickAction(hvClickActionRowSelect) == S_OK);
        bound.ClickCell(1, L"Name");
        REQUIRE(bound.ActiveRowId() == 1);
        bound.Key(VK_DOWN);
        ours.push_back(StateOf(bound.Control()));
        bound.Key(VK_END, false, true);
        ours.push_back(StateOf(bound.Control()));
        bound.Key(VK_SPACE);
        ours.push_back(StateOf(bound.Control()));
    }
    REQUIRE(ours[0].active == 2);
    REQUIRE(ours[1].active == 30);

    AtlLibrary atl;
    REQUIRE(atl.module);
    auto init = atl.Entry<AtlAxWinInitFunction>("AtlAxWinInit");
    auto getControl = atl.Entry<AtlAxGetControlFunction>("AtlAxGetControl");
    REQUIRE(static_cast<bool>(init));
    REQUIRE(static_cast<bool>(getControl));
    REQUIRE(init());

    hv::recordset::Recordset records;
    BoundGrid::FillRecords(records, 30);
    hv::container::ContainerWindow window(440, 340);
    HWND host = CreateWindowExW(0, L"AtlAxWin", ClsidText().c_str(), WS_CHILD | WS_VISIBLE, 10, 10, 400, 300,
                                window.Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    REQUIRE(host);
    ComPtr<IUnknown> unknown;
    REQUIRE(getControl(host, unknown.GetAddressOf()) == S_OK);
    ComPtr<IHvTavelleControl> control;
    REQUIRE(unknown.As(&control) == S_OK);
    IUnknown* source = nullptr;
    REQUIRE(records.GetDataSource(&source) == S_OK);
    const HRESULT bound = control->putref_DataSource(reinterpret_cast<DataSource*>(source));
    source->Release();
    REQUIRE(bound == S_OK);
    ComPtr<IHvLayout> layout;
    ComPtr<IHvBands> bands;
    ComPtr<IHvBand> band;
    ComPtr<IHvOverride> override;
    REQUIRE(control->get_Layout(&layout) == S_OK);
    REQUIRE(layout->get_Bands(&bands) == S_OK);
    VARIANT first;
    VariantInit(&first);
    first.vt = VT_I4;
    first.lVal = 0;
    REQUIRE(bands->get_Item(first, &band) == S_OK);
    REQUIRE(band->get_Override(&override) == S_OK);
    REQUIRE(override->put_CellClickAction(hvClickActionRowSelect) == S_OK);

    ComPtr<IOleWindow> ole;
    REQUIRE(unknown.As(&ole) == S_OK);
    HWND grid = nullptr;
    REQUIRE(ole->GetWindow(&grid) == S_OK);
    REQUIRE(grid);
    ShowWindow(window.Hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(window.Hwnd());
    UpdateWindow(grid);
    Pump();
    ClickAt(grid, FirstRowPoint(control.Get()));
    SetFocus(grid);
    Pump();
    REQUIRE(GetFocus() == grid);
    REQUIRE(StateOf(control.Get()).active == 1);

    Type({VK_DOWN});
    CHECK(StateOf(control.Get()) == ours[0]);
    Type({VK_CONTROL, VK_END});
    CHECK(StateOf(control.Get()) == ours[1]);
    Type({VK_SPACE});
    CHECK(StateOf(control.Get()) == ours[2]);

    control->putref_DataSource(nullptr);
    control.Reset();
    unknown.Reset();
    DestroyWindow(host);
    Pump();
}
