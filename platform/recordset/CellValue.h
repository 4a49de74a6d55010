// CellValue: one value of a record held apart from the table (an edit
// buffer, an original value kept for undo), with its conversions from and to
// the VARIANTs the application passes.
#pragma once

#include "Field.h"

#include <oleauto.h>

#include <string>

namespace hv::recordset {

struct CellValue {
    bool isNull = true;
    double number = 0.0;
    std::wstring text;

    // Converts an application value for a field: empty and null give null
    // (refused for a field that does not allow it), a text for a double field
    // is read with "." as the decimal separator, a date keeps its day only,
    // a text longer than a declared size is refused.
    static HRESULT FromVariant(const Field& field, const VARIANT& in, CellValue& out);
    // Null gives VT_NULL, numbers VT_R8, days VT_DATE, texts VT_BSTR.
    HRESULT ToVariant(FieldType type, VARIANT* out) const;

    bool operator==(const CellValue& o) const;
};

} // namespace hv::recordset
