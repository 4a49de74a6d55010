// Helpers of the report tests: recordsets filled from literal rows, and the
// items of a page found by name.
#pragma once

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <windows.h>
#include <oleauto.h>

#include <doctest/doctest.h>

#include "FormsTestSupport.h"
#include "PageItem.h"
#include "Recordset.h"

namespace reporttest {

using formstest::Narrow;

// One value of a literal row: a number, a text, or null (std::monostate).
using Cell = std::variant<std::monostate, double, std::wstring>;

inline void SetCell(hv::recordset::Recordset& rs, const std::wstring& field, const Cell& cell)
{
    VARIANT v;
    VariantInit(&v);
    if (std::holds_alternative<double>(cell)) {
        v.vt = VT_R8;
        v.dblVal = std::get<double>(cell);
    } else if (std::holds_alternative<std::wstring>(cell)) {
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(std::get<std::wstring>(cell).c_str());
    } else {
        v.vt = VT_NULL;
    }
    REQUIRE(rs.SetValue(field, v) == S_OK);
    VariantClear(&v);
}

struct FieldSpec {
    std::wstring name;
    hv::recordset::FieldType type = hv::recordset::FieldType::Double;
};

// An open recordset with the given fields, nullable, and no records.
inline std::shared_ptr<hv::recordset::Recordset> MakeRecordset(std::initializer_list<FieldSpec> fields)
{
    auto rs = std::make_shared<hv::recordset::Recordset>();
    for (const FieldSpec& f : fields)
        REQUIRE(rs->AppendField(f.name, f.type, 0, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(rs->Open() == S_OK);
    return rs;
}

// Adds one record: the values go to the fields in order.
inline void AddRow(hv::recordset::Recordset& rs, std::initializer_list<Cell> values)
{
    REQUIRE(rs.AddNew() == S_OK);
    long index = 0;
    for (const Cell& cell : values) {
        std::wstring name;
        REQUIRE(rs.GetFieldName(index++, name) == S_OK);
        SetCell(rs, name, cell);
    }
    REQUIRE(rs.Update() == S_OK);
}

inline const hv::report::PageItem* FindItem(const hv::report::PageModel& page, const std::wstring& name)
{
    for (const auto& item : page)
        if (item.name == name)
            return &item;
    return nullptr;
}

inline std::vector<const hv::report::PageItem*> ItemsNamed(const hv::report::PageModel& page,
                                                           const std::wstring& name)
{
    std::vector<const hv::report::PageItem*> found;
    for (const auto& item : page)
        if (item.name == name)
            found.push_back(&item);
    return found;
}

// The text of the one item of that name ("<none>" when there is none).
inline std::wstring TextOf(const hv::report::PageModel& page, const std::wstring& name)
{
    const hv::report::PageItem* item = FindItem(page, name);
    return item ? item->text : L"<none>";
}

inline bool UserDecimalIsComma()
{
    wchar_t separator[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    return separator[0] == L',';
}

// A scratch file beside the test executable.
inline std::wstring OutputPath(const std::wstring& name)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

} // namespace reporttest
