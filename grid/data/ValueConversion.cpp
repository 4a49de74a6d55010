// ValueConversion: buffer and VARIANT conversions of column values.
#include "ValueConversion.h"

#include "ColumnInfo.h"
#include "ConversionService.h"
#include "DataErrors.h"

#include <oleauto.h>
#include <oledberr.h>

#include <cstring>
#include <string>

namespace {

constexpr USHORT kChangeFlags = VARIANT_NOVALUEPROP | VARIANT_LOCALBOOL;

bool UsesConversion(const ColumnInfo& column)
{
    switch (column.GetType()) {
    case DBTYPE_DBTIMESTAMP: case DBTYPE_DBDATE: case DBTYPE_DBTIME: case DBTYPE_NUMERIC: case DBTYPE_GUID:
    case DBTYPE_VARIANT:
        return true;
    default:
        return column.HasLengthPart();
    }
}

DBLENGTH LengthPart(const ColumnInfo& column, const BYTE* buffer)
{
    DBLENGTH length = 0;
    std::memcpy(&length, buffer + column.GetBindingDescription().obLength, sizeof length);
    return length;
}

// The provider's date, time or timestamp structure as a date; an impossible
// day (31 April, month 13) is refused rather than moved.
HRESULT DateFromBuffer(DBTYPE type, const BYTE* buffer, DATE* value)
{
    UDATE date{};
    if (type == DBTYPE_DBDATE) {
        DBDATE day;
        std::memcpy(&day, buffer, sizeof day);
        date.st.wYear = static_cast<WORD>(day.year);
        date.st.wMonth = day.month;
        date.st.wDay = day.day;
    } else if (type == DBTYPE_DBTIME) {
        DBTIME time;
        std::memcpy(&time, buffer, sizeof time);
        date.st.wYear = 1899;
        date.st.wMonth = 12;
        date.st.wDay = 30;
        date.st.wHour = time.hour;
        date.st.wMinute = time.minute;
        date.st.wSecond = time.second;
    } else {
        DBTIMESTAMP stamp;
        std::memcpy(&stamp, buffer, sizeof stamp);
        date.st.wYear = static_cast<WORD>(stamp.year);
        date.st.wMonth = stamp.month;
        date.st.wDay = stamp.day;
        date.st.wHour = stamp.hour;
        date.st.wMinute = stamp.minute;
        date.st.wSecond = stamp.second;
    }
    const SYSTEMTIME asked = date.st;
    if (asked.wMonth < 1 || asked.wMonth > 12 || asked.wDay < 1 || asked.wDay > 31 || asked.wHour > 23 ||
        asked.wMinute > 59 || asked.wSecond > 59)
        return DB_E_CANTCONVERTVALUE;
    DATE made = 0;
    HRESULT hr = VarDateFromUdate(&date, 0, &made);
    if (FAILED(hr))
        return DB_E_CANTCONVERTVALUE;
    UDATE back{};
    hr = VarUdateFromDate(made, 0, &back);
    if (FAILED(hr) || back.st.wYear != asked.wYear || back.st.wMonth != asked.wMonth || back.st.wDay != asked.wDay)
        return DB_E_CANTCONVERTVALUE;
    *value = made;
    return S_OK;
}

HRESULT ConvertedToVariant(const ColumnInfo& column, VARTYPE target, const BYTE* buffer, ConversionService* service,
                           VARIANT* value)
{
    const DBTYPE type = column.GetType();
    if (type == DBTYPE_VARIANT) {
        VariantInit(value);
        return VariantCopyInd(value, reinterpret_cast<VARIANT*>(const_cast<BYTE*>(buffer)));
    }
    if (target == VT_R8 && type == DBTYPE_NUMERIC) {
        if (!service)
            return E_FAIL;
        return service->Convert(DBTYPE_NUMERIC, DBTYPE_R8, 19, buffer, &V_R8(value), sizeof(double));
    }
    if (target == VT_DATE && (type == DBTYPE_DBTIMESTAMP || type == DBTYPE_DBDATE || type == DBTYPE_DBTIME)) {
        if (!service)
            return E_FAIL;
        BYTE local[16] = {};
        const DBLENGTH size = type == DBTYPE_DBTIMESTAMP ? 16 : 6;
        std::memcpy(local, buffer, size);
        const HRESULT hr = service->Convert(type, DBTYPE_DATE, size, local, &V_DATE(value), sizeof(DATE));
        // A conversion service that knows no such date (the platform's may
        // not) leaves it to the calendar of automation dates.
        return SUCCEEDED(hr) ? hr : DateFromBuffer(type, local, &V_DATE(value));
    }
    if (target == VT_BSTR && type == DBTYPE_STR) {
        const DBLENGTH length = LengthPart(column, buffer);
        std::string text(reinterpret_cast<const char*>(buffer), length);
        CDualString narrow(text.c_str());
        BSTR bstr = narrow.AllocSysString();
        V_BSTR(value) = bstr ? bstr : SysAllocString(L"");
        return V_BSTR(value) ? S_OK : E_OUTOFMEMORY;
    }
    if (target == VT_BSTR && type == DBTYPE_WSTR) {
        const DBLENGTH bytes = LengthPart(column, buffer);
        V_BSTR(value) = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(buffer), static_cast<UINT>(bytes / 2));
        return V_BSTR(value) ? S_OK : E_OUTOFMEMORY;
    }
    return E_FAIL;
}

HRESULT TextTooLong()
{
    return RaiseDataError(DataError::TextTooLong, DB_E_DATAOVERFLOW);
}

void SetLengthPart(const ColumnInfo& column, BYTE* buffer, DBLENGTH length)
{
    std::memcpy(buffer + column.GetBindingDescription().obLength, &length, sizeof length);
}

// A date into the provider's date, time or timestamp structure.
HRESULT DateToBuffer(DBTYPE type, DATE value, BYTE* buffer)
{
    UDATE date{};
    const HRESULT hr = VarUdateFromDate(value, 0, &date);
    if (FAILED(hr))
        return hr;
    if (type == DBTYPE_DBDATE) {
        DBDATE day{static_cast<SHORT>(date.st.wYear), date.st.wMonth, date.st.wDay};
        std::memcpy(buffer, &day, sizeof day);
    } else if (type == DBTYPE_DBTIME) {
        DBTIME time{date.st.wHour, date.st.wMinute, date.st.wSecond};
        std::memcpy(buffer, &time, sizeof time);
    } else {
        DBTIMESTAMP stamp{};
        stamp.year = static_cast<SHORT>(date.st.wYear);
        stamp.month = date.st.wMonth;
        stamp.day = date.st.wDay;
        stamp.hour = date.st.wHour;
        stamp.minute = date.st.wMinute;
        stamp.second = date.st.wSecond;
        std::memcpy(buffer, &stamp, sizeof stamp);
    }
    return S_OK;
}

ULONG ValueBytes(const ColumnInfo& column)
{
    const DBBINDING& b = column.GetBindingDescription();
    return static_cast<ULONG>(b.cbMaxLen);
}

} // namespace

VARTYPE ClientTypeOf(DBTYPE type)
{
    switch (type) {
    case DBTYPE_STR: case DBTYPE_WSTR: case DBTYPE_BSTR:
        return VT_BSTR;
    case DBTYPE_NUMERIC:
        return VT_R8;
    case DBTYPE_DBDATE: case DBTYPE_DBTIME: case DBTYPE_DBTIMESTAMP:
        return VT_DATE;
    case DBTYPE_HCHAPTER:
        return VT_UI4;
    case DBTYPE_I8:
        return VT_CY;
    case DBTYPE_BYTES: case DBTYPE_UDT: case DBTYPE_GUID: case DBTYPE_IDISPATCH: case DBTYPE_IUNKNOWN:
    case DBTYPE_VECTOR:
        return VT_EMPTY;
    default:
        return type;
    }
}

HRESULT BufferToVariant(const ColumnInfo& column, const BYTE* buffer, ConversionService* service, VARIANT* value)
{
    VariantClear(value);
    const VARTYPE target = ClientTypeOf(column.GetType());
    if (target == VT_EMPTY)
        return S_OK;
    const DBBINDING& b = column.GetBindingDescription();
    if (column.HasStatusPart()) {
        DBSTATUS status = DBSTATUS_S_OK;
        std::memcpy(&status, buffer + b.obStatus, sizeof status);
        if (status == DBSTATUS_S_ISNULL) {
            V_VT(value) = VT_NULL;
            return S_OK;
        }
        // The provider could not give this value: there is none to read.
        if (status != DBSTATUS_S_OK && status != DBSTATUS_S_TRUNCATED && status != DBSTATUS_S_DEFAULT)
            return DB_E_ERRORSOCCURRED;
    }
    if (UsesConversion(column)) {
        V_VT(value) = target;
        HRESULT hr = ConvertedToVariant(column, target, buffer, service, value);
        if (FAILED(hr))
            VariantInit(value);
        return hr;
    }
    V_VT(value) = target;
    // The value bytes go straight into the VARIANT's data (a BSTR is adopted).
    const ULONG bytes = ValueBytes(column);
    std::memcpy(&V_UI1(value), buffer, bytes <= 16 - 8 ? bytes : 8);
    return S_OK;
}

HRESULT VariantToBuffer(const ColumnInfo& column, const VARIANT& value, ConversionService* service, BYTE* buffer,
                        VARIANT* keep)
{
    VariantInit(keep);
    const DBBINDING& b = column.GetBindingDescription();
    const DBTYPE type = column.GetType();
    const VARIANT* plain = &value;
    if (V_VT(plain) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(plain))
        plain = V_VARIANTREF(plain);
    if (V_VT(plain) == VT_NULL) {
        const DBSTATUS status = DBSTATUS_S_ISNULL;
        std::memcpy(buffer + b.obStatus, &status, sizeof status);
        return S_OK;
    }
    if (type == DBTYPE_VARIANT) {
        HRESULT hr = VariantCopyInd(keep, const_cast<VARIANT*>(plain));
        if (FAILED(hr))
            return hr;
        std::memcpy(buffer, keep, sizeof(VARIANT));
        return S_OK;
    }
    const VARTYPE target = ClientTypeOf(type);
    if (target == VT_VARIANT || target == VT_EMPTY)
        return E_FAIL;
    HRESULT hr = VariantChangeType(keep, const_cast<VARIANT*>(plain), kChangeFlags, target);
    if (FAILED(hr))
        return hr;
    if (target == VT_R8 && type == DBTYPE_NUMERIC) {
        if (!service)
            return E_FAIL;
        return service->Convert(DBTYPE_R8, DBTYPE_NUMERIC, sizeof(double), &V_R8(keep), buffer, 19,
                                column.GetPrecision(), column.GetScale());
    }
    if (target == VT_DATE && (type == DBTYPE_DBTIMESTAMP || type == DBTYPE_DBDATE || type == DBTYPE_DBTIME))
        return DateToBuffer(type, V_DATE(keep), buffer);
    if (target == VT_BSTR && type == DBTYPE_WSTR) {
        const UINT chars = SysStringLen(V_BSTR(keep));
        if (chars > column.GetSize())
            return TextTooLong();
        std::memcpy(buffer, V_BSTR(keep), chars * sizeof(OLECHAR));
        SetLengthPart(column, buffer, chars * sizeof(OLECHAR));
        return S_OK;
    }
    if (target == VT_BSTR && type == DBTYPE_STR) {
        CDualString narrow(V_BSTR(keep) ? V_BSTR(keep) : L"");
        if (static_cast<DBLENGTH>(narrow.Length()) > column.GetSize())
            return TextTooLong();
        std::memcpy(buffer, narrow.c_str(), narrow.Length());
        SetLengthPart(column, buffer, narrow.Length());
        return S_OK;
    }
    const ULONG bytes = ValueBytes(column);
    std::memcpy(buffer, &V_UI1(keep), bytes <= 8 ? bytes : 8);
    return S_OK;
}
