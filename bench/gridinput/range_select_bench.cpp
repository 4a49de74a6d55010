// Prints how long the registered grid control, hosted in our container and
// bound to an in-memory recordset of 10,000 and of 100,000 rows, takes to
// select a range of rows: a click on the first row of a RowSelect band, then
// Shift+End selects every row to the last of the band; Shift+Home gives all
// but the first back, and a plain click clears the range. Then the mouse:
// the rows scrolled to the end (the pivot stays on the first row) and a
// Shift+click on the last row shown selects them all, the Shift key and the
// button held in the thread's keyboard state, which is where the control
// reads them; a second Shift+click there, a press on a selected row, leaves
// that row alone selected when the button comes up. Prints only; asserts nothing.
#include "ContainerWindow.h"
#include "ControlHost.h"
#include "Recordset.h"
#include "../support/Clock.h"
#include "../support/GridRegistration.h"
#include "../support/Messages.h"

#include <Tavelle.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using Microsoft::WRL::ComPtr;
using namespace hv::recordset;

namespace {

constexpr int Width = 600;
constexpr int Height = 400;

using hv::bench::Now;
using hv::bench::Pump;

bool Fill(Recordset& rs, int rows)
{
    if (FAILED(rs.AppendField(L"ID", FieldType::Double, 0, kFieldNullable)) ||
        FAILED(rs.AppendField(L"NAME", FieldType::WideString, 0, kFieldNullable)) || FAILED(rs.Open()) ||
        FAILED(rs.Reserve(static_cast<size_t>(rows))))
        return false;
    VARIANT v;
    VariantInit(&v);
    for (int i = 0; i < rows; ++i) {
        rs.AddNew();
        rs.SetNumber(0L, i + 1);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString((L"n" + std::to_wstring(i + 1)).c_str());
        rs.SetValue(1L, v);
        VariantClear(&v);
    }
    return SUCCEEDED(rs.Update());
}

// A key with Shift held, offered to the control first as a container's
// message loop does.
void ShiftKey(IOleInPlaceActiveObject* active, HWND window, UINT key)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[key] = 0x80;
    SetKeyboardState(keys);
    MSG message{window, WM_KEYDOWN, key, 1, 0, {}};
    if (!active || active->TranslateAcceleratorW(&message) != S_OK)
        SendMessageW(window, WM_KEYDOWN, key, 1);
    keys[key] = 0;
    SetKeyboardState(keys);
    SendMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    Pump();
}

void SetKeys(bool shift, bool button)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
    keys[VK_LBUTTON] = button ? 0x80 : 0;
    SetKeyboardState(keys);
}

// The pointer moved onto the point, the button pressed and released there,
// with Shift held when asked.
void Click(HWND window, POINT at, bool shift = false)
{
    const WPARAM held = shift ? MK_SHIFT : 0;
    SetKeys(shift, false);
    SendMessageW(window, WM_MOUSEMOVE, held, MAKELPARAM(at.x, at.y));
    SetKeys(shift, true);
    SendMessageW(window, WM_LBUTTONDOWN, held | MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SetKeys(shift, false);
    SendMessageW(window, WM_LBUTTONUP, held, MAKELPARAM(at.x, at.y));
    SetKeys(false, false);
    Pump();
}

long SelectedCount(IHvTavelleControl* control)
{
    ComPtr<IHvSelected> selected;
    ComPtr<IHvSelectedRows> rows;
    long count = -1;
    if (SUCCEEDED(control->get_Selected(&selected)) && SUCCEEDED(selected->get_Rows(&rows)))
        rows->get_Count(&count);
    return count;
}

// The middle of the first (or last) row of the data, from the grid's
// elements; false when it is not shown.
bool RowPoint(IHvTavelleControl* control, Constants_ChildRow which, POINT& at)
{
    ComPtr<IHvRow> row;
    VARIANT missing;
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    if (FAILED(control->GetRow(which, &row)) || !row)
        return false;
    ComPtr<IHvUIElement> element;
    if (FAILED(row->GetUIElement(&missing, &missing, &element)) || !element)
        return false;
    ComPtr<IHvUIRect> rect;
    long left = 0, top = 0, right = 0, bottom = 0;
    if (FAILED(element->get_Rect(&rect)) || !rect)
        return false;
    rect->get_Left(&left);
    rect->get_Top(&top);
    rect->get_Right(&right);
    rect->get_Bottom(&bottom);
    at = POINT{(left + right) / 2, (top + bottom) / 2};
    return true;
}

void Measure(int rows)
{
    Recordset rs;
    if (!Fill(rs, rows)) {
        std::printf("%d rows: the records could not be made\n", rows);
        return;
    }
    hv::container::ContainerWindow window(Width + 20, Height + 20);
    hv::container::ControlHost host(window.Hwnd(), RECT{0, 0, Width, Height});
    ComPtr<IUnknown> source;
    if (FAILED(host.Create(CLSID_HvTavelle)) || FAILED(host.Activate()) || FAILED(rs.GetDataSource(&source))) {
        std::printf("%d rows: the grid could not be hosted\n", rows);
        return;
    }
    ComPtr<IHvTavelleControl> control = host.Query<IHvTavelleControl>();
    ComPtr<IOleInPlaceActiveObject> active = host.Query<IOleInPlaceActiveObject>();
    ComPtr<IHvLayout> layout;
    ComPtr<IHvOverride> override;
    control->get_Layout(&layout);
    if (!layout || FAILED(layout->get_Override(&override)) ||
        FAILED(control->putref_DataSource(reinterpret_cast<DataSource*>(source.Get())))) {
        std::printf("%d rows: the grid could not be bound\n", rows);
        return;
    }
    override->put_CellClickAction(hvClickActionRowSelect);
    HWND grid = nullptr;
    ComPtr<IOleWindow> ole = host.Query<IOleWindow>();
    if (ole)
        ole->GetWindow(&grid);
    ShowWindow(window.Hwnd(), SW_SHOW);
    UpdateWindow(grid);
    Pump();
    SetFocus(grid);
    POINT first{};
    if (!grid || !RowPoint(control.Get(), hvChildRowFirst, first)) {
        std::printf("%d rows: no row shown\n", rows);
        return;
    }
    Click(grid, first);

    double start = Now();
    ShiftKey(active.Get(), grid, VK_END);
    const double toEnd = Now() - start;
    const long all = SelectedCount(control.Get());

    start = Now();
    ShiftKey(active.Get(), grid, VK_HOME);
    const double back = Now() - start;
    const long one = SelectedCount(control.Get());

    ShiftKey(active.Get(), grid, VK_END);
    start = Now();
    Click(grid, first);
    const double clear = Now() - start;

    std::printf("%7d rows: Shift+End %9.1f ms (%ld selected), Shift+Home %9.1f ms (%ld selected), "
                "click clearing the range %9.1f ms\n",
                rows, toEnd, all, back, one, clear);

    // The mouse: the pivot on the first row, the last row scrolled into
    // view without moving it, then Shift+click.
    ComPtr<IHvRowScrollRegion> region;
    POINT last{};
    if (FAILED(control->get_ActiveRowScrollRegion(&region)) || !region ||
        FAILED(region->Scroll(hvRowScrollActionBottom))) {
        std::printf("%7d rows: the rows could not be scrolled\n", rows);
        control->putref_DataSource(nullptr);
        return;
    }
    UpdateWindow(grid);
    Pump();
    if (!RowPoint(control.Get(), hvChildRowLast, last)) {
        std::printf("%7d rows: the last row is not shown\n", rows);
        control->putref_DataSource(nullptr);
        return;
    }
    start = Now();
    Click(grid, last, true);
    const double shiftClick = Now() - start;
    const long clicked = SelectedCount(control.Get());
    std::printf("%7d rows: Shift+click on the last row %9.1f ms (%ld selected)\n", rows, shiftClick, clicked);
    start = Now();
    Click(grid, last, true);
    const double again = Now() - start;
    std::printf("%7d rows: Shift+click on it again %9.1f ms (%ld selected)\n", rows, again,
                SelectedCount(control.Get()));
    control->putref_DataSource(nullptr);
}

} // namespace

// With a row count as argument, only that size is measured.
int main(int argc, char** argv)
{
    // Each figure as soon as it is known.
    setvbuf(stdout, nullptr, _IONBF, 0);
    OleInitialize(nullptr);
    if (!hv::bench::RegisterGrid()) {
        std::printf("the grid control could not be registered\n");
        OleUninitialize();
        return 1;
    }
    if (argc > 1)
        Measure(std::atoi(argv[1]));
    else
        for (int rows : {10000, 100000})
            Measure(rows);
    OleUninitialize();
    return 0;
}
