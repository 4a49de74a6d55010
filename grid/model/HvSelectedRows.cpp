// HvSelectedRows: the selected rows.
#include "HvSelectedRows.h"

#include <new>

HvSelectedRows* HvSelectedRows::Create(SelectionLayoutSeam* layout, bool readOnly)
{
    return new (std::nothrow) HvSelectedRows(layout, readOnly);
}

HvSelectedRows::HvSelectedRows(SelectionLayoutSeam* layout, bool readOnly)
    : HvSelectionCollection(ObjectType::HvSelectedRows, layout, readOnly)
{
}

STDMETHODIMP HvSelectedRows::get_Item(long index, IHvRow** out)
{
    return Guard([&] { return ItemByPosition(index, out); });
}

STDMETHODIMP HvSelectedRows::Add(IHvRow* row)
{
    return Guard([&] { return AddObject(row); });
}

HvSelectedRows* HvSelectedRows::CreateSnapshot()
{
    return MakeSnapshot(*this);
}
