// Stock events: the bit tables, the sink's enable bits and counters, the
// two forms of key codes, the gate (freeze, design mode), the control base's
// direct path and the windowless point conversion.
#include "ControlBaseTestSupport.h"

#include "StockEventSink.h"
#include "StockEvents.h"

namespace {

using hv::container::EventCall;

// A host whose test control has a sink passing key codes in the given form.
struct StockHost {
    explicit StockHost(bool keyCodesAsObjects, bool stockSink = true)
        : settings(Configure(keyCodesAsObjects, stockSink))
    {
    }
    static SettingsGuard* Configure(bool keyCodesAsObjects, bool stockSink)
    {
        auto* guard = new SettingsGuard;
        TestSettings().keyCodesAsObjects = keyCodesAsObjects;
        TestSettings().stockSink = stockSink;
        return guard;
    }
    std::unique_ptr<SettingsGuard> settings;
    HostedControl hosted;
    TestControl& control() const { return *hosted.control; }
    hv::container::EventSink& events() const { return hosted.host.Events(); }
};

} // namespace

TEST_CASE("Stock event indices and bits")
{
    struct Case {
        DISPID dispid;
        int index;
    };
    const Case cases[] = {{-600, 0}, {-601, 1}, {-602, 5}, {-603, 6}, {-604, 7}, {-605, 2},
                          {-606, 3}, {-607, 4}, {-599, -1}, {-608, -1}, {0, -1}};
    for (const Case& c : cases) {
        CAPTURE(c.dispid);
        CHECK(StockEventIndex(c.dispid) == c.index);
        CHECK(StockEventBit(c.dispid) == (c.index < 0 ? 0u : 1u << c.index));
    }
}

TEST_CASE("Enable bits: single events, all events, and DISPIDs without a bit")
{
    StockHost host(true);
    StockEventSink& sink = *host.control().Sink();
    CHECK(sink.IsEnabled(StockDispid::Click));
    CHECK(sink.Enable(StockDispid::Click, false) == 0xFFFFFFFEu);
    CHECK(sink.Enable(StockDispid::Click, false) == 0xFFFFFFFEu);
    CHECK_FALSE(sink.IsEnabled(StockDispid::Click));
    CHECK(sink.Enable(-599, true) == 0xFFFFFFFEu);
    CHECK(sink.Enable(-608, false) == 0xFFFFFFFEu);
    CHECK_FALSE(sink.IsEnabled(-599));
    CHECK_FALSE(sink.IsEnabled(-608));
    sink.EnableAll(false);
    CHECK(sink.Enable(StockDispid::MouseDown, true) == 0x4u);
    CHECK(sink.IsEnabled(StockDispid::MouseDown));
    CHECK_FALSE(sink.IsEnabled(StockDispid::MouseMove));
}

TEST_CASE("A key code set to 0 by the handler reaches the caller, in both forms")
{
    for (bool asObjects : {true, false}) {
        CAPTURE(asObjects);
        StockHost host(asObjects);
        VARTYPE seenType = VT_EMPTY;
        SHORT seenCode = 0, seenShift = 0;
        host.events().On(StockDispid::KeyDown, [&](const EventCall& call) {
            seenType = call.Type(0);
            seenCode = call.Short(0);
            seenShift = call.Short(1);
            CHECK(call.SetShort(0, 0));
        });
        host.events().On(StockDispid::KeyPress, [&](const EventCall& call) {
            CHECK(call.Count() == 1);
            CHECK(call.Short(0) == 'a');
            CHECK(call.SetShort(0, 0));
        });
        SHORT code = VK_RETURN;
        host.control().Fire_KeyDown(&code, 2);
        CHECK(code == 0);
        CHECK(seenCode == VK_RETURN);
        CHECK(seenShift == 2);
        CHECK(seenType == (asObjects ? VT_DISPATCH : (VT_I2 | VT_BYREF)));
        SHORT ascii = 'a';
        host.control().Fire_KeyPress(&ascii);
        CHECK(ascii == 0);
        // A handler that changes nothing leaves the code as it was.
        SHORT up = VK_ESCAPE;
        host.control().Fire_KeyUp(&up, 0);
        CHECK(up == VK_ESCAPE);
        CHECK(host.events().ReceivedCount(StockDispid::KeyUp) == 1);
    }
}

TEST_CASE("A disabled event sends nothing; IsFiring holds only inside the firer")
{
    StockHost host(true);
    StockEventSink& sink = *host.control().Sink();
    bool firingInside = false, otherInside = true;
    host.events().On(StockDispid::KeyDown, [&](const EventCall&) {
        firingInside = sink.IsFiring(StockDispid::KeyDown);
        otherInside = sink.IsFiring(StockDispid::KeyPress);
    });
    SHORT code = 'X';
    host.control().Fire_KeyDown(&code, 0);
    CHECK(firingInside);
    CHECK_FALSE(otherInside);
    CHECK_FALSE(sink.IsFiring(StockDispid::KeyDown));
    CHECK_FALSE(sink.IsFiring(-599));

    sink.Enable(StockDispid::KeyPress, false);
    host.events().On(StockDispid::KeyPress, [&](const EventCall& call) { call.SetShort(0, 0); });
    SHORT ascii = 'q';
    host.control().Fire_KeyPress(&ascii);
    CHECK(ascii == 'q');
    CHECK(host.events().ReceivedCount(StockDispid::KeyPress) == 0);
    CHECK_FALSE(sink.IsFiring(StockDispid::KeyPress));
}

TEST_CASE("Nested firings keep IsFiring true until the outer firer ends")
{
    StockHost host(false);
    StockEventSink& sink = *host.control().Sink();
    int depth = 0;
    bool stillFiring = false;
    host.events().On(StockDispid::Click, [&](const EventCall&) {
        if (++depth == 1) {
            host.control().Fire_Click();
            stillFiring = sink.IsFiring(StockDispid::Click);
        }
    });
    host.control().Fire_Click();
    CHECK(depth == 2);
    CHECK(stillFiring);
    CHECK_FALSE(sink.IsFiring(StockDispid::Click));
}

TEST_CASE("Frozen events and design mode send nothing through the sink")
{
    StockHost host(true);
    host.hosted.host.FreezeEvents(true);
    SHORT code = 'A';
    host.control().Fire_KeyDown(&code, 0);
    host.control().Fire_Click();
    host.control().Fire_MouseDown(1, 0, 5, 5);
    CHECK(host.events().Received().empty());
    host.hosted.host.FreezeEvents(false);
    host.control().Fire_Click();
    CHECK(host.events().ReceivedCount(StockDispid::Click) == 1);

    host.hosted.host.Ambients().SetBool(DISPID_AMBIENT_USERMODE, false);
    host.hosted.host.AmbientChanged(DISPID_AMBIENT_USERMODE);
    host.control().Fire_Click();
    host.control().Fire_DblClick();
    host.control().Fire_KeyPress(&code);
    CHECK(host.events().ReceivedCount(StockDispid::Click) == 1);
    CHECK(host.events().Received().size() == 1);
}

TEST_CASE("Without a sink the control base fires directly, key codes by reference")
{
    StockHost host(true, false);
    CHECK(host.control().Sink() == nullptr);
    host.events().On(StockDispid::KeyDown, [](const EventCall& call) {
        CHECK(call.Type(0) == (VT_I2 | VT_BYREF));
        call.SetShort(0, 7);
    });
    SHORT code = 'B';
    host.control().Fire_KeyDown(&code, 1);
    CHECK(code == 7);
    // The direct path has no gate of its own.
    host.hosted.host.FreezeEvents(true);
    host.control().Fire_Click();
    CHECK(host.events().ReceivedCount(StockDispid::Click) == 1);
}

TEST_CASE("Mouse events carry button, shift and the point in the control's coordinates")
{
    SettingsGuard guard;
    TestSettings().windowless = true;
    hv::container::SiteOptions options;
    options.offerWindowless = true;
    HostedControl hosted(options);
    std::vector<LONG> seen;
    hosted.host.Events().On(StockDispid::MouseDown, [&](const EventCall& call) {
        seen = {call.Short(0), call.Short(1), call.Long(2), call.Long(3)};
        CHECK(call.Type(0) == VT_I2);
        CHECK(call.Type(2) == VT_I4);
    });
    hosted.control->SimulateInPlaceActive(nullptr, &hosted.host.Site(), RECT{100, 50, 300, 150}, true);
    POINT point = {110, 60};
    hosted.control->WindowlessPointToControl(&point);
    hosted.control->Fire_MouseDown(2, 4, point.x, point.y);
    CHECK(seen == std::vector<LONG>{2, 4, 10, 10});
    hosted.control->WindowlessPointToControl(nullptr);
    hosted.control->EndSimulatedInPlace();

    // A control in its own window keeps its window's coordinates.
    hosted.control->SimulateInPlaceActive(hosted.window.Hwnd(), &hosted.host.Site(), RECT{100, 50, 300, 150}, false);
    point = {110, 60};
    hosted.control->WindowlessPointToControl(&point);
    CHECK(point.x == 110);
    CHECK(point.y == 60);
    hosted.control->EndSimulatedInPlace();
}
