// HvTavelle: the grid control object that a container creates, sites,
// activates, persists and talks to. It stands on the framework's control
// base and holds everything grid-specific: the layout, the event gate, the
// input dispatcher with the keyboard handler and the hover operation, the
// active cell, row and scroll regions, the selection object, the images and
// the data-source state. Its sources are split by concern (HvTavelle*.cpp).
#pragma once

#include "BandGridSeam.h"
#include "CellHostSeam.h"
#include "ChangeSubscriber.h"
#include "ContainerUnitsSeam.h"
#include "ControlBase.h"
#include "ControlPrivateInterfaces.h"
#include "DataMemberHost.h"
#include "DataMemberListener.h"
#include "DownloadHost.h"
#include "DualString.h"
#include "ErrorAlerts.h"
#include "ErrorReporterHost.h"
#include "HvCell.h"
#include "HvRow.h"
#include "LiveObjectRegistry.h"
#include "LayoutGridSeam.h"
#include "PostedMessageData.h"
#include "RowActivationHost.h"
#include "RowGridHost.h"
#include "ScrollRegionsLayoutSeam.h"
#include "SelectedControlSeam.h"
#include "SelectionControlSeam.h"
#include "SubscriptionLink.h"
#include "ToolTipWindow.h"
#include "UIElementLayoutSeam.h"
#include "VariantValue.h"

#include <msdatsrc.h>
#include <Tavelle.h>

#include <memory>
#include <string>
#include <vector>

class ActiveRowManager;
class BandRowSource;
class ControlDownloads;
class ControlEditor;
class ControlImagesHost;
class ControlInputHost;
class ControlGridSink;
class ControlHeaderDragHost;
class ControlKeyActionHost;
class ControlSelectionHost;
class CDragTracker;
class CSimpleDropDown;
class ControlSiteRefs;
class ControlStateParticipant;
class ControlSwapList;
class ErrorReporter;
class EventEnableMask;
class HvBand;
class HvColumn;
class HvGridUIElement;
class HvImages;
class HvLayout;
class HvSelected;
class HvUIElement;
class InputDispatcher;
class KeyboardHandler;
class MouseHoverOperation;
struct DescendantQuery;
class OleDragDrop;
class RootRowsetBinding;
class RowsetBinding;
class ToolTipTool;
class UrlServices;

class HvTavelle final : public IHvTavelleControl,
                        public CControlBase,
                        public ISupportErrorInfo,
                        public IHvImagePropertyQuery,
                        public IHvImagePropertyAccess,
                        public IHvSubObjectPropertyQuery,
                        public LayoutGridSeam,
                        public SelectionControlSeam,
                        public SelectedControlSeam,
                        public BandGridSeam,
                        public RegionControlSeam,
                        public UIElementControlSeam,
                        public ContainerUnitsSeam,
                        public ChangeSubscriber,
                        public VariantValueOwner,
                        public ToolTipOwner,
                        public DownloadHost,
                        public RowGridHost,
                        public CellGridHost,
                        public ErrorReporterHost,
                        public DataMemberHost,
                        public RowActivationHost,
                        public ErrorAlerts {
public:
    // Private messages and timers of the grid window. MsgPostMessage carries
    // the message id and two VARIANTs in one CoTaskMemAlloc block (or null),
    // cleared and freed by the grid window.
    static constexpr UINT MsgPostMessage = 1474;
    static constexpr UINT MsgBuildLayout = 1475;
    static constexpr UINT MsgBindingFailed = 1476;
    static constexpr UINT MsgCtrlKeyChanged = 1478;
    static constexpr UINT MsgElementsRepositioned = 1479;
    static constexpr UINT MsgEndEditMode = 1482;
    static constexpr UINT_PTR RowScrollTimer = 398;
    static constexpr UINT_PTR ColScrollTimer = 399;
    static constexpr UINT_PTR BuildLayoutTimer = 1475;
    static constexpr UINT_PTR SelectionDragTimer = 1481;
    // View flags.
    enum : BYTE {
        ViewRedraw = 0x01,
        ViewLayoutBuilt = 0x02,
        ViewAutoScrollArmed = 0x04,
        ViewHasFocus = 0x08,
        ViewFirstPaintPending = 0x10,
        ViewPainting = 0x20,
    };
    // Image flags of the persisted word.
    enum : BYTE { ImageUseImageList = 0x01, ImageMasking = 0x02 };

    // The object-info creation function of entry 0: the new control's
    // private unknown, or null when it could not be made.
    static IUnknown* CreateControlObject(IUnknown* outer);
    // The control behind an interface of it, or null.
    static HvTavelle* FromUnknown(IUnknown* object);

    // IUnknown, shared by every interface of the object.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return ForwardQueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CUnknownObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CUnknownObject::Release(); }
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    // IDispatch through the type information of the object's entry.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* dispids) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;
    // IHvBase, IHvObjectBase
    STDMETHODIMP _GetObjectPointer(long* pointer) override;
    STDMETHODIMP get_TagVariant(VARIANT* value) override;
    STDMETHODIMP put_TagVariant(VARIANT value) override;
    STDMETHODIMP putref_TagVariant(VARIANT* value) override;
    STDMETHODIMP IsSameAs(IDispatch* object, VARIANT_BOOL* result) override;
    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;

    // IHvLayoutBase: each member forwarded to the same member of the layout.
    STDMETHODIMP get_AddNewBox(IHvAddNewBox** AddNewBox) override;
    STDMETHODIMP get_AlphaBlendEnabled(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_AlphaBlendEnabled(VARIANT_BOOL Value) override;
    STDMETHODIMP get_Appearances(IHvAppearances** Appearances) override;
    STDMETHODIMP get_Appearance(IHvAppearance** Appearance) override;
    STDMETHODIMP putref_Appearance(VARIANT* Appearance) override;
    STDMETHODIMP put_Appearance(VARIANT Appearance) override;
    STDMETHODIMP get_Bands(IHvBands** Bands) override;
    STDMETHODIMP get_DrawFilter(IHvTVDrawFilter** Filter) override;
    STDMETHODIMP put_DrawFilter(IHvTVDrawFilter* Filter) override;
    STDMETHODIMP putref_DrawFilter(IHvTVDrawFilter* Filter) override;
    STDMETHODIMP get_DataFilter(IHvTVDataFilter** Filter) override;
    STDMETHODIMP put_DataFilter(IHvTVDataFilter* Filter) override;
    STDMETHODIMP putref_DataFilter(IHvTVDataFilter* Filter) override;
    STDMETHODIMP get_Override(IHvOverride** Override) override;
    STDMETHODIMP putref_Override(VARIANT* Override) override;
    STDMETHODIMP put_Override(VARIANT Override) override;
    STDMETHODIMP get_BorderStyle(Constants_BorderStyle* Value) override;
    STDMETHODIMP put_BorderStyle(Constants_BorderStyle Value) override;
    STDMETHODIMP get_Caption(BSTR* Value) override;
    STDMETHODIMP put_Caption(BSTR Value) override;
    STDMETHODIMP get_CaptionAppearance(IHvAppearance** Appearance) override;
    STDMETHODIMP putref_CaptionAppearance(VARIANT* Appearance) override;
    STDMETHODIMP put_CaptionAppearance(VARIANT Appearance) override;
    STDMETHODIMP get_ColScrollRegions(IHvColScrollRegions** Regions) override;
    STDMETHODIMP get_Enabled(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_Enabled(VARIANT_BOOL Value) override;
    STDMETHODIMP get_EstimatedRows(LONG* Value) override;
    STDMETHODIMP put_EstimatedRows(LONG Value) override;
    STDMETHODIMP get_Font(IFontDisp** Font) override;
    STDMETHODIMP put_Font(IFontDisp* Font) override;
    STDMETHODIMP putref_Font(IFontDisp* Font) override;
    STDMETHODIMP get_InterBandSpacing(float* Value) override;
    STDMETHODIMP put_InterBandSpacing(float Value) override;
    STDMETHODIMP get_MaxColScrollRegions(short* Value) override;
    STDMETHODIMP put_MaxColScrollRegions(short Value) override;
    STDMETHODIMP get_MaxRowScrollRegions(short* Value) override;
    STDMETHODIMP put_MaxRowScrollRegions(short Value) override;
    STDMETHODIMP get_Overrides(IHvOverrides** Overrides) override;
    STDMETHODIMP get_RowConnectorColor(OLE_COLOR* Value) override;
    STDMETHODIMP put_RowConnectorColor(OLE_COLOR Value) override;
    STDMETHODIMP get_RowConnectorStyle(Constants_ConnectorStyle* Value) override;
    STDMETHODIMP put_RowConnectorStyle(Constants_ConnectorStyle Value) override;
    STDMETHODIMP get_RowScrollRegions(IHvRowScrollRegions** Regions) override;
    STDMETHODIMP get_ScrollBars(Constants_ScrollBars* Value) override;
    STDMETHODIMP put_ScrollBars(Constants_ScrollBars Value) override;
    STDMETHODIMP get_SortFilter(IHvTVSortFilter** Filter) override;
    STDMETHODIMP put_SortFilter(IHvTVSortFilter* Filter) override;
    STDMETHODIMP putref_SortFilter(IHvTVSortFilter* Filter) override;
    STDMETHODIMP get_TabNavigation(Constants_TabNavigation* Value) override;
    STDMETHODIMP put_TabNavigation(Constants_TabNavigation Value) override;
    STDMETHODIMP get_TipDelay(LONG* Value) override;
    STDMETHODIMP put_TipDelay(LONG Value) override;
    STDMETHODIMP get_ValueLists(IHvValueLists** ValueLists) override;
    STDMETHODIMP get_ViewStyle(Constants_ViewStyle* Value) override;
    STDMETHODIMP put_ViewStyle(Constants_ViewStyle Value) override;
    STDMETHODIMP get_ViewStyleBand(Constants_ViewStyleBand* Value) override;
    STDMETHODIMP put_ViewStyleBand(Constants_ViewStyleBand Value) override;
    STDMETHODIMP get_BorderStyleCaption(Constants_BorderStyle* Value) override;
    STDMETHODIMP put_BorderStyleCaption(Constants_BorderStyle Value) override;
    // IHvTavelleControl
    STDMETHODIMP get_ActiveCell(IHvCell** Cell) override;
    STDMETHODIMP put_ActiveCell(IHvCell* Cell) override;
    STDMETHODIMP putref_ActiveCell(IHvCell* Cell) override;
    STDMETHODIMP get_ActiveColScrollRegion(IHvColScrollRegion** Region) override;
    STDMETHODIMP put_ActiveColScrollRegion(IHvColScrollRegion* Region) override;
    STDMETHODIMP putref_ActiveColScrollRegion(IHvColScrollRegion* Region) override;
    STDMETHODIMP get_ActiveRow(IHvRow** Row) override;
    STDMETHODIMP put_ActiveRow(IHvRow* Row) override;
    STDMETHODIMP putref_ActiveRow(IHvRow* Row) override;
    STDMETHODIMP get_ActiveRowScrollRegion(IHvRowScrollRegion** Region) override;
    STDMETHODIMP put_ActiveRowScrollRegion(IHvRowScrollRegion* Region) override;
    STDMETHODIMP putref_ActiveRowScrollRegion(IHvRowScrollRegion* Region) override;
    STDMETHODIMP get_DataMember(BSTR* Name) override;
    STDMETHODIMP put_DataMember(BSTR Name) override;
    STDMETHODIMP get_DataSource(DataSource** Source) override;
    STDMETHODIMP putref_DataSource(DataSource* Source) override;
    STDMETHODIMP get_EventEnabled(Constants_GridEventIds EventID, VARIANT_BOOL* Enabled) override;
    STDMETHODIMP put_EventEnabled(Constants_GridEventIds EventID, VARIANT_BOOL Enabled) override;
    STDMETHODIMP get_hWnd(OLE_HANDLE* Window) override;
    STDMETHODIMP get_hWndEdit(OLE_HANDLE* Window) override;
    STDMETHODIMP get_IsInEditMode(VARIANT_BOOL* Editing) override;
    STDMETHODIMP get_Redraw(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_Redraw(VARIANT_BOOL Value) override;
    STDMETHODIMP get_Selected(IHvSelected** Selected) override;
    STDMETHODIMP get_UpdateMode(Constants_UpdateMode* Mode) override;
    STDMETHODIMP put_UpdateMode(Constants_UpdateMode Mode) override;
    STDMETHODIMP get_UseImageList(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_UseImageList(VARIANT_BOOL Value) override;
    STDMETHODIMP get_ImageList(IDispatch** ImageList) override;
    STDMETHODIMP putref_ImageList(IDispatch* ImageList) override;
    STDMETHODIMP put_ImageList(IDispatch* ImageList) override;
    STDMETHODIMP get_Images(IHvImages** Images) override;
    STDMETHODIMP get_ImagesURL(BSTR* URL) override;
    STDMETHODIMP put_ImagesURL(BSTR URL) override;
    STDMETHODIMP get_Layout(IHvLayout** Layout) override;
    STDMETHODIMP get_DialogStrings(Constants_DialogStrings Index, BSTR* Text) override;
    STDMETHODIMP put_DialogStrings(Constants_DialogStrings Index, BSTR Text) override;
    STDMETHODIMP get_ImagesMasking(VARIANT_BOOL* Value) override;
    STDMETHODIMP put_ImagesMasking(VARIANT_BOOL Value) override;
    STDMETHODIMP get_OLEDropMode(Constants_OLEDrop* Mode) override;
    STDMETHODIMP put_OLEDropMode(Constants_OLEDrop Mode) override;
    STDMETHODIMP AboutBox() override;
    STDMETHODIMP CancelUpdate() override;
    STDMETHODIMP CollapseAll() override;
    STDMETHODIMP ExpandAll() override;
    STDMETHODIMP DeleteSelectedRows() override;
    STDMETHODIMP GetRow(Constants_ChildRow Child, IHvRow** Row) override;
    STDMETHODIMP GetRowFromBookmark(VARIANT* Bookmark, IHvRow** Row) override;
    STDMETHODIMP GetUIElement(IHvUIElement** Element) override;
    STDMETHODIMP GetUIElementPopup(Constants_UIElementPopup Type, IHvUIElement** Element) override;
    STDMETHODIMP OLEDrag() override;
    STDMETHODIMP PerformAction(Constants_KeyActions Action) override;
    STDMETHODIMP PostMessage(LONG MsgID, VARIANT MsgData1, VARIANT MsgData2) override;
    STDMETHODIMP ResolveAppearance(IHvAppearance** Appearance) override;
    STDMETHODIMP Refresh(VARIANT* Action) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP UIElementFromPoint(float X, float Y, VARIANT* IgnorePopups, IHvUIElement** Element) override;
    STDMETHODIMP PlaySoundFile(BSTR Sound, VARIANT SoundFlags) override;

    // IOleObject, IOleControl overrides.
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* activeSite, LONG index, HWND parent,
                        LPCRECT position) override;
    STDMETHODIMP GetPages(CAUUID* pages) override;
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG* message) override;
    STDMETHODIMP FreezeEvents(BOOL freeze) override;
    STDMETHODIMP MapPropertyToCategory(DISPID dispid, PROPCAT* category) override;

    // The first image-property interface.
    STDMETHODIMP GetPropertyCount(long* count) override;
    STDMETHODIMP GetPropertyIds(DISPID* ids) override;
    STDMETHODIMP GetPropertyDefault(DISPID dispid, long* value) override;
    STDMETHODIMP GetPropertyChoice(DISPID dispid, long* value) override;
    STDMETHODIMP SetPropertyChoice(DISPID dispid, long value) override;
    STDMETHODIMP GetDefaultColor(DISPID dispid, OLE_COLOR* color) override;
    // The second image-property interface.
    STDMETHODIMP GetImageProperty(DISPID dispid, VARIANT* out, long argument) override;
    STDMETHODIMP PutImageProperty(DISPID dispid, VARIANT value) override;
    STDMETHODIMP PutRefImageProperty(DISPID dispid, VARIANT* value) override;
    // The sub-object property query.
    STDMETHODIMP IsPlainProperty(DISPID dispid, VARIANT_BOOL* result) override;
    STDMETHODIMP IsSubObjectProperty(DISPID dispid, VARIANT_BOOL* result) override;

    // The control's own parts (not referenced for the caller).
    HvLayout* Layout() const { return layout_; }
    EventEnableMask* Gate() const { return gate_.get(); }
    InputDispatcher* Dispatcher() const { return dispatcher_.get(); }
    KeyboardHandler* Keyboard() const { return keyboard_.get(); }
    MouseHoverOperation* Hover() const { return hover_.get(); }
    OleDragDrop& DragDrop() { return *dragDrop_; }
    BYTE ViewFlags() const { return viewFlags_; }
    bool IsLayoutBuilt() const { return (viewFlags_ & ViewLayoutBuilt) != 0; }
    BYTE ImageFlags() const { return imageFlags_; }
    void SetImageFlags(BYTE flags) { imageFlags_ = flags; }
    BYTE GetUpdateMode() const { return updateMode_; }
    void SetUpdateMode(BYTE mode) { updateMode_ = mode; }
    const CDualString& DataMemberName() const { return dataMember_; }
    // The URL of the images' picture strip (ImagesURL).
    CDualString& ImagesUrl() { return imagesUrl_; }
    HvImages* ExistingImages() const { return images_; }
    void SetDataMemberName(const CDualString& name) { dataMember_ = name; }
    CVariantValue& Tag() { return tag_; }
    DataSource* GetDataSource() const { return dataSource_; }
    // The persisted copy of OLEDropMode and the spare byte.
    BYTE& DropModeCopy() { return dropModeCopy_; }
    BYTE& SpareByte() { return spareByte_; }
    const std::wstring& DialogStringText(int index) const { return dialogStrings_[index]; }
    ControlStateParticipant& StateParticipant() { return *participant_; }

    // Verbs and binding.
    HRESULT RetrieveStructure();
    HRESULT ResetLayoutWithPrompt();
    void UnbindRows(bool hard);
    // The message box shown by the verbs, replaceable for tests.
    using MessageBoxFunction = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);
    static MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);
    int ShowMessage(UINT textId, UINT captionId, UINT flags);

    // Window helpers.
    void StartRowAutoScrollTimer(UINT period);
    void StartColAutoScrollTimer(UINT period);
    void StopRowAutoScrollTimer();
    void StopColAutoScrollTimer();
    void AutoScrollTick(bool rows, bool fromTimer, UINT period);
    void ArmAutoScroll(int x, int y, bool noRows);
    void DisarmAutoScroll();
    // The pointer in client coordinates as the drag last saw it, else as
    // the system says.
    POINT AutoScrollCursor();
    // What automatic scrolling asks of a scroll region (rows or columns):
    // whether the point asks for scrolling and at what interval, and one
    // step toward the point. Installed by the scroll region code.
    struct AutoScrollHooks {
        bool (*interval)(ScrollRegionItem* region, bool rows, int x, int y, UINT* interval) = nullptr;
        void (*toward)(ScrollRegionItem* region, bool rows, int x, int y, UINT interval) = nullptr;
    };
    static AutoScrollHooks SetAutoScrollHooks(const AutoScrollHooks& hooks);
    ToolTipTool* GetControlToolTip();
    ToolTipWindow* TipWindow() const { return toolTip_.get(); }
    // The layout's root element (the grid element), or null; create makes
    // the layout's root when there is none yet.
    HvGridUIElement* GetRootElement(bool create);
    bool IsFocusInControl();
    void RefreshAfterRebuild();
    UINT_PTR RowTimer() const { return rowTimer_; }
    UINT_PTR ColTimer() const { return colTimer_; }

    // Images and container units.
    HvImages* GetControlImages();
    SIZE GetControlImageSize();
    int GetContainerScaleMode();
    void ImagesChanged(DISPID dispid);
    void StartImagesDownload();

    // Makes the URL services of each new control (null: the system's);
    // returns the previous maker. Tests record through their own.
    using UrlServicesMaker = std::unique_ptr<UrlServices> (*)(CControlBase* control);
    static UrlServicesMaker SetUrlServicesMaker(UrlServicesMaker maker);

    // Active objects and selection.
    HvCell* GetActiveCell() override;
    HvRow* GetActiveRow() override;
    ScrollRegionItem* GetActiveRowScrollRegion();
    ScrollRegionItem* GetActiveColScrollRegion(bool refresh);
    HvSelected* GetSelectedObject(bool create);
    // Keeps the row referenced (null forgets it) and the cell weakly.
    void SetActiveRowInternal(HvRow* row);
    void SetActiveCellInternal(HvCell* cell);
    // Leaves the active cell: unless forced it first leaves edit mode and
    // raises BeforeCellDeactivate; true when that was cancelled.
    bool DeactivateActiveCell(bool invalidate, bool forced);
    // Makes a cell of this layout the active cell with the activation
    // events; the activation's outcome as an HRESULT.
    HRESULT ActivateCellWithEvents(HvCell* cell);
    // ActiveRow put: 0 done, 1 cancelled, negative failure.
    LONG ChangeActiveRow(HvRow* row) override;
    // Ends the active cell's edit mode (forced: whatever the handlers say);
    // true when it stays in edit mode.
    bool LeaveEditMode(bool forced) override;
    bool KeepsEditedField(ColumnInfo* field) override;
    void ClickSelectCell(HvSelectableItem* cell, bool shift, bool ctrl);
    void MapCellThroughHandler(HvSelectableItem** cell);
    // The selection strategies' side of the control (ControlSelectionHost).
    ControlSelectionHost& Selection() { return *selection_; }
    ControlInputHost& InputHost() { return *inputHost_; }
    ControlKeyActionHost& KeyActions() { return *keyActions_; }
    ControlHeaderDragHost& HeaderDrags() { return *headerDrags_; }
    // The shared drop-down list (made with create) and the drag tracker,
    // made on first need; null when none can be had.
    CSimpleDropDown* GetDropDownList(bool create);
    CDragTracker* GetDragTracker();
    // A row, cell, column or group that selection passes over: effectively
    // hidden, or its activation resolves to disabled.
    bool IsItemHiddenOrDisabled(HvSelectableItem* item);
    // The column of a cell, or null.
    HvSelectableItem* ColumnOfCell(HvSelectableItem* cell);
    // A column or group header drag starts (a 4-pixel move of a press).
    void BeginHeaderDrag(HvSelectableItem* item);
    // The cursor, in screen coordinates, where the mouse message being
    // handled (or the last one) put it.
    POINT MessageCursorPos();
    // The selection-drag timer's outcome, read by the strategies.
    void ResetSelectionDrag() { selectionDragPending_ = selectionDragResult_ = 0; }
    bool SelectionDragCancelled() const { return selectionDragResult_ != 0; }
    bool SelectionDragPending() const { return selectionDragPending_ != 0; }
    HRESULT ClearSelectionsForKind(LONG kind, bool keepSameKind, bool clearOthers);
    void ApplySelection(HvSelected* newSelected, bool rangeMode, HvSelected* rangeLists);
    void AdoptSelection(HvSelected* newSelected);
    void SetSelectionPivot(HvSelectableItem* item, bool keepExisting);
    HvSelectableItem* GetSelectionPivot(HvSelectableItem* item);
    bool IsSelectionPivot(HvSelectableItem* item);
    // Selection kind of an item: 0 row, 1 cell, 2 column, 99 group, -1 none.
    static LONG SelectableKind(HvSelectableItem* item);

    // LayoutGridSeam
    bool IsAlive() override;
    HWND GridWindow() override { return m_window; }
    bool IsDesignMode() override { return CControlEmbedding::IsDesignMode(); }
    bool TestState(LONG code) override;
    bool IsTearingDown() override { return tearingDown_; }
    HvLayout* CurrentLayout() override { return layout_; }
    bool CanFireEvents() override;
    int ContainerScaleMode() override { return GetContainerScaleMode(); }
    double PixelsToContainerX(long pixels) override { return PixelsToContainer(pixels, true); }
    double PixelsToContainerY(long pixels) override { return PixelsToContainer(pixels, false); }
    long ContainerXToPixels(double units) override { return ContainerToPixels(static_cast<float>(units), true); }
    long ContainerYToPixels(double units) override { return ContainerToPixels(static_cast<float>(units), false); }
    bool GetAmbientFont(IFont** out) override { return CControlEmbedding::GetAmbientFont(out); }
    SIZE ImageSize() override { return GetControlImageSize(); }
    bool HasBindHost() override;
    HRESULT DownloadLayout(BSTR url, LONG categories, bool erase, HvLayout* layout) override;
    void RebuildLayout(bool synchronous) override;
    HRESULT BindDataSource() override;
    IDispatch* GridDispatch() override;
    void NotifyAttachedInterface() override;
    HRESULT ReportMessage(long code, const wchar_t* text, const wchar_t* caption) override;
    std::wstring DialogString(int id) override;
    ScrollRegionItem* ActiveColScrollRegion() override { return GetActiveColScrollRegion(false); }
    ScrollRegionItem* ActiveRowScrollRegion() override { return GetActiveRowScrollRegion(); }
    void SetActiveColScrollRegion(ScrollRegionItem* region) override;
    void SetActiveRowScrollRegion(ScrollRegionItem* region) override;
    RegionControlSeam* RegionControl() override { return this; }
    SelectionControlSeam* SelectionControl() override { return this; }
    BandGridSeam* BandGrid() override { return this; }
    bool FireBeforeColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) override;
    void FireAfterColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) override;
    bool FireBeforeGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) override;
    void FireAfterGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) override;
    HvSelectedRows* SelectedRows() override;
    LONG UpdateMode() override { return updateMode_; }
    bool FireBeforeRowsDeleted(IHvSelectedRows* rows, bool* displayPrompt) override;
    void FireAfterRowsDeleted() override;
    int AskUser(const wchar_t* text, const wchar_t* caption, UINT flags) override;
    HWND EditorOwnerWindow() override;
    void ExitEditMode() override;
    bool IsActiveCellColumn(HvColumn* column) override;
    void ReportMaskError(const std::wstring& text, short position) override;
    void RepositionEditWindow() override;
    void PressSwapButton(HvColumnGroupImpl* item, const RECT& header) override;
    bool IsSwapListOpenFor(HvColumnGroupImpl* item) override;

    // The in-place editor.
    ControlEditor& Editor() { return *editor_; }
    // The locale of value texts (typed, shown, compared): the container's
    // ambient LocaleID, else the user's.
    LCID ValueLocale();

    // SelectionControlSeam
    void AddRefControl() override { CUnknownObject::AddRef(); }
    void ReleaseControl() override { CUnknownObject::Release(); }
    bool IsEventAllowed(DISPID event) override;
    HRESULT SelectCellThroughHandler(HvSelectableItem* cell, bool select, bool fireEvents) override;
    HRESULT ClearSelection(LONG kind, bool fireEvents) override;
    LONG ClearAllSelections() override;
    HRESULT DeselectItem(HvSelectableItem* item, bool fireEvents) override;
    void PressHeader(HvSelectableItem* item) override;
    bool FireBeforeSortChange(GridBandSeam* band, IHvSortedCols* proposal) override;
    bool HearsSortChange() override;
    void FireAfterSortChange(GridBandSeam* band) override;
    void SetActiveRow(HvSelectableItem* row) override;
    void SetActiveCell(HvSelectableItem* cell) override;

    // SelectedControlSeam
    SelectionLayoutSeam* SelectionLayout() override;
    HRESULT ClearSelectionsQuietly() override;

    // BandGridSeam
    bool ActiveRowLeadsToBand(HvBand* band) override;
    HRESULT MoveActivationOutOf(HvBand* band) override;
    void GetDialogString(LONG id, CDualString& text) override;
    void HideToolTip() override;

    // RegionControlSeam
    IUnknown* ControlUnknown() override { return static_cast<IHvTavelleControl*>(this); }
    bool HasEventGate() override { return gate_ != nullptr; }
    bool IsEventFiring(DISPID event) override;
    bool FireBeforeColRegionRemoved(IDispatch* region) override;
    bool FireBeforeRowRegionRemoved(IDispatch* region) override;
    bool FireBeforeColRegionSize(IDispatch* region1, IDispatch* region2) override;
    bool FireBeforeRowRegionSize(IDispatch* region1, IDispatch* region2) override;
    bool FireBeforeRowRegionScroll(IDispatch* newState, IDispatch* oldState) override;
    void FireAfterRowRegionScroll(IDispatch* region) override;
    bool FireBeforeColRegionScroll(IDispatch* newState, IDispatch* oldState) override;
    void FireAfterColRegionScroll(IDispatch* region) override;
    bool FireBeforeRowRegionSplit(IDispatch* original, IDispatch* added) override;
    bool FireBeforeColRegionSplit(IDispatch* original, IDispatch* added) override;
    void FireAfterRowRegionSize(IDispatch* region) override;
    void FireAfterColRegionSize(IDispatch* region) override;
    void ExitEditForScroll() override { ExitEditMode(); }
    void ShowScrollTip(const wchar_t* text, const RECT& bar) override;
    void HideScrollTip() override { HideToolTip(); }
    // The layout's root element for the element queries, made when asked.
    HvGridUIElement* RootForClients(bool create);
    // The element of the query's type and context objects in the given
    // regions (the active ones where left out); null when none shows.
    HRESULT FindShownElement(DescendantQuery& query, VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out);
    HRESULT GetRowElement(HvRow* row, VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out) override;
    HRESULT ResolveRowAppearance(HvRow* row, VARIANT* rowRegion, IHvAppearance** out) override;
    // The Redraw property as it stands.
    bool IsRedrawOn() const { return (viewFlags_ & ViewRedraw) != 0; }

    // UIElementControlSeam
    HWND GetGridWindow() override { return m_window; }
    bool IsPainting() override { return (viewFlags_ & ViewPainting) != 0; }
    bool IsCurrentLayout(UIElementLayoutSeam* layout) override;
    bool IsInEditMode() override;
    bool IsDroppedDown() override { return false; }
    HvUIElement* GetActiveCellElement() override;
    HvImages* ControlImages() override { return GetControlImages(); }
    bool ImagesMasking() override { return (imageFlags_ & ImageMasking) != 0; }
    ToolTipTool* ControlToolTip(bool make) override { return make ? GetControlToolTip() : toolTipTool_.get(); }
    ToolTipWindow* ControlTipWindow() override { return toolTip_.get(); }

    // ChangeSubscriber: the layout's change notices.
    void OnChange(const ChangeNotice* notice) override;
    unsigned long AddRefSubscriber() override { return CUnknownObject::AddRef(); }
    unsigned long ReleaseSubscriber() override { return CUnknownObject::Release(); }
    // VariantValueOwner: TagVariant changed.
    void OnVariantValueChanged(DWORD cookie) override;

    // ToolTipOwner
    HWND ToolTipOwnerWindow() override { return m_window; }

    // Sets the dirty flag and tells the container's property sinks.
    void PropertyChangedNotice(DISPID dispid);

    // RowGridHost: the bands' row side.
    bool MakesRows() override;
    void EnsureLayoutBuilt() override;
    void FireInitializeRow(IDispatch* row, bool reinitialize) override;
    bool FireBeforeRowUpdate(IDispatch* row) override;
    void FireAfterRowUpdate(IDispatch* row) override;
    bool FireBeforeRowCancelUpdate(IDispatch* row) override;
    void FireAfterRowCancelUpdate(IDispatch* row) override;
    bool FireBeforeRowExpand(IDispatch* row, bool expand) override;
    void FireAfterRowExpand(IDispatch* row, bool expand) override;
    bool FireBeforeRowResize(IDispatch* row, float* newHeight) override;
    void FireAfterRowResize(IDispatch* row) override;
    bool FireBeforeRowInsert(IDispatch* band, IDispatch* parentRow) override;
    void FireAfterRowInsert(IDispatch* row) override;
    HvRow* ActiveRow() override;
    LONG DeactivateActiveRow(bool commit) override;
    void DropActiveRow() override;
    void ActivateFirstRow(bool scrollIntoView) override;
    HRESULT ReportDataError(DataErrorInfo& record) override;
    CellGridHost* CellHost() override;
    CellDropDownHost* DropDownHost() override;
    void SetSelectionPivot(HvSelectableItem* item) override;
    HRESULT SelectRowItem(HvSelectableItem* row, bool select, bool fireEvents) override;

    // CellGridHost: the cells of the bound bands.
    bool HasGridControl() override { return true; }
    LCID Locale() override;
    IHvTVDataFilter* DataFilter() override;
    bool FireBeforeCellUpdate(HvCell* cell, VARIANT* newValue) override;
    void FireAfterCellUpdate(HvCell* cell) override;
    bool FireBeforeCellCancelUpdate(HvCell* cell) override;
    void FireAfterCellCancelUpdate(HvCell* cell) override;
    HRESULT ReportUpdateError(HvCell* cell, HRESULT result, VARIANT* invalidValue) override;
    float PixelsToUnitsX(LONG pixels) override;
    float PixelsToUnitsY(LONG pixels) override;
    LONG CellSpacing(HvCell* cell) override;
    bool HasRowsetBinding(HvCell* cell) override;
    HWND EditWindow() override;
    HRESULT ExitEditMode(HvCell* cell, bool discard, bool force) override;
    HRESULT GetValueText(HvCell* cell, BSTR* out) override;
    LONG ActivateCell(HvCell* cell, bool enterEdit, LONG arg, LONG arg2) override;
    void EnterEditMode(HvCell* cell, bool byMouse) override;
    bool PressCellPart(HvCell* cell, CellPart part) override;
    HRESULT SelectCell(HvCell* cell, bool select) override;
    HRESULT RefreshCellElement(HvCell* cell) override;
    HRESULT GetCellElement(HvCell* cell, VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out) override;
    HRESULT ResolveCellAppearance(HvCell* cell, VARIANT* rowRegion, IHvAppearance** out) override;
    bool ShownText(HvCell* cell, std::wstring* text) override;

    // ErrorReporterHost
    bool HasEventGateAndLayout() override { return gate_ && layout_; }
    bool LayoutCanFireEvents() override;
    void FireError(IDispatch* error) override;
    void SetModalState(bool modal) override { CControlBase::SetModalState(modal); }
    // The control's error reports (Error event, then a box or a beep).
    ErrorReporter& Reporter();
    // ErrorAlerts: the reports' boxes go through the control's message box,
    // so that one replacement catches every box the control shows.
    void ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) override;
    void Beep() override { MessageBeep(static_cast<UINT>(-1)); }

    // DataMemberHost
    const wchar_t* BoundDataMember() override;
    HRESULT RebindDataMember(bool detachOnFailure) override;

    // RowActivationHost
    LONG DeactivateActiveCell() override { return DeactivateActiveCell(false, false) ? 1 : 0; }
    void FireBeforeRowActivate(IDispatch* row) override;
    bool FireBeforeRowDeactivate() override;
    void FireAfterRowActivate() override;
    HRESULT CommitAllRows() override { return Update(); }
    bool HasGridWindow() override { return m_window != nullptr; }
    void RefreshRowLook(ActivationRow* row) override;
    void RefreshRowElement(ActivationRow* row) override;
    void BringRowIntoView(ActivationRow* row) override;
    bool HasFirstBand() override;
    bool FirstBandKeepsPositionMark() override;
    ActivationRow* FirstBandCurrentRow() override;
    ActivationRow* FetchFirstRow() override;

    // DownloadHost: the sound and layout downloads (HasBindHost above).
    HRESULT RaiseError(HRESULT result, WORD stringId) override { return Exception(result, stringId); }
    HRESULT ImagesUrlProgress(ULONG progress, ULONG maximum, ULONG status, LPCWSTR text) override;
    // The URL downloads (sounds, layouts, the ImagesURL strip), made with
    // the control; every download's notices are routed through them.
    ControlDownloads* Downloads();

protected:
    // Framework hooks.
    HRESULT DoCustomVerb(LONG verb) override;
    BOOL PreTranslateMessage(MSG* message) override;
    HRESULT InitializeNewState() override;
    HRESULT OnDraw(DWORD aspect, HDC dc, const RECTL* bounds, const RECTL* windowBounds, HDC target,
                   BOOL optimize) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL RegisterClassData() override;
    BOOL BeforeCreateWindow(DWORD* style, DWORD* extendedStyle, wchar_t* title) override;
    BOOL AfterCreateWindow() override;
    void BeforeDestroyWindow() override;
    BOOL WantsPreMessageFilter(HWND, UINT, WPARAM, LPARAM) override { return TRUE; }
    BOOL WantsPostMessageFilter(HWND, UINT, WPARAM, LPARAM) override { return TRUE; }
    HRESULT LoadBinaryState(IStream* stream) override;
    HRESULT SaveBinaryState(IStream* stream) override;
    HRESULT LoadTextState(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT SaveTextState(IPropertyBag* bag, BOOL saveAll) override;
    HRESULT OnSetData(IStream* stream) override;
    HRESULT OnUrlProgress(DWORD tag, ULONG progress, ULONG maximum, ULONG statusCode, LPCWSTR statusText) override;
    void OnUrlStop(DWORD tag, HRESULT result) override;

private:
    explicit HvTavelle(IUnknown* outer);
    ~HvTavelle() override;
    bool Constructed() const;
    void MakeDownloads();

    // Window procedure parts.
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnBuildLayoutMessage();
    LRESULT OnPostedMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnPrintClient(HDC dc);
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    void FocusTail(UINT message, WPARAM wParam);
    bool KillFocusLeavesGrid(HWND gaining);
    void ShowActiveFocus(bool show);
    void SendSyntheticMouseMove();
    HRESULT DrawOffScreen(DWORD aspect, HDC dc, const RECTL* bounds, HDC target);
    void PaintRoot(HDC dc, const RECT& bounds, const RECT& clip);

    // Mnemonics.
    std::vector<std::wstring> CollectMnemonicCaptions(bool forActivation, std::vector<HvBand*>* bands);
    static wchar_t MnemonicOf(const std::wstring& caption);

    // Units.
    long ContainerToPixels(float value, bool horizontal);
    float PixelsToContainer(long pixels, bool horizontal);

    // Automation guards: S_OK at run time, else the design-time error of
    // the string (10500: read-only, 10501: unavailable) raised.
    HRESULT RefuseAtDesignTime(WORD stringId);
    // The active-object getters' guard: 10501 at design time, then the
    // null result pointer.
    HRESULT RefuseActiveGet(void* out);
    HRESULT InvalidObject();
    HRESULT PutActiveRegion(IUnknown* argument, bool rows);

    // Data binding.
    std::wstring DataMemberText();
    void ReportBindingFailure(HRESULT code);
    HRESULT OpenRowsetForBinding(RootRowsetBinding* binding, IUnknown* object, const wchar_t* member);
    HRESULT AttachDataSource(IUnknown* object, RootRowsetBinding* binding);
    HRESULT DetachDataSource(bool silent);
    void HoldDataSource(DataSource* source);
    void StopListening();
    DataSourceListener* Listener();
    void ReleaseListener();
    HRESULT BuildBandsFromBinding();
    HRESULT CreateBandForBinding(RowsetBinding* binding, const CDualString* key, HvBand* parent,
                                 HvColumn* parentColumn, HvBand** out);
    HRESULT AddBandColumns(HvBand* band, RowsetBinding* binding);
    void ReplaceBandBindings(RootRowsetBinding* binding);
    static void CollectBindings(RowsetBinding* binding, std::vector<RowsetBinding*>& order);
    void ClearBands();
    void RefreshAfterBind();
    // The first (or last) row of the top band, made when the layout is
    // built; null, quietly, when there is none.
    HRESULT FetchEdgeRow(bool first, HvRow** out);
    // The row source of the layout's first band, or null.
    BandRowSource* FirstBandSource();
    // Refresh with hvRefetchAndFireInitializeRow.
    HRESULT Refetch();
    // The control's Update and CancelUpdate: every band's held rows.
    HRESULT CommitOrCancelAll(bool commit);

    // Selection.
    HRESULT ClearKindWithEvents(LONG kind, bool fireEvents);
    void ForgetPivots();

    // The data of messages posted through PostMessage, until they arrive.
    PostedMessageData postedData_;
    std::unique_ptr<ControlEditor> editor_;
    std::unique_ptr<OleDragDrop> dragDrop_;
    std::unique_ptr<ControlStateParticipant> participant_;
    std::unique_ptr<ControlImagesHost> imagesHost_;
    std::unique_ptr<ControlInputHost> inputHost_;
    std::unique_ptr<ControlSelectionHost> selection_;
    std::unique_ptr<ControlKeyActionHost> keyActions_;
    std::unique_ptr<ControlHeaderDragHost> headerDrags_;
    std::unique_ptr<ControlGridSink> gridSink_;
    std::unique_ptr<CDragTracker> dragTracker_;
    std::unique_ptr<ControlSwapList> swapList_;  // the owner of the shared list's entries
    std::unique_ptr<CSimpleDropDown> dropDownList_;
    POINT messagePoint_ = {};        // the last mouse message's point, client
    bool messagePointKnown_ = false;
    int messageDepth_ = 0;           // nesting of the window procedure
    std::unique_ptr<UrlServices> urlServices_;
    std::unique_ptr<ControlDownloads> downloads_;
    BYTE selectionDragPending_ = 0;
    BYTE selectionDragResult_ = 0;
    BYTE updateMode_ = 0;
    BYTE dropModeCopy_ = 0;
    BYTE spareByte_ = 0;
    BYTE imageFlags_ = ImageMasking;
    BYTE flagBytes_[2] = {0, 0};
    std::wstring dialogStrings_[11];
    CVariantValue tag_;
    std::unique_ptr<EventEnableMask> gate_;
    HvImages* images_ = nullptr;          // one reference
    HvLayout* layout_ = nullptr;          // one reference
    std::unique_ptr<ControlSiteRefs> siteRefs_;
    HvCell* activeCell_ = nullptr;        // not referenced: liveness by activeCellLive_
    LiveRef activeCellLive_;
    std::unique_ptr<ActiveRowManager> rowActivation_;  // holds the active row
    std::unique_ptr<ErrorReporter> reporter_;
    ScrollRegionItem* activeRowRegion_ = nullptr;  // not referenced
    ScrollRegionItem* activeColRegion_ = nullptr;  // not referenced
    HvSelected* selected_ = nullptr;      // referenced
    HvSelected* detachedSelected_ = nullptr;  // referenced, the last detached one
    // The selection pivots, one per scroll region: rows and cells pivot in
    // a row scroll region, columns and groups in a column scroll region.
    struct Pivot {
        const void* region = nullptr;      // the region's object, or null without regions
        LiveRef regionLive;
        bool columns = false;
        HvSelectableItem* item = nullptr;  // referenced through its object
    };
    std::vector<Pivot> pivots_;
    Pivot* FindPivot(bool columns, bool create);
    SubscriptionLink layoutLink_;
    std::unique_ptr<InputDispatcher> dispatcher_;
    std::unique_ptr<KeyboardHandler> keyboard_;
    std::unique_ptr<MouseHoverOperation> hover_;
    std::unique_ptr<ToolTipWindow> toolTip_;
    std::unique_ptr<ToolTipTool> toolTipTool_;
    BYTE viewFlags_ = ViewFirstPaintPending;
    UINT_PTR rowTimer_ = 0;
    UINT_PTR colTimer_ = 0;
    UINT rowPeriod_ = 0;
    UINT colPeriod_ = 0;
    // Where the drag that armed automatic scrolling last saw the pointer
    // (client coordinates; the drag holds the capture, so every move
    // reaches it).
    POINT dragPoint_{};
    bool hasDragPoint_ = false;
    DataSource* dataSource_ = nullptr;    // referenced
    // The listener lives apart from the control, so that a data source that
    // holds it does not keep the control alive.
    class ListenerObject;
    ListenerObject* listener_ = nullptr;  // one reference
    bool listening_ = false;              // listener_ added to dataSource_
    bool bindingPending_ = false;         // a design-time source waits for Bands
    std::vector<BandRowSource*> sources_; // one reference each, in band order
    std::wstring boundMemberText_;
    RootRowsetBinding* rootBinding_ = nullptr;  // owned
    CDualString dataMember_;
    CDualString imagesUrl_;
    BYTE retrievingStructure_ = 0;
    BYTE scrollIntoView_ = 1;
    bool tearingDown_ = false;
    HACCEL mnemonicTable_ = nullptr;      // owned
};

// Installs what the grid display asks of the control library (when it
// starts).
void InstallControlDisplayHooks();
