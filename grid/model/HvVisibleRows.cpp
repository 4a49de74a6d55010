// HvVisibleRows: look-up and rebuilding of a row region's visible rows.
#include "HvVisibleRows.h"

#include "AutomationObject.h"
#include "VisibleItemSeam.h"

#include <vector>

namespace {

// The row objects of the current visible rows, each referenced.
class HeldRows {
public:
    HeldRows() = default;
    HeldRows(const HeldRows&) = delete;
    HeldRows& operator=(const HeldRows&) = delete;
    ~HeldRows()
    {
        for (IUnknown* row : rows_)
            row->Release();
    }
    void Add(IUnknown* row)
    {
        rows_.push_back(row);
        row->AddRef();
    }

private:
    std::vector<IUnknown*> rows_;
};

} // namespace

HvVisibleRows::HvVisibleRows(void* owner) : HvViewCollection(ObjectType::HvVisibleRows, owner, 0) {}

HRESULT HvVisibleRows::Create(void* owner, HvVisibleRows** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&] {
        *out = new HvVisibleRows(owner);
        return S_OK;
    });
}

STDMETHODIMP HvVisibleRows::get_Item(long index, IHvRow** out)
{
    return Guard([&] { return ItemByPosition(index, IID_IHvRow, reinterpret_cast<void**>(out)); });
}

HRESULT HvVisibleRows::Rebuild(VisibleRowSource& source)
{
    HeldRows kept;
    try {
        for (const Node* node = First(); node; node = NextOf(node)) {
            VisibleRowItem* visible = dynamic_cast<VisibleRowItem*>(node->item);
            if (IUnknown* row = visible ? visible->RowObject() : nullptr)
                kept.Add(row);
            else if (CAutomationObject* object = node->item ? node->item->GetItemObject() : nullptr)
                kept.Add(object->ControllingUnknown());
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    HRESULT hr = ClearObjectListCollection(false, 0);
    if (FAILED(hr))
        return hr;
    HvKeyedItem* previous = nullptr;
    const LONG count = source.EntryCount();
    for (LONG entry = 0; entry < count; ++entry) {
        HvKeyedItem* row = source.CreateVisibleRow(entry, previous);
        if (!row)
            continue;
        hr = InsertListCollectionItem(-1, row, false, 0);
        if (FAILED(hr)) {
            row->ReleaseItem();
            return hr;
        }
        previous = row;
    }
    return S_OK;
}
