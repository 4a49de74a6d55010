// HvRowScrollRegion: one horizontal band of the grid's data area that
// scrolls its rows on its own; the layout's RowScrollRegions collection
// owns it. Its settings, Hidden/ScrollBar/SizingMode, sizing, splitting and
// stream record live here.
#pragma once

#include "HvScrollRegionBase.h"

class HvRowScrollRegions;

class HvRowScrollRegion final : public HvScrollRegionBase<IHvRowScrollRegion, RowScrollRegionItem> {
public:
    static constexpr DISPID DispHeight = 0x43A;
    static constexpr DISPID DispFirstRow = 0x451;

    // A new region of the layout with one reference, publishing to
    // subscriber (the owning collection).
    static HvRowScrollRegion* Create(HvLayout& layout, ChangeSubscriber* subscriber);

    // IHvRowScrollRegion
    STDMETHODIMP put_Hidden(VARIANT_BOOL value) override;
    STDMETHODIMP get_ClientHeight(VARIANT colRegion, float* out) override;
    STDMETHODIMP get_ClientWidth(VARIANT colRegion, float* out) override;
    STDMETHODIMP get_Height(float* out) override;
    STDMETHODIMP put_Height(float value) override;
    STDMETHODIMP get_Top(float* out) override;
    STDMETHODIMP get_FirstRow(IHvRow** out) override;
    STDMETHODIMP put_FirstRow(IHvRow* row) override;
    STDMETHODIMP putref_FirstRow(IHvRow* row) override;
    STDMETHODIMP get_VisibleRows(IHvVisibleRows** out) override;
    STDMETHODIMP get_Width(float* out) override;
    STDMETHODIMP GetUIElement(VARIANT colRegion, IHvUIElement** out) override;
    STDMETHODIMP Scroll(Constants_RowScrollAction action) override;
    STDMETHODIMP ScrollRowIntoView(IHvRow* row) override;
    STDMETHODIMP ScrollCellIntoView(IHvCell* cell, VARIANT colRegion) override;
    STDMETHODIMP Split(VARIANT height, IHvRowScrollRegion** out) override;

    // ScrollRegionItem
    void SetOriginExtent(long origin, long extent, bool recalculateNow, bool notify) override;
    long ClientSize() override { return extent_; }
    HRESULT Split(float* size, ScrollRegionItem** newRegion) override;
    void UpdateScrollBar(bool) override {}
    bool IsScrollBarVisible(int flag) override;
    void CheckSizeChanged() override {}
    void CopySettingsFrom(ScrollRegionItem& source) override;
    bool HasDataForCategories(long categories) override;

    // RowScrollRegionItem
    void SetDirty(bool dirty, bool reset) override;
    void ClearFirstRow() override {}
    HvVisibleRows* VisibleRows() override { return nullptr; }

    // HvCollectionItem: the 16-byte record (marker 100, height and top in
    // twips, settings byte, flag byte, two zero bytes).
    STDMETHODIMP Save(IStream* stream, LONG arg) override;
    STDMETHODIMP Load(IStream* stream, LONG arg) override;

    bool NeedsRecalculation() const { return dirty_; }
    BYTE LastScrollAction() const { return static_cast<BYTE>(lastScrollAction_); }

private:
    HvRowScrollRegion(HvLayout& layout, ChangeSubscriber* subscriber);

    HRESULT CheckPut() override;
    HvRowScrollRegions* Collection() const;
    // Splits off a new region above this one: size in pixels, or below 1 for
    // an even split. The new region comes back with one reference.
    HRESULT SplitPixels(bool sizeGiven, LONG size, HvRowScrollRegion** made);

    short lastScrollAction_ = -1;
    bool dirty_ = true;
};
