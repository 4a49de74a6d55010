// ColumnMaskCallback: the object a column hands its input-mask component
// so that the component can call back: a text the mask refuses goes to the
// grid's mask-error report, a window message to the grid's EDIT window.
// The component holds it with a reference count of its own; the column
// forgets it when the column goes, after which every call does nothing.
#pragma once

#include "MaskEngine.h"

class InputMaskColumnSeam;

class ColumnMaskCallback final : public IHvMaskNotify {
public:
    // One reference for the caller; column is not owned. Null when memory is short.
    static ColumnMaskCallback* Create(InputMaskColumnSeam* column);
    ColumnMaskCallback(const ColumnMaskCallback&) = delete;
    ColumnMaskCallback& operator=(const ColumnMaskCallback&) = delete;

    // The column goes: nothing reaches it any more.
    void Forget() { column_ = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP ReportMaskError(BSTR text, LONG position) override;
    STDMETHODIMP SendEditMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    explicit ColumnMaskCallback(InputMaskColumnSeam* column) : column_(column) {}
    ~ColumnMaskCallback() = default;

    LONG refs_ = 1;
    InputMaskColumnSeam* column_;  // not owned
};
