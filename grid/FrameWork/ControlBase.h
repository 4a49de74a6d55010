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

    // Fires the stock mouse events that one mouse message of the control
    // makes (MouseDown, MouseMove, MouseUp, Click, DblClick, as the stock
    // event mask allows); captureOnPress takes the mouse on a left press
    // and lets it go on the left release.
    void FireStockEventsForMessage(UINT message, WPARAM wParam, LPARAM lParam, BOOL captureOnPress);
    // Fires KeyDown, KeyUp and KeyPress for a key message of the control
    // window, or of a child window the control subclassed (original is then
    // its window procedure and child the window). *handled becomes 0xFFFF
    // when the message was consumed; the key code a handler left goes back
    // in *wParam.
    static LRESULT ChildKeyFilterProc(CControlBase* control, UINT message, WPARAM* wParam, LPARAM* lParam,
                                      DWORD* handled, WNDPROC original, HWND child);
    // The default handling of a message the control's handler does not
    // take: notes a what's-this help click, then the default procedure.
    LRESULT OnDefaultMessage(UINT message, WPARAM wParam, LPARAM lParam);

    WORD GetPendingLeadByte() const { return m_pendingLeadByte; }
    void SetPendingLeadByte(WORD byte) { m_pendingLeadByte = byte; }

    // The container's bind host, asked of the client site (through its
    // service provider, else the site itself) on first use and kept; null
    // when the container offers none. Defined with the URL download.
    IBindHost* GetBindHost();

    // Download callbacks (StartUrlDownload): each piece of data as it
    // arrives, with a zero byte after its count bytes, and each progress
    // notice, whose result goes back to the URL library. tag is the number
    // the download was started with.
    virtual void OnUrlDataAvailable(DWORD tag, DWORD noticeFlags, const BYTE* data, ULONG count)
    {
        (void)tag; (void)noticeFlags; (void)data; (void)count;
    }
    virtual HRESULT OnUrlProgress(DWORD tag, ULONG progress, ULONG maximum, ULONG statusCode,
                                  LPCWSTR statusText)
    {
        (void)tag; (void)progress; (void)maximum; (void)statusCode; (void)statusText;
        return S_OK;
    }
    // The end of the download started with tag: the URL library stopped
    // the binding with result (a failure when nothing or not all of it
    // arrived). Called once per download, after its last progress notice.
    virtual void OnUrlStop(DWORD tag, HRESULT result) { (void)tag; (void)result; }

protected:
    CControlBase(IUnknown* outer, int objectType, void* primaryInterface, DWORD stockEventMask);
    ~CControlBase() override;

    // Called by the key filter after KeyDown, KeyUp and KeyPress when the
    // key survived the event; a hook may change or zero it.
    virtual void OnKeyDownHook(SHORT* keyCode, SHORT shift) { (void)keyCode; (void)shift; }
    virtual void OnKeyUpHook(SHORT* keyCode, SHORT shift) { (void)keyCode; (void)shift; }
    virtual void OnKeyPressHook(SHORT* character) { (void)character; }

    IBindHost* m_bindHost = nullptr;

private:
    void FireButtonPress(SHORT button, SHORT shift, const POINT& point, BOOL captureOnPress);
    void FireButtonRelease(SHORT button, SHORT shift, const POINT& point, const POINT& raw, BOOL captureOnPress);
    bool ReleaseInsideControl(const POINT& raw) const;
    LRESULT FilterKeyPress(WPARAM* wParam, LPARAM lParam, DWORD* handled, WNDPROC original, HWND child);
    LRESULT DeliverChar(WPARAM character, LPARAM lParam, WNDPROC original, HWND child);

    StockEventSink* m_stockSink = nullptr;
};

// Puts a WM_CHAR carrying character in front of every message already
// posted to the calling thread, for window. False when it could not be
// posted; a queue that cannot be brought round in a bounded number of
// steps is left as it stands.
bool PostCharAtQueueHead(HWND window, WPARAM character);

// True when the control is a live object of the library, its container is
// in run mode and has not frozen its events.
bool CanFireEvents(CControlBase* control);
