// Object identity: reference counting, final release, aggregation and the
// liveness test.
#include "FrameworkTestSupport.h"
#include "Module.h"
#include "TestObjects.h"

#include <doctest/doctest.h>

int TestLongObject::destroyed = 0;

namespace {

// A minimal aggregating object: answers IUnknown itself and passes every
// other question to the inner object's non-delegating unknown.
class TestOuter final : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown)) {
            *out = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(iid, out) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++count; }
    STDMETHODIMP_(ULONG) Release() override { return --count; }

    IUnknown* inner = nullptr;
    ULONG count = 1;
};

} // namespace

TEST_CASE("final release runs once even when the tear-down takes and drops references")
{
    TestLongObject::destroyed = 0;
    auto* object = new TestLongObject;
    int finalReleases = 0;
    object->onFinalRelease = [&](TestLongObject& self) {
        ++finalReleases;
        self.AddRef();
        self.Release();
        self.Release(); // a stray extra release during tear-down must not delete either
    };
    object->AddRef();
    CHECK(object->Release() == 1);
    CHECK(object->Release() == 0);
    CHECK(finalReleases == 1);
    CHECK(TestLongObject::destroyed == 1);
}

TEST_CASE("the liveness test follows construction and destruction")
{
    auto* object = new TestLongObject;
    const CUnknownObject* base = object;
    CHECK(IsValidObjectPointer(base));
    CHECK_FALSE(IsValidObjectPointer(nullptr));
    object->Release();
    CHECK_FALSE(IsValidObjectPointer(base));
}

TEST_CASE("every object counts towards the library's object count")
{
    LONG before = LibraryObjectCount();
    auto* object = new TestLongObject;
    CHECK(LibraryObjectCount() == before + 1);
    object->Release();
    CHECK(LibraryObjectCount() == before);
}

TEST_CASE("an aggregated object: IUnknown from the outer, the private identifier from the inner")
{
    TestOuter outer;
    auto* inner = new TestLongObject(&outer);
    outer.inner = inner->PrivateUnknown();
    {
        Released<IDispatch> dispatch;
        REQUIRE(inner->PrivateUnknown()->QueryInterface(IID_IDispatch, dispatch.OutVoid()) == S_OK);
        CHECK(outer.count == 2); // the inner's interfaces count on the outer object

        Released<IUnknown> identity;
        REQUIRE(dispatch->QueryInterface(IID_IUnknown, identity.OutVoid()) == S_OK);
        CHECK(identity.pointer == static_cast<IUnknown*>(&outer));

        Released<IDispatch> privateAnswer;
        REQUIRE(dispatch->QueryInterface(IID_IHvPrivateObject, privateAnswer.OutVoid()) == S_OK);
        CHECK(privateAnswer.pointer == static_cast<IDispatch*>(inner->Interface()));

        Released<IUnknown> nonDelegating;
        REQUIRE(inner->PrivateUnknown()->QueryInterface(IID_IUnknown, nonDelegating.OutVoid()) == S_OK);
        CHECK(nonDelegating.pointer == inner->PrivateUnknown());
        CHECK(inner->ReferenceCount() == 2);
    }
    CHECK(outer.count == 1);
    outer.inner = nullptr;
    CHECK(inner->PrivateUnknown()->Release() == 0);
}

TEST_CASE("a query for an unknown interface answers E_NOINTERFACE with a null pointer")
{
    auto* object = new TestLongObject;
    void* out = reinterpret_cast<void*>(1);
    CHECK(object->QueryInterface(IID_IStream, &out) == E_NOINTERFACE);
    CHECK(out == nullptr);
    CHECK(object->QueryInterface(IID_IDispatch, nullptr) == E_POINTER);
    object->Release();
}
