// HvCell: the object for one cell, where a row meets a column. It carries
// the settings a user can give one cell (activation, tab stop, tag), its
// selection and data-changed state, and for a column without a data field
// the cell's own value; bound values go to the row's data, through the
// layout's data filter both ways.
#pragma once

#include "AppearanceRef.h"
#include "CellHostSeam.h"
#include "ChangePublisher.h"
#include "ChangeSubscriber.h"
#include "HvKeyedItem.h"
#include "HvObjectBaseImpl.h"
#include "HvSelectableItem.h"
#include "HvUIElementOwner.h"
#include "VariantValue.h"

class HvCell final : public HvObjectBaseImpl<IHvCell>,
                     public HvKeyedItem,
                     public HvSelectableItem,
                     public ChangePublisher,
                     public ChangeSubscriber,
                     public HvUIElementOwner {
public:
    // A new cell with one reference; the hosts are not owned and must
    // outlive the cell or deactivate it first.
    static HRESULT Create(CellRowHost* row, CellColumnHost* column, CellGridHost* grid, HvCell** out);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IHvObjectBase (liveness checked)
    STDMETHODIMP get_TagVariant(VARIANT* value) override;
    STDMETHODIMP put_TagVariant(VARIANT value) override;
    STDMETHODIMP putref_TagVariant(VARIANT* value) override;
    STDMETHODIMP IsSameAs(IDispatch* other, VARIANT_BOOL* result) override;

    // IHvCell
    STDMETHODIMP get_Value(VARIANT* out) override;
    STDMETHODIMP putref_Value(VARIANT* value) override;
    STDMETHODIMP put_Value(VARIANT value) override;
    STDMETHODIMP get_OriginalValue(VARIANT* out) override;
    STDMETHODIMP get_Appearance(IHvAppearance** out) override;
    STDMETHODIMP putref_Appearance(VARIANT* value) override;
    STDMETHODIMP put_Appearance(VARIANT value) override;
    STDMETHODIMP get_Column(IHvColumn** out) override;
    STDMETHODIMP get_DataChanged(VARIANT_BOOL* out) override;
    STDMETHODIMP get_DroppedDown(VARIANT_BOOL* out) override;
    STDMETHODIMP put_DroppedDown(VARIANT_BOOL value) override;
    STDMETHODIMP get_Activation(Constants_Activation* out) override;
    STDMETHODIMP put_Activation(Constants_Activation value) override;
    STDMETHODIMP get_Height(float* out) override;
    STDMETHODIMP get_Row(IHvRow** out) override;
    STDMETHODIMP get_Selected(VARIANT_BOOL* out) override;
    STDMETHODIMP put_Selected(VARIANT_BOOL value) override;
    STDMETHODIMP get_TabStop(Constants_TabStop* out) override;
    STDMETHODIMP put_TabStop(Constants_TabStop value) override;
    STDMETHODIMP get_Width(float* out) override;
    STDMETHODIMP GetUIElement(VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out) override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP ResolveAppearance(VARIANT* rowRegion, IHvAppearance** out) override;
    STDMETHODIMP GetText(VARIANT* mode, BSTR* out) override;
    STDMETHODIMP CancelUpdate() override;
    STDMETHODIMP get_SelLength(LONG* out) override;
    STDMETHODIMP put_SelLength(LONG value) override;
    STDMETHODIMP get_SelStart(LONG* out) override;
    STDMETHODIMP put_SelStart(LONG value) override;
    STDMETHODIMP get_SelText(BSTR* out) override;
    STDMETHODIMP put_SelText(BSTR value) override;
    // Hidden members after the type library's.
    virtual HRESULT STDMETHODCALLTYPE GetValueAsString(BSTR* out);
    virtual HRESULT STDMETHODCALLTYPE PutValueAsString(BSTR value);
    virtual bool IsEditable();

    // HvKeyedItem: a cell is keyed by its column's key.
    const CDualString* GetKey() override;
    const IID* GetInterfaceId() override { return &IID_IHvCell; }
    CAutomationObject* GetItemObject() override { return this; }
    // ChangePublisher
    int KindCode() const override { return 26; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }
    // ChangeSubscriber: changes of the cell's own appearance.
    void OnChange(const ChangeNotice* notice) override;
    unsigned long AddRefSubscriber() override { return CUnknownObject::AddRef(); }
    unsigned long ReleaseSubscriber() override { return CUnknownObject::Release(); }

    // HvSelectableItem
    HvKeyedItem* KeyedItem() override { return this; }
    void SetSelected(bool selected) override { SetSelectedBit(selected); }
    bool IsSelected() override { return (state_ & SelectedBit) != 0; }
    SelectionBandSeam* OwnerBand() override;
    SelectionLayoutSeam* Layout() override;
    SelectionControlSeam* GridControl() override;
    HvSelectableItem* RowItem() override;
    bool MayActivate() override;
    LONG Activate(bool enterEdit, LONG arg, LONG arg2) override;
    void EnterEditMode() override;
    HvSelectableItem* GetCell(HvSelectableItem*) override { return nullptr; }

    // HvUIElementOwner: the cell's text as its element shows it; the cell's
    // element in a pair of regions of the grid that shows it.
    LayoutRegionsSeam* GetShowingLayout() override;
    UIElementSeam* GetUIElement(ScrollRegionSeam* rowRegion, ScrollRegionSeam* colRegion, int create) override;
    LONG GetState(OwnedElementSeam* element) override;
    // A double click on the cell's text enters edit mode.
    bool OnTextClick(OwnedElementSeam* element) override;
    // A press on the cell's drop-down button goes to the editing code.
    bool OnMouseDown(OwnedElementSeam* element) override;
    bool GetText(OwnedElementSeam* element, CDualString& text) override;
    UINT GetTextFormat(OwnedElementSeam*) override { return DT_EDITCONTROL | DT_NOPREFIX | DT_WORDBREAK; }
    UINT GetVAlign(OwnedElementSeam*, const AppearanceData*) override { return DT_VCENTER; }
    UINT GetDefaultHAlign(OwnedElementSeam* element, const AppearanceData* data) override;

    // The larger of the cell's own Activation and the row's and column's.
    LONG ResolvedActivation();
    // The cell's own TabStop when set, else the column's.
    bool IsTabStop();
    // 1 left, or 3 right for a numeric or date column without a value list.
    LONG DefaultHorizontalAlignment();
    // Stores a value: bound through the data filter to the row data,
    // unbound into the cell's own value.
    HRESULT WriteValue(VARIANT value);
    // The value before pending changes (bound: through the data filter).
    HRESULT ReadStoredValue(VARIANT* out);
    // CancelUpdate's write-back of the stored value, past the data filter.
    HRESULT RestoreStoredValue();
    bool SameStoredValue(VARIANT& a, VARIANT& b);
    // flag -1 also marks the row.
    void SetDataChanged(LONG flag);
    // The row's cancel: an unbound cell takes back its original value.
    void RestoreOwnValue();
    // The row's update: an unbound cell's current value becomes its original.
    void CommitOwnValue();
    // Edit mode state, kept for the editing code.
    bool IsInEditMode() const { return (editFlags_ & EditModeBit) != 0; }
    void SetInEditMode(bool on);
    void SetSelectedBit(bool selected);
    // The cell's column side (not owned).
    CellColumnHost* ColumnHost() const { return column_; }
    // The settings of the cell's own Appearance; null when it holds none.
    const AppearanceData* OwnAppearanceData() { return appearance_.GetAppearanceData(); }
    // Called when the cell leaves its collection.
    void Detach();

private:
    HvCell(CellRowHost* row, CellColumnHost* column, CellGridHost* grid);
    ~HvCell() override;

    // A cell someone besides its collection holds keeps its row alive.
    void OnSharedChange(bool shared) override;

    static constexpr BYTE EditModeBit = 4;
    static constexpr LONG DataChangedBit = 1;
    static constexpr LONG SelectedBit = 4;

    HRESULT ReadValue(VARIANT* out);
    HRESULT ReadBound(VARIANT* out, bool original);
    void FilterAfterGet(VARIANT* value);
    HRESULT CheckEditSelection(bool get);
    HWND EditorWindow();

    CellRowHost* row_;        // not owned
    CellColumnHost* column_;  // not owned
    CellGridHost* grid_;      // not owned
    IUnknown* heldRow_ = nullptr; // referenced while the cell is shared
    LONG activation_ = 0;
    LONG tabStop_ = 0;
    LONG state_ = 0;
    BYTE editFlags_ = 0;
    bool cancelling_ = false;
    bool hasOwnValue_ = false;
    CVariantValue ownValue_;
    CVariantValue ownOriginal_;
    AppearanceRef appearance_;
};
