// An ActiveX control on a form (the grid), hosted by our container in a
// window of the layer's own class. It is placed in twips and takes part in
// tab order, focus and validation like any other control; the control's
// events go to C++ handlers the form registers by DISPID, and its ambient
// properties come from the form: UserMode true, the form's font, the user's
// locale and twips as scale units.
//
//   auto& grid = Add<OleControl>(TwipsRect{120, 120, 6000, 3000});
//   grid.OnEvent(DISPID_CLICK, [this](const hv::container::EventCall&) { Grid_Click(); });
//   grid.Create(CLSID_HvTavelle);
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include "Control.h"
#include "ControlHost.h"
#include "WindowHandler.h"

namespace hv::forms {

class OleControl : public Control, private WindowHandler {
public:
    using EventHandler = std::function<void(const hv::container::EventCall&)>;

    OleControl(Container& parent, const TwipsRect& place);
    ~OleControl() override;

    // Creates the control by class identifier (an in-process server), sites
    // it, connects its events and asks it to activate in place. A control
    // that cannot activate in place stays hosted: it gets its ambient
    // properties and fires its events, and the container draws it.
    HRESULT Create(REFCLSID clsid);
    // The same for a control object already made.
    HRESULT Embed(IUnknown* control);
    // Asks the hosted control to become in-place active; a control that
    // makes a window of its own then takes the focus in it.
    HRESULT Activate();
    // Closes the control and lets it go (also done when the form unloads).
    HRESULT Close();

    bool IsHosted() const { return host_ && host_->IsHosted(); }
    // The answer of the last activation.
    HRESULT ActivationResult() const { return activation_; }
    // The control's own in-place window, or null.
    HWND InPlaceWindow() const;

    // The form's handler for the control's event dispid (replaces any
    // previous one). Handlers may change by-reference arguments and may
    // unload the form.
    void OnEvent(DISPID dispid, EventHandler handler);

    IUnknown* Object() const { return host_ ? host_->Control() : nullptr; }
    template <class T>
    Microsoft::WRL::ComPtr<T> Query() const
    {
        return host_ ? host_->Query<T>() : Microsoft::WRL::ComPtr<T>();
    }
    // The container behind this control: site, ambient properties, call log.
    hv::container::ControlHost& Host() const { return *host_; }

protected:
    bool PreviewMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void SetAmbients();
    void Dispatch(const hv::container::EventCall& call);
    void Resize(int width, int height);
    void PaintThroughView(HDC dc, const RECT& client);
    void TakeInPlaceWindow();

    std::unique_ptr<hv::container::ControlHost> host_;
    std::map<DISPID, EventHandler> handlers_;
    HRESULT activation_ = E_UNEXPECTED;
    int dispatching_ = 0;
    // Keeps a control closed inside one of its own events alive until the
    // event returns to it.
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> closedDuringEvent_;
};

} // namespace hv::forms
