// A stand-in input-mask component for tests, and the scope that makes the
// input-mask helper create it in place of the registered component.
#pragma once

#include "InputMask.h"

#include <string>
#include <vector>

namespace mask_fake {

// A stand-in component: ready once a mask was set; formats as "<mode>:text".
struct FakeEngine final : IHvMaskEngine {
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHvMaskEngine) ? this : nullptr;
        if (!*out)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP SetMask(BSTR m, LONG) override
    {
        calls.push_back("SetMask");
        if (failSetMask)
            return E_FAIL;
        mask = m;
        return S_OK;
    }
    STDMETHODIMP GetMask(BSTR* m) override
    {
        *m = SysAllocString(mask.c_str());
        return S_OK;
    }
    STDMETHODIMP Unused5() override { return E_NOTIMPL; }
    STDMETHODIMP Unused6() override { return E_NOTIMPL; }
    STDMETHODIMP Unused7() override { return E_NOTIMPL; }
    STDMETHODIMP Unused8() override { return E_NOTIMPL; }
    STDMETHODIMP Unused9() override { return E_NOTIMPL; }
    STDMETHODIMP Unused10() override { return E_NOTIMPL; }
    STDMETHODIMP Unused11() override { return E_NOTIMPL; }
    STDMETHODIMP SetPromptChar(LONG p) override { calls.push_back("SetPromptChar"); prompt = p; return S_OK; }
    STDMETHODIMP Unused13() override { return E_NOTIMPL; }
    STDMETHODIMP Attach(IUnknown*, HWND edit) override
    {
        calls.push_back(edit ? "Attach" : "Detach");
        attached = edit;
        return S_OK;
    }
    STDMETHODIMP QueryState(LONG*, IUnknown** object) override
    {
        *object = nullptr;
        return mask.empty() || failSetMask ? E_FAIL : S_OK;
    }
    LONG STDMETHODCALLTYPE ProcessMessage(UINT message, WPARAM, LPARAM, LRESULT* result) override
    {
        *result = 0;
        return message == WM_PASTE ? 1 : 0;
    }
    STDMETHODIMP Unused17() override { return E_NOTIMPL; }
    STDMETHODIMP Unused18() override { return E_NOTIMPL; }
    STDMETHODIMP Unused19() override { return E_NOTIMPL; }
    STDMETHODIMP FormatText(BSTR text, BSTR* out, LONG mode) override
    {
        if (failFormat)
            return E_FAIL;
        *out = SysAllocString((std::to_wstring(mode) + L":" + (text ? text : L"")).c_str());
        return S_OK;
    }
    STDMETHODIMP Unused21() override { return E_NOTIMPL; }
    STDMETHODIMP Unused22() override { return E_NOTIMPL; }
    STDMETHODIMP Unused23() override { return E_NOTIMPL; }
    STDMETHODIMP SetClipMode(LONG) override { calls.push_back("SetClipMode"); return S_OK; }
    STDMETHODIMP Unused25() override { return E_NOTIMPL; }
    STDMETHODIMP SetDataMode(LONG) override { calls.push_back("SetDataMode"); return S_OK; }
    STDMETHODIMP Refresh(LONG*) override { calls.push_back("Refresh"); return S_OK; }

    ULONG refs = 0;
    std::wstring mask;
    LONG prompt = 0;
    HWND attached = nullptr;
    bool failSetMask = false;
    bool failFormat = false;
    std::vector<std::string> calls;
};

inline FakeEngine* g_engine = nullptr;

inline HRESULT MakeFake(IHvMaskEngine** out)
{
    *out = g_engine;
    if (!g_engine)
        return REGDB_E_CLASSNOTREG;
    g_engine->AddRef();
    return S_OK;
}

struct FactoryScope {
    explicit FactoryScope(FakeEngine* engine) : old(InputMask::SetEngineFactory(MakeFake)) { g_engine = engine; }
    ~FactoryScope()
    {
        InputMask::SetEngineFactory(old);
        g_engine = nullptr;
    }
    InputMask::EngineFactory old;
};

} // namespace mask_fake
