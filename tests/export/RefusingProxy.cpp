// The refusing proxy.
#include "RefusingProxy.h"

#include <map>
#include <memory>

namespace {

class RefusingProxy final : public IDispatch {
public:
    RefusingProxy(IDispatch* target, std::shared_ptr<std::map<DISPID, std::wstring>> names, std::wstring refused)
        : target_(target), names_(std::move(names)), refused_(std::move(refused))
    {
        target_->AddRef();
    }
    ~RefusingProxy() { target_->Release(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid != IID_IUnknown && iid != IID_IDispatch) {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { return target_->GetTypeInfoCount(count); }
    STDMETHODIMP GetTypeInfo(UINT i, LCID l, ITypeInfo** info) override { return target_->GetTypeInfo(i, l, info); }
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID l, DISPID* ids) override
    {
        const HRESULT hr = target_->GetIDsOfNames(iid, names, count, l, ids);
        if (SUCCEEDED(hr) && count > 0)
            (*names_)[ids[0]] = names[0];
        return hr;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID l, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override
    {
        const auto name = names_->find(id);
        if (name != names_->end() && _wcsicmp(name->second.c_str(), refused_.c_str()) == 0) {
            if (exception) {
                *exception = EXCEPINFO{};
                exception->scode = static_cast<SCODE>(0x800A03EC);
                exception->bstrDescription = SysAllocString(L"The application refused the call.");
            }
            return DISP_E_EXCEPTION;
        }
        const HRESULT hr = target_->Invoke(id, iid, l, flags, params, result, exception, argumentError);
        if (SUCCEEDED(hr) && result && V_VT(result) == VT_DISPATCH && V_DISPATCH(result)) {
            IDispatch* real = V_DISPATCH(result);
            V_DISPATCH(result) = new RefusingProxy(real, names_, refused_);
            real->Release();
        }
        return hr;
    }

private:
    IDispatch* target_;
    std::shared_ptr<std::map<DISPID, std::wstring>> names_;  // DISPIDs are shared by objects of one kind here
    std::wstring refused_;
    ULONG refs_ = 1;
};

} // namespace

IDispatch* NewRefusingProxy(IDispatch* target, const std::wstring& refusedMember)
{
    return new RefusingProxy(target, std::make_shared<std::map<DISPID, std::wstring>>(), refusedMember);
}
