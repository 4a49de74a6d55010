// A property bag over a map, as a container gives one: objects are kept by
// reference and read back into the caller's object through IPersistStream.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <map>
#include <string>

class MemoryBag final : public IPropertyBag {
public:
    MemoryBag() = default;
    ~MemoryBag();
    MemoryBag(const MemoryBag&) = delete;
    MemoryBag& operator=(const MemoryBag&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    bool Has(const std::wstring& name) const { return values_.count(name) != 0; }
    const VARIANT& At(const std::wstring& name) const { return values_.at(name); }

private:
    std::map<std::wstring, VARIANT> values_;
};
