// A layout with the object model's real band, columns, group and add-new
// box, saved and loaded whole, copied and reset.
#include <doctest/doctest.h>

#include "LayoutTestSupport.h"

#include "HvBands.h"
#include "HvCollectionImpl.h"

namespace {

// Adds a band with a key straight through the collection, as the rowset
// binding does.
Ref<IDispatch> AddBand(HvLayout& layout, const wchar_t* key)
{
    BSTR name = SysAllocString(key);
    IDispatch* band = nullptr;
    HRESULT hr = layout.Bands()->AddInternal(name, nullptr, &band, 0);
    SysFreeString(name);
    REQUIRE(hr == S_OK);
    REQUIRE(band != nullptr);
    return Ref<IDispatch>(band);
}

Ref<IDispatch> GetObject(IDispatch* object, const wchar_t* name)
{
    VARIANT value;
    REQUIRE(LateGet(object, name, &value).hr == S_OK);
    REQUIRE(V_VT(&value) == VT_DISPATCH);
    return Ref<IDispatch>(V_DISPATCH(&value));
}

Ref<IDispatch> Call(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments)
{
    VARIANT result;
    LateResult call = LateCall(object, name, std::move(arguments), &result);
    REQUIRE(call.hr == S_OK);
    REQUIRE(V_VT(&result) == VT_DISPATCH);
    return Ref<IDispatch>(V_DISPATCH(&result));
}

Ref<IDispatch> ItemOf(IDispatch* collection, long index)
{
    VARIANT result;
    VARIANT argument = MakeI4(index);
    DISPPARAMS params{&argument, nullptr, 1, 0};
    VariantInit(&result);
    REQUIRE(collection->Invoke(0, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &params, &result, nullptr,
                               nullptr) == S_OK);
    REQUIRE(V_VT(&result) == VT_DISPATCH);
    return Ref<IDispatch>(V_DISPATCH(&result));
}

void BuildAnalysisLayout(HvLayout& layout)
{
    Ref<IDispatch> band = AddBand(layout, L"Analises");
    Ref<IDispatch> columns = GetObject(band.Get(), L"Columns");
    for (const wchar_t* key : {L"AMOSTRA", L"ME", L"FATOR"}) {
        VARIANT name = MakeText(key);
        Call(columns.Get(), L"Add", {name, Missing()});
        VariantClear(&name);
    }
    Ref<IDispatch> groups = GetObject(band.Get(), L"Groups");
    VARIANT groupKey = MakeText(L"Densidades");
    Ref<IDispatch> group = Call(groups.Get(), L"Add", {groupKey, Missing(), Missing()});
    VariantClear(&groupKey);
    VARIANT caption = MakeText(L"Amostras do dia");
    REQUIRE(LatePut(static_cast<IHvLayout*>(&layout), L"Caption", caption).hr == S_OK);
    VariantClear(&caption);
    Ref<IDispatch> box = GetObject(static_cast<IHvLayout*>(&layout), L"AddNewBox");
    REQUIRE(LatePut(box.Get(), L"Hidden", MakeI4(0)).hr == S_OK);
    VARIANT prompt = MakeText(L"Nova amostra");
    REQUIRE(LatePut(box.Get(), L"Prompt", prompt).hr == S_OK);
    VariantClear(&prompt);
}

} // namespace

TEST_CASE("a layout with a band, its columns and a group survives a save and a load")
{
    LayoutRef layout;
    BuildAnalysisLayout(*layout);
    REQUIRE(layout->Bands()->ItemCount() == 1);

    VARIANT saved;
    VariantInit(&saved);
    REQUIRE(layout.Interface()->Save(&saved, MakeI4(2), Missing(), Missing(), Missing()) == S_OK);

    LayoutRef loaded;
    REQUIRE(loaded.Interface()->Load(&saved, MakeI4(2), Missing(), Missing(), Missing(), Missing()) == S_OK);
    VariantClear(&saved);
    REQUIRE(loaded->Bands()->ItemCount() == 1);
    Ref<IDispatch> band = ItemOf(GetObject(loaded.Dispatch(), L"Bands").Get(), 0);
    CHECK(GetText(band.Get(), L"Key") == L"Analises");
    Ref<IDispatch> columns = GetObject(band.Get(), L"Columns");
    CHECK(GetLong(columns.Get(), L"Count") == 3);
    CHECK(GetText(ItemOf(columns.Get(), 1).Get(), L"Key") == L"ME");
    CHECK(GetLong(GetObject(band.Get(), L"Groups").Get(), L"Count") == 1);
    CHECK(GetText(loaded.Dispatch(), L"Caption") == L"Amostras do dia");
    Ref<IDispatch> box = GetObject(loaded.Dispatch(), L"AddNewBox");
    CHECK(GetLong(box.Get(), L"Hidden") == 0);
    CHECK(GetText(box.Get(), L"Prompt") == L"Nova amostra");
    CHECK(loaded->IsAddNewBoxVisible());
    CHECK(SavedFrame(*loaded) == SavedFrame(*layout));

    SUBCASE("a clone without the band categories has no bands")
    {
        Ref<IHvLayout> clone;
        REQUIRE(layout.Interface()->Clone(MakeI4(HvLayout::CatGeneral), clone.Out()) == S_OK);
        CHECK(HvLayout::FromObject(clone.Get())->Bands()->ItemCount() == 0);
        Ref<IDispatch> box = GetObject(clone.Get(), L"AddNewBox");
        CHECK(GetText(box.Get(), L"Prompt") == L"Nova amostra");
    }
    SUBCASE("Reset of the bands category empties a stand-alone layout's Bands")
    {
        REQUIRE(layout.Interface()->Reset(MakeI4(HvLayout::CatBands), Missing()) == S_OK);
        CHECK(layout->Bands()->ItemCount() == 0);
        CHECK(GetText(layout.Dispatch(), L"Caption") == L"Amostras do dia");
    }
}
