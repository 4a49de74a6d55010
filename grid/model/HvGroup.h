// HvGroup: a column group of a band: adjacent columns under one group
// header, stacked on levels, with its own width rule; published as
// IHvGroup. A level copy carries a proposed width or position through one
// BeforeGroupPosChanged / AfterGroupPosChanged pair and refuses puts.
#pragma once

#include "DualString.h"
#include "GridGroupSeam.h"
#include "HvCollectionItem.h"
#include "HvColumnGroupImpl.h"
#include "HvKeyedItem.h"
#include "HvObjectBaseImpl.h"
#include "HvPersistParticipant.h"
#include "HvPropertyQuery.h"
#include "HvSelectableItem.h"
#include "SubscriptionLink.h"

#include <Tavelle.h>

#include <memory>

class HvColumn;
class HvGroupCols;
class HvGroups;

class HvGroup final : public HvObjectBaseImpl<IHvGroup>,
                      public HvPropertyQuery,
                      public HvCollectionItem,
                      public HvKeyedItem,
                      public HvPersistParticipant,
                      public HvColumnGroupImpl,
                      public HvSelectableItem,
                      public GridGroupSeam {
public:
    static constexpr LONG Kind = 33;
    static constexpr DWORD CodeWidth = 0x10;
    static constexpr DWORD CodeCellAppearance = 0x100;
    static constexpr DWORD CodeColumns = 0x1000;
    static constexpr DWORD CodeHeader = 0x10000;
    static constexpr DWORD CodeKey = 0x100000;
    static constexpr DWORD CodeTag = 0x1000000;
    static constexpr DISPID ColumnsId = 1032;
    static constexpr BYTE FlagHidden = 0x01;

    struct LevelRecord {
        Constants_PosChanged kind = hvPosMoved;
        HvGroup* source = nullptr;  // one reference
        LONG width = 0;             // pixels
        LONG minWidth = 0;
        LONG maxWidth = 0;          // 0 = none
        SHORT visiblePosition = 0;
    };

    // A new group with one reference; band and collection are not owned;
    // key may be null.
    static HRESULT Create(ColumnBandSeam* band, HvGroups* collection, const CDualString* key, HvGroup** out);
    static HvGroup* FromObject(IUnknown* object);

    // IUnknown through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IHvGroup
    STDMETHODIMP get_CellAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_CellAppearance(VARIANT* value) override;
    STDMETHODIMP put_CellAppearance(VARIANT value) override;
    STDMETHODIMP get_Band(IHvBand** out) override;
    STDMETHODIMP get_Header(IHvHeader** out) override;
    STDMETHODIMP get_Hidden(VARIANT_BOOL* out) override;
    STDMETHODIMP put_Hidden(VARIANT_BOOL value) override;
    STDMETHODIMP get_Index(short* out) override;
    STDMETHODIMP get_Key(BSTR* out) override;
    STDMETHODIMP get_Selected(VARIANT_BOOL* out) override;
    STDMETHODIMP put_Selected(VARIANT_BOOL value) override;
    STDMETHODIMP get_Width(float* out) override;
    STDMETHODIMP put_Width(float value) override;
    STDMETHODIMP get_Columns(IHvGroupCols** out) override;

    // HvPropertyQuery
    STDMETHODIMP IsValueProperty(DISPID dispid, VARIANT_BOOL* result) override;
    STDMETHODIMP IsAppearanceProperty(DISPID dispid, VARIANT_BOOL* result) override;

    // HvCollectionItem
    STDMETHODIMP Save(IStream* stream, LONG arg) override;
    STDMETHODIMP Load(IStream* stream, LONG arg) override;

    // HvKeyedItem
    const CDualString* GetKey() override { return &key_; }
    const IID* GetInterfaceId() override { return &IID_IHvGroup; }
    CAutomationObject* GetItemObject() override { return this; }

    // HvPersistParticipant
    LONG ParticipantKind() const override { return Kind; }
    DWORD Signature() const override { return 0x1111110; }
    bool HasData(DWORD code, LONG categories) override;
    HRESULT Save(DWORD code, IStream* stream, LONG categories) override;
    HRESULT Load(DWORD code, IStream* stream, LONG categories) override;
    void Reset(DWORD code, LONG categories) override;
    HRESULT CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories) override;

    // ChangePublisher
    int KindCode() const override { return Kind; }
    // ChangeSubscriber: header, GroupCols and cell appearance.
    void OnChange(const ChangeNotice* notice) override;

    // HvColumnGroupImpl
    CAutomationObject& Automation() override { return *this; }
    bool IsGroup() const override { return true; }
    bool CanSwap() override;
    HRESULT Swap(HvColumnGroupImpl* other) override;
    void FillSwapList(std::vector<HvColumnGroupImpl*>& items) override;
    LONG GetVisibleExtent() override { return GetExtent(); }
    LONG GetOrigin() override { return SharedOrigin(); }
    void SetStoredOrigin(LONG offset) override;
    void SetFirstItem(bool first) override;
    void SetLastItem(bool last) override;
    bool CanSize() override;
    void GetSizeRange(LONG* minWidth, LONG* maxWidth) override;
    void GetHeaderRect(RECT* rect, const RECT* area) override;
    LONG GetSortIndicator() override { return 3; }
    void GetDefaultCaption(CDualString& caption) override { caption.Assign(key_); }
    LONG GetLevelHeaderHeight() override;
    SHORT GetEffectiveLevel() override { return 0; }
    bool HasChildBand() override { return false; }
    LONG GetWidth(bool flag) override;
    HRESULT SetWidth(LONG width) override;
    SHORT GetVisiblePosition() override;
    HRESULT SetVisiblePosition(SHORT position) override;
    bool IsSelectedItem() override;
    void SetSelectedFlag(bool selected) override;
    bool IsHiddenItem() override { return (flags_ & FlagHidden) != 0; }
    LONG GetEffectiveActivation() override;
    bool CanMove() override;
    LONG GetDragKind() const override { return 99; }
    bool OnHeaderClick() override { return false; }
    // Among the group's shown columns (with flag, those of width above 0).
    HvColumnGroupImpl* GetRelatedItem(HvColumnGroupImpl* item, LONG relation, bool flag) override;

    // HvSelectableItem
    HvKeyedItem* KeyedItem() override { return this; }
    void SetSelected(bool selected) override { SetSelectedFlag(selected); }
    bool IsSelected() override { return IsSelectedItem(); }
    SelectionBandSeam* OwnerBand() override;
    SelectionLayoutSeam* Layout() override;
    SelectionControlSeam* GridControl() override { return HvColumnGroupImpl::GridControl(); }
    HvSelectableItem* RowItem() override { return nullptr; }
    bool MayActivate() override { return false; }
    LONG Activate(bool, LONG, LONG) override { return 0; }
    void EnterEditMode() override {}
    HvSelectableItem* GetCell(HvSelectableItem*) override { return nullptr; }

    // GridGroupSeam
    HvKeyedItem* GroupItem() override { return this; }
    HvPersistParticipant* Participant() override { return this; }
    GridBandSeam* Band() override;
    HvGroupCols* GetGroupCols(bool create) override;
    bool SetHeaderCaption(BSTR caption) override;
    LONG Width() override { return GetWidth(false); }
    void StoreWidth(LONG width) override { SetFittedWidth(width); }
    void RecalcWidth(LONG width, GridColumnSeam* column, LONG arg, LONG arg2, bool resizeColumns) override;
    void InvalidateLayout() override;
    bool RemoveFromBand() override { return ClampColumnLevels(); }
    LONG HeaderPictureHeight() override;
    LONG HeaderFontHeight() override;

    // --- internal operations -----------------------------------------------
    LONG GetIndex() const;
    HvColumn* GetColumnAt(SHORT position);
    HRESULT RemoveColumn(HvColumn* column);
    void GetWidthRange(bool honourLocks, bool clamp, LONG* minWidth, LONG* maxWidth);
    void UpdateWidthFromColumns(bool honourLocks, bool clamp, bool storeOnly);
    void FitColumnsToWidth();
    void GetColumnWidthBounds(HvColumn* column, bool honourLocks, LONG* minWidth, LONG* maxWidth);
    void SetFittedWidth(LONG width);
    bool SetLevelPosition(SHORT position);
    bool ClampColumnLevels();
    // Pixels: the own width, else measured from the header caption.
    LONG GetDefaultWidth();
    HRESULT RecalcWidth(LONG width, bool honourLocks, bool fireEvents, bool recalcColumns, bool notify);
    // A new level copy (one reference), or null.
    HvGroup* Clone(Constants_PosChanged kind, bool honourLocks);
    LevelRecord* GetLevelRecord() { return record_.get(); }
    HvGroups* Collection() const { return collection_; }
    void LeaveCollection();
    // A column of this group (not referenced) at a point of its cell, or null.
    HvColumn* ColumnAtPoint(LONG x, LONG y, LONG rowHeight, bool fallback);

protected:
    void ReleaseReferences() override;

private:
    HvGroup(ColumnBandSeam* band, HvGroups* collection, const CDualString* key);
    HvGroup(HvGroup& source, Constants_PosChanged kind);
    ~HvGroup() override;

    HRESULT MakeEventCollection(HvGroup* copy, HvGroups** out);
    void ApplyItemFlags();
    void ReleaseGroupCols();

#pragma pack(push, 1)
    struct WidthBlock {
        LONG width;
        BYTE flags;
    };
#pragma pack(pop)
    LONG ownWidth_ = 0;  // pixels; 0 = the default width applies
    BYTE flags_ = 0;
    std::unique_ptr<LevelRecord> record_;
    HvGroups* collection_;          // not owned
    HvGroupCols* groupCols_ = nullptr;  // one reference
    SubscriptionLink groupColsLink_;    // the group hears its GroupCols
    SubscriptionLink collectionLink_;   // the owning collection hears the group
};
