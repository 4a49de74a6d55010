// IHvMaskEngine: the input-mask component's interface as the grid calls it,
// slot by slot, and IHvMaskNotify, the callback the component calls on the
// column it serves. The component is an in-process COM server outside the
// grid; slots the grid never calls are kept so the positions line up.
#pragma once

#include <windows.h>
#include <oleauto.h>

// {6A1C7E52-94D3-4B0F-8E2A-5D13C7F0B6E4}
inline constexpr CLSID CLSID_HvMaskEngine = {0x6a1c7e52, 0x94d3, 0x4b0f, {0x8e, 0x2a, 0x5d, 0x13, 0xc7, 0xf0, 0xb6, 0xe4}};
// {0F3B9A61-27C8-4E5D-A1B4-98E6D2C37A05}
inline constexpr IID IID_IHvMaskEngine = {0x0f3b9a61, 0x27c8, 0x4e5d, {0xa1, 0xb4, 0x98, 0xe6, 0xd2, 0xc3, 0x7a, 0x05}};

// {C7E5DC56-CD0A-4AB9-B130-0E7414C00B21}
inline constexpr IID IID_IHvMaskNotify = {0xc7e5dc56, 0xcd0a, 0x4ab9, {0xb1, 0x30, 0x0e, 0x74, 0x14, 0xc0, 0x0b, 0x21}};

struct IHvMaskNotify : public IUnknown {
    // A typed or pasted text the mask refuses; position: the place of its
    // first character that does not fit (0-based).
    virtual HRESULT STDMETHODCALLTYPE ReportMaskError(BSTR text, LONG position) = 0;
    // A message to the grid's EDIT window; S_FALSE (result 0) without one.
    virtual HRESULT STDMETHODCALLTYPE SendEditMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                                      LRESULT* result) = 0;
};

struct IHvMaskEngine : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetMask(BSTR mask, LONG flags) = 0;                  // 3
    virtual HRESULT STDMETHODCALLTYPE GetMask(BSTR* mask) = 0;                             // 4
    virtual HRESULT STDMETHODCALLTYPE Unused5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused6() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused7() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused8() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused9() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused11() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPromptChar(LONG prompt) = 0;                      // 12
    virtual HRESULT STDMETHODCALLTYPE Unused13() = 0;
    // A null window detaches.
    virtual HRESULT STDMETHODCALLTYPE Attach(IUnknown* notify, HWND edit) = 0;            // 14
    // Success means ready; an interface handed back is the caller's.
    virtual HRESULT STDMETHODCALLTYPE QueryState(LONG* value, IUnknown** object) = 0;      // 15
    // 1 when the component handled the message.
    virtual LONG STDMETHODCALLTYPE ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                                  LRESULT* result) = 0;                    // 16
    virtual HRESULT STDMETHODCALLTYPE Unused17() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused18() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused19() = 0;
    virtual HRESULT STDMETHODCALLTYPE FormatText(BSTR text, BSTR* formatted, LONG mode) = 0;  // 20
    virtual HRESULT STDMETHODCALLTYPE Unused21() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused22() = 0;
    virtual HRESULT STDMETHODCALLTYPE Unused23() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetClipMode(LONG mode) = 0;                          // 24
    virtual HRESULT STDMETHODCALLTYPE Unused25() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDataMode(LONG mode) = 0;                          // 26
    virtual HRESULT STDMETHODCALLTYPE Refresh(LONG* local) = 0;                            // 27
};
