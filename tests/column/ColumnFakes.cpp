// Fixtures of the column, group and header tests.
#include "ColumnFakes.h"

#include "HvAppearances.h"
#include "HvCollectionImpl.h"
#include "HvColumn.h"
#include "HvColumns.h"
#include "HvGroup.h"
#include "HvGroups.h"
#include "HvValueLists.h"

#include <algorithm>

// --- layout --------------------------------------------------------------------

TestLayout::TestLayout()
{
    HvAppearances::Create(this, &appearances_);
    HvValueLists::Create(this, &valueLists_);
}

TestLayout::~TestLayout()
{
    if (valueLists_) {
        valueLists_->ClearCollection(true, 1);
        valueLists_->Deactivate();
        valueLists_->Release();
    }
    if (appearances_) {
        appearances_->Deactivate();
        appearances_->Release();
    }
}

void TestLayout::AddValueList(const wchar_t* key)
{
    IHvValueList* list = nullptr;
    VARIANT name = Text(key);
    valueLists_->Add(name, &list);
    VariantClear(&name);
    if (list)
        list->Release();
}

bool TestLayout::FireBeforeColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns)
{
    fired.push_back("BeforeColPosChanged " + std::to_string(action));
    return beforeCol ? beforeCol(action, columns) : false;
}

void TestLayout::FireAfterColPosChanged(Constants_PosChanged action, IHvSelectedCols*)
{
    fired.push_back("AfterColPosChanged " + std::to_string(action));
}

bool TestLayout::FireBeforeGroupPosChanged(Constants_PosChanged action, IHvGroups* groups)
{
    fired.push_back("BeforeGroupPosChanged " + std::to_string(action));
    return beforeGroup ? beforeGroup(action, groups) : false;
}

void TestLayout::FireAfterGroupPosChanged(Constants_PosChanged action, IHvGroups*)
{
    fired.push_back("AfterGroupPosChanged " + std::to_string(action));
}

// --- band ------------------------------------------------------------------------

TestBand::TestBand(TestLayout& layout) : layout_(layout)
{
    HvColumns::Create(this, &columns_);
}

TestBand::~TestBand()
{
    if (groups_) {
        groups_->ClearCollection(true, 1);
        groups_->Release();
    }
    if (columns_) {
        for (LONG i = 0; HvKeyedItem* item = columns_->ItemAtPosition(i); ++i)
            CAutomationObject::Deactivate(item->GetItemObject());
        columns_->ClearCollection(true, 1);
        columns_->Release();
    }
}

LONG TestBand::ResolveSetting(DISPID setting)
{
    const auto found = settings.find(setting);
    return found == settings.end() ? 0 : found->second;
}

SHORT TestBand::HeaderPosition(HvColumnGroupImpl* item)
{
    const auto found = std::find(headerOrder.begin(), headerOrder.end(), item);
    return found == headerOrder.end() ? -1 : static_cast<SHORT>(found - headerOrder.begin());
}

HRESULT TestBand::MoveHeader(HvColumnGroupImpl* item, SHORT position, bool* moved)
{
    *moved = false;
    const auto found = std::find(headerOrder.begin(), headerOrder.end(), item);
    if (found == headerOrder.end() || position < 0 || position >= static_cast<SHORT>(headerOrder.size()))
        return E_FAIL;
    if (found - headerOrder.begin() == position)
        return S_OK;
    headerOrder.erase(found);
    headerOrder.insert(headerOrder.begin() + position, item);
    *moved = true;
    return S_OK;
}

HRESULT TestBand::SelectGroup(HvGroup* group, bool select, bool)
{
    if (FAILED(selectResult))
        return selectResult;
    group->SetSelectedFlag(select);
    return S_OK;
}

HRESULT TestBand::SelectColumn(HvSelectableItem* column, bool select, bool)
{
    if (FAILED(selectResult))
        return selectResult;
    column->SetSelected(select);
    return S_OK;
}

HRESULT TestBand::ChangeSort(HvColumn* column, LONG indicator, bool)
{
    column->SetSortIndicator(indicator);
    return S_OK;
}

HvGroups* TestBand::GetGroups(bool create)
{
    if (!groups_ && create)
        HvGroups::Create(this, false, &groups_);
    return groups_;
}

HvColumn* TestBand::AddUnbound(const wchar_t* key)
{
    HvColumn* column = nullptr;
    CDualString text(key ? key : L"");
    HvColumn::Create(this, columns_, nullptr, key ? &text : nullptr, &column);
    columns_->InsertItem(-1, column, true, 0);
    headerOrder.push_back(column);
    return column;
}

HvColumn* TestBand::AddBound(ColumnInfoSeam& info)
{
    HvColumn* column = nullptr;
    HvColumn::Create(this, columns_, &info, nullptr, &column);
    columns_->InsertItem(0, column, true, 0);
    headerOrder.push_back(column);
    return column;
}

HvGroup* TestBand::AddGroup(const wchar_t* key)
{
    HvGroups* groups = GetGroups(true);
    HvGroup* group = nullptr;
    CDualString text(key ? key : L"");
    HvGroup::Create(this, groups, key ? &text : nullptr, &group);
    groups->InsertItem(-1, group, true, 0);
    headerOrder.push_back(group);
    return group;
}

// --- notices and late binding ----------------------------------------------------

NoticeLog::NoticeLog(ChangePublisher* publisher) : link_(this)
{
    link_.RelinkSubscription(publisher);
}

HRESULT PutProperty(IDispatch* object, const wchar_t* name, VARIANT value)
{
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &named, 1, 1};
    EXCEPINFO info = {};
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, &info, nullptr);
    VariantClear(&value);
    if (hr == DISP_E_EXCEPTION) {
        hr = info.scode;
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
    }
    return hr;
}

HRESULT GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value)
{
    VariantInit(value);
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS params = {nullptr, nullptr, 0, 0};
    EXCEPINFO info = {};
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &params, value, &info, nullptr);
    if (hr == DISP_E_EXCEPTION) {
        hr = info.scode;
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
    }
    return hr;
}

VARIANT Long(LONG value)
{
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

VARIANT Float(float value)
{
    VARIANT v;
    V_VT(&v) = VT_R4;
    V_R4(&v) = value;
    return v;
}

VARIANT Text(const wchar_t* text)
{
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(text);
    return v;
}

VARIANT Bool(bool value)
{
    VARIANT v;
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}
