// OLE DB error object with records.
#include "ErrorRecords.h"

#include <oledberr.h>

#include <new>

namespace hv::recordset {

namespace {
const wchar_t kSource[] = L"Ostrelvia in-memory rowset";
}

HRESULT ErrorRecords::Raise(HRESULT hr, const std::vector<std::wstring>& descriptions)
{
    ErrorRecords* e = new (std::nothrow) ErrorRecords();
    if (!e)
        return hr;
    try {
        for (const std::wstring& d : descriptions) {
            Record r{};
            r.basic.hrError = hr;
            r.basic.clsid = CLSID_NULL;
            r.basic.iid = IID_NULL;
            r.description = d;
            e->records_.push_back(std::move(r));
        }
        SetErrorInfo(0, static_cast<IErrorInfo*>(e));
    } catch (const std::bad_alloc&) {
    }
    e->Release();
    return hr;
}

STDMETHODIMP ErrorRecords::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IErrorInfo))
        *out = static_cast<IErrorInfo*>(this);
    else if (IsEqualIID(iid, IID_IErrorRecords))
        *out = static_cast<IErrorRecords*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ErrorRecords::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

STDMETHODIMP_(ULONG) ErrorRecords::Release()
{
    const LONG n = InterlockedDecrement(&refs_);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

HRESULT ErrorRecords::Text(ULONG record, BSTR* out, bool source) const
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (record >= records_.size())
        return DB_E_BADRECORDNUM;
    *out = SysAllocString(source ? kSource : records_[record].description.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP ErrorRecords::GetGUID(GUID* guid)
{
    if (!guid)
        return E_INVALIDARG;
    *guid = records_.empty() ? GUID_NULL : records_[0].basic.iid;
    return S_OK;
}

STDMETHODIMP ErrorRecords::GetSource(BSTR* source) { return Text(0, source, true); }
STDMETHODIMP ErrorRecords::GetDescription(BSTR* description) { return Text(0, description, false); }

STDMETHODIMP ErrorRecords::GetHelpFile(BSTR* helpFile)
{
    if (!helpFile)
        return E_INVALIDARG;
    *helpFile = nullptr;
    return S_OK;
}

STDMETHODIMP ErrorRecords::GetHelpContext(DWORD* context)
{
    if (!context)
        return E_INVALIDARG;
    *context = 0;
    return S_OK;
}

STDMETHODIMP ErrorRecords::AddErrorRecord(ERRORINFO* info, DWORD, DISPPARAMS*, IUnknown*, DWORD)
{
    if (!info)
        return E_INVALIDARG;
    try {
        Record r{};
        r.basic = *info;
        records_.insert(records_.begin(), std::move(r));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP ErrorRecords::GetBasicErrorInfo(ULONG record, ERRORINFO* info)
{
    if (!info)
        return E_INVALIDARG;
    if (record >= records_.size())
        return DB_E_BADRECORDNUM;
    *info = records_[record].basic;
    return S_OK;
}

STDMETHODIMP ErrorRecords::GetCustomErrorObject(ULONG record, REFIID, IUnknown** object)
{
    if (!object)
        return E_INVALIDARG;
    *object = nullptr;
    return record >= records_.size() ? DB_E_BADRECORDNUM : S_OK;
}

STDMETHODIMP ErrorRecords::GetErrorInfo(ULONG record, LCID, IErrorInfo** info)
{
    if (!info)
        return E_INVALIDARG;
    *info = nullptr;
    if (record >= records_.size())
        return DB_E_BADRECORDNUM;
    ICreateErrorInfo* create = nullptr;
    HRESULT hr = CreateErrorInfo(&create);
    if (FAILED(hr))
        return hr;
    create->SetGUID(records_[record].basic.iid);
    create->SetSource(const_cast<LPOLESTR>(kSource));
    create->SetDescription(const_cast<LPOLESTR>(records_[record].description.c_str()));
    hr = create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(info));
    create->Release();
    return hr;
}

STDMETHODIMP ErrorRecords::GetErrorParameters(ULONG record, DISPPARAMS* params)
{
    if (!params)
        return E_INVALIDARG;
    if (record >= records_.size())
        return DB_E_BADRECORDNUM;
    *params = DISPPARAMS{};
    return S_OK;
}

STDMETHODIMP ErrorRecords::GetRecordCount(ULONG* count)
{
    if (!count)
        return E_INVALIDARG;
    *count = static_cast<ULONG>(records_.size());
    return S_OK;
}

} // namespace hv::recordset
