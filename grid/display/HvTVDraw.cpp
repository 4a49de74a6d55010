// HvTVDraw: the draw filter's view of the element being drawn.
#include "HvTVDraw.h"

#include "DrawContext.h"
#include "HvAppearance.h"
#include "HvUIElement.h"
#include "HvUIRect.h"

HvTVDraw::HvTVDraw(void* owner) : HvObjectBaseImpl(ObjectType::HvTVDraw), owner_(owner) {}

HvTVDraw::~HvTVDraw()
{
    if (appearance_)
        appearance_->Release();
    if (rectObject_)
        rectObject_->Release();
}

HRESULT HvTVDraw::Create(void* owner, HvTVDraw** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvTVDraw(owner);
        return S_OK;
    });
}

void HvTVDraw::SetDC(CDrawContext* context)
{
    context_ = context;
    // Between filter calls the element and its appearance block may be gone
    // already: a filter that keeps the object must not reach them.
    if (!context) {
        element_ = nullptr;
        data_ = nullptr;
    }
    if (context && !rectObject_)
        HvUIRect::Create(nullptr, &rectObject_);
    if (rectObject_)
        rectObject_->SetRect(context ? context->Area() : RECT{});
}

void HvTVDraw::SetDrawInfo(HvUIElement* element, const AppearanceData* data, long, int borderWidth)
{
    element_ = element;
    data_ = data;
    borderWidth_ = static_cast<USHORT>(borderWidth);
    // The appearance shows the element being drawn: it takes a copy of the
    // block, which lives only for this element's draw.
    if (appearance_ && data_ && appearance_->MutableAppearanceData())
        appearance_->MutableAppearanceData()->Assign(*data_);
}

STDMETHODIMP HvTVDraw::get_Appearance(IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        if (!appearance_) {
            HvAppearance* made = nullptr;
            if (FAILED(HvAppearance::Create(nullptr, false, nullptr, nullptr, &made)) || !made)
                return E_OUTOFMEMORY;
            if (FAILED(made->EnsureAppearanceData())) {
                made->Release();
                return E_OUTOFMEMORY;
            }
            appearance_ = made;
            if (data_)
                appearance_->MutableAppearanceData()->Assign(*data_);
        }
        return appearance_->QueryInterface(IID_IHvAppearance, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvTVDraw::get_BorderWidth(short* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<short>(borderWidth_);
    return S_OK;
}

STDMETHODIMP HvTVDraw::get_hDC(OLE_HANDLE* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = context_ ? HandleToUlong(context_->DrawDc()) : 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HvTVDraw::get_LayerDC(OLE_HANDLE* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = context_ ? HandleToUlong(context_->LayerUnderDc()) : 0;
    return S_OK;
}

STDMETHODIMP HvTVDraw::get_RectInvalid(IHvUIRect** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        if (!IsActive())
            return NotActiveError();
        if (!rectObject_)
            return S_OK;
        return rectObject_->QueryInterface(IID_IHvUIRect, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvTVDraw::get_UIElement(IHvUIElement** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        if (!element_)
            return S_OK;
        return element_->QueryInterface(IID_IHvUIElement, reinterpret_cast<void**>(out));
    });
}
