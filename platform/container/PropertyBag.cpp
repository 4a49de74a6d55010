// The in-memory property bag.
#include "PropertyBag.h"

#include <new>

namespace hv::container {

PropertyBag* PropertyBag::Create()
{
    return new (std::nothrow) PropertyBag();
}

PropertyBag::~PropertyBag()
{
    Clear();
}

void PropertyBag::Clear()
{
    for (auto& [name, value] : values_)
        VariantClear(&value);
    values_.clear();
}

STDMETHODIMP PropertyBag::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag)) {
        *out = static_cast<IPropertyBag*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) PropertyBag::AddRef()
{
    return ++refs_;
}

STDMETHODIMP_(ULONG) PropertyBag::Release()
{
    const ULONG count = --refs_;
    if (count == 0)
        delete this;
    return count;
}

const VARIANT* PropertyBag::Find(const std::wstring& name) const
{
    auto it = values_.find(name);
    return it == values_.end() ? nullptr : &it->second;
}

std::vector<std::wstring> PropertyBag::Names() const
{
    std::vector<std::wstring> names;
    for (const auto& entry : values_)
        names.push_back(entry.first);
    return names;
}

STDMETHODIMP PropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*)
{
    if (!name || !value)
        return E_POINTER;
    try {
        auto it = values_.find(name);
        if (it == values_.end())
            return E_INVALIDARG;
        const VARTYPE wanted = value->vt;
        VariantInit(value);
        if (wanted == VT_EMPTY)
            return VariantCopy(value, &it->second);
        return VariantChangeType(value, &it->second, 0, wanted);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP PropertyBag::Write(LPCOLESTR name, VARIANT* value)
{
    if (!name || !value)
        return E_POINTER;
    try {
        VARIANT copy;
        VariantInit(&copy);
        const HRESULT hr = VariantCopy(&copy, value);
        if (FAILED(hr))
            return hr;
        auto it = values_.find(name);
        if (it != values_.end()) {
            VariantClear(&it->second);
            it->second = copy;
        } else {
            values_.emplace(name, copy);
        }
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

} // namespace hv::container
