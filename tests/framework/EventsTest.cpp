// Connection points, sink lists and event firing.
#include <doctest/doctest.h>

#include "AutomationObjectWithEvents.h"
#include "EnumObject.h"
#include "FireEvent.h"
#include "FrameworkFixtures.h"

#include <Tavelle.h>

#include <cstdint>

namespace {

// The smallest object that fires events: the control's object type, so its
// event interface is the control's.
class TestEventSource final : public CAutomationObjectWithEvents
{
public:
    TestEventSource(bool* destroyed = nullptr)
        : CAutomationObjectWithEvents(nullptr, ObjectType::HvTavelle, static_cast<IConnectionPointContainer*>(this)),
          m_destroyed(destroyed)
    {
    }
    ~TestEventSource() override
    {
        if (m_destroyed)
            *m_destroyed = true;
    }

    void OnAdvise(IDispatch* sink) override { advised.push_back(sink); }

    std::vector<IDispatch*> advised;

private:
    bool* m_destroyed;
};

struct Fixture
{
    TestEventSource* source = new TestEventSource;
    ComPtr<IConnectionPointContainer> container = Adopt(static_cast<IConnectionPointContainer*>(source));

    CConnectionPoint& events() { return source->EventPoint(); }

    DWORD Advise(RecordingSink& sink)
    {
        DWORD cookie = 0;
        REQUIRE(events().Advise(sink.Dispatch(), &cookie) == S_OK);
        return cookie;
    }
    void Fire(DISPID dispid)
    {
        static const EventDescriptor descriptor = {0, 0, nullptr};
        EventDescriptor event = descriptor;
        event.dispid = dispid;
        REQUIRE(FireEvent(source, event) == S_OK);
    }
};

DWORD CookieOf(IUnknown* pointer)
{
    return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(pointer));
}

} // namespace

TEST_CASE("the container finds and lists its two connection points")
{
    Fixture f;
    ComPtr<IConnectionPoint> byEvents;
    ComPtr<IConnectionPoint> byDispatch;
    ComPtr<IConnectionPoint> byNotify;
    REQUIRE(f.container->FindConnectionPoint(DIID_DHvTavelleEvents, byEvents.GetAddressOf()) == S_OK);
    REQUIRE(f.container->FindConnectionPoint(IID_IDispatch, byDispatch.GetAddressOf()) == S_OK);
    REQUIRE(f.container->FindConnectionPoint(IID_IPropertyNotifySink, byNotify.GetAddressOf()) == S_OK);
    CHECK(byEvents.Get() == byDispatch.Get());
    CHECK(byEvents.Get() != byNotify.Get());
    IConnectionPoint* none = reinterpret_cast<IConnectionPoint*>(1);
    CHECK(f.container->FindConnectionPoint(IID_IUnknown, &none) == E_NOINTERFACE);
    CHECK(none == nullptr);

    IID iid = {};
    REQUIRE(byEvents->GetConnectionInterface(&iid) == S_OK);
    CHECK(IsEqualIID(iid, DIID_DHvTavelleEvents));
    REQUIRE(byNotify->GetConnectionInterface(&iid) == S_OK);
    CHECK(IsEqualIID(iid, IID_IPropertyNotifySink));
    ComPtr<IConnectionPointContainer> back;
    REQUIRE(byNotify->GetConnectionPointContainer(back.GetAddressOf()) == S_OK);
    CHECK(back.Get() == f.container.Get());

    // A point lives as long as its object: its references are the object's.
    const ULONG before = RefCount(f.container.Get());
    byEvents->AddRef();
    CHECK(RefCount(f.container.Get()) == before + 1);
    byEvents->Release();

    ComPtr<IEnumConnectionPoints> points;
    REQUIRE(f.container->EnumConnectionPoints(points.GetAddressOf()) == S_OK);
    IConnectionPoint* listed[3] = {};
    ULONG fetched = 0;
    CHECK(points->Next(3, listed, &fetched) == S_FALSE);
    REQUIRE(fetched == 2);
    CHECK(listed[0] == byEvents.Get());
    CHECK(listed[1] == byNotify.Get());
    listed[0]->Release();
    listed[1]->Release();
}

TEST_CASE("Advise: accepted sinks, cookies and references")
{
    Fixture f;
    RecordingSink sink;

    SUBCASE("a sink answering only IDispatch is accepted; its cookie is its pointer")
    {
        const DWORD cookie = f.Advise(sink);
        CHECK(cookie == CookieOf(sink.Dispatch()));
        CHECK(sink.refs == 2);
        CHECK(f.source->advised == std::vector<IDispatch*>{sink.Dispatch()});
        CHECK(f.events().Unadvise(cookie) == S_OK);
        CHECK(sink.refs == 1);
    }
    SUBCASE("a sink answering neither interface is refused")
    {
        MemoryPropertyBag notASink;
        DWORD cookie = 99;
        CHECK(f.events().Advise(&notASink, &cookie) == E_NOINTERFACE);
        CHECK(cookie == 0);
        CHECK(f.source->advised == std::vector<IDispatch*>{nullptr});
        CHECK(f.events().Count() == 0);
    }
    SUBCASE("property sinks must answer IPropertyNotifySink")
    {
        RecordingSink dispatchOnly(false);
        DWORD cookie = 0;
        CHECK(f.source->PropertyPoint().Advise(dispatchOnly.Dispatch(), &cookie) == E_NOINTERFACE);
        REQUIRE(f.source->PropertyPoint().Advise(sink.Dispatch(), &cookie) == S_OK);
        CHECK(cookie == CookieOf(static_cast<IPropertyNotifySink*>(&sink)));
        f.source->FirePropertyChanged(1056);
        CHECK(sink.changed == std::vector<DISPID>{1056});
        CHECK(sink.invoked.empty());
    }
    SUBCASE("Unadvise of 0 and of unknown cookies")
    {
        f.Advise(sink);
        CHECK(f.events().Unadvise(0) == S_OK);
        CHECK(f.events().Unadvise(0x1234) == CONNECT_E_NOCONNECTION);
        CHECK(f.events().Unadvise(0x1234) == static_cast<HRESULT>(0x80040200));
        CHECK(f.events().Count() == 1);
    }
    SUBCASE("null arguments")
    {
        DWORD cookie = 0;
        CHECK(f.events().Advise(nullptr, &cookie) == E_POINTER);
        CHECK(f.events().Advise(sink.Dispatch(), nullptr) == E_POINTER);
    }
    SUBCASE("the object's death releases the sinks still connected")
    {
        f.Advise(sink);
        f.Advise(sink);
        CHECK(sink.refs == 3);
        f.container.Reset();
        CHECK(sink.refs == 1);
    }
}

TEST_CASE("the sink list grows by eight and keeps its order")
{
    Fixture f;
    RecordingSink sinks[9];
    DWORD cookies[9] = {};
    for (int i = 0; i < 8; ++i)
        cookies[i] = f.Advise(sinks[i]);
    CHECK(f.events().Capacity() == 8);
    cookies[8] = f.Advise(sinks[8]);
    CHECK(f.events().Capacity() == 16);
    CHECK(f.events().Count() == 9);

    std::vector<int> order;
    for (int i = 0; i < 9; ++i)
        sinks[i].onInvoke = [&order, i](DISPID, DISPPARAMS*) { order.push_back(i); return S_OK; };

    REQUIRE(f.events().Unadvise(cookies[4]) == S_OK);
    f.Fire(7);
    CHECK(order == std::vector<int>{0, 1, 2, 3, 5, 6, 7, 8});
    CHECK(sinks[4].invoked.empty());

    ComPtr<IEnumConnections> connections;
    REQUIRE(f.events().EnumConnections(connections.GetAddressOf()) == S_OK);
    CONNECTDATA data[10] = {};
    ULONG fetched = 0;
    CHECK(connections->Next(10, data, &fetched) == S_FALSE);
    REQUIRE(fetched == 8);
    CHECK(data[4].pUnk == sinks[5].Dispatch());
    CHECK(data[4].dwCookie == cookies[5]);
    for (ULONG i = 0; i < fetched; ++i)
        data[i].pUnk->Release();
    connections.Reset();
    CHECK(sinks[0].refs == 2);

    for (int i : {0, 1, 2, 3, 5, 6, 7, 8})
        REQUIRE(f.events().Unadvise(cookies[i]) == S_OK);
    CHECK(f.events().Count() == 0);
    CHECK(sinks[8].refs == 1);
}

TEST_CASE("broadcasts survive what handlers do")
{
    Fixture f;
    RecordingSink first, second, third, fourth;

    SUBCASE("a failing sink does not stop the next")
    {
        f.Advise(first);
        f.Advise(second);
        first.onInvoke = [](DISPID, DISPPARAMS*) { return E_FAIL; };
        f.Fire(5);
        CHECK(second.invoked == std::vector<DISPID>{5});
    }
    SUBCASE("a handler unadvises itself and a later sink; removed sinks are not called")
    {
        const DWORD c1 = f.Advise(first);
        f.Advise(second);
        const DWORD c3 = f.Advise(third);
        f.Advise(fourth);
        second.onInvoke = [&](DISPID, DISPPARAMS*) {
            CHECK(f.events().Unadvise(CookieOf(second.Dispatch())) == S_OK);
            CHECK(f.events().Unadvise(c3) == S_OK);
            // Still referenced for the length of its own call.
            CHECK(second.refs == 2);
            return S_OK;
        };
        f.Fire(1);
        CHECK(first.invoked.size() == 1);
        CHECK(second.invoked.size() == 1);
        CHECK(third.invoked.empty());
        CHECK(fourth.invoked.size() == 1);
        CHECK(second.refs == 1);
        CHECK(third.refs == 1);
        CHECK(f.events().Count() == 2);

        // A sink advised during a broadcast waits for the next one.
        RecordingSink late;
        first.onInvoke = [&](DISPID, DISPPARAMS*) {
            DWORD cookie = 0;
            f.events().Advise(late.Dispatch(), &cookie);
            first.onInvoke = nullptr;
            return S_OK;
        };
        f.Fire(2);
        CHECK(late.invoked.empty());
        f.Fire(3);
        CHECK(late.invoked == std::vector<DISPID>{3});
        CHECK(fourth.invoked == std::vector<DISPID>{1, 2, 3});
        CHECK(f.events().Unadvise(c1) == S_OK);
        f.container.Reset();
        CHECK(late.refs == 1);
    }
    SUBCASE("a handler unadvises every sink, the object's owner releases it")
    {
        bool destroyed = false;
        auto* source = new TestEventSource(&destroyed);
        IConnectionPointContainer* container = source;
        DWORD cookies[2] = {};
        source->EventPoint().Advise(first.Dispatch(), &cookies[0]);
        source->EventPoint().Advise(second.Dispatch(), &cookies[1]);
        first.onInvoke = [&](DISPID, DISPPARAMS*) {
            source->EventPoint().Unadvise(cookies[0]);
            source->EventPoint().Unadvise(cookies[1]);
            container->Release();
            CHECK_FALSE(destroyed);
            return S_OK;
        };
        static const EventDescriptor click = {-600, 0, nullptr};
        FireEvent(source, click);
        CHECK(destroyed);
        CHECK(second.invoked.empty());
        CHECK(first.refs == 1);
        CHECK(second.refs == 1);
    }
}

TEST_CASE("FireEvent packs typed arguments as the descriptor says")
{
    Fixture f;
    RecordingSink sink;
    f.Advise(sink);

    SUBCASE("an I4 and a by-reference BOOL arrive reversed; the handler's write reaches the caller")
    {
        static const VARTYPE types[] = {VT_I4, VT_BOOL | VT_BYREF};
        static const EventDescriptor beforeUpdate = {1001, 2, types};
        sink.onInvoke = [](DISPID id, DISPPARAMS* params) {
            CHECK(id == 1001);
            REQUIRE(params->cArgs == 2);
            CHECK(params->cNamedArgs == 0);
            CHECK(params->rgdispidNamedArgs == nullptr);
            CHECK(params->rgvarg[1].vt == VT_I4);
            CHECK(params->rgvarg[1].lVal == 42);
            REQUIRE(params->rgvarg[0].vt == (VT_BOOL | VT_BYREF));
            *params->rgvarg[0].pboolVal = VARIANT_TRUE;
            return S_OK;
        };
        VARIANT_BOOL cancel = VARIANT_FALSE;
        REQUIRE(FireEvent(f.source, beforeUpdate, 42, &cancel) == S_OK);
        CHECK(cancel == VARIANT_TRUE);
    }
    SUBCASE("every argument type reaches the sink exactly")
    {
        static const VARTYPE types[] = {VT_R4, VT_R8, VT_I2, VT_BOOL, VT_BSTR, VT_DISPATCH, VT_VARIANT, VT_CY, VT_I2 | VT_BYREF};
        static const EventDescriptor all = {7, 9, types};
        BSTR text = SysAllocString(L"caption");
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        value.lVal = -5;
        CY money = {};
        money.int64 = 123456;
        SHORT keyCode = 13;
        sink.onInvoke = [&](DISPID, DISPPARAMS* params) {
            REQUIRE(params->cArgs == 9);
            const VARIANTARG* a = params->rgvarg;
            CHECK(a[8].vt == VT_R4);
            CHECK(a[8].fltVal == 0.1f);
            CHECK(a[7].vt == VT_R8);
            CHECK(a[7].dblVal == 0.1);
            CHECK(a[6].vt == VT_I2);
            CHECK(a[6].iVal == -3);
            CHECK(a[5].vt == VT_BOOL);
            CHECK(a[5].boolVal == VARIANT_TRUE);
            CHECK(a[4].vt == VT_BSTR);
            CHECK(a[4].bstrVal == text);
            CHECK(a[3].vt == VT_DISPATCH);
            CHECK(a[3].pdispVal == sink.Dispatch());
            CHECK(a[2].vt == VT_I4);
            CHECK(a[2].lVal == -5);
            CHECK(a[1].vt == VT_CY);
            CHECK(a[1].cyVal.int64 == 123456);
            CHECK(a[0].vt == (VT_I2 | VT_BYREF));
            *a[0].piVal = 27;
            return S_OK;
        };
        REQUIRE(FireEvent(f.source, all, 0.1f, 0.1, static_cast<SHORT>(-3), true, text, sink.Dispatch(),
                          value, money, &keyCode) == S_OK);
        CHECK(sink.invoked.size() == 1);
        CHECK(keyCode == 27);
        SysFreeString(text);
    }
    SUBCASE("arguments that do not fit the descriptor fire nothing")
    {
        static const VARTYPE types[] = {VT_I4, VT_BOOL | VT_BYREF};
        static const EventDescriptor event = {3, 2, types};
        CHECK(FireEvent(f.source, event, 1) == E_INVALIDARG);
        CHECK(FireEvent(f.source, event, 1, true) == E_INVALIDARG);
        CHECK(FireEvent(f.source, event, 1.5, nullptr) == E_INVALIDARG);
        CHECK(sink.invoked.empty());
    }
    SUBCASE("an event without sinks is fine")
    {
        f.events().Unadvise(CookieOf(sink.Dispatch()));
        static const EventDescriptor click = {-600, 0, nullptr};
        CHECK(FireEvent(f.source, click) == S_OK);
        CHECK(sink.invoked.empty());
    }
}
