// HvUIElement: the IHvUIElement members that clients call.
#include "HvUIElement.h"

#include "HvUIElements.h"
#include "HvUIRect.h"
#include "UIElementLayoutSeam.h"

namespace {

bool IsPainting(UIElementControlSeam* control)
{
    return control && control->IsPainting();
}

} // namespace

HRESULT HvUIElement::CheckAlive(void* out)
{
    if (!out)
        return E_INVALIDARG;
    return IsAlive() ? S_OK : NotActiveError();
}

STDMETHODIMP HvUIElement::get_Rect(IHvUIRect** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        if (!IsActive())
            return NotActiveError();
        if (!IsPainting(GetControl()))
            VerifyChildElements();
        if (!rectObject_ && FAILED(HvUIRect::Create(nullptr, &rectObject_)))
            return E_OUTOFMEMORY;
        rectObject_->SetRect(GetRect());
        return rectObject_->QueryInterface(IID_IHvUIRect, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvUIElement::get_RectDisplayed(IHvUIRect** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        if (!IsActive())
            return NotActiveError();
        if (!IsPainting(GetControl()))
            VerifyChildElements();
        if (!displayedRectObject_ && FAILED(HvUIRect::Create(nullptr, &displayedRectObject_)))
            return E_OUTOFMEMORY;
        displayedRectObject_->SetRect(GetRectDisplayed());
        return displayedRectObject_->QueryInterface(IID_IHvUIRect, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvUIElement::get_Type(Constants_UIElement* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<Constants_UIElement>(0);
    return Guard([&] {
        if (HRESULT hr = CheckAlive(out); FAILED(hr))
            return hr;
        *out = static_cast<Constants_UIElement>(type_);
        return S_OK;
    });
}

STDMETHODIMP HvUIElement::get_Layout(IHvLayout** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        if (HRESULT hr = CheckAlive(out); FAILED(hr))
            return hr;
        IDispatch* layout = layout_ ? layout_->LayoutDispatch() : nullptr;
        return layout ? layout->QueryInterface(IID_IHvLayout, reinterpret_cast<void**>(out)) : S_OK;
    });
}

template <class TInterface>
HRESULT HvUIElement::AnswerContext(CAutomationObject* (HvUIElement::*resolve)(), REFIID iid, TInterface** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        if (HRESULT hr = CheckAlive(out); FAILED(hr))
            return hr;
        CAutomationObject* object = (this->*resolve)();
        return object ? object->ForwardQueryInterface(iid, reinterpret_cast<void**>(out)) : S_OK;
    });
}

STDMETHODIMP HvUIElement::get_RowScrollRegion(IHvRowScrollRegion** out)
{
    return AnswerContext(&HvUIElement::ResolveRowScrollRegion, IID_IHvRowScrollRegion, out);
}

STDMETHODIMP HvUIElement::get_ColScrollRegion(IHvColScrollRegion** out)
{
    return AnswerContext(&HvUIElement::ResolveColScrollRegion, IID_IHvColScrollRegion, out);
}

STDMETHODIMP HvUIElement::get_Band(IHvBand** out)
{
    return AnswerContext(&HvUIElement::ResolveBand, IID_IHvBand, out);
}

STDMETHODIMP HvUIElement::get_Header(IHvHeader** out)
{
    return AnswerContext(&HvUIElement::ResolveHeader, IID_IHvHeader, out);
}

STDMETHODIMP HvUIElement::get_Row(IHvRow** out)
{
    return AnswerContext(&HvUIElement::ResolveRow, IID_IHvRow, out);
}

STDMETHODIMP HvUIElement::get_Cell(IHvCell** out)
{
    return AnswerContext(&HvUIElement::ResolveCell, IID_IHvCell, out);
}

STDMETHODIMP HvUIElement::get_ParentUIElement(IHvUIElement** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        if (HRESULT hr = CheckAlive(out); FAILED(hr))
            return hr;
        HvUIElement* parent = GetParent();
        if (!parent)
            return S_OK;
        if (!parent->IsAlive())
            return NotActiveError();
        return parent->QueryInterface(IID_IHvUIElement, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvUIElement::get_UIElements(IHvUIElements** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        if (HRESULT hr = CheckAlive(out); FAILED(hr))
            return hr;
        if (!IsPainting(GetControl()))
            VerifyChildElements();
        HvUIElements* children = GetChildElementList(true);
        if (!children)
            return E_OUTOFMEMORY;
        return children->QueryInterface(IID_IHvUIElements, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvUIElement::get_DrawState(Constants_DrawState* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&] {
        *out = static_cast<Constants_DrawState>(GetDrawState());
        return S_OK;
    });
}

STDMETHODIMP HvUIElement::Refresh()
{
    return Guard([&] {
        if (!IsAlive())
            return NotActiveError();
        Invalidate(false, false);
        return S_OK;
    });
}

STDMETHODIMP HvUIElement::ResolveUIElement(Constants_UIElement type, IHvUIElement** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        if (HRESULT hr = CheckAlive(out); FAILED(hr))
            return hr;
        HvUIElement* found = ResolveUIElementOfType(static_cast<ULONG>(type));
        return found ? found->QueryInterface(IID_IHvUIElement, reinterpret_cast<void**>(out)) : S_OK;
    });
}

STDMETHODIMP HvUIElement::CanResolveUIElement(Constants_UIElement type, VARIANT_BOOL* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = VARIANT_FALSE;
    return Guard([&] {
        if (HRESULT hr = CheckAlive(out); FAILED(hr))
            return hr;
        *out = ResolveUIElementOfType(static_cast<ULONG>(type)) ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    });
}
