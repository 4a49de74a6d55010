// Field texts through OLE Automation's formatting in the user's locale.
#include "ValueText.h"

#include <oleauto.h>

#include "LocaleText.h"

namespace hv::report {

namespace {

std::wstring NumberInLocale(double number)
{
    BSTR text = nullptr;
    if (FAILED(VarBstrFromR8(number, LOCALE_USER_DEFAULT, 0, &text)) || !text)
        return {};
    std::wstring result(text, SysStringLen(text));
    SysFreeString(text);
    return result;
}

} // namespace

std::wstring ValueText(const recordset::CellValue& value, recordset::FieldType type, const std::wstring& format)
{
    if (value.isNull)
        return {};
    if (type != recordset::FieldType::Double) {
        if (format.empty())
            return value.text;
        VARIANT v;
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocStringLen(value.text.data(), static_cast<UINT>(value.text.size()));
        std::wstring result = v.bstrVal ? forms::FormatVariant(v, format) : std::wstring{};
        VariantClear(&v);
        return result;
    }
    if (format.empty())
        return NumberInLocale(value.number);
    VARIANT v;
    v.vt = VT_R8;
    v.dblVal = value.number;
    return forms::FormatVariant(v, format);
}

} // namespace hv::report
