// HvGroupCols: the client methods, level positions and the copy of a
// group's column list.
#include "HvGroupCols.h"

#include "GridBandSeam.h"
#include "GridColumnSeam.h"
#include "GridGroupSeam.h"
#include "HvColumns.h"
#include "HvGroups.h"
#include "HvKeyedItem.h"

#include <utility>

namespace {

constexpr DISPID kAddId = 2001;
constexpr DISPID kRemoveId = 2002;
constexpr DISPID kClearId = -554;

VARIANT ShortVariant(SHORT value)
{
    VARIANT result;
    VariantInit(&result);
    V_VT(&result) = VT_I2;
    V_I2(&result) = value;
    return result;
}

} // namespace

HvGroupCols::HvGroupCols(GridGroupSeam* group, bool readOnly)
    : HvCollectionObject(ObjectType::HvGroupCols, OwnerPropertyId, ObjectType::HvGroupCols, true),
      group_(group), readOnly_(readOnly)
{
}

HRESULT HvGroupCols::Create(GridGroupSeam* group, bool readOnly, HvGroupCols** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvGroupCols(group, readOnly);
        return S_OK;
    });
}

GridBandSeam* HvGroupCols::Band() const
{
    return group_ ? group_->Band() : nullptr;
}

bool HvGroupCols::GroupsBeingCopied() const
{
    GridBandSeam* band = Band();
    HvGroups* groups = band ? band->GetGroups(false) : nullptr;
    return groups && groups->IsCopying();
}

HvListCollection::Node* HvGroupCols::FindNode(const GridColumnSeam* column)
{
    for (Node* node = HvListCollection::Head()->next; node != HvListCollection::Head(); node = node->next)
        if (ColumnOf(node) == column)
            return node;
    return nullptr;
}

// --- dispatch ---------------------------------------------------------------

STDMETHODIMP HvGroupCols::get_Item(VARIANT index, IHvColumn** out)
{
    return Guard([&] { return Item(&index, reinterpret_cast<IDispatch**>(out)); });
}

STDMETHODIMP HvGroupCols::Add(VARIANT* column, VARIANT* visiblePosition, VARIANT* level)
{
    if (!column)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (readOnly_)
            return RaiseError(CollectionError::ReadOnly, CollectionError::ReadOnlyString);
        GridBandSeam* band = Band();
        HvColumns* columns = band ? band->Columns() : nullptr;
        if (!columns)
            return E_FAIL;
        GridColumnSeam* found = nullptr;
        HRESULT hr = columns->LookupColumn(column, &found);
        if (FAILED(hr))
            return hr;
        if (!found)
            return E_FAIL;
        hr = found->JoinGroup(group_, visiblePosition, level);
        found->ColumnItem()->ReleaseItem();
        NotifySubscribers(kAddId, 0);
        return hr;
    });
}

STDMETHODIMP HvGroupCols::Remove(VARIANT index)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (readOnly_)
            return RaiseError(CollectionError::ReadOnly, CollectionError::ReadOnlyString);
        IDispatch* found = nullptr;
        HvKeyedItem* item = nullptr;
        HRESULT hr = FindItem(&index, &found, &item);
        if (FAILED(hr))
            return hr;
        GridColumnSeam* column = dynamic_cast<GridColumnSeam*>(item);
        hr = column ? column->LeaveGroup() : E_FAIL;
        if (found)
            found->Release();
        NotifySubscribers(kRemoveId, 0);
        return hr;
    });
}

STDMETHODIMP HvGroupCols::Clear()
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (readOnly_)
            return RaiseError(CollectionError::ReadOnly, CollectionError::ReadOnlyString);
        while (const Node* first = First()) {
            GridColumnSeam* column = ColumnOf(first);
            HRESULT hr = column ? column->LeaveGroup() : E_FAIL;
            if (FAILED(hr))
                return hr;
            // A column that stays in the list would make this loop endless.
            if (First() == first && ColumnOf(First()) == column)
                return E_FAIL;
        }
        if (!GroupsBeingCopied())
            NotifySubscribers(kClearId, 0);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE HvGroupCols::LoadColumnList(IStream* stream, LONG)
{
    return Guard([&] { return ReadColumnList(stream, Band(), group_); });
}

HRESULT HvGroupCols::Save(IStream* stream, LONG)
{
    return SaveColumnList(stream, Band());
}

// --- copies -----------------------------------------------------------------

HvGroupCols* HvGroupCols::Clone()
{
    HvGroupCols* copy = nullptr;
    if (FAILED(Create(nullptr, true, &copy)))
        return nullptr;
    for (const Node* node = First(); node; node = NextOf(node)) {
        if (FAILED(copy->AppendLoadedItem(node->item))) {
            copy->Release();
            return nullptr;
        }
        node->item->AddRefItem();
    }
    return copy;
}

HRESULT HvGroupCols::CopyFrom(HvGroupCols& source)
{
    if (&source == this)
        return S_OK;
    HRESULT hr = Clear();
    if (FAILED(hr))
        return hr;
    GridBandSeam* band = Band();
    HvColumns* columns = band ? band->Columns() : nullptr;
    if (!columns || source.ItemCount() == 0)
        return S_OK;
    for (const Node* node = source.First(); node; node = source.NextOf(node)) {
        GridColumnSeam* from = ColumnOf(node);
        if (!from)
            continue;
        GridColumnSeam* match = nullptr;
        for (HvKeyedItem* item : columns->Items()) {
            GridColumnSeam* candidate = dynamic_cast<GridColumnSeam*>(item);
            if (candidate && candidate->IsSameKey(from)) {
                match = candidate;
                break;
            }
        }
        if (!match)
            continue;
        SHORT position = 0;
        SHORT level = 0;
        from->GetPositionRecord(&position, &level);
        IDispatch* object = nullptr;
        if (FAILED(match->ColumnItem()->QueryItemInterface(&object)))
            continue;
        VARIANT columnArg;
        VariantInit(&columnArg);
        V_VT(&columnArg) = VT_DISPATCH;
        V_DISPATCH(&columnArg) = object;
        VARIANT positionArg = ShortVariant(position);
        VARIANT levelArg = ShortVariant(level);
        Add(&columnArg, &positionArg, &levelArg);
        VariantClear(&columnArg);
    }
    return S_OK;
}

// --- level positions --------------------------------------------------------

HRESULT HvGroupCols::PositionAt(GridColumnSeam* column, SHORT indexInLevel, SHORT level)
{
    if (!column)
        return E_INVALIDARG;
    LONG position = 0;
    LONG insertAt = -1;
    SHORT currentLevel = 0;
    SHORT indexHere = 0;
    for (const Node* node = First(); node; node = NextOf(node), ++position) {
        GridColumnSeam* here = ColumnOf(node);
        const SHORT nodeLevel = here ? here->Level() : 0;
        indexHere = (position == 0 || nodeLevel != currentLevel) ? 0 : static_cast<SHORT>(indexHere + 1);
        currentLevel = nodeLevel;
        if ((nodeLevel == level && indexHere == indexInLevel) || nodeLevel > level) {
            insertAt = position;
            break;
        }
    }
    const HRESULT hr = InsertListCollectionItem(insertAt, column->ColumnItem(), true, 0);
    if (FAILED(hr))
        return hr;
    column->SetLevel(level, false);
    if (group_)
        group_->InvalidateLayout();
    UpdateGroupWidth(nullptr, false, false);
    return hr;
}

HRESULT HvGroupCols::GetLevelPosition(GridColumnSeam* column, SHORT* indexInLevel, SHORT* level)
{
    if (!indexInLevel)
        return E_POINTER;
    *indexInLevel = -1;
    if (level)
        *level = -1;
    LONG position = 0;
    SHORT currentLevel = 0;
    SHORT indexHere = 0;
    for (const Node* node = First(); node; node = NextOf(node), ++position) {
        GridColumnSeam* here = ColumnOf(node);
        const SHORT nodeLevel = here ? here->Level() : 0;
        indexHere = (position == 0 || nodeLevel != currentLevel) ? 0 : static_cast<SHORT>(indexHere + 1);
        currentLevel = nodeLevel;
        if (here == column) {
            *indexInLevel = indexHere;
            if (level)
                *level = nodeLevel;
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT HvGroupCols::MoveColumnTo(GridColumnSeam* column, SHORT indexInLevel, bool* moved)
{
    SHORT index = -1;
    SHORT level = -1;
    if (moved)
        *moved = false;
    if (!column || FAILED(GetLevelPosition(column, &index, &level)))
        return E_FAIL;
    if (index == indexInLevel)
        return S_OK;
    HvKeyedItem* item = column->ColumnItem();
    item->AddRefItem();
    HRESULT hr = RemoveListCollectionItem(item);
    if (SUCCEEDED(hr))
        hr = PositionAt(column, indexInLevel, level);
    item->ReleaseItem();
    if (SUCCEEDED(hr) && moved)
        *moved = true;
    return hr;
}

HRESULT HvGroupCols::MoveColumnBy(GridColumnSeam* column, SHORT level, bool* moved)
{
    SHORT index = -1;
    SHORT current = -1;
    if (moved)
        *moved = false;
    if (!column || FAILED(GetLevelPosition(column, &index, &current)))
        return E_FAIL;
    if (current == level)
        return S_OK;
    HvKeyedItem* item = column->ColumnItem();
    item->AddRefItem();
    HRESULT hr = RemoveListCollectionItem(item);
    if (SUCCEEDED(hr))
        hr = PositionAt(column, index, level);
    item->ReleaseItem();
    if (SUCCEEDED(hr) && moved)
        *moved = true;
    return hr;
}

HRESULT HvGroupCols::SwapColumns(GridColumnSeam* a, GridColumnSeam* b)
{
    Node* first = a ? FindNode(a) : nullptr;
    Node* second = b ? FindNode(b) : nullptr;
    if (!first || !second)
        return E_FAIL;
    const SHORT levelA = a->Level();
    const SHORT levelB = b->Level();
    a->SetLevel(levelB, false);
    b->SetLevel(levelA, false);
    std::swap(first->item, second->item);
    UpdateGroupWidth(nullptr, false, false);
    NotifySubscribers(OwnerPropertyId, 0);
    return S_OK;
}

HRESULT HvGroupCols::RemoveColumn(GridColumnSeam* column)
{
    if (!column)
        return E_INVALIDARG;
    const HRESULT hr = RemoveListCollectionItem(column->ColumnItem());
    if (group_)
        group_->InvalidateLayout();
    UpdateGroupWidth(nullptr, false, false);
    return hr;
}
