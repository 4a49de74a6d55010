// Stream forms of value lists and their items: the pinned byte layout of an
// item, byte-exact round trips of a layout's lists, loads that leave out the
// value-list category, resets, and corrupted streams.
#include <doctest/doctest.h>

#include "ValueListSupport.h"

#include "HvAppearance.h"
#include "HvAppearances.h"

#include <cstring>

namespace {

constexpr LONG kValueListsCategory = 1024;
constexpr LONG kAppearancesCategory = 1;

std::vector<BYTE> Bytes(std::initializer_list<int> values)
{
    std::vector<BYTE> bytes;
    for (int value : values)
        bytes.push_back(static_cast<BYTE>(value));
    return bytes;
}

void Append(std::vector<BYTE>& to, const std::vector<BYTE>& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

template <class TSave>
std::vector<BYTE> Saved(TSave save)
{
    Ref<IStream> stream(NewStream());
    REQUIRE(save(stream.Get()) == S_OK);
    return StreamBytes(stream.Get());
}

// The bytes of an item with data value 7 (VT_I4) and display text "a".
std::vector<BYTE> SevenA()
{
    std::vector<BYTE> bytes = Bytes({100, 0, 0, 0, 0x10, 0x01, 0, 0});
    Append(bytes, Bytes({3, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0}));
    Append(bytes, Bytes({1, 0, 'a'}));
    return bytes;
}

void PutText(HvValueListItem* item, const wchar_t* text)
{
    BSTR value = SysAllocString(text);
    REQUIRE(item->put_DisplayText(value) == S_OK);
    SysFreeString(value);
}

// A layout's value lists with something of every kind in them.
void Fill(HvValueLists* lists, HvAppearances* appearances)
{
    VARIANT boldKey = MakeText(L"Bold");
    IHvAppearance* bold = nullptr;
    REQUIRE(appearances->Add(boldKey, &bold) == S_OK);
    REQUIRE(bold->put_ForeColor(0x0000FF) == S_OK);
    bold->Release();

    Ref<HvValueList> units(AddList(lists, L"Units"));
    REQUIRE(units->put_DisplayStyle(hvValueListDisplayStyleDisplayText) == S_OK);
    REQUIRE(units->put_SortStyle(hvValueListSortStyleDescending) == S_OK);
    VARIANT tag = MakeText(L"list tag");
    REQUIRE(units->put_TagVariant(tag) == S_OK);
    REQUIRE(units->put_Appearance(boldKey) == S_OK);

    VARIANT values[8];
    for (VARIANT& value : values)
        VariantInit(&value);
    V_VT(&values[0]) = VT_I2, V_I2(&values[0]) = -2;
    values[1] = MakeI4(123456);
    V_VT(&values[2]) = VT_R8, V_R8(&values[2]) = 0.125;
    values[3] = MakeText(L"texto");
    values[4] = MakeBool(true);
    V_VT(&values[5]) = VT_CY, V_CY(&values[5]).int64 = 25000;
    V_VT(&values[6]) = VT_UI1, V_UI1(&values[6]) = 200;
    V_VT(&values[7]) = VT_ERROR, V_ERROR(&values[7]) = DISP_E_PARAMNOTFOUND;
    int n = 0;
    for (VARIANT& value : values) {
        wchar_t text[8] = L"item0";
        text[4] = static_cast<wchar_t>(L'0' + n++);
        Ref<HvValueListItem> item(AddItem(units.Get(), value, n % 2 ? text : nullptr));
        VariantClear(&value);
    }
    Ref<HvValueListItem> styled(AddItem(units.Get(), 99, L"styled"));
    IHvAppearance* own = nullptr;
    REQUIRE(styled->get_Appearance(&own) == S_OK);
    REQUIRE(own->put_BackColor(0x00FF00) == S_OK);
    own->Release();
    REQUIRE(styled->put_TagVariant(tag) == S_OK);

    Ref<HvValueList> bare(AddList(lists, nullptr));
    REQUIRE(bare->put_SortStyle(static_cast<Constants_ValueListSortStyle>(7)) == S_OK);
    VariantClear(&tag);
    VariantClear(&boldKey);
}

} // namespace

TEST_CASE("valuelist: an item's stream form")
{
    ValueListLayout layout;
    Ref<HvValueLists> lists(NewValueLists(layout));
    Ref<HvValueList> list(AddList(lists.Get(), nullptr));
    Ref<HvValueListItem> item(AddItem(list.Get(), 7, L"a"));
    CHECK(Saved([&](IStream* s) { return item->SaveToStream(s, 0); }) == SevenA());
    // Without the category the item has nothing to save.
    CHECK(Saved([&](IStream* s) { return item->SaveToStream(s, 2); }) == Bytes({100, 0, 0, 0, 0, 0, 0, 0}));

    Ref<HvValueListItem> loaded(AddItem(list.Get(), 0));
    Ref<IStream> stream(NewStream(SevenA()));
    REQUIRE(loaded->LoadFromStream(stream.Get(), kValueListsCategory) == S_OK);
    CHECK(DisplayTextOf(loaded.Get()) == "a");
    CHECK(V_VT(&loaded->DataValue()) == VT_I4);
    CHECK(V_I4(&loaded->DataValue()) == 7);
    CHECK(Saved([&](IStream* s) { return loaded->SaveToStream(s, 0); }) == SevenA());

    // A date is kept as it is.
    REQUIRE(item->put_DataValue(MakeDate(45000.25)) == S_OK);
    stream.Reset(NewStream(Saved([&](IStream* s) { return item->SaveToStream(s, 0); })));
    REQUIRE(loaded->LoadFromStream(stream.Get(), 0) == S_OK);
    CHECK(V_VT(&loaded->DataValue()) == VT_DATE);
    CHECK(V_DATE(&loaded->DataValue()) == 45000.25);
    CHECK(DisplayTextOf(loaded.Get()) == "a");
    // A type that DataValue refuses (an 8-byte integer) is refused from a
    // stream too.
    std::vector<BYTE> bytes = Saved([&](IStream* s) { return item->SaveToStream(s, 0); });
    bytes[8] = VT_I8;
    stream.Reset(NewStream(bytes));
    CHECK(FAILED(loaded->LoadFromStream(stream.Get(), 0)));
    CHECK(V_VT(&loaded->DataValue()) == VT_DATE);
}

TEST_CASE("valuelist: a layout's value lists round-trip through a stream byte for byte")
{
    for (LONG categories : {0L, kValueListsCategory, kValueListsCategory | kAppearancesCategory}) {
        CAPTURE(categories);
        ValueListLayout layout;
        Ref<HvValueLists> source(NewValueLists(layout));
        Fill(source.Get(), layout.Appearances());
        const std::vector<BYTE> first = Saved([&](IStream* s) { return source->Save(s, categories); });

        Ref<HvValueLists> target(NewValueLists(layout));
        AddList(target.Get(), L"Replaced")->Release();
        Ref<IStream> stream(NewStream(first));
        REQUIRE(target->Load(stream.Get(), categories) == S_OK);
        CHECK(Saved([&](IStream* s) { return target->Save(s, categories); }) == first);

        REQUIRE(target->Items().size() == 2);
        HvValueList* units = target->ValueListAt(0);
        CHECK(std::string(units->GetKey()->c_str()) == "Units");
        CHECK(units->DisplayStyleValue() == hvValueListDisplayStyleDisplayText);
        CHECK(units->SortStyleValue() == hvValueListSortStyleDescending);
        CHECK(target->ValueListAt(1)->SortStyleValue() == 7);
        HvValueListItems* items = units->GetValueListItems(false);
        REQUIRE(items != nullptr);
        REQUIRE(items->Items().size() == 9);
        const VARTYPE types[] = {VT_I2, VT_I4, VT_R8, VT_BSTR, VT_BOOL, VT_CY, VT_UI1, VT_ERROR, VT_I4};
        for (size_t i = 0; i < 9; ++i) {
            CAPTURE(i);
            CHECK(V_VT(&dynamic_cast<HvValueListItem*>(items->Items()[i])->DataValue()) == types[i]);
        }
        HvValueListItem* styled = dynamic_cast<HvValueListItem*>(items->Items()[8]);
        const AppearanceData* data = styled->Appearance().GetAppearanceData();
        REQUIRE(data != nullptr);
        CHECK(data->BackColor() == 0x00FF00);
        const AppearanceData* listData = units->Appearance().GetAppearanceData();
        REQUIRE(listData != nullptr);
        CHECK(listData->ForeColor() == 0x0000FF);
        // The item tells its new list of its changes.
        NoticeRecorder recorder;
        recorder.Watch(units);
        PutText(styled, L"changed");
        CHECK(recorder.notices.size() == 1);
    }
}

TEST_CASE("valuelist: a load that leaves out the value-list category")
{
    ValueListLayout layout;
    Ref<HvValueLists> source(NewValueLists(layout));
    Fill(source.Get(), layout.Appearances());
    std::vector<BYTE> bytes = Saved([&](IStream* s) { return source->Save(s, 0); });
    Append(bytes, Bytes({0xDE, 0xAD, 0xBE, 0xEF}));

    Ref<HvValueLists> target(NewValueLists(layout));
    Ref<HvValueList> kept(AddList(target.Get(), L"Keep"));
    Ref<HvValueListItem> item(AddItem(kept.Get(), 1, L"one"));
    NoticeRecorder recorder;
    recorder.Watch(target.Get());
    Ref<IStream> stream(NewStream(bytes));
    REQUIRE(target->Load(stream.Get(), 2) == S_OK);
    CHECK(target->Items().size() == 1);
    CHECK(target->ValueListAt(0) == kept.Get());
    CHECK(DisplayTextOf(item.Get()) == "one");
    CHECK(recorder.notices.empty());
    BYTE sentinel[4] = {};
    ULONG read = 0;
    REQUIRE(stream->Read(sentinel, 4, &read) == S_OK);
    CHECK(read == 4);
    CHECK(std::vector<BYTE>(sentinel, sentinel + 4) == Bytes({0xDE, 0xAD, 0xBE, 0xEF}));

    // One list alone: read through, nothing taken.
    std::vector<BYTE> one = Saved([&](IStream* s) { return source->ValueListAt(0)->SaveToStream(s, 0); });
    Append(one, Bytes({0x5A}));
    stream.Reset(NewStream(one));
    REQUIRE(kept->LoadFromStream(stream.Get(), 2) == S_OK);
    CHECK(std::string(kept->GetKey()->c_str()) == "Keep");
    CHECK(kept->DisplayStyleValue() == 0);
    BYTE last = 0;
    REQUIRE(stream->Read(&last, 1, &read) == S_OK);
    CHECK(last == 0x5A);
}

TEST_CASE("valuelist: a loaded list without items lets its old items go")
{
    ValueListLayout layout;
    Ref<HvValueLists> lists(NewValueLists(layout));
    Ref<HvValueList> list(AddList(lists.Get(), L"Full"));
    AddItem(list.Get(), 1, L"one")->Release();
    Ref<HvValueListItems> held(ItemsOf(list.Get()));
    held->AddRef();
    Ref<HvValueList> empty(AddList(lists.Get(), L"Empty"));
    Ref<IStream> stream(NewStream(Saved([&](IStream* s) { return empty->SaveToStream(s, 0); })));
    REQUIRE(list->LoadFromStream(stream.Get(), 0) == S_OK);
    CHECK(list->GetValueListItems(false) == nullptr);
    CHECK(std::string(list->GetKey()->c_str()) == "Empty");
    CHECK(held->List() == nullptr);
    CHECK(held->Items().size() == 1);
    list.Reset();
    CHECK(EnumeratedTexts(held.Get()) == std::vector<std::string>{"one"});
}

TEST_CASE("valuelist: corrupted streams fail cleanly")
{
    ValueListLayout layout;
    Ref<HvValueLists> source(NewValueLists(layout));
    Fill(source.Get(), layout.Appearances());
    const std::vector<BYTE> whole = Saved([&](IStream* s) { return source->Save(s, 0); });

    // Every truncation fails, and leaves a collection that works.
    for (size_t length = 0; length < whole.size(); ++length) {
        CAPTURE(length);
        Ref<HvValueLists> target(NewValueLists(layout));
        Ref<IStream> stream(NewStream(std::vector<BYTE>(whole.begin(), whole.begin() + length)));
        CHECK(FAILED(target->Load(stream.Get(), 0)));
        long count = -1;
        CHECK(target->get_Count(&count) == S_OK);
    }

    Ref<HvValueLists> lists(NewValueLists(layout));
    Ref<HvValueList> list(AddList(lists.Get(), nullptr));
    Ref<HvValueListItem> item(AddItem(list.Get(), 0));
    struct Row {
        const char* name;
        std::vector<BYTE> bytes;
        bool forList;
    } rows[] = {
        {"data value of an object type", [] {
             std::vector<BYTE> b = SevenA();
             b[8] = VT_DISPATCH;
             return b;
         }(), false},
        {"data value of a boolean neither true nor false", [] {
             std::vector<BYTE> b = SevenA();
             b[8] = VT_BOOL;
             return b;
         }(), false},
        {"data value with bytes beyond its type", [] {
             std::vector<BYTE> b = SevenA();
             b[8 + 2 + 6 + 5] = 1;
             return b;
         }(), false},
        {"property the item does not have", Bytes({100, 0, 0, 0, 0x02, 0, 0, 0}), false},
        {"unknown version", Bytes({99, 0, 0, 0, 0, 0, 0, 0}), false},
        {"negative text length", Bytes({100, 0, 0, 0, 0x00, 0x01, 0, 0, 0xFF, 0xFF}), false},
        {"display style out of range", Bytes({100, 0, 0, 0, 0x04, 0, 0, 0, 9, 0}), true},
        {"item count beyond the limit", Bytes({100, 0, 0, 0, 0x00, 0x01, 0, 0, 0x11, 0x27, 0, 0, 100, 0, 0, 0}), true},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        Ref<IStream> stream(NewStream(row.bytes));
        if (row.forList)
            CHECK(FAILED(list->LoadFromStream(stream.Get(), 0)));
        else
            CHECK(FAILED(item->LoadFromStream(stream.Get(), 0)));
    }
    // The objects still work after the failed loads.
    CHECK(list->put_DisplayStyle(hvValueListDisplayStyleDataValue) == S_OK);
    PutText(item.Get(), L"fine");
    CHECK(DisplayTextOf(item.Get()) == "fine");
}
