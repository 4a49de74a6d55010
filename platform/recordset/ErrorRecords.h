// ErrorRecords: an OLE DB error object (IErrorInfo over its first record and
// IErrorRecords), set as the thread's error object when a call fails with
// provider error text.
#pragma once

#include <windows.h>
#include <oledb.h>

#include <string>
#include <vector>

namespace hv::recordset {

class ErrorRecords : public IErrorInfo, public IErrorRecords {
public:
    // Sets an error object whose records carry these descriptions (record 0
    // first) for `hr`; answers hr.
    static HRESULT Raise(HRESULT hr, const std::vector<std::wstring>& descriptions);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IErrorInfo (the first record)
    STDMETHODIMP GetGUID(GUID* guid) override;
    STDMETHODIMP GetSource(BSTR* source) override;
    STDMETHODIMP GetDescription(BSTR* description) override;
    STDMETHODIMP GetHelpFile(BSTR* helpFile) override;
    STDMETHODIMP GetHelpContext(DWORD* context) override;
    // IErrorRecords
    STDMETHODIMP AddErrorRecord(ERRORINFO* info, DWORD lookupId, DISPPARAMS* params,
                                IUnknown* customError, DWORD dynamicId) override;
    STDMETHODIMP GetBasicErrorInfo(ULONG record, ERRORINFO* info) override;
    STDMETHODIMP GetCustomErrorObject(ULONG record, REFIID iid, IUnknown** object) override;
    STDMETHODIMP GetErrorInfo(ULONG record, LCID lcid, IErrorInfo** info) override;
    STDMETHODIMP GetErrorParameters(ULONG record, DISPPARAMS* params) override;
    STDMETHODIMP GetRecordCount(ULONG* count) override;

private:
    struct Record {
        ERRORINFO basic;
        std::wstring description;
    };
    ErrorRecords() = default;
    virtual ~ErrorRecords() = default;
    HRESULT Text(ULONG record, BSTR* out, bool source) const;

    LONG refs_ = 1;
    std::vector<Record> records_;
};

} // namespace hv::recordset
