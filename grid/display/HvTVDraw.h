// HvTVDraw: the object handed to every call of the client's draw filter. It
// names the element being drawn, its resolved appearance, its border width,
// the device context to draw into and the rectangle being painted. The
// layout owns one and the element draw routine fills it before each call.
#pragma once

#include "HvObjectBaseImpl.h"

#include <Tavelle.h>

class AppearanceData;
class CDrawContext;
class HvAppearance;
class HvUIElement;
class HvUIRect;

class HvTVDraw final : public HvObjectBaseImpl<IHvTVDraw> {
public:
    // A new draw object with one reference; owner (the layout) is not owned.
    static HRESULT Create(void* owner, HvTVDraw** out);

    // IHvTVDraw
    STDMETHODIMP get_Appearance(IHvAppearance** out) override;
    STDMETHODIMP get_BorderWidth(short* out) override;
    STDMETHODIMP get_hDC(OLE_HANDLE* out) override;
    STDMETHODIMP get_RectInvalid(IHvUIRect** out) override;
    STDMETHODIMP get_UIElement(IHvUIElement** out) override;
    // The member after UIElement, kept out of the type library: the context
    // under the open translucent layer, 0 when there is none.
    virtual HRESULT STDMETHODCALLTYPE get_LayerDC(OLE_HANDLE* out);

    // The draw context of the current filter call (null afterwards); the
    // invalid rectangle follows it.
    void SetDC(CDrawContext* context);
    // The element being drawn, its resolved appearance block (which lives
    // for one element draw) and its border width.
    void SetDrawInfo(HvUIElement* element, const AppearanceData* data, long drawState, int borderWidth);

    CDrawContext* Context() const { return context_; }

private:
    explicit HvTVDraw(void* owner);
    ~HvTVDraw() override;

    void* owner_;                       // not owned
    HvUIRect* rectObject_ = nullptr;    // owned
    CDrawContext* context_ = nullptr;   // not owned
    HvUIElement* element_ = nullptr;    // not owned
    const AppearanceData* data_ = nullptr; // not owned
    HvAppearance* appearance_ = nullptr;   // owned
    USHORT borderWidth_ = 0;
};
