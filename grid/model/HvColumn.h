// HvColumn: one column of a band: its settings, widths, resolved style,
// group membership, value list and persistence, published as IHvColumn.
// A level copy is a temporary second column that carries a proposed
// width, level or position through one position event; it refuses puts.
#pragma once

#include "ColumnMaskCallback.h"
#include "ComRef.h"
#include "DualString.h"
#include "GridColumnSeam.h"
#include "HvCollectionItem.h"
#include "HvColumnGroupImpl.h"
#include "HvKeyedItem.h"
#include "HvObjectBaseImpl.h"
#include "HvPersistParticipant.h"
#include "HvPropertyQuery.h"
#include "HvSelectableItem.h"
#include "InputMask.h"
#include "SortColumnSeam.h"
#include "SubscriptionLink.h"
#include "VariantValue.h"

#include <Tavelle.h>

#include <memory>
#include <string>

class ColumnInfoSeam;
class GridBandSeam;
class HvColumns;
class HvGroup;
class HvGroupCols;
class HvValueList;

// The general settings block: copied, reset and compared as one.
#pragma pack(push, 1)
struct ColumnSettings {
    LONG fieldLen = 0;
    LONG minWidth = 0;  // pixels; 0 = not set
    LONG maxWidth = 0;  // pixels; 0 = not set
    SHORT level = 0;
    SHORT colSpan = 1;
    WCHAR promptChar = L'_';
    LONG dataType = 8;
    BYTE spare = 0;
    BYTE style = 0;
    BYTE autoSizeEditActivation = 0;       // low AutoSizeEdit, high Activation
    BYTE caseClipMode = 0;                 // low Case, high MaskClipMode
    BYTE dataDisplayMode = 0;              // low MaskDataMode, high MaskDisplayMode
    BYTE nullableSortIndicator = 1;        // low Nullable, high SortIndicator
    BYTE tabStop = 0;                      // low TabStop
    BYTE cellMultiLineButtonStyle = 0;     // low CellMultiLine, high ButtonDisplayStyle
    BYTE flags = 1;                        // see the Flag constants
};
#pragma pack(pop)
static_assert(sizeof(ColumnSettings) == 31, "the settings block is stored as 31 bytes");

// S_OK when every field of a stored settings block (widths in twips) is in
// the range its property accepts, else E_FAIL.
HRESULT CheckColumnSettings(const ColumnSettings& block);

class HvColumn final : public HvObjectBaseImpl<IHvColumn>,
                       public HvPropertyQuery,
                       public HvCollectionItem,
                       public HvKeyedItem,
                       public HvPersistParticipant,
                       public HvColumnGroupImpl,
                       public HvSelectableItem,
                       public GridColumnSeam,
                       public SortColumnSeam,
                       public InputMaskColumnSeam {
public:
    static constexpr LONG Kind = 23;
    // Flag bits of the settings block.
    static constexpr BYTE FlagAutoEdit = 0x01;
    static constexpr BYTE FlagProportionalResize = 0x02;
    static constexpr BYTE FlagHidden = 0x04;
    static constexpr BYTE FlagLockedWidth = 0x08;
    static constexpr BYTE FlagVertScrollBar = 0x20;
    static constexpr BYTE FlagBound = 0x40;
    static constexpr BYTE FlagAcceptsNulls = 0x80;
    // Property codes of the persistence signature.
    static constexpr DWORD CodeCellAppearance = 0x4;
    static constexpr DWORD CodeGeneral = 0x40;
    static constexpr DWORD CodeWidth = 0x400;
    static constexpr DWORD CodeReference = 0x800;
    static constexpr DWORD CodeHeader = 0x4000;
    static constexpr DWORD CodeValueList = 0x40000;
    static constexpr DWORD CodeMaskInput = 0x4000000;
    static constexpr DWORD CodeTag = 0x10000000;
    static constexpr DWORD CodeGroup = 0x40000000;

    // The change a level copy stands for, and what it carries.
    struct LevelRecord {
        Constants_PosChanged kind = hvPosMoved;
        HvColumn* source = nullptr;  // one reference
        LONG width = 0;              // pixels
        SHORT visiblePosition = 0;
        HvGroup* group = nullptr;    // not referenced
        SHORT level = 0;
    };

    // A new column with one reference. band and collection are not owned;
    // with info the column is bound to that rowset column, else key (may
    // be null) is its key.
    static HRESULT Create(ColumnBandSeam* band, HvColumns* collection, ColumnInfoSeam* info,
                          const CDualString* key, HvColumn** out);
    static HvColumn* FromObject(IUnknown* object);

    // IUnknown through the dual interface.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IHvColumn
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
    STDMETHODIMP get_AutoEdit(VARIANT_BOOL* out) override;
    STDMETHODIMP put_AutoEdit(VARIANT_BOOL value) override;
    STDMETHODIMP get_AutoSizeEdit(Constants_AutoSizeEdit* out) override;
    STDMETHODIMP put_AutoSizeEdit(Constants_AutoSizeEdit value) override;
    STDMETHODIMP get_BaseColumnName(BSTR* out) override;
    STDMETHODIMP get_BaseTableName(BSTR* out) override;
    STDMETHODIMP get_ButtonDisplayStyle(Constants_ButtonDisplayStyle* out) override;
    STDMETHODIMP put_ButtonDisplayStyle(Constants_ButtonDisplayStyle value) override;
    STDMETHODIMP get_Case(Constants_Case* out) override;
    STDMETHODIMP put_Case(Constants_Case value) override;
    STDMETHODIMP get_ColSpan(short* out) override;
    STDMETHODIMP put_ColSpan(short value) override;
    STDMETHODIMP get_DataField(BSTR* out) override;
    STDMETHODIMP get_DataType(Constants_DataType* out) override;
    STDMETHODIMP put_DataType(Constants_DataType value) override;
    STDMETHODIMP get_Activation(Constants_Activation* out) override;
    STDMETHODIMP put_Activation(Constants_Activation value) override;
    STDMETHODIMP get_FieldLen(long* out) override;
    STDMETHODIMP put_FieldLen(long value) override;
    STDMETHODIMP get_Group(IHvGroup** out) override;
    STDMETHODIMP putref_Group(VARIANT* value) override;
    STDMETHODIMP put_Group(VARIANT value) override;
    STDMETHODIMP get_Level(short* out) override;
    STDMETHODIMP put_Level(short value) override;
    STDMETHODIMP get_LockedWidth(VARIANT_BOOL* out) override;
    STDMETHODIMP put_LockedWidth(VARIANT_BOOL value) override;
    STDMETHODIMP get_MaskClipMode(Constants_MaskMode* out) override;
    STDMETHODIMP put_MaskClipMode(Constants_MaskMode value) override;
    STDMETHODIMP get_MaskDataMode(Constants_MaskMode* out) override;
    STDMETHODIMP put_MaskDataMode(Constants_MaskMode value) override;
    STDMETHODIMP get_MaskDisplayMode(Constants_MaskMode* out) override;
    STDMETHODIMP put_MaskDisplayMode(Constants_MaskMode value) override;
    STDMETHODIMP get_MaskInput(BSTR* out) override;
    STDMETHODIMP put_MaskInput(BSTR value) override;
    STDMETHODIMP get_MaxWidth(float* out) override;
    STDMETHODIMP put_MaxWidth(float value) override;
    STDMETHODIMP get_MinWidth(float* out) override;
    STDMETHODIMP put_MinWidth(float value) override;
    STDMETHODIMP get_Nullable(Constants_Nullable* out) override;
    STDMETHODIMP put_Nullable(Constants_Nullable value) override;
    STDMETHODIMP get_PromptChar(BSTR* out) override;
    STDMETHODIMP put_PromptChar(BSTR value) override;
    STDMETHODIMP get_ProportionalResize(VARIANT_BOOL* out) override;
    STDMETHODIMP put_ProportionalResize(VARIANT_BOOL value) override;
    STDMETHODIMP get_SortIndicator(Constants_SortIndicator* out) override;
    STDMETHODIMP put_SortIndicator(Constants_SortIndicator value) override;
    STDMETHODIMP get_Style(Constants_Style* out) override;
    STDMETHODIMP put_Style(Constants_Style value) override;
    STDMETHODIMP get_TabStop(Constants_TabStop* out) override;
    STDMETHODIMP put_TabStop(Constants_TabStop value) override;
    STDMETHODIMP get_ValueList(IHvValueList** out) override;
    STDMETHODIMP putref_ValueList(VARIANT* value) override;
    STDMETHODIMP put_ValueList(VARIANT value) override;
    STDMETHODIMP get_VertScrollBar(VARIANT_BOOL* out) override;
    STDMETHODIMP put_VertScrollBar(VARIANT_BOOL value) override;
    STDMETHODIMP get_CellMultiLine(Constants_CellMultiLine* out) override;
    STDMETHODIMP put_CellMultiLine(Constants_CellMultiLine value) override;
    // The hidden reference column (not in the type library).
    virtual HRESULT STDMETHODCALLTYPE get_ReferenceColumn(IHvColumn** out);
    virtual HRESULT STDMETHODCALLTYPE put_ReferenceColumn(VARIANT value);

    // HvPropertyQuery
    STDMETHODIMP IsValueProperty(DISPID dispid, VARIANT_BOOL* result) override;
    STDMETHODIMP IsAppearanceProperty(DISPID dispid, VARIANT_BOOL* result) override;

    // HvCollectionItem
    STDMETHODIMP Save(IStream* stream, LONG arg) override;
    STDMETHODIMP Load(IStream* stream, LONG arg) override;

    // HvKeyedItem: a bound column's key is its DataField.
    const CDualString* GetKey() override;
    const IID* GetInterfaceId() override { return &IID_IHvColumn; }
    CAutomationObject* GetItemObject() override { return this; }

    // HvPersistParticipant
    LONG ParticipantKind() const override { return Kind; }
    DWORD Signature() const override { return 0x54044C44; }
    bool HasData(DWORD code, LONG categories) override;
    HRESULT Save(DWORD code, IStream* stream, LONG categories) override;
    HRESULT Load(DWORD code, IStream* stream, LONG categories) override;
    void Reset(DWORD code, LONG categories) override;
    HRESULT CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories) override;

    // ChangePublisher
    int KindCode() const override { return Kind; }
    // ChangeSubscriber: header, value list and cell appearance.
    void OnChange(const ChangeNotice* notice) override;

    // HvColumnGroupImpl
    CAutomationObject& Automation() override { return *this; }
    bool IsGroup() const override { return false; }
    bool CanSwap() override;
    HRESULT Swap(HvColumnGroupImpl* other) override;
    void FillSwapList(std::vector<HvColumnGroupImpl*>& items) override;
    LONG GetVisibleExtent() override;
    LONG GetOrigin() override;
    bool CanSize() override;
    void GetSizeRange(LONG* minWidth, LONG* maxWidth) override;
    void GetHeaderRect(RECT* rect, const RECT* area) override;
    LONG GetSortIndicator() override { return settings_.nullableSortIndicator >> 4; }
    void GetDefaultCaption(CDualString& caption) override;
    LONG GetLevelHeaderHeight() override;
    SHORT GetEffectiveLevel() override;
    bool HasChildBand() override { return childBand_ != nullptr; }
    LONG GetWidth(bool flag) override;
    HRESULT SetWidth(LONG width) override;
    SHORT GetVisiblePosition() override;
    HRESULT SetVisiblePosition(SHORT position) override;
    bool IsSelectedItem() override { return selected_; }
    void SetSelectedFlag(bool selected) override;
    bool IsHiddenItem() override;
    LONG GetEffectiveActivation() override;
    bool CanMove() override;
    LONG GetDragKind() const override { return 2; }
    bool OnHeaderClick() override;

    // HvSelectableItem
    HvKeyedItem* KeyedItem() override { return this; }
    void SetSelected(bool selected) override { SetSelectedFlag(selected); }
    bool IsSelected() override { return selected_; }
    SelectionBandSeam* OwnerBand() override;
    SelectionLayoutSeam* Layout() override;
    SelectionControlSeam* GridControl() override { return ItemControl(); }
    HvSelectableItem* RowItem() override { return nullptr; }
    bool MayActivate() override { return !IsDisabledItem(); }
    LONG Activate(bool, LONG, LONG) override { return 0; }
    void EnterEditMode() override {}
    HvSelectableItem* GetCell(HvSelectableItem*) override { return nullptr; }

    // GridColumnSeam
    HvKeyedItem* ColumnItem() override { return this; }
    HvPersistParticipant* Participant() override { return this; }
    bool IsBound() override { return (settings_.flags & FlagBound) != 0; }
    LONG DataType() override { return settings_.dataType; }
    LONG GetCollectionIndex() override;
    bool IsSameKey(GridColumnSeam* other) override;
    LONG ResolveStyle() override;
    bool SetHeaderCaption(BSTR caption) override;
    LONG HeaderPictureHeight() override;
    LONG HeaderFontHeight() override;
    SHORT Level() override;
    void SetLevel(SHORT level, bool move) override;
    void GetPositionRecord(SHORT* visiblePosition, SHORT* level) override;
    HRESULT JoinGroup(GridGroupSeam* group, VARIANT* visiblePosition, VARIANT* level) override;
    HRESULT LeaveGroup() override;
    void SetGroup(GridGroupSeam* group, SHORT minimumLevel) override;
    LONG Width() override { return GetDefaultWidth(); }
    LONG MaxWidth() override { return settings_.maxWidth; }
    LONG GetMinWidth() override;
    bool ProportionalResize() override { return (settings_.flags & FlagProportionalResize) != 0; }
    bool IsWidthLocked(GridColumnSeam* context, bool fit) override;
    bool IsExcludedFromResize(GridColumnSeam* context) override;
    void SetWidthInternal(LONG width, GridColumnSeam* context, bool fit) override;
    void StoreWidth(LONG width) override;

    // SortColumnSeam
    LONG SortIndicator() override { return GetSortIndicator(); }
    void SetSortIndicator(LONG indicator) override;
    LONG PendingSortIndicator() override { return pendingSort_; }
    void SetPendingSortIndicator(LONG indicator) override { pendingSort_ = indicator; }
    HvKeyedItem* CreateLevelCopy(SHORT level) override;
    HvKeyedItem* LevelCopySource() override { return record_ ? record_->source : nullptr; }

    // InputMaskColumnSeam: what the column's input mask reads of it.
    std::wstring MaskInput() override;
    WCHAR PromptChar() override { return settings_.promptChar; }
    LONG MaskClipMode() override { return GetNibble(settings_.caseClipMode, true); }
    LONG MaskDataMode() override { return GetNibble(settings_.dataDisplayMode, false); }
    LONG MaskDisplayMode() override { return GetNibble(settings_.dataDisplayMode, true); }
    bool IsMultiLine() override { return ResolvedCellMultiLine(); }
    bool IsActiveCellColumn() override;
    HWND EditWindow() override;
    IUnknown* NotifyObject() override;
    void ReportMaskError(const std::wstring& text, LONG position) override;

    // --- internal operations -----------------------------------------------
    // Pixels: explicit, current or measured width.
    LONG GetDefaultWidth();
    // With events BeforeColPosChanged may cancel or change the width.
    HRESULT SetWidthInternal(LONG width, bool fireEvents, bool refitGroup, bool notify);
    void GetWidthBounds(bool sizingByUser, LONG* minWidth, LONG* maxWidth);
    bool IsWidthLockedFor(bool sizingByUser);
    bool IsDropDownStyle() { const LONG s = ResolveStyle(); return s == 4 || s == 5 || s == 6 || s == 8; }
    // The text typed in a cell as the value to store.
    HRESULT ParseEditText(BSTR text, VARIANT* value);
    VARTYPE GetEmptyValueType();
    // Typing completion from the value list's data values (edit styles
    // with AutoEdit): true when text was replaced by a whole data value.
    bool CompleteFromValueList(BSTR* text);
    // Own CellMultiLine when set, else the band's answer.
    bool ResolveCellMultiLine(bool bandAnswer);
    // The same with the band's answer asked of the band.
    bool ResolvedCellMultiLine();
    // The column's input mask (its component made on demand).
    InputMask& Mask() { return mask_; }
    // A mask setting changed: the component takes the column's settings
    // again (made when the column now has a mask).
    void ApplyMaskSettings();
    bool LookupValueListItem(const VARIANT& value, BSTR* text);
    // The picture of the value-list item whose data value equals value
    // (HvValueListItem::GetPicture); false when none.
    bool GetValueListItemPicture(const VARIANT& value, VARIANT* out);
    HRESULT MoveToGroup(HvGroup* group, const VARIANT* level, SHORT position);
    HvGroup* GetGroup() const;
    HRESULT AttachColumnInfo(ColumnInfoSeam* info);
    // The bound field's description (not owned), or null.
    ColumnInfoSeam* SourceInfo() const { return info_; }
    HRESULT InitFromColumnInfo();
    void SetChildBand(GridBandSeam* band);
    GridBandSeam* GetChildBand();
    // A new level copy of this column (one reference), or null.
    HvColumn* MakeLevelCopy(Constants_PosChanged kind);
    LevelRecord* GetLevelRecord() { return record_.get(); }
    void GetCaptionText(CDualString& caption);
    const ColumnSettings& Settings() const { return settings_; }
    const CDualString& DataField() const { return dataField_; }
    HvValueList* ValueList() const { return valueList_; }
    // The item's control (null for a stand-alone layout).
    SelectionControlSeam* ItemControl() { return HvColumnGroupImpl::GridControl(); }
    void SetCollection(HvColumns* collection);
    HvColumns* Collection() const { return collection_; }

protected:
    void ReleaseReferences() override;
    // The participant's header block: Key, DataField, BaseColumnName,
    // BaseTableName; the bound bit follows DataField after a load.
    HRESULT SaveHeader(IStream* stream) override;
    HRESULT LoadHeader(IStream* stream) override;

private:
    HvColumn(ColumnBandSeam* band, HvColumns* collection, ColumnInfoSeam* info, const CDualString* key);
    HvColumn(HvColumn& source, Constants_PosChanged kind);
    ~HvColumn() override;

    // Tells the collections' key indexes when a change made while it lives
    // (a binding, a reset, a read) gave the column another key.
    class KeyWatch {
    public:
        explicit KeyWatch(HvColumn& column);
        ~KeyWatch();
        KeyWatch(const KeyWatch&) = delete;
        KeyWatch& operator=(const KeyWatch&) = delete;

    private:
        static std::string KeyOf(HvColumn& column);

        HvColumn& column_;
        std::string before_;
    };

    template <class TValue, class TApply>
    HRESULT PutSetting(TValue current, TValue value, bool valid, DISPID dispid, TApply apply);
    HRESULT PutNibble(BYTE& field, bool high, LONG value, LONG maximum, DISPID dispid);
    HRESULT PutFlag(BYTE flag, VARIANT_BOOL value, DISPID dispid, bool ignoreForChapter);
    LONG GetNibble(BYTE field, bool high) const { return high ? (field >> 4) : (field & 0x0F); }
    HRESULT PutValueListValue(const VARIANT& value);
    HRESULT PutGroupValue(const VARIANT& value);
    bool FireBeforeMove(HvColumn* copy, Constants_PosChanged action, IHvSelectedCols** columns);
    void FireAfterMove(IHvSelectedCols* columns, Constants_PosChanged action);
    HRESULT LevelCopyForward(HvColumn** source);
    void ResetSettings(bool keepBinding);
    LONG MeasureDefaultWidth();
    void DropValueList();

    ColumnSettings settings_;
    ColumnInfoSeam* info_ = nullptr;   // not owned
    HvColumns* collection_;            // not owned
    CVariantValue reference_;
    std::unique_ptr<LevelRecord> record_;
    HvGroup* group_ = nullptr;         // not owned
    GridBandSeam* childBand_ = nullptr;  // not owned
    bool childBandSet_ = false;
    HvValueList* valueList_ = nullptr;  // one reference
    CDualString dataField_;
    CDualString baseColumnName_;
    CDualString baseTableName_;
    CDualString maskInput_;
    std::unique_ptr<SubscriptionLink> groupLink_;  // the group's GroupCols hears the column
    SubscriptionLink collectionLink_;  // the owning Columns hears the column
    SubscriptionLink valueListLink_;   // the column hears its value list
    bool chainRebuilt_ = false;
    bool selected_ = false;
    LONG explicitWidth_ = 0;
    bool sized_ = false;
    LONG currentWidth_ = 0;
    LONG pendingSort_ = 0;
    InputMask mask_{this};
    ComRef<ColumnMaskCallback> maskCallback_;  // made on first use
};
