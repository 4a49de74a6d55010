// Hosting the test control created by class identifier from its registered
// library: the order of the control's calls on its site, and its events
// reaching the container's handlers.
#include "ContainerWindow.h"
#include "ControlHost.h"
#include "RegisteredTestControl.h"
#include "TestControlSettings.h"

#include <doctest/doctest.h>

#include <string>

using namespace hv::container;
using Microsoft::WRL::ComPtr;

namespace {

HRESULT Call(IDispatch* control, DISPID dispid, std::initializer_list<VARIANT> arguments, VARIANT* result = nullptr)
{
    VARIANT args[4];
    UINT count = 0;
    for (const VARIANT& argument : arguments)
        args[count++] = argument;
    // Last argument first.
    for (UINT i = 0; i < count / 2; ++i)
        std::swap(args[i], args[count - 1 - i]);
    DISPPARAMS params = {args, nullptr, count, 0};
    if (result)
        VariantInit(result);
    return control->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, result, nullptr, nullptr);
}

VARIANT Short(SHORT value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I2;
    v.iVal = value;
    return v;
}

VARIANT Long(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

} // namespace

TEST_CASE("The container creates the registered test control by class identifier and sites it in order")
{
    RegisteredTestControl library;
    ContainerWindow window(400, 300);
    ControlHost host(window.Hwnd(), RECT{20, 20, 220, 120});
    REQUIRE(host.Create(kTestControlClsid) == S_OK);
    REQUIRE(host.IsHosted());
    CHECK((host.MiscStatus() & OLEMISC_SETCLIENTSITEFIRST) != 0);

    const CallLog& log = host.Log();
    CAPTURE(log.Text());
    const std::wstring order[] = {L"Host::CoCreateInstance", L"Host::SetClientSite", L"QueryInterface(IOleControlSite)",
                                  L"Host::InitNew", L"Ambient(-709)", L"QueryInterface(IPropertyNotifySink)"};
    int previous = -1;
    for (const std::wstring& entry : order) {
        CAPTURE(entry);
        const int at = log.IndexOf(entry);
        CHECK(at > previous);
        previous = at;
    }
    // The control read the ambients through the site's own IDispatch.
    CHECK(log.IndexOf(L"QueryInterface(IDispatch)") < log.IndexOf(L"Ambient(-709)"));

    CHECK(host.Activate() == S_OK);
    CHECK(log.IndexOf(L"Host::SetExtent") < log.IndexOf(L"Host::DoVerb(-5)"));
    SIZEL extent{};
    CHECK(host.OleObject()->GetExtent(DVASPECT_CONTENT, &extent) == S_OK);
    CHECK(extent.cx > 0);

    CHECK(host.Close() == S_OK);
    CHECK_FALSE(host.IsHosted());
    CHECK(log.Contains(L"Host::SetClientSite(null)"));
}

TEST_CASE("The control's events reach the container's handlers, and their changes reach the control")
{
    RegisteredTestControl library;
    ContainerWindow window(400, 300);
    ControlHost host(window.Hwnd(), RECT{20, 20, 220, 120});

    for (bool asObjects : {true, false}) {
        CAPTURE(asObjects);
        library.settings->keyCodesAsObjects = asObjects;
        REQUIRE(host.Create(kTestControlClsid) == S_OK);
        auto control = host.Query<IDispatch>();
        REQUIRE(control);

        SHORT seenShift = -1;
        host.Events().On(-602, [&](const EventCall& call) {
            seenShift = call.Short(1);
            call.SetShort(0, 0);
        });
        VARIANT result;
        REQUIRE(Call(control.Get(), TestDispid::FireKeyDown, {Short(VK_TAB), Short(1)}, &result) == S_OK);
        CHECK(result.iVal == 0);
        CHECK(seenShift == 1);

        std::vector<LONG> mouse;
        host.Events().On(-605, [&](const EventCall& call) {
            mouse = {call.Short(0), call.Short(1), call.Long(2), call.Long(3)};
        });
        REQUIRE(Call(control.Get(), TestDispid::FireMouseDown, {Short(1), Short(2), Long(30), Long(40)}) == S_OK);
        CHECK(mouse == std::vector<LONG>{1, 2, 30, 40});

        // Frozen by the container: nothing arrives.
        host.FreezeEvents(true);
        REQUIRE(Call(control.Get(), TestDispid::FireClick, {}) == S_OK);
        CHECK(host.Events().ReceivedCount(-600) == 0);
        host.FreezeEvents(false);
        REQUIRE(Call(control.Get(), TestDispid::FireClick, {}) == S_OK);
        CHECK(host.Events().ReceivedCount(-600) == 1);

        REQUIRE(Call(control.Get(), TestDispid::PropertyChanged, {Long(-501)}) == S_OK);
        CHECK(host.Log().Contains(L"OnChanged(-501)"));

        host.Close();
        host.Events().Clear();
        host.Log().Clear();
    }
}
