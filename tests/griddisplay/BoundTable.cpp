#include "BoundTable.h"

#include <doctest/doctest.h>

#include <string>

using Microsoft::WRL::ComPtr;
using namespace hv::recordset;

void FillTable(Recordset& records, int rows)
{
    REQUIRE(records.AppendField(L"NAME", FieldType::WideString, 32) == S_OK);
    for (int f = 1; f < 8; ++f)
        REQUIRE(records.AppendField(L"F" + std::to_wstring(f), FieldType::Double) == S_OK);
    REQUIRE(records.Open() == S_OK);
    for (int r = 0; r < rows; ++r) {
        REQUIRE(records.AddNew() == S_OK);
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocString((L"row " + std::to_wstring(r)).c_str());
        records.SetValue(0, value);
        VariantClear(&value);
        for (int f = 1; f < 8; ++f) {
            value.vt = VT_R8;
            value.dblVal = r * 10 + f;
            records.SetValue(f, value);
        }
        REQUIRE(records.Update() == S_OK);
    }
}

BoundTable::BoundTable(int width, int height, int rows)
    : grid(width, height), canvas(width, height, RGB(1, 2, 3))
{
    FillTable(records, rows);
    ComPtr<IUnknown> source;
    REQUIRE(records.GetDataSource(&source) == S_OK);
    grid.Bind(source.Get());
}

void BoundTable::Draw()
{
    REQUIRE(grid.DrawInto(canvas) == S_OK);
}
