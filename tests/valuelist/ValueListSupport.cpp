// Fixtures of the value-list tests.
#include "ValueListSupport.h"

#include <doctest/doctest.h>

HvValueLists* NewValueLists(ValueListLayout& layout)
{
    HvValueLists* lists = nullptr;
    REQUIRE(HvValueLists::Create(&layout, &lists) == S_OK);
    return lists;
}

HvValueList* AddList(HvValueLists* lists, const wchar_t* key)
{
    VARIANT name = key ? MakeText(key) : Missing();
    IHvValueList* added = nullptr;
    REQUIRE(lists->Add(name, &added) == S_OK);
    VariantClear(&name);
    return static_cast<HvValueList*>(added);
}

HvValueListItems* ItemsOf(HvValueList* list)
{
    HvValueListItems* items = list->GetValueListItems(true);
    REQUIRE(items != nullptr);
    return items;
}

HvValueListItem* AddItem(HvValueList* list, const VARIANT& value, const wchar_t* text)
{
    VARIANT data = value;
    VARIANT shown = text ? MakeText(text) : Missing();
    IHvValueListItem* added = nullptr;
    REQUIRE(ItemsOf(list)->Add(&data, shown, Missing(), &added) == S_OK);
    VariantClear(&shown);
    return static_cast<HvValueListItem*>(added);
}

HvValueListItem* AddItem(HvValueList* list, long value, const wchar_t* text)
{
    return AddItem(list, MakeI4(value), text);
}

std::string TextOf(HvValueListItem* item)
{
    CDualString text;
    item->GetText(text);
    return text.c_str();
}

std::string DisplayTextOf(IHvValueListItem* item)
{
    BSTR text = nullptr;
    REQUIRE(item->get_DisplayText(&text) == S_OK);
    CDualString narrow(static_cast<const wchar_t*>(text));
    SysFreeString(text);
    return narrow.c_str();
}

std::vector<std::string> EnumeratedTexts(HvValueListItems* items)
{
    std::vector<std::string> texts;
    IUnknown* unknown = nullptr;
    REQUIRE(items->get__NewEnum(&unknown) == S_OK);
    IEnumVARIANT* enumerator = nullptr;
    REQUIRE(unknown->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&enumerator)) == S_OK);
    unknown->Release();
    VARIANT entry;
    VariantInit(&entry);
    while (enumerator->Next(1, &entry, nullptr) == S_OK) {
        IHvValueListItem* item = nullptr;
        REQUIRE(V_DISPATCH(&entry)->QueryInterface(IID_IHvValueListItem, reinterpret_cast<void**>(&item)) == S_OK);
        texts.push_back(TextOf(static_cast<HvValueListItem*>(item)));
        item->Release();
        VariantClear(&entry);
    }
    enumerator->Release();
    return texts;
}

std::vector<std::string> StoredTexts(HvValueListItems* items)
{
    std::vector<std::string> texts;
    for (HvKeyedItem* entry : items->Items())
        texts.push_back(TextOf(dynamic_cast<HvValueListItem*>(entry)));
    return texts;
}

VARIANT MakeDate(double date)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_DATE;
    V_DATE(&v) = date;
    return v;
}
