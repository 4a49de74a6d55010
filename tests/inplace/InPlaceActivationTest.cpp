// In-place activation of the test control in our container's windows: the
// negotiation with plain, Ex and windowless sites, the control window under
// the container at the position rectangle, clipping, UI activation and
// deactivation, failed activations, the parking and reflector windows.
#include "InPlaceTestSupport.h"

#include "ParkingWindow.h"
#include "ReflectorWindow.h"

using hv::container::SiteOptions;

namespace {

const RECT kPosition = {100, 50, 300, 150};

HRESULT Verb(HostedControl& hosted, LONG verb)
{
    return hosted.host.OleObject()->DoVerb(verb, nullptr, &hosted.host.Site(), 0, hosted.window.Hwnd(), &kPosition);
}

bool Has(DWORD flags, DWORD bit)
{
    return (flags & bit) == bit;
}

} // namespace

TEST_CASE("Windowed activation: the negotiation in order and the window under the container at the position")
{
    for (bool ex : {true, false}) {
        CAPTURE(ex);
        SiteOptions options;
        options.offerInPlaceSiteEx = ex;
        HostedControl hosted(options);
        hosted.Log().Clear();
        REQUIRE(Verb(hosted, OLEIVERB_INPLACEACTIVATE) == S_OK);

        const auto& log = hosted.Log();
        CAPTURE(LogText(log));
        const std::wstring told = ex ? L"OnInPlaceActivateEx(0)" : L"OnInPlaceActivate";
        CHECK(InOrder(log, {L"QueryInterface(IOleInPlaceSite)", L"CanInPlaceActivate", told, L"GetWindowContext",
                            L"ShowObject"}));
        CHECK_FALSE(log.Contains(ex ? L"OnInPlaceActivate" : L"OnInPlaceActivateEx(0)"));
        CHECK_FALSE(log.Contains(L"OnUIActivate"));
        CHECK(hosted.host.Site().InPlaceActive());

        HWND window = hosted.control->ControlWindow();
        REQUIRE(IsWindow(window));
        CHECK(GetParent(window) == hosted.window.Hwnd());
        CHECK(SameRect(RectInParent(window), kPosition));
        CHECK(ClassOf(window) == ControlInfoClassName());
        // The container window is hidden, so the control shows itself.
        CHECK((GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0);
        CHECK(Has(hosted.control->StateFlags(), ControlState::InPlaceActive | ControlState::Shown));
        CHECK_FALSE(Has(hosted.control->StateFlags(), ControlState::UIActive));

        auto inPlace = hosted.Query<IOleInPlaceObject>();
        HWND answered = nullptr;
        CHECK(inPlace->GetWindow(&answered) == S_OK);
        CHECK(answered == window);

        hosted.Log().Clear();
        hosted.control->ClearCalls();
        CHECK(inPlace->InPlaceDeactivate() == S_OK);
        CHECK(hosted.Log().Contains(L"OnInPlaceDeactivate"));
        CHECK_FALSE(IsWindow(window));
        CHECK(hosted.control->ControlWindow() == nullptr);
        CHECK(hosted.control->Calls() == std::vector<std::string>{"BeforeDestroyWindow"});
        CHECK(inPlace->GetWindow(&answered) == E_FAIL);
        CHECK_FALSE(hosted.host.Site().InPlaceActive());

        // A second activation makes a new window.
        REQUIRE(Verb(hosted, OLEIVERB_SHOW) == S_OK);
        CHECK(IsWindow(hosted.control->ControlWindow()));
    }
}

TEST_CASE("UI activation sets the active object and takes the focus; UIDeactivate undoes it in order")
{
    HostedControl hosted;
    ShowWindow(hosted.window.Hwnd(), SW_SHOW);
    SetForegroundWindow(hosted.window.Hwnd());
    PumpMessages();
    hosted.Log().Clear();
    REQUIRE(Verb(hosted, OLEIVERB_UIACTIVATE) == S_OK);

    const auto& log = hosted.Log();
    CAPTURE(LogText(log));
    CHECK(InOrder(log, {L"OnInPlaceActivateEx(0)", L"GetWindowContext", L"ShowObject", L"OnUIActivate",
                        L"Frame::SetActiveObject", L"Frame::SetBorderSpace"}));
    auto active = hosted.Query<IOleInPlaceActiveObject>();
    CHECK(hosted.host.Site().Frame()->ActiveObject() == active.Get());
    CHECK(Has(hosted.control->StateFlags(), ControlState::UIActive));
    HWND window = hosted.control->ControlWindow();
    CHECK(GetFocus() == window);
    CHECK(hosted.control->HasFocus());
    CHECK(log.Contains(L"OnFocus(TRUE)"));

    // Already active, shown and UI active: nothing more happens.
    hosted.Log().Clear();
    REQUIRE(Verb(hosted, OLEIVERB_UIACTIVATE) == S_OK);
    CHECK_FALSE(hosted.Log().Contains(L"GetWindowContext"));
    CHECK_FALSE(hosted.Log().Contains(L"OnUIActivate"));

    auto inPlace = hosted.Query<IOleInPlaceObject>();
    CHECK(inPlace->UIDeactivate() == S_OK);
    CHECK(InOrder(hosted.Log(), {L"Frame::SetActiveObject(null)", L"OnUIDeactivate"}));
    CHECK(hosted.host.Site().Frame()->ActiveObject() == nullptr);
    CHECK(Has(hosted.control->StateFlags(), ControlState::InPlaceActive));
    CHECK(hosted.control->ControlWindow() == window);

    // -4 on an active control now UI-activates without a new negotiation.
    hosted.Log().Clear();
    REQUIRE(Verb(hosted, OLEIVERB_UIACTIVATE) == S_OK);
    CHECK_FALSE(hosted.Log().Contains(L"GetWindowContext"));
    CHECK(hosted.Log().Contains(L"OnUIActivate"));

    // Deactivation in place leaves UI activity first.
    hosted.Log().Clear();
    CHECK(inPlace->InPlaceDeactivate() == S_OK);
    CHECK(InOrder(hosted.Log(), {L"Frame::SetActiveObject(null)", L"OnUIDeactivate", L"OnInPlaceDeactivate"}));
}

TEST_CASE("Object rectangles: the window follows the position and is clipped to the clip rectangle")
{
    SiteOptions options;
    options.clip = RECT{150, 0, 400, 300};
    HostedControl hosted(options);
    REQUIRE(Verb(hosted, OLEIVERB_INPLACEACTIVATE) == S_OK);
    HWND window = hosted.control->ControlWindow();
    REQUIRE(window);

    // Activation with a clip that cuts off the left half.
    RECT box{};
    REQUIRE(GetWindowRgnBox(window, &box) == SIMPLEREGION);
    CHECK(SameRect(box, RECT{50, 0, 200, 100}));
    CHECK(Has(hosted.control->AmbientFlags(), AmbientState::RegionSet));

    auto inPlace = hosted.Query<IOleInPlaceObject>();
    const RECT moved = {10, 20, 110, 70};
    const RECT whole = {0, 0, 400, 300};
    CHECK(inPlace->SetObjectRects(&moved, &whole) == S_OK);
    CHECK(SameRect(RectInParent(window), moved));
    CHECK(GetWindowRgnBox(window, &box) == ERROR);
    CHECK_FALSE(Has(hosted.control->AmbientFlags(), AmbientState::RegionSet));
    CHECK(SameRect(hosted.control->PositionRect(), moved));

    // A clip that misses the control entirely leaves no region either.
    const RECT apart = {300, 200, 400, 300};
    CHECK(inPlace->SetObjectRects(&moved, &apart) == S_OK);
    CHECK(GetWindowRgnBox(window, &box) == ERROR);

    // Unchanged rectangles: the window stays as it is.
    hosted.control->ClearMessages();
    CHECK(inPlace->SetObjectRects(&moved, nullptr) == S_OK);
    for (UINT message : hosted.control->Messages()) {
        CHECK(message != WM_MOVE);
        CHECK(message != WM_SIZE);
    }
    CHECK(inPlace->SetObjectRects(nullptr, nullptr) == E_POINTER);
}

TEST_CASE("A windowless site: activation without a window, focus, capture and drawing through the site")
{
    SettingsGuard guard;
    TestSettings().windowless = true;
    SiteOptions options;
    options.offerWindowless = true;
    HostedControl hosted(options);
    hosted.Log().Clear();
    REQUIRE(Verb(hosted, OLEIVERB_INPLACEACTIVATE) == S_OK);
    CAPTURE(LogText(hosted.Log()));
    CHECK(InOrder(hosted.Log(), {L"QueryInterface(IOleInPlaceSiteWindowless)", L"CanWindowlessActivate",
                                 L"OnInPlaceActivateEx(1)", L"GetWindowContext"}));
    CHECK_FALSE(hosted.Log().Contains(L"ShowObject"));
    CHECK(hosted.control->ControlWindow() == nullptr);
    CHECK(hosted.control->HasNoWindow());
    HWND window = nullptr;
    CHECK(hosted.Query<IOleInPlaceObject>()->GetWindow(&window) == E_FAIL);

    CHECK(hosted.control->SetControlFocus(TRUE));
    CHECK(Has(hosted.control->StateFlags(), ControlState::UIActive));
    CHECK(hosted.Log().Contains(L"SetFocus(TRUE)"));
    CHECK(hosted.control->HasFocus());
    CHECK(hosted.control->SetControlCapture(TRUE));
    CHECK(hosted.host.Site().HasCapture());
    hosted.control->InvalidateControl(nullptr);
    CHECK(hosted.Log().Contains(L"InvalidateRect"));

    hosted.Log().Clear();
    CHECK(hosted.Query<IOleInPlaceObject>()->InPlaceDeactivate() == S_OK);
    CHECK(InOrder(hosted.Log(), {L"OnUIDeactivate", L"OnInPlaceDeactivate"}));
}

TEST_CASE("A windowless site that declines windowless activation gets a windowed control")
{
    SettingsGuard guard;
    TestSettings().windowless = true;
    SiteOptions options;
    options.offerWindowless = true;
    options.canWindowlessActivate = S_FALSE;
    HostedControl hosted(options);
    hosted.Log().Clear();
    REQUIRE(Verb(hosted, OLEIVERB_INPLACEACTIVATE) == S_OK);
    CAPTURE(LogText(hosted.Log()));
    CHECK(InOrder(hosted.Log(), {L"CanWindowlessActivate", L"QueryInterface(IOleInPlaceSite)",
                                 L"OnInPlaceActivateEx(0)", L"ShowObject"}));
    CHECK(hosted.control->WindowlessSite() == nullptr);
    CHECK(GetParent(hosted.control->ControlWindow()) == hosted.window.Hwnd());
}

TEST_CASE("A failed activation tells the site that the control is not active and leaves nothing behind")
{
    struct Case {
        const char* name;
        HRESULT canInPlaceActivate;
        HRESULT getWindowContext;
        bool registerClass, beforeCreate, afterCreate;
        HRESULT result;
        bool siteTold;   // the site heard OnInPlaceActivateEx first
    };
    const Case cases[] = {
        {"site declines", S_FALSE, S_OK, true, true, true, S_FALSE, false},
        {"site fails", E_NOTIMPL, S_OK, true, true, true, E_FAIL, false},
        {"no window context", S_OK, E_OUTOFMEMORY, true, true, true, E_OUTOFMEMORY, true},
        {"class not registered", S_OK, S_OK, false, true, true, E_FAIL, true},
        {"creation refused", S_OK, S_OK, true, false, true, E_FAIL, true},
        {"window refused", S_OK, S_OK, true, true, false, E_FAIL, true},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        SettingsGuard guard;
        TestSettings().registerClass = c.registerClass;
        TestSettings().beforeCreateWindow = c.beforeCreate;
        TestSettings().afterCreateWindow = c.afterCreate;
        SiteOptions options;
        options.canInPlaceActivate = c.canInPlaceActivate;
        options.getWindowContext = c.getWindowContext;
        HostedControl hosted(options);
        hosted.Log().Clear();
        CHECK(Verb(hosted, OLEIVERB_UIACTIVATE) == c.result);
        CAPTURE(LogText(hosted.Log()));
        CHECK(hosted.Log().Contains(L"OnInPlaceActivateEx(0)") == c.siteTold);
        CHECK(hosted.Log().Contains(L"OnInPlaceDeactivate") == c.siteTold);
        CHECK_FALSE(hosted.host.Site().InPlaceActive());
        CHECK_FALSE(hosted.Log().Contains(L"OnUIActivate"));
        CHECK((hosted.control->StateFlags() & (ControlState::InPlaceActive | ControlState::Shown)) == 0);
        CHECK(hosted.control->ControlWindow() == nullptr);
        CHECK(hosted.Query<IOleInPlaceObject>()->InPlaceDeactivate() == S_OK);
    }
}

TEST_CASE("A control whose container has no window yet is parked, then moved under the container window")
{
    SettingsGuard guard;
    hv::container::ContainerWindow window(400, 300);
    hv::container::ControlHost host(nullptr, kPosition);
    IUnknown* made = TestControl::Create(nullptr);
    REQUIRE(made);
    REQUIRE(host.Attach(made) == S_OK);
    made->Release();
    TestControl* control = TestControl::From(host.Control());
    REQUIRE(host.Activate() == S_OK);

    HWND own = control->ControlWindow();
    REQUIRE(IsWindow(own));
    HWND parking = GetParent(own);
    CHECK(parking == EnsureParkingWindow());
    CHECK(ClassOf(parking) == kParkingWindowClass);
    CHECK_FALSE(IsWindowVisible(parking));
    CHECK((GetWindowLongW(parking, GWL_STYLE) & WS_POPUP) != 0);
    CHECK((GetWindowLongW(own, GWL_STYLE) & WS_VISIBLE) != 0);

    // The container window arrives; the next activation moves the window.
    IOleObject* object = host.OleObject();
    CHECK(object->DoVerb(OLEIVERB_HIDE, nullptr, &host.Site(), 0, nullptr, &kPosition) == S_OK);
    host.Site().SetWindow(window.Hwnd());
    CHECK(object->DoVerb(OLEIVERB_SHOW, nullptr, &host.Site(), 0, window.Hwnd(), &kPosition) == S_OK);
    CHECK(control->ControlWindow() == own);
    CHECK(GetParent(own) == window.Hwnd());
    CHECK(SameRect(RectInParent(own), kPosition));
    CHECK((GetWindowLongW(own, GWL_STYLE) & WS_VISIBLE) != 0);
    host.Close();
}

TEST_CASE("The reflector window stands between a container that does not reflect and the control window")
{
    SettingsGuard guard;
    TestSettings().reflector = true;
    for (bool containerReflects : {false, true}) {
        CAPTURE(containerReflects);
        HostedControl hosted;
        hosted.host.Ambients().SetBool(DISPID_AMBIENT_MESSAGEREFLECT, containerReflects);
        REQUIRE(Verb(hosted, OLEIVERB_INPLACEACTIVATE) == S_OK);
        HWND own = hosted.control->ControlWindow();
        HWND reflector = hosted.control->ReflectorWindow();
        REQUIRE(own);
        HWND answered = nullptr;
        REQUIRE(hosted.Query<IOleInPlaceObject>()->GetWindow(&answered) == S_OK);
        if (containerReflects) {
            CHECK(reflector == nullptr);
            CHECK(GetParent(own) == hosted.window.Hwnd());
            CHECK(answered == own);
            continue;
        }
        REQUIRE(reflector);
        CHECK(answered == reflector);
        CHECK(ClassOf(reflector) == kReflectorWindowClass);
        CHECK(GetParent(reflector) == hosted.window.Hwnd());
        CHECK(GetParent(own) == reflector);
        CHECK(SameRect(RectInParent(reflector), kPosition));
        CHECK(SameRect(RectInParent(own), RECT{0, 0, 200, 100}));

        // Notifications of the control's children come back to it + 0x2000.
        hosted.control->ClearMessages();
        SendMessageW(reflector, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), 0);
        SendMessageW(reflector, WM_CTLCOLOREDIT, 0, 0);
        SendMessageW(reflector, WM_USER, 0, 0);
        CHECK(hosted.control->Messages() == std::vector<UINT>{0x2111, WM_CTLCOLOREDIT + 0x2000});

        // The control window fills the reflector when it is resized.
        auto inPlace = hosted.Query<IOleInPlaceObject>();
        const RECT larger = {20, 30, 320, 180};
        CHECK(inPlace->SetObjectRects(&larger, nullptr) == S_OK);
        CHECK(SameRect(RectInParent(reflector), larger));
        CHECK(SameRect(RectInParent(own), RECT{0, 0, 300, 150}));

        CHECK(inPlace->InPlaceDeactivate() == S_OK);
        CHECK_FALSE(IsWindow(own));
        CHECK_FALSE(IsWindow(reflector));
        CHECK(hosted.control->ReflectorWindow() == nullptr);
    }
}

TEST_CASE("The modal state goes to the frame, or without one to the container's top-level window")
{
    HostedControl hosted;
    hosted.control->SetModalState(true);
    CHECK_FALSE(IsWindowEnabled(hosted.window.Hwnd()));
    hosted.control->SetModalState(false);
    CHECK(IsWindowEnabled(hosted.window.Hwnd()));

    REQUIRE(Verb(hosted, OLEIVERB_INPLACEACTIVATE) == S_OK);
    hosted.Log().Clear();
    hosted.control->SetModalState(true);
    hosted.control->SetModalState(false);
    CHECK(InOrder(hosted.Log(), {L"Frame::EnableModeless(FALSE)", L"Frame::EnableModeless(TRUE)"}));
    CHECK(IsWindowEnabled(hosted.window.Hwnd()));
}
