// HvColScrollRegion: one vertical band of the grid's data area that scrolls
// its columns on its own; the layout's ColScrollRegions collection owns it.
// Its settings and identifier, Hidden/ScrollBar/SizingMode, sizing,
// position, splitting and stream record live here.
#pragma once

#include "HvScrollRegionBase.h"

class HvColScrollRegions;

class HvColScrollRegion final : public HvScrollRegionBase<IHvColScrollRegion, ColScrollRegionItem> {
public:
    static constexpr DISPID DispWidth = 0x420;
    static constexpr DISPID DispPosition = 0x4F5;
    static constexpr BYTE FlagIdAssigned = 4;

    static HvColScrollRegion* Create(HvLayout& layout, ChangeSubscriber* subscriber);

    // IHvColScrollRegion
    STDMETHODIMP put_Hidden(VARIANT_BOOL value) override;
    STDMETHODIMP get_ClientHeight(VARIANT rowRegion, float* out) override;
    STDMETHODIMP get_ClientWidth(VARIANT rowRegion, float* out) override;
    STDMETHODIMP get_Height(float* out) override;
    STDMETHODIMP get_Left(float* out) override;
    STDMETHODIMP get_Position(float* out) override;
    STDMETHODIMP put_Position(float value) override;
    STDMETHODIMP get_Range(float* out) override;
    STDMETHODIMP get_VisibleHeaders(IHvHeaders** out) override;
    STDMETHODIMP get_Width(float* out) override;
    STDMETHODIMP put_Width(float value) override;
    STDMETHODIMP GetUIElement(VARIANT rowRegion, IHvUIElement** out) override;
    STDMETHODIMP Scroll(Constants_ColScrollAction action) override;
    STDMETHODIMP ScrollCellIntoView(IHvCell* cell, VARIANT rowRegion, VARIANT leftAlign) override;
    STDMETHODIMP ScrollColumnIntoView(IHvColumn* column, VARIANT leftAlign) override;
    STDMETHODIMP ScrollGroupIntoView(IHvGroup* group, VARIANT leftAlign) override;
    STDMETHODIMP Split(VARIANT width, IHvColScrollRegion** out) override;

    // ScrollRegionItem
    void SetOriginExtent(long origin, long extent, bool recalculateNow, bool notify) override;
    long ClientSize() override { return extent_ < 0 ? 0 : extent_; }
    HRESULT Split(float* size, ScrollRegionItem** newRegion) override;
    void UpdateScrollBar(bool) override {}
    bool IsScrollBarVisible(int flag) override;
    void CheckSizeChanged() override {}
    void CopySettingsFrom(ScrollRegionItem& source) override;
    bool HasDataForCategories(long categories) override;

    // ColScrollRegionItem
    void SetDirty(bool dirty, bool resetPosition, bool markRoot) override;
    // The identifier, made on first use.
    const BYTE* IdentityBlock() const override;
    void ResetMetrics() override { dirty_ = true; }
    void Recalculate() override;

    // Whether the 16 bytes name this region.
    bool MatchesId(const BYTE* id) const;
    LONG ScrollPosition() const { return position_; }
    bool NeedsRecalculation() const { return dirty_; }

    // HvCollectionItem: the 30-byte record (marker 100, width and left edge
    // in twips, identifier, settings byte, flag byte).
    STDMETHODIMP Save(IStream* stream, LONG arg) override;
    STDMETHODIMP Load(IStream* stream, LONG arg) override;

private:
    HvColScrollRegion(HvLayout& layout, ChangeSubscriber* subscriber);

    HRESULT CheckPut() override;
    HvColScrollRegions* Collection() const;
    HRESULT SplitPixels(bool sizeGiven, LONG size, HvColScrollRegion** made);

    LONG position_ = 0;
    mutable BYTE id_[IdentitySize] = {};
    short lastScrollAction_ = 8;
    bool dirty_ = true;
    bool busy_ = false;
};
