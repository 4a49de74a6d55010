// HvScrollRegionBase: what the column and row scroll regions share: the
// automation base, the settings byte (ScrollBar in the low nibble,
// SizingMode in the high one) and flag byte, the Hidden/ScrollBar/SizingMode
// properties, the working-copy link to the region a copy stands for, the
// change publisher and the subscription of the owning collection.
#pragma once

#include "ChangePublisher.h"
#include "HvCollectionItem.h"
#include "HvLayout.h"
#include "HvObjectBaseImpl.h"
#include "ScrollRegionItem.h"
#include "SubscriptionLink.h"

#include <Tavelle.h>

template <class TInterface, class TItem>
class HvScrollRegionBase : public HvObjectBaseImpl<TInterface>,
                           public TItem,
                           public HvCollectionItem,
                           public ChangePublisher {
    using Dual = HvObjectBaseImpl<TInterface>;

public:
    static constexpr BYTE FlagHidden = 2;
    static constexpr LONG VersionMarker = 100;
    static constexpr DISPID DispHidden = 0x467;
    static constexpr DISPID DispScrollBar = 0x444;
    static constexpr DISPID DispSizingMode = 0x443;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return Dual::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return Dual::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return Dual::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override
    {
        if (out && IsEqualIID(iid, IID_HvCollectionItem)) {
            *out = static_cast<HvCollectionItem*>(this);
            CUnknownObject::AddRef();
            return S_OK;
        }
        return Dual::InternalQueryInterface(iid, out);
    }

    // HvKeyedItem
    const CDualString* GetKey() override { return nullptr; }
    const IID* GetInterfaceId() override { return this->Info().iid; }
    CAutomationObject* GetItemObject() override { return this; }

    // ScrollRegionSeam
    bool IsHidden() const override { return (flags_ & FlagHidden) != 0; }
    long GetSize() const override { return extent_; }

    // ScrollRegionItem
    long Origin() const override { return origin_; }
    long Extent() const override { return extent_; }
    BYTE ScrollBarSetting() const override { return settingsByte_ & 0x0F; }
    BYTE SizingMode() const override { return static_cast<BYTE>(settingsByte_ >> 4); }
    void AssertValid() override {}

    // The auto-scroll period (ms) for a pointer at position on the region's
    // axis: the farther outside [low, high), the faster; 0 inside.
    static UINT AutoScrollPeriodFor(long position, long low, long high)
    {
        long distance = 0;
        if (position < low)
            distance = low - position;
        else if (position >= high)
            distance = position - high + 1;
        else
            return 0;
        static const struct {
            long above;
            UINT period;
        } steps[] = {{100, 40}, {80, 65}, {60, 80}, {50, 100}, {40, 150}, {20, 200}, {10, 300}, {6, 400}};
        for (const auto& step : steps)
            if (distance > step.above)
                return step.period;
        return 500;
    }

    // ChangePublisher
    int KindCode() const override { return this->ObjectType(); }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }

    // IHvScrollRegion members shared by both axes.
    STDMETHODIMP get_Hidden(VARIANT_BOOL* out) override
    {
        if (!out)
            return E_INVALIDARG;
        if (!this->IsActive())
            return this->NotActiveError();
        *out = IsHidden() ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    STDMETHODIMP get_ScrollBar(Constants_ScrollBar* out) override
    {
        if (!out)
            return E_INVALIDARG;
        if (!this->IsActive())
            return this->NotActiveError();
        *out = static_cast<Constants_ScrollBar>(ScrollBarSetting());
        return S_OK;
    }
    STDMETHODIMP put_ScrollBar(Constants_ScrollBar value) override
    {
        return this->Guard([&]() -> HRESULT {
            HRESULT hr = CheckPut();
            if (hr != S_OK)
                return hr;
            if (value < 0 || value > 3)
                return this->Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
            if (static_cast<BYTE>(value) != ScrollBarSetting()) {
                settingsByte_ = static_cast<BYTE>((settingsByte_ & 0xF0) | value);
                this->NotifySubscribers(DispScrollBar, 0);
            }
            return S_OK;
        });
    }
    STDMETHODIMP get_SizingMode(Constants_SizingMode* out) override
    {
        if (!out)
            return E_INVALIDARG;
        if (!this->IsActive())
            return this->NotActiveError();
        *out = static_cast<Constants_SizingMode>(SizingMode());
        return S_OK;
    }
    STDMETHODIMP put_SizingMode(Constants_SizingMode value) override
    {
        return this->Guard([&]() -> HRESULT {
            HRESULT hr = CheckPut();
            if (hr != S_OK)
                return hr;
            if (value != 0 && value != 1)
                return this->Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
            if (static_cast<BYTE>(value) != SizingMode()) {
                settingsByte_ = static_cast<BYTE>((settingsByte_ & 0x0F) | (value << 4));
                this->NotifySubscribers(DispSizingMode, 0);
            }
            return S_OK;
        });
    }

    HvLayout& Layout() const { return layout_; }
    bool IsWorkingCopy() const { return source_ != nullptr; }

protected:
    HvScrollRegionBase(int objectType, HvLayout& layout, ChangeSubscriber* subscriber)
        : Dual(objectType), layout_(layout), link_(subscriber)
    {
        if (subscriber)
            link_.RelinkSubscription(this);
    }
    ~HvScrollRegionBase() override
    {
        link_.Unlink();
        DetachAllSubscribers();
    }
    void ReleaseReferences() override { link_.Unlink(); }

    // Liveness first, then the read-only answer of a working copy.
    virtual HRESULT CheckPut() = 0;

    // Stores the Hidden flag once the axis has allowed it; notifies a change.
    void StoreHidden(bool hidden)
    {
        flags_ = static_cast<BYTE>(hidden ? (flags_ | FlagHidden) : (flags_ & ~FlagHidden));
        this->NotifySubscribers(DispHidden, 0);
    }

    static HRESULT WriteAll(IStream* stream, const void* data, ULONG size)
    {
        if (!stream)
            return E_POINTER;
        ULONG written = 0;
        HRESULT hr = stream->Write(data, size, &written);
        return FAILED(hr) ? hr : (written == size ? S_OK : STG_E_MEDIUMFULL);
    }
    // A short read is a failure: the stream answers S_OK with fewer bytes.
    static HRESULT ReadAll(IStream* stream, void* data, ULONG size)
    {
        if (!stream)
            return E_POINTER;
        ULONG read = 0;
        HRESULT hr = stream->Read(data, size, &read);
        return FAILED(hr) ? hr : (read == size ? S_OK : STG_E_READFAULT);
    }

    HvLayout& layout_;
    HvScrollRegionBase* source_ = nullptr; // the region a working copy stands for (not referenced)
    // Settings, in their saved order: extent, origin, settings byte, flags.
    LONG extent_ = 0;
    LONG origin_ = 0;
    BYTE settingsByte_ = 0;
    BYTE flags_ = 0;

private:
    SubscriptionLink link_;
};
