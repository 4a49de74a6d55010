// Fixtures of the value, stream and event tests: memory streams, a property
// bag and a sink that records what it is told.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

// Takes over a reference the callee already added. (mingw-w64's
// ComPtr::Attach adds one of its own, so it must not be used for this.)
template <class T>
ComPtr<T> Adopt(T* pointer)
{
    ComPtr<T> holder;
    *holder.GetAddressOf() = pointer;
    return holder;
}

// A memory stream holding bytes, positioned at its start.
ComPtr<IStream> MakeStream(const std::vector<BYTE>& bytes = {});
// Every byte of the stream, whatever its position.
std::vector<BYTE> StreamBytes(IStream* stream);
void Rewind(IStream* stream);

// The reference count an object reports after an AddRef/Release pair.
ULONG RefCount(IUnknown* object);

// A property bag over a map, as a container would give one.
class MemoryPropertyBag : public IPropertyBag
{
public:
    MemoryPropertyBag() = default;
    ~MemoryPropertyBag();
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override { return --m_refs; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    bool Has(const std::wstring& name) const { return m_values.count(name) != 0; }
    const VARIANT& At(const std::wstring& name) const { return m_values.at(name); }

private:
    ULONG m_refs = 1;
    std::map<std::wstring, VARIANT> m_values;
};

// An event and property-notification sink whose behaviour each test sets.
// It lives on the stack; its reference count is only observed.
class RecordingSink : public IDispatch, public IPropertyNotifySink
{
public:
    explicit RecordingSink(bool answersPropertyNotify = true) : m_answersPropertyNotify(answersPropertyNotify) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;
    STDMETHODIMP OnChanged(DISPID id) override;
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    IDispatch* Dispatch() { return static_cast<IDispatch*>(this); }

    ULONG refs = 1;
    std::vector<DISPID> invoked;
    std::vector<DISPID> changed;
    // Runs inside Invoke; its answer is Invoke's result.
    std::function<HRESULT(DISPID, DISPPARAMS*)> onInvoke;

private:
    bool m_answersPropertyNotify;
};
