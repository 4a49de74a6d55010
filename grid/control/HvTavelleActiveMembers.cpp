// The grid control's active-object members: the active cell, row and scroll
// regions as clients read and set them. Objects handed in must be alive and
// belong to this control's layout.
#include "HvTavelle.h"

#include "HvCell.h"
#include "HvColScrollRegion.h"
#include "HvLayout.h"
#include "HvRow.h"
#include "HvRowScrollRegion.h"

namespace {

constexpr HRESULT UnavailableAtDesignTime = static_cast<HRESULT>(0x800A018A);
constexpr WORD UnavailableAtDesignTimeString = 10501;

// The library's object behind a client's interface, or null.
template <class T>
T* ObjectOf(IUnknown* object)
{
    return object ? dynamic_cast<T*>(HvKeyedItem::FromObject(object)) : nullptr;
}

// A library object that its owner has let go of.
bool IsDeadObject(IUnknown* object)
{
    HvKeyedItem* item = HvKeyedItem::FromObject(object);
    return item && !CAutomationObject::IsActive(item->GetItemObject());
}

} // namespace

HRESULT HvTavelle::RefuseActiveGet(void* out)
{
    if (IsDesignMode())
        return Exception(UnavailableAtDesignTime, UnavailableAtDesignTimeString);
    return out ? S_OK : E_INVALIDARG;
}

HRESULT HvTavelle::InvalidObject()
{
    return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
}

// --- cell -------------------------------------------------------------------------------

STDMETHODIMP HvTavelle::get_ActiveCell(IHvCell** Cell)
{
    if (HRESULT hr = RefuseActiveGet(Cell); FAILED(hr))
        return hr;
    *Cell = nullptr;
    HvCell* cell = GetActiveCell();
    return cell ? cell->QueryInterface(IID_IHvCell, reinterpret_cast<void**>(Cell)) : S_OK;
}

STDMETHODIMP HvTavelle::put_ActiveCell(IHvCell* Cell)
{
    if (!Cell) {
        DeactivateActiveCell(true, false);
        return S_OK;
    }
    if (IsDeadObject(Cell))
        return NotActiveError();
    HvCell* cell = ObjectOf<HvCell>(Cell);
    if (!cell || cell->Layout() != static_cast<SelectionLayoutSeam*>(layout_))
        return InvalidObject();
    CUnknownObject::AddRef();
    cell->AddRef();
    const HRESULT hr = ActivateCellWithEvents(cell);
    cell->Release();
    CUnknownObject::Release();
    return hr;
}

STDMETHODIMP HvTavelle::putref_ActiveCell(IHvCell* Cell)
{
    return put_ActiveCell(Cell);
}

// --- row --------------------------------------------------------------------------------

STDMETHODIMP HvTavelle::get_ActiveRow(IHvRow** Row)
{
    if (HRESULT hr = RefuseActiveGet(Row); FAILED(hr))
        return hr;
    *Row = nullptr;
    HvRow* row = GetActiveRow();
    return row ? row->QueryInterface(IID_IHvRow, reinterpret_cast<void**>(Row)) : S_OK;
}

STDMETHODIMP HvTavelle::put_ActiveRow(IHvRow* Row)
{
    if (!Row)
        return static_cast<HRESULT>(ChangeActiveRow(nullptr));
    if (IsDeadObject(Row))
        return NotActiveError();
    HvRow* row = ObjectOf<HvRow>(Row);
    if (!row || row->Layout() != static_cast<SelectionLayoutSeam*>(layout_))
        return InvalidObject();
    return static_cast<HRESULT>(ChangeActiveRow(row));
}

STDMETHODIMP HvTavelle::putref_ActiveRow(IHvRow* Row)
{
    return put_ActiveRow(Row);
}

// --- scroll regions ---------------------------------------------------------------------

STDMETHODIMP HvTavelle::get_ActiveColScrollRegion(IHvColScrollRegion** Region)
{
    if (HRESULT hr = RefuseActiveGet(Region); FAILED(hr))
        return hr;
    *Region = nullptr;
    ScrollRegionItem* region = GetActiveColScrollRegion(false);
    if (!region)
        return E_OUTOFMEMORY;
    IDispatch* dispatch = nullptr;
    HRESULT hr = region->QueryItemInterface(&dispatch);
    if (SUCCEEDED(hr))
        hr = dispatch->QueryInterface(IID_IHvColScrollRegion, reinterpret_cast<void**>(Region));
    if (dispatch)
        dispatch->Release();
    return hr;
}

STDMETHODIMP HvTavelle::get_ActiveRowScrollRegion(IHvRowScrollRegion** Region)
{
    if (HRESULT hr = RefuseActiveGet(Region); FAILED(hr))
        return hr;
    *Region = nullptr;
    ScrollRegionItem* region = GetActiveRowScrollRegion();
    if (!region)
        return E_OUTOFMEMORY;
    IDispatch* dispatch = nullptr;
    HRESULT hr = region->QueryItemInterface(&dispatch);
    if (SUCCEEDED(hr))
        hr = dispatch->QueryInterface(IID_IHvRowScrollRegion, reinterpret_cast<void**>(Region));
    if (dispatch)
        dispatch->Release();
    return hr;
}

HRESULT HvTavelle::PutActiveRegion(IUnknown* argument, bool rows)
{
    if (!argument)
        return InvalidObject();
    if (IsDeadObject(argument))
        return NotActiveError();
    auto* region = dynamic_cast<ScrollRegionItem*>(HvKeyedItem::FromObject(argument));
    ScrollRegionItem* found = nullptr;
    if (region && layout_) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_UNKNOWN;
        value.punkVal = argument;
        const HRESULT hr = rows ? layout_->RowScrollRegionFromVariant(value, &found)
                                : layout_->ColScrollRegionFromVariant(value, &found);
        if (FAILED(hr))
            found = nullptr;
    }
    if (!found || found != region)
        return InvalidObject();
    ScrollRegionItem* current = rows ? GetActiveRowScrollRegion() : GetActiveColScrollRegion(false);
    if (current == region)
        return S_OK;
    if (LeaveEditMode(false))
        return S_OK;
    if (rows)
        activeRowRegion_ = region;
    else
        activeColRegion_ = region;
    if (layout_ && (GetActiveCell() || GetActiveRow()))
        layout_->DirtyRootUIElement(true, true);
    return S_OK;
}

STDMETHODIMP HvTavelle::put_ActiveColScrollRegion(IHvColScrollRegion* Region)
{
    return PutActiveRegion(Region, false);
}

STDMETHODIMP HvTavelle::putref_ActiveColScrollRegion(IHvColScrollRegion* Region)
{
    return PutActiveRegion(Region, false);
}

STDMETHODIMP HvTavelle::put_ActiveRowScrollRegion(IHvRowScrollRegion* Region)
{
    return PutActiveRegion(Region, true);
}

STDMETHODIMP HvTavelle::putref_ActiveRowScrollRegion(IHvRowScrollRegion* Region)
{
    return PutActiveRegion(Region, true);
}
