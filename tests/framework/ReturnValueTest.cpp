// The return-value objects: Value (DISPID 0) early and late bound.
#include "FrameworkTestSupport.h"
#include "HvReturnBoolean.h"
#include "HvReturnFloat.h"
#include "HvReturnLong.h"
#include "HvReturnShort.h"

#include <doctest/doctest.h>

namespace {

struct LateBoundCase {
    const char* name;
    IDispatch* (*make)();
    VARTYPE type;
    VARIANT initial;  // what the object was made with
    VARIANT put;      // what a client writes
};

VARIANT Number(VARTYPE type, double value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_R8;
    V_R8(&v) = value;
    VariantChangeType(&v, &v, 0, type);
    return v;
}

VARIANT Boolean(VARIANT_BOOL value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value;
    return v;
}

} // namespace

TEST_CASE("Value is got and put late-bound on each class")
{
    const LateBoundCase cases[] = {
        {"HvReturnLong", [] { return static_cast<IDispatch*>(HvReturnLong::Create(-7)); }, VT_I4, Number(VT_I4, -7),
         Number(VT_I4, 2147483647)},
        {"HvReturnShort", [] { return static_cast<IDispatch*>(HvReturnShort::Create(13)); }, VT_I2, Number(VT_I2, 13),
         Number(VT_I2, 0)},
        {"HvReturnBoolean", [] { return static_cast<IDispatch*>(HvReturnBoolean::Create(VARIANT_FALSE)); }, VT_BOOL,
         Boolean(VARIANT_FALSE), Boolean(1)},
        {"HvReturnFloat", [] { return static_cast<IDispatch*>(HvReturnFloat::Create(20.0f)); }, VT_R4,
         Number(VT_R4, 20.0), Number(VT_R4, 0.1)},
    };
    for (const LateBoundCase& c : cases) {
        CAPTURE(c.name);
        Released<IDispatch> object(c.make());
        REQUIRE(object.pointer);
        DISPID dispid = -1;
        CHECK(DispIdOf(object.pointer, L"Value", dispid) == S_OK);
        CHECK(dispid == DISPID_VALUE);

        ScopedVariant first;
        REQUIRE(GetPropertyLate(object.pointer, L"Value", &first.value) == S_OK);
        CHECK(V_VT(&first.value) == c.type);
        CHECK(VarCmp(&first.value, const_cast<VARIANT*>(&c.initial), 0, 0) == VARCMP_EQ);

        REQUIRE(PutPropertyLate(object.pointer, L"Value", c.put) == S_OK);
        ScopedVariant second;
        REQUIRE(GetPropertyLate(object.pointer, L"Value", &second.value) == S_OK);
        CHECK(V_VT(&second.value) == c.type);
        CHECK(memcmp(&V_I4(&second.value), &V_I4(&c.put), c.type == VT_I2 || c.type == VT_BOOL ? 2 : 4) == 0);
    }
}

TEST_CASE("a Boolean is stored as given, a float keeps its single-precision value")
{
    IHvReturnBoolean* flag = HvReturnBoolean::Create(VARIANT_FALSE);
    REQUIRE(flag);
    CHECK(flag->put_Value(1) == S_OK); // a Cancel of 1 cancels like -1: nothing normalises it
    VARIANT_BOOL stored = 0;
    CHECK(flag->get_Value(&stored) == S_OK);
    CHECK(stored == 1);
    flag->Release();

    IHvReturnFloat* height = HvReturnFloat::Create(0.0f);
    REQUIRE(height);
    const float exact = 16777215.0f / 3.0f;
    CHECK(height->put_Value(exact) == S_OK);
    float first = 0;
    float second = 0;
    height->get_Value(&first);
    height->get_Value(&second);
    CHECK(memcmp(&first, &exact, sizeof exact) == 0);
    CHECK(memcmp(&second, &exact, sizeof exact) == 0);
    height->Release();
}

TEST_CASE("return-value objects: null out pointer, interfaces and identity")
{
    IHvReturnShort* keyCode = HvReturnShort::Create(65);
    REQUIRE(keyCode);
    CHECK(keyCode->get_Value(nullptr) == E_INVALIDARG);

    Released<IDispatch> dispatch;
    Released<IHvReturnShort> own;
    Released<ISupportErrorInfo> support;
    REQUIRE(keyCode->QueryInterface(IID_IDispatch, dispatch.OutVoid()) == S_OK);
    REQUIRE(keyCode->QueryInterface(IID_IHvReturnShort, own.OutVoid()) == S_OK);
    REQUIRE(keyCode->QueryInterface(IID_ISupportErrorInfo, support.OutVoid()) == S_OK);
    CHECK(static_cast<void*>(dispatch.pointer) == static_cast<void*>(own.pointer));
    Released<IHvReturnShort> back;
    REQUIRE(support->QueryInterface(IID_IHvReturnShort, back.OutVoid()) == S_OK);
    CHECK(back.pointer == keyCode);
    keyCode->Release();
}
