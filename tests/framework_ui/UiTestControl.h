// UiTestControl: a small control on the framework's control base for the
// user-interface tests. It records the URL data and progress it receives
// and its modal-state changes, and counts its live instances.
#pragma once

#include "ControlBase.h"

#include <string>
#include <vector>

class UiTestControl final : public IDispatch, public CControlBase
{
public:
    // A new control with one reference (release with Release()).
    static UiTestControl* Create();
    // Controls alive now.
    static int Alive();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    struct Piece {
        DWORD tag;
        DWORD flags;
        std::string bytes;
        bool terminated;  // a zero byte followed the data
    };
    std::vector<Piece> pieces;
    std::vector<ULONG> progressCodes;
    std::vector<DWORD> progressTags;
    HRESULT progressAnswer = S_OK;
    std::vector<std::string> calls;

    void OnUrlDataAvailable(DWORD tag, DWORD noticeFlags, const BYTE* data, ULONG count) override;
    HRESULT OnUrlProgress(DWORD tag, ULONG progress, ULONG maximum, ULONG statusCode, LPCWSTR statusText) override;
    void SetModalState(bool modal) override;

protected:
    HRESULT OnDraw(DWORD aspect, HDC dc, const RECTL* bounds, const RECTL* windowBounds, HDC target,
                   BOOL optimize) override;

private:
    UiTestControl();
    ~UiTestControl() override;
};
