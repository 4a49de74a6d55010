// NumericInput: classification and conversion of input values through the
// OLE Automation conversions of the user's locale.
#include "NumericInput.h"

#include "OwnedVariant.h"

namespace {

bool IsNumberType(VARTYPE vt)
{
    switch (vt) {
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2:
    case VT_I4: case VT_UI4: case VT_I8: case VT_UI8:
    case VT_INT: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DECIMAL:
        return true;
    default:
        return false;
    }
}

bool ToDouble(const VARIANT& value, double& out)
{
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr = VariantChangeTypeEx(&converted, const_cast<VARIANT*>(&value),
                                           LOCALE_USER_DEFAULT, 0, VT_R8);
    if (FAILED(hr))
        return false;
    out = converted.dblVal;   // a VT_R8 holds nothing to clear
    return true;
}

} // namespace

NumericReading ReadNumericInput(const VARIANT& input)
{
    NumericReading reading;
    OwnedVariant value;
    if (!value.Assign(input)) {
        reading.kind = InputKind::NotNumeric;
        return reading;
    }
    const VARTYPE vt = value.Type();
    if (vt == VT_EMPTY || vt == VT_NULL) {
        reading.kind = InputKind::Missing;
        return reading;
    }
    if ((IsNumberType(vt) || vt == VT_BSTR) && ToDouble(value, reading.value)) {
        reading.kind = InputKind::Numeric;
        return reading;
    }
    reading.kind = InputKind::NotNumeric;
    return reading;
}
