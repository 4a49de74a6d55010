// Fixtures of the value-list tests: a stand-in layout for value lists (the
// appearance tests' layout behind the value lists' seam), a drop-down list
// that records what it is given, and short ways to build lists and items.
#pragma once

#include "Model2Support.h"

#include "HvValueList.h"
#include "HvValueListItem.h"
#include "HvValueListItems.h"
#include "HvValueLists.h"
#include "ValueListDropDownSeam.h"
#include "ValueListLayoutSeam.h"

#include <string>
#include <vector>

class ValueListLayout final : public ValueListLayoutSeam {
public:
    HvLayoutHost* Host() override { return &host; }
    HvAppearances* Appearances() override { return host.Appearances(); }

    FakeLayout host;
};

class RecordingDropDown final : public ValueListDropDownSeam {
public:
    void ResetContent() override
    {
        ++resets;
        entries.clear();
    }
    bool AddItem(HvValueListItem* item) override
    {
        entries.push_back(item);
        return true;
    }

    int resets = 0;
    std::vector<HvValueListItem*> entries;
};

// A new ValueLists collection of layout (one reference).
HvValueLists* NewValueLists(ValueListLayout& layout);
// Adds a list (key may be null); the returned pointer holds one reference.
HvValueList* AddList(HvValueLists* lists, const wchar_t* key);
// The list's items collection (made when missing), no reference added.
HvValueListItems* ItemsOf(HvValueList* list);
// Adds an item; the returned pointer holds one reference.
HvValueListItem* AddItem(HvValueList* list, const VARIANT& value, const wchar_t* text = nullptr);
HvValueListItem* AddItem(HvValueList* list, long value, const wchar_t* text = nullptr);

// The shown texts of the items in enumeration order (through _NewEnum).
std::vector<std::string> EnumeratedTexts(HvValueListItems* items);
// The shown texts in storage order, without sorting.
std::vector<std::string> StoredTexts(HvValueListItems* items);
std::string TextOf(HvValueListItem* item);
std::string DisplayTextOf(IHvValueListItem* item);

VARIANT MakeDate(double date);
