// HvBand: one level of the grid's hierarchy: the band's own properties, its
// columns and groups with the visible order of their headers, its own
// override, its binding and its place among the layout's bands; with the
// band-level resolution of every override setting and the band's metrics
// (row and header heights, row-selector and expansion-indicator widths).
#pragma once

#include "BandBindingSeam.h"
#include "ChangePublisher.h"
#include "ColumnBandSeam.h"
#include "ChangeSubscriber.h"
#include "DualString.h"
#include "GridBandSeam.h"
#include "HvCollectionItem.h"
#include "HvKeyedItem.h"
#include "HvObjectBaseImpl.h"
#include "HvPersistParticipant.h"
#include "HvUIElementOwner.h"
#include "OverrideBandSeam.h"
#include "SelectStrategy.h"
#include "SelectionBandSeam.h"
#include "SubscriptionLink.h"

#include <Tavelle.h>

#include <memory>
#include <vector>

class BandLayoutSeam;
class HvColumns;
class HvGroups;
class HvOverride;
class HvSortedCols;

class HvBand final : public HvObjectBaseImpl<IHvBand>,
                     public HvCollectionItem,
                     public HvKeyedItem,
                     public GridBandSeam,
                     public SelectionBandSeam,
                     public ColumnBandSeam,
                     public HvPersistParticipant,
                     public ChangePublisher,
                     public ChangeSubscriber,
                     public HvUIElementOwner,
                     public HvButtonSink {
public:
    static constexpr LONG Kind = 17;
    static constexpr DWORD SignatureBits = 0x1D575114;

    // Band flags.
    static constexpr BYTE FlagAutoPreview = 0x01;
    static constexpr BYTE FlagColHeaders = 0x02;
    static constexpr BYTE FlagExpandable = 0x04;
    static constexpr BYTE FlagGroupHeaders = 0x10;
    static constexpr BYTE FlagHidden = 0x20;
    static constexpr BYTE DefaultFlags = 0x16;

    // Property codes of the persistence participant.
    static constexpr DWORD CodeGeneral = 4;
    static constexpr DWORD CodeOverride = 16;
    static constexpr DWORD CodeColumns = 256;
    static constexpr DWORD CodeGroups = 4096;
    static constexpr DWORD CodeSortedCols = 16384;
    static constexpr DWORD CodeColumnOrder = 0x10000;
    static constexpr DWORD CodeGroupOrder = 0x20000;
    static constexpr DWORD CodeKey = 0x40000;
    static constexpr DWORD CodeParent = 0x100000;
    static constexpr DWORD CodeAddButtonCaption = 0x400000;
    static constexpr DWORD CodeAddButtonToolTip = 0x1000000;
    static constexpr DWORD CodeAutoPreviewField = 0x4000000;
    static constexpr DWORD CodeScrollTipField = 0x8000000;
    static constexpr DWORD CodeTag = 0x10000000;

    // Widths of the row-selector and expansion-indicator columns, pixels.
    static constexpr LONG RowSelectorPixels = 19;
    static constexpr LONG ExpansionIndicatorPixels = 19;

    // A new band with one reference, given. subscriber (the layout's) hears
    // the band's changes; binding, parent (referenced) and key may be null.
    static HRESULT Create(BandLayoutSeam* layout, ChangeSubscriber* subscriber, BandBindingSeam* binding,
                          HvBand* parent, const CDualString* key, HvBand** out);
    static HvBand* FromObject(IUnknown* object);

    // IUnknown through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IHvBand
    STDMETHODIMP get_AddButtonCaption(BSTR* out) override;
    STDMETHODIMP put_AddButtonCaption(BSTR value) override;
    STDMETHODIMP get_AddButtonToolTipText(BSTR* out) override;
    STDMETHODIMP put_AddButtonToolTipText(BSTR value) override;
    STDMETHODIMP get_AutoPreviewEnabled(VARIANT_BOOL* out) override;
    STDMETHODIMP put_AutoPreviewEnabled(VARIANT_BOOL value) override;
    STDMETHODIMP get_AutoPreviewField(BSTR* out) override;
    STDMETHODIMP put_AutoPreviewField(BSTR value) override;
    STDMETHODIMP get_AutoPreviewMaxLines(short* out) override;
    STDMETHODIMP put_AutoPreviewMaxLines(short value) override;
    STDMETHODIMP get_Columns(IHvColumns** out) override;
    STDMETHODIMP get_ColHeaderLines(short* out) override;
    STDMETHODIMP put_ColHeaderLines(short value) override;
    STDMETHODIMP get_ColHeadersVisible(VARIANT_BOOL* out) override;
    STDMETHODIMP put_ColHeadersVisible(VARIANT_BOOL value) override;
    STDMETHODIMP get_Expandable(VARIANT_BOOL* out) override;
    STDMETHODIMP put_Expandable(VARIANT_BOOL value) override;
    STDMETHODIMP get_GroupHeaderLines(short* out) override;
    STDMETHODIMP put_GroupHeaderLines(short value) override;
    STDMETHODIMP get_GroupHeadersVisible(VARIANT_BOOL* out) override;
    STDMETHODIMP put_GroupHeadersVisible(VARIANT_BOOL value) override;
    STDMETHODIMP get_Groups(IHvGroups** out) override;
    STDMETHODIMP get_Hidden(VARIANT_BOOL* out) override;
    STDMETHODIMP put_Hidden(VARIANT_BOOL value) override;
    STDMETHODIMP get_Index(short* out) override;
    STDMETHODIMP get_Key(BSTR* out) override;
    STDMETHODIMP get_Layout(IHvLayout** out) override;
    STDMETHODIMP get_LevelCount(short* out) override;
    STDMETHODIMP put_LevelCount(short value) override;
    STDMETHODIMP get_Override(IHvOverride** out) override;
    STDMETHODIMP putref_Override(VARIANT* value) override;
    STDMETHODIMP put_Override(VARIANT value) override;
    STDMETHODIMP get_ParentColumn(IHvColumn** out) override;
    STDMETHODIMP get_ScrollTipField(BSTR* out) override;
    STDMETHODIMP put_ScrollTipField(BSTR value) override;
    STDMETHODIMP get_SortedCols(IHvSortedCols** out) override;
    STDMETHODIMP AddNew(IHvRow** out) override;
    STDMETHODIMP Collapse() override;
    STDMETHODIMP CollapseAll() override;
    STDMETHODIMP Expand() override;
    STDMETHODIMP ExpandAll() override;
    STDMETHODIMP GetExtent(VARIANT* origin, float* out) override;
    STDMETHODIMP GetOrigin(VARIANT* origin, float* out) override;
    STDMETHODIMP ResolveOverride(IHvOverride** out) override;

    // HvCollectionItem: the band's stream form in the Bands collection.
    STDMETHODIMP Save(IStream* stream, LONG categories) override;
    STDMETHODIMP Load(IStream* stream, LONG categories) override;

    // HvKeyedItem
    const CDualString* GetKey() override { return &key_; }
    const IID* GetInterfaceId() override { return &IID_IHvBand; }
    CAutomationObject* GetItemObject() override { return this; }

    // GridBandSeam
    HvKeyedItem* BandItem() override { return this; }
    HvPersistParticipant* Participant() override { return this; }
    BandsLayoutSeam* Layout() override;
    GridBandSeam* ParentBand() override { return parent_; }
    HvColumns* Columns() override { return columns_; }
    HvGroups* GetGroups(bool create) override;
    HRESULT AddColumn(const CDualString* key, GridColumnSeam** out) override;
    HRESULT RemoveColumnHeader(GridColumnSeam* column) override;
    HRESULT CreateGroup(HvGroups* groups, const CDualString* key, GridGroupSeam** out) override;
    HRESULT AppendGroupHeader(GridGroupSeam* group) override;
    void RemoveGroupHeader(GridGroupSeam* group) override;
    void UpdateBinding() override;
    HRESULT ExpandRows(bool expand, bool touchChildren, LONG parentRow) override;
    void InvalidateHeaderHeights() override;
    bool IsEffectivelyHidden() override;
    void LayoutHeaders(GridBandSeam* previousVisible) override;
    void ApplyPendingExtentChange() override;
    LONG Origin() override { return origin_; }
    // The view style places the band after its header layout.
    void SetOrigin(LONG origin) { origin_ = origin; }
    bool IsExpandable() const { return (flags_ & FlagExpandable) != 0; }
    LONG Extent() override { return extent_; }
    bool MatchesBand(GridBandSeam* other) override;
    LONG GetParentColumnIndex() override;
    void SetParentColumn(GridColumnSeam* column) override { parentColumn_ = column; }
    void CallCellSelectStrategy() override;

    // SelectionBandSeam: through the band's strategies and the grid's
    // selection (HvBandSelection.cpp).
    HRESULT SelectColumn(HvSelectableItem* column, bool select, bool fireEvents) override;
    HRESULT SelectRow(HvSelectableItem* row, bool select, bool fireEvents) override;
    HRESULT SelectCell(HvSelectableItem* cell, LONG flag1, LONG flag2) override;
    void InvokeCellSelectStrategy(HvSelectableItem* item, LONG flag1, LONG flag2, LONG arg) override;
    void InvokeRowSelectStrategy(HvSelectableItem* row, LONG flag1, LONG flag2) override;
    HvSelectableItem* FindHeaderAfter() override;
    // The band override's strategy, else the layout's default; null when
    // neither has one.
    OverrideStrategy* GetCellClickStrategy();
    SelectStrategy* GetSelectStrategy(OverrideStrategyKind kind);
    // A press on a column or group header: the SelectTypeCol strategy when
    // HeaderClickAction resolves to Select, else the grid's own operation.
    void HandleHeaderClick(HvColumnGroupImpl* item, bool drag);

    // ColumnBandSeam
    GridBandSeam* GridBand() override { return this; }
    SelectionBandSeam* SelectionBand() override { return this; }
    OverrideBandSeam* OverrideBand() override { return &resolvedSide_; }
    ColumnLayoutSeam* ColumnLayout() override;
    LONG ResolveSetting(DISPID setting) override;
    SHORT LevelCount() override { return levelCount_; }
    LONG ColumnHeaderHeight() override { return GetColHeaderHeight(false); }
    LONG GroupHeaderHeight() override { return GetGroupHeaderHeight(); }
    LONG RowSelectorWidth() override;
    LONG ExpansionIndicatorWidth() override;
    HFONT HeaderFont() override;
    SHORT HeaderPosition(HvColumnGroupImpl* item) override;
    HRESULT MoveHeader(HvColumnGroupImpl* item, SHORT position, bool* moved) override;
    HRESULT SelectGroup(HvGroup* group, bool select, bool fireEvents) override;
    void HandleHeaderSelect(HvColumnGroupImpl* item, LONG flag) override;
    HRESULT ChangeSort(HvColumn* column, LONG indicator, bool clearOthers) override;

    // HvPersistParticipant
    LONG ParticipantKind() const override { return Kind; }
    DWORD Signature() const override { return SignatureBits; }
    bool HasData(DWORD code, LONG categories) override;
    HRESULT Save(DWORD code, IStream* stream, LONG categories) override;
    HRESULT Load(DWORD code, IStream* stream, LONG categories) override;
    void Reset(DWORD code, LONG categories) override;
    HRESULT CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories) override;

    // ChangePublisher
    int KindCode() const override { return Kind; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }

    // ChangeSubscriber: the band's own override, Columns and Groups.
    void OnChange(const ChangeNotice* notice) override;
    bool OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t argument) override;
    unsigned long AddRefSubscriber() override { return CUnknownObject::AddRef(); }
    unsigned long ReleaseSubscriber() override { return CUnknownObject::Release(); }

    // HvUIElementOwner: the band's button in the add-new box (context -6).
    // The layout while it shows in a grid; the button's element, whatever
    // the regions (the add-new box lies outside them).
    LayoutRegionsSeam* GetShowingLayout() override;
    UIElementSeam* GetUIElement(ScrollRegionSeam*, ScrollRegionSeam*, int) override;
    LONG GetState(OwnedElementSeam* element) override;
    bool OnMouseDown(OwnedElementSeam* element) override;
    void OnPressEnter(OwnedElementSeam* element) override;
    void OnPressLeave(OwnedElementSeam* element) override;
    HCURSOR GetCursor(OwnedElementSeam* element) override;
    void AdjustPictureRect(OwnedElementSeam* element, RECT* rect) override;
    bool GetText(OwnedElementSeam* element, CDualString& text) override;
    void AdjustTextRect(OwnedElementSeam* element, RECT* rect) override;

    // HvButtonSink
    void OnClick(OwnedElementSeam* element) override;
    void OnCancel(OwnedElementSeam* element) override;
    bool CanPress(OwnedElementSeam* element) override;

    // The resolved form's view of the band.
    OverrideBandSeam* ResolvedSide() { return &resolvedSide_; }
    // The band's levels of an appearance resolution, then the layout's.
    void ResolveBandAppearance(AppearanceData& block, AppearanceRequest& request);

    // --- hierarchy ---
    HvBand* Parent() const { return parent_; }
    BandLayoutSeam* OwnerLayout() const { return layout_; }
    BandBindingSeam* Binding() const { return binding_; }
    GridColumnSeam* ParentColumn() const { return parentColumn_; }
    LONG GetDepth() const;
    bool IsDescendantOf(const HvBand* band) const;
    bool HasChildBands(bool skipHidden);
    bool HasSiblingBands();
    bool IsRowsetUnavailable() const { return !binding_ || binding_->IsUnavailable(); }
    HRESULT SetRowsetBinding(BandBindingSeam* binding);
    // The band's add-button text (caption, key, or first column's caption).
    void GetAddButtonText(CDualString& text);

    // --- columns and groups ---
    LONG GetColumnCount() const;
    LONG GetBoundColumnCount() const;
    LONG GetColumnPosition(GridColumnSeam* column) const;
    HRESULT GetColumnByPosition(SHORT position, GridColumnSeam** out);
    HRESULT GetColumnByKey(const CDualString* key, GridColumnSeam** out);
    // By position, key or column object (no reference added).
    HRESULT GetColumnItem(VARIANT index, GridColumnSeam** out);
    // The column whose collection Index is index; E_FAIL when none.
    HRESULT GetColumnByIndex(LONG index, GridColumnSeam** out);
    bool HasGroups() const;
    SHORT GetEffectiveLevelCount() const { return HasGroups() ? levelCount_ : 1; }

    // --- header order: columns or groups as collection items, visible order ---
    const std::vector<HvKeyedItem*>& ColumnHeaderOrder() const { return columnOrder_; }
    const std::vector<HvKeyedItem*>& GroupHeaderOrder() const { return groupOrder_; }
    const std::vector<HvKeyedItem*>& GetHeaderOrder() const { return HasGroups() ? groupOrder_ : columnOrder_; }
    // Copies of an order, and the replacement of an order by a copy (items
    // no longer in the band are dropped, missing ones keep their place at
    // the end); the order before is handed back for a rollback.
    std::vector<HvKeyedItem*> SnapshotColumnHeaderOrder() const { return columnOrder_; }
    std::vector<HvKeyedItem*> SnapshotGroupHeaderOrder() const { return groupOrder_; }
    HRESULT SetColumnHeaderOrder(const std::vector<HvKeyedItem*>& order, std::vector<HvKeyedItem*>* previous);
    HRESULT SetGroupHeaderOrder(const std::vector<HvKeyedItem*>& order, std::vector<HvKeyedItem*>* previous);
    // The pixel offset of a column within the band; -1 when it is not shown.
    LONG GetColumnPositionInBand(GridColumnSeam* column);
    // Index in its order list, 0xFFFF when not listed; E_INVALIDARG for null
    // out or an item of another band.
    HRESULT GetColumnHeaderPosition(GridColumnSeam* column, SHORT* out);
    HRESULT GetGroupHeaderPosition(GridGroupSeam* group, SHORT* out);
    HRESULT SetColumnHeaderPosition(GridColumnSeam* column, LONG position, bool* changed);
    HRESULT SetGroupHeaderPosition(GridGroupSeam* group, LONG position, bool* changed);
    void AddToExtentDelta(LONG delta) { pendingExtent_ += delta; }

    // --- sorting ---
    // Makes a column of this band the last sort column (SortedCols made on
    // first use); 0x800A9C4D for a column of another band.
    HRESULT AddSortedColumn(GridColumnSeam* column, bool descending);

    // --- resolvers (Constants_ values; sizes in pixels) ---
    // ResolveSetting: band override, else layout override, else the fixed
    // default, with the special rules of each setting.
    bool ResolveRowSelectors() { return ResolveSetting(0x419) != 2; }
    bool ResolveCellMultiLine() { return ResolveSetting(0x4a5) == 1; }
    bool IsRowSizingFixed();
    bool IsScrollTipShown();
    bool CanAddNew(bool full);

    // --- metrics (pixels) ---
    LONG CalcRowHeight(bool syncAcrossBands);
    LONG ResolveDefaultRowHeight();
    LONG GetColHeaderHeight(bool raw);
    LONG GetGroupHeaderHeight();
    LONG GetHeaderHeight() { return GetColHeaderHeight(false) + GetGroupHeaderHeight(); }
    LONG GetHeaderLineHeight();
    // The row height a user's resize gave all rows of a synchronized band.
    void SetSynchronizedRowHeight(LONG height);
    LONG SynchronizedRowHeight() const { return syncRowHeight_; }
    LONG Version() const { return version_; }
    // The version at the last LevelCount change: rows sized before it take
    // their height from the band again.
    LONG RowHeightResetMark() const { return resetMark_; }

protected:
    void ReleaseReferences() override;

private:
    // The resolved override's view of this band.
    class ResolvedView final : public OverrideBandSeam {
    public:
        explicit ResolvedView(HvBand* band) : band_(band) {}
        void AddRefBand() override { band_->AddRef(); }
        void ReleaseBand() override { band_->Release(); }
        OverrideLayoutSeam* Layout() override;
        LONG ResolveSetting(DISPID setting) override { return band_->ResolveSetting(setting); }
        void ResolveAppearance(AppearanceData& block, AppearanceRequest& request) override;

    private:
        HvBand* band_;
    };

    HvBand(BandLayoutSeam* layout, ChangeSubscriber* subscriber, BandBindingSeam* binding, HvBand* parent,
           const CDualString* key);
    ~HvBand() override;

    HRESULT CheckAlive();
    HRESULT Raise(HRESULT result, WORD stringId) { return Exception(result, stringId); }
    HRESULT PutFlag(BYTE flag, VARIANT_BOOL value, DISPID dispid);
    HRESULT PutLines(SHORT* field, short value, DISPID dispid);
    HRESULT PutFieldName(CDualString& field, BSTR value, DISPID dispid);
    HRESULT PutOverrideObject(HvOverride* replacement);
    HRESULT EnsureOverride();
    HRESULT EnsureSortedCols();
    void DropOverride();
    LONG LayoutSetting(DISPID setting);
    LONG MaxLineHeight();
    HRESULT BandPosition(VARIANT* origin, LONG* pixels, bool extent);
    HRESULT ExpandAllBands(bool expand);
    void SetPressed(bool pressed) { pressed_ = pressed; }
    void DoAddNew();
    HvKeyedItem* FirstColumnItem() const;
    void RebuildColumnOrder();
    void RebuildGroupOrder();
    bool ColumnOrderDiffers() const;
    bool GroupOrderDiffers() const;
    HRESULT SaveOrder(IStream* stream, const std::vector<HvKeyedItem*>& order, bool groups);
    HRESULT LoadOrder(IStream* stream, bool groups);
    void NotifyLayout(const ChangeNotice* inner, DISPID what);

    // Fields, in the band's order.
    SHORT autoPreviewMaxLines_ = 3;
    SHORT colHeaderLines_ = 1;
    SHORT groupHeaderLines_ = 1;
    SHORT levelCount_ = 1;
    BYTE flags_ = DefaultFlags;
    LONG origin_ = 0;
    LONG extent_ = 0;
    CDualString key_;
    CDualString addButtonCaption_;
    CDualString addButtonToolTip_;
    CDualString autoPreviewField_;
    CDualString scrollTipField_;
    BandLayoutSeam* layout_;          // not owned; null once deactivated
    HvColumns* columns_ = nullptr;    // owned
    HvGroups* groups_ = nullptr;      // owned
    HvSortedCols* sortedCols_ = nullptr; // owned
    std::vector<HvKeyedItem*> columnOrder_;  // not referenced: Columns holds them
    std::vector<HvKeyedItem*> groupOrder_;   // not referenced: Groups holds them
    HvOverride* override_ = nullptr;  // owned
    HvOverride* resolved_ = nullptr;  // owned
    BandBindingSeam* binding_;        // not owned
    HvBand* parent_;                  // referenced
    GridColumnSeam* parentColumn_ = nullptr; // not referenced
    SubscriptionLink overrideLink_;
    SubscriptionLink columnsLink_;
    SubscriptionLink groupsLink_;
    SubscriptionLink layoutLink_;
    // Metric caches.
    LONG maxRowLine_ = 0;
    LONG maxColHeaderLine_ = 0;
    LONG maxGroupHeaderLine_ = 0;
    LONG rowHeight_ = 0;
    bool rowLineValid_ = false;
    bool colHeaderLineValid_ = false;
    bool groupHeaderLineValid_ = false;
    bool rowHeightValid_ = false;
    LONG syncRowHeight_ = 0;
    LONG version_ = 0;
    LONG resetMark_ = 0;
    LONG pendingExtent_ = 0;
    bool pressed_ = false;
    ResolvedView resolvedSide_{this};
};
