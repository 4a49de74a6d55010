// Quick activation: the container's block refused when it is not whole,
// taken in the order the control base gives it, and our container's
// quick-activating path from the first call to Close.
#include "ViewTestSupport.h"

#include "ObjectInfo.h"

#include <cstddef>
#include <string>
#include <vector>

namespace {

constexpr LCID kSpanish = 0x0C0A;

// Puts the library's locale back, and lets the next resource request read
// the ambient LocaleID again.
struct LocaleGuard {
    LCID saved = LibraryLocale();
    ~LocaleGuard()
    {
        SetLibraryLocaleFromContainer(saved);
        ComPtr<IUnknown> control;
        *control.GetAddressOf() = TestControl::Create(nullptr);
        ComPtr<IOleControl> ole;
        if (control && SUCCEEDED(control.As(&ole)))
            ole->OnAmbientPropertyChange(DISPID_AMBIENT_LOCALEID);
    }
};

} // namespace

TEST_CASE("QuickActivate refuses a missing or short block before it does anything")
{
    SettingsGuard settings;
    ComPtr<IUnknown> made;
    *made.GetAddressOf() = TestControl::Create(nullptr);
    REQUIRE(made);
    TestControl* control = TestControl::From(made.Get());
    ComPtr<IQuickActivate> quick;
    REQUIRE(made.As(&quick) == S_OK);

    hv::container::ContainerWindow window(100, 100);
    hv::container::ControlHost host(window.Hwnd(), RECT{0, 0, 50, 50});
    QACONTAINER container{};
    container.cbSize = sizeof container;
    container.pClientSite = &host.Site();
    QACONTROL answer{};
    answer.cbSize = 20;   // one field short
    CHECK(quick->QuickActivate(&container, &answer) == E_UNEXPECTED);
    answer.cbSize = sizeof answer;
    CHECK(quick->QuickActivate(nullptr, &answer) == E_UNEXPECTED);
    CHECK(quick->QuickActivate(&container, nullptr) == E_UNEXPECTED);
    CHECK(control->ClientSite() == nullptr);
    CHECK(control->InterfaceCalls() ==
          std::vector<std::string>(3, "QuickActivate=0x8000FFFF"));
    CHECK(control->LastQuickActivation().count == 0);
}

TEST_CASE("A container block of an older, shorter size is not read past its end")
{
    SettingsGuard settings;
    LocaleGuard locale;
    SetLibraryLocale(0x0416);
    ComPtr<IUnknown> made;
    *made.GetAddressOf() = TestControl::Create(nullptr);
    ComPtr<IQuickActivate> quick;
    REQUIRE(made.As(&quick) == S_OK);

    QACONTAINER container{};
    container.cbSize = offsetof(QACONTAINER, lcid);   // the locale lies beyond it
    container.lcid = kSpanish;
    QACONTROL answer{};
    answer.cbSize = sizeof answer;
    CHECK(quick->QuickActivate(&container, &answer) == S_OK);
    CHECK(LibraryLocale() == 0x0416u);
    CHECK(answer.dwMiscStatus == GetControlObjectInfo().miscStatus);
}

TEST_CASE("Our container quick-activates the control: site, sinks and view advise, then its last step, then InitNew")
{
    LocaleGuard locale;
    ViewHost hosted(true, {}, [](hv::container::ControlHost& host) {
        host.Ambients().SetLong(DISPID_AMBIENT_LOCALEID, static_cast<LONG>(kSpanish));
    });
    REQUIRE(hosted.attached == S_OK);
    REQUIRE(hosted.host.QuickActivated());
    TestControl* control = hosted.control;

    CHECK(control->InterfaceCalls() ==
          std::vector<std::string>{"SetClientSite=0", "SetAdvise=0", "QuickActivate=0", "InitNew=0"});
    const TestControl::QuickActivation& seen = control->LastQuickActivation();
    CHECK(seen.count == 1);
    CHECK(seen.clientSite);
    CHECK(seen.eventSinks == 1);
    CHECK(seen.propertySinks == 1);
    CHECK(seen.viewSink);
    CHECK(seen.locale == kSpanish);
    const DWORD reflects = AmbientState::ContainerReflects | AmbientState::ReflectRead;
    CHECK((seen.ambientFlags & reflects) == reflects);

    const ControlObjectInfo& record = GetControlObjectInfo();
    const QACONTROL& answer = hosted.host.QuickAnswer();
    CHECK(answer.dwMiscStatus == record.miscStatus);
    CHECK(answer.dwViewStatus == (record.opaque ? static_cast<DWORD>(VIEWSTATUS_OPAQUE) : 0u));
    CHECK(answer.dwPointerActivationPolicy == record.pointerActivationPolicy);
    CHECK(answer.dwViewStatus == seen.viewStatus);
    CHECK(answer.dwEventCookie != 0u);
    CHECK(answer.dwPropNotifyCookie != 0u);

    // The locale came in the block: the resources are chosen without asking.
    ComPtr<IEnumOLEVERB> verbs;
    REQUIRE(hosted.host.OleObject()->EnumVerbs(verbs.GetAddressOf()) == S_OK);
    CHECK(hosted.host.Ambients().ReadCount(DISPID_AMBIENT_LOCALEID) == 0);

    // Events, property notices and view changes reach the container.
    control->Fire_Click();
    CHECK(hosted.host.Events().ReceivedCount(DISPID_CLICK) == 1);
    control->PropertyChanged(77);
    CHECK(hosted.host.Site().ChangedProperties().back() == 77);
    const int views = hosted.host.Site().ViewChanges();
    control->InvalidateControl(nullptr);
    CHECK(hosted.host.Site().ViewChanges() == views + 1);

    // Close disconnects what quick activation connected.
    ComPtr<IUnknown> keep = hosted.host.Control();
    REQUIRE(hosted.host.Close() == S_OK);
    CHECK(control->EventPoint().Count() == 0);
    CHECK(control->PropertyPoint().Count() == 0);
    CHECK(control->ClientSite() == nullptr);
}

TEST_CASE("A failing last step of quick activation is returned; what was done stays done")
{
    SettingsGuard settings;
    ComPtr<IUnknown> made;
    *made.GetAddressOf() = TestControl::Create(nullptr);
    TestControl* control = TestControl::From(made.Get());
    control->SetQuickActivateResult(E_ACCESSDENIED);

    hv::container::ContainerWindow window(400, 300);
    hv::container::ControlHost host(window.Hwnd(), RECT{0, 0, 200, 100});
    host.SetQuickActivation(true);
    CHECK(host.Attach(made.Get()) == E_ACCESSDENIED);
    CHECK_FALSE(host.QuickActivated());
    CHECK(control->ClientSite() != nullptr);
    CHECK(control->EventPoint().Count() == 1);
    CHECK(control->PropertyPoint().Count() == 1);
    CHECK_FALSE(control->InterfaceCalls().empty());
    CHECK(control->InterfaceCalls().back() == "QuickActivate=0x80070005");

    host.Close();
    CHECK(control->EventPoint().Count() == 0);
    CHECK(control->PropertyPoint().Count() == 0);
}
