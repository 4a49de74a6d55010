// CControlBase: the framework base of an ActiveX control of this library,
// the third layer over the embedding and property layers: the container's
// bind host for downloads, the stock-event sink and the stock-event firers.
// The control object derives from it and fills its virtual operations.
#pragma once

#include "ControlProperties.h"
#include "StockEventSink.h"

class CControlBase : public CControlProperties
{
public:
    // The stock firers: through the control's stock-event sink when it has
    // one (which applies its enable bits and the event gate), else straight
    // to the event sinks. Key firers leave the handlers' key code in *keyCode.
    void Fire_Click();
    void Fire_DblClick();
    void Fire_MouseDown(SHORT button, SHORT shift, LONG x, LONG y);
    void Fire_MouseMove(SHORT button, SHORT shift, LONG x, LONG y);
    void Fire_MouseUp(SHORT button, SHORT shift, LONG x, LONG y);
    void Fire_KeyDown(SHORT* keyCode, SHORT shift);
    void Fire_KeyPress(SHORT* keyAscii);
    void Fire_KeyUp(SHORT* keyCode, SHORT shift);

    // Turns a point of the container's window into the control's own
    // coordinates when the control has no window of its own.
    void WindowlessPointToControl(POINT* point) const;

    // The sink is not owned; null when the control has none.
    StockEventSink* GetStockEventSink() const { return m_stockSink; }
    void SetStockEventSink(StockEventSink* sink) { m_stockSink = sink; }

    IBindHost* BindHost() const { return m_bindHost; }

    // Download callbacks of the container's bind host.
    virtual HRESULT OnUrlDataAvailable(DWORD tag, IStream* stream) { (void)tag; (void)stream; return S_OK; }
    virtual HRESULT OnUrlProgress(DWORD tag, ULONG progress, ULONG maximum, ULONG statusCode,
                                  LPCWSTR statusText)
    {
        (void)tag; (void)progress; (void)maximum; (void)statusCode; (void)statusText;
        return S_OK;
    }

protected:
    CControlBase(IUnknown* outer, int objectType, void* primaryInterface, DWORD stockEventMask);
    ~CControlBase() override;

    IBindHost* m_bindHost = nullptr;

private:
    StockEventSink* m_stockSink = nullptr;
};

// True when the control is a live object of the library, its container is
// in run mode and has not frozen its events.
bool CanFireEvents(CControlBase* control);
