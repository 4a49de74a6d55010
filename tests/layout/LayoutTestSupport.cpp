// Fixtures of the layout tests.
#include "LayoutTestSupport.h"

#include <doctest/doctest.h>

LayoutRef::LayoutRef()
{
    REQUIRE(HvLayout::Create(nullptr, nullptr, &layout_) == S_OK);
}

LayoutRef::~LayoutRef()
{
    if (layout_)
        layout_->Release();
}

long GetLong(IDispatch* object, const wchar_t* name)
{
    VARIANT value;
    REQUIRE(LateGet(object, name, &value).hr == S_OK);
    VARIANT asLong;
    VariantInit(&asLong);
    REQUIRE(VariantChangeType(&asLong, &value, 0, VT_I4) == S_OK);
    VariantClear(&value);
    return V_I4(&asLong);
}

double GetDouble(IDispatch* object, const wchar_t* name)
{
    VARIANT value;
    REQUIRE(LateGet(object, name, &value).hr == S_OK);
    VARIANT asDouble;
    VariantInit(&asDouble);
    REQUIRE(VariantChangeType(&asDouble, &value, 0, VT_R8) == S_OK);
    VariantClear(&value);
    return V_R8(&asDouble);
}

std::wstring GetText(IDispatch* object, const wchar_t* name)
{
    VARIANT value;
    REQUIRE(LateGet(object, name, &value).hr == S_OK);
    REQUIRE(V_VT(&value) == VT_BSTR);
    std::wstring text(V_BSTR(&value) ? V_BSTR(&value) : L"");
    VariantClear(&value);
    return text;
}

std::vector<BYTE> SavedFrame(HvLayout& layout, LONG categories)
{
    Ref<IStream> stream(NewStream());
    REQUIRE(layout.SaveToStream(stream.Get(), categories) == S_OK);
    return StreamBytes(stream.Get());
}
