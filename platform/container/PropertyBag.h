// PropertyBag: an in-memory property bag, as a container gives one to a
// control that saves and loads its properties as text.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <map>
#include <string>
#include <vector>

namespace hv::container {

class PropertyBag final : public IPropertyBag {
public:
    static PropertyBag* Create();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // Read converts to the type the caller asks for (VT_EMPTY: as stored);
    // an unknown name answers E_INVALIDARG, as the platform's bags do.
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    bool Has(const std::wstring& name) const { return values_.count(name) != 0; }
    // The stored value, or null.
    const VARIANT* Find(const std::wstring& name) const;
    size_t Size() const { return values_.size(); }
    // The names held, in order.
    std::vector<std::wstring> Names() const;
    void Clear();

private:
    PropertyBag() = default;
    ~PropertyBag();

    ULONG refs_ = 1;
    std::map<std::wstring, VARIANT> values_;
};

} // namespace hv::container
