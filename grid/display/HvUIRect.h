// HvUIRect: a read-only automation view of one rectangle in pixels of the
// control's client area. Its maker writes the rectangle directly.
#pragma once

#include "HvObjectBaseImpl.h"

#include <Tavelle.h>

class HvUIRect final : public HvObjectBaseImpl<IHvUIRect> {
public:
    // A new object with one reference holding rect (empty when null).
    static HRESULT Create(const RECT* rect, HvUIRect** out);

    RECT& Rect() { return rect_; }
    void SetRect(const RECT& rect) { rect_ = rect; }

    // IHvUIRect
    STDMETHODIMP get_Left(long* value) override { return Answer(value, rect_.left); }
    STDMETHODIMP get_Top(long* value) override { return Answer(value, rect_.top); }
    STDMETHODIMP get_Right(long* value) override { return Answer(value, rect_.right); }
    STDMETHODIMP get_Bottom(long* value) override { return Answer(value, rect_.bottom); }
    STDMETHODIMP get_Width(long* value) override { return Answer(value, rect_.right - rect_.left); }
    STDMETHODIMP get_Height(long* value) override { return Answer(value, rect_.bottom - rect_.top); }
    // The address stays valid while the client holds the object.
    STDMETHODIMP GetRectPtr(long* pointer) override
    {
        return Answer(pointer, static_cast<long>(reinterpret_cast<INT_PTR>(&rect_)));
    }

private:
    HvUIRect();
    ~HvUIRect() override = default;

    static HRESULT Answer(long* out, long value)
    {
        if (!out)
            return E_INVALIDARG;
        *out = value;
        return S_OK;
    }

    RECT rect_ = {};
};
