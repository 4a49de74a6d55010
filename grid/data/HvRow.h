// HvRow: the grid's object for one row of one band: the bound row it wraps
// (none for an unbound row), its own display settings and state flags, its
// cells, its parent row, and the self-references that keep a row carrying
// state of its own alive while the display lets its row objects go.
#pragma once

#include "ActivationRow.h"
#include "AppearanceRef.h"
#include "CellHostSeam.h"
#include "CellRowSeam.h"
#include "ChangePublisher.h"
#include "ChangeSubscriber.h"
#include "DualString.h"
#include "HvKeyedItem.h"
#include "HvObjectBaseImpl.h"
#include "HvSelectableItem.h"
#include "RowDataRef.h"
#include "RowDeletionSeam.h"
#include "SubscriptionLink.h"

#include <Tavelle.h>
#include <oledb.h>

class HvCells;
class RowBandSeam;
class RowDataSeam;

class HvRow final : public HvObjectBaseImpl<IHvRow>,
                    public ChangeSubscriber,
                    public ChangePublisher,
                    public HvKeyedItem,
                    public HvSelectableItem,
                    public CellRowSeam,
                    public RowDeletionSeam,
                    public CellRowHost,
                    public ActivationRow {
public:
    static constexpr int Kind = 15;
    // Flag byte.
    static constexpr BYTE FlagAutoPreviewHidden = 0x01;
    static constexpr BYTE FlagDataChanged = 0x02;
    static constexpr BYTE FlagExpanded = 0x04;
    static constexpr BYTE FlagHidden = 0x08;
    static constexpr BYTE FlagSelected = 0x10;
    static constexpr BYTE FlagInitializing = 0x20;
    static constexpr BYTE FlagSelfRef = 0x40;
    static constexpr BYTE FlagExpansionRef = 0x80;
    // Cached answers of an unbound row (value bit, then its "known" bit).
    static constexpr BYTE KnowNext = 0x01 | 0x02;
    static constexpr BYTE KnowPrev = 0x04 | 0x08;
    static constexpr BYTE KnowNextSpan = 0x10 | 0x20;
    static constexpr BYTE KnowPrevSpan = 0x40 | 0x80;
    // Row-local state byte.
    static constexpr BYTE LocalHasChildren = 0x01;
    static constexpr BYTE LocalChildrenKnown = 0x02;
    static constexpr BYTE LocalSavedSelected = 0x08;
    static constexpr BYTE LocalInSnapshot = 0x10;
    static constexpr BYTE LocalApplyingHeight = 0x20;
    static constexpr BYTE LocalSyncingHeight = 0x40;
    static constexpr BYTE LocalNaturalHeight = 0x80;

    // A new row with one reference. data and parent may be null; the row
    // takes a count on each; band is not owned and outlives the row.
    static HRESULT Create(RowDataSeam* data, HvRow* parent, RowBandSeam* band, Constants_RowType type,
                          HvRow** out);
    // The row behind a client's object, or null.
    static HvRow* FromObject(IUnknown* object);

    // IUnknown through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IHvRow
    STDMETHODIMP get_Activation(Constants_Activation* out) override;
    STDMETHODIMP put_Activation(Constants_Activation value) override;
    STDMETHODIMP get_Appearance(IHvAppearance** out) override;
    STDMETHODIMP putref_Appearance(VARIANT* value) override;
    STDMETHODIMP put_Appearance(VARIANT value) override;
    STDMETHODIMP get_AutoPreviewHidden(VARIANT_BOOL* out) override;
    STDMETHODIMP put_AutoPreviewHidden(VARIANT_BOOL value) override;
    STDMETHODIMP get_CellAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_CellAppearance(VARIANT* value) override;
    STDMETHODIMP put_CellAppearance(VARIANT value) override;
    STDMETHODIMP get_Band(IHvBand** out) override;
    STDMETHODIMP get_Bookmark(VARIANT bookmarkTemplate, VARIANT* out) override;
    STDMETHODIMP get_Cells(IHvCells** out) override;
    STDMETHODIMP get_DataChanged(VARIANT_BOOL* out) override;
    STDMETHODIMP get_Description(BSTR* out) override;
    STDMETHODIMP put_Description(BSTR value) override;
    STDMETHODIMP get_Expanded(VARIANT_BOOL* out) override;
    STDMETHODIMP put_Expanded(VARIANT_BOOL value) override;
    STDMETHODIMP get_ExpandChildRowsOnLoad(Constants_ExpandOnLoad* out) override;
    STDMETHODIMP put_ExpandChildRowsOnLoad(Constants_ExpandOnLoad value) override;
    STDMETHODIMP get_ExpansionIndicator(Constants_ExpansionIndicator* out) override;
    STDMETHODIMP put_ExpansionIndicator(Constants_ExpansionIndicator value) override;
    STDMETHODIMP get_FixedHeight(Constants_FixedHeight* out) override;
    STDMETHODIMP put_FixedHeight(Constants_FixedHeight value) override;
    STDMETHODIMP get_Height(float* out) override;
    STDMETHODIMP put_Height(float value) override;
    STDMETHODIMP get_Hidden(VARIANT_BOOL* out) override;
    STDMETHODIMP put_Hidden(VARIANT_BOOL value) override;
    STDMETHODIMP get_RowSelectorAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_RowSelectorAppearance(VARIANT* value) override;
    STDMETHODIMP put_RowSelectorAppearance(VARIANT value) override;
    STDMETHODIMP get_RowSpacingBefore(float* out) override;
    STDMETHODIMP put_RowSpacingBefore(float value) override;
    STDMETHODIMP get_RowSpacingAfter(float* out) override;
    STDMETHODIMP put_RowSpacingAfter(float value) override;
    STDMETHODIMP get_Selected(VARIANT_BOOL* out) override;
    STDMETHODIMP put_Selected(VARIANT_BOOL value) override;
    STDMETHODIMP get_Type(Constants_RowType* out) override;
    STDMETHODIMP CollapseAll() override;
    STDMETHODIMP ExpandAll() override;
    STDMETHODIMP GetChildFromBookmark(VARIANT bookmark, VARIANT* band, IHvRow** out) override;
    STDMETHODIMP GetChild(Constants_ChildRow child, VARIANT* band, IHvRow** out) override;
    STDMETHODIMP GetParent(VARIANT* band, IHvRow** out) override;
    STDMETHODIMP GetSibling(Constants_SiblingRow sibling, VARIANT* spanBands, IHvRow** out) override;
    STDMETHODIMP GetUIElement(VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out) override;
    STDMETHODIMP HasChild(VARIANT* band, VARIANT_BOOL* out) override;
    STDMETHODIMP HasParent(VARIANT* band, VARIANT_BOOL* out) override;
    STDMETHODIMP HasNextSibling(VARIANT* spanBands, VARIANT_BOOL* out) override;
    STDMETHODIMP HasPrevSibling(VARIANT* spanBands, VARIANT_BOOL* out) override;
    STDMETHODIMP Refresh(VARIANT* action) override;
    STDMETHODIMP ResolveAppearance(VARIANT* rowRegion, IHvAppearance** out) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP CancelUpdate() override;
    STDMETHODIMP Delete() override;

    // ChangePublisher: every notice of the row goes out here.
    int KindCode() const override { return Kind; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }
    // ChangeSubscriber: the cells, the appearances and the row's own notices.
    void OnChange(const ChangeNotice* notice) override;
    bool OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t argument) override;
    unsigned long AddRefSubscriber() override { return CUnknownObject::AddRef(); }
    unsigned long ReleaseSubscriber() override { return CUnknownObject::Release(); }

    // HvKeyedItem
    const CDualString* GetKey() override { return nullptr; }
    const IID* GetInterfaceId() override { return &IID_IHvRow; }
    CAutomationObject* GetItemObject() override { return this; }

    // HvSelectableItem
    HvKeyedItem* KeyedItem() override { return this; }
    void SetSelected(bool selected) override;
    SelectionBandSeam* OwnerBand() override;
    SelectionLayoutSeam* Layout() override;
    SelectionControlSeam* GridControl() override;
    HvSelectableItem* RowItem() override { return nullptr; }
    bool MayActivate() override { return activation_ != hvActivationDisabled; }
    LONG Activate(bool, LONG, LONG) override { return 0; }
    void EnterEditMode() override {}
    HvSelectableItem* GetCell(HvSelectableItem* column) override;

    // CellRowSeam
    GridBandSeam* Band() override;
    HRESULT CreateCell(GridColumnSeam* column, HvCells* cells, HvKeyedItem** out) override;
    GridColumnSeam* ColumnOfCell(HvKeyedItem* cell) override;

    // RowDeletionSeam
    bool HasRowData() override { return data_ != nullptr || deletedData_.Get() != nullptr; }
    HRESULT CommitPendingEdit() override { return Update(); }
    HRESULT DeleteData() override;
    HRESULT CommitDeletion() override;
    void UndoDeletion() override;
    void KeepDeletionPending() override;
    void ReportDataError(HRESULT result) override;
    LONG ResolveAllowDelete() override;

    // CellRowHost
    IHvRow* RowInterface() override { return this; }
    HRESULT GetRowValue(LONG columnIndex, VARIANT* out) override;
    HRESULT GetRowOriginalValue(LONG columnIndex, VARIANT* out) override;
    HRESULT SetRowValue(LONG columnIndex, VARIANT* value) override;
    void SetRowDataChanged() override { SetDataChanged(VARIANT_TRUE); }
    LONG LevelHeight(LONG level) override { return GetLevelHeight(level); }
    LONG ResolveActivation() override { return activation_; }
    bool IsSelected() override { return (flags_ & FlagSelected) != 0; }
    HvSelectableItem* RowSelectable() override { return this; }
    HvLayoutHost* CellAppearanceHost() override;
    HvAppearances* CellAppearances() override;

    // ActivationRow: the row as the control's row activation sees it.
    void AddRefRow() override { CUnknownObject::AddRef(); }
    void ReleaseRow() override { CUnknownObject::Release(); }
    bool IsRowAlive() override { return IsActive(); }
    IDispatch* Dispatch() override { return static_cast<IHvRow*>(this); }
    const void* BandIdentity() override { return band_; }
    bool BandKeepsPositionMark() override;
    HRESULT FlushBandPosition() override;
    HRESULT SyncBandPosition() override;
    bool HasPendingChanges() override { return HasDataChanged(); }
    ActivationRow* ParentRow() override { return parent_; }
    bool IsReachable() override;

    // The bound row's callbacks. The bound row is gone: a deleted one tells
    // the row's subscribers and leaves the selection; then the row ends.
    void OnRowDataGone(bool deleted);
    // Forgets the cached answers asked for; always false.
    bool ResetCachedAnswers(bool next, bool previous, bool children);

    // State used by the display, selection and cells.
    RowBandSeam* GetBand() const { return band_; }
    RowDataSeam* GetRowData() const { return data_; }
    // The settings of the row's own Appearance and CellAppearance; null
    // when it holds none.
    const AppearanceData* OwnAppearanceData() { return appearance_.GetAppearanceData(); }
    const AppearanceData* OwnCellAppearanceData() { return cellAppearance_.GetAppearanceData(); }
    HvRow* GetParentRow() const { return parent_; }
    bool IsHidden();
    bool IsExpanded() const { return (flags_ & FlagExpanded) != 0; }
    bool HasDataChanged() const { return (flags_ & FlagDataChanged) != 0; }
    bool IsInitializing() const { return (flags_ & FlagInitializing) != 0; }
    bool HoldsSelfReference() const { return (flags_ & FlagSelfRef) != 0; }
    bool HoldsExpansionReference() const { return (flags_ & FlagExpansionRef) != 0; }
    bool IsActiveRow();
    LONG GetActivation() const { return activation_; }
    // The larger of the column's effective activation and the row's own.
    LONG ResolveActivation(LONG columnActivation) const;
    LONG ResolveExpandChildRowsOnLoad();
    LONG ResolveRowSpacingBefore();
    LONG ResolveRowSpacingAfter();
    bool IsFixedHeight();
    // The larger of the explicit-based height (the explicit height, taken
    // again from the band when the band's version says so, measured once
    // from the cells under the Auto sizings, plus the band's spacing and
    // padding on both sides) and the content height.
    LONG GetHeight();
    LONG GetExplicitBasedHeight();
    LONG GetContentHeight();
    LONG GetTotalHeight();
    // The height less the row borders; one level's top and height in a
    // multi-level row.
    LONG GetInnerHeight();
    LONG GetLevelTop(LONG level, bool withoutBorder);
    LONG GetLevelHeight(LONG level);
    void ResetHeightFromBand();
    // Takes a height in pixels (spacing and padding included, at least the
    // content height) as the row's own; the row keeps itself from then on.
    void ApplyHeight(LONG pixels);
    bool HasNextSiblingCached(bool deep);
    bool HasPrevSiblingCached(bool deep);
    bool HasNextSiblingSpanningBandsCached(bool deep);
    bool HasPrevSiblingSpanningBandsCached(bool deep);
    bool HasChildRows(bool deep);
    // The cached answers of an unbound row.
    void SetCachedAnswer(BYTE knowBits, bool value);
    void SetCachedHasChildRows(bool value);
    // The row can show child rows (its band has visible child bands and is
    // Expandable) and does (it is also Expanded).
    bool CanShowChildRows();
    bool ShowsChildRows() { return IsExpanded() && CanShowChildRows(); }
    bool ShowsExpansionIndicator();
    bool IsShownExpanded();
    bool AreAncestorsPassing();
    // Expands every ancestor that does not show its child rows; whether the
    // parent shows them afterwards.
    bool ExpandAncestors();
    // Expands or collapses with the Before/After events; 4040 for a band
    // that is not Expandable.
    HRESULT SetExpanded(bool expand, bool fireEvents, bool notify);
    HRESULT SetDataChanged(VARIANT_BOOL changed);
    // The cells collection, made on first use; null for a dead row.
    HvCells* GetCells();
    void FireInitializeRow();
    HvRow* FindCommonAncestor(HvRow* other);
    // DBCOMPARE answers of this row against another, 4 (not comparable)
    // when either is unbound. Order: the provider's order of two rows of
    // one list. Sibling order: their approximate positions in the
    // provider's rowset. Tree order: the order in which the grid lists
    // them, across parents: the rows, or their ancestors under one parent,
    // by their places in their lists (sorted lists in sorted order), rows
    // of two child bands by their bands' chapter columns.
    DBCOMPARE CompareOrder(HvRow* other);
    DBCOMPARE CompareSiblingOrder(HvRow* other);
    DBCOMPARE CompareTreeOrder(HvRow* other);
    void BeginSelectionSnapshot();
    void EndSelectionSnapshot();
    // The row takes its reference on itself once (flag 64).
    void EnsureReferenced();

protected:
    void ReleaseReferences() override;

private:
    HvRow(RowDataSeam* data, HvRow* parent, RowBandSeam* band, Constants_RowType type);
    ~HvRow() override;

    HRESULT CheckAlive();
    HRESULT Invalid();
    LONG DefaultExpandState();
    HRESULT PutAppearanceValue(AppearanceRef& ref, DISPID id, const VARIANT& value);
    HRESULT PutSpacing(LONG& stored, DISPID id, float value);
    template <class TEnum>
    HRESULT PutEnum(LONG& stored, DISPID id, TEnum value, LONG last);
    void ReleaseSelfReferences();
    bool IsOwnAppearance(AppearanceRef& ref);
    bool IsHeightStale();

    RowBandSeam* band_;             // not owned
    RowDataSeam* data_;             // one count; null when unbound
    RowDataRef deletedData_;        // the record being deleted, until committed or undone
    HvRow* parent_;                 // one reference; null at the top level
    HvCells* cells_ = nullptr;      // one reference
    LONG height_ = 0;               // explicit height, pixels
    LONG heightVersion_ = 0;        // the band's row-height version it was taken at
    LONG spacingBefore_ = -1;
    LONG spacingAfter_ = -1;
    LONG activation_ = 0;
    LONG expandOnLoad_ = 0;
    LONG type_;
    LONG expansionIndicator_ = 0;
    LONG fixedHeight_ = 0;
    BYTE flags_ = 0;
    BYTE cached_ = 0;
    BYTE local_ = 0;
    CDualString description_;
    AppearanceRef appearance_;
    AppearanceRef cellAppearance_;
    AppearanceRef rowSelectorAppearance_;
    SubscriptionLink cellsLink_{this};
    SubscriptionLink selfLink_{this};
};
