// Prints what a client pays to read cells through the registered grid
// control, hosted in our container, bound to an in-memory recordset of
// 10,000 rows of four fields (a text and three numbers): for every row in
// turn, the time to get its Cells collection, to reach each cell by
// position and by key, and to read each cell's Value; then the same rows
// read again, their row objects kept. Prints only; asserts nothing.
#include "ContainerWindow.h"
#include "ControlHost.h"
#include "Recordset.h"
#include "../support/Clock.h"
#include "../support/GridRegistration.h"

#include <Tavelle.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdio>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;
using namespace hv::recordset;

namespace {

constexpr int Rows = 10000;
const wchar_t* const Fields[] = {L"AMOSTRA", L"ME", L"GRAU", L"FATOR"};
constexpr long FieldCount = 4;

using hv::bench::Now;

bool Fill(Recordset& rs)
{
    if (FAILED(rs.AppendField(Fields[0], FieldType::WideString, 0, kFieldNullable)))
        return false;
    for (long f = 1; f < FieldCount; ++f)
        rs.AppendField(Fields[f], FieldType::Double, 0, kFieldNullable);
    if (FAILED(rs.Open()) || FAILED(rs.Reserve(Rows)))
        return false;
    VARIANT v;
    VariantInit(&v);
    for (int i = 0; i < Rows; ++i) {
        rs.AddNew();
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString((L"A" + std::to_wstring(i)).c_str());
        rs.SetValue(0L, v);
        VariantClear(&v);
        for (long f = 1; f < FieldCount; ++f)
            rs.SetNumber(f, 800.0 + i * 0.001 + f);
    }
    return SUCCEEDED(rs.Update());
}

struct Figures {
    double cells = 0;     // Row.Cells
    double byIndex = 0;   // Cells.Item(position)
    double byKey = 0;     // Cells.Item("key")
    double values = 0;    // Cell.Value
    long read = 0;        // values read
    long failed = 0;      // calls that failed
};

VARIANT Long(long value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

// Reads every cell of the row twice, by position and by key; each step timed.
void ReadRow(IHvRow* row, const std::vector<VARIANT>& keys, Figures& f)
{
    double start = Now();
    ComPtr<IHvCells> cells;
    const HRESULT hr = row->get_Cells(&cells);
    f.cells += Now() - start;
    if (FAILED(hr) || !cells) {
        ++f.failed;
        return;
    }
    for (long c = 0; c < FieldCount; ++c) {
        for (bool byKey : {false, true}) {
            ComPtr<IHvCell> cell;
            start = Now();
            const HRESULT found = cells->get_Item(byKey ? keys[c] : Long(c), &cell);
            (byKey ? f.byKey : f.byIndex) += Now() - start;
            if (FAILED(found) || !cell) {
                ++f.failed;
                continue;
            }
            VARIANT value;
            VariantInit(&value);
            start = Now();
            if (SUCCEEDED(cell->get_Value(&value)))
                ++f.read;
            else
                ++f.failed;
            f.values += Now() - start;
            VariantClear(&value);
        }
    }
}

void Print(const char* pass, const Figures& f)
{
    std::printf("%-22s: Row.Cells %8.2f ms, Cells.Item by position %8.2f ms, by key %8.2f ms, Value %8.2f ms "
                "(%ld values, %ld failed calls; %.2f us a value)\n",
                pass, f.cells, f.byIndex, f.byKey, f.values, f.read, f.failed,
                f.read ? f.values * 1000.0 / f.read : 0.0);
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
    {
        Recordset rs;
        if (!Fill(rs)) {
            std::printf("could not build the recordset\n");
            return 1;
        }
        hv::container::ContainerWindow window(820, 620);
        hv::container::ControlHost host(window.Hwnd(), RECT{0, 0, 800, 600});
        ComPtr<IHvTavelleControl> control;
        ComPtr<IUnknown> source;
        const char* step = "create";
        HRESULT hr = host.Create(CLSID_HvTavelle);
        if (SUCCEEDED(hr) && (step = "activate"))
            hr = host.Activate();
        if (SUCCEEDED(hr) && (step = "query") && !(control = host.Query<IHvTavelleControl>()))
            hr = E_NOINTERFACE;
        if (SUCCEEDED(hr) && (step = "data source"))
            hr = rs.GetDataSource(&source);
        if (SUCCEEDED(hr) && (step = "bind"))
            hr = control->putref_DataSource(reinterpret_cast<DataSource*>(source.Get()));
        if (FAILED(hr)) {
            std::printf("could not bind the grid: %s 0x%08lx\n", step, static_cast<unsigned long>(hr));
            return 1;
        }
        std::vector<VARIANT> keys(FieldCount);
        for (long c = 0; c < FieldCount; ++c) {
            VariantInit(&keys[c]);
            keys[c].vt = VT_BSTR;
            keys[c].bstrVal = SysAllocString(Fields[c]);
        }
        VARIANT noSpan;
        VariantInit(&noSpan);
        noSpan.vt = VT_ERROR;
        noSpan.scode = DISP_E_PARAMNOTFOUND;

        // First pass: the rows as a walk meets them; their objects kept.
        std::vector<ComPtr<IHvRow>> rows;
        rows.reserve(Rows);
        Figures first;
        double walk = 0;
        double start = Now();
        ComPtr<IHvRow> row;
        if (FAILED(control->GetRow(hvChildRowFirst, &row)) || !row) {
            std::printf("no first row\n");
            return 1;
        }
        walk += Now() - start;
        while (row && static_cast<int>(rows.size()) < Rows) {
            ReadRow(row.Get(), keys, first);
            rows.push_back(row);
            ComPtr<IHvRow> next;
            start = Now();
            const HRESULT hr = row->GetSibling(hvSiblingRowNext, &noSpan, &next);
            walk += Now() - start;
            row = hr == S_OK ? next : nullptr;
        }
        std::printf("%zu rows x %ld columns, GetSibling walk %.2f ms\n", rows.size(), FieldCount, walk);
        Print("first read", first);

        // Second pass: the same row objects again.
        Figures again;
        for (const ComPtr<IHvRow>& kept : rows)
            ReadRow(kept.Get(), keys, again);
        Print("again, rows kept", again);

        rows.clear();
        for (VARIANT& key : keys)
            VariantClear(&key);
    }
    OleUninitialize();
    return 0;
}
