// HvScrollRegionsBase: the shared algorithms of the two scroll-region
// collections, instantiated for the column and the row interfaces.
#include "HvScrollRegionsBase.h"

#include "ScrollRegionsLayoutSeam.h"

#include <algorithm>
#include <new>

namespace {

// Keeps one reference on an object for a scope (null allowed).
class HeldReference {
public:
    explicit HeldReference(IUnknown* object) : object_(object)
    {
        if (object_)
            object_->AddRef();
    }
    ~HeldReference()
    {
        if (object_)
            object_->Release();
    }
    HeldReference(const HeldReference&) = delete;
    HeldReference& operator=(const HeldReference&) = delete;

private:
    IUnknown* object_;
};

// Keeps one reference on a region for a scope (null allowed).
class HeldRegion {
public:
    explicit HeldRegion(ScrollRegionItem* region) : region_(region)
    {
        if (region_)
            region_->AddRefItem();
    }
    ~HeldRegion()
    {
        if (region_)
            region_->ReleaseItem();
    }
    HeldRegion(const HeldRegion&) = delete;
    HeldRegion& operator=(const HeldRegion&) = delete;

private:
    ScrollRegionItem* region_;
};

// A region handed out as IDispatch for an event (one reference).
class RegionDispatch {
public:
    explicit RegionDispatch(ScrollRegionItem* region)
    {
        if (region)
            region->QueryItemInterface(&dispatch_);
    }
    ~RegionDispatch()
    {
        if (dispatch_)
            dispatch_->Release();
    }
    RegionDispatch(const RegionDispatch&) = delete;
    RegionDispatch& operator=(const RegionDispatch&) = delete;
    IDispatch* Get() const { return dispatch_; }

private:
    IDispatch* dispatch_ = nullptr;
};

bool IsVisible(const ScrollRegionItem* region)
{
    return region && !region->IsHidden();
}

} // namespace

template <class TInterface>
HvScrollRegionsBase<TInterface>::HvScrollRegionsBase(int objectType, DISPID republishId,
                                                     ScrollRegionsLayoutSeam* layout)
    : Base(objectType, republishId, objectType, true), layout_(layout)
{
}

template <class TInterface>
HvScrollRegionsBase<TInterface>::~HvScrollRegionsBase()
{
    // The hooks of this class must run while it is still this class.
    this->Deactivate();
    this->ClearCollection(true, 1);
    this->FreeVectorBuffer();
}

template <class TInterface>
void HvScrollRegionsBase<TInterface>::ReleaseReferences()
{
    this->DeactivateAllItems();
    layout_ = nullptr;   // a client may keep the collection after its layout
}

template <class TInterface>
void HvScrollRegionsBase<TInterface>::AppendDefaultRegion()
{
    ScrollRegionItem* region = NewRegion();
    if (region && FAILED(this->InsertItem(-1, region, false, 0)))
        region->ReleaseItem();
}

template <class TInterface>
void HvScrollRegionsBase<TInterface>::EnsureOneRegion()
{
    if (this->ItemCount() < 1)
        AppendDefaultRegion();
}

template <class TInterface>
RegionControlSeam* HvScrollRegionsBase<TInterface>::Control() const
{
    return layout_ ? layout_->Control() : nullptr;
}

template <class TInterface>
ScrollRegionItem* HvScrollRegionsBase<TInterface>::RegionAt(LONG position) const
{
    // Every entry is a region: only CreateItem and InsertRegion store items.
    return static_cast<ScrollRegionItem*>(this->ItemAtPosition(position));
}

template <class TInterface>
HRESULT HvScrollRegionsBase<TInterface>::ItemAt(long index, void** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    ScrollRegionItem* region = RegionAt(index);
    if (!region)
        return this->RaiseError(RegionError::InvalidIndex, RegionError::InvalidIndexString);
    return region->QueryItemInterface(reinterpret_cast<IDispatch**>(out));
}

template <class TInterface>
HRESULT HvScrollRegionsBase<TInterface>::DispatchRemove(VARIANT* region)
{
    return Base::Guard([&] { return RemoveRegion(region); });
}

template <class TInterface>
HRESULT HvScrollRegionsBase<TInterface>::RemoveRegion(VARIANT* argument)
{
    IDispatch* found = nullptr;
    HvKeyedItem* item = nullptr;
    if (SUCCEEDED(this->FindItem(argument, &found, &item)) && item) {
        const bool others = HasOtherVisibleRegion(static_cast<ScrollRegionItem*>(item));
        found->Release();
        if (!others)
            return this->RaiseError(RegionError::LastVisibleRegion, RegionError::LastVisibleRegionString);
    } else if (found) {
        found->Release();
    }
    RegionControlSeam* control = Control();
    HeldReference keep(control ? control->ControlUnknown()
                               : static_cast<IUnknown*>(static_cast<TInterface*>(this)));
    return HvCollectionImpl::Remove(argument);
}

template <class TInterface>
HRESULT HvScrollRegionsBase<TInterface>::BeforeRemoveItem(HvKeyedItem* item)
{
    if (this->ItemCount() < 2)
        return this->RaiseError(RegionError::LastVisibleRegion, RegionError::LastVisibleRegionString);
    RegionControlSeam* control = Control();
    if (control && control->HasEventGate()) {
        RegionDispatch region(static_cast<ScrollRegionItem*>(item));
        if (FireBeforeRemoved(*control, region.Get()))
            return 1;
    }
    return S_OK;
}

template <class TInterface>
HRESULT HvScrollRegionsBase<TInterface>::BeforeClear(bool, LONG, bool* notifyEach)
{
    if (notifyEach)
        *notifyEach = true;
    return S_OK;
}

template <class TInterface>
void HvScrollRegionsBase<TInterface>::OnItemRemoved(HvKeyedItem* item, bool, LONG silent, bool)
{
    CAutomationObject::Deactivate(item->GetItemObject());
    if (!silent)
        this->NotifySubscribers(RemoveId, 0);
}

template <class TInterface>
HRESULT HvScrollRegionsBase<TInterface>::CreateItem(HvKeyedItem** out, const CDualString*, LONG)
{
    if (!out)
        return E_INVALIDARG;
    *out = NewRegion();
    return *out ? S_OK : E_OUTOFMEMORY;
}

template <class TInterface>
HRESULT HvScrollRegionsBase<TInterface>::Load(IStream* stream, LONG arg)
{
    const HRESULT hr = HvCollectionImpl::Load(stream, arg);
    if (FAILED(hr)) {
        // Regions read before the failure may hold half their settings.
        this->ClearCollection(true, 0);
        AppendDefaultRegion();
        return hr;
    }
    EnsureOneRegion();
    return hr;
}

template <class TInterface>
HRESULT HvScrollRegionsBase<TInterface>::LoadFromPropertyBag(IPropertyBag* bag, IErrorLog* log, LPCOLESTR name,
                                                             LONG arg)
{
    const HRESULT hr = HvCollectionImpl::LoadFromPropertyBag(bag, log, name, arg);
    EnsureOneRegion();
    return hr;
}

template <class TInterface>
void HvScrollRegionsBase<TInterface>::OnChange(const ChangeNotice* notice)
{
    OnRegionsChanged();
    this->NotifySubscribers(this->RepublishId(), reinterpret_cast<std::intptr_t>(notice));
    if (notice && layout_ &&
        (notice->what == ScrollBarId || notice->what == HiddenId || notice->what == RemoveId))
        layout_->DirtyRootUIElement(true, true);
}

template <class TInterface>
bool HvScrollRegionsBase<TInterface>::CanAddRegion() const
{
    const short limit = MaxRegions();
    return limit < 1 || this->ItemCount() < limit;
}

template <class TInterface>
bool HvScrollRegionsBase<TInterface>::HasDataForCategories(long categories) const
{
    if (!(categories & CategoryBit()))
        return false;
    const LONG count = this->ItemCount();
    if (count >= 2)
        return true;
    ScrollRegionItem* only = count == 1 ? RegionAt(0) : nullptr;
    return only && only->HasDataForCategories(categories);
}

template <class TInterface>
HRESULT HvScrollRegionsBase<TInterface>::CopyFrom(HvScrollRegionsBase& source)
{
    if (&source == this)
        return S_OK;
    const std::vector<HvKeyedItem*> from = source.Items();
    bool cleared = false;
    for (HvKeyedItem* entry : from) {
        ScrollRegionItem* region = NewRegion();
        if (!region)
            continue;
        if (!cleared) {
            this->ClearCollection(true, 1);
            cleared = true;
        }
        region->CopySettingsFrom(*static_cast<ScrollRegionItem*>(entry));
        if (FAILED(this->AppendLoadedItem(region))) {
            CAutomationObject::Deactivate(region->GetItemObject());
            region->ReleaseItem();
        }
    }
    EnsureOneRegion();
    return S_OK;
}

template <class TInterface>
void HvScrollRegionsBase<TInterface>::MoveSplitter(long position, ScrollRegionItem* region)
{
    const long bar = layout_ ? layout_->SplitterBarWidth() : 0;
    if (!region) {
        for (LONG i = 0; i < this->ItemCount(); ++i) {
            ScrollRegionItem* r = RegionAt(i);
            if (!(r->Origin() + bar < position && position < r->Origin() + r->Extent() - bar))
                continue;
            float size = static_cast<float>(PixelsToUnits(position - r->Origin()));
            ScrollRegionItem* made = nullptr;
            r->Split(&size, &made);
            if (made)
                made->ReleaseItem();
            return;
        }
        return;
    }

    HeldRegion keepRegion(region);
    const long offset = position - region->Origin();
    ScrollRegionItem* next = GetNextVisibleRegion(region, false);
    ScrollRegionItem* target = nullptr;
    ScrollRegionItem* other = nullptr;
    if (offset < 2) {
        target = region;
        other = next;
    } else if (next && position >= next->Origin() - bar + next->ClientSize()) {
        if (next->SizingMode() == ScrollRegionItem::SizingModeFixed) {
            target = region;
        } else {
            target = next;
            other = region;
        }
    } else {
        ResizeRegion(region, offset);
        return;
    }

    HeldRegion keepTarget(target);
    HeldRegion keepOther(other);
    long start = target->Origin();
    long newExtent = 0;
    if (other) {
        start = std::min(start, other->Origin());
        newExtent = target->Extent() + bar + other->Extent();
    }
    VARIANT argument;
    VariantInit(&argument);
    IDispatch* targetDispatch = nullptr;
    if (FAILED(target->QueryItemInterface(&targetDispatch)))
        return;
    V_VT(&argument) = VT_DISPATCH;
    V_DISPATCH(&argument) = targetDispatch;
    RemoveRegion(&argument);
    VariantClear(&argument);
    if (this->PositionOf(target) >= 0)
        return;
    if (other)
        other->SetOriginExtent(start, newExtent, true, true);
    if (layout_)
        layout_->FitToClientRect();
}

template <class TInterface>
HRESULT HvScrollRegionsBase<TInterface>::ResizeRegion(ScrollRegionItem* region, long newSize)
{
    RegionControlSeam* control = Control();
    if (control && (control->IsEventFiring(SizeEventId()) || control->IsEventFiring(SplitEventId())))
        return this->RaiseError(RegionError::ReadOnlyInEvent, RegionError::ReadOnlyInEventString);
    ScrollRegionItem* next = region ? GetNextVisibleRegion(region, false) : nullptr;
    if (!next)
        return this->RaiseError(RegionError::LastRegionSize, RegionError::LastRegionSizeString);
    if (newSize < 0)
        return this->RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);

    const long o1 = region->Origin();
    const long e1 = region->Extent();
    const long o2 = next->Origin();
    const long e2 = next->Extent();
    const long room = e1 + e2 - ScrollBarMetric();
    newSize = room < 0 ? 0 : std::min(newSize, room);
    const long delta = newSize - e1;
    region->SetOriginExtent(o1, newSize, false, true);
    next->SetOriginExtent(o2 + delta, e2 - delta, false, true);

    HeldReference keep(control ? control->ControlUnknown()
                               : static_cast<IUnknown*>(static_cast<TInterface*>(this)));
    HeldRegion keepRegion(region);
    HeldRegion keepNext(next);
    bool cancelled = false;
    if (control) {
        RegionDispatch first(region);
        RegionDispatch second(next);
        cancelled = FireBeforeSize(*control, first.Get(), second.Get());
    }
    if (cancelled) {
        region->SetOriginExtent(o1, e1, false, true);
        next->SetOriginExtent(o2, e2, false, true);
        return S_OK;
    }
    if (layout_)
        layout_->DirtyRootUIElement(true, true);
    region->UpdateScrollBar(true);
    next->UpdateScrollBar(true);
    OnRegionsChanged();
    return S_OK;
}

template <class TInterface>
HRESULT HvScrollRegionsBase<TInterface>::IndexOfRegion(ScrollRegionItem* region, long* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = -1;
    if (!this->IsActive() || !region || !CAutomationObject::IsActive(region->GetItemObject()))
        return this->NotActiveError();
    *out = this->PositionOf(region);
    return S_OK;
}

template <class TInterface>
HRESULT HvScrollRegionsBase<TInterface>::InsertRegion(ScrollRegionItem* region, long index)
{
    if (!this->IsActive() || !region || !CAutomationObject::IsActive(region->GetItemObject()))
        return this->NotActiveError();
    const HRESULT hr = this->InsertItem(index, region, true, 0);
    if (SUCCEEDED(hr))
        OnRegionInserted();
    return hr;
}

template <class TInterface>
ScrollRegionItem* HvScrollRegionsBase<TInterface>::GetFirstVisibleRegion() const
{
    if (!this->IsActive())
        return nullptr;
    for (LONG i = 0; i < this->ItemCount(); ++i)
        if (IsVisible(RegionAt(i)))
            return RegionAt(i);
    return nullptr;
}

template <class TInterface>
ScrollRegionItem* HvScrollRegionsBase<TInterface>::GetNextVisibleRegion(ScrollRegionItem* region, bool wrap) const
{
    if (!this->IsActive() || this->ItemCount() < 1)
        return nullptr;
    const LONG at = this->PositionOf(region);
    if (at < 0)
        return GetFirstVisibleRegion();
    for (LONG i = at + 1; i < this->ItemCount(); ++i)
        if (IsVisible(RegionAt(i)))
            return RegionAt(i);
    return wrap ? GetFirstVisibleRegion() : nullptr;
}

template <class TInterface>
ScrollRegionItem* HvScrollRegionsBase<TInterface>::GetPrevVisibleRegion(ScrollRegionItem* region, bool wrap) const
{
    if (!this->IsActive() || this->ItemCount() < 1)
        return nullptr;
    const LONG at = this->PositionOf(region);
    if (at < 0)
        return GetFirstVisibleRegion();
    for (LONG i = at - 1; i >= 0; --i)
        if (IsVisible(RegionAt(i)))
            return RegionAt(i);
    if (!wrap)
        return nullptr;
    for (LONG i = this->ItemCount() - 1; i >= 0; --i)
        if (IsVisible(RegionAt(i)))
            return RegionAt(i);
    return nullptr;
}

template <class TInterface>
bool HvScrollRegionsBase<TInterface>::HasOtherVisibleRegion(ScrollRegionItem* region) const
{
    for (LONG i = 0; i < this->ItemCount(); ++i) {
        ScrollRegionItem* other = RegionAt(i);
        if (other != region && IsVisible(other))
            return true;
    }
    return false;
}

template <class TInterface>
ScrollRegionItem* HvScrollRegionsBase<TInterface>::GetRegionAtFarEdge() const
{
    RECT inner{};
    const long edge = layout_ && layout_->DataAreaInnerRect(&inner) ? FarEdgeOf(inner) : 0;
    ScrollRegionItem* last = nullptr;
    for (LONG i = 0; i < this->ItemCount(); ++i) {
        ScrollRegionItem* region = RegionAt(i);
        if (!IsVisible(region))
            continue;
        if (edge != 0 && region->Origin() + region->Extent() > edge)
            return region;
        last = region;
    }
    return last;
}

template <class TInterface>
ScrollRegionItem* HvScrollRegionsBase<TInterface>::GetLastVectorItem() const
{
    return this->ItemCount() > 0 ? RegionAt(this->ItemCount() - 1) : nullptr;
}

template <class TInterface>
std::vector<ScrollRegionItem*> HvScrollRegionsBase<TInterface>::SnapshotRegions(bool visibleOnly) const
{
    std::vector<ScrollRegionItem*> regions;
    regions.reserve(static_cast<size_t>(this->ItemCount()));
    for (LONG i = 0; i < this->ItemCount(); ++i) {
        ScrollRegionItem* region = RegionAt(i);
        if (!region || (visibleOnly && region->IsHidden()))
            continue;
        region->AddRefItem();
        regions.push_back(region);
    }
    return regions;
}

template <class TInterface>
void HvScrollRegionsBase<TInterface>::ReleaseSnapshot(std::vector<ScrollRegionItem*>& regions)
{
    for (ScrollRegionItem* region : regions)
        region->ReleaseItem();
    regions.clear();
}

template <class TInterface>
bool HvScrollRegionsBase<TInterface>::AnyRegionShowsScrollBar(int flag)
{
    std::vector<ScrollRegionItem*> regions = SnapshotRegions(true);
    bool shows = false;
    for (ScrollRegionItem* region : regions) {
        if (CAutomationObject::IsActive(region->GetItemObject()) && region->IsScrollBarVisible(flag)) {
            shows = true;
            break;
        }
    }
    ReleaseSnapshot(regions);
    return shows;
}

template <class TInterface>
void HvScrollRegionsBase<TInterface>::UpdateScrollBars()
{
    // The size events may change the collection.
    std::vector<ScrollRegionItem*> regions = SnapshotRegions(false);
    for (ScrollRegionItem* region : regions)
        region->CheckSizeChanged();
    ReleaseSnapshot(regions);
}

template <class TInterface>
void HvScrollRegionsBase<TInterface>::AssertValid()
{
    for (LONG i = 0; i < this->ItemCount(); ++i)
        RegionAt(i)->AssertValid();
}

template class HvScrollRegionsBase<IHvColScrollRegions>;
template class HvScrollRegionsBase<IHvRowScrollRegions>;
