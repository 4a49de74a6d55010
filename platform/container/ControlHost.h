// ControlHost: hosts one ActiveX control in a container window: creates it
// by class identifier (or takes one already made), gives it its site,
// initialises it, connects its events and property notifications, activates
// it with a verb and closes it. The site, the ambient properties, the event
// sink and the call log are reached through it.
//
//   hv::container::ContainerWindow window(400, 300);
//   hv::container::ControlHost host(window.Hwnd(), RECT{10, 10, 210, 110});
//   host.Events().On(-602, [](const hv::container::EventCall& e) { e.SetShort(0, 0); });
//   host.Create(CLSID_HvTavelle);
//   host.Activate();
#pragma once

#include "ControlSite.h"
#include "EventSink.h"

#include <wrl/client.h>

namespace hv::container {

class ControlHost {
public:
    // window: the container window (not owned); position: the control's
    // place in it, in pixels.
    ControlHost(HWND window, const RECT& position, const SiteOptions& options = {});
    // Closes the control when it is still hosted.
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    // The interface of the control's events; by default the default source
    // interface of the control's class information, else IDispatch. Set it
    // before Create or Attach.
    void SetEventIid(const IID& iid);

    // With quick activation on, Attach first offers the control the whole
    // container in one IQuickActivate::QuickActivate call (site, sinks,
    // ambient flags, locale) and Activate sizes it through
    // SetContentExtent; a control without IQuickActivate is sited the
    // ordinary way. Set it before Create or Attach.
    void SetQuickActivation(bool quick) { quickWanted_ = quick; }
    // Whether Attach quick-activated the control, and what it answered.
    bool QuickActivated() const { return quickActivated_; }
    const QACONTROL& QuickAnswer() const { return quickAnswer_; }

    // CoCreateInstance of an in-process server, then Attach.
    HRESULT Create(REFCLSID clsid);
    // Sites and initialises a control: misc status, SetClientSite (before
    // InitNew when the control asks for it, else after), InitNew, event and
    // property-notification connections, the OLE advise and the view advise.
    HRESULT Attach(IUnknown* control);
    // Gives the control its extent from the position and sends it the verb.
    HRESULT Activate(LONG verb = OLEIVERB_INPLACEACTIVATE);
    // Closes the control (saving when asked), disconnects it, takes its site
    // away and releases it.
    HRESULT Close(DWORD saveOption = OLECLOSE_NOSAVE);

    bool IsHosted() const { return object_ != nullptr; }
    IUnknown* Control() const { return control_.Get(); }
    IOleObject* OleObject() const { return object_.Get(); }
    template <class T>
    Microsoft::WRL::ComPtr<T> Query() const
    {
        Microsoft::WRL::ComPtr<T> result;
        if (control_)
            control_.As(&result);
        return result;
    }

    ControlSite& Site() const { return *site_.Get(); }
    CallLog& Log() const { return site_->Log(); }
    AmbientProperties& Ambients() const { return site_->Ambients(); }
    EventSink& Events() const { return *events_.Get(); }

    // Tells the control that an ambient property changed (DISPID_UNKNOWN:
    // possibly all of them).
    HRESULT AmbientChanged(DISPID dispid);
    HRESULT FreezeEvents(bool freeze);

    // The misc status that Attach read.
    DWORD MiscStatus() const { return miscStatus_; }

private:
    HRESULT QuickAttach(IQuickActivate* quick);
    HRESULT Connect(REFIID iid, IUnknown* sink, DWORD& cookie);
    void Disconnect(REFIID iid, DWORD& cookie);
    IID FindEventIid() const;

    HWND window_;
    Microsoft::WRL::ComPtr<ControlSite> site_;
    Microsoft::WRL::ComPtr<EventSink> events_;
    Microsoft::WRL::ComPtr<IUnknown> control_;
    Microsoft::WRL::ComPtr<IOleObject> object_;
    IID eventIid_ = IID_NULL;
    bool eventIidSet_ = false;
    DWORD miscStatus_ = 0;
    DWORD eventCookie_ = 0;
    DWORD propertyCookie_ = 0;
    DWORD adviseCookie_ = 0;
    bool quickWanted_ = false;
    bool quickActivated_ = false;
    QACONTROL quickAnswer_ = {};
};

} // namespace hv::container
