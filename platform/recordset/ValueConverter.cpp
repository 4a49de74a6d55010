// Provider-side data conversions. The platform's conversion service handles
// only a few numeric conversions, so every binding type is converted here.
#include "ValueConverter.h"

#include "DateValue.h"
#include "NumberText.h"

#include <oledberr.h>

#include <cmath>
#include <cstring>
#include <string>

namespace hv::recordset {

namespace {

bool IsNumericTarget(DBTYPE t)
{
    switch (t) {
    case DBTYPE_R8: case DBTYPE_R4: case DBTYPE_I1: case DBTYPE_I2: case DBTYPE_I4: case DBTYPE_I8:
    case DBTYPE_UI1: case DBTYPE_UI2: case DBTYPE_UI4: case DBTYPE_UI8: case DBTYPE_BOOL:
    case DBTYPE_CY: case DBTYPE_DECIMAL: case DBTYPE_NUMERIC: case DBTYPE_DATE:
        return true;
    default:
        return false;
    }
}

bool IsTextTarget(DBTYPE t)
{
    return t == DBTYPE_WSTR || t == DBTYPE_STR || t == DBTYPE_BSTR;
}

template <class T>
DBSTATUS PutInteger(double d, BYTE* p, double lo, double hi, DBLENGTH& length)
{
    const double r = std::nearbyint(d);
    if (!(r >= lo && r <= hi))
        return DBSTATUS_E_DATAOVERFLOW;
    const T v = static_cast<T>(r);
    std::memcpy(p, &v, sizeof v);
    length = sizeof v;
    return DBSTATUS_S_OK;
}

DBSTATUS PutNumeric(double d, BYTE precision, BYTE scale, BYTE* p)
{
    DB_NUMERIC n{};
    n.precision = precision ? precision : 38;
    n.scale = scale;
    n.sign = d < 0 ? 0 : 1;
    const double scaled = std::nearbyint(std::fabs(d) * std::pow(10.0, scale));
    if (!(scaled < 1.8e19))
        return DBSTATUS_E_DATAOVERFLOW;
    unsigned long long v = static_cast<unsigned long long>(scaled);
    int digits = 0;
    for (unsigned long long t = v; t; t /= 10)
        ++digits;
    if (digits > n.precision)
        return DBSTATUS_E_DATAOVERFLOW;
    std::memcpy(n.val, &v, sizeof v);
    std::memcpy(p, &n, sizeof n);
    return DBSTATUS_S_OK;
}

// A number into a numeric binding type.
DBSTATUS PutNumber(double d, const DBBINDING& b, BYTE* p, DBLENGTH& length)
{
    switch (b.wType) {
    case DBTYPE_R8: case DBTYPE_DATE:
        std::memcpy(p, &d, sizeof d);
        length = sizeof d;
        return DBSTATUS_S_OK;
    case DBTYPE_R4: {
        if (std::fabs(d) > 3.4028234663852886e38)
            return DBSTATUS_E_DATAOVERFLOW;
        const float f = static_cast<float>(d);
        std::memcpy(p, &f, sizeof f);
        length = sizeof f;
        return DBSTATUS_S_OK;
    }
    case DBTYPE_I1: return PutInteger<signed char>(d, p, -128, 127, length);
    case DBTYPE_I2: return PutInteger<short>(d, p, -32768, 32767, length);
    case DBTYPE_I4: return PutInteger<long>(d, p, -2147483648.0, 2147483647.0, length);
    case DBTYPE_I8: return PutInteger<long long>(d, p, -9.2233720368547758e18, 9.2233720368547748e18, length);
    case DBTYPE_UI1: return PutInteger<unsigned char>(d, p, 0, 255, length);
    case DBTYPE_UI2: return PutInteger<unsigned short>(d, p, 0, 65535, length);
    case DBTYPE_UI4: return PutInteger<unsigned long>(d, p, 0, 4294967295.0, length);
    case DBTYPE_UI8: return PutInteger<unsigned long long>(d, p, 0, 1.8446744073709550e19, length);
    case DBTYPE_BOOL: {
        const VARIANT_BOOL v = d != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        std::memcpy(p, &v, sizeof v);
        length = sizeof v;
        return DBSTATUS_S_OK;
    }
    case DBTYPE_CY: {
        CY cy;
        const double units = std::nearbyint(d * 10000.0);
        if (!(units > -9.2233720368547758e18 && units < 9.2233720368547748e18))
            return DBSTATUS_E_DATAOVERFLOW;
        cy.int64 = static_cast<long long>(units);
        std::memcpy(p, &cy, sizeof cy);
        length = sizeof cy;
        return DBSTATUS_S_OK;
    }
    case DBTYPE_DECIMAL: {
        DECIMAL dec;
        if (FAILED(VarDecFromR8(d, &dec)))
            return DBSTATUS_E_DATAOVERFLOW;
        std::memcpy(p, &dec, sizeof dec);
        length = sizeof dec;
        return DBSTATUS_S_OK;
    }
    case DBTYPE_NUMERIC:
        length = sizeof(DB_NUMERIC);
        return PutNumeric(d, b.bPrecision, b.bScale, p);
    default:
        return DBSTATUS_E_CANTCONVERTVALUE;
    }
}

// A text into a text binding type; the length part is the untruncated length.
DBSTATUS PutText(const std::wstring& text, const DBBINDING& b, BYTE* p, DBLENGTH& length)
{
    if (b.wType == DBTYPE_BSTR) {
        BSTR s = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        if (!s)
            return DBSTATUS_E_CANTCREATE;
        std::memcpy(p, &s, sizeof s);
        length = sizeof s;
        return DBSTATUS_S_OK;
    }
    if (b.wType == DBTYPE_WSTR) {
        length = text.size() * sizeof(wchar_t);
        if (b.cbMaxLen < sizeof(wchar_t))
            return DBSTATUS_S_TRUNCATED;
        const size_t room = b.cbMaxLen / sizeof(wchar_t) - 1;
        const size_t n = text.size() < room ? text.size() : room;
        std::memcpy(p, text.data(), n * sizeof(wchar_t));
        reinterpret_cast<wchar_t*>(p)[n] = L'\0';
        return n < text.size() ? DBSTATUS_S_TRUNCATED : DBSTATUS_S_OK;
    }
    // DBTYPE_STR in the ANSI code page.
    const int bytes = text.empty() ? 0 : WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                             nullptr, 0, nullptr, nullptr);
    length = static_cast<DBLENGTH>(bytes);
    if (b.cbMaxLen < 1)
        return DBSTATUS_S_TRUNCATED;
    std::string narrow(static_cast<size_t>(bytes), '\0');
    if (bytes)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), bytes,
                            nullptr, nullptr);
    const size_t n = narrow.size() < b.cbMaxLen - 1 ? narrow.size() : b.cbMaxLen - 1;
    std::memcpy(p, narrow.data(), n);
    p[n] = '\0';
    return n < narrow.size() ? DBSTATUS_S_TRUNCATED : DBSTATUS_S_OK;
}

// A day into a date binding type.
DBSTATUS PutDay(DATE day, const DBBINDING& b, BYTE* p, DBLENGTH& length)
{
    switch (b.wType) {
    case DBTYPE_DBDATE: {
        DBDATE date{};
        if (!DateValue::ToDbDate(day, date))
            return DBSTATUS_E_CANTCONVERTVALUE;
        std::memcpy(p, &date, sizeof date);
        length = sizeof date;
        return DBSTATUS_S_OK;
    }
    case DBTYPE_DBTIMESTAMP: {
        DBTIMESTAMP stamp{};
        if (!DateValue::ToTimestamp(day, stamp))
            return DBSTATUS_E_CANTCONVERTVALUE;
        std::memcpy(p, &stamp, sizeof stamp);
        length = sizeof stamp;
        return DBSTATUS_S_OK;
    }
    case DBTYPE_DATE:
        std::memcpy(p, &day, sizeof day);
        length = sizeof day;
        return DBSTATUS_S_OK;
    default:
        return DBSTATUS_E_CANTCONVERTVALUE;
    }
}

DBSTATUS PutVariant(DBTYPE columnType, const CellValue& cell, ULONG handle, BYTE* p, DBLENGTH& length)
{
    VARIANT v;
    VariantInit(&v);
    length = sizeof v;
    if (columnType == DBTYPE_UI4 || columnType == DBTYPE_HCHAPTER) {
        v.vt = VT_UI4;
        v.ulVal = handle;
    } else if (cell.isNull) {
        v.vt = VT_NULL;
    } else if (columnType == DBTYPE_R8) {
        v.vt = VT_R8;
        v.dblVal = cell.number;
    } else if (columnType == DBTYPE_DBDATE) {
        v.vt = VT_DATE;
        v.date = cell.number;
    } else {
        v.bstrVal = SysAllocStringLen(cell.text.data(), static_cast<UINT>(cell.text.size()));
        if (!v.bstrVal)
            return DBSTATUS_E_CANTCREATE;
        v.vt = VT_BSTR;
    }
    std::memcpy(p, &v, sizeof v);
    const bool isNull = cell.isNull && columnType != DBTYPE_UI4 && columnType != DBTYPE_HCHAPTER;
    return isNull ? static_cast<DBSTATUS>(DBSTATUS_S_ISNULL) : static_cast<DBSTATUS>(DBSTATUS_S_OK);
}

// Reads the consumer's value as a number or a text; false when it cannot.
bool ReadValue(const DBBINDING& b, const BYTE* p, DBLENGTH length, bool lengthBound, CellValue& v,
               bool& isText)
{
    isText = false;
    v.isNull = false;
    switch (b.wType) {
    case DBTYPE_WSTR: {
        const wchar_t* s = reinterpret_cast<const wchar_t*>(p);
        size_t n = lengthBound ? length / sizeof(wchar_t) : wcsnlen(s, b.cbMaxLen ? b.cbMaxLen / 2 : 0x7FFFFFFF);
        v.text.assign(s, n);
        isText = true;
        return true;
    }
    case DBTYPE_STR: {
        const char* s = reinterpret_cast<const char*>(p);
        const size_t n = lengthBound ? length : strnlen(s, b.cbMaxLen ? b.cbMaxLen : 0x7FFFFFFF);
        const int wide = n ? MultiByteToWideChar(CP_ACP, 0, s, static_cast<int>(n), nullptr, 0) : 0;
        v.text.assign(static_cast<size_t>(wide), L'\0');
        if (wide)
            MultiByteToWideChar(CP_ACP, 0, s, static_cast<int>(n), v.text.data(), wide);
        isText = true;
        return true;
    }
    case DBTYPE_BSTR: {
        BSTR s;
        std::memcpy(&s, p, sizeof s);
        v.text.assign(s ? s : L"", SysStringLen(s));
        isText = true;
        return true;
    }
    case DBTYPE_R8: case DBTYPE_DATE: std::memcpy(&v.number, p, 8); return std::isfinite(v.number);
    case DBTYPE_DBDATE: { DBDATE x; std::memcpy(&x, p, sizeof x); return DateValue::FromDbDate(x, v.number); }
    case DBTYPE_DBTIMESTAMP: {
        DBTIMESTAMP x;
        std::memcpy(&x, p, sizeof x);
        return DateValue::FromTimestamp(x, v.number);
    }
    case DBTYPE_R4: { float f; std::memcpy(&f, p, 4); v.number = f; return std::isfinite(v.number); }
    case DBTYPE_I1: v.number = *reinterpret_cast<const signed char*>(p); return true;
    case DBTYPE_UI1: v.number = *p; return true;
    case DBTYPE_I2: { short x; std::memcpy(&x, p, 2); v.number = x; return true; }
    case DBTYPE_UI2: { unsigned short x; std::memcpy(&x, p, 2); v.number = x; return true; }
    case DBTYPE_I4: { long x; std::memcpy(&x, p, 4); v.number = x; return true; }
    case DBTYPE_UI4: { unsigned long x; std::memcpy(&x, p, 4); v.number = x; return true; }
    case DBTYPE_I8: { long long x; std::memcpy(&x, p, 8); v.number = static_cast<double>(x); return true; }
    case DBTYPE_UI8: { unsigned long long x; std::memcpy(&x, p, 8); v.number = static_cast<double>(x); return true; }
    case DBTYPE_BOOL: { VARIANT_BOOL x; std::memcpy(&x, p, 2); v.number = x ? -1 : 0; return true; }
    case DBTYPE_CY: { CY x; std::memcpy(&x, p, 8); v.number = static_cast<double>(x.int64) / 10000.0; return true; }
    case DBTYPE_DECIMAL: { DECIMAL x; std::memcpy(&x, p, sizeof x); return SUCCEEDED(VarR8FromDec(&x, &v.number)); }
    case DBTYPE_NUMERIC: {
        DB_NUMERIC n;
        std::memcpy(&n, p, sizeof n);
        unsigned long long low;
        std::memcpy(&low, n.val, 8);
        v.number = static_cast<double>(low) / std::pow(10.0, n.scale) * (n.sign ? 1 : -1);
        return true;
    }
    case DBTYPE_VARIANT: {
        VARIANT in;
        std::memcpy(&in, p, sizeof in);
        if (in.vt == VT_NULL || in.vt == VT_EMPTY) {
            v.isNull = true;
            return true;
        }
        if (in.vt == VT_BSTR) {
            v.text.assign(in.bstrVal ? in.bstrVal : L"", SysStringLen(in.bstrVal));
            isText = true;
            return true;
        }
        VARIANT number;
        VariantInit(&number);
        if (FAILED(VariantChangeType(&number, &in, 0, VT_R8)))
            return false;
        v.number = number.dblVal;
        return true;
    }
    default:
        return false;
    }
}

} // namespace

bool ValueConverter::CanConvert(DBTYPE columnType, DBTYPE target)
{
    if (target & (DBTYPE_BYREF | DBTYPE_ARRAY | DBTYPE_VECTOR))
        return false;
    switch (columnType) {
    case DBTYPE_R8:
    case DBTYPE_WSTR:
        return IsNumericTarget(target) || IsTextTarget(target) || target == DBTYPE_VARIANT;
    case DBTYPE_UI4:
        return target == DBTYPE_UI4 || target == DBTYPE_I4 || target == DBTYPE_I8 || target == DBTYPE_UI8
            || target == DBTYPE_R8 || target == DBTYPE_BYTES || target == DBTYPE_VARIANT || IsTextTarget(target);
    case DBTYPE_HCHAPTER:
        return target == DBTYPE_HCHAPTER || target == DBTYPE_UI4 || target == DBTYPE_I4 || target == DBTYPE_VARIANT;
    case DBTYPE_DBDATE:
        return target == DBTYPE_DBDATE || target == DBTYPE_DBTIMESTAMP || target == DBTYPE_DATE
            || target == DBTYPE_VARIANT || IsTextTarget(target);
    default:
        return false;
    }
}

DBSTATUS ValueConverter::Get(DBTYPE columnType, const CellValue& cell, ULONG handle,
                             const DBBINDING& b, BYTE* data)
{
    BYTE* value = data + b.obValue;
    DBLENGTH length = 0;
    DBSTATUS status = DBSTATUS_S_OK;
    const bool numberSource = columnType == DBTYPE_UI4 || columnType == DBTYPE_HCHAPTER;
    if (!CanConvert(columnType, b.wType)) {
        status = DBSTATUS_E_CANTCONVERTVALUE;
    } else if (b.wType == DBTYPE_VARIANT) {
        status = DBSTATUS_S_OK;
        if (b.dwPart & DBPART_VALUE)
            status = PutVariant(columnType, cell, handle, value, length);
        if (!(b.dwPart & DBPART_VALUE) && cell.isNull && !numberSource)
            status = DBSTATUS_S_ISNULL;
    } else if (!numberSource && cell.isNull) {
        status = DBSTATUS_S_ISNULL;
    } else if (!(b.dwPart & DBPART_VALUE)) {
        status = DBSTATUS_S_OK;
    } else if (numberSource) {
        if (b.wType == DBTYPE_BYTES) {
            length = sizeof handle;
            std::memcpy(value, &handle, b.cbMaxLen < length ? b.cbMaxLen : length);
            if (b.cbMaxLen < length)
                status = DBSTATUS_S_TRUNCATED;
        } else if (b.wType == DBTYPE_HCHAPTER) {
            const HCHAPTER h = handle;
            std::memcpy(value, &h, sizeof h);
            length = sizeof h;
        } else if (IsTextTarget(b.wType)) {
            status = PutText(std::to_wstring(handle), b, value, length);
        } else {
            status = PutNumber(static_cast<double>(handle), b, value, length);
        }
    } else if (columnType == DBTYPE_DBDATE) {
        status = IsTextTarget(b.wType) ? PutText(DateValue::Format(cell.number), b, value, length)
                                       : PutDay(cell.number, b, value, length);
    } else if (IsTextTarget(b.wType)) {
        status = PutText(columnType == DBTYPE_R8 ? NumberText::Format(cell.number) : cell.text, b, value, length);
    } else if (columnType == DBTYPE_R8) {
        status = PutNumber(cell.number, b, value, length);
    } else {
        double d = 0;
        status = DBSTATUS_E_CANTCONVERTVALUE;
        if (NumberText::Parse(cell.text, d))
            status = PutNumber(d, b, value, length);
    }
    if (status == DBSTATUS_S_ISNULL && !(b.dwPart & DBPART_STATUS))
        status = DBSTATUS_E_UNAVAILABLE; // a null the consumer cannot be told of
    if (b.dwPart & DBPART_LENGTH)
        std::memcpy(data + b.obLength, &length, sizeof length);
    if (b.dwPart & DBPART_STATUS)
        std::memcpy(data + b.obStatus, &status, sizeof status);
    return status;
}

DBSTATUS ValueConverter::Set(const Field& field, const DBBINDING& b, const BYTE* data, CellValue& out,
                             bool& ignore)
{
    ignore = false;
    out = CellValue();
    DBSTATUS given = DBSTATUS_S_OK;
    if (b.dwPart & DBPART_STATUS)
        std::memcpy(&given, data + b.obStatus, sizeof given);
    if (given == DBSTATUS_S_IGNORE) {
        ignore = true;
        return DBSTATUS_S_OK;
    }
    if (given == DBSTATUS_S_ISNULL || given == DBSTATUS_S_DEFAULT) {
        out.isNull = true;
    } else if (given != DBSTATUS_S_OK) {
        return DBSTATUS_E_BADSTATUS;
    } else if (!(b.dwPart & DBPART_VALUE)) {
        return DBSTATUS_E_UNAVAILABLE;
    } else {
        DBLENGTH length = 0;
        if (b.dwPart & DBPART_LENGTH)
            std::memcpy(&length, data + b.obLength, sizeof length);
        bool isText = false;
        if (!ReadValue(b, data + b.obValue, length, (b.dwPart & DBPART_LENGTH) != 0, out, isText))
            return DBSTATUS_E_CANTCONVERTVALUE;
        if (!out.isNull && field.Type() == FieldType::DBDate) {
            // Texts are "yyyy-mm-dd"; numbers are automation dates.
            const bool day = isText ? DateValue::Parse(out.text, out.number) : DateValue::DayOf(out.number, out.number);
            if (!day)
                return DBSTATUS_E_CANTCONVERTVALUE;
            out.text.clear();
        } else if (!out.isNull && field.Type() == FieldType::Double && isText) {
            if (!NumberText::Parse(out.text, out.number))
                return DBSTATUS_E_CANTCONVERTVALUE;
            out.text.clear();
        } else if (!out.isNull && field.Type() == FieldType::WideString && !isText) {
            out.text = NumberText::Format(out.number);
            out.number = 0;
        }
    }
    if (out.isNull)
        return field.IsNullable() ? static_cast<DBSTATUS>(DBSTATUS_S_ISNULL) : static_cast<DBSTATUS>(DBSTATUS_E_INTEGRITYVIOLATION);
    if (field.Type() == FieldType::WideString && field.DefinedSize() > 0
        && out.text.size() > static_cast<size_t>(field.DefinedSize()))
        return DBSTATUS_E_DATAOVERFLOW;
    return DBSTATUS_S_OK;
}

} // namespace hv::recordset
