// CClassFactory: the class factory that DllGetClassObject hands out for a
// creatable record of the object-info table.
#pragma once

#include <windows.h>
#include <ole2.h>

class CClassFactory final : public IClassFactory {
public:
    explicit CClassFactory(int objectType);
    ~CClassFactory();
    CClassFactory(const CClassFactory&) = delete;
    CClassFactory& operator=(const CClassFactory&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    LONG count_ = 1;
    int objectType_;
};

// Creates an object of the type through its record's creation function.
// With an outer unknown only IID_IUnknown may be asked for.
HRESULT CreateObjectInstance(IUnknown* outer, int objectType, void** out, REFIID iid);
