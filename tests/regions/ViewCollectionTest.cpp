// The view collections: visible headers, visible rows and child UI
// elements, which list objects made elsewhere.
#include "RegionFakes.h"

#include "HvHeaders.h"
#include "HvUIElements.h"
#include "HvVisibleRows.h"
#include "LateBound.h"
#include "ModelTestSupport.h"

#include <doctest/doctest.h>

namespace {

constexpr HRESULT kInvalidIndex = static_cast<HRESULT>(0x800AA21D);

LONG TagOf(IDispatch* object)
{
    // Every fake item is an automation object of the library, active or not.
    auto* automation = CAutomationObject::FromInterface(object, IID_IDispatch);
    if (auto* header = dynamic_cast<FakeHeader*>(automation))
        return header->tag;
    if (auto* row = dynamic_cast<FakeVisibleRow*>(automation))
        return row->tag;
    if (auto* element = dynamic_cast<FakeUIElement*>(automation))
        return element->tag;
    return -1;
}

std::vector<LONG> EnumeratedTags(IDispatch* collection)
{
    LateResult result;
    LateGet(collection, L"_NewEnum", result);
    std::vector<LONG> tags;
    if (result.hr != S_OK || V_VT(&result.value) != VT_UNKNOWN)
        return tags;
    Ref<IEnumVARIANT> enumerator;
    V_UNKNOWN(&result.value)->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(enumerator.Out()));
    VARIANT item;
    VariantInit(&item);
    while (enumerator && enumerator->Next(1, &item, nullptr) == S_OK) {
        tags.push_back(TagOf(V_DISPATCH(&item)));
        VariantClear(&item);
    }
    return tags;
}

std::vector<LONG> Longs(const std::vector<BYTE>& bytes)
{
    std::vector<LONG> values(bytes.size() / 4);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<LONG>(bytes[4 * i] | bytes[4 * i + 1] << 8 | bytes[4 * i + 2] << 16 |
                                      static_cast<DWORD>(bytes[4 * i + 3]) << 24);
    return values;
}

} // namespace

TEST_CASE("visible headers: Item by plain position, rebuilt without gaps")
{
    Ref<HvHeaders> headers;
    REQUIRE(HvHeaders::Create(nullptr, headers.Out()) == S_OK);
    IDispatch* collection = static_cast<IHvHeaders*>(headers.Get());

    LateResult empty;
    LateGet(collection, L"Item", empty, {I4(0)});
    CHECK(empty.scode == kInvalidIndex);
    CHECK(empty.description == L"Invalid Index value was passed in");

    HeaderSource source({10, -1, 30, 40});
    REQUIRE(headers->Rebuild(source) == S_OK);
    LateResult count;
    LateGet(collection, L"Count", count);
    CHECK(V_I4(&count.value) == 3);
    CHECK(EnumeratedTags(collection) == std::vector<LONG>{10, 30, 40});

    struct Case {
        long index;
        LONG tag; // -1: refused
    };
    for (const Case& k : {Case{0, 10}, Case{2, 40}, Case{3, -1}, Case{-1, -1}}) {
        CAPTURE(k.index);
        LateResult item;
        LateGet(collection, L"Item", item, {I4(k.index)});
        if (k.tag < 0) {
            CHECK(item.scode == kInvalidIndex);
            CHECK(item.description == L"Invalid Index value was passed in");
        } else {
            REQUIRE(item.hr == S_OK);
            CHECK(TagOf(V_DISPATCH(&item.value)) == k.tag);
        }
    }

    // A second rebuild replaces every header.
    HeaderSource next({50});
    REQUIRE(headers->Rebuild(next) == S_OK);
    CHECK(EnumeratedTags(collection) == std::vector<LONG>{50});
}

TEST_CASE("visible rows: the rows that stay visible live through a rebuild")
{
    Ref<HvVisibleRows> rows;
    REQUIRE(HvVisibleRows::Create(nullptr, rows.Out()) == S_OK);
    FakeRow* a = new FakeRow(1);
    FakeRow* b = new FakeRow(2);
    RowSource first({a, b});
    REQUIRE(rows->Rebuild(first) == S_OK);
    // From here only the visible rows hold the rows.
    a->Release();
    b->Release();
    CHECK(FakeRow::live == 2);

    RowSource again({b, nullptr, a});
    REQUIRE(rows->Rebuild(again) == S_OK);
    CHECK(FakeRow::live == 2);
    IDispatch* collection = static_cast<IHvVisibleRows*>(rows.Get());
    CHECK(EnumeratedTags(collection) == std::vector<LONG>{2, 1});
    auto* second = dynamic_cast<FakeVisibleRow*>(rows->ItemAtPosition(1));
    REQUIRE(second);
    CHECK(second->previous == rows->ItemAtPosition(0));

    RowSource none({});
    REQUIRE(rows->Rebuild(none) == S_OK);
    CHECK(FakeRow::live == 0);
}

TEST_CASE("a deactivated view collection still answers Count, _NewEnum and Item")
{
    Ref<HvVisibleRows> rows;
    REQUIRE(HvVisibleRows::Create(nullptr, rows.Out()) == S_OK);
    FakeRow* a = new FakeRow(7);
    RowSource source({a});
    REQUIRE(rows->Rebuild(source) == S_OK);
    a->Release();
    rows->Deactivate();

    IDispatch* collection = static_cast<IHvVisibleRows*>(rows.Get());
    LateResult count;
    LateGet(collection, L"Count", count);
    CHECK(V_I4(&count.value) == 1);
    CHECK(EnumeratedTags(collection) == std::vector<LONG>{7});
    LateResult item;
    LateGet(collection, L"Item", item, {I4(0)});
    REQUIRE(item.hr == S_OK);
    CHECK(TagOf(V_DISPATCH(&item.value)) == 7);
}

TEST_CASE("UI elements: read-only to the machinery, children deactivated with the collection")
{
    HvUIElements* elements = nullptr;
    REQUIRE(HvUIElements::Create(nullptr, &elements) == S_OK);
    FakeUIElement* kept = new FakeUIElement(1);
    kept->AddRef(); // a client's reference
    REQUIRE(elements->InsertListCollectionItem(-1, kept, false, 0) == S_OK);
    REQUIRE(elements->InsertListCollectionItem(0, new FakeUIElement(2), false, 0) == S_OK);

    IDispatch* collection = static_cast<IHvUIElements*>(elements);
    LateResult item;
    LateGet(collection, L"Item", item, {I4(1)});
    REQUIRE(item.hr == S_OK);
    CHECK(TagOf(V_DISPATCH(&item.value)) == 1);
    LateResult missing;
    LateGet(collection, L"Item", missing, {I4(2)});
    CHECK(missing.scode == kInvalidIndex);

    VARIANT first = I4(0);
    CHECK(elements->HvCollectionImpl::Remove(&first) == static_cast<HRESULT>(0x800AA21A));
    CHECK(elements->ClearListCollection(false, 0) == static_cast<HRESULT>(0x800AA21A));
    CHECK(LastErrorDescription() == L"This collection is read-only.");
    IDispatch* added = nullptr;
    CHECK(elements->AddInternal(nullptr, nullptr, &added, 0) == static_cast<HRESULT>(0x800AA21A));
    CHECK(elements->ItemCount() == 2);

    elements->Release();
    CHECK_FALSE(CAutomationObject::IsActive(kept));
    kept->Release();
}

TEST_CASE("view collections are made by their owners only")
{
    Ref<HvHeaders> headers;
    REQUIRE(HvHeaders::Create(nullptr, headers.Out()) == S_OK);
    IDispatch* added = nullptr;
    CHECK(headers->AddInternal(nullptr, nullptr, &added, 0) == E_FAIL);
    CHECK(headers->AddInternal(nullptr, nullptr, nullptr, 0) == E_INVALIDARG);
    CHECK(headers->CreateItem(nullptr, nullptr, 0) == E_INVALIDARG);
}

TEST_CASE("view collections save a version of their own and load only an empty list")
{
    Ref<HvHeaders> headers;
    REQUIRE(HvHeaders::Create(nullptr, headers.Out()) == S_OK);
    HeaderSource source({5, 6});
    REQUIRE(headers->Rebuild(source) == S_OK);
    Ref<IStream> saved(NewStream());
    REQUIRE(headers->Save(saved.Get(), 0) == S_OK);
    CHECK(Longs(StreamBytes(saved.Get())) == std::vector<LONG>{2, 0, 5, 6});

    HvUIElements* elements = nullptr;
    REQUIRE(HvUIElements::Create(nullptr, &elements) == S_OK);
    REQUIRE(elements->InsertListCollectionItem(-1, new FakeUIElement(9), false, 0) == S_OK);
    Ref<IStream> savedElements(NewStream());
    REQUIRE(elements->Save(savedElements.Get(), 0) == S_OK);
    CHECK(Longs(StreamBytes(savedElements.Get())) == std::vector<LONG>{1, 100, 9});
    elements->Release();

    // A saved non-empty list cannot be loaded: the collection is left empty.
    Rewind(saved.Get());
    CHECK(headers->Load(saved.Get(), 0) == E_FAIL);
    CHECK(headers->ItemCount() == 0);
    Ref<IStream> emptyList(NewStream({0, 0, 0, 0, 0, 0, 0, 0}));
    REQUIRE(headers->Rebuild(source) == S_OK);
    CHECK(headers->Load(emptyList.Get(), 0) == S_OK);
    CHECK(headers->ItemCount() == 0);
}
