// The registered input-mask component: created by class identifier from
// HvMask.dll, attached to a real EDIT window through a callback object as a
// grid column attaches it, fed the characters the grid hands it.
#include "FrameworkTestSupport.h"
#include "MaskEngine.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {

// The column's side of the component: the EDIT window and the refusals.
struct Callback final : IHvMaskNotify {
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = iid == IID_IUnknown || iid == IID_IHvMaskNotify ? this : nullptr;
        if (!*out)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP ReportMaskError(BSTR text, LONG position) override
    {
        refusals.push_back(std::wstring(text ? text : L"") + L"@" + std::to_wstring(position));
        return S_OK;
    }
    STDMETHODIMP SendEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        *result = SendMessageW(edit, message, wParam, lParam);
        return S_OK;
    }

    ULONG refs = 1;
    HWND edit = nullptr;
    std::vector<std::wstring> refusals;
};

struct Bstr {
    explicit Bstr(const wchar_t* text) : s(SysAllocString(text)) {}
    ~Bstr() { SysFreeString(s); }
    BSTR s;
};

std::wstring Format(IHvMaskEngine* engine, const wchar_t* text, LONG mode)
{
    Bstr in(text);
    BSTR out = nullptr;
    if (FAILED(engine->FormatText(in.s, &out, mode)))
        return L"<failed>";
    std::wstring result(out, SysStringLen(out));
    SysFreeString(out);
    return result;
}

std::wstring WindowText(HWND window)
{
    wchar_t text[64] = L"";
    GetWindowTextW(window, text, 64);
    return text;
}

} // namespace

TEST_CASE("mask component: registered, made by class identifier, typing through the callback")
{
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    REQUIRE(RunRegsvr32On(WindowsPathOf(HV_MASK_DLL), L"/s") == 0);
    IHvMaskEngine* engine = nullptr;
    REQUIRE(CoCreateInstance(CLSID_HvMaskEngine, nullptr, CLSCTX_INPROC_SERVER, IID_IHvMaskEngine,
                             reinterpret_cast<void**>(&engine)) == S_OK);
    LONG state = 0;
    IUnknown* object = nullptr;
    CHECK(FAILED(engine->QueryState(&state, &object)));
    {
        Bstr mask(L"###-##");
        REQUIRE(engine->SetMask(mask.s, 1) == S_OK);
    }
    CHECK(engine->SetPromptChar(L'_') == S_OK);
    CHECK(engine->QueryState(&state, &object) == S_OK);
    BSTR held = nullptr;
    REQUIRE(engine->GetMask(&held) == S_OK);
    CHECK(std::wstring(held) == L"###-##");
    SysFreeString(held);
    CHECK(Format(engine, L"12-34", 0) == L"1234");
    CHECK(Format(engine, L"1234", 1) == L"123-4");
    CHECK(Format(engine, L"12", 3) == L"12_-__");
    CHECK(engine->SetDataMode(5) == E_INVALIDARG);

    REQUIRE(edit);
    Callback callback;
    callback.edit = edit;
    REQUIRE(engine->Attach(&callback, edit) == S_OK);
    CHECK(callback.refs == 2);
    for (wchar_t c : std::wstring(L"12a34")) {
        LRESULT result = 0;
        CHECK(engine->ProcessMessage(WM_CHAR, c, 1, &result) == 1);
    }
    CHECK(WindowText(edit) == L"123-4");
    CHECK(callback.refusals == std::vector<std::wstring>{L"12a@2"});
    // Backspace stays the window's.
    LRESULT result = 0;
    CHECK(engine->ProcessMessage(WM_CHAR, VK_BACK, 1, &result) == 0);
    CHECK(engine->Attach(nullptr, nullptr) == S_OK);
    CHECK(callback.refs == 1);
    CHECK(engine->ProcessMessage(WM_CHAR, L'x', 1, &result) == 0);
    DestroyWindow(edit);
    engine->Release();
    CoFreeUnusedLibraries();
}
