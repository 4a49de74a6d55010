// HvSelectedCells: the selected cells and the rows they keep alive.
#include "HvSelectedCells.h"

#include <algorithm>
#include <new>

HvSelectedCells* HvSelectedCells::Create(SelectionLayoutSeam* layout, bool readOnly)
{
    return new (std::nothrow) HvSelectedCells(layout, readOnly);
}

HvSelectedCells::HvSelectedCells(SelectionLayoutSeam* layout, bool readOnly)
    : HvSelectionCollection(ObjectType::HvSelectedCells, layout, readOnly)
{
}

HvSelectedCells::~HvSelectedCells()
{
    // Here, not in the base: the rows are let go by this class's hooks.
    ClearListCollection(true, 1);
}

STDMETHODIMP HvSelectedCells::get_Item(long index, IHvCell** out)
{
    return Guard([&] { return ItemByPosition(index, out); });
}

STDMETHODIMP HvSelectedCells::Add(IHvCell* cell)
{
    return Guard([&] { return AddObject(cell); });
}

HvSelectedCells* HvSelectedCells::CreateSnapshot()
{
    return MakeSnapshot(*this);
}

bool HvSelectedCells::IsSameSelection(const HvSelectedCells* a, const HvSelectedCells* b)
{
    if (a == b)
        return true;
    if (!a || !b)
        return (a ? a : b)->ItemCount() == 0;
    if (a->ItemCount() != b->ItemCount())
        return false;
    // The same cells, whatever their order.
    std::vector<HvKeyedItem*> mine = a->Items();
    std::vector<HvKeyedItem*> theirs = b->Items();
    std::sort(mine.begin(), mine.end());
    std::sort(theirs.begin(), theirs.end());
    return mine == theirs;
}

bool HvSelectedCells::IsSameSelection(const HvSelectedCells* other) const
{
    return IsSameSelection(this, other);
}

HRESULT HvSelectedCells::BeforeClear(bool, LONG, bool* notifyEach)
{
    if (notifyEach)
        *notifyEach = true;
    return S_OK;
}

void HvSelectedCells::OnItemAdded(HvKeyedItem* item, LONG, LONG)
{
    HvSelectableItem* cell = HvSelectableItem::FromKeyed(item);
    HvSelectableItem* row = cell ? cell->RowItem() : nullptr;
    HvKeyedItem* rowItem = row ? row->KeyedItem() : nullptr;
    if (!rowItem)
        return;
    try {
        rowRefs_.emplace_back(item, rowItem);
    } catch (const std::bad_alloc&) {
        return; // no reference taken, none to give back
    }
    rowItem->AddRefItem();
}

void HvSelectedCells::OnItemRemoved(HvKeyedItem* item, bool, LONG, bool)
{
    auto found = std::find_if(rowRefs_.begin(), rowRefs_.end(), [&](const auto& entry) { return entry.first == item; });
    if (found == rowRefs_.end())
        return;
    HvKeyedItem* rowItem = found->second;
    rowRefs_.erase(found);
    rowItem->ReleaseItem();
}
