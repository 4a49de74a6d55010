// InputMask: driving the input-mask component over the column's settings.
#include "InputMask.h"

namespace {

HRESULT CreateRegisteredEngine(IHvMaskEngine** out)
{
    return CoCreateInstance(CLSID_HvMaskEngine, nullptr, CLSCTX_INPROC_SERVER, IID_IHvMaskEngine,
                            reinterpret_cast<void**>(out));
}

InputMask::EngineFactory g_factory = CreateRegisteredEngine;

class Bstr {
public:
    explicit Bstr(const std::wstring& text) : s_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr() = default;
    ~Bstr() { SysFreeString(s_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR Get() const { return s_; }
    BSTR* Put() { SysFreeString(s_); s_ = nullptr; return &s_; }
    std::wstring Text() const { return s_ ? std::wstring(s_, SysStringLen(s_)) : std::wstring(); }

private:
    BSTR s_ = nullptr;
};

} // namespace

InputMask::EngineFactory InputMask::SetEngineFactory(EngineFactory factory)
{
    EngineFactory old = g_factory;
    g_factory = factory ? factory : CreateRegisteredEngine;
    return old;
}

bool InputMask::UsesInputMask() { return !column_->IsMultiLine() && !column_->MaskInput().empty(); }

bool InputMask::CreateMaskEngine()
{
    if (engine_)
        return true;
    IHvMaskEngine* engine = nullptr;
    if (FAILED(g_factory(&engine)) || !engine)
        return false;
    engine_.Attach(engine);
    return true;
}

bool InputMask::IsMaskEngineReady()
{
    if (column_->IsMultiLine() || !engine_)
        return false;
    LONG value = 0;
    IUnknown* object = nullptr;
    const HRESULT hr = engine_->QueryState(&value, &object);
    if (object)
        object->Release();
    return SUCCEEDED(hr);
}

bool InputMask::DetachMaskEngine()
{
    if (!engine_)
        return false;
    return SUCCEEDED(engine_->Attach(nullptr, nullptr));
}

bool InputMask::ConfigureMaskEngine()
{
    if (!engine_)
        return false;
    HRESULT hr = S_OK;
    if (HWND edit = column_->EditWindow())
        hr = engine_->Attach(column_->NotifyObject(), edit);
    if (SUCCEEDED(hr)) {
        Bstr mask(column_->MaskInput());
        hr = mask.Get() ? engine_->SetMask(mask.Get(), 1) : E_OUTOFMEMORY;
    }
    if (SUCCEEDED(hr))
        hr = engine_->SetPromptChar(static_cast<LONG>(column_->PromptChar()));
    if (SUCCEEDED(hr)) {
        engine_->SetClipMode(column_->MaskClipMode());
        hr = engine_->SetDataMode(column_->MaskDataMode());
    }
    if (FAILED(hr)) {
        DetachMaskEngine();
        return false;
    }
    return true;
}

bool InputMask::ApplyInputMask(bool apply)
{
    if (!apply || column_->IsMultiLine()) {
        DetachMaskEngine();
        return IsMaskEngineReady();
    }
    const std::wstring mask = column_->MaskInput();
    bool changed = true;
    if (IsMaskEngineReady()) {
        Bstr held;
        if (SUCCEEDED(engine_->GetMask(held.Put())) && held.Text() == mask) {
            changed = false;
            LONG local = 0;
            engine_->Refresh(&local);
        }
    }
    if (CreateMaskEngine())
        ConfigureMaskEngine();
    if (changed && column_->IsActiveCellColumn()) {
        HWND edit = column_->EditWindow();
        if (edit && IsWindow(edit) && GetFocus() != edit)
            SetWindowTextW(edit, L"");
    }
    return true;
}

LONG InputMask::MaskProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (!IsMaskEngineReady())
        return 0;
    LRESULT local = 0;
    return engine_->ProcessMessage(message, wParam, lParam, result ? result : &local);
}

std::wstring InputMask::FormatMaskedText(const std::wstring& text, LONG mode)
{
    if (!IsMaskEngineReady())
        return text;
    Bstr in(text);
    Bstr out;
    if (!in.Get() || FAILED(engine_->FormatText(in.Get(), out.Put(), mode)) || !out.Get())
        return text;
    return out.Text();
}

void InputMask::ApplyMaskModeToValue(VARIANT* value, LONG mode)
{
    if (!value || value->vt != VT_BSTR || !IsMaskEngineReady())
        return;
    BSTR formatted = nullptr;
    if (FAILED(engine_->FormatText(value->bstrVal, &formatted, mode)) || !formatted)
        return;
    SysFreeString(value->bstrVal);
    value->bstrVal = formatted;
}
