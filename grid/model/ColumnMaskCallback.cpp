// ColumnMaskCallback: the component's calls passed on to the column.
#include "ColumnMaskCallback.h"

#include "InputMask.h"

#include <new>
#include <string>

ColumnMaskCallback* ColumnMaskCallback::Create(InputMaskColumnSeam* column)
{
    return new (std::nothrow) ColumnMaskCallback(column);
}

STDMETHODIMP ColumnMaskCallback::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IHvMaskNotify)
        return E_NOINTERFACE;
    *out = static_cast<IHvMaskNotify*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ColumnMaskCallback::AddRef() { return static_cast<ULONG>(++refs_); }

STDMETHODIMP_(ULONG) ColumnMaskCallback::Release()
{
    const LONG left = --refs_;
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP ColumnMaskCallback::ReportMaskError(BSTR text, LONG position)
{
    if (!column_)
        return E_FAIL;
    try {
        column_->ReportMaskError(text ? std::wstring(text, SysStringLen(text)) : std::wstring(), position);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

STDMETHODIMP ColumnMaskCallback::SendEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (result)
        *result = 0;
    HWND edit = column_ ? column_->EditWindow() : nullptr;
    if (!edit || !IsWindow(edit))
        return S_FALSE;
    const LRESULT answer = SendMessageW(edit, message, wParam, lParam);
    if (result)
        *result = answer;
    return S_OK;
}
