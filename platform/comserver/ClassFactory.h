// ClassFactory: the class factory of a server's one creatable class, and
// the exports' bodies that hand it out and tell whether the module may
// unload.
#pragma once

#include <unknwn.h>

namespace hv::comserver {

// Makes a new object and answers `iid` of it.
using CreateFunction = HRESULT (*)(REFIID iid, void** out);

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(CreateFunction create);
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    ~ClassFactory();
    CreateFunction create_;
    LONG refs_ = 1;
};

// DllGetClassObject for a module serving `served`.
HRESULT GetClassObject(REFCLSID asked, REFCLSID served, CreateFunction create, REFIID iid, void** out);
// DllCanUnloadNow.
HRESULT CanUnloadNow();

} // namespace hv::comserver
