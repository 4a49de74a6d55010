// HvRowScrollRegion: one horizontal band of the grid's data area that
// scrolls its rows on its own; the layout's RowScrollRegions collection
// owns it. It keeps its first row and visible rows (laid out by the view
// style), its vertical scroll bar, and performs every scroll on a working
// copy that the client may refuse in BeforeRowRegionScroll.
#pragma once

#include "HvScrollRegionBase.h"
#include "ScrollBar.h"
#include "ViewStyleRowRegion.h"
#include "VisibleItemSeam.h"

class CViewStyle;
class HvRowScrollRegions;
class HvVisibleRows;
struct RowScrollRequest;

class HvRowScrollRegion final : public HvScrollRegionBase<IHvRowScrollRegion, RowScrollRegionItem>,
                                public ScrollBarOwner,
                                public VisibleRowSource {
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
    void UpdateScrollBar(bool redraw) override;
    bool IsScrollBarVisible(int flag) override;
    void CheckSizeChanged() override;
    void CopySettingsFrom(ScrollRegionItem& source) override;
    bool HasDataForCategories(long categories) override;

    // RowScrollRegionItem
    void SetDirty(bool dirty, bool reset) override;
    void ClearFirstRow() override;
    HvVisibleRows* VisibleRows() override { return visibleRows_; }

    // ScrollBarOwner
    bool CanScroll() override { return IsActive() && !IsWorkingCopy(); }
    void OnScroll(CScrollBar* bar, WPARAM wParam, int notify, int reserved) override;

    // VisibleRowSource
    LONG EntryCount() const override { return state_.rows.Count(); }
    HvKeyedItem* CreateVisibleRow(LONG entry, HvKeyedItem* previous) override;

    // HvCollectionItem: the 16-byte record (marker 100, height and top in
    // twips, settings byte, flag byte, two zero bytes).
    STDMETHODIMP Save(IStream* stream, LONG arg) override;
    STDMETHODIMP Load(IStream* stream, LONG arg) override;

    // What the data area, the elements and the view style use.
    bool NeedsRecalculation() const { return dirty_; }
    BYTE LastScrollAction() const { return static_cast<BYTE>(state_.lastScrollAction); }
    // Lays the region out again when marked, else rebuilds its rows; fills
    // the region from the bottom when the rows end above it.
    HRESULT Recalculate();
    // The view style's state of the region: rectangle, rows, first row.
    ViewStyleRowRegion& State() { return state_; }
    const HvVisibleRowList& Rows() const { return state_.rows; }
    // The region's rectangle in the grid window (from the data area's
    // tiling); the scroll-bar window goes to bar (empty: hidden).
    void SetRegionRect(const RECT& rect);
    void PlaceScrollBar(const RECT& bar);
    CScrollBar& Bar() { return bar_; }
    // How far the rows have been scrolled, for patterns fixed to them.
    long ScrollPixels() const { return -state_.firstRowOffset; }
    // The scroll handler of the bar, Scroll, bringing rows into view and
    // auto-scroll: true when the rows moved.
    bool HandleScroll(short code, bool exitEdit, bool repaintOnly);
    // Auto-scroll while dragging: the period in ms for a cursor y (0 inside
    // the region) and one tick toward it.
    UINT AutoScrollPeriod(long y);
    void AutoScrollToward(long y);

private:
    HvRowScrollRegion(HvLayout& layout, ChangeSubscriber* subscriber);
    ~HvRowScrollRegion() override;

    HRESULT CheckPut() override;
    void ReleaseReferences() override;
    HvRowScrollRegions* Collection() const;
    HvRowScrollRegion& Real() { return source_ ? static_cast<HvRowScrollRegion&>(*source_) : *this; }
    CViewStyle* Style();
    // Splits off a new region above this one: size in pixels, or below 1 for
    // an even split. The new region comes back with one reference.
    HRESULT SplitPixels(bool sizeGiven, LONG size, HvRowScrollRegion** made);

    // Scrolling (HvRowScrollRegionScroll.cpp).
    HvRowScrollRegion* MakeWorkingCopy();
    bool Commit(HvRowScrollRegion& copy);
    void ShowScrollTip(ViewStyleRow* row);
    void HideScrollTip();
    void MoveContent(const RowScrollRequest& request, short code);
    HRESULT PutFirstRow(ViewStyleRow* row);
    HRESULT BringRowIntoView(ViewStyleRow* row, bool exitEdit);
    ViewStyleRow* RowFromObject(IUnknown* object);

    // The scroll bar (HvRowScrollRegionBar.cpp).
    void RefreshScrollInfo();
    bool AllRowsFit(bool countHorizontalBar);
    bool IsAtBottomEdge();
    void FillFromBottom();

    ViewStyleRowRegion state_;
    CScrollBar bar_;
    HvVisibleRows* visibleRows_ = nullptr; // one reference
    bool dirty_ = true;
    bool rectSet_ = false;
    bool barUpdatePending_ = false;
    bool recalculating_ = false;
    bool filling_ = false;
    bool tipShowing_ = false;
    bool tipRectKnown_ = false;
    RECT tipRect_ = {};
    int rowsPerUnit_ = 1;
    long distanceSinceRepaint_ = 0x40000000;
    long lastReportedExtent_ = 0;
};
