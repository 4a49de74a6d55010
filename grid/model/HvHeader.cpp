// HvHeader: caption, appearance, enabled state and exclusive region of a
// column's or group's header, its change notices and its persistence.
#include "HvHeader.h"

#include "HeaderElementLookup.h"

#include "AppearanceData.h"
#include "ColumnBandSeam.h"
#include "ColumnErrors.h"
#include "ColumnLayoutSeam.h"
#include "GridBandSeam.h"
#include "HvColScrollRegions.h"
#include "HvAppearance.h"
#include "HvColumnGroupImpl.h"
#include "HvLayout.h"
#include "HvLayoutHost.h"
#include "LayoutCategories.h"
#include "LayoutUnitsSeam.h"
#include "OverrideBandSeam.h"
#include "OwnedElementLookup.h"
#include "OwnedElementSeam.h"
#include "StreamText.h"
#include "ValueListLayoutSeam.h"

#include <new>

namespace {

// Appearance members that change a header's height.
constexpr std::int32_t kSizeBits = 32 | 256;
constexpr DWORD kAllMembers = 0x3007FFFF;
constexpr LONG HeaderElementType = 4000;

ValueListLayoutSeam* AppearanceLayout(ColumnBandSeam* band)
{
    ColumnLayoutSeam* layout = band ? band->ColumnLayout() : nullptr;
    return layout ? layout->ValueListLayout() : nullptr;
}

} // namespace

HvHeader::HvHeader(HvColumnGroupImpl* owner, ColumnBandSeam* band)
    : HvObjectBaseImpl(ObjectType::HvHeader), owner_(owner), band_(band)
{
    ValueListLayoutSeam* layout = AppearanceLayout(band);
    appearance_.Init(layout ? layout->Host() : nullptr, layout ? layout->Appearances() : nullptr, this);
}

HvHeader::~HvHeader()
{
    Deactivate();
    caption_.Empty();
    if (region_)
        region_->Release();
    region_ = nullptr;
    appearance_.ReleaseAppearance();
    DetachAllSubscribers();
}

HvHeader* HvHeader::Create(HvColumnGroupImpl* owner, ColumnBandSeam* band)
{
    return new HvHeader(owner, band);
}

HvHeader* HvHeader::Clone(HvColumnGroupImpl* owner, HvHeader& source)
{
    HvHeader* header = new HvHeader(owner, source.band_);
    header->appearance_.Assign(source.appearance_);
    header->caption_.Assign(source.caption_);
    header->captionSet_ = source.captionSet_;
    header->enabled_ = source.enabled_;
    if (owner && owner->IsLevelCopy())
        header->appearance_.SetReadOnly(true);
    return header;
}

HRESULT HvHeader::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && IsEqualIID(iid, IID_HvPropertyQuery)) {
        *out = static_cast<HvPropertyQuery*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CDualObject::InternalQueryInterface(iid, out);
}

void HvHeader::ReleaseReferences()
{
    appearance_.Detach();
}

void HvHeader::DetachOwner()
{
    owner_ = nullptr;
}

HRESULT HvHeader::CheckSetter()
{
    if (!IsActive())
        return NotActiveError();
    if (owner_ && owner_->IsLevelCopy())
        return Exception(HvResult::ReadOnlyProperty, HvResult::ReadOnlyPropertyString);
    return S_OK;
}

void HvHeader::GetCaption(CDualString& caption)
{
    if (captionSet_ || !owner_)
        caption.Assign(caption_);
    else
        owner_->GetDefaultCaption(caption);
}

void HvHeader::SetCaptionText(const CDualString& caption)
{
    caption_.Assign(caption);
    captionSet_ = true;
}

IHvColScrollRegion* HvHeader::GetExclusiveColScrollRegion()
{
    if (!region_)
        return nullptr;
    CAutomationObject* automation = CAutomationObject::FromInterface(region_, IID_IHvColScrollRegion);
    if (!automation || !CAutomationObject::IsActive(automation)) {
        region_->Release();
        region_ = nullptr;
    }
    return region_;
}

ColScrollRegionItem* HvHeader::RegionItem()
{
    IHvColScrollRegion* region = GetExclusiveColScrollRegion();
    return region ? dynamic_cast<ColScrollRegionItem*>(HvKeyedItem::FromObject(region)) : nullptr;
}

// A region named in a stored layout that this layout does not have leaves
// the header without one.
void HvHeader::TakeRegionByBlock(const BYTE* block)
{
    ColumnLayoutSeam* layout = band_ ? band_->ColumnLayout() : nullptr;
    HvColScrollRegions* regions = layout ? layout->HeaderRegions() : nullptr;
    ColScrollRegionItem* found = regions ? regions->FindRegionByBlock(block) : nullptr;
    IHvColScrollRegion* region = nullptr;
    if (found)
        found->QueryItemInterface(reinterpret_cast<IDispatch**>(&region));
    if (region_)
        region_->Release();
    region_ = region;
}

// --- appearance --------------------------------------------------------------

STDMETHODIMP HvHeader::get_Appearance(IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        return appearance_.QueryAppearance(out);
    });
}

STDMETHODIMP HvHeader::putref_Appearance(VARIANT* value)
{
    if (!value)
        return E_INVALIDARG;
    return put_Appearance(*value);
}

STDMETHODIMP HvHeader::put_Appearance(VARIANT value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        return PutAppearanceValue(value);
    });
}

HRESULT HvHeader::PutAppearanceValue(const VARIANT& value)
{
    bool changed = false;
    const HRESULT hr = appearance_.PutValue(value, &changed);
    if (FAILED(hr))
        return hr;
    if (changed) {
        if (band_ && band_->GridBand())
            band_->GridBand()->InvalidateHeaderHeights();
        NotifySubscribers(AppearanceId, 0);
    }
    return S_OK;
}

void HvHeader::ResolveAppearanceData(AppearanceData& block, AppearanceRequest& request)
{
    request.part = AppearanceRequest::Header;
    if (const AppearanceData* own = appearance_.GetAppearanceData()) {
        std::uint32_t resolved = request.resolvedMask;
        AppearanceData::ResolveAppearance(block, *own, request.requestMask, &resolved);
        request.resolvedMask = resolved;
    }
    if ((request.requestMask & ~request.resolvedMask) == 0 || !band_)
        return;
    if (OverrideBandSeam* band = band_->OverrideBand())
        band->ResolveAppearance(block, request);
    if ((request.requestMask & ~request.resolvedMask) == 0)
        return;
    if (ColumnLayoutSeam* layout = band_->ColumnLayout())
        layout->ApplyDefaultAppearance(block, request);
}

STDMETHODIMP HvHeader::ResolveAppearance(IHvAppearance** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        ValueListLayoutSeam* layout = AppearanceLayout(band_);
        HvAppearance* made = nullptr;
        HRESULT hr = HvAppearance::Create(layout ? layout->Host() : nullptr, false, nullptr, nullptr, &made);
        if (FAILED(hr))
            return hr;
        hr = made->EnsureAppearanceData();
        AppearanceData* block = SUCCEEDED(hr) ? made->MutableAppearanceData() : nullptr;
        if (!block) {
            made->Release();
            return E_OUTOFMEMORY;
        }
        AppearanceRequest request;
        request.requestMask = kAllMembers;
        request.part = AppearanceRequest::Header;
        ResolveAppearanceData(*block, request);
        if (block->Nibble(AppearanceBit::TextAlign) == 0)
            block->SetNibble(AppearanceBit::TextAlign, 2);
        if (block->Nibble(AppearanceBit::TextVAlign) == 0)
            block->SetNibble(AppearanceBit::TextVAlign, 3);
        *out = made;
        return S_OK;
    });
}

// --- caption, owner, state -------------------------------------------------

STDMETHODIMP HvHeader::get_Caption(BSTR* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        CDualString caption;
        GetCaption(caption);
        *out = caption.AllocSysString();
        return *out || caption.IsEmpty() ? S_OK : E_OUTOFMEMORY;
    });
}

STDMETHODIMP HvHeader::put_Caption(BSTR value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        CDualString text(value ? value : L"");
        if (captionSet_ && caption_.Compare(text.c_str()) == 0)
            return S_OK;
        SetCaptionText(text);
        NotifySubscribers(CaptionId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvHeader::get_Column(IHvColumn** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (!owner_ || owner_->IsGroup())
            return S_OK;
        return owner_->Automation().ForwardQueryInterface(IID_IHvColumn, reinterpret_cast<void**>(out));
    });
}

STDMETHODIMP HvHeader::get_Group(IHvGroup** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        ColumnLayoutSeam* layout = band_ ? band_->ColumnLayout() : nullptr;
        if (layout && layout->IsDesignMode())
            return Exception(ColumnError::DesignTime, ColumnError::DesignTimeString);
        if (!owner_)
            return S_OK;
        if (owner_->IsGroup())
            return owner_->Automation().ForwardQueryInterface(IID_IHvGroup, reinterpret_cast<void**>(out));
        IHvColumn* column = nullptr;
        HRESULT hr = owner_->Automation().ForwardQueryInterface(IID_IHvColumn, reinterpret_cast<void**>(&column));
        if (FAILED(hr))
            return hr;
        hr = column->get_Group(out);
        column->Release();
        return hr;
    });
}

STDMETHODIMP HvHeader::get_Type(Constants_HeaderType* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    *out = owner_ && owner_->IsGroup() ? hvHeaderTypeGroup : hvHeaderTypeColumn;
    return S_OK;
}

STDMETHODIMP HvHeader::get_Enabled(VARIANT_BOOL* out)
{
    if (!out)
        return E_INVALIDARG;
    if (!IsActive())
        return NotActiveError();
    *out = enabled_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP HvHeader::put_Enabled(VARIANT_BOOL value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        const bool enabled = value != VARIANT_FALSE;
        if (enabled == enabled_)
            return S_OK;
        enabled_ = enabled;
        NotifySubscribers(EnabledId, 0);
        return S_OK;
    });
}

STDMETHODIMP HvHeader::get_Height(float* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = 0;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (!owner_)
            return S_OK;
        ColumnLayoutSeam* layout = band_ ? band_->ColumnLayout() : nullptr;
        LayoutUnitsSeam* units = layout ? layout->Units() : nullptr;
        const LONG pixels = owner_->GetLevelHeaderHeight();
        *out = static_cast<float>(units ? units->PixelsToUnitsY(pixels) : pixels);
        return S_OK;
    });
}

STDMETHODIMP HvHeader::get_VisiblePosition(short* out)
{
    if (!out)
        return E_INVALIDARG;
    *out = 0;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        *out = owner_ ? owner_->GetVisiblePosition() : 0;
        return S_OK;
    });
}

STDMETHODIMP HvHeader::put_VisiblePosition(short value)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckSetter();
        if (FAILED(hr))
            return hr;
        return owner_ ? owner_->SetVisiblePosition(value) : S_OK;
    });
}

// --- exclusive region ------------------------------------------------------

STDMETHODIMP HvHeader::get_ExclusiveColScrollRegion(IHvColScrollRegion** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        ColumnLayoutSeam* layout = band_ ? band_->ColumnLayout() : nullptr;
        if (layout && layout->IsDesignMode())
            return Exception(ColumnError::DesignTime, ColumnError::DesignTimeString);
        *out = GetExclusiveColScrollRegion();
        if (*out)
            (*out)->AddRef();
        return S_OK;
    });
}

STDMETHODIMP HvHeader::put_ExclusiveColScrollRegion(IHvColScrollRegion* value)
{
    return Guard([&]() -> HRESULT { return PutRegion(value); });
}

STDMETHODIMP HvHeader::putref_ExclusiveColScrollRegion(IHvColScrollRegion* value)
{
    return put_ExclusiveColScrollRegion(value);
}

HRESULT HvHeader::PutRegion(IHvColScrollRegion* region)
{
    HRESULT hr = CheckSetter();
    if (FAILED(hr))
        return hr;
    if (owner_ && owner_->IsReadOnlyInEvent())
        return Exception(ColumnError::ReadOnlyInEvent, ColumnError::ReadOnlyInEventString);
    if (region) {
        // Only a live region of this library is accepted.
        CAutomationObject* automation = CAutomationObject::FromInterface(region, IID_IHvColScrollRegion);
        if (!automation || !CAutomationObject::IsActive(automation))
            return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
    }
    if (region == GetExclusiveColScrollRegion())
        return S_OK;
    if (region)
        region->AddRef();
    if (region_)
        region_->Release();
    region_ = region;
    // The region takes its identity now: a layout saved later writes it in
    // the region's record, which comes before the header's.
    if (ColScrollRegionItem* item = RegionItem())
        item->IdentityBlock();
    NotifySubscribers(ExclusiveRegionId, 0);
    return S_OK;
}

STDMETHODIMP HvHeader::GetUIElement(VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!IsActive())
        return NotActiveError();
    // The element tree belongs to the display; without one there is none.
    if (HeaderElementFinder find = HeaderElementLookup())
        return find(*this, rowRegion, colRegion, out);
    return S_OK;
}

namespace {

// The layout that shows the header's band, or null.
HvLayout* ShowingLayoutOf(HvColumnGroupImpl* owner)
{
    ColumnBandSeam* band = owner ? owner->Band() : nullptr;
    auto* layout = band ? dynamic_cast<HvLayout*>(band->ColumnLayout()) : nullptr;
    return layout && layout->Grid() ? layout : nullptr;
}

} // namespace

LayoutRegionsSeam* HvHeader::GetShowingLayout()
{
    return IsActive() ? ShowingLayoutOf(owner_) : nullptr;
}

UIElementSeam* HvHeader::GetUIElement(ScrollRegionSeam* rowRegion, ScrollRegionSeam* colRegion, int create)
{
    if (!IsActive())
        return nullptr;
    OwnedElementQuery query;
    query.type = 4000;
    query.header = this;
    query.rowRegion = rowRegion;
    query.colRegion = colRegion;
    return FindOwnedElement(ShowingLayoutOf(owner_), query, create != 0);
}

// --- property kinds --------------------------------------------------------

STDMETHODIMP HvHeader::IsValueProperty(DISPID dispid, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    *result = dispid == AppearanceId || dispid == ExclusiveRegionId ? VARIANT_FALSE : VARIANT_TRUE;
    return S_OK;
}

STDMETHODIMP HvHeader::IsAppearanceProperty(DISPID dispid, VARIANT_BOOL* result)
{
    if (!result)
        return E_INVALIDARG;
    *result = dispid == AppearanceId ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

// --- notices ----------------------------------------------------------------

void HvHeader::OnChange(const ChangeNotice* notice)
{
    if (!notice || !IsActive())
        return;
    HvAppearance* appearance = appearance_.GetAppearance();
    if (!appearance || notice->publisher != static_cast<ChangePublisher*>(appearance))
        return;
    if ((notice->what & kSizeBits) != 0 && band_ && band_->GridBand())
        band_->GridBand()->InvalidateHeaderHeights();
    NotifySubscribers(AppearanceId, reinterpret_cast<std::intptr_t>(notice));
}

bool HvHeader::OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t)
{
    HvAppearance* appearance = appearance_.GetAppearance();
    if (!appearance || static_cast<ChangePublisher*>(appearance) != from)
        return true;
    const bool changed = appearance_.SetAppearance(dynamic_cast<HvAppearance*>(to));
    if (band_ && band_->GridBand())
        band_->GridBand()->InvalidateHeaderHeights();
    NotifySubscribers(AppearanceId, 0);
    return !changed;
}

// --- persistence ------------------------------------------------------------

namespace {

bool TakesPart(HvColumnGroupImpl* owner, LONG categories)
{
    if (!HoldsAllOf(categories, BandsCategory))
        return false;
    return !owner || !owner->IsGroup() || HoldsAllOf(categories, GroupsCategory);
}

} // namespace

bool HvHeader::HasData(DWORD code, LONG categories)
{
    if (!TakesPart(owner_, categories))
        return false;
    switch (code) {
    case CodeEnabled:
        return !enabled_;
    case CodeAppearance:
        return appearance_.IsSet();
    case CodeCaption:
        // A caption set to the empty text is kept too: it hides the default.
        return captionSet_;
    case CodeExclusiveRegion:
        return HoldsAllOf(categories, ColScrollRegionsCategory) && RegionItem() != nullptr;
    case CodeTag:
        return !tag_.IsEmpty();
    default:
        return false;
    }
}

HRESULT HvHeader::Save(DWORD code, IStream* stream, LONG)
{
    switch (code) {
    case CodeEnabled: {
        const BYTE flags = enabled_ ? 1 : 0;
        return WriteBytes(stream, &flags, sizeof flags);
    }
    case CodeAppearance:
        return appearance_.SaveToStream(stream, false, 0);
    case CodeCaption:
        return WriteStringToStream(stream, caption_);
    case CodeExclusiveRegion: {
        ColScrollRegionItem* region = RegionItem();
        if (!region)
            return E_FAIL;
        return WriteBytes(stream, region->IdentityBlock(), ColScrollRegionItem::IdentitySize);
    }
    case CodeTag:
        return tag_.SaveToStream(stream);
    default:
        return S_OK;
    }
}

HRESULT HvHeader::Load(DWORD code, IStream* stream, LONG categories)
{
    if (!TakesPart(owner_, categories))
        return S_OK;
    switch (code) {
    case CodeEnabled: {
        BYTE flags = 0;
        HRESULT hr = ReadBytes(stream, &flags, sizeof flags);
        if (SUCCEEDED(hr))
            enabled_ = (flags & 1) != 0;
        return hr;
    }
    case CodeAppearance:
        return appearance_.LoadFromStream(stream, 0);
    case CodeCaption: {
        HRESULT hr = ReadStringFromStream(stream, caption_);
        if (SUCCEEDED(hr))
            captionSet_ = true;
        return hr;
    }
    case CodeExclusiveRegion: {
        BYTE block[ColScrollRegionItem::IdentitySize] = {};
        HRESULT hr = ReadBytes(stream, block, sizeof block);
        if (SUCCEEDED(hr))
            TakeRegionByBlock(block);
        return hr;
    }
    case CodeTag:
        return tag_.LoadFromStream(stream);
    default:
        return S_OK;
    }
}

void HvHeader::Reset(DWORD code, LONG categories)
{
    if (!TakesPart(owner_, categories))
        return;
    switch (code) {
    case CodeEnabled:
        enabled_ = true;
        break;
    case CodeAppearance:
        appearance_.ReleaseAppearance();
        break;
    case CodeCaption:
        caption_.Empty();
        captionSet_ = false;
        break;
    case CodeExclusiveRegion:
        if (region_)
            region_->Release();
        region_ = nullptr;
        break;
    case CodeTag:
        tag_.Clear();
        break;
    default:
        break;
    }
}

HRESULT HvHeader::CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories)
{
    HvHeader* other = dynamic_cast<HvHeader*>(&source);
    if (!other)
        return E_FAIL;
    if (!TakesPart(owner_, categories))
        return S_OK;
    switch (code) {
    case CodeEnabled:
        enabled_ = other->enabled_;
        return S_OK;
    case CodeAppearance:
        return appearance_.Assign(other->appearance_);
    case CodeCaption:
        caption_.Assign(other->caption_);
        captionSet_ = other->captionSet_;
        return S_OK;
    case CodeExclusiveRegion: {
        ColScrollRegionItem* region = other->RegionItem();
        if (region)
            TakeRegionByBlock(region->IdentityBlock());
        else if (region_) {
            region_->Release();
            region_ = nullptr;
        }
        return S_OK;
    }
    case CodeTag:
        return tag_.Copy(other->tag_);
    default:
        return S_OK;
    }
}

// --- UI element owner ----------------------------------------------------------

bool HvHeader::IsSwappingAvailable()
{
    ColumnLayoutSeam* layout = band_ ? band_->ColumnLayout() : nullptr;
    if (layout && layout->IsDesignMode())
        return true;
    if (layout && !layout->IsEnabled())
        return false;
    return enabled_ && owner_ && !owner_->IsDisabledItem();
}

LONG HvHeader::GetState(OwnedElementSeam* element)
{
    const LONG context = element ? element->OwnerContext() : 0;
    if (context == ContextText)
        return enabled_ && owner_ && !owner_->IsDisabledItem() ? 0 : LONG(StateDisabled);
    if (context != ContextSwapButton)
        return 0;
    if (!IsSwappingAvailable())
        return StateDisabled;
    // Pressed while its list is down; raised while the pointer is over it.
    ColumnLayoutSeam* layout = band_ ? band_->ColumnLayout() : nullptr;
    if (layout && owner_ && layout->IsSwapListOpenFor(owner_))
        return StatePressed;
    return element->HoldsCursor() ? LONG(StateHot) : 0;
}

bool HvHeader::OnMouseDown(OwnedElementSeam* element)
{
    if (!element || element->OwnerContext() != ContextSwapButton)
        return false;
    // The swap list belongs to the grid, which leaves edit mode first and
    // tests whether swapping is available; the press is consumed either way.
    ColumnLayoutSeam* layout = band_ ? band_->ColumnLayout() : nullptr;
    if (layout && owner_) {
        layout->PressSwapButton(owner_, element->EnclosingRect(HeaderElementType));
        element->Redraw();
    }
    return true;
}

bool HvHeader::GetText(OwnedElementSeam*, CDualString& text)
{
    GetCaption(text);
    return !text.IsEmpty();
}
