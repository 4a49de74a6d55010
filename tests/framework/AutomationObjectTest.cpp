// The automation base: type information from the embedded type library,
// late-bound calls, error raising and deactivation.
#include "FrameworkTestSupport.h"
#include "HvReturnLong.h"
#include "TestObjects.h"

#include <doctest/doctest.h>

#include <string>

TEST_CASE("type information is loaded once per type, shared, and dropped with its loader")
{
    ObjectInfo& info = GetObjectInfo(ObjectType::HvReturnLong);
    REQUIRE(info.typeInfo == nullptr);

    auto* first = new TestLongObject;
    auto* second = new TestLongObject;
    Released<ITypeInfo> a;
    Released<ITypeInfo> b;
    REQUIRE(first->GetTypeInfo(0, 0, a.Out()) == S_OK);
    REQUIRE(second->GetTypeInfo(0, 0, b.Out()) == S_OK);
    CHECK(a.pointer == b.pointer);
    CHECK(info.typeInfo == a.pointer);
    CHECK(info.typeInfoHolders == 1);

    TYPEATTR* attributes = nullptr;
    REQUIRE(a->GetTypeAttr(&attributes) == S_OK);
    CHECK(attributes->typekind == TKIND_INTERFACE); // the interface half of the dual interface
    CHECK(IsEqualGUID(attributes->guid, IID_IHvReturnLong));
    a->ReleaseTypeAttr(attributes);

    second->Release();
    CHECK(info.typeInfo != nullptr); // only the loader holds the cache
    first->Release();
    CHECK(info.typeInfo == nullptr);
    CHECK(info.typeInfoHolders == 0);

    auto* third = new TestLongObject;
    Released<ITypeInfo> c;
    CHECK(third->GetTypeInfo(0, 0, c.Out()) == S_OK);
    CHECK(info.typeInfo != nullptr);
    third->Release();
    CHECK(info.typeInfo == nullptr);
}

TEST_CASE("IDispatch argument checks")
{
    auto* object = new TestLongObject;
    ITypeInfo* typeInfo = reinterpret_cast<ITypeInfo*>(1);
    CHECK(object->GetTypeInfo(1, 0, &typeInfo) == DISP_E_BADINDEX);
    CHECK(object->GetTypeInfo(0, 0, nullptr) == E_POINTER);
    CHECK(object->GetTypeInfoCount(nullptr) == E_INVALIDARG);
    UINT count = 0;
    CHECK(object->GetTypeInfoCount(&count) == S_OK);
    CHECK(count == 1);
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Value")};
    DISPID dispid = 0;
    CHECK(object->GetIDsOfNames(IID_IDispatch, names, 1, 0, &dispid) == E_INVALIDARG);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    CHECK(object->Invoke(0, IID_IDispatch, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr) == E_INVALIDARG);
    object->Release();
}

TEST_CASE("late-bound names and property get/put go through the type library")
{
    auto* object = new TestLongObject;
    DISPID dispid = -1;
    CHECK(DispIdOf(object, L"value", dispid) == S_OK); // names are case-insensitive
    CHECK(dispid == 0);
    CHECK(DispIdOf(object, L"NoSuchMember", dispid) == DISP_E_UNKNOWNNAME);

    ScopedVariant value;
    V_VT(&value.value) = VT_I4;
    V_I4(&value.value) = 1234;
    CHECK(PutPropertyLate(object, L"Value", value.value) == S_OK);
    ScopedVariant read;
    CHECK(GetPropertyLate(object, L"Value", &read.value) == S_OK);
    CHECK(V_VT(&read.value) == VT_I4);
    CHECK(V_I4(&read.value) == 1234);
    object->Release();
}

TEST_CASE("a deactivated object's members fail with 'This object is no longer active'")
{
    auto* object = new TestLongObject;
    CHECK(object->IsActive());
    object->Deactivate();
    CHECK_FALSE(object->IsActive());
    CHECK(object->releasedReferences == 1);

    SUBCASE("early bound: the result and the error object")
    {
        LONG value = 0;
        CHECK(object->get_Value(&value) == static_cast<HRESULT>(0x800AA21B));
        Released<IErrorInfo> error;
        REQUIRE(GetErrorInfo(0, error.Out()) == S_OK);
        BSTR source = nullptr;
        BSTR description = nullptr;
        error->GetSource(&source);
        error->GetDescription(&description);
        CHECK(std::wstring(source) == L"HvReturnLong");
        CHECK(std::wstring(description) == L"This object is no longer active");
        GUID guid = GUID_NULL;
        error->GetGUID(&guid);
        CHECK(IsEqualGUID(guid, IID_IHvReturnLong));
        SysFreeString(source);
        SysFreeString(description);
    }
    SUBCASE("late bound: the error reaches the client through the exception information")
    {
        ScopedVariant read;
        EXCEPINFO exception = {};
        HRESULT hr = GetPropertyLate(object, L"Value", &read.value, &exception);
        REQUIRE(FAILED(hr));
        HRESULT code = hr == DISP_E_EXCEPTION ? exception.scode : hr;
        CHECK(code == static_cast<HRESULT>(0x800AA21B));
        if (hr == DISP_E_EXCEPTION) {
            CHECK(std::wstring(exception.bstrSource) == L"HvReturnLong");
            CHECK(std::wstring(exception.bstrDescription) == L"This object is no longer active");
        } else {
            Released<IErrorInfo> error;
            REQUIRE(GetErrorInfo(0, error.Out()) == S_OK);
            BSTR source = nullptr;
            error->GetSource(&source);
            CHECK(std::wstring(source) == L"HvReturnLong");
            SysFreeString(source);
        }
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
    }
    object->Release();
}

TEST_CASE("Invoke clears an earlier error so that a failing member leaves only its own")
{
    auto* object = new TestLongObject;
    object->Exception(E_FAIL, 10017); // a stale error of some earlier call
    ScopedVariant read;
    CHECK(GetPropertyLate(object, L"Value", &read.value) == S_OK);
    IErrorInfo* error = nullptr;
    CHECK(GetErrorInfo(0, &error) == S_FALSE);
    if (error)
        error->Release();
    object->Release();
}

TEST_CASE("Exception fills placeholders and returns the code it was given")
{
    auto* object = new TestLongObject;
    const char* inserts[] = {"12", nullptr};
    // 6002 holds "|1" once.
    CHECK(object->Exception(E_FAIL, 6002, 0, inserts) == E_FAIL);
    Released<IErrorInfo> error;
    REQUIRE(GetErrorInfo(0, error.Out()) == S_OK);
    BSTR description = nullptr;
    error->GetDescription(&description);
    CHECK(std::wstring(description).rfind(L"You have selected 12 rows for deletion.", 0) == 0);
    SysFreeString(description);
    object->Release();
}

TEST_CASE("IsSameAs, ISupportErrorInfo and _GetObjectPointer")
{
    auto* object = new TestLongObject;
    auto* other = new TestLongObject;
    long pointer = 0;
    {
        Released<ISupportErrorInfo> support;
        REQUIRE(object->QueryInterface(IID_ISupportErrorInfo, support.OutVoid()) == S_OK);
        CHECK(support->InterfaceSupportsErrorInfo(IID_IHvReturnLong) == S_OK);
        CHECK(support->InterfaceSupportsErrorInfo(IID_IDispatch) == S_FALSE);

        Released<IDispatch> viaSupport;
        REQUIRE(support->QueryInterface(IID_IDispatch, viaSupport.OutVoid()) == S_OK);
        CHECK(object->IsSameAs(viaSupport.pointer) == VARIANT_TRUE);
        CHECK(object->IsSameAs(other->Interface()) == VARIANT_FALSE);
        CHECK(object->IsSameAs(nullptr) == VARIANT_FALSE);

        CHECK(CAutomationObject::GetObjectPointer(object->Interface(), nullptr) == E_INVALIDARG);
        CHECK(CAutomationObject::GetObjectPointer(object->Interface(), &pointer) == S_OK);
        CHECK(CAutomationObject::FromObjectPointer(pointer) == static_cast<CAutomationObject*>(object));
    }
    other->Release();
    object->Release();
    CHECK(CAutomationObject::FromObjectPointer(pointer) == nullptr);
}

TEST_CASE("Deactivate and IsActive on pointers that are no longer objects")
{
    auto* object = new TestLongObject;
    CAutomationObject* base = object;
    object->Release();
    CHECK_FALSE(CAutomationObject::IsActive(base));
    CAutomationObject::Deactivate(base); // left alone: no fault
    CHECK_FALSE(CAutomationObject::IsActive(nullptr));
}
