// Value lists and their items: late-bound members, styles and their errors,
// shown text, sorting, Find and the look-ups cells use, change notices, and
// objects that clients hold beyond their owners.
#include <doctest/doctest.h>

#include "ValueListSupport.h"

#include "AppearanceData.h"
#include "HvAppearance.h"
#include "HvPropertyQuery.h"

namespace {

constexpr HRESULT kInvalidValue = static_cast<HRESULT>(0x800A017C);
constexpr HRESULT kNotActive = static_cast<HRESULT>(0x800AA21B);
constexpr HRESULT kBadIndex = static_cast<HRESULT>(0x800AA21D);
constexpr HRESULT kKeyNotString = static_cast<HRESULT>(0x800AA21E);
constexpr HRESULT kItemNotFound = static_cast<HRESULT>(0x800A9C64);

DISPID IdOfName(IDispatch* object, const wchar_t* name)
{
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

IDispatch* DispatchOf(VARIANT& value)
{
    REQUIRE(V_VT(&value) == VT_DISPATCH);
    REQUIRE(V_DISPATCH(&value) != nullptr);
    return V_DISPATCH(&value);
}

// Item(index) as a script reads it: a property get with an argument.
HRESULT LateItem(IDispatch* collection, VARIANT index, VARIANT* result)
{
    DISPPARAMS params = {&index, nullptr, 1, 0};
    VariantInit(result);
    return collection->Invoke(0, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &params,
                              result, nullptr, nullptr);
}

std::string Narrow(const VARIANT& value)
{
    REQUIRE(V_VT(&value) == VT_BSTR);
    return CDualString(static_cast<const wchar_t*>(V_BSTR(&value))).c_str();
}

// A list with three items whose shown texts are b, C and a, added in that
// order.
struct ThreeItems {
    ValueListLayout layout;
    Ref<HvValueLists> lists{NewValueLists(layout)};
    Ref<HvValueList> list{AddList(lists.Get(), L"letters")};
    Ref<HvValueListItem> b{AddItem(list.Get(), 1, L"b")};
    Ref<HvValueListItem> c{AddItem(list.Get(), 2, L"C")};
    Ref<HvValueListItem> a{AddItem(list.Get(), 3, L"a")};
    HvValueListItems* items = ItemsOf(list.Get());
};

} // namespace

TEST_CASE("valuelist: members reach the type library's dispatch identifiers")
{
    ThreeItems fixture;
    struct Row {
        IDispatch* object;
        const wchar_t* name;
        DISPID id;
    } rows[] = {
        {fixture.lists.Get(), L"Item", 0},          {fixture.lists.Get(), L"Add", 2001},
        {fixture.lists.Get(), L"Count", 2000},      {fixture.lists.Get(), L"Remove", 2002},
        {fixture.lists.Get(), L"Clear", -554},      {fixture.list.Get(), L"ValueListItems", 1055},
        {fixture.list.Get(), L"Key", 1015},         {fixture.list.Get(), L"Index", 1046},
        {fixture.list.Get(), L"SortStyle", 2139},   {fixture.list.Get(), L"Appearance", -520},
        {fixture.list.Get(), L"DisplayStyle", -540}, {fixture.list.Get(), L"Find", 2130},
        {fixture.list.Get(), L"TagVariant", 39},    {fixture.list.Get(), L"IsSameAs", 1048},
        {fixture.items, L"Item", 0},                {fixture.items, L"Add", 2001},
        {fixture.items, L"Count", 2000},            {fixture.a.Get(), L"Appearance", -520},
        {fixture.a.Get(), L"DisplayText", 2147},    {fixture.a.Get(), L"DataValue", 2148},
        {fixture.a.Get(), L"Index", 1046},          {fixture.a.Get(), L"TagVariant", 39},
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.name, row.name + wcslen(row.name)));
        CHECK(IdOfName(row.object, row.name) == row.id);
    }
}

TEST_CASE("valuelist: a script builds and searches a list late-bound")
{
    ValueListLayout layout;
    Ref<HvValueLists> lists(NewValueLists(layout));
    IDispatch* collection = lists.Get();

    VARIANT key = MakeText(L"Numbers");
    VARIANT listValue;
    REQUIRE(LateCall(collection, L"Add", {key}, &listValue).hr == S_OK);
    IDispatch* list = DispatchOf(listValue);

    VARIANT itemsValue;
    REQUIRE(LateGet(list, L"ValueListItems", &itemsValue).hr == S_OK);
    IDispatch* items = DispatchOf(itemsValue);
    VARIANT five = MakeText(L"five");
    VARIANT itemValue;
    REQUIRE(LateCall(items, L"Add", {MakeI4(5), five}, &itemValue).hr == S_OK);
    VARIANT text;
    REQUIRE(LateGet(DispatchOf(itemValue), L"DisplayText", &text).hr == S_OK);
    CHECK(Narrow(text) == "five");
    VARIANT data;
    REQUIRE(LateGet(DispatchOf(itemValue), L"DataValue", &data).hr == S_OK);
    CHECK(V_VT(&data) == VT_I4);
    CHECK(V_I4(&data) == 5);

    // Partial text search, then errors as a script sees them.
    VARIANT fi = MakeText(L"fi");
    VARIANT found;
    REQUIRE(LateCall(list, L"Find", {fi, MakeI4(1)}, &found).hr == S_OK);
    CHECK(V_DISPATCH(&found) == V_DISPATCH(&itemValue));
    LateResult bad = LatePut(list, L"DisplayStyle", MakeI4(6));
    CHECK(bad.hr == kInvalidValue);
    CHECK(bad.description == L"Invalid property value");
    LateResult late = LateCall(items, L"Add", {MakeI4(1), Missing(), MakeI4(9)}, nullptr);
    CHECK(late.hr == kBadIndex);
    CHECK(late.description == L"Specified index is invalid");
    VARIANT numeric = MakeText(L"42");
    LateResult numericKey = LateCall(collection, L"Add", {numeric}, nullptr);
    CHECK(numericKey.hr == kKeyNotString);
    CHECK(numericKey.description == L"The Key value has to be a string");

    // The key is found whatever its case.
    VARIANT other = MakeText(L"nUMBERS");
    VARIANT same;
    REQUIRE(LateItem(collection, other, &same) == S_OK);
    CHECK(V_DISPATCH(&same) == list);

    for (VARIANT* v : {&key, &listValue, &itemsValue, &five, &itemValue, &text, &data, &fi, &found, &numeric, &other,
                       &same})
        VariantClear(v);
}

TEST_CASE("valuelist: a new list and its style properties")
{
    ValueListLayout layout;
    Ref<HvValueLists> lists(NewValueLists(layout));
    Ref<HvValueList> list(AddList(lists.Get(), L"Styles"));
    Constants_ValueListDisplayStyle display = hvValueListDisplayStylePicture;
    Constants_ValueListSortStyle sort = hvValueListSortStyleDescending;
    CHECK(list->get_DisplayStyle(&display) == S_OK);
    CHECK(display == hvValueListDisplayStyleDefault);
    CHECK(list->get_SortStyle(&sort) == S_OK);
    CHECK(sort == hvValueListSortStyleNone);
    VARIANT tag;
    VariantInit(&tag);
    CHECK(list->get_TagVariant(&tag) == S_OK);
    CHECK(V_VT(&tag) == VT_EMPTY);
    CHECK(list->GetValueListItems(false) == nullptr);
    IHvValueListItems* items = nullptr;
    CHECK(list->get_ValueListItems(&items) == S_OK);
    CHECK(items == list->GetValueListItems(false));
    items->Release();

    NoticeRecorder recorder;
    recorder.Watch(list.Get());
    CHECK(list->put_DisplayStyle(static_cast<Constants_ValueListDisplayStyle>(6)) == kInvalidValue);
    CHECK(LastErrorDescription() == L"Invalid property value");
    CHECK(list->put_DisplayStyle(hvValueListDisplayStyleDisplayText) == S_OK);
    CHECK(list->put_DisplayStyle(hvValueListDisplayStyleDisplayText) == S_OK);
    CHECK(list->put_SortStyle(static_cast<Constants_ValueListSortStyle>(3)) == S_OK);
    CHECK(list->put_SortStyle(static_cast<Constants_ValueListSortStyle>(3)) == S_OK);
    CHECK(list->get_DisplayStyle(&display) == S_OK);
    CHECK(display == hvValueListDisplayStyleDisplayText);
    CHECK(list->get_SortStyle(&sort) == S_OK);
    CHECK(sort == 3);
    REQUIRE(recorder.notices.size() == 2);
    CHECK(recorder.notices[0].what == -540);
    CHECK(recorder.notices[1].what == 2139);

    BSTR key = nullptr;
    CHECK(list->get_Key(&key) == S_OK);
    CHECK(std::wstring(key) == L"Styles");
    SysFreeString(key);
    Ref<HvValueList> second(AddList(lists.Get(), nullptr));
    long index = -1;
    CHECK(second->get_Index(&index) == S_OK);
    CHECK(index == 1);
    CHECK(second->get_Key(&key) == S_OK);
    CHECK(SysStringLen(key) == 0);
    SysFreeString(key);
    CHECK(list->get_Index(nullptr) == E_INVALIDARG);
}

TEST_CASE("valuelist: items are sorted lazily by the text they show")
{
    struct Row {
        const char* name;
        int sortStyle;
        int displayStyle;
        std::vector<std::string> enumerated;
    } rows[] = {
        {"unsorted", 0, 0, {"b", "C", "a"}},
        {"ascending", 1, 0, {"a", "b", "C"}},
        {"descending", 2, 0, {"C", "b", "a"}},
        {"any other style ascends", 3, 0, {"a", "b", "C"}},
        {"pictures are never sorted", 1, 5, {"", "", ""}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        ThreeItems fixture;
        REQUIRE(fixture.list->put_SortStyle(static_cast<Constants_ValueListSortStyle>(row.sortStyle)) == S_OK);
        REQUIRE(fixture.list->put_DisplayStyle(static_cast<Constants_ValueListDisplayStyle>(row.displayStyle)) == S_OK);
        // Item reads the storage order, which nothing has sorted yet.
        IHvValueListItem* first = nullptr;
        REQUIRE(fixture.items->get_Item(0, &first) == S_OK);
        CHECK(first == static_cast<IHvValueListItem*>(fixture.b.Get()));
        first->Release();
        CHECK(EnumeratedTexts(fixture.items) == row.enumerated);
        CHECK(fixture.items->IsSorted() == (row.sortStyle != 0 && row.displayStyle != 5));
    }

    ThreeItems fixture;
    REQUIRE(fixture.list->put_SortStyle(hvValueListSortStyleAscending) == S_OK);
    // The item's Index is its place in the sorted order.
    long index = -1;
    CHECK(fixture.a->get_Index(&index) == S_OK);
    CHECK(index == 0);
    CHECK(StoredTexts(fixture.items) == std::vector<std::string>{"a", "b", "C"});
    // A new item, or a changed text, puts the list out of order until read.
    Ref<HvValueListItem> added(AddItem(fixture.list.Get(), 4, L"B"));
    CHECK_FALSE(fixture.items->IsSorted());
    CHECK(EnumeratedTexts(fixture.items) == std::vector<std::string>{"a", "b", "B", "C"});
    BSTR z = SysAllocString(L"z");
    REQUIRE(fixture.a->put_DisplayText(z) == S_OK);
    SysFreeString(z);
    CHECK(EnumeratedTexts(fixture.items) == std::vector<std::string>{"b", "B", "C", "z"});
    // Switching to descending sorts again.
    REQUIRE(fixture.list->put_SortStyle(hvValueListSortStyleDescending) == S_OK);
    CHECK(fixture.items->GetItemAt(0) == fixture.a.Get());

    ValueListLayout layout;
    Ref<HvValueLists> lists(NewValueLists(layout));
    Ref<HvValueList> single(AddList(lists.Get(), nullptr));
    REQUIRE(single->put_SortStyle(hvValueListSortStyleAscending) == S_OK);
    Ref<HvValueListItem> only(AddItem(single.Get(), 1, L"x"));
    CHECK(EnumeratedTexts(ItemsOf(single.Get())) == std::vector<std::string>{"x"});
    CHECK_FALSE(ItemsOf(single.Get())->IsSorted());
}

TEST_CASE("valuelist: the shown text follows the list's display style")
{
    ValueListLayout layout;
    Ref<HvValueLists> lists(NewValueLists(layout));
    Ref<HvValueList> list(AddList(lists.Get(), nullptr));
    Ref<HvValueListItem> item(AddItem(list.Get(), 5));
    CHECK(TextOf(item.Get()) == "5");
    BSTR five = SysAllocString(L"five");
    REQUIRE(item->put_DisplayText(five) == S_OK);
    SysFreeString(five);
    const struct {
        int style;
        const char* text;
        bool picture;
    } rows[] = {{0, "five", false}, {1, "5", false}, {2, "5", true},
                {3, "five", false}, {4, "five", true}, {5, "", true}};
    for (const auto& row : rows) {
        CAPTURE(row.style);
        REQUIRE(list->put_DisplayStyle(static_cast<Constants_ValueListDisplayStyle>(row.style)) == S_OK);
        CHECK(TextOf(item.Get()) == row.text);
        CHECK(item->ShowsPicture() == row.picture);
    }
    // A null data value shows as the empty text.
    VARIANT null;
    VariantInit(&null);
    V_VT(&null) = VT_NULL;
    REQUIRE(item->put_DataValue(null) == S_OK);
    REQUIRE(list->put_DisplayStyle(hvValueListDisplayStyleDataValue) == S_OK);
    CHECK(TextOf(item.Get()) == "");
}

TEST_CASE("valuelist: data value and display text puts")
{
    ValueListLayout layout;
    Ref<HvValueLists> lists(NewValueLists(layout));
    Ref<HvValueList> list(AddList(lists.Get(), nullptr));
    Ref<HvValueListItem> item(AddItem(list.Get(), 7));
    NoticeRecorder recorder;
    recorder.Watch(item.Get());

    // Values without a comparable form are refused and change nothing.
    VARIANT object = MakeObject(lists.Get());
    VARIANT i8;
    VariantInit(&i8);
    V_VT(&i8) = VT_I8;
    V_I8(&i8) = 1;
    for (VARIANT* refused : {&object, &i8}) {
        CHECK(item->put_DataValue(*refused) == kInvalidValue);
        CHECK(LastErrorDescription() == L"Invalid property value");
    }
    VARIANT value;
    REQUIRE(item->get_DataValue(&value) == S_OK);
    CHECK(V_VT(&value) == VT_I4);
    CHECK(recorder.notices.empty());

    VARIANT date = MakeDate(45000.5);
    CHECK(item->putref_DataValue(&date) == S_OK);
    REQUIRE(item->get_DataValue(&value) == S_OK);
    CHECK(V_VT(&value) == VT_DATE);
    CHECK(item->putref_DataValue(nullptr) == E_INVALIDARG);
    VARIANT empty;
    VariantInit(&empty);
    CHECK(item->put_DataValue(empty) == S_OK);

    BSTR text = SysAllocString(L"seven");
    CHECK(item->put_DisplayText(text) == S_OK);
    CHECK(item->put_DisplayText(text) == S_OK);
    SysFreeString(text);
    REQUIRE(recorder.notices.size() == 3);
    CHECK(recorder.notices[0].what == 2148);
    CHECK(recorder.notices[1].what == 2148);
    CHECK(recorder.notices[2].what == 2147);
    VARIANT_BOOL readOnly = VARIANT_TRUE;
    CHECK(item->IsReadOnly(&readOnly) == S_OK);
    CHECK(readOnly == VARIANT_FALSE);
}

TEST_CASE("valuelist: Find by text and by data value")
{
    ValueListLayout layout;
    Ref<HvValueLists> lists(NewValueLists(layout));
    Ref<HvValueList> list(AddList(lists.Get(), nullptr));
    VARIANT fi = MakeText(L"fi");
    VARIANT criterion5 = MakeText(L"5");
    IHvValueListItem* out = nullptr;

    // An empty list: a text search has no valid start, a value search no match.
    CHECK(list->Find(&fi, Missing(), Missing(), &out) == kBadIndex);
    CHECK(list->Find(&criterion5, MakeI4(hvValueListFindDataValue), Missing(), &out) == S_OK);
    CHECK(out == nullptr);

    Ref<HvValueListItem> one(AddItem(list.Get(), 1, L"One"));
    Ref<HvValueListItem> five(AddItem(list.Get(), 5, L"Five"));
    Ref<HvValueListItem> six(AddItem(list.Get(), 6, L"Six"));
    REQUIRE(list->Find(&fi, MakeI4(hvValueListFindTextPartial), Missing(), &out) == S_OK);
    Ref<IHvValueListItem> found(out);
    CHECK(found.Get() == static_cast<IHvValueListItem*>(five.Get()));
    CHECK(list->Find(&fi, MakeI4(hvValueListFindTextExact), Missing(), &out) == S_OK);
    CHECK(out == nullptr);
    CHECK(list->Find(&fi, MakeI4(hvValueListFindTextPartial), MakeI4(3), &out) == kBadIndex);
    CHECK(LastErrorDescription() == L"Specified index is invalid");
    // A search from after the match finds nothing; a negative start is 0.
    CHECK(list->Find(&fi, MakeI4(hvValueListFindTextPartial), MakeI4(2), &out) == S_OK);
    CHECK(out == nullptr);
    REQUIRE(list->Find(&fi, MakeI4(hvValueListFindTextPartial), MakeI4(-4), &out) == S_OK);
    found.Reset(out);
    CHECK(found.Get() == static_cast<IHvValueListItem*>(five.Get()));

    // By data value: the criterion is brought to the item's kind.
    REQUIRE(list->Find(&criterion5, MakeI4(hvValueListFindDataValue), Missing(), &out) == S_OK);
    found.Reset(out);
    CHECK(found.Get() == static_cast<IHvValueListItem*>(five.Get()));
    VARIANT six5 = MakeR4(5.5f);
    CHECK(list->Find(&six5, MakeI4(hvValueListFindDataValue), Missing(), &out) == S_OK);
    CHECK(out == nullptr);
    VARIANT yes = MakeBool(true);
    CHECK(list->Find(&yes, MakeI4(hvValueListFindDataValue), Missing(), &out) == S_OK);
    CHECK(out == nullptr);

    // Unusable arguments.
    VARIANT number = MakeI4(5);
    CHECK(list->Find(&number, MakeI4(hvValueListFindTextExact), Missing(), &out) == E_INVALIDARG);
    CHECK(list->Find(&fi, MakeI4(7), Missing(), &out) == E_INVALIDARG);
    CHECK(list->Find(nullptr, Missing(), Missing(), &out) == E_INVALIDARG);
    CHECK(list->Find(&fi, Missing(), Missing(), nullptr) == E_INVALIDARG);
    CHECK(list->FindByDataValue(nullptr, &out) == E_INVALIDARG);

    // Prefix matching: longer texts that begin with the criterion, or equal.
    Ref<HvValueListItem> abc(AddItem(list.Get(), 10, L"Abc"));
    Ref<HvValueListItem> shortA(AddItem(list.Get(), 11, L"A"));
    Ref<HvValueListItem> ab(AddItem(list.Get(), 12, L"aB"));
    BSTR prefix = SysAllocString(L"ab");
    REQUIRE(list->FindByTextPartial(prefix, Missing(), &out) == S_OK);
    found.Reset(out);
    CHECK(found.Get() == static_cast<IHvValueListItem*>(abc.Get()));
    REQUIRE(list->FindByTextPartial(prefix, MakeI4(4), &out) == S_OK);
    found.Reset(out);
    CHECK(found.Get() == static_cast<IHvValueListItem*>(ab.Get()));
    REQUIRE(list->FindByTextExact(prefix, Missing(), &out) == S_OK);
    found.Reset(out);
    CHECK(found.Get() == static_cast<IHvValueListItem*>(ab.Get()));
    SysFreeString(prefix);
    VariantClear(&fi);
    VariantClear(&criterion5);
}

TEST_CASE("valuelist: the item a cell's text stands for, by display style")
{
    ValueListLayout layout;
    Ref<HvValueLists> lists(NewValueLists(layout));
    Ref<HvValueList> list(AddList(lists.Get(), nullptr));
    Ref<HvValueListItem> seven(AddItem(list.Get(), 7, L"Seven"));
    Ref<HvValueListItem> eight(AddItem(list.Get(), 8));
    IHvValueListItem* out = nullptr;
    BSTR sevenText = SysAllocString(L"Seven");
    BSTR lower = SysAllocString(L"seven");
    BSTR number = SysAllocString(L"8");
    BSTR empty = SysAllocString(L"");
    struct Row {
        int style;
        BSTR text;
        HRESULT hr;
        HvValueListItem* item;
    } rows[] = {
        {0, sevenText, S_OK, seven.Get()}, {0, lower, S_OK, nullptr},   {0, number, S_OK, eight.Get()},
        {0, empty, kItemNotFound, nullptr}, {1, number, S_OK, eight.Get()}, {1, sevenText, S_OK, nullptr},
        {3, lower, S_OK, seven.Get()},     {3, number, S_OK, nullptr},    {5, sevenText, kItemNotFound, nullptr},
    };
    for (const Row& row : rows) {
        CAPTURE(row.style);
        CAPTURE(std::wstring(row.text));
        REQUIRE(list->put_DisplayStyle(static_cast<Constants_ValueListDisplayStyle>(row.style)) == S_OK);
        CHECK(list->FindItemByText(row.text, &out) == row.hr);
        CHECK(out == static_cast<IHvValueListItem*>(row.item));
        if (row.hr == kItemNotFound)
            CHECK(LastErrorDescription() == L"Item not found.");
        if (out)
            out->Release();
    }
    for (BSTR text : {sevenText, lower, number, empty})
        SysFreeString(text);
}

TEST_CASE("valuelist: change notices travel from items up to the layout's collection")
{
    ThreeItems fixture;
    NoticeRecorder layoutSide;
    layoutSide.Watch(fixture.lists.Get());
    NoticeRecorder listSide;
    listSide.Watch(fixture.list.Get());

    BSTR text = SysAllocString(L"A");
    REQUIRE(fixture.a->put_DisplayText(text) == S_OK);
    SysFreeString(text);
    // item 2147 -> items 0 -> list 1055 -> lists 0
    REQUIRE(listSide.notices.size() == 1);
    CHECK(listSide.notices[0].what == 1055);
    CHECK(listSide.innerWhat[0] == 0);
    REQUIRE(layoutSide.notices.size() == 1);
    CHECK(layoutSide.notices[0].what == 0);
    CHECK(layoutSide.innerWhat[0] == 1055);

    // Adding and removing items, and the list's own appearance.
    listSide.Clear();
    Ref<HvValueListItem> added(AddItem(fixture.list.Get(), 9));
    VARIANT first = MakeI4(0);
    REQUIRE(fixture.items->Remove(first) == S_OK);
    REQUIRE(fixture.items->Clear() == S_OK);
    std::vector<std::int32_t> inner(listSide.innerWhat.begin(), listSide.innerWhat.end());
    CHECK(inner == std::vector<std::int32_t>{2001, 0, 2002, -554});
    listSide.Clear();
    IHvAppearance* appearance = nullptr;
    REQUIRE(fixture.list->get_Appearance(&appearance) == S_OK);
    REQUIRE(appearance->put_ForeColor(0x0000FF) == S_OK);
    REQUIRE(listSide.notices.size() == 1);
    CHECK(listSide.notices[0].what == -520);
    CHECK(listSide.innerWhat[0] == static_cast<std::int32_t>(AppearanceBit::ForeColor));

    // A list no longer active passes nothing on.
    listSide.Clear();
    layoutSide.Clear();
    fixture.list->Deactivate();
    appearance->put_ForeColor(0x00FF00);
    appearance->Release();
    CHECK(listSide.notices.empty());
    CHECK(layoutSide.notices.empty());
}

TEST_CASE("valuelist: lists and items that clients hold beyond their owners")
{
    ValueListLayout layout;
    Ref<HvValueList> removed;
    Ref<HvValueList> kept;
    Ref<HvValueListItem> item;
    Ref<HvValueListItems> items;
    {
        Ref<HvValueLists> lists(NewValueLists(layout));
        removed.Reset(AddList(lists.Get(), L"removed"));
        kept.Reset(AddList(lists.Get(), L"kept"));
        item.Reset(AddItem(kept.Get(), 3, L"three"));
        items.Reset(ItemsOf(kept.Get()));
        items->AddRef();
        VARIANT key = MakeText(L"removed");
        REQUIRE(lists->Remove(key) == S_OK);
        VariantClear(&key);
        // Removal does not deactivate: the list works on, outside the collection.
        long index = 0;
        CHECK(removed->get_Index(&index) == S_OK);
        CHECK(index == -1);
        lists->Deactivate();
        long count = 0;
        CHECK(lists->get_Count(&count) == S_OK);
        CHECK(count == 1);
    }
    // The collection is gone; a removed list still takes changes.
    CHECK(removed->put_SortStyle(hvValueListSortStyleAscending) == S_OK);
    // A list deactivated with its collection refuses, its items too, but
    // their plain getters still answer.
    CHECK(kept->put_DisplayStyle(hvValueListDisplayStyleDataValue) == kNotActive);
    CHECK(LastErrorDescription() == L"This object is no longer active");
    CHECK(item->put_DisplayText(nullptr) == kNotActive);
    long index = 0;
    CHECK(item->get_Index(&index) == kNotActive);
    CHECK(DisplayTextOf(item.Get()) == "three");
    IHvValueListItem* out = nullptr;
    VARIANT three = MakeText(L"three");
    CHECK(kept->Find(&three, Missing(), Missing(), &out) == kNotActive);
    VariantClear(&three);
    VARIANT missing = Missing();
    CHECK(items->Add(&missing, Missing(), Missing(), &out) == kNotActive);
    long count = 0;
    CHECK(items->get_Count(&count) == S_OK);
    CHECK(count == 1);

    // The list goes; its items collection and item stay readable.
    kept.Reset();
    CHECK(items->get_Count(&count) == S_OK);
    CHECK(count == 1);
    CHECK(TextOf(item.Get()) == "three");
    CHECK(EnumeratedTexts(items.Get()) == std::vector<std::string>{"three"});

    // An item removed from a live list forgets it.
    Ref<HvValueLists> lists(NewValueLists(layout));
    Ref<HvValueList> list(AddList(lists.Get(), nullptr));
    Ref<HvValueListItem> loose(AddItem(list.Get(), 1, L"one"));
    VARIANT zero = MakeI4(0);
    REQUIRE(ItemsOf(list.Get())->Remove(zero) == S_OK);
    list.Reset();
    lists.Reset();
    CHECK(loose->get_Index(&index) == S_OK);
    CHECK(index == -1);
    CHECK(loose->put_DisplayText(nullptr) == S_OK);
}

TEST_CASE("valuelist: drop-down filling, pictures and the property query")
{
    ThreeItems fixture;
    REQUIRE(fixture.list->put_SortStyle(hvValueListSortStyleDescending) == S_OK);
    RecordingDropDown dropDown;
    dropDown.entries.push_back(nullptr);
    CHECK(fixture.list->AddItemsTo(dropDown) == S_OK);
    CHECK(dropDown.resets == 1);
    CHECK(dropDown.entries ==
          std::vector<HvValueListItem*>{fixture.c.Get(), fixture.b.Get(), fixture.a.Get()});

    IHvValueListItem* out = nullptr;
    CHECK(fixture.list->AnyItemHasPicture(&out) == S_OK);
    CHECK(out == nullptr);
    Ref<IPictureDisp> picture(NewBitmapPicture(4, 4));
    IHvAppearance* appearance = nullptr;
    REQUIRE(fixture.b->get_Appearance(&appearance) == S_OK);
    VARIANT value = MakeObject(picture.Get());
    REQUIRE(appearance->put_Picture(value) == S_OK);
    appearance->Release();
    CHECK(fixture.list->AnyItemHasPicture(&out) == S_OK);
    CHECK(out == static_cast<IHvValueListItem*>(fixture.b.Get()));
    if (out)
        out->Release();

    for (IUnknown* object : {static_cast<IUnknown*>(fixture.list->Interface()),
                             static_cast<IUnknown*>(fixture.a->Interface())}) {
        HvPropertyQuery* query = nullptr;
        REQUIRE(object->QueryInterface(IID_HvPropertyQuery, reinterpret_cast<void**>(&query)) == S_OK);
        VARIANT_BOOL answer = VARIANT_FALSE;
        CHECK(query->IsValueProperty(-540, &answer) == S_OK);
        CHECK(answer == VARIANT_TRUE);
        CHECK(query->IsValueProperty(-520, &answer) == S_OK);
        CHECK(answer == VARIANT_FALSE);
        CHECK(query->IsAppearanceProperty(-520, &answer) == S_OK);
        CHECK(answer == VARIANT_TRUE);
        CHECK(query->IsAppearanceProperty(2147, &answer) == S_OK);
        CHECK(answer == VARIANT_FALSE);
        CHECK(query->IsValueProperty(1, nullptr) == E_INVALIDARG);
        query->Release();
    }
}
