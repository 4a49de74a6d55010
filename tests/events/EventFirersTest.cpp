// The grid's event firers on a hosted test control: each firer's DISPID,
// argument order and types, Cancel, and the values that handlers change
// in place (NewValue, NewHeight, DisplayPromptMsg).
#include "ControlBaseTestSupport.h"

#include "ContainerUnitsSeam.h"
#include "EventEnableMask.h"
#include "HvReturnBoolean.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// A hosted test control whose stock-event table is a grid event gate.
struct GateHost {
    GateHost() : gate(hosted.control) { hosted.control->SetStockEventSink(&gate); }
    ~GateHost() { hosted.control->SetStockEventSink(nullptr); }
    hv::container::EventSink& Events() { return hosted.host.Events(); }
    HostedControl hosted;
    EventEnableMask gate;
};

// Distinct automation objects standing for cells, rows, bands and regions.
struct Tokens {
    Tokens()
    {
        for (auto& t : objects)
            t = HvReturnBoolean::Create(VARIANT_FALSE);
    }
    ~Tokens()
    {
        for (auto* t : objects)
            t->Release();
    }
    IDispatch* operator[](int i) const { return objects[i]; }
    IHvReturnBoolean* objects[2];
};

// One raise as the sink saw it.
struct Seen {
    DISPID dispid = 0;
    std::vector<VARTYPE> types;
    std::vector<IDispatch*> objects;   // per argument, null when not an object
    std::vector<LONG> longs;           // per argument, 0 when not VT_I4
};

constexpr VARTYPE D = VT_DISPATCH;
constexpr VARTYPE I = VT_I4;
// The Cancel argument: the last one, a return-value object.
constexpr int kCancelLast = 1;

struct FirerCase {
    const char* name;
    DISPID dispid;
    std::vector<VARTYPE> types;
    // Return-value objects at the end: 0, the Cancel object alone, or 2
    // with NewHeight or DisplayPromptMsg before Cancel.
    int returned;
    // Calls the firer; inputs are a (first object), b (second object) and
    // the number 7 wherever the event takes an action or a context.
    std::function<bool(EventEnableMask&, IDispatch* a, IDispatch* b)> fire;
};

std::vector<FirerCase> Cases()
{
    using G = EventEnableMask;
    auto none = [](void (G::*f)()) { return [f](G& g, IDispatch*, IDispatch*) { (g.*f)(); return false; }; };
    auto one = [](void (G::*f)(IDispatch*)) {
        return [f](G& g, IDispatch* a, IDispatch*) { (g.*f)(a); return false; };
    };
    auto numOne = [](void (G::*f)(std::int32_t, IDispatch*)) {
        return [f](G& g, IDispatch* a, IDispatch*) { (g.*f)(7, a); return false; };
    };
    auto cancel0 = [](bool (G::*f)()) { return [f](G& g, IDispatch*, IDispatch*) { return (g.*f)(); }; };
    auto cancel1 = [](bool (G::*f)(IDispatch*)) {
        return [f](G& g, IDispatch* a, IDispatch*) { return (g.*f)(a); };
    };
    auto cancel2 = [](bool (G::*f)(IDispatch*, IDispatch*)) {
        return [f](G& g, IDispatch* a, IDispatch* b) { return (g.*f)(a, b); };
    };
    auto cancelNum = [](bool (G::*f)(std::int32_t, IDispatch*)) {
        return [f](G& g, IDispatch* a, IDispatch*) { return (g.*f)(7, a); };
    };
    return {
        {"InitializeLayout", 1056, {I, D}, 0, numOne(&G::Fire_InitializeLayout)},
        {"AfterCellActivate", 1000, {}, 0, none(&G::Fire_AfterCellActivate)},
        {"AfterCellUpdate", 1002, {D}, 0, one(&G::Fire_AfterCellUpdate)},
        {"AfterColPosChanged", 1003, {I, D}, 0, numOne(&G::Fire_AfterColPosChanged)},
        {"AfterColRegionScroll", 1005, {D}, 0, one(&G::Fire_AfterColRegionScroll)},
        {"AfterColRegionSize", 1004, {D}, 0, one(&G::Fire_AfterColRegionSize)},
        {"AfterEnterEditMode", 1006, {}, 0, none(&G::Fire_AfterEnterEditMode)},
        {"AfterExitEditMode", 1007, {}, 0, none(&G::Fire_AfterExitEditMode)},
        {"AfterGroupPosChanged", 1009, {I, D}, 0, numOne(&G::Fire_AfterGroupPosChanged)},
        {"AfterRowActivate", 1010, {}, 0, none(&G::Fire_AfterRowActivate)},
        {"AfterRowCollapsed", 1068, {D}, 0, one(&G::Fire_AfterRowCollapsed)},
        {"AfterRowExpanded", 1069, {D}, 0, one(&G::Fire_AfterRowExpanded)},
        {"AfterRowsDeleted", 1011, {}, 0, none(&G::Fire_AfterRowsDeleted)},
        {"AfterRowInsert", 1012, {D}, 0, one(&G::Fire_AfterRowInsert)},
        {"AfterRowRegionScroll", 1014, {D}, 0, one(&G::Fire_AfterRowRegionScroll)},
        {"AfterRowRegionSize", 1013, {D}, 0, one(&G::Fire_AfterRowRegionSize)},
        {"AfterRowResize", 1015, {D}, 0, one(&G::Fire_AfterRowResize)},
        {"AfterRowUpdate", 1016, {D}, 0, one(&G::Fire_AfterRowUpdate)},
        {"AfterSelectChange", 1017, {I}, 0,
         [](G& g, IDispatch*, IDispatch*) { g.Fire_AfterSelectChange(7); return false; }},
        {"AfterSortChange", 1018, {D}, 0, one(&G::Fire_AfterSortChange)},
        {"AfterCellCancelUpdate", 1067, {D}, 0, one(&G::Fire_AfterCellCancelUpdate)},
        {"AfterRowCancelUpdate", 1019, {D}, 0, one(&G::Fire_AfterRowCancelUpdate)},
        {"BeforeAutoSizeEdit", 1020, {D, D}, 1, cancel1(&G::Fire_BeforeAutoSizeEdit)},
        {"BeforeCellActivate", 1021, {D, D}, 1, cancel1(&G::Fire_BeforeCellActivate)},
        {"BeforeCellUpdate", 1023, {D, VT_BYREF | VT_VARIANT, D}, 1,
         [](G& g, IDispatch* a, IDispatch*) {
             VARIANT value;
             VariantInit(&value);
             return g.Fire_BeforeCellUpdate(a, &value);
         }},
        {"BeforeColPosChanged", 1024, {I, D, D}, 1, cancelNum(&G::Fire_BeforeColPosChanged)},
        {"BeforeColRegionScroll", 1025, {D, D, D}, 1, cancel2(&G::Fire_BeforeColRegionScroll)},
        {"BeforeColRegionSize", 1026, {D, D, D}, 1, cancel2(&G::Fire_BeforeColRegionSize)},
        {"BeforeColRegionSplit", 1027, {D, D, D}, 1, cancel2(&G::Fire_BeforeColRegionSplit)},
        {"BeforeColRegionRemoved", 1028, {D, D}, 1, cancel1(&G::Fire_BeforeColRegionRemoved)},
        {"BeforeCellDeactivate", 1022, {D}, 1, cancel0(&G::Fire_BeforeCellDeactivate)},
        {"BeforeCellListDropDown", 1029, {D, D}, 1, cancel1(&G::Fire_BeforeCellListDropDown)},
        {"BeforeEnterEditMode", 1030, {D}, 1, cancel0(&G::Fire_BeforeEnterEditMode)},
        {"BeforeExitEditMode", 1031, {D}, 1, cancel0(&G::Fire_BeforeExitEditMode)},
        {"BeforeGroupPosChanged", 1033, {I, D, D}, 1, cancelNum(&G::Fire_BeforeGroupPosChanged)},
        {"BeforeRowActivate", 1065, {D}, 0, one(&G::Fire_BeforeRowActivate)},
        {"BeforeRowDeactivate", 1034, {D}, 1, cancel0(&G::Fire_BeforeRowDeactivate)},
        {"BeforeRowCollapsed", 1035, {D, D}, 1, cancel1(&G::Fire_BeforeRowCollapsed)},
        {"BeforeRowsDeleted", 1036, {D, D, D}, 2,
         [](G& g, IDispatch* a, IDispatch*) {
             bool prompt = true;
             return g.Fire_BeforeRowsDeleted(a, prompt);
         }},
        {"BeforeRowExpanded", 1037, {D, D}, 1, cancel1(&G::Fire_BeforeRowExpanded)},
        {"BeforeRowInsert", 1038, {D, D, D}, 1, cancel2(&G::Fire_BeforeRowInsert)},
        {"BeforeRowRegionScroll", 1039, {D, D, D}, 1, cancel2(&G::Fire_BeforeRowRegionScroll)},
        {"BeforeRowRegionSize", 1040, {D, D, D}, 1, cancel2(&G::Fire_BeforeRowRegionSize)},
        {"BeforeRowRegionSplit", 1041, {D, D, D}, 1, cancel2(&G::Fire_BeforeRowRegionSplit)},
        {"BeforeRowRegionRemoved", 1042, {D, D}, 1, cancel1(&G::Fire_BeforeRowRegionRemoved)},
        {"BeforeRowResize", 1043, {D, D, D}, 2,
         [](G& g, IDispatch* a, IDispatch*) {
             std::int32_t height = 20;
             return g.Fire_BeforeRowResize(a, height);
         }},
        {"BeforeRowUpdate", 1044, {D, D}, 1, cancel1(&G::Fire_BeforeRowUpdate)},
        {"BeforeSelectChange", 1045, {I, D, D}, 1, cancelNum(&G::Fire_BeforeSelectChange)},
        {"BeforeSortChange", 1046, {D, D, D}, 1, cancel2(&G::Fire_BeforeSortChange)},
        {"BeforeCellCancelUpdate", 1066, {D, D}, 1, cancel1(&G::Fire_BeforeCellCancelUpdate)},
        {"BeforeRowCancelUpdate", 1047, {D, D}, 1, cancel1(&G::Fire_BeforeRowCancelUpdate)},
        {"ClickCellButton", 1051, {D}, 0, one(&G::Fire_ClickCellButton)},
        {"CellChange", 1064, {D}, 0, one(&G::Fire_CellChange)},
        {"CellListSelect", 1063, {D}, 0, one(&G::Fire_CellListSelect)},
        {"AfterCellListCloseUp", 1052, {D}, 0, one(&G::Fire_AfterCellListCloseUp)},
        {"Error", 1055, {D}, 0, one(&G::Fire_Error)},
        {"InitializeRow", 1057, {I, D, VT_BOOL}, 0,
         [](G& g, IDispatch* a, IDispatch*) { g.Fire_InitializeRow(7, a, true); return false; }},
        {"MouseEnter", 49, {D}, 0, one(&G::Fire_MouseEnter)},
        {"MouseExit", 50, {D}, 0, one(&G::Fire_MouseExit)},
        {"OnKillFocus", 1061, {I}, 0,
         [](G& g, IDispatch*, IDispatch*) { g.Fire_OnKillFocus(reinterpret_cast<HWND>(7)); return false; }},
        {"OnSetFocus", 1060, {I}, 0,
         [](G& g, IDispatch*, IDispatch*) { g.Fire_OnSetFocus(reinterpret_cast<HWND>(7)); return false; }},
        {"PostMessageReceived", 1062, {I, VT_I2, VT_BSTR}, 0,
         [](G& g, IDispatch*, IDispatch*) {
             VARIANT one;
             VariantInit(&one);
             one.vt = VT_I2;
             one.iVal = 3;
             VARIANT two;
             VariantInit(&two);
             two.vt = VT_BSTR;
             two.bstrVal = SysAllocString(L"data");
             g.Fire_PostMessageReceived(7, one, two);
             VariantClear(&two);
             return false;
         }},
        {"OnSelectionDrag", 1070, {D}, 1, cancel0(&G::Fire_OnSelectionDrag)},
    };
}

Seen Record(const hv::container::EventCall& call)
{
    Seen seen;
    seen.dispid = call.Dispid();
    for (UINT i = 0; i < call.Count(); ++i) {
        seen.types.push_back(call.Type(i));
        seen.objects.push_back(call.Type(i) == VT_DISPATCH ? call.Object(i) : nullptr);
        seen.longs.push_back(call.Type(i) == VT_I4 ? call.Arg(i)->lVal : 0);
    }
    return seen;
}

// Multiplies pixels by two: container units differ visibly from pixels.
struct DoubleUnits final : ContainerUnitsSeam {
    double PixelsToContainerY(long pixels) override { return pixels * 2.0; }
    long ContainerYToPixels(double units) override { return static_cast<long>(units / 2.0); }
};

} // namespace

TEST_CASE("Every firer raises its DISPID with its arguments in order, and answers Cancel")
{
    GateHost host;
    Tokens tokens;
    const auto cases = Cases();
    CHECK(cases.size() == 63);
    for (const FirerCase& c : cases) {
        const std::string name = c.name;
        CAPTURE(name);
        for (bool setCancel : {false, true}) {
            CAPTURE(setCancel);
            std::vector<Seen> seen;
            host.Events().Clear();
            host.Events().OnAny([&](const hv::container::EventCall& call) {
                seen.push_back(Record(call));
                if (setCancel && c.returned > 0)
                    call.SetBool(call.Count() - kCancelLast, true);
            });
            const bool cancelled = c.fire(host.gate, tokens[0], tokens[1]);
            REQUIRE(seen.size() == 1);
            const Seen& s = seen.front();
            CHECK(s.dispid == c.dispid);
            CHECK(s.types == c.types);
            CHECK(cancelled == (setCancel && c.returned > 0));
            // Inputs in order: objects a then b, numbers 7.
            int nextObject = 0;
            const size_t inputs = c.types.size() - c.returned;
            for (size_t i = 0; i < inputs && i < s.types.size(); ++i) {
                if (s.types[i] == VT_DISPATCH)
                    CHECK(s.objects[i] == tokens[nextObject++]);
                else if (s.types[i] == VT_I4)
                    CHECK(s.longs[i] == 7);
            }
            for (size_t i = inputs; i < s.objects.size(); ++i) {
                CHECK(s.objects[i] != nullptr);
                CHECK(s.objects[i] != tokens[0]);
                CHECK(s.objects[i] != tokens[1]);
            }
        }
    }
}

TEST_CASE("A disabled or frozen event is not raised and counts as not cancelled")
{
    GateHost host;
    Tokens tokens;
    host.Events().OnAny([](const hv::container::EventCall& call) {
        if (call.Count() > 0)
            call.SetBool(call.Count() - 1, true);
    });
    for (const FirerCase& c : Cases()) {
        const std::string name = c.name;
        CAPTURE(name);
        host.Events().ClearReceived();
        host.gate.SetEnabled(c.dispid, false);
        CHECK_FALSE(c.fire(host.gate, tokens[0], tokens[1]));
        host.gate.SetEnabled(c.dispid, true);
        CHECK(host.Events().Received().empty());
    }
    host.hosted.host.FreezeEvents(true);
    CHECK_FALSE(host.gate.Fire_BeforeCellActivate(tokens[0]));
    host.hosted.host.FreezeEvents(false);
    CHECK(host.Events().Received().empty());
    CHECK(host.gate.Fire_BeforeCellActivate(tokens[0]));
}

TEST_CASE("Values the handler changes come back to the caller")
{
    GateHost host;
    Tokens tokens;

    SUBCASE("BeforeCellUpdate: NewValue is the caller's VARIANT, changed in place")
    {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        value.lVal = 5;
        LONG seenValue = 0;
        host.Events().On(1023, [&](const hv::container::EventCall& call) {
            seenValue = call.Long(1);
            VARIANT changed;
            VariantInit(&changed);
            changed.vt = VT_BSTR;
            changed.bstrVal = SysAllocString(L"new");
            call.Set(1, changed);
            VariantClear(&changed);
        });
        CHECK_FALSE(host.gate.Fire_BeforeCellUpdate(tokens[0], &value));
        CHECK(seenValue == 5);
        REQUIRE(value.vt == VT_BSTR);
        CHECK(std::wstring(value.bstrVal) == L"new");
        VariantClear(&value);
    }

    SUBCASE("BeforeRowResize: NewHeight in container units, written back even when cancelled")
    {
        float seenHeight = 0;
        host.Events().On(1043, [&](const hv::container::EventCall& call) {
            seenHeight = call.Single(1);
            VARIANT changed;
            VariantInit(&changed);
            changed.vt = VT_R4;
            changed.fltVal = 40;
            call.Set(1, changed);
            call.SetBool(2, true);
        });
        std::int32_t height = 20;
        CHECK(host.gate.Fire_BeforeRowResize(tokens[0], height));
        CHECK(seenHeight == 20.0f);
        CHECK(height == 40);

        DoubleUnits units;
        host.gate.SetContainerUnits(&units);
        height = 20;
        CHECK(host.gate.Fire_BeforeRowResize(tokens[0], height));
        CHECK(seenHeight == 40.0f);
        CHECK(height == 20);
        host.gate.SetContainerUnits(nullptr);

        // Not raised: the height stays as given.
        host.gate.SetEnabled(1043, false);
        height = 33;
        CHECK_FALSE(host.gate.Fire_BeforeRowResize(tokens[0], height));
        CHECK(height == 33);
    }

    SUBCASE("BeforeRowsDeleted: DisplayPromptMsg kept unless the handler changes it")
    {
        bool seenPrompt = false;
        bool clearPrompt = false;
        host.Events().On(1036, [&](const hv::container::EventCall& call) {
            seenPrompt = call.Bool(1);
            if (clearPrompt)
                call.SetBool(1, false);
        });
        for (bool given : {true, false}) {
            bool prompt = given;
            CHECK_FALSE(host.gate.Fire_BeforeRowsDeleted(tokens[0], prompt));
            CHECK(seenPrompt == given);
            CHECK(prompt == given);
        }
        clearPrompt = true;
        bool prompt = true;
        CHECK_FALSE(host.gate.Fire_BeforeRowsDeleted(tokens[0], prompt));
        CHECK_FALSE(prompt);
    }

    SUBCASE("InitializeRow sends ReInitialize as VARIANT_TRUE or VARIANT_FALSE")
    {
        std::vector<VARIANT_BOOL> seen;
        host.Events().On(1057, [&](const hv::container::EventCall& call) { seen.push_back(call.Arg(2)->boolVal); });
        host.gate.Fire_InitializeRow(0, tokens[0], true);
        host.gate.Fire_InitializeRow(0, tokens[0], false);
        CHECK(seen == std::vector<VARIANT_BOOL>{VARIANT_TRUE, VARIANT_FALSE});
    }

    SUBCASE("PostMessageReceived passes the two VARIANTs by value with their own types")
    {
        std::vector<std::wstring> strings;
        SHORT first = 0;
        host.Events().On(1062, [&](const hv::container::EventCall& call) {
            first = call.Short(1);
            strings.push_back(call.String(2));
        });
        VARIANT one;
        VariantInit(&one);
        one.vt = VT_I2;
        one.iVal = 9;
        VARIANT two;
        VariantInit(&two);
        two.vt = VT_BSTR;
        two.bstrVal = SysAllocString(L"kept");
        host.gate.Fire_PostMessageReceived(1474, one, two);
        CHECK(first == 9);
        CHECK(strings == std::vector<std::wstring>{L"kept"});
        // The caller still owns its string.
        CHECK(std::wstring(two.bstrVal) == L"kept");
        VariantClear(&two);
    }
}

TEST_CASE("Select-change kinds and the events that refuse to nest")
{
    GateHost host;
    Tokens tokens;
    std::vector<LONG> kinds;
    int nestedAnswer = -1;
    host.Events().On(1045, [&](const hv::container::EventCall& call) {
        kinds.push_back(call.Long(0));
        // A selection change from inside the handler is refused unraised.
        nestedAnswer = host.gate.Fire_BeforeSelectChange(0, tokens[1]) ? 1 : 0;
    });
    host.Events().On(1017, [&](const hv::container::EventCall& call) { kinds.push_back(call.Long(0)); });
    CHECK_FALSE(host.gate.Fire_BeforeSelectChange(99, tokens[0]));
    CHECK(nestedAnswer == 1);
    host.gate.Fire_AfterSelectChange(99);
    host.gate.Fire_AfterSelectChange(3);
    CHECK(kinds == std::vector<LONG>{2, 2, 3});
    CHECK(host.Events().ReceivedCount(1045) == 1);

    int layouts = 0;
    host.Events().On(1056, [&](const hv::container::EventCall&) {
        ++layouts;
        host.gate.Fire_InitializeLayout(0, tokens[0]);
    });
    host.gate.Fire_InitializeLayout(0, tokens[0]);
    CHECK(layouts == 1);

    // Other events nest, counted by the gate.
    int depth = 0;
    host.Events().On(1002, [&](const hv::container::EventCall&) {
        if (++depth < 3)
            host.gate.Fire_AfterCellUpdate(tokens[0]);
    });
    host.gate.Fire_AfterCellUpdate(tokens[0]);
    CHECK(depth == 3);
    CHECK_FALSE(host.gate.IsEventFiring(1002));
}

TEST_CASE("Two sinks receive the event in turn and share one Cancel object")
{
    GateHost host;
    Tokens tokens;
    ComPtr<IConnectionPointContainer> container = host.hosted.Query<IConnectionPointContainer>();
    REQUIRE(container);
    // The control's event connection point: the one that is not for
    // property notifications.
    ComPtr<IEnumConnectionPoints> points;
    REQUIRE(container->EnumConnectionPoints(&points) == S_OK);
    ComPtr<IConnectionPoint> point;
    IID eventIid = IID_NULL;
    for (IConnectionPoint* each = nullptr; points->Next(1, &each, nullptr) == S_OK;) {
        IID iid;
        each->GetConnectionInterface(&iid);
        if (!point && !IsEqualIID(iid, IID_IPropertyNotifySink)) {
            point = each;
            eventIid = iid;
        }
        each->Release();
    }
    REQUIRE(point);
    hv::container::EventSink* second = hv::container::EventSink::Create(eventIid);
    DWORD cookie = 0;
    REQUIRE(point->Advise(static_cast<IDispatch*>(second), &cookie) == S_OK);

    std::vector<std::string> order;
    bool secondSawCancel = false;
    host.Events().On(1021, [&](const hv::container::EventCall& call) {
        order.push_back("first");
        call.SetBool(1, true);
    });
    second->On(1021, [&](const hv::container::EventCall& call) {
        order.push_back("second");
        secondSawCancel = call.Bool(1);
    });
    CHECK(host.gate.Fire_BeforeCellActivate(tokens[0]));
    CHECK(order == std::vector<std::string>{"first", "second"});
    CHECK(secondSawCancel);

    // The second sink can clear what the first set.
    second->On(1021, [&](const hv::container::EventCall& call) { call.SetBool(1, false); });
    CHECK_FALSE(host.gate.Fire_BeforeCellActivate(tokens[0]));

    point->Unadvise(cookie);
    second->Release();
}
