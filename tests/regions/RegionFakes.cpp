// Stand-ins for the display and control around the region and view
// collections.
#include "RegionFakes.h"

#include <type_traits>

template <class TInterface, class TItem>
int FakeRegion<TInterface, TItem>::live = 0;

template <class TInterface, class TItem>
FakeRegion<TInterface, TItem>::FakeRegion(int objectType, RegionLayout& layout, ChangeSubscriber* subscriber)
    : Dual(objectType), layout_(layout), link_(subscriber)
{
    ++live;
    if (subscriber)
        link_.RelinkSubscription(this);
}

template <class TInterface, class TItem>
FakeRegion<TInterface, TItem>::~FakeRegion()
{
    link_.Unlink();
    DetachAllSubscribers();
    --live;
}

template <class TInterface, class TItem>
HRESULT FakeRegion<TInterface, TItem>::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && IsEqualIID(iid, IID_HvCollectionItem)) {
        *out = static_cast<HvCollectionItem*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return Dual::InternalQueryInterface(iid, out);
}

template <class TInterface, class TItem>
HRESULT FakeRegion<TInterface, TItem>::Split(float* size, ScrollRegionItem** made)
{
    *made = nullptr;
    state.splitSizes.push_back(size ? *size : -1.0f);
    ScrollRegionItem* region = nullptr;
    long index = -1;
    HRESULT hr = E_FAIL;
    if constexpr (std::is_same_v<TItem, ColScrollRegionItem>) {
        region = layout_.CreateColScrollRegion(layout_.cols);
        layout_.cols->IndexOfRegion(this, &index);
        hr = layout_.cols->InsertRegion(region, index + 1);
    } else {
        region = layout_.CreateRowScrollRegion(layout_.rows);
        layout_.rows->IndexOfRegion(this, &index);
        hr = layout_.rows->InsertRegion(region, index + 1);
    }
    if (FAILED(hr)) {
        region->ReleaseItem();
        return hr;
    }
    *made = region; // the creation reference goes to the caller
    return S_OK;
}

template <class TInterface, class TItem>
void FakeRegion<TInterface, TItem>::CopySettingsFrom(ScrollRegionItem& source)
{
    auto& from = static_cast<FakeRegion&>(static_cast<TItem&>(source));
    state.scrollBar = from.state.scrollBar;
    state.sizing = from.state.sizing;
    state.hidden = from.state.hidden;
    state.extent = from.state.extent;
    state.copiedFrom = &from;
}

namespace {

HRESULT WriteAll(IStream* stream, const void* data, ULONG size)
{
    ULONG written = 0;
    HRESULT hr = stream->Write(data, size, &written);
    return FAILED(hr) ? hr : (written == size ? S_OK : STG_E_MEDIUMFULL);
}

HRESULT ReadAll(IStream* stream, void* data, ULONG size)
{
    ULONG read = 0;
    HRESULT hr = stream->Read(data, size, &read);
    return FAILED(hr) ? hr : (read == size ? S_OK : E_FAIL);
}

} // namespace

template <class TInterface, class TItem>
HRESULT FakeRegion<TInterface, TItem>::Save(IStream* stream, LONG)
{
    const LONG numbers[2] = {state.origin, state.extent};
    const BYTE bytes[3] = {state.scrollBar, state.sizing, static_cast<BYTE>(state.hidden)};
    HRESULT hr = WriteAll(stream, numbers, sizeof numbers);
    return FAILED(hr) ? hr : WriteAll(stream, bytes, sizeof bytes);
}

template <class TInterface, class TItem>
HRESULT FakeRegion<TInterface, TItem>::Load(IStream* stream, LONG)
{
    LONG numbers[2] = {};
    BYTE bytes[3] = {};
    HRESULT hr = ReadAll(stream, numbers, sizeof numbers);
    if (SUCCEEDED(hr))
        hr = ReadAll(stream, bytes, sizeof bytes);
    if (FAILED(hr))
        return hr;
    if (bytes[2] > 1)
        return E_FAIL;
    state.origin = numbers[0];
    state.extent = numbers[1];
    state.scrollBar = bytes[0];
    state.sizing = bytes[1];
    state.hidden = bytes[2] != 0;
    return S_OK;
}

template class FakeRegion<IHvColScrollRegionStub, ColScrollRegionItem>;
template class FakeRegion<IHvRowScrollRegionStub, RowScrollRegionItem>;

void FakeColRegion::SetDirty(bool dirty, bool resetPosition, bool markRoot)
{
    state.dirtyCalls.push_back(std::string(dirty ? "D" : "-") + (resetPosition ? "R" : "-") + (markRoot ? "M" : "-"));
}

FakeRowRegion::~FakeRowRegion()
{
    if (visibleRows)
        visibleRows->Release();
}

void FakeRowRegion::SetDirty(bool dirty, bool reset)
{
    state.dirtyCalls.push_back(std::string(dirty ? "D" : "-") + (reset ? "R" : "-"));
}

STDMETHODIMP CountedUnknown::QueryInterface(REFIID iid, void** out)
{
    if (!IsEqualIID(iid, IID_IUnknown)) {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    *out = this;
    AddRef();
    return S_OK;
}

bool RegionControl::IsEventFiring(DISPID event)
{
    for (DISPID id : firing)
        if (id == event)
            return true;
    return false;
}

bool RegionControl::Fire(const char* name, IDispatch* first, IDispatch* second)
{
    events.push_back({name, first, second, identity.refs});
    if (duringEvent)
        duringEvent();
    return cancel;
}

RegionLayout::~RegionLayout()
{
    if (cols)
        cols->Release();
    if (rows)
        rows->Release();
}

ColScrollRegionItem* RegionLayout::CreateColScrollRegion(ChangeSubscriber* subscriber)
{
    if (failCreate)
        return nullptr;
    return new FakeColRegion(*this, subscriber);
}

RowScrollRegionItem* RegionLayout::CreateRowScrollRegion(ChangeSubscriber* subscriber)
{
    return failCreate ? nullptr : new FakeRowRegion(*this, subscriber);
}

bool RegionLayout::DataAreaInnerRect(RECT* rect)
{
    if (hasDataArea)
        *rect = dataArea;
    return hasDataArea;
}

void RegionLayout::MakeCollections()
{
    HvColScrollRegions::Create(this, &cols);
    HvRowScrollRegions::Create(this, &rows);
}

FakeColRegion* RegionLayout::Col(LONG position) const
{
    return static_cast<FakeColRegion*>(cols->ColRegionAt(position));
}

FakeRowRegion* RegionLayout::Row(LONG position) const
{
    return static_cast<FakeRowRegion*>(rows->RowRegionAt(position));
}

int FakeRow::live = 0;

FakeVisibleRow::FakeVisibleRow(FakeRow* row, FakeVisibleRow* before)
    : FakeViewItem(ObjectType::HvRow), previous(before), row_(row)
{
    if (row_) {
        row_->AddRef();
        tag = row_->tag;
    }
}

FakeVisibleRow::~FakeVisibleRow()
{
    if (row_)
        row_->Release();
}

HvKeyedItem* HeaderSource::CreateVisibleHeader(LONG entry)
{
    const LONG tag = tags_[static_cast<size_t>(entry)];
    return tag < 0 ? nullptr : new FakeHeader(tag);
}

HvKeyedItem* RowSource::CreateVisibleRow(LONG entry, HvKeyedItem* previous)
{
    FakeRow* row = rows_[static_cast<size_t>(entry)];
    return row ? new FakeVisibleRow(row, dynamic_cast<FakeVisibleRow*>(previous)) : nullptr;
}

VARIANT I4(long value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

VARIANT Text(const wchar_t* text)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(text);
    return v;
}

VARIANT Object(IDispatch* object)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = object;
    return v;
}
