// Descriptions of the recordset's failures.
#include "ScriptErrors.h"

#include "../ComRef.h"
#include "../RecordsetErrors.h"

#include <DispatchObject.h>
#include <oledberr.h>

#include <cwchar>

namespace hv::recordset::server {

namespace {

std::wstring Suffix(std::wstring_view field)
{
    return field.empty() ? std::wstring() : L" " + std::wstring(field);
}

} // namespace

std::wstring DescribeFailure(HRESULT hr, std::wstring_view field)
{
    switch (hr) {
    case kItemNotFound:
        return field.empty() ? L"The item was not found." : L"The recordset has no field" + Suffix(field) + L".";
    case kIllegalOperation:
        return L"The operation is not allowed in the recordset's current state.";
    case kNoCurrentRecord:
        return L"There is no current record: the recordset is at BOF or EOF, or the record was deleted.";
    case kObjectClosed:
        return L"The operation is not allowed while the recordset is closed.";
    case kObjectOpen:
        return L"The operation is not allowed while the recordset is open.";
    case kDataConversion:
        return L"The value does not fit the field" + Suffix(field) + L" (its type, size or nullability).";
    case DISP_E_TYPEMISMATCH:
        return L"The value cannot be converted to the type of the field" + Suffix(field) + L".";
    case DB_E_CANCELED:
        return L"A listener of the recordset refused the change.";
    case DB_E_NOTREENTRANT:
        return L"The recordset is notifying a change; the operation cannot run now.";
    case E_OUTOFMEMORY:
        return L"There is not enough memory for the recordset.";
    case kInvalidArgument:
        return L"An argument is of the wrong kind or out of range.";
    default: {
        wchar_t text[64];
        swprintf(text, 64, L"The recordset operation failed (0x%08lX).", static_cast<unsigned long>(hr));
        return text;
    }
    }
}

HRESULT RaiseError(HRESULT hr, REFIID iid, const std::wstring& description)
{
    return comserver::RaiseError(hr, iid, L"HvRecordset.Recordset", description);
}

HRESULT Checked(HRESULT hr, REFIID iid, std::wstring_view field)
{
    if (FAILED(hr)) {
        try {
            RaiseError(hr, iid, DescribeFailure(hr, field));
        } catch (const std::bad_alloc&) {
            // The failure itself still reaches the caller.
        }
    }
    return hr;
}

} // namespace hv::recordset::server
