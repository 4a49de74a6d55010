// Small helpers of the collection tests: variants, late-bound calls that
// answer the error code and text, and a band with a group ready to use.
#pragma once

#include "CollectionsFakes.h"
#include "LateBound.h"
#include "ModelTestSupport.h"
#include "HvGroupCols.h"
#include "HvGroups.h"

#include <string>

inline VARIANT Int(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

inline VARIANT MissingArg()
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ERROR;
    V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
    return v;
}

// Borrowed: not add-ref'd, only for arguments.
inline VARIANT Obj(IDispatch* object)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = object;
    return v;
}

// Owns its string.
struct Text {
    VARIANT v;
    explicit Text(const wchar_t* text)
    {
        VariantInit(&v);
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = SysAllocString(text);
    }
    ~Text() { VariantClear(&v); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
};

// The code a late-bound caller sees: the exception's scode, or the result.
inline HRESULT CodeOf(const LateResult& result)
{
    return result.hr == DISP_E_EXCEPTION ? result.scode : result.hr;
}

// The dispatch interface of an object (one reference, given).
template <class T>
IDispatch* Dispatch(T* object)
{
    IDispatch* dispatch = nullptr;
    object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    return dispatch;
}

// The key of the item a late-bound call returned ("" when none).
inline std::string KeyOfResult(const LateResult& result)
{
    if (V_VT(&result.value) != VT_DISPATCH || !V_DISPATCH(&result.value))
        return "";
    HvKeyedItem* item = HvKeyedItem::FromObject(V_DISPATCH(&result.value));
    return item && item->GetKey() ? item->GetKey()->c_str() : "";
}

// A band with bound and unbound columns ("B0".., "U0"..) and one group "G".
struct GroupFixture {
    explicit GroupFixture(int bound = 3, int unbound = 2, const wchar_t* groupKey = L"G")
    {
        band->AddColumns(bound, unbound);
        Text key(groupKey);
        VARIANT none = MissingArg();
        IHvGroup* added = nullptr;
        band->GetGroups(true)->Add(key.v, none, none, &added);
        group = dynamic_cast<FakeGroup*>(HvKeyedItem::FromObject(added));
        added->Release();
        list = group->GetGroupCols(true);
    }
    ~GroupFixture() { band->Release(); }
    GroupFixture(const GroupFixture&) = delete;
    GroupFixture& operator=(const GroupFixture&) = delete;

    FakeColumn* Column(int position) { return band->ColumnAt(position); }
    // Column at position joins the group at the end of level.
    void Join(int position, SHORT level)
    {
        VARIANT end = MissingArg();
        VARIANT at = Int(level);
        Column(position)->JoinGroup(group, &end, &at);
    }
    // The keys of the group's columns in list order, with their levels.
    std::string Order()
    {
        std::string text;
        for (LONG i = 0; i < list->ItemCount(); ++i) {
            FakeColumn* column = dynamic_cast<FakeColumn*>(list->ItemAtPosition(i));
            text += (i ? " " : "") + std::string(column->key.c_str()) + "/" + std::to_string(column->level);
        }
        return text;
    }

    FakeBand* band = FakeBand::Create(nullptr, nullptr, nullptr, nullptr);
    FakeGroup* group = nullptr;
    HvGroupCols* list = nullptr;
};
