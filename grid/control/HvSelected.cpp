// The selected object: its collections, ClearAll, would-be selections,
// snapshots and their comparison.
#include "HvSelected.h"

#include "HvSelectedCells.h"
#include "HvSelectedCols.h"
#include "HvSelectedRows.h"
#include "ObjectInfo.h"
#include "SelectedControlSeam.h"

#include <new>

namespace {

constexpr DISPID kBeforeSelectChange = 1045;
constexpr DISPID kAfterSelectChange = 1017;

// Holds the new collection in place of the old one.
template <class T>
void Replace(T*& held, T* replacement)
{
    if (held == replacement)
        return;
    if (held)
        held->Release();
    held = replacement;
    if (held)
        held->AddRef();
}

// An absent list counts as an empty one; else the same members in order.
template <class T>
bool SameInOrder(const T* a, const T* b)
{
    if (a == b)
        return true;
    if (!a || !b)
        return (a ? a : b)->ItemCount() == 0;
    return a->ItemCount() == b->ItemCount() && a->ItemsInOrder() == b->ItemsInOrder();
}

template <class T>
void DeactivateIfHeld(T* collection)
{
    if (collection)
        CAutomationObject::Deactivate(collection);
}

template <class T>
void ReleaseIfHeld(T*& collection)
{
    if (collection)
        collection->Release();
    collection = nullptr;
}

} // namespace

HvSelected* HvSelected::Create(SelectedControlSeam* control, bool readOnly)
{
    try {
        return new (std::nothrow) HvSelected(control, readOnly);
    } catch (...) {
        return nullptr;
    }
}

HvSelected::HvSelected(SelectedControlSeam* control, bool readOnly)
    : HvObjectBaseImpl(ObjectType::HvSelected), control_(control), readOnly_(readOnly)
{
}

HvSelected::~HvSelected()
{
    Deactivate();
    ReleaseIfHeld(columns_);
    ReleaseIfHeld(cells_);
    ReleaseIfHeld(rows_);
}

HRESULT HvSelected::InternalQueryInterface(REFIID iid, void** out)
{
    return HvObjectBaseImpl::InternalQueryInterface(iid, out);
}

void HvSelected::ReleaseReferences()
{
    // References the container still holds report that they are gone.
    DeactivateIfHeld(columns_);
    DeactivateIfHeld(cells_);
    DeactivateIfHeld(rows_);
}

HRESULT HvSelected::EnsureCells()
{
    if (!cells_)
        cells_ = HvSelectedCells::Create(control_ ? control_->SelectionLayout() : nullptr, readOnly_);
    return cells_ ? S_OK : E_OUTOFMEMORY;
}

HRESULT HvSelected::EnsureColumns()
{
    if (!columns_)
        columns_ = HvSelectedCols::Create(control_ ? control_->SelectionLayout() : nullptr, readOnly_);
    return columns_ ? S_OK : E_OUTOFMEMORY;
}

HRESULT HvSelected::EnsureRows()
{
    if (!rows_)
        rows_ = HvSelectedRows::Create(control_ ? control_->SelectionLayout() : nullptr, readOnly_);
    return rows_ ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP HvSelected::get_Cells(IHvSelectedCells** out)
{
    return Guard([&] {
        if (!IsActive())
            return NotActiveError();
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        const HRESULT hr = EnsureCells();
        return FAILED(hr) ? hr : cells_->QueryInterface(IID_IHvSelectedCells, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvSelected::get_Columns(IHvSelectedCols** out)
{
    return Guard([&] {
        if (!IsActive())
            return NotActiveError();
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        const HRESULT hr = EnsureColumns();
        return FAILED(hr) ? hr : columns_->QueryInterface(IID_IHvSelectedCols, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvSelected::get_Rows(IHvSelectedRows** out)
{
    return Guard([&] {
        if (!IsActive())
            return NotActiveError();
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        const HRESULT hr = EnsureRows();
        return FAILED(hr) ? hr : rows_->QueryInterface(IID_IHvSelectedRows, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvSelected::ClearAll()
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (readOnly_)
            return Exception(CollectionError::ReadOnly, CollectionError::ReadOnlyString);
        if (!control_)
            return S_OK;
        if (!control_->IsEventAllowed(kBeforeSelectChange) && !control_->IsEventAllowed(kAfterSelectChange))
            return control_->ClearSelectionsQuietly();
        // Each clear goes through the selection events; a kind whose
        // collection was never fetched here is left as it is.
        if (columns_)
            columns_->Clear();
        if (cells_)
            cells_->Clear();
        if (rows_)
            rows_->Clear();
        return S_OK;
    });
}

void HvSelected::CopyFlagsToCollections()
{
    if (columns_) {
        columns_->SetReadOnly(readOnly_);
        columns_->SetSnapshot(snapshot_);
    }
    if (cells_) {
        cells_->SetReadOnly(readOnly_);
        cells_->SetSnapshot(snapshot_);
    }
    if (rows_) {
        rows_->SetReadOnly(readOnly_);
        rows_->SetSnapshot(snapshot_);
    }
}

void HvSelected::SetCells(HvSelectedCells* cells)
{
    Replace(cells_, cells);
    CopyFlagsToCollections();
}

void HvSelected::SetColumns(HvSelectedCols* columns)
{
    Replace(columns_, columns);
    CopyFlagsToCollections();
}

void HvSelected::SetRows(HvSelectedRows* rows)
{
    Replace(rows_, rows);
    CopyFlagsToCollections();
}

HRESULT HvSelected::AddItem(HvSelectableItem* item, LONG kind, bool clearFirst)
{
    if (!IsActive())
        return NotActiveError();
    HRESULT hr = S_OK;
    switch (kind) {
    case RowItem:
        hr = EnsureRows();
        if (FAILED(hr))
            return hr;
        if (clearFirst)
            rows_->ClearChecked();
        rows_->SelectRow(item, true);
        if (cells_)
            cells_->ClearChecked();
        break;
    case CellItem:
        hr = EnsureCells();
        if (FAILED(hr))
            return hr;
        if (clearFirst)
            cells_->ClearChecked();
        cells_->SelectCell(item, true);
        if (rows_)
            rows_->ClearChecked();
        break;
    case ColumnItem:
        hr = EnsureColumns();
        if (FAILED(hr))
            return hr;
        if (clearFirst)
            columns_->ClearChecked();
        columns_->SelectColumn(item, true);
        break;
    default:
        break;
    }
    return hr;
}

HRESULT HvSelected::AddGroup(GridGroupSeam* group, bool clearFirst)
{
    if (!IsActive())
        return NotActiveError();
    const HRESULT hr = EnsureColumns();
    if (FAILED(hr))
        return hr;
    if (clearFirst)
        columns_->ClearChecked();
    columns_->SelectColumnsOf(group, true);
    return hr;
}

HvSelected* HvSelected::CreateSnapshot()
{
    HvSelected* copy = Create(control_, true);
    if (!copy)
        return nullptr;
    copy->snapshot_ = true;
    copy->readOnly_ = true;
    // The copy takes over the one reference of each collection snapshot.
    if (columns_)
        copy->columns_ = columns_->CreateSnapshot();
    if (cells_)
        copy->cells_ = cells_->CreateSnapshot();
    if (rows_)
        copy->rows_ = rows_->CreateSnapshot();
    return copy;
}

bool HvSelected::IsSameSelection(const HvSelected& other) const
{
    return HvSelectedCells::IsSameSelection(cells_, other.cells_) && SameInOrder(rows_, other.rows_) &&
           SameInOrder(columns_, other.columns_);
}
