// RecordsetFactory: the class factory of the scriptable recordset.
#pragma once

#include <unknwn.h>

namespace hv::recordset::server {

class RecordsetFactory final : public IClassFactory {
public:
    RecordsetFactory();
    RecordsetFactory(const RecordsetFactory&) = delete;
    RecordsetFactory& operator=(const RecordsetFactory&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IClassFactory
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    ~RecordsetFactory();
    LONG refs_ = 1;
};

} // namespace hv::recordset::server
