// Conversions of application values.
#include "CellValue.h"

#include "DateValue.h"
#include "NumberText.h"
#include "RecordsetErrors.h"

namespace hv::recordset {

namespace {

// Numbers to text without the user's decimal comma, so that a text field
// holds what the application's files hold.
HRESULT NumberToText(const VARIANT& in, std::wstring& out)
{
    VARIANT number;
    VariantInit(&number);
    HRESULT hr = VariantChangeType(&number, const_cast<VARIANT*>(&in), 0, VT_R8);
    if (FAILED(hr))
        return hr;
    out = NumberText::Format(number.dblVal);
    return S_OK;
}

} // namespace

HRESULT CellValue::FromVariant(const Field& field, const VARIANT& source, CellValue& out)
{
    VARIANT in;
    VariantInit(&in);
    HRESULT hr = VariantCopyInd(&in, const_cast<VARIANT*>(&source));
    if (FAILED(hr))
        return hr;
    out = CellValue();
    hr = S_OK;
    if (in.vt == VT_EMPTY || in.vt == VT_NULL) {
        if (!field.IsNullable())
            hr = kDataConversion;
    } else if (field.Type() == FieldType::Double) {
        if (in.vt == VT_BSTR) {
            if (!NumberText::Parse(in.bstrVal ? in.bstrVal : L"", out.number))
                hr = DISP_E_TYPEMISMATCH;
        } else {
            VARIANT number;
            VariantInit(&number);
            hr = VariantChangeType(&number, &in, 0, VT_R8);
            if (SUCCEEDED(hr))
                out.number = number.dblVal;
        }
        out.isNull = FAILED(hr);
    } else if (field.Type() == FieldType::DBDate) {
        // A date, or what automation turns into one in the user's locale;
        // the time of day is dropped.
        VARIANT date;
        VariantInit(&date);
        hr = VariantChangeType(&date, &in, 0, VT_DATE);
        if (SUCCEEDED(hr) && !DateValue::DayOf(date.date, out.number))
            hr = DISP_E_OVERFLOW;
        out.isNull = FAILED(hr);
    } else if (field.Type() == FieldType::WideString) {
        if (in.vt == VT_BSTR)
            out.text.assign(in.bstrVal ? in.bstrVal : L"", SysStringLen(in.bstrVal));
        else if (in.vt == VT_R8 || in.vt == VT_R4 || in.vt == VT_DECIMAL || in.vt == VT_CY)
            hr = NumberToText(in, out.text);
        else {
            VARIANT text;
            VariantInit(&text);
            hr = VariantChangeType(&text, &in, 0, VT_BSTR);
            if (SUCCEEDED(hr))
                out.text.assign(text.bstrVal, SysStringLen(text.bstrVal));
            VariantClear(&text);
        }
        if (SUCCEEDED(hr) && field.DefinedSize() > 0
            && out.text.size() > static_cast<size_t>(field.DefinedSize()))
            hr = kDataConversion;
        out.isNull = FAILED(hr);
    } else {
        hr = kIllegalOperation; // chapter values are derived, never set
    }
    VariantClear(&in);
    return hr;
}

HRESULT CellValue::ToVariant(FieldType type, VARIANT* out) const
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    if (isNull) {
        out->vt = VT_NULL;
        return S_OK;
    }
    if (type == FieldType::Double) {
        out->vt = VT_R8;
        out->dblVal = number;
        return S_OK;
    }
    if (type == FieldType::DBDate) {
        out->vt = VT_DATE;
        out->date = number;
        return S_OK;
    }
    BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!b)
        return E_OUTOFMEMORY;
    out->vt = VT_BSTR;
    out->bstrVal = b;
    return S_OK;
}

bool CellValue::operator==(const CellValue& o) const
{
    if (isNull || o.isNull)
        return isNull == o.isNull;
    return number == o.number && text == o.text;
}

} // namespace hv::recordset
