// Prints what editing costs in the registered grid control, hosted in our
// container and bound to an in-memory recordset of 200 records (ID, Name,
// Qty): 10,000 edit-commit cycles (a Qty cell enters edit mode, a new number
// is put into its EDIT window and edit mode is left, which writes the record
// at once), timed by thousands, with the GDI and USER objects before, after
// the first thousand and at the end; then a cell whose list holds 1,000 and
// 10,000 entries dropped down twice (the first time fills the list) and
// closed, with the objects before and after. Prints only; asserts nothing.
#include "ContainerWindow.h"
#include "ControlHost.h"
#include "Recordset.h"
#include "../support/Clock.h"
#include "../support/GridRegistration.h"
#include "../support/GuiCounts.h"
#include "../support/Messages.h"

#include <Tavelle.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;
using namespace hv::recordset;
using hv::bench::CountGuiObjects;
using hv::bench::GuiCounts;
using hv::bench::Now;
using hv::bench::Pump;

namespace {

constexpr int Records = 200;
int Cycles = 10000;  // another count may be given on the command line

bool Fill(Recordset& rs)
{
    if (FAILED(rs.AppendField(L"ID", FieldType::Double)) ||
        FAILED(rs.AppendField(L"Name", FieldType::WideString, 10, kFieldNullable)) ||
        FAILED(rs.AppendField(L"Qty", FieldType::Double, 0, kFieldNullable)) || FAILED(rs.Open()))
        return false;
    VARIANT v;
    VariantInit(&v);
    for (int i = 0; i < Records; ++i) {
        rs.AddNew();
        rs.SetNumber(0L, i + 1);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString((L"N" + std::to_wstring(i)).c_str());
        rs.SetValue(1L, v);
        VariantClear(&v);
        rs.SetNumber(2L, 10.0 * i);
    }
    return SUCCEEDED(rs.Update());
}

VARIANT Text(const wchar_t* text)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
}

// The grid's visible EDIT window (a pop-up the grid's top-level window owns).
HWND EditWindow(HWND grid)
{
    struct Search {
        HWND owner;
        HWND found;
    } search{GetAncestor(grid, GA_ROOT), nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = static_cast<Search*>(reinterpret_cast<void*>(data));
            wchar_t name[16] = L"";
            GetClassNameW(window, name, 16);
            if (GetWindow(window, GW_OWNER) == s->owner && lstrcmpiW(name, L"Edit") == 0 && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ComPtr<IHvColumn> Column(IHvTavelleControl* control, const wchar_t* key)
{
    ComPtr<IHvBands> bands;
    ComPtr<IHvBand> band;
    ComPtr<IHvColumns> columns;
    ComPtr<IHvColumn> column;
    VARIANT first;
    VariantInit(&first);
    first.vt = VT_I4;
    first.lVal = 0;
    VARIANT name = Text(key);
    if (SUCCEEDED(control->get_Bands(&bands)) && SUCCEEDED(bands->get_Item(first, &band)) &&
        SUCCEEDED(band->get_Columns(&columns)))
        columns->get_Item(name, &column);
    VariantClear(&name);
    return column;
}

// The cells of a column in the first rows.
std::vector<ComPtr<IHvCell>> Cells(IHvTavelleControl* control, const wchar_t* key, int rows)
{
    std::vector<ComPtr<IHvCell>> found;
    VARIANT noSpan;
    VariantInit(&noSpan);
    noSpan.vt = VT_ERROR;
    noSpan.scode = DISP_E_PARAMNOTFOUND;
    VARIANT name = Text(key);
    ComPtr<IHvRow> row;
    control->GetRow(hvChildRowFirst, &row);
    while (row && static_cast<int>(found.size()) < rows) {
        ComPtr<IHvCells> cells;
        ComPtr<IHvCell> cell;
        if (SUCCEEDED(row->get_Cells(&cells)) && SUCCEEDED(cells->get_Item(name, &cell)) && cell)
            found.push_back(cell);
        ComPtr<IHvRow> next;
        row = row->GetSibling(hvSiblingRowNext, &noSpan, &next) == S_OK ? next : nullptr;
    }
    VariantClear(&name);
    return found;
}

void PrintCounts(const char* when, const GuiCounts& counts)
{
    std::printf("  %-28s GDI objects %5ld, USER objects %4ld\n", when, counts.gdi, counts.user);
}

// Edit-commit cycles over the Qty cells in turn; false when one failed.
bool EditCycles(IHvTavelleControl* control, HWND grid, const std::vector<ComPtr<IHvCell>>& cells)
{
    std::printf("%d edit-commit cycles over %zu Qty cells (UpdateMode on cell change)\n", Cycles, cells.size());
    PrintCounts("before", CountGuiObjects());
    long stored = 0;
    double start = Now();
    const double all = start;
    // Where a thousand cycles' time goes.
    double activate = 0;
    double enter = 0;
    double type = 0;
    double leave = 0;
    for (int i = 0; i < Cycles; ++i) {
        IHvCell* cell = cells[static_cast<size_t>(i) % cells.size()].Get();
        double step = Now();
        const HRESULT activated = control->put_ActiveCell(cell);
        activate += Now() - step;
        step = Now();
        if (FAILED(activated) || FAILED(control->PerformAction(hvKeyActionEnterEditMode))) {
            std::printf("  cycle %d: edit mode not entered\n", i);
            return false;
        }
        enter += Now() - step;
        step = Now();
        HWND edit = EditWindow(grid);
        if (!edit) {
            std::printf("  cycle %d: no EDIT window\n", i);
            return false;
        }
        SetWindowTextW(edit, std::to_wstring(i).c_str());
        type += Now() - step;
        step = Now();
        control->PerformAction(hvKeyActionExitEditMode);
        leave += Now() - step;
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(cell->get_Value(&value)) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)) &&
            value.lVal == i)
            ++stored;
        VariantClear(&value);
        if ((i + 1) % 1000 == 0) {
            Pump();
            const double now = Now();
            std::printf("  cycles %5d-%5d: %8.1f ms (%.3f ms a cycle: ActiveCell %.3f, enter %.3f, text %.3f, "
                        "leave and write %.3f)\n",
                        i - 998, i + 1, now - start, (now - start) / 1000.0, activate / 1000.0, enter / 1000.0,
                        type / 1000.0, leave / 1000.0);
            activate = enter = type = leave = 0;
            start = Now();
            if (i + 1 == 1000)
                PrintCounts("after 1,000", CountGuiObjects());
        }
    }
    Pump();
    std::printf("  all: %.1f ms, %ld of %d values stored\n", Now() - all, stored, Cycles);
    PrintCounts("at the end", CountGuiObjects());
    return true;
}

// A value list of n entries given to the Name column as a drop-down list.
bool GiveList(IHvTavelleControl* control, const wchar_t* key, int n, double* built)
{
    const double start = Now();
    ComPtr<IHvValueLists> lists;
    ComPtr<IHvValueList> list;
    ComPtr<IHvValueListItems> items;
    VARIANT name = Text(key);
    bool made = SUCCEEDED(control->get_ValueLists(&lists)) && SUCCEEDED(lists->Add(name, &list)) &&
                SUCCEEDED(list->get_ValueListItems(&items));
    VARIANT missing;
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    for (int i = 0; made && i < n; ++i) {
        VARIANT data = Text((L"N" + std::to_wstring(i)).c_str());
        VARIANT shown = Text((L"Entry number " + std::to_wstring(i)).c_str());
        ComPtr<IHvValueListItem> item;
        made = SUCCEEDED(items->Add(&data, shown, missing, &item));
        VariantClear(&data);
        VariantClear(&shown);
    }
    ComPtr<IHvColumn> column = Column(control, L"Name");
    made = made && column && SUCCEEDED(column->put_ValueList(name)) &&
           SUCCEEDED(column->put_Style(hvStyleDropDownList));
    VariantClear(&name);
    *built = Now() - start;
    return made;
}

void OpenList(IHvTavelleControl* control, IHvCell* cell, int n)
{
    const std::wstring key = L"Entries" + std::to_wstring(n);
    std::printf("a list of %d entries\n", n);
    PrintCounts("before", CountGuiObjects());
    double built = 0;
    if (!GiveList(control, key.c_str(), n, &built)) {
        std::printf("  could not give the list\n");
        return;
    }
    std::printf("  value list built and given: %8.1f ms\n", built);
    control->put_ActiveCell(cell);
    for (const char* pass : {"first drop-down", "second drop-down"}) {
        double start = Now();
        const HRESULT hr = cell->put_DroppedDown(VARIANT_TRUE);
        Pump();
        const double opened = Now() - start;
        VARIANT_BOOL down = VARIANT_FALSE;
        cell->get_DroppedDown(&down);
        start = Now();
        cell->put_DroppedDown(VARIANT_FALSE);
        Pump();
        std::printf("  %-18s %8.1f ms (0x%08lx, %s), closed in %6.1f ms\n", pass, opened, static_cast<unsigned long>(hr),
                    down ? "dropped" : "NOT dropped", Now() - start);
    }
    control->PerformAction(hvKeyActionExitEditMode);
    Pump();
    PrintCounts("after", CountGuiObjects());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::atoi(argv[1]) >= 1000)
        Cycles = std::atoi(argv[1]);
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    if (!hv::bench::RegisterGrid()) {
        std::printf("could not register %s\n", HV_TAVELLE_OCX);
        return 1;
    }
    {
        Recordset rs;
        if (!Fill(rs)) {
            std::printf("could not build the recordset\n");
            return 1;
        }
        hv::container::ContainerWindow window(620, 420);
        hv::container::ControlHost host(window.Hwnd(), RECT{0, 0, 600, 400});
        ComPtr<IHvTavelleControl> control;
        ComPtr<IUnknown> source;
        HWND grid = nullptr;
        const char* step = "create";
        HRESULT hr = host.Create(CLSID_HvTavelle);
        if (SUCCEEDED(hr)) {
            ShowWindow(window.Hwnd(), SW_SHOW);
            SetForegroundWindow(window.Hwnd());
            step = "activate";
            hr = host.Activate(OLEIVERB_UIACTIVATE);
        }
        if (SUCCEEDED(hr) && (step = "query") && !(control = host.Query<IHvTavelleControl>()))
            hr = E_NOINTERFACE;
        if (SUCCEEDED(hr) && (step = "window"))
            hr = host.Query<IOleWindow>()->GetWindow(&grid);
        if (SUCCEEDED(hr) && (step = "data source"))
            hr = rs.GetDataSource(&source);
        if (SUCCEEDED(hr) && (step = "bind"))
            hr = control->putref_DataSource(reinterpret_cast<DataSource*>(source.Get()));
        if (SUCCEEDED(hr) && (step = "update mode"))
            hr = control->put_UpdateMode(hvUpdateOnCellChange);
        if (FAILED(hr)) {
            std::printf("could not bind the grid: %s 0x%08lx\n", step, static_cast<unsigned long>(hr));
            return 1;
        }
        SetFocus(grid);
        Pump();

        // For scale: what one paint of the whole grid window costs, which
        // entering edit mode does first.
        double paint = Now();
        for (int i = 0; i < 100; ++i) {
            InvalidateRect(grid, nullptr, TRUE);
            UpdateWindow(grid);
        }
        paint = (Now() - paint) / 100;
        std::printf("one paint of the grid window: %.3f ms\n", paint);
        // And what showing, focusing and hiding a pop-up EDIT window of our
        // own costs, which every edit does.
        if (HWND popup = CreateWindowExW(WS_EX_TOOLWINDOW, L"EDIT", L"", WS_POPUP | ES_AUTOHSCROLL, 10, 10, 80, 20,
                                         window.Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr)) {
            double shown = Now();
            for (int i = 0; i < 100; ++i) {
                ShowWindow(popup, SW_SHOW);
                SetFocus(popup);
                ShowWindow(popup, SW_HIDE);
                SetFocus(grid);
                Pump();
            }
            std::printf("a pop-up EDIT window shown, focused and hidden: %.3f ms\n", (Now() - shown) / 100);
            DestroyWindow(popup);
        }

        const std::vector<ComPtr<IHvCell>> qty = Cells(control.Get(), L"Qty", 20);
        if (qty.empty() || !EditCycles(control.Get(), grid, qty)) {
            std::printf("the edit cycles stopped\n");
            return 1;
        }
        const std::vector<ComPtr<IHvCell>> names = Cells(control.Get(), L"Name", 1);
        if (!names.empty()) {
            OpenList(control.Get(), names[0].Get(), 1000);
            OpenList(control.Get(), names[0].Get(), 10000);
        }
        control.Reset();
        host.Close();
        Pump();
    }
    OleUninitialize();
    return 0;
}
