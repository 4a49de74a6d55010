// The chaptered parent and item records, and expanding one parent row.
#include "ParentItemTree.h"

#include <doctest/doctest.h>
#include <wrl/client.h>

#include <string>

using Microsoft::WRL::ComPtr;
using hv::recordset::FieldType;

namespace {

VARIANT Number(double value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = value;
    return v;
}

} // namespace

ParentItemTree::ParentItemTree()
{
    REQUIRE(items.AppendField(L"PARENT", FieldType::Double) == S_OK);
    REQUIRE(items.AppendField(L"QTY", FieldType::Double) == S_OK);
    REQUIRE(items.Open() == S_OK);
    for (int p = 1; p <= 3; ++p)
        for (int i = 0; i < 5; ++i) {
            REQUIRE(items.AddNew() == S_OK);
            REQUIRE(items.SetValue(L"PARENT", Number(p)) == S_OK);
            REQUIRE(items.SetValue(L"QTY", Number(p * 100 + i)) == S_OK);
        }
    REQUIRE(items.Update() == S_OK);
    REQUIRE(parents.AppendField(L"ID", FieldType::Double) == S_OK);
    REQUIRE(parents.AppendField(L"NAME", FieldType::WideString, 20) == S_OK);
    REQUIRE(parents.AppendChapter(L"ITEMS", items, L"ID", L"PARENT") == S_OK);
    REQUIRE(parents.Open() == S_OK);
    for (int p = 1; p <= 3; ++p) {
        REQUIRE(parents.AddNew() == S_OK);
        REQUIRE(parents.SetValue(L"ID", Number(p)) == S_OK);
        VARIANT name;
        VariantInit(&name);
        name.vt = VT_BSTR;
        name.bstrVal = SysAllocString((L"parent " + std::to_wstring(p)).c_str());
        REQUIRE(parents.SetValue(L"NAME", name) == S_OK);
        VariantClear(&name);
    }
    REQUIRE(parents.Update() == S_OK);
}

void ExpandOnlyParent(IHvTavelleControl* control, int index)
{
    ComPtr<IHvRow> row;
    REQUIRE(control->GetRow(hvChildRowFirst, &row) == S_OK);
    for (int i = 0; row; ++i) {
        REQUIRE(row->put_Expanded(i == index ? VARIANT_TRUE : VARIANT_FALSE) == S_OK);
        VARIANT span;
        VariantInit(&span);
        span.vt = VT_ERROR;
        span.scode = DISP_E_PARAMNOTFOUND;
        ComPtr<IHvRow> next;
        if (FAILED(row->GetSibling(hvSiblingRowNext, &span, &next)))
            break;
        row = next;
    }
}
