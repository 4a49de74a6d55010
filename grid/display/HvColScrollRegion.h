// HvColScrollRegion: one vertical band of the grid's data area that scrolls
// its columns on its own; the layout's ColScrollRegions collection owns it.
// Its settings and identifier, Hidden/ScrollBar/SizingMode, sizing,
// position, splitting and stream record live here.
#pragma once

#include "HvScrollRegionBase.h"
#include "ScrollBar.h"
#include "VisibleItemSeam.h"

#include <memory>
#include <vector>

class HvColScrollRegions;
class HvColumnGroupImpl;
class HvHeaders;
class HvVisibleHeader;

class HvColScrollRegion final : public HvScrollRegionBase<IHvColScrollRegion, ColScrollRegionItem>,
                                public ScrollBarOwner,
                                public VisibleHeaderSource {
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
    void UpdateScrollBar(bool redraw) override;
    bool IsScrollBarVisible(int flag) override;
    void CheckSizeChanged() override;
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

    // ScrollBarOwner
    bool CanScroll() override { return IsActive() && !IsWorkingCopy(); }
    void OnScroll(CScrollBar* bar, WPARAM wParam, int notify, int reserved) override;
    // VisibleHeaderSource
    LONG EntryCount() const override { return static_cast<LONG>(shown_.size()); }
    HvKeyedItem* CreateVisibleHeader(LONG entry) override;

    // The header items the region shows, in order (not counted).
    const std::vector<HvColumnGroupImpl*>& ShownItems() const { return shown_; }
    // Appends an item to the shown list (the view style's fill).
    void AddShownItem(HvColumnGroupImpl* item) { shown_.push_back(item); }
    // The region's rectangle across the data area, and its bar's (empty:
    // hidden), from the data area's tiling.
    void SetRegionRect(const RECT& rect) { rect_ = rect; rectSet_ = true; }
    const RECT& RegionRect() const { return rect_; }
    void PlaceScrollBar(const RECT& bar);
    CScrollBar& Bar() { return bar_; }
    // The region's scroll handler: code of Constants_ColScrollAction or the
    // bar's thumb codes; true when the position changed.
    bool HandleScroll(short code, long amount);
    UINT AutoScrollPeriod(long x);
    void AutoScrollToward(long x);
    // HvCollectionItem: the 30-byte record (marker 100, width and left edge
    // in twips, identifier, settings byte, flag byte).
    STDMETHODIMP Save(IStream* stream, LONG arg) override;
    STDMETHODIMP Load(IStream* stream, LONG arg) override;

private:
    HvColScrollRegion(HvLayout& layout, ChangeSubscriber* subscriber);
    ~HvColScrollRegion() override;

    HRESULT CheckPut() override;
    void ReleaseReferences() override;
    void ReleaseVisibleHeaders();
    // The content's width and the range of positions, in pixels.
    LONG ContentExtent();
    LONG RangePixels();
    void RefreshScrollInfo();
    HvColScrollRegion* MakeWorkingCopy();
    HRESULT BringItemIntoView(IUnknown* item, const VARIANT& leftAlign);
    bool IsAtRightEdge();
    bool AnyRowRegionShowsBar();
    // Moves the position to newPosition through a working copy and the
    // scroll events; true when it moved.
    bool ScrollTo(long newPosition, short code);
    HvColScrollRegions* Collection() const;
    HRESULT SplitPixels(bool sizeGiven, LONG size, HvColScrollRegion** made);

    LONG position_ = 0;
    mutable BYTE id_[IdentitySize] = {};
    short lastScrollAction_ = 8;
    bool dirty_ = true;
    bool busy_ = false;
    bool recalculating_ = false;
    bool changedDuringEvent_ = false;
    bool rectSet_ = false;
    RECT rect_ = {};
    CScrollBar bar_;
    HvHeaders* headers_ = nullptr; // one reference
    std::vector<HvColumnGroupImpl*> shown_;
    // A shown header as an item of the VisibleHeaders collection, handed
    // out as the header object itself.
    struct ShownHeader final : HvKeyedItem {
        explicit ShownHeader(CAutomationObject* header) : header_(header) {}
        const CDualString* GetKey() override { return nullptr; }
        const IID* GetInterfaceId() override { return &IID_IHvHeader; }
        CAutomationObject* GetItemObject() override { return header_; }
        CAutomationObject* header_; // counted through the collection's items
    };
    std::vector<std::unique_ptr<ShownHeader>> shownHeaders_;
    long lastReportedWidth_ = 0;
    long distanceSinceRepaint_ = 0x40000000;
};
