// InPlaceFrame: the frame (and document window) of a container, as an
// in-place control sees it: it holds the active object while a control is
// UI active and logs what the control asks of it.
#pragma once

#include <windows.h>
#include <oleidl.h>

namespace hv::container {

class CallLog;

class InPlaceFrame final : public IOleInPlaceFrame {
public:
    // window: the frame's window (not owned); log: not owned, may be null.
    static InPlaceFrame* Create(HWND window, CallLog* log);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
    STDMETHODIMP GetBorder(LPRECT border) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;
    STDMETHODIMP InsertMenus(HMENU menu, LPOLEMENUGROUPWIDTHS widths) override;
    STDMETHODIMP SetMenu(HMENU menu, HOLEMENU shared, HWND activeObject) override;
    STDMETHODIMP RemoveMenus(HMENU menu) override;
    STDMETHODIMP SetStatusText(LPCOLESTR text) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG message, WORD id) override;

    // The object made active by the control, not AddRef'd; null when none.
    IOleInPlaceActiveObject* ActiveObject() const { return active_; }
    bool Modeless() const { return modeless_; }
    void Forget() { log_ = nullptr; }

private:
    InPlaceFrame(HWND window, CallLog* log) : window_(window), log_(log) {}
    ~InPlaceFrame();
    void Log(const wchar_t* entry);

    ULONG refs_ = 1;
    HWND window_;
    CallLog* log_;
    IOleInPlaceActiveObject* active_ = nullptr;   // held
    bool modeless_ = true;
};

} // namespace hv::container
