// MaskComponent: the component's state and its handling of the EDIT
// window's messages.
#include "MaskComponent.h"

#include <ServerModule.h>

#include <new>

namespace hv::mask {

namespace {

bool ValidMode(LONG mode) { return mode >= 0 && mode <= 4; }

std::wstring FromBstr(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

BSTR ToBstr(const std::wstring& text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

std::wstring ClipboardText()
{
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void PutOnClipboard(const std::wstring& text)
{
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return;
    if (void* chars = GlobalLock(memory)) {
        CopyMemory(chars, text.c_str(), bytes);
        GlobalUnlock(memory);
    }
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, memory))
            memory = nullptr;
        CloseClipboard();
    }
    if (memory)
        GlobalFree(memory);
}

} // namespace

HRESULT MaskComponent::Create(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    auto* component = new (std::nothrow) MaskComponent();
    if (!component)
        return E_OUTOFMEMORY;
    const HRESULT hr = component->QueryInterface(iid, out);
    component->Release();
    return hr;
}

MaskComponent::MaskComponent() { comserver::ServerModule::Lock(); }

MaskComponent::~MaskComponent()
{
    if (notify_)
        notify_->Release();
    comserver::ServerModule::Unlock();
}

STDMETHODIMP MaskComponent::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IHvMaskEngine)
        return E_NOINTERFACE;
    *out = static_cast<IHvMaskEngine*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) MaskComponent::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

STDMETHODIMP_(ULONG) MaskComponent::Release()
{
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP MaskComponent::SetMask(BSTR mask, LONG)
{
    try {
        pattern_ = MaskPattern(FromBstr(mask));
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP MaskComponent::GetMask(BSTR* mask)
{
    if (!mask)
        return E_POINTER;
    *mask = ToBstr(pattern_.Text());
    return *mask ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP MaskComponent::SetPromptChar(LONG prompt)
{
    if (prompt < 0 || prompt > 0xFFFF)
        return E_INVALIDARG;
    prompt_ = static_cast<wchar_t>(prompt);
    return S_OK;
}

STDMETHODIMP MaskComponent::Attach(IUnknown* notify, HWND edit)
{
    IHvMaskNotify* callback = nullptr;
    if (notify && edit && FAILED(notify->QueryInterface(IID_IHvMaskNotify, reinterpret_cast<void**>(&callback))))
        return E_NOINTERFACE;
    if (notify_)
        notify_->Release();
    notify_ = callback;
    edit_ = callback ? edit : nullptr;
    return S_OK;
}

STDMETHODIMP MaskComponent::QueryState(LONG* value, IUnknown** object)
{
    if (value)
        *value = notify_ ? 1 : 0;
    if (object)
        *object = nullptr;
    return pattern_.Empty() ? E_FAIL : S_OK;
}

STDMETHODIMP MaskComponent::FormatText(BSTR text, BSTR* formatted, LONG mode)
{
    if (!formatted)
        return E_POINTER;
    *formatted = nullptr;
    if (!ValidMode(mode))
        return E_INVALIDARG;
    try {
        *formatted = ToBstr(pattern_.Format(FromBstr(text), static_cast<int>(mode), prompt_));
        return *formatted ? S_OK : E_OUTOFMEMORY;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP MaskComponent::SetClipMode(LONG mode)
{
    if (!ValidMode(mode))
        return E_INVALIDARG;
    clipMode_ = mode;
    return S_OK;
}

STDMETHODIMP MaskComponent::SetDataMode(LONG mode)
{
    if (!ValidMode(mode))
        return E_INVALIDARG;
    dataMode_ = mode;
    return S_OK;
}

// The same mask again: the text in the window is read against it anew.
STDMETHODIMP MaskComponent::Refresh(LONG*)
{
    if (!notify_ || pattern_.Empty())
        return S_OK;
    try {
        const std::wstring text = EditText();
        const std::wstring shown = pattern_.EditForm(pattern_.Slots(text, prompt_), prompt_);
        if (shown != text)
            Show(shown, shown.size());
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

LONG STDMETHODCALLTYPE MaskComponent::ProcessMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result)
{
    if (result)
        *result = 0;
    if (!notify_ || pattern_.Empty())
        return 0;
    try {
        switch (message) {
        case WM_CHAR:
            return OnChar(static_cast<wchar_t>(wParam));
        case WM_PASTE:
            return OnPaste();
        case WM_COPY:
            return OnCopy(false);
        case WM_CUT:
            return OnCopy(true);
        default:
            return 0;
        }
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

LRESULT MaskComponent::Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (notify_)
        notify_->SendEditMessage(message, wParam, lParam, &result);
    return result;
}

std::wstring MaskComponent::EditText()
{
    const auto length = static_cast<size_t>(Send(WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<size_t>(Send(WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < text.size() ? copied : length);
    return text;
}

void MaskComponent::Selection(size_t* start, size_t* end)
{
    DWORD from = 0, to = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    *start = from;
    *end = to;
}

void MaskComponent::Show(const std::wstring& text, size_t caret)
{
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Send(EM_SETSEL, caret, static_cast<LPARAM>(caret));
}

// The text the user would have had: what stands before the selection, the
// literals up to the slot that refused, and what was typed.
void MaskComponent::Refuse(const std::wstring& text, size_t start, size_t position, const std::wstring& typed)
{
    std::wstring invalid = text.substr(0, start < text.size() ? start : text.size());
    for (size_t p = invalid.size(); p < position && p < pattern_.Text().size(); ++p)
        invalid += pattern_.IsLiteral(p) ? pattern_.Text()[p] : prompt_;
    invalid += typed;
    BSTR shown = ToBstr(invalid);
    if (notify_ && shown)
        notify_->ReportMaskError(shown, static_cast<LONG>(position));
    SysFreeString(shown);
}

LONG MaskComponent::OnChar(wchar_t c)
{
    // Control characters (Backspace, Ctrl combinations) stay the window's.
    if (c < L' ')
        return 0;
    std::wstring text = EditText();
    size_t start = 0, end = 0;
    Selection(&start, &end);
    std::wstring typed = text;
    size_t caret = 0;
    const size_t bad = pattern_.Type(typed, start, end, c, prompt_, &caret);
    if (bad != MaskPattern::NoPosition)
        Refuse(text, start, bad, std::wstring(1, c));
    else
        Show(typed, caret);
    return 1;
}

LONG MaskComponent::OnPaste()
{
    const std::wstring pasted = ClipboardText();
    std::wstring text = EditText();
    size_t start = 0, end = 0;
    Selection(&start, &end);
    std::wstring typed = text;
    size_t caret = 0;
    const size_t bad = pattern_.Paste(typed, start, end, pasted, prompt_, &caret);
    if (bad != MaskPattern::NoPosition)
        Refuse(text, start, bad, pasted);
    else
        Show(typed, caret);
    return 1;
}

// The whole text goes out in the clip mode; a part of it as it stands.
LONG MaskComponent::OnCopy(bool cut)
{
    const std::wstring text = EditText();
    size_t start = 0, end = 0;
    Selection(&start, &end);
    if (start != 0 || end < text.size() || text.empty())
        return 0;
    PutOnClipboard(pattern_.Format(text, static_cast<int>(clipMode_), prompt_));
    if (cut)
        Show(std::wstring(), 0);
    return 1;
}

} // namespace hv::mask
