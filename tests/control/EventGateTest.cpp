// The event gate: enable bits of single events and groups, identifiers
// without a bit, firing counters and the control's freeze and design mode,
// on a test control hosted by our container.
#include "ControlBaseTestSupport.h"

#include "EventEnableMask.h"
#include "EventFiringScope.h"
#include "FireEvent.h"
#include "StockEvents.h"

#include <vector>

namespace {

// Every event of the grid that EventEnabled names one by one.
const std::vector<std::int32_t> kEvents = {
    1000, 1052, 1002, 1003, 1005, 1004, 1006, 1007, 1009, 1010, 1068, 1069, 1011, 1012, 1014, 1013, 1015, 1016,
    1017, 1018, 1067, 1019, 1020, 1021, 1022, 1029, 1023, 1024, 1025, 1026, 1027, 1028, 1030, 1031, 1033, 1065,
    1034, 1035, 1036, 1037, 1038, 1039, 1040, 1041, 1042, 1043, 1044, 1045, 1046, 1066, 1047, 1064, 1063, -600,
    1051, 1055, -601, 1056, 1057, -602, -603, -604, -605, 49, 50, -606, -607, 1060, 1061, 1062, 1070};

std::vector<std::int32_t> ListOf(EventEnableMask::EventList list)
{
    std::vector<std::int32_t> ids;
    for (; *list; ++list)
        ids.push_back(*list);
    return ids;
}

bool Contains(const std::vector<std::int32_t>& ids, std::int32_t id)
{
    for (std::int32_t i : ids) {
        if (i == id)
            return true;
    }
    return false;
}

// A hosted test control whose stock-event table is a grid event gate.
struct GateHost {
    GateHost() : gate(hosted.control) { hosted.control->SetStockEventSink(&gate); }
    ~GateHost() { hosted.control->SetStockEventSink(nullptr); }
    HostedControl hosted;
    EventEnableMask gate;
};

const EventDescriptor kAfterRowActivate{1010, 0, nullptr};

} // namespace

TEST_CASE("Counter and enable-bit indices of event identifiers")
{
    struct Case {
        std::int32_t dispid;
        std::int32_t counter;
        std::uint32_t bit;
        std::int16_t word;
    };
    const Case cases[] = {
        {1000, 0, 1u << 0, 0},    {1031, 31, 1u << 31, 0}, {1032, 32, 1u << 0, 1},  {1070, 70, 1u << 6, 2},
        {1071, -1, 1u << 7, 2},   {1127, -1, 1u << 31, 3}, {1128, -1, 0, -1},       {49, 49, 1u << 17, 1},
        {50, 50, 1u << 18, 1},    {1049, 49, 1u << 17, 1}, {0, -1, 1u << 0, 0},     {127, -1, 1u << 31, 3},
        {128, -1, 0, -1},         {999, -1, 0, -1},        {-1, -1, 0, -1},         {-605, -1, 0, -1},
    };
    for (const Case& c : cases) {
        CAPTURE(c.dispid);
        CHECK(EventEnableMask::EventCounterIndex(c.dispid) == c.counter);
        std::int16_t word = -1;
        CHECK(EventEnableMask::EventBitFromDispid(c.dispid, &word) == c.bit);
        CHECK(word == c.word);
    }
}

TEST_CASE("The before and after groups")
{
    const auto before = ListOf(EventEnableMask::BeforeEvents());
    const auto after = ListOf(EventEnableMask::AfterEvents());
    CHECK(before.size() == 29);
    CHECK(after.size() == 22);
    CHECK_FALSE(Contains(before, 1070));
    CHECK(Contains(after, 1052));
    CHECK(before.front() == 1020);
    CHECK(after.back() == 1019);
}

TEST_CASE("A new gate enables everything; the groups switch their own members only")
{
    GateHost host;
    EventEnableMask& gate = host.gate;
    CHECK(gate.IsEnabled(GridEventGroup::AllEvents));
    CHECK(gate.IsEnabled(GridEventGroup::AllBeforeEvents));
    CHECK(gate.IsEnabled(GridEventGroup::AllAfterEvents));
    for (std::int32_t id : kEvents) {
        CAPTURE(id);
        CHECK(gate.IsEnabled(id));
    }

    gate.SetEnabled(GridEventGroup::AllBeforeEvents, false);
    const auto before = ListOf(EventEnableMask::BeforeEvents());
    CHECK_FALSE(gate.IsEnabled(GridEventGroup::AllEvents));
    CHECK_FALSE(gate.IsEnabled(GridEventGroup::AllBeforeEvents));
    CHECK(gate.IsEnabled(GridEventGroup::AllAfterEvents));
    for (std::int32_t id : kEvents) {
        CAPTURE(id);
        CHECK(gate.IsEnabled(id) == !Contains(before, id));
    }
    CHECK(gate.IsEnabled(1070));

    // One member off is enough to make its group read disabled.
    gate.SetEnabled(GridEventGroup::AllBeforeEvents, true);
    gate.SetEnabled(1052, false);
    CHECK_FALSE(gate.IsEnabled(GridEventGroup::AllAfterEvents));
    CHECK(gate.IsEnabled(GridEventGroup::AllBeforeEvents));
}

TEST_CASE("All events off, then each on: the bits of no event stay clear")
{
    GateHost host;
    EventEnableMask& gate = host.gate;
    gate.SetEnabled(GridEventGroup::AllEvents, false);
    for (std::int32_t id : kEvents)
        CHECK_FALSE(gate.IsEnabled(id));
    CHECK_FALSE(gate.IsEnabled(GridEventGroup::AllAfterEvents));
    for (std::int32_t id : kEvents)
        gate.SetEnabled(id, true);
    for (std::int32_t id : kEvents) {
        CAPTURE(id);
        CHECK(gate.IsEnabled(id));
    }
    CHECK(gate.IsEnabled(GridEventGroup::AllBeforeEvents));
    CHECK(gate.IsEnabled(GridEventGroup::AllAfterEvents));
    CHECK_FALSE(gate.IsEnabled(GridEventGroup::AllEvents));
    gate.SetEnabled(GridEventGroup::AllEvents, true);
    CHECK(gate.IsEnabled(GridEventGroup::AllEvents));
}

TEST_CASE("MouseEnter shares its bit with 1049; identifiers without a bit read false and change nothing")
{
    GateHost host;
    EventEnableMask& gate = host.gate;
    gate.SetEnabled(1049, false);
    CHECK_FALSE(gate.IsEnabled(49));
    gate.SetEnabled(49, true);
    CHECK(gate.IsEnabled(1049));

    gate.SetEnabled(GridEventGroup::AllEvents, false);
    for (std::int32_t id : {1128, 5000, 128, -1, -599, -608, -2147483647}) {
        CAPTURE(id);
        CHECK_FALSE(gate.IsEnabled(id));
        gate.SetEnabled(id, true);
        CHECK_FALSE(gate.IsEnabled(id));
    }
    for (std::int32_t id : kEvents)
        CHECK_FALSE(gate.IsEnabled(id));
    // Stock events keep their bits in the framework base.
    gate.SetEnabled(StockDispid::MouseDown, true);
    CHECK(gate.EnableBits() == StockEventBit(StockDispid::MouseDown));
}

TEST_CASE("Firing counters nest, count disallowed firings and hold the control")
{
    GateHost host;
    EventEnableMask& gate = host.gate;
    gate.SetEnabled(1045, false);
    CHECK_FALSE(gate.IsEventFiring(1045));
    {
        EventFiringScope outer(gate, 1045);
        CHECK_FALSE(outer.IsAllowed());
        CHECK(gate.IsEventFiring(1045));
        CHECK_FALSE(gate.IsEventFiring(1044));
        {
            EventFiringScope inner(gate, 1045);
            CHECK(gate.IsEventFiring(1045));
        }
        CHECK(gate.IsEventFiring(1045));
        // The scope holds a reference: the count is one more than the host's.
        const ULONG held = host.hosted.control->CUnknownObject::AddRef();
        host.hosted.control->CUnknownObject::Release();
        EventFiringScope another(gate, 1000);
        CHECK(host.hosted.control->CUnknownObject::AddRef() == held + 1);
        host.hosted.control->CUnknownObject::Release();
    }
    CHECK_FALSE(gate.IsEventFiring(1045));
    CHECK_FALSE(gate.IsEventFiring(1000));
    // 49 and 50 count apart from 1049 and 1050, which no event has.
    {
        EventFiringScope enter(gate, 49);
        CHECK(gate.IsEventFiring(49));
        CHECK_FALSE(gate.IsEventFiring(50));
    }
    // No custom counter: the stock answer.
    CHECK_FALSE(gate.IsEventFiring(StockDispid::MouseDown));
    CHECK_FALSE(gate.IsEventFiring(-599));
}

TEST_CASE("Freeze counts and design mode stop every event; enabled bits are unchanged")
{
    GateHost host;
    EventEnableMask& gate = host.gate;
    int raised = 0;
    host.hosted.host.Events().On(1010, [&](const hv::container::EventCall&) { ++raised; });
    auto fire = [&] {
        EventFiringScope scope(gate, 1010);
        if (scope.IsAllowed())
            FireEvent(scope.Owner(), kAfterRowActivate);
    };
    fire();
    CHECK(raised == 1);

    host.hosted.host.FreezeEvents(true);
    host.hosted.host.FreezeEvents(true);
    host.hosted.host.FreezeEvents(false);
    CHECK_FALSE(gate.IsEventAllowed(1010));
    fire();
    CHECK(raised == 1);
    host.hosted.host.FreezeEvents(false);
    CHECK(gate.IsEventAllowed(1010));
    fire();
    CHECK(raised == 2);

    host.hosted.host.Ambients().SetBool(DISPID_AMBIENT_USERMODE, false);
    host.hosted.host.AmbientChanged(DISPID_AMBIENT_USERMODE);
    CHECK(gate.IsEnabled(GridEventGroup::AllEvents));
    CHECK_FALSE(gate.IsEventAllowed(1010));
    CHECK_FALSE(gate.CanFire(StockDispid::Click));
    fire();
    CHECK(raised == 2);
}
