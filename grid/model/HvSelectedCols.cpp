// HvSelectedCols: the selected columns and the selection of whole groups.
#include "HvSelectedCols.h"

#include "GridGroupSeam.h"
#include "HvGroupCols.h"

#include <new>

HvSelectedCols* HvSelectedCols::Create(SelectionLayoutSeam* layout, bool readOnly)
{
    return new (std::nothrow) HvSelectedCols(layout, readOnly);
}

HvSelectedCols::HvSelectedCols(SelectionLayoutSeam* layout, bool readOnly)
    : HvSelectionCollection(ObjectType::HvSelectedCols, layout, readOnly)
{
}

STDMETHODIMP HvSelectedCols::get_Item(VARIANT index, IHvColumn** out)
{
    return Guard([&] { return Item(&index, reinterpret_cast<IDispatch**>(out)); });
}

STDMETHODIMP HvSelectedCols::Add(IHvColumn* column)
{
    return Guard([&] { return AddObject(column); });
}

HvSelectedCols* HvSelectedCols::CreateSnapshot()
{
    return MakeSnapshot(*this);
}

bool HvSelectedCols::GroupColumns(GridGroupSeam* group, std::vector<HvKeyedItem*>& columns)
{
    HvKeyedItem* groupItem = group ? group->GroupItem() : nullptr;
    if (!IsActive() || !groupItem || !CAutomationObject::IsActive(groupItem->GetItemObject()))
        return false;
    if (HvGroupCols* list = group->GetGroupCols(false))
        for (auto node = list->First(); node; node = list->NextOf(node))
            columns.push_back(node->item);
    return true;
}

HRESULT HvSelectedCols::SelectColumnsOf(GridGroupSeam* group, bool check)
{
    std::vector<HvKeyedItem*> columns;
    if (!GroupColumns(group, columns))
        return NotActiveError();
    for (HvKeyedItem* column : columns) {
        if (!column || (check && ListCollectionIndexOf(column) >= 0))
            continue;
        const HRESULT hr = InsertListCollectionItem(-1, column, true, 0);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT HvSelectedCols::DeselectColumnsOf(GridGroupSeam* group)
{
    std::vector<HvKeyedItem*> columns;
    if (!GroupColumns(group, columns))
        return NotActiveError();
    for (HvKeyedItem* column : columns)
        if (column)
            RemoveListCollectionItem(column);
    return S_OK;
}
