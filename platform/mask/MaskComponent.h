// MaskComponent: our input-mask component, the in-process COM object that
// a grid column creates to edit its cells through a mask. It holds the
// mask, the prompt character and the clip and data modes, filters the
// keys and clipboard messages the grid hands it for its EDIT window, and
// formats texts by mask mode. A character or a paste the mask refuses is
// swallowed and reported to the column's callback.
#pragma once

#include "MaskEngine.h"
#include "MaskPattern.h"

#include <string>

namespace hv::mask {

class MaskComponent final : public IHvMaskEngine {
public:
    static HRESULT Create(REFIID iid, void** out);

    MaskComponent(const MaskComponent&) = delete;
    MaskComponent& operator=(const MaskComponent&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP SetMask(BSTR mask, LONG flags) override;
    STDMETHODIMP GetMask(BSTR* mask) override;
    STDMETHODIMP Unused5() override { return E_NOTIMPL; }
    STDMETHODIMP Unused6() override { return E_NOTIMPL; }
    STDMETHODIMP Unused7() override { return E_NOTIMPL; }
    STDMETHODIMP Unused8() override { return E_NOTIMPL; }
    STDMETHODIMP Unused9() override { return E_NOTIMPL; }
    STDMETHODIMP Unused10() override { return E_NOTIMPL; }
    STDMETHODIMP Unused11() override { return E_NOTIMPL; }
    STDMETHODIMP SetPromptChar(LONG prompt) override;
    STDMETHODIMP Unused13() override { return E_NOTIMPL; }
    STDMETHODIMP Attach(IUnknown* notify, HWND edit) override;
    STDMETHODIMP QueryState(LONG* value, IUnknown** object) override;
    LONG STDMETHODCALLTYPE ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    STDMETHODIMP Unused17() override { return E_NOTIMPL; }
    STDMETHODIMP Unused18() override { return E_NOTIMPL; }
    STDMETHODIMP Unused19() override { return E_NOTIMPL; }
    STDMETHODIMP FormatText(BSTR text, BSTR* formatted, LONG mode) override;
    STDMETHODIMP Unused21() override { return E_NOTIMPL; }
    STDMETHODIMP Unused22() override { return E_NOTIMPL; }
    STDMETHODIMP Unused23() override { return E_NOTIMPL; }
    STDMETHODIMP SetClipMode(LONG mode) override;
    STDMETHODIMP Unused25() override { return E_NOTIMPL; }
    STDMETHODIMP SetDataMode(LONG mode) override;
    STDMETHODIMP Refresh(LONG* local) override;

private:
    MaskComponent();
    ~MaskComponent();

    // The EDIT window through the column's callback; 0 without one.
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);
    std::wstring EditText();
    void Selection(size_t* start, size_t* end);
    void Show(const std::wstring& text, size_t caret);
    LONG OnChar(wchar_t c);
    LONG OnPaste();
    LONG OnCopy(bool cut);
    void Refuse(const std::wstring& text, size_t start, size_t position, const std::wstring& typed);

    LONG refs_ = 1;
    MaskPattern pattern_;
    wchar_t prompt_ = L'_';
    LONG clipMode_ = 0;
    LONG dataMode_ = 0;
    IHvMaskNotify* notify_ = nullptr;  // referenced while attached
    HWND edit_ = nullptr;
};

} // namespace hv::mask
