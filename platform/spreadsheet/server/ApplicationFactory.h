// ApplicationFactory: the class factory of the application object.
#pragma once

#include <unknwn.h>

namespace hv::sheet::server {

class ApplicationFactory final : public IClassFactory {
public:
    ApplicationFactory();
    ApplicationFactory(const ApplicationFactory&) = delete;
    ApplicationFactory& operator=(const ApplicationFactory&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    ~ApplicationFactory();
    LONG refs_ = 1;
};

} // namespace hv::sheet::server
