// Prints what binding costs the registered grid control, hosted in our
// container, over an in-memory recordset of 100,000 and of 1,000,000 rows
// (one text and seven numbers): the time DataSource takes, then the time to
// reach the first row and walk 10,000 rows by GetSibling reading a cell of
// each; for both, the provider calls made and the most row handles the grid
// held. Once with the grid's own fetch mode and once with rows not kept.
// Prints only; asserts nothing.
#include "ContainerWindow.h"
#include "ControlHost.h"
#include "Recordset.h"
#include "../support/Clock.h"
#include "../support/GridRegistration.h"

#include <Tavelle.h>
#include <windows.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <string>

using Microsoft::WRL::ComPtr;
using namespace hv::recordset;

namespace {

constexpr int Walked = 10000;

using hv::bench::Now;

bool Fill(Recordset& rs, int rows)
{
    if (FAILED(rs.AppendField(L"AMOSTRA", FieldType::WideString, 0, kFieldNullable)))
        return false;
    for (const wchar_t* name : {L"ME", L"TEMP_ENS", L"TEMP_EST", L"ME20", L"GRAU", L"GRAU20", L"FATOR"})
        rs.AppendField(name, FieldType::Double, 0, kFieldNullable);
    if (FAILED(rs.Open()) || FAILED(rs.Reserve(static_cast<size_t>(rows))))
        return false;
    VARIANT v;
    VariantInit(&v);
    for (int i = 0; i < rows; ++i) {
        rs.AddNew();
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString((L"A" + std::to_wstring(i)).c_str());
        rs.SetValue(0L, v);
        VariantClear(&v);
        for (long f = 1; f <= 7; ++f)
            rs.SetNumber(f, 800.0 + i * 0.001 + f);
    }
    return SUCCEEDED(rs.Update());
}

struct Figures {
    double bind = 0;
    long bindCalls = 0;
    long bindHandles = 0;
    double walk = 0;
    long walkCalls = 0;
    long walkHandles = 0;
    int rowsWalked = 0;
};

bool Measure(Recordset& rs, Constants_FetchRows mode, Figures& out)
{
    hv::container::ContainerWindow window(820, 620);
    hv::container::ControlHost host(window.Hwnd(), RECT{0, 0, 800, 600});
    if (FAILED(host.Create(CLSID_HvTavelle)) || FAILED(host.Activate()))
        return false;
    ComPtr<IHvTavelleControl> control = host.Query<IHvTavelleControl>();
    ComPtr<IUnknown> source;
    ComPtr<IHvOverride> settings;
    if (!control || FAILED(rs.GetDataSource(&source)) || FAILED(control->get_Override(&settings)) ||
        FAILED(settings->put_FetchRows(mode)))
        return false;
    TestSwitches& switches = rs.GetTable()->Switches();

    long calls = switches.TotalCalls();
    double start = Now();
    if (FAILED(control->putref_DataSource(reinterpret_cast<DataSource*>(source.Get()))))
        return false;
    out.bind = Now() - start;
    out.bindCalls = switches.TotalCalls() - calls;
    out.bindHandles = switches.OutstandingRowRefs();

    calls = switches.TotalCalls();
    long most = switches.OutstandingRowRefs();
    start = Now();
    ComPtr<IHvRow> row;
    if (FAILED(control->GetRow(hvChildRowFirst, &row)) || !row)
        return false;
    VARIANT noSpan;
    VariantInit(&noSpan);
    noSpan.vt = VT_ERROR;
    noSpan.scode = DISP_E_PARAMNOTFOUND;
    VARIANT key;
    VariantInit(&key);
    key.vt = VT_BSTR;
    key.bstrVal = SysAllocString(L"ME");
    int walked = 1;
    for (; walked < Walked; ++walked) {
        ComPtr<IHvCells> cells;
        ComPtr<IHvCell> cell;
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(row->get_Cells(&cells)) && SUCCEEDED(cells->get_Item(key, &cell)))
            cell->get_Value(&value);
        VariantClear(&value);
        ComPtr<IHvRow> next;
        if (row->GetSibling(hvSiblingRowNext, &noSpan, &next) != S_OK || !next)
            break;
        row = next;
        most = std::max(most, switches.OutstandingRowRefs());
    }
    out.walk = Now() - start;
    out.walkCalls = switches.TotalCalls() - calls;
    out.walkHandles = most;
    out.rowsWalked = walked;
    VariantClear(&key);
    return true;
}

} // namespace

int main()
{
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    if (!hv::bench::RegisterGrid()) {
        std::printf("could not register %s\n", HV_TAVELLE_OCX);
        return 1;
    }
    const std::pair<Constants_FetchRows, const char*> modes[] = {{hvFetchRowsDefault, "default fetch"},
                                                                  {hvFetchRowsOnDemandDiscard, "rows not kept"}};
    for (int count : {100000, 1000000}) {
        Recordset rs;
        if (!Fill(rs, count)) {
            std::printf("%d rows: could not build the recordset\n", count);
            return 1;
        }
        for (const auto& [mode, name] : modes) {
            Figures f;
            if (!Measure(rs, mode, f)) {
                std::printf("%9d rows, %s: could not bind the grid\n", count, name);
                continue;
            }
            std::printf("%9d rows, %-13s: bind %8.2f ms, %6ld provider calls, %6ld row handles held\n", count, name,
                        f.bind, f.bindCalls, f.bindHandles);
            std::printf("%9d rows, %-13s: walk of %d rows %8.2f ms (%.1f us a row), %7ld provider calls, at most "
                        "%6ld row handles held\n",
                        count, name, f.rowsWalked, f.walk, f.walk * 1000.0 / f.rowsWalked, f.walkCalls,
                        f.walkHandles);
        }
    }
    OleUninitialize();
    return 0;
}
