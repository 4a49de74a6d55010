// HvLayout: the root of the grid's object model. It holds the layout-wide
// settings, owns the layout's collections, its Override and add-new box,
// and answers what the objects below it ask of "the layout": measuring
// font and line heights, unit conversion, resolved layout-level defaults,
// the root UI element and the view-style strategy. A layout either belongs
// to a grid or stands alone (made by Clone or by a client), and every
// service has an answer without a grid.
#pragma once

#include "AddNewBoxLayoutSeam.h"
#include "AppearanceRef.h"
#include "BandLayoutSeam.h"
#include "BandsLayoutSeam.h"
#include "ChangePublisher.h"
#include "ChangeSubscriber.h"
#include "ColumnLayoutSeam.h"
#include "DualObject.h"
#include "DualString.h"
#include "HvLayoutHost.h"
#include "HvPersistParticipant.h"
#include "HvUIElementOwner.h"
#include "LayoutSortCallback.h"
#include "LayoutRegionsSeam.h"
#include "OverrideLayoutSeam.h"
#include "PropertySinkConnection.h"
#include "ScrollRegionsLayoutSeam.h"
#include "SelectionLayoutSeam.h"
#include "SubscriptionLink.h"
#include "ValueListLayoutSeam.h"
#include "VariantValue.h"

#include <Tavelle.h>

#include <memory>
#include <string>
#include <new>

class AppearanceData;
class GridBandSeam;
class HvAppearances;
class HvAutoSizeEdit;
class HvBands;
class HvColScrollRegions;
class HvOverride;
class HvOverrides;
class HvRowScrollRegions;
class HvValueLists;
class LayoutAddNewBoxSeam;
class LayoutGridSeam;
class LayoutRootElementSeam;
class LayoutViewStyleSeam;
class ScrollRegionItem;
struct AppearanceRequest;

// Errors the layout raises (results and string identifiers).
namespace LayoutError {
constexpr HRESULT NoRowset = static_cast<HRESULT>(0x800A9C47);           // 3000
constexpr HRESULT MaxColRegions = static_cast<HRESULT>(0x800A9C49);      // 4000
constexpr HRESULT MaxRowRegions = static_cast<HRESULT>(0x800A9C4A);      // 4001
constexpr HRESULT ReadOnlyInEvent = static_cast<HRESULT>(0x800A9C58);    // 4014
constexpr HRESULT AccessDenied = static_cast<HRESULT>(0x800A9C66);       // 4032
constexpr HRESULT RegistryKey = static_cast<HRESULT>(0x800A9C67);        // 4033
constexpr HRESULT BadObject = static_cast<HRESULT>(0x800AA220);          // 1003
constexpr HRESULT BadIndex = static_cast<HRESULT>(0x800AA21D);           // 42804
constexpr HRESULT DesignTime = static_cast<HRESULT>(0x800A018A);         // 10501
constexpr WORD NoRowsetString = 3000;
constexpr WORD MaxColRegionsString = 4000;
constexpr WORD MaxRowRegionsString = 4001;
constexpr WORD ReadOnlyInEventString = 4014;
constexpr WORD AccessDeniedString = 4032;
constexpr WORD RegistryKeyString = 4033;
constexpr WORD BadObjectString = 1003;
constexpr WORD BadIndexString = 42804;
constexpr WORD DesignTimeString = 10501;
} // namespace LayoutError

class HvLayout final : public CDualObject<IHvLayout>,
                       public IPropertyNotifySink,
                       public HvPersistParticipant,
                       public ChangePublisher,
                       public ChangeSubscriber,
                       public VariantValueOwner,
                       public HvLayoutHost,
                       public OverrideLayoutSeam,
                       public ValueListLayoutSeam,
                       public ScrollRegionsLayoutSeam,
                       public BandsLayoutSeam,
                       public SelectionLayoutSeam,
                       public LayoutRegionsSeam,
                       public BandLayoutSeam,
                       public ColumnLayoutSeam,
                       public AddNewBoxLayoutSeam {
public:
    static constexpr LONG Kind = 8;
    static constexpr DWORD PropertySet = 0x5C551554;
    // Property codes of the layout's participant.
    enum Property : DWORD {
        PropGeneral = 0x4,
        PropFont = 0x10,
        PropAppearances = 0x40,
        PropOverrides = 0x100,
        PropColScrollRegions = 0x400,
        PropRowScrollRegions = 0x1000,
        PropValueLists = 0x10000,
        PropBands = 0x40000,
        PropOverride = 0x100000,
        PropAppearanceRefs = 0x400000,
        PropCaption = 0x4000000,
        PropRetiredPicture = 0x8000000,
        PropTagVariant = 0x10000000,
        PropAddNewBox = 0x40000000,
    };
    // Property categories (Constants_PropertyCategory).
    static constexpr LONG CatAppearanceCollection = 1;
    static constexpr LONG CatOverrideCollection = 2;
    static constexpr LONG CatBands = 4;
    static constexpr LONG CatColScrollRegions = 64;
    static constexpr LONG CatRowScrollRegions = 128;
    static constexpr LONG CatGeneral = 256;
    static constexpr LONG CatValueLists = 1024;

    // A new layout with one reference. grid is not owned (null: stand-alone).
    static HRESULT Create(IUnknown* outer, LayoutGridSeam* grid, HvLayout** out);
    // The layout behind an object of this library, or null.
    static HvLayout* FromObject(IUnknown* object);

    // IUnknown (shared by the dual interface and the font sink)
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CDualObject::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CDualObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CDualObject::Release(); }

    // IHvBase, IHvObjectBase
    STDMETHODIMP _GetObjectPointer(long* pointer) override;
    STDMETHODIMP get_TagVariant(VARIANT* value) override;
    STDMETHODIMP put_TagVariant(VARIANT value) override;
    STDMETHODIMP putref_TagVariant(VARIANT* value) override;
    STDMETHODIMP IsSameAs(IDispatch* other, VARIANT_BOOL* result) override;

    // IHvLayout
    STDMETHODIMP get_AddNewBox(IHvAddNewBox** out) override;
    STDMETHODIMP get_AlphaBlendEnabled(VARIANT_BOOL* out) override;
    STDMETHODIMP put_AlphaBlendEnabled(VARIANT_BOOL value) override;
    STDMETHODIMP get_Appearances(IHvAppearances** out) override;
    STDMETHODIMP get_Appearance(IHvAppearance** out) override;
    STDMETHODIMP putref_Appearance(VARIANT* value) override;
    STDMETHODIMP put_Appearance(VARIANT value) override;
    STDMETHODIMP get_Bands(IHvBands** out) override;
    STDMETHODIMP get_DrawFilter(IHvTVDrawFilter** out) override;
    STDMETHODIMP put_DrawFilter(IHvTVDrawFilter* value) override;
    STDMETHODIMP putref_DrawFilter(IHvTVDrawFilter* value) override;
    STDMETHODIMP get_DataFilter(IHvTVDataFilter** out) override;
    STDMETHODIMP put_DataFilter(IHvTVDataFilter* value) override;
    STDMETHODIMP putref_DataFilter(IHvTVDataFilter* value) override;
    STDMETHODIMP get_Override(IHvOverride** out) override;
    STDMETHODIMP putref_Override(VARIANT* value) override;
    STDMETHODIMP put_Override(VARIANT value) override;
    STDMETHODIMP get_BorderStyle(Constants_BorderStyle* out) override;
    STDMETHODIMP put_BorderStyle(Constants_BorderStyle value) override;
    STDMETHODIMP get_Caption(BSTR* out) override;
    STDMETHODIMP put_Caption(BSTR value) override;
    STDMETHODIMP get_CaptionAppearance(IHvAppearance** out) override;
    STDMETHODIMP putref_CaptionAppearance(VARIANT* value) override;
    STDMETHODIMP put_CaptionAppearance(VARIANT value) override;
    STDMETHODIMP get_ColScrollRegions(IHvColScrollRegions** out) override;
    STDMETHODIMP get_Enabled(VARIANT_BOOL* out) override;
    STDMETHODIMP put_Enabled(VARIANT_BOOL value) override;
    STDMETHODIMP get_EstimatedRows(long* out) override;
    STDMETHODIMP put_EstimatedRows(long value) override;
    STDMETHODIMP get_Font(IFontDisp** out) override;
    STDMETHODIMP put_Font(IFontDisp* value) override;
    STDMETHODIMP putref_Font(IFontDisp* value) override;
    STDMETHODIMP get_InterBandSpacing(float* out) override;
    STDMETHODIMP put_InterBandSpacing(float value) override;
    STDMETHODIMP get_MaxColScrollRegions(short* out) override;
    STDMETHODIMP put_MaxColScrollRegions(short value) override;
    STDMETHODIMP get_MaxRowScrollRegions(short* out) override;
    STDMETHODIMP put_MaxRowScrollRegions(short value) override;
    STDMETHODIMP get_Overrides(IHvOverrides** out) override;
    STDMETHODIMP get_RowConnectorColor(OLE_COLOR* out) override;
    STDMETHODIMP put_RowConnectorColor(OLE_COLOR value) override;
    STDMETHODIMP get_RowConnectorStyle(Constants_ConnectorStyle* out) override;
    STDMETHODIMP put_RowConnectorStyle(Constants_ConnectorStyle value) override;
    STDMETHODIMP get_RowScrollRegions(IHvRowScrollRegions** out) override;
    STDMETHODIMP get_ScrollBars(Constants_ScrollBars* out) override;
    STDMETHODIMP put_ScrollBars(Constants_ScrollBars value) override;
    STDMETHODIMP get_SortFilter(IHvTVSortFilter** out) override;
    STDMETHODIMP put_SortFilter(IHvTVSortFilter* value) override;
    STDMETHODIMP putref_SortFilter(IHvTVSortFilter* value) override;
    STDMETHODIMP get_TabNavigation(Constants_TabNavigation* out) override;
    STDMETHODIMP put_TabNavigation(Constants_TabNavigation value) override;
    STDMETHODIMP get_TipDelay(long* out) override;
    STDMETHODIMP put_TipDelay(long value) override;
    STDMETHODIMP get_ValueLists(IHvValueLists** out) override;
    STDMETHODIMP get_ViewStyle(Constants_ViewStyle* out) override;
    STDMETHODIMP put_ViewStyle(Constants_ViewStyle value) override;
    STDMETHODIMP get_ViewStyleBand(Constants_ViewStyleBand* out) override;
    STDMETHODIMP put_ViewStyleBand(Constants_ViewStyleBand value) override;
    STDMETHODIMP get_BorderStyleCaption(Constants_BorderStyle* out) override;
    STDMETHODIMP put_BorderStyleCaption(Constants_BorderStyle value) override;
    STDMETHODIMP get_Grid(IDispatch** out) override;
    STDMETHODIMP CopyFrom(IHvLayout* source, VARIANT categories) override;
    STDMETHODIMP Clone(VARIANT categories, IHvLayout** out) override;
    STDMETHODIMP Load(VARIANT* source, VARIANT persistenceType, VARIANT categories, VARIANT erase,
                      VARIANT valueName, VARIANT grid) override;
    STDMETHODIMP Save(VARIANT* destination, VARIANT persistenceType, VARIANT categories, VARIANT valueName,
                      VARIANT grid) override;
    STDMETHODIMP Reset(VARIANT categories, VARIANT fireInitializeLayout) override;

    // Operations beyond the type library (the grid and keyboard actions).
    HRESULT CollapseAll();
    // Deletes the grid's selected rows (checkAllowDelete: the keyboard
    // action, which honours the band's AllowDelete).
    HRESULT DeleteSelectedRows(bool checkAllowDelete);
    // Asks the user (unless BeforeRowsDeleted says not to) and deletes rows.
    HRESULT DeleteRowsWithPrompt(HvSelectedRows* rows);
    // The confirmation text for a number of rows.
    std::wstring DeletePromptText(LONG count);
    HRESULT ExpandAll();
    HRESULT LoadFromPropertyBag(IPropertyBag* bag, IErrorLog* errorLog);
    HRESULT SaveToPropertyBag(IPropertyBag* bag, bool saveAll);
    // The font in the standard OLE font stream form.
    static HRESULT SaveFontToStream(IStream* stream, PropertySinkConnection& font);

    // IPropertyNotifySink (the layout's Font)
    STDMETHODIMP OnChanged(DISPID dispid) override;
    STDMETHODIMP OnRequestEdit(DISPID dispid) override;

    // HvLayoutHost
    HRESULT RaiseError(HRESULT result, WORD stringId) override;
    PropertySinkConnection* DefaultFont() override;
    bool IsAlive() override;
    HRESULT ReportMessage(long code, const wchar_t* text, const wchar_t* caption) override;

    // OverrideLayoutSeam, ValueListLayoutSeam (units also for the regions)
    double PixelsToUnitsX(LONG pixels) override;
    double PixelsToUnitsY(LONG pixels) override;
    LONG UnitsToPixelsX(float units) override;
    LONG UnitsToPixelsY(float units) override;
    HvLayoutHost* Host() override { return this; }
    HvAppearances* Appearances() override { return appearances_; }
    LONG FixedPixelsToUnitsX(LONG pixels) override;
    LONG FixedPixelsToUnitsY(LONG pixels) override;
    LONG FixedUnitsToPixelsX(LONG twips) override;
    LONG FixedUnitsToPixelsY(LONG twips) override;
    LONG GetFontLineHeight(PropertySinkConnection* font) override;
    AppearanceRef* GetOverrideAppearance(int slot) override;
    std::unique_ptr<OverrideStrategy> CreateStrategy(OverrideStrategyKind kind, int value) override;

    // ScrollRegionsLayoutSeam
    RegionControlSeam* Control() override;
    short MaxColScrollRegions() override { return maxColScrollRegions_; }
    short MaxRowScrollRegions() override { return maxRowScrollRegions_; }
    ColScrollRegionItem* CreateColScrollRegion(ChangeSubscriber* subscriber) override;
    RowScrollRegionItem* CreateRowScrollRegion(ChangeSubscriber* subscriber) override;
    HvRowScrollRegions* RowScrollRegions() override { return rowScrollRegions_; }
    void DirtyRootUIElement(bool setLayoutFlag, bool how) override;
    void FitToClientRect() override;
    short SplitterBarWidth() override { return static_cast<short>(GetSplitterBarWidth()); }
    bool DataAreaInnerRect(RECT* rect) override;
    void UpdateTotalBandExtent() override;
    bool IsGridWindowVisible() override;
    void RepositionEditWindow() override;

    // BandsLayoutSeam
    bool IsGridOwnLayout() override;
    int GetViewStyle() override { return viewStyle_; }
    bool ScrollRegionUpdatesSuspended() override;
    void SetColumnMetricsDirty(bool unlessRecalculating) override;
    void MarkColScrollRegionsDirty() override;
    void MarkRowScrollRegionsDirty() override;
    void NotifyAttachedInterface() override;
    HRESULT CreateBand(ChangeSubscriber* subscriber, GridBandSeam* parent, const CDualString* key,
                       GridBandSeam** out) override;

    // SelectionLayoutSeam
    SelectionControlSeam* GridControl() override;
    bool TestGridState(LONG state) override;

    // LayoutRegionsSeam
    int RowScrollRegionCount() const override;
    ScrollRegionSeam* RowScrollRegionAt(int index) const override;
    int ColScrollRegionCount() const override;
    ScrollRegionSeam* ColScrollRegionAt(int index) const override;

    // HvPersistParticipant
    LONG ParticipantKind() const override { return Kind; }
    DWORD Signature() const override { return PropertySet; }
    bool HasData(DWORD code, LONG categories) override;
    HRESULT Save(DWORD code, IStream* stream, LONG categories) override;
    HRESULT Load(DWORD code, IStream* stream, LONG categories) override;
    void Reset(DWORD code, LONG categories) override;
    HRESULT CopyFrom(DWORD code, HvPersistParticipant& source, LONG categories) override;
    // The bag loop (names as the layout's properties).
    HRESULT LoadPropertyFromBag(DWORD code, IPropertyBag* bag, IErrorLog* errorLog);
    HRESULT SavePropertyToBag(DWORD code, IPropertyBag* bag, bool saveAll);
    // The whole participant after a load (the stream loop does not call it).
    void AfterLoad();

    // ChangePublisher
    int KindCode() const override { return Kind; }
    unsigned long AddRefPublisher() override { return CUnknownObject::AddRef(); }
    unsigned long ReleasePublisher() override { return CUnknownObject::Release(); }
    // ChangeSubscriber: the layout's sub-objects.
    void OnChange(const ChangeNotice* notice) override;
    bool OnTransfer(ChangePublisher* from, ChangePublisher* to, std::intptr_t argument) override;
    unsigned long AddRefSubscriber() override { return CUnknownObject::AddRef(); }
    unsigned long ReleaseSubscriber() override { return CUnknownObject::Release(); }
    // VariantValueOwner (TagVariant)
    void OnVariantValueChanged(DWORD cookie) override;

    // BandLayoutSeam
    BandsLayoutSeam* BandsSide() override { return this; }
    OverrideLayoutSeam* OverrideSide() override { return this; }
    SelectionLayoutSeam* SelectionSide() override { return this; }
    ColumnLayoutSeam* ColumnSide() override { return this; }
    HvBands* Bands() override { return bands_; }
    HvOverride* LayoutOverride() override { return override_; }
    HvOverrides* Overrides() override { return overrides_; }
    HRESULT QueryLayout(IHvLayout** out) override;
    bool IsDesignMode() override;
    bool IsEnabled() override { return (flags_ & FlagEnabled) != 0; }
    bool CanFireEvents() override { return CanFireEvents(false); }
    LONG ResolveLayoutSetting(DISPID setting) override { return ResolveSetting(setting); }
    LONG ResolveLayoutSize(DISPID setting) override { return ResolveSize(setting); }
    PropertySinkConnection* AppearanceFont() override;
    bool HasViewStyle() override;
    bool ViewStyleHidesChildBands() override;
    bool ViewStyleSyncsRowHeights() override;
    void ViewStylePlaceBand(HvBand* band) override;
    void ViewStyleExtentChanged(HvBand* band, LONG delta) override;
    void EnsureMetrics() override { RecalcColumnMetricsIfDirty(); }
    void ResolveLayoutAppearance(AppearanceData& block, AppearanceRequest& request) override
    {
        ResolveAppearance(block, request);
    }
    LONG AddNewButtonBorderStyle() override;
    HCURSOR AddNewButtonCursor() override;
    BandGridSeam* Grid() override;
    HRESULT CreateColumn(HvBand* band, const CDualString* key, LONG flags, GridColumnSeam** out) override;
    HRESULT CreateGroup(HvBand* band, HvGroups* groups, const CDualString* key, GridGroupSeam** out) override;

    // ColumnLayoutSeam
    LayoutUnitsSeam* Units() override { return static_cast<OverrideLayoutSeam*>(this); }
    ValueListLayoutSeam* ValueListLayout() override { return this; }
    SelectionLayoutSeam* SelectionLayout() override { return this; }
    BandsLayoutSeam* BandsLayout() override { return this; }
    HvValueLists* ValueLists() override { return valueLists_; }
    bool ContainerUsesTwips() override { return GetContainerScaleMode() == 1; }
    LONG FixedPixelsToTwipsX(LONG pixels) override { return FixedPixelsToUnitsX(pixels); }
    LONG FixedTwipsToPixelsX(LONG twips) override { return FixedUnitsToPixelsX(twips); }
    bool IsGridLayoutResetting() override { return IsCurrentLayout() && ResetInProgress(); }
    bool FireBeforeColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) override;
    void FireAfterColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) override;
    bool FireBeforeGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) override;
    void FireAfterGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) override;
    void ApplyDefaultAppearance(AppearanceData& block, AppearanceRequest& request) override;
    HvColScrollRegions* HeaderRegions() override { return colScrollRegions_; }
    HWND GridEditWindow() override { return editWindow_ && IsWindow(editWindow_) ? editWindow_ : nullptr; }
    bool IsActiveCellColumn(HvColumn* column) override;
    void ReportMaskError(const std::wstring& text, short position) override;
    void PressSwapButton(HvColumnGroupImpl* item, const RECT& header) override;
    bool IsSwapListOpenFor(HvColumnGroupImpl* item) override;

    // AddNewBoxLayoutSeam
    ChangePublisher* LayoutPublisher() override { return this; }
    bool GetDialogString(LONG id, CDualString& text) override;
    IHvUIElement* GetAddNewBoxElement() override;
    void RedrawAddNewBox() override;

    // What the caption element asks of the layout it shows.
    HvUIElementOwner* CaptionOwner() { return &captionOwner_; }

    // The grid (not owned) or null.
    LayoutGridSeam* GridSeam() const { return grid_; }
    // Whether the layout is its live grid's current layout.
    bool IsCurrentLayout() const;
    // The font description of the system's stock GUI font (the system font
    // when there is none); false when neither can be read.
    static bool StockFontDescription(FONTDESC& desc, LOGFONTW& logFont);

    // See the grid's event gate; onlyIfCurrent also needs this layout shown.
    bool CanFireEvents(bool onlyIfCurrent);
    // Lets go of the grid and of everything tied to it.
    void Detach();

    // Sub-objects (not add-ref'd). The lazily made ones are made when
    // create is true; null when they cannot be.
    HvColScrollRegions* ColScrollRegions() const { return colScrollRegions_; }
    HvColScrollRegions* GetColScrollRegions(bool bringUpToDate);
    HvValueLists* GetValueLists(bool create);
    HvOverride* GetOverride(bool create);
    LayoutAddNewBoxSeam* GetAddNewBox(bool create);
    HvAutoSizeEdit* GetAutoSizeEdit();
    AppearanceRef& AppearanceReference() { return appearance_; }
    AppearanceRef& CaptionAppearanceReference() { return captionAppearance_; }
    IHvTVDataFilter* DataFilter() const { return dataFilter_; }
    IHvTVSortFilter* SortFilter() const { return sortFilter_; }
    IHvTVDrawFilter* DrawFilter() const { return drawFilter_; }
    // What the layout does around each sort of a band's rows.
    LayoutSortCallback& Sorting() { return sorting_; }
    const CDualString& Caption() const { return caption_; }

    // Settings as stored.
    BYTE BorderStyle() const { return borderStyle_; }
    BYTE BorderStyleCaption() const { return borderStyleCaption_; }
    BYTE RowConnectorStyle() const { return rowConnectorStyle_; }
    BYTE ScrollBars() const { return scrollBars_; }
    BYTE TabNavigation() const { return tabNavigation_; }
    BYTE ViewStyleBand() const { return viewStyleBand_; }
    LONG InterBandSpacing() const { return interBandSpacing_; }
    LONG TipDelay() const { return tipDelay_; }
    LONG EstimatedRows() const { return estimatedRows_; }
    OLE_COLOR RowConnectorColor() const { return rowConnectorColor_; }
    COLORREF GetRowConnectorColorRGB() const;

    // Bands.
    GridBandSeam* GetFirstBand() const;
    LONG IndexOfBand(GridBandSeam* band) const;
    GridBandSeam* GetBandFromCollection(LONG index, bool preferPending) const;
    HRESULT BandFromVariant(const VARIANT& value, GridBandSeam** out);
    // Whether candidate is the same COM object as object.
    static bool IsSameAsObject(CAutomationObject* object, IUnknown* candidate);
    LONG GetMinRowHeight();
    LONG GetRootRowCount();
    HvBands* PendingBands() const { return pendingBands_; }
    void CopyPendingBands();
    void InvalidateHeaderHeights(GridBandSeam* band);

    // Scroll regions.
    ScrollRegionItem* GetActiveColScrollRegion();
    ScrollRegionItem* GetActiveRowScrollRegion();
    HRESULT RowScrollRegionFromVariant(const VARIANT& value, ScrollRegionItem** out);
    HRESULT ColScrollRegionFromVariant(const VARIANT& value, ScrollRegionItem** out);
    LONG GetBandsExtent();

    // Measures.
    HWND GetGridWindow() const;
    HRESULT GetGridClientRect(RECT* rect);
    PropertySinkConnection& Font() { return font_; }
    void BuildFont();
    LONG GetCaptionHeight();
    bool HasBackgroundPicture();
    int GetContainerScaleMode();
    SIZE GetImageSize();
    // Whether the appearance's picture resolves; picture receives it
    // (add-ref'd) when asked.
    bool ResolvePicture(const AppearanceData& data, IPicture** picture);
    LONG GetAddNewBoxExtent();
    static LONG BorderWidthFromStyle(LONG style);
    static bool IsThinBorderStyle(LONG style);
    static LONG GetSplitterBarWidth() { return 2 * BorderWidthFromStyle(7) + 3; }
    static LONG GetSplitterBorderStyle() { return 7; }

    // Layout-level resolvers (the defaults a band falls back to).
    LONG ResolveSetting(DISPID setting);
    // Sizes in pixels: the Override's, -1 when unset.
    LONG ResolveSize(DISPID setting);
    LONG ResolveBorderStyle() const { return borderStyle_ == 0 ? 8 : borderStyle_; }
    LONG ResolveBorderStyleCaption() const { return borderStyleCaption_ == 0 ? 9 : borderStyleCaption_; }
    LONG ResolveRowConnectorBorderStyle() const;
    void ResolveAppearance(AppearanceData& block, AppearanceRequest& request);

    // Strategies made once (the Override's own when it has one).
    OverrideStrategy* GetDefaultCellClickStrategy();
    OverrideStrategy* GetDefaultCellSelectStrategy();
    OverrideStrategy* GetDefaultRowSelectStrategy();
    OverrideStrategy* GetDefaultColSelectStrategy();

    // Root UI element and view style.
    LayoutRootElementSeam* GetRootUIElement(bool verify, bool evenWhileInitializing);
    LayoutRootElementSeam* RootUIElement() const { return root_.get(); }
    LayoutViewStyleSeam* GetViewStyleObject();
    void DiscardViewStyleObject();
    void RecalcColumnMetricsIfDirty();
    bool ColumnMetricsDirty() const { return (state2_ & State2ColumnMetricsDirty) != 0; }
    bool ResetInProgress() const { return (state2_ & State2ResetInProgress) != 0; }
    void ActivateNextScrollRegion();
    void ActivatePrevScrollRegion();
    // A polygon region of (0, 3), (0, 0), (3, 0), made once.
    HRGN GetCornerTriangleRegion();

    // Window utilities.
    static HWND GetCaptionedAncestor(HWND window);
    static void SubclassCaptionWindows(HWND window, HvLayout* layout);
    static void RestoreCaptionWindows();
    static HWND CaptionHoldWindow();
    // The layout of the running caption hold, or null.
    static HvLayout* CaptionHoldLayout();
    void ShowEditorWindow(HWND window, int showCommand);
    void ShowChildWindow(HWND window, int showCommand);
    HWND GetContainerFormWindow();
    bool GetContainerRect(RECT* rect);
    bool GetParentRect(RECT* rect);
    bool IsAddNewBoxVisible();
    bool ShowingChildWindow() const { return (state1_ & State1ShowingChild) != 0; }
    // The edit window of the grid and the colours the editor chose for it.
    void SetEditWindow(HWND window, HBRUSH brush, COLORREF back, COLORREF text);
    HWND EditWindow() const { return editWindow_; }
    // The editor's brush and colours; false when it set no brush.
    bool EditColours(HBRUSH* brush, COLORREF* back, COLORREF* text) const;
    // The form is closing: the active cell leaves edit mode.
    void ExitActiveCellEditMode();
    void PositionPicture(RECT& rect, RECT* pictureRect, const AppearanceData& data);

    // Bulk operations (categories 0 = all).
    HRESULT CopyLayout(HvLayout& source, LONG categories);
    void ResetLayout(LONG categories);
    // Marks metrics dirty, fixes the font and has the grid rebuild (only
    // when this is its grid's current layout).
    void RefreshAfterBulkChange(bool fireInitializeLayout);

private:
    enum : BYTE {
        FlagEnabled = 0x01,
        FlagUserFont = 0x02,
        FlagAmbientFont = 0x08,
        FlagStockFont = 0x10,
        FlagAlphaBlend = 0x20,
    };
    enum : BYTE {
        State1WindowProperty = 0x02,
        State1RootNeedsLayout = 0x04,
        State1ShowingChild = 0x80,
    };
    enum : BYTE {
        State2ColumnMetricsDirty = 0x01,
        State2ResetInProgress = 0x04,
    };
    // The 29-byte general block of the stream.
    struct GeneralBlock;
    // The caption element's owner: disabled state, the Caption as text.
    class CaptionElementOwner final : public HvUIElementOwner {
    public:
        explicit CaptionElementOwner(HvLayout& layout) : layout_(layout) {}
        LayoutRegionsSeam* GetShowingLayout() override { return &layout_; }
        // The caption area, whatever the regions.
        UIElementSeam* GetUIElement(ScrollRegionSeam*, ScrollRegionSeam*, int create) override;
        LONG GetState(OwnedElementSeam*) override { return layout_.IsEnabled() ? 0 : LONG{StateDisabled}; }
        bool GetText(OwnedElementSeam*, CDualString& text) override
        {
            text.Assign(layout_.caption_);
            return true;
        }
        UINT GetTextFormat(OwnedElementSeam*) override { return DT_EDITCONTROL; }

    private:
        HvLayout& layout_;
    };

    HvLayout(IUnknown* outer, LayoutGridSeam* grid);
    ~HvLayout() override;
    HRESULT Construct();
    void OnFinalRelease() override;
    void ReleaseReferences() override;
    HRESULT InternalQueryInterface(REFIID iid, void** out) override;

    template <class TBody>
    HRESULT Guard(TBody body) noexcept;
    template <class TBody>
    HRESULT Active(TBody body) noexcept;
    HRESULT Invalid() { return RaiseError(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString); }
    HRESULT PutByte(BYTE& field, LONG value, LONG low, LONG high, DISPID dispid);
    HRESULT PutAppearanceRef(AppearanceRef& ref, const VARIANT& value, DISPID dispid);
    HRESULT PutOverrideValue(const VARIANT& value);
    void ReplaceOverride(HvOverride* replacement);
    template <class TFilter>
    HRESULT GetFilter(TFilter* held, TFilter** out);
    template <class TFilter>
    HRESULT PutFilter(TFilter*& held, IUnknown* value, REFIID iid, DISPID dispid);
    void ConnectFont(IUnknown* font);
    void ResetBandMetrics();
    void ReactToOverrideNotice(DISPID dispid, const ChangeNotice* inner);
    OverrideStrategy* DefaultStrategy(std::unique_ptr<OverrideStrategy>& held, OverrideStrategyKind kind);
    HRESULT ResolveGridContext(const VARIANT& grid, LayoutGridSeam** out);
    HRESULT TestAccess(LayoutGridSeam* grid, bool url);
    HRESULT LoadFrameIntoLayout(IStream* stream, LayoutGridSeam* grid, LONG categories, bool erase);
    HRESULT FillGeneral(GeneralBlock& block) const;
    void ApplyGeneral(const GeneralBlock& block);
    // S_OK when every field of a stored general block is in the range its
    // property accepts, else E_FAIL.
    static HRESULT CheckGeneral(const GeneralBlock& block);
    bool GeneralDiffers() const;
    void ResetGeneral();
    HRESULT LoadCollection(IUnknown* collection, IStream* stream, LONG categories, bool apply, DWORD code);
    HRESULT LoadBandsFrom(IStream* stream, LONG categories);
    void ReplaceRegions(DWORD code);
    void ActivateScrollRegion(bool next);

    // Settings.
    OLE_COLOR rowConnectorColor_ = 0x80000010;
    LONG estimatedRows_ = 0;
    LONG tipDelay_ = -1;
    LONG interBandSpacing_ = 4;
    short maxColScrollRegions_ = 10;
    short maxRowScrollRegions_ = 10;
    BYTE borderStyle_ = 0;
    BYTE rowConnectorStyle_ = 0;
    BYTE scrollBars_ = 4;
    BYTE borderStyleCaption_ = 0;
    BYTE tabNavigation_ = 0;
    BYTE viewStyle_ = 1;
    BYTE viewStyleBand_ = 0;
    BYTE flags_ = FlagEnabled | FlagAlphaBlend;

    LayoutGridSeam* grid_;  // not owned
    LayoutAddNewBoxSeam* addNewBox_ = nullptr;
    HvAppearances* appearances_ = nullptr;
    HvBands* bands_ = nullptr;
    HvBands* pendingBands_ = nullptr;
    HvOverrides* overrides_ = nullptr;
    HvOverride* override_ = nullptr;
    HvColScrollRegions* colScrollRegions_ = nullptr;
    HvRowScrollRegions* rowScrollRegions_ = nullptr;
    HvValueLists* valueLists_ = nullptr;
    CVariantValue tag_;
    AppearanceRef appearance_;
    AppearanceRef captionAppearance_;
    std::unique_ptr<OverrideStrategy> cellClickStrategy_;
    std::unique_ptr<OverrideStrategy> cellSelectStrategy_;
    std::unique_ptr<OverrideStrategy> rowSelectStrategy_;
    std::unique_ptr<OverrideStrategy> colSelectStrategy_;
    std::unique_ptr<LayoutRootElementSeam> root_;
    CDualString caption_;
    PropertySinkConnection font_;
    SubscriptionLink addNewBoxLink_;
    SubscriptionLink overrideLink_;
    SubscriptionLink overridesLink_;
    SubscriptionLink appearancesLink_;
    SubscriptionLink bandsLink_;
    SubscriptionLink colRegionsLink_;
    SubscriptionLink rowRegionsLink_;
    SubscriptionLink valueListsLink_;
    SubscriptionLink pendingBandsLink_;
    std::unique_ptr<LayoutViewStyleSeam> viewStyleObject_;
    IHvTVDataFilter* dataFilter_ = nullptr;
    IHvTVSortFilter* sortFilter_ = nullptr;
    IHvTVDrawFilter* drawFilter_ = nullptr;
    LayoutSortCallback sorting_;
    HvAutoSizeEdit* autoSizeEdit_ = nullptr;
    HRGN cornerRegion_ = nullptr;
    LONG captionHeight_ = 0;
    LONG backgroundPicture_ = -1;
    HWND editWindow_ = nullptr;
    HBRUSH editBrush_ = nullptr;
    COLORREF editBackColor_ = 0;
    COLORREF editTextColor_ = 0;
    LONG bandsExtent_ = 0;
    BYTE state1_ = 0;
    BYTE state2_ = State2ColumnMetricsDirty;
    CaptionElementOwner captionOwner_{*this};
};

template <class TBody>
HRESULT HvLayout::Guard(TBody body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

template <class TBody>
HRESULT HvLayout::Active(TBody body) noexcept
{
    if (!IsActive())
        return NotActiveError();
    return Guard(body);
}
