// The two value-list collections: adding with keys and positions, removal
// and clearing with their notices, look-ups, and layout copy by category.
#include <doctest/doctest.h>

#include "ValueListSupport.h"

namespace {

constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);
constexpr HRESULT kBadIndex = static_cast<HRESULT>(0x800AA21D);
constexpr HRESULT kKeyNotString = static_cast<HRESULT>(0x800AA21E);
constexpr HRESULT kDuplicateKey = static_cast<HRESULT>(0x800A797D);
constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);
constexpr LONG kValueListsCategory = 1024;

long CountOf(IHvValueListItems* items)
{
    long count = -1;
    REQUIRE(items->get_Count(&count) == S_OK);
    return count;
}

long CountOf(IHvValueLists* lists)
{
    long count = -1;
    REQUIRE(lists->get_Count(&count) == S_OK);
    return count;
}

std::vector<long> DataValues(HvValueListItems* items)
{
    std::vector<long> values;
    for (HvKeyedItem* entry : items->Items()) {
        const VARIANT& value = dynamic_cast<HvValueListItem*>(entry)->DataValue();
        values.push_back(V_VT(&value) == VT_I4 ? V_I4(&value) : -1);
    }
    return values;
}

} // namespace

TEST_CASE("valuelist: items are added at a position")
{
    ValueListLayout layout;
    Ref<HvValueLists> lists(NewValueLists(layout));
    Ref<HvValueList> list(AddList(lists.Get(), nullptr));
    HvValueListItems* items = ItemsOf(list.Get());
    for (long value : {1, 2, 3})
        AddItem(list.Get(), value)->Release();

    struct Row {
        const char* name;
        VARIANT index;
        HRESULT hr;
        std::vector<long> after;
    } rows[] = {
        {"front", MakeI4(0), S_OK, {9, 1, 2, 3}},
        {"at the count", MakeI4(3), S_OK, {1, 2, 3, 9}},
        {"missing", Missing(), S_OK, {1, 2, 3, 9}},
        {"beyond the count", MakeI4(4), kBadIndex, {1, 2, 3}},
        {"numeric text", MakeText(L"1"), S_OK, {1, 9, 2, 3}},
    };
    for (Row& row : rows) {
        CAPTURE(row.name);
        VARIANT nine = MakeI4(9);
        IHvValueListItem* added = nullptr;
        CHECK(items->Add(&nine, Missing(), row.index, &added) == row.hr);
        CHECK(DataValues(items) == row.after);
        if (added) {
            VARIANT position = MakeObject(added);
            REQUIRE(items->Remove(position) == S_OK);
            added->Release();
        }
        VariantClear(&row.index);
    }

    IHvValueListItem* added = nullptr;
    CHECK(items->Add(nullptr, Missing(), Missing(), &added) == E_INVALIDARG);
    VARIANT nine = MakeI4(9);
    CHECK(items->Add(&nine, Missing(), Missing(), nullptr) == E_INVALIDARG);
    // A data value no item can hold adds nothing.
    VARIANT object = MakeObject(lists.Get());
    CHECK(items->Add(&object, Missing(), Missing(), &added) == kInvalidValue);
    CHECK(added == nullptr);
    CHECK(CountOf(items) == 3);
    // Item by position and Remove by a text that is no number.
    CHECK(items->get_Item(3, &added) == kBadIndex);
    VARIANT word = MakeText(L"two");
    CHECK(items->Remove(word) == kBadIndex);
    VariantClear(&word);
    items->Deactivate();
    CHECK(items->Add(&nine, Missing(), Missing(), &added) == kNotActive);
}

TEST_CASE("valuelist: value lists are added by key")
{
    ValueListLayout layout;
    Ref<HvValueLists> lists(NewValueLists(layout));
    NoticeRecorder recorder;
    recorder.Watch(lists.Get());
    IHvValueList* out = nullptr;
    VARIANT numeric = MakeText(L"42");
    CHECK(lists->Add(numeric, &out) == kKeyNotString);
    CHECK(lists->Add(MakeI4(3), &out) == kKeyNotString);
    VARIANT key = MakeText(L"Units");
    REQUIRE(lists->Add(key, &out) == S_OK);
    Ref<HvValueList> first(static_cast<HvValueList*>(out));
    CHECK(lists->Add(key, &out) == kDuplicateKey);
    CHECK(LastErrorDescription() == L"The Key value already exists");
    Ref<HvValueList> unnamed1(AddList(lists.Get(), nullptr));
    Ref<HvValueList> unnamed2(AddList(lists.Get(), L""));
    CHECK(CountOf(lists.Get()) == 3);
    CHECK(lists->FindValueList(CDualString("UNITS")) == first.Get());
    CHECK(lists->ValueListAt(2) == unnamed2.Get());
    CHECK(lists->IndexOfValueList(unnamed1.Get()) == 1);
    CHECK(unnamed2->GetIndex() == 2);

    VARIANT one = MakeI4(1);
    REQUIRE(lists->Remove(one) == S_OK);
    CHECK(unnamed1->GetIndex() == -1);
    REQUIRE(lists->Clear() == S_OK);
    CHECK(first->GetIndex() == -1);
    std::vector<std::int32_t> what;
    for (const ChangeNotice& notice : recorder.notices)
        what.push_back(notice.what);
    CHECK(what == std::vector<std::int32_t>{2001, 2001, 2001, 2002, -554});
    VariantClear(&numeric);
    VariantClear(&key);
}

TEST_CASE("valuelist: layout copy by property category")
{
    ValueListLayout layout;
    Ref<HvValueLists> source(NewValueLists(layout));
    Ref<HvValueList> units(AddList(source.Get(), L"Units"));
    REQUIRE(units->put_SortStyle(hvValueListSortStyleAscending) == S_OK);
    REQUIRE(units->put_DisplayStyle(hvValueListDisplayStyleDisplayText) == S_OK);
    AddItem(units.Get(), 2, L"kg")->Release();
    AddItem(units.Get(), 1, L"g")->Release();
    CHECK(EnumeratedTexts(ItemsOf(units.Get())) == std::vector<std::string>{"g", "kg"});

    Ref<HvValueLists> target(NewValueLists(layout));
    Ref<HvValueList> old(AddList(target.Get(), L"Old"));
    NoticeRecorder recorder;
    recorder.Watch(target.Get());
    // Without the category nothing changes.
    CHECK(target->CopyFrom(*source.Get(), 1 | 2) == S_OK);
    CHECK(target->ValueListAt(0) == old.Get());
    CHECK(recorder.notices.empty());
    CHECK_FALSE(target->HasDataForCategories(2));
    CHECK(target->HasDataForCategories(kValueListsCategory));

    CHECK(target->CopyFrom(*source.Get(), kValueListsCategory) == S_OK);
    REQUIRE(recorder.notices.size() == 1);
    CHECK(recorder.notices[0].what == -554);
    REQUIRE(CountOf(target.Get()) == 1);
    HvValueList* copy = target->ValueListAt(0);
    CHECK(copy != units.Get());
    CHECK(copy->GetIndex() == 0);
    CHECK(std::string(copy->GetKey()->c_str()) == "Units");
    CHECK(copy->DisplayStyleValue() == hvValueListDisplayStyleDisplayText);
    CHECK(copy->SortStyleValue() == hvValueListSortStyleAscending);
    HvValueListItems* copiedItems = copy->GetValueListItems(false);
    REQUIRE(copiedItems != nullptr);
    CHECK(copiedItems->IsSorted());
    CHECK(StoredTexts(copiedItems) == std::vector<std::string>{"g", "kg"});
    CHECK(old->GetIndex() == -1);
    // The copy's items belong to the copy and tell it of their changes.
    NoticeRecorder copySide;
    copySide.Watch(copy);
    BSTR text = SysAllocString(L"gram");
    REQUIRE(copiedItems->GetItemAt(0)->put_DisplayText(text) == S_OK);
    SysFreeString(text);
    REQUIRE(copySide.notices.size() == 1);
    CHECK(copySide.notices[0].what == 1055);
    CHECK(StoredTexts(ItemsOf(units.Get())) == std::vector<std::string>{"g", "kg"});
}
