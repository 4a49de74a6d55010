// CUnknownObject and its non-delegating unknown.
#include "UnknownObject.h"

#include "LiveObjectRegistry.h"
#include "Module.h"

// {1D86887C-F0F1-4B5F-96F1-4886C5232A94}
extern "C" const IID IID_IHvPrivateObject =
    {0x1d86887c, 0xf0f1, 0x4b5f, {0x96, 0xf1, 0x48, 0x86, 0xc5, 0x23, 0x2a, 0x94}};

STDMETHODIMP CPrivateUnknown::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown)) {
        *out = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    return owner_.InternalQueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) CPrivateUnknown::AddRef()
{
    const ULONG count = ++count_;
    if (count == 2)
        owner_.OnSharedChange(true);
    return count;
}

STDMETHODIMP_(ULONG) CPrivateUnknown::Release()
{
    if (count_ != 1) {
        // Nothing of the object is read after the hook: it may end it.
        const ULONG count = --count_;
        if (count == 1)
            owner_.OnSharedChange(false);
        return count;
    }
    count_ = 2;
    owner_.OnFinalRelease();
    count_ = 0;
    delete &owner_;
    return 0;
}

CUnknownObject::CUnknownObject(IUnknown* outer, void* primaryInterface)
    : controlling_(outer ? outer : &private_), primary_(primaryInterface), self_(nullptr), private_(*this)
{
    LiveObjectRegistry::Add(this, primary_);
    LibraryAddRef();
    self_ = this;
}

CUnknownObject::~CUnknownObject()
{
    self_ = nullptr;
    LiveObjectRegistry::Remove(this, primary_);
    LibraryRelease();
}

HRESULT CUnknownObject::ForwardQueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IHvPrivateObject))
        return InternalQueryInterface(IID_IDispatch, out);
    return controlling_->QueryInterface(iid, out);
}

HRESULT CUnknownObject::InternalQueryInterface(REFIID, void** out)
{
    return ReturnNoInterface(out);
}

HRESULT ReturnNoInterface(void** out)
{
    if (out)
        *out = nullptr;
    return E_NOINTERFACE;
}

bool IsValidObjectPointer(const CUnknownObject* object)
{
    return LiveObjectRegistry::Contains(object);
}
