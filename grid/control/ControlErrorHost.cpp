// The grid control's side of its error reports.
#include "ControlErrorHost.h"

#include "EventEnableMask.h"
#include "HvLayout.h"
#include "HvTavelle.h"

namespace {

constexpr DISPID InitializeLayoutId = 1056;

// Forwards to the alerts of the moment, so that a replacement reaches
// every grid, also one made before it.
class SwitchedAlerts final : public ErrorAlerts {
public:
    void ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) override
    {
        Current().ShowMessage(owner, text, caption, style);
    }
    void Beep() override { Current().Beep(); }

    ErrorAlerts* replacement = nullptr;

private:
    ErrorAlerts& Current() { return replacement ? *replacement : SystemErrorAlerts::Instance(); }
};

SwitchedAlerts& Alerts()
{
    static SwitchedAlerts alerts;
    return alerts;
}

} // namespace

ControlErrorHost::ControlErrorHost(HvTavelle& control) : control_(control), reporter_(*this, &Alerts()) {}

ErrorAlerts* ControlErrorHost::SetAlerts(ErrorAlerts* alerts)
{
    ErrorAlerts* previous = Alerts().replacement;
    Alerts().replacement = alerts;
    return previous;
}

bool ControlErrorHost::HasEventGateAndLayout()
{
    return control_.Gate() && control_.Layout();
}

bool ControlErrorHost::LayoutCanFireEvents()
{
    EventEnableMask* gate = control_.Gate();
    return gate && control_.Layout() && !gate->IsEventFiring(InitializeLayoutId) && control_.CanFireEvents();
}

void ControlErrorHost::FireError(IDispatch* error)
{
    if (EventEnableMask* gate = control_.Gate())
        gate->Fire_Error(error);
}

HWND ControlErrorHost::GetGridWindow()
{
    return control_.ControlWindow();
}

void ControlErrorHost::SetModalState(bool modal)
{
    control_.SetModalState(modal);
}

std::wstring ControlErrorHost::DialogString(int id)
{
    return control_.DialogString(id);
}
