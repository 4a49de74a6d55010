// A recordset of one text field "AMOSTRA" holding the given samples, for
// the media tests that need a bound grid.
#pragma once

#include "MediaTestSupport.h"
#include "Recordset.h"

#include <initializer_list>

// Fills records and answers its data source.
inline ComPtr<IUnknown> SampleRecords(hv::recordset::Recordset& records, std::initializer_list<const wchar_t*> samples)
{
    REQUIRE(records.AppendField(L"AMOSTRA", hv::recordset::FieldType::WideString, 100,
                                hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(records.Open() == S_OK);
    for (const wchar_t* sample : samples) {
        REQUIRE(records.AddNew() == S_OK);
        VARIANT value = Text(sample);
        REQUIRE(records.SetValue(L"AMOSTRA", value) == S_OK);
        VariantClear(&value);
        REQUIRE(records.Update() == S_OK);
    }
    ComPtr<IUnknown> source;
    REQUIRE(records.GetDataSource(source.GetAddressOf()) == S_OK);
    return source;
}
