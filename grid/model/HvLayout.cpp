// HvLayout: construction and tear-down, the sub-objects and the services
// that the objects below the layout ask of it.
#include "HvLayout.h"

#include "CellClickActionHandler.h"
#include "BandBindingSeam.h"
#include "GridBandSeam.h"
#include "HvBand.h"
#include "HvAppearance.h"
#include "HvAppearances.h"
#include "HvAutoSizeEdit.h"
#include "HvBands.h"
#include "HvColScrollRegions.h"
#include "HvOverride.h"
#include "HvOverrides.h"
#include "HvRowScrollRegions.h"
#include "HvValueLists.h"
#include "LayoutGridSeam.h"
#include "LayoutPartsSeam.h"
#include "ScrollRegionItem.h"
#include "Units.h"

#include <new>

namespace {

IUnknown* CreateLayoutObject(IUnknown* outer)
{
    HvLayout* layout = nullptr;
    if (FAILED(HvLayout::Create(outer, nullptr, &layout)) || !layout)
        return nullptr;
    return layout->PrivateUnknown();
}

// The layout's record of the object-info table creates stand-alone layouts.
struct LayoutClassRegistration {
    LayoutClassRegistration() { SetCreateFunction(ObjectType::HvLayout, CreateLayoutObject); }
};
LayoutClassRegistration g_layoutClass;

template <class T>
void ReleaseHeld(T*& held)
{
    if (held) {
        T* object = held;
        held = nullptr;
        object->Release();
    }
}

} // namespace

// Referenced by programs that create layouts through the class factory
// alone, so that the registration above is linked in.
extern "C" {
int HvLayoutClassLinked = 1;
}

LayoutPartMakers& LayoutParts()
{
    static LayoutPartMakers makers;
    return makers;
}

LayoutGridSeam* LayoutGridSeam::FromObject(CAutomationObject* object)
{
    return object ? dynamic_cast<LayoutGridSeam*>(object) : nullptr;
}

HvLayout::HvLayout(IUnknown* outer, LayoutGridSeam* grid)
    : CDualObject<IHvLayout>(outer, ObjectType::HvLayout), grid_(grid), tag_(this, 0), font_(this),
      addNewBoxLink_(this), overrideLink_(this), overridesLink_(this), appearancesLink_(this), bandsLink_(this),
      colRegionsLink_(this), rowRegionsLink_(this), valueListsLink_(this), pendingBandsLink_(this)
{
    interBandSpacing_ = TwipsToPixelsY(60);
}

HRESULT HvLayout::Create(IUnknown* outer, LayoutGridSeam* grid, HvLayout** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    InstallModelLayoutParts();
    HvLayout* layout = new (std::nothrow) HvLayout(outer, grid);
    if (!layout)
        return E_OUTOFMEMORY;
    HRESULT hr = layout->Construct();
    if (FAILED(hr)) {
        layout->PrivateUnknown()->Release();
        return hr;
    }
    *out = layout;
    return S_OK;
}

HRESULT HvLayout::Construct()
{
    HRESULT hr = HvAppearances::Create(this, &appearances_);
    if (SUCCEEDED(hr))
        hr = HvBands::Create(this, &bands_);
    if (SUCCEEDED(hr))
        hr = HvOverrides::Create(this, &overrides_);
    if (SUCCEEDED(hr))
        hr = HvColScrollRegions::Create(this, &colScrollRegions_);
    if (SUCCEEDED(hr))
        hr = HvRowScrollRegions::Create(this, &rowScrollRegions_);
    // Every layout has a region of each kind: one that could not be made
    // fails the layout (where the display makes regions at all).
    if (SUCCEEDED(hr) && ((LayoutParts().colScrollRegion && colScrollRegions_->ItemCount() < 1) ||
                          (LayoutParts().rowScrollRegion && rowScrollRegions_->ItemCount() < 1)))
        hr = E_OUTOFMEMORY;
    if (FAILED(hr))
        return hr;
    overridesLink_.RelinkSubscription(overrides_);
    appearancesLink_.RelinkSubscription(appearances_);
    bandsLink_.RelinkSubscription(bands_);
    colRegionsLink_.RelinkSubscription(colScrollRegions_);
    rowRegionsLink_.RelinkSubscription(rowScrollRegions_);
    appearance_.Init(this, appearances_, this);
    captionAppearance_.Init(this, appearances_, this);
    if (!grid_)
        BuildFont();
    return S_OK;
}

HvLayout::~HvLayout() = default;

HvLayout* HvLayout::FromObject(IUnknown* object)
{
    return dynamic_cast<HvLayout*>(CAutomationObject::FromInterface(object, IID_IHvLayout));
}

HRESULT HvLayout::InternalQueryInterface(REFIID iid, void** out)
{
    if (out && IsEqualIID(iid, IID_IPropertyNotifySink)) {
        *out = static_cast<IPropertyNotifySink*>(this);
        CUnknownObject::AddRef();
        return S_OK;
    }
    return CDualObject::InternalQueryInterface(iid, out);
}

void HvLayout::Detach()
{
    if (bands_) {
        for (LONG i = 0; i < bands_->ItemCount(); ++i)
            if (GridBandSeam* band = bands_->BandAt(i))
                if (HvKeyedItem* item = band->BandItem())
                    if (CAutomationObject* object = item->GetItemObject())
                        object->Deactivate();
        bands_->ClearCollection(true, 1);
    }
    if (pendingBands_) {
        pendingBandsLink_.Unlink();
        pendingBands_->DeactivateAllItems();
        ReleaseHeld(pendingBands_);
    }
    if (colScrollRegions_)
        colScrollRegions_->ClearCollection(true, 1);
    if (rowScrollRegions_)
        rowScrollRegions_->ClearCollection(true, 1);
    root_.reset();
    grid_ = nullptr;
    viewStyleObject_.reset();
    cellClickStrategy_.reset();
    cellSelectStrategy_.reset();
    rowSelectStrategy_.reset();
    colSelectStrategy_.reset();
}

// A layout that is no longer active (its grid has gone, or its last
// reference) takes everything a client may still hold with it: collections,
// their members, the add-new box and the override answer that they are no
// longer active.
void HvLayout::ReleaseReferences()
{
    Detach();
    if (addNewBox_) {
        addNewBoxLink_.Unlink();
        addNewBox_->Detach();
    }
    appearance_.Detach();
    captionAppearance_.Detach();
    if (override_) {
        overrideLink_.Unlink();
        Deactivate(override_);
    }
    overridesLink_.Unlink();
    appearancesLink_.Unlink();
    bandsLink_.Unlink();
    colRegionsLink_.Unlink();
    rowRegionsLink_.Unlink();
    valueListsLink_.Unlink();
    // The appearances go last: the others point at them.
    Deactivate(bands_);
    Deactivate(colScrollRegions_);
    Deactivate(rowScrollRegions_);
    Deactivate(overrides_);
    Deactivate(valueLists_);
    Deactivate(appearances_);
}

void HvLayout::OnFinalRelease()
{
    Deactivate();
    if (addNewBox_) {
        IHvAddNewBox* box = addNewBox_->Interface();
        addNewBox_ = nullptr;
        box->Release();
    }
    appearance_.ReleaseAppearance();
    captionAppearance_.ReleaseAppearance();
    ReleaseHeld(override_);
    ReleaseHeld(bands_);
    ReleaseHeld(overrides_);
    ReleaseHeld(colScrollRegions_);
    ReleaseHeld(rowScrollRegions_);
    ReleaseHeld(valueLists_);
    ReleaseHeld(appearances_);
    ReleaseHeld(dataFilter_);
    ReleaseHeld(sortFilter_);
    ReleaseHeld(drawFilter_);
    ReleaseHeld(autoSizeEdit_);
    if (cornerRegion_) {
        DeleteObject(cornerRegion_);
        cornerRegion_ = nullptr;
    }
    if (editBrush_)
        editBrush_ = nullptr; // the editor owns it
    if (CaptionHoldLayout() == this)
        RestoreCaptionWindows();
    font_.Disconnect();
    DetachAllSubscribers();
}

// ---------------------------------------------------------------------------
// Grid state

bool HvLayout::IsCurrentLayout() const
{
    return grid_ && grid_->IsAlive() && grid_->CurrentLayout() == this;
}

bool HvLayout::IsDesignMode()
{
    return grid_ && grid_->IsAlive() && grid_->IsDesignMode();
}

bool HvLayout::CanFireEvents(bool onlyIfCurrent)
{
    if (grid_ && grid_->IsAlive() && grid_->TestState(LayoutGridSeam::StateInitializing))
        return false;
    if (onlyIfCurrent && !IsCurrentLayout())
        return false;
    return grid_ && grid_->IsAlive() && grid_->CanFireEvents();
}

HWND HvLayout::GetGridWindow() const
{
    return grid_ && grid_->IsAlive() ? grid_->GridWindow() : nullptr;
}

HRESULT HvLayout::GetGridClientRect(RECT* rect)
{
    HWND window = GetGridWindow();
    if (!rect || !window || !IsWindowVisible(window))
        return RaiseError(LayoutError::NoRowset, LayoutError::NoRowsetString);
    GetClientRect(window, rect);
    return S_OK;
}

bool HvLayout::IsGridWindowVisible()
{
    HWND window = GetGridWindow();
    return window && IsWindowVisible(window);
}

int HvLayout::GetContainerScaleMode()
{
    return grid_ && grid_->IsAlive() ? grid_->ContainerScaleMode() : 1;
}

SIZE HvLayout::GetImageSize()
{
    if (grid_ && grid_->IsAlive())
        return grid_->ImageSize();
    return SIZE{0, 0};
}

// ---------------------------------------------------------------------------
// HvLayoutHost

HRESULT HvLayout::RaiseError(HRESULT result, WORD stringId)
{
    return Exception(result, stringId);
}

PropertySinkConnection* HvLayout::DefaultFont()
{
    BuildFont();
    return font_.Object() ? &font_ : nullptr;
}

bool HvLayout::IsAlive()
{
    return IsActive();
}

HRESULT HvLayout::ReportMessage(long code, const wchar_t* text, const wchar_t* caption)
{
    if (!grid_ || !grid_->IsAlive())
        return E_FAIL;
    return grid_->ReportMessage(code, text, caption);
}

// ---------------------------------------------------------------------------
// Units

double HvLayout::PixelsToUnitsX(LONG pixels)
{
    if (grid_ && grid_->IsAlive())
        return grid_->PixelsToContainerX(pixels);
    return PixelsToTwipsX(pixels);
}

double HvLayout::PixelsToUnitsY(LONG pixels)
{
    if (grid_ && grid_->IsAlive())
        return grid_->PixelsToContainerY(pixels);
    return PixelsToTwipsY(pixels);
}

LONG HvLayout::UnitsToPixelsX(float units)
{
    if (grid_ && grid_->IsAlive())
        return grid_->ContainerXToPixels(units);
    return TwipsToPixelsX(static_cast<int>(units));
}

LONG HvLayout::UnitsToPixelsY(float units)
{
    if (grid_ && grid_->IsAlive())
        return grid_->ContainerYToPixels(units);
    return TwipsToPixelsY(static_cast<int>(units));
}

LONG HvLayout::FixedPixelsToUnitsX(LONG pixels) { return PixelsToTwipsX(pixels); }
LONG HvLayout::FixedPixelsToUnitsY(LONG pixels) { return PixelsToTwipsY(pixels); }
LONG HvLayout::FixedUnitsToPixelsX(LONG twips) { return TwipsToPixelsX(twips); }
LONG HvLayout::FixedUnitsToPixelsY(LONG twips) { return TwipsToPixelsY(twips); }

// ---------------------------------------------------------------------------
// Font

void HvLayout::ConnectFont(IUnknown* font)
{
    font_.Connect(font);
}

void HvLayout::ResetBandMetrics()
{
    if (bands_)
        bands_->InvalidateAll();
}

void HvLayout::BuildFont()
{
    if (flags_ & (FlagUserFont | FlagAmbientFont))
        return;
    if (grid_ && grid_->IsAlive()) {
        IFont* ambient = nullptr;
        if (grid_->GetAmbientFont(&ambient) && ambient) {
            font_.AssignFont(nullptr, ambient);
            ambient->Release();
            flags_ |= FlagAmbientFont;
            ResetBandMetrics();
            return;
        }
        // A container without an ambient font: the stock font, as for a
        // layout without a grid.
    }
    if ((flags_ & FlagStockFont) && font_.Object())
        return;
    FONTDESC desc{};
    LOGFONTW logFont{};
    if (!StockFontDescription(desc, logFont))
        return;
    IUnknown* font = nullptr;
    if (FAILED(OleCreateFontIndirect(&desc, IID_IUnknown, reinterpret_cast<void**>(&font))) || !font)
        return;
    ConnectFont(font);
    flags_ |= FlagStockFont;
    ResetBandMetrics();
}

bool HvLayout::StockFontDescription(FONTDESC& desc, LOGFONTW& logFont)
{
    HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
    if (!stock || GetObjectW(stock, sizeof logFont, &logFont) == 0)
        stock = GetStockObject(SYSTEM_FONT);
    if (!stock || GetObjectW(stock, sizeof logFont, &logFont) == 0)
        return false;
    desc = FONTDESC{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = logFont.lfFaceName;
    desc.cySize.int64 = FontHeightToSize(logFont.lfHeight, 100);
    desc.sWeight = static_cast<SHORT>(logFont.lfWeight);
    desc.sCharset = logFont.lfCharSet;
    desc.fItalic = logFont.lfItalic != 0;
    desc.fUnderline = logFont.lfUnderline != 0;
    desc.fStrikethrough = logFont.lfStrikeOut != 0;
    return true;
}

LONG HvLayout::GetFontLineHeight(PropertySinkConnection* font)
{
    HFONT handle = font ? font->GetHFont() : nullptr;
    if (!handle)
        handle = font_.GetHFont();
    if (!handle)
        return 20;
    HDC dc = GetDC(nullptr);
    if (!dc)
        return 20;
    HGDIOBJ old = SelectObject(dc, handle);
    TEXTMETRICW metrics{};
    BOOL measured = GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return measured ? metrics.tmHeight + metrics.tmExternalLeading : 20;
}

STDMETHODIMP HvLayout::OnChanged(DISPID)
{
    flags_ |= FlagUserFont;
    NotifySubscribers(DISPID_FONT, 0);
    return S_OK;
}

STDMETHODIMP HvLayout::OnRequestEdit(DISPID)
{
    return S_OK;
}

// ---------------------------------------------------------------------------
// Sub-objects

HvValueLists* HvLayout::GetValueLists(bool create)
{
    if (!valueLists_ && create && SUCCEEDED(HvValueLists::Create(this, &valueLists_)))
        valueListsLink_.RelinkSubscription(valueLists_);
    return valueLists_;
}

HvOverride* HvLayout::GetOverride(bool create)
{
    if (!override_ && create && SUCCEEDED(HvOverride::Create(this, nullptr, nullptr, &override_)))
        overrideLink_.RelinkSubscription(override_);
    return override_;
}

LayoutAddNewBoxSeam* HvLayout::GetAddNewBox(bool create)
{
    if (!addNewBox_ && create && LayoutParts().addNewBox) {
        LayoutAddNewBoxSeam* box = nullptr;
        if (SUCCEEDED(LayoutParts().addNewBox(*this, &box)) && box) {
            addNewBox_ = box;
            if (ChangePublisher* publisher = box->Publisher())
                addNewBoxLink_.RelinkSubscription(publisher);
        }
    }
    return addNewBox_;
}

HvAutoSizeEdit* HvLayout::GetAutoSizeEdit()
{
    if (!autoSizeEdit_)
        autoSizeEdit_ = HvAutoSizeEdit::Create(this);
    return autoSizeEdit_;
}

HvColScrollRegions* HvLayout::GetColScrollRegions(bool bringUpToDate)
{
    if (colScrollRegions_ && bringUpToDate)
        colScrollRegions_->RecalcIfDirty();
    return colScrollRegions_;
}

AppearanceRef* HvLayout::GetOverrideAppearance(int slot)
{
    return override_ ? override_->GetAppearanceRef(slot) : nullptr;
}

std::unique_ptr<OverrideStrategy> HvLayout::CreateStrategy(OverrideStrategyKind kind, int value)
{
    if (kind == OverrideStrategyKind::CellClickAction)
        return CellClickActionHandler::Create(value);
    if (LayoutParts().selectStrategy)
        return LayoutParts().selectStrategy(kind, value);
    return nullptr;
}

OverrideStrategy* HvLayout::DefaultStrategy(std::unique_ptr<OverrideStrategy>& held, OverrideStrategyKind kind)
{
    if (!held) {
        // The layout's defaults: edit on click, extended selections.
        int value = kind == OverrideStrategyKind::CellClickAction ? CellClickActionHandler::Edit : 3;
        held = CreateStrategy(kind, value);
    }
    return held.get();
}

OverrideStrategy* HvLayout::GetDefaultCellClickStrategy()
{
    if (override_)
        if (OverrideStrategy* own = override_->GetCellClickActionHandler())
            return own;
    return DefaultStrategy(cellClickStrategy_, OverrideStrategyKind::CellClickAction);
}

OverrideStrategy* HvLayout::GetDefaultCellSelectStrategy()
{
    if (override_)
        if (OverrideStrategy* own = override_->GetSelectTypeCellHandler())
            return own;
    return DefaultStrategy(cellSelectStrategy_, OverrideStrategyKind::SelectTypeCell);
}

OverrideStrategy* HvLayout::GetDefaultRowSelectStrategy()
{
    if (override_)
        if (OverrideStrategy* own = override_->GetSelectTypeRowHandler())
            return own;
    return DefaultStrategy(rowSelectStrategy_, OverrideStrategyKind::SelectTypeRow);
}

OverrideStrategy* HvLayout::GetDefaultColSelectStrategy()
{
    if (override_)
        if (OverrideStrategy* own = override_->GetSelectTypeColHandler())
            return own;
    return DefaultStrategy(colSelectStrategy_, OverrideStrategyKind::SelectTypeCol);
}

// ---------------------------------------------------------------------------
// Scroll regions

RegionControlSeam* HvLayout::Control()
{
    return grid_ && grid_->IsAlive() ? grid_->RegionControl() : nullptr;
}

ColScrollRegionItem* HvLayout::CreateColScrollRegion(ChangeSubscriber* subscriber)
{
    return LayoutParts().colScrollRegion ? LayoutParts().colScrollRegion(*this, subscriber) : nullptr;
}

RowScrollRegionItem* HvLayout::CreateRowScrollRegion(ChangeSubscriber* subscriber)
{
    return LayoutParts().rowScrollRegion ? LayoutParts().rowScrollRegion(*this, subscriber) : nullptr;
}

bool HvLayout::DataAreaInnerRect(RECT* rect)
{
    if (!rect || !root_)
        return false;
    *rect = root_->Rect();
    return !IsRectEmpty(rect);
}

void HvLayout::UpdateTotalBandExtent()
{
    bandsExtent_ = bands_ ? bands_->GetMaxBandExtent() : 0;
}

LONG HvLayout::GetBandsExtent()
{
    GetColScrollRegions(true);
    return bandsExtent_;
}

void HvLayout::RepositionEditWindow()
{
    if (grid_ && grid_->IsAlive() && IsCurrentLayout())
        grid_->RepositionEditWindow();
}

bool HvLayout::IsActiveCellColumn(HvColumn* column)
{
    return grid_ && grid_->IsAlive() && IsCurrentLayout() && grid_->IsActiveCellColumn(column);
}

void HvLayout::ReportMaskError(const std::wstring& text, short position)
{
    if (grid_ && grid_->IsAlive() && IsCurrentLayout())
        grid_->ReportMaskError(text, position);
}

void HvLayout::PressSwapButton(HvColumnGroupImpl* item, const RECT& header)
{
    if (grid_ && grid_->IsAlive() && IsCurrentLayout())
        grid_->PressSwapButton(item, header);
}

bool HvLayout::IsSwapListOpenFor(HvColumnGroupImpl* item)
{
    return grid_ && grid_->IsAlive() && IsCurrentLayout() && grid_->IsSwapListOpenFor(item);
}

void HvLayout::MarkColScrollRegionsDirty()
{
    if (HvColScrollRegions* regions = GetColScrollRegions(false))
        regions->MarkAllScrollRegionsDirty(false);
}

void HvLayout::MarkRowScrollRegionsDirty()
{
    if (rowScrollRegions_)
        rowScrollRegions_->MarkRowScrollRegionsDirty(false);
}

bool HvLayout::ScrollRegionUpdatesSuspended()
{
    return grid_ && grid_->IsAlive() && grid_->TestState(LayoutGridSeam::StateInitializing);
}

int HvLayout::RowScrollRegionCount() const
{
    return rowScrollRegions_ ? rowScrollRegions_->ItemCount() : 0;
}

ScrollRegionSeam* HvLayout::RowScrollRegionAt(int index) const
{
    return rowScrollRegions_ ? rowScrollRegions_->RowRegionAt(index) : nullptr;
}

int HvLayout::ColScrollRegionCount() const
{
    return colScrollRegions_ ? colScrollRegions_->ItemCount() : 0;
}

ScrollRegionSeam* HvLayout::ColScrollRegionAt(int index) const
{
    return colScrollRegions_ ? colScrollRegions_->ColRegionAt(index) : nullptr;
}

ScrollRegionItem* HvLayout::GetActiveColScrollRegion()
{
    if (grid_ && grid_->IsAlive())
        return grid_->ActiveColScrollRegion();
    HvColScrollRegions* regions = GetColScrollRegions(true);
    return regions ? regions->GetFirstVisibleRegion() : nullptr;
}

ScrollRegionItem* HvLayout::GetActiveRowScrollRegion()
{
    if (grid_ && grid_->IsAlive())
        return grid_->ActiveRowScrollRegion();
    return rowScrollRegions_ ? rowScrollRegions_->GetFirstVisibleRegion() : nullptr;
}

void HvLayout::ActivateScrollRegion(bool next)
{
    ScrollRegionItem* col = GetActiveColScrollRegion();
    ScrollRegionItem* row = GetActiveRowScrollRegion();
    if (!col || !row || !grid_ || !grid_->IsAlive() || !colScrollRegions_ || !rowScrollRegions_)
        return;
    ScrollRegionItem* target =
        next ? colScrollRegions_->GetNextVisibleRegion(col, false) : colScrollRegions_->GetPrevVisibleRegion(col, false);
    if (!target) {
        // Past the last column region: the next row region (wrapping),
        // entered at its first (or, backwards, last) column region.
        ScrollRegionItem* nextRow = next ? rowScrollRegions_->GetNextVisibleRegion(row, true)
                                         : rowScrollRegions_->GetPrevVisibleRegion(row, true);
        if (nextRow && nextRow != row)
            grid_->SetActiveRowScrollRegion(nextRow);
        target = next ? colScrollRegions_->GetFirstVisibleRegion() : colScrollRegions_->GetPrevVisibleRegion(colScrollRegions_->GetFirstVisibleRegion(), true);
    }
    if (target && target != col)
        grid_->SetActiveColScrollRegion(target);
}

void HvLayout::ActivateNextScrollRegion()
{
    ActivateScrollRegion(true);
}

void HvLayout::ActivatePrevScrollRegion()
{
    ActivateScrollRegion(false);
}

// ---------------------------------------------------------------------------
// Bands

HRESULT HvLayout::CreateBand(ChangeSubscriber* subscriber, GridBandSeam* parent, const CDualString* key,
                             GridBandSeam** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!LayoutParts().band)
        return E_FAIL;
    return LayoutParts().band(*this, subscriber, parent, key, out);
}

bool HvLayout::IsGridOwnLayout()
{
    return IsCurrentLayout();
}

void HvLayout::NotifyAttachedInterface()
{
    if (grid_ && grid_->IsAlive())
        grid_->NotifyAttachedInterface();
}

SelectionControlSeam* HvLayout::GridControl()
{
    return grid_ && grid_->IsAlive() ? grid_->SelectionControl() : nullptr;
}

bool HvLayout::TestGridState(LONG state)
{
    return grid_ && grid_->IsAlive() && grid_->TestState(state);
}

GridBandSeam* HvLayout::GetFirstBand() const
{
    return bands_ && bands_->ItemCount() > 0 ? bands_->BandAt(0) : nullptr;
}

LONG HvLayout::IndexOfBand(GridBandSeam* band) const
{
    if (!band)
        return -1;
    for (HvBands* bands : {pendingBands_, bands_}) {
        if (!bands)
            continue;
        for (LONG i = 0; i < bands->ItemCount(); ++i)
            if (bands->BandAt(i) == band)
                return i;
    }
    return -1;
}

GridBandSeam* HvLayout::GetBandFromCollection(LONG index, bool preferPending) const
{
    HvBands* bands = pendingBands_ && preferPending ? pendingBands_ : bands_;
    return bands ? bands->BandAt(index) : nullptr;
}

LONG HvLayout::GetMinRowHeight()
{
    LONG smallest = 0;
    if (bands_)
        for (LONG i = 0; i < bands_->ItemCount(); ++i) {
            auto* band = dynamic_cast<HvBand*>(bands_->BandAt(i));
            if (!band || band->IsEffectivelyHidden())
                continue;
            const LONG height = band->CalcRowHeight(false);
            if (smallest == 0 || height < smallest)
                smallest = height;
        }
    return smallest > 0 ? smallest : 10;
}

LONG HvLayout::GetRootRowCount()
{
    auto* band = dynamic_cast<HvBand*>(GetFirstBand());
    BandBindingSeam* binding = band ? band->Binding() : nullptr;
    return binding ? binding->RowCount() : 1000;
}

HRGN HvLayout::GetCornerTriangleRegion()
{
    if (!cornerRegion_) {
        const POINT points[3] = {{0, 3}, {0, 0}, {3, 0}};
        cornerRegion_ = CreatePolygonRgn(points, 3, ALTERNATE);
    }
    return cornerRegion_;
}

void HvLayout::InvalidateHeaderHeights(GridBandSeam* band)
{
    if (band) {
        band->InvalidateHeaderHeights();
        return;
    }
    if (bands_)
        for (LONG i = 0; i < bands_->ItemCount(); ++i)
            if (GridBandSeam* each = bands_->BandAt(i))
                each->InvalidateHeaderHeights();
}

void HvLayout::CopyPendingBands()
{
    if (!pendingBands_)
        return;
    if (bands_)
        bands_->CopyFrom(*pendingBands_, -1);
    pendingBandsLink_.Unlink();
    ReleaseHeld(pendingBands_);
}

// ---------------------------------------------------------------------------
// Root element, view style, column metrics

LayoutRootElementSeam* HvLayout::GetRootUIElement(bool verify, bool evenWhileInitializing)
{
    if (!root_) {
        if (!LayoutParts().rootElement)
            return nullptr;
        root_ = LayoutParts().rootElement(*this);
        if (!root_)
            return nullptr;
        state1_ |= State1RootNeedsLayout;
    }
    const bool initializing = grid_ && grid_->IsAlive() && grid_->TestState(LayoutGridSeam::StateInitializing);
    if (initializing && !evenWhileInitializing)
        return root_.get();
    HWND window = GetGridWindow();
    if (window) {
        RECT rect = root_->Rect();
        if (IsRectEmpty(&rect)) {
            GetClientRect(window, &rect);
            root_->SetRect(rect);
        }
    }
    if (evenWhileInitializing && initializing)
        return root_.get();
    if (verify && IsCurrentLayout() && !grid_->IsTearingDown()) {
        RECT rect = root_->Rect();
        if (!IsRectEmpty(&rect))
            root_->VerifyChildElements();
    }
    return root_.get();
}

void HvLayout::DirtyRootUIElement(bool setLayoutFlag, bool how)
{
    if (setLayoutFlag)
        state1_ |= State1RootNeedsLayout;
    if (root_)
        root_->MarkChanged(how ? 1 : 0);
}

void HvLayout::FitToClientRect()
{
    HWND window = GetGridWindow();
    if (!window || !IsWindowVisible(window))
        return;
    RECT rect{};
    GetClientRect(window, &rect);
    if (LayoutRootElementSeam* root = GetRootUIElement(false, true))
        root->SetRect(rect);
    if (rowScrollRegions_)
        rowScrollRegions_->UpdateScrollBars();
    if (colScrollRegions_)
        colScrollRegions_->UpdateScrollBars();
}

LayoutViewStyleSeam* HvLayout::GetViewStyleObject()
{
    if (!viewStyleObject_) {
        if (viewStyle_ > 1 || viewStyleBand_ > 1 || !LayoutParts().viewStyle)
            return nullptr;
        viewStyleObject_ = LayoutParts().viewStyle(*this, viewStyle_, viewStyleBand_);
        if (!viewStyleObject_)
            return nullptr;
        if (colScrollRegions_)
            colScrollRegions_->MarkAllScrollRegionsDirty(false);
        else
            MarkRowScrollRegionsDirty();
    }
    return viewStyleObject_.get();
}

void HvLayout::DiscardViewStyleObject()
{
    viewStyleObject_.reset();
    NotifySubscribers(2114, 0);
}

void HvLayout::SetColumnMetricsDirty(bool unlessRecalculating)
{
    const bool initializing = grid_ && grid_->IsAlive() && grid_->TestState(LayoutGridSeam::StateInitializing);
    if (!initializing && unlessRecalculating && colScrollRegions_ && colScrollRegions_->Recalculating())
        return;
    state2_ |= State2ColumnMetricsDirty;
}

void HvLayout::RecalcColumnMetricsIfDirty()
{
    if (!(state2_ & State2ColumnMetricsDirty) || !viewStyleObject_)
        return;
    if (grid_ && grid_->IsAlive() && grid_->TestState(LayoutGridSeam::StateInitializing))
        return;
    state2_ &= static_cast<BYTE>(~State2ColumnMetricsDirty);
    if (!bands_)
        return;
    GridBandSeam* previous = nullptr;
    int counted = 0;
    for (LONG i = 0; i < bands_->ItemCount(); ++i) {
        GridBandSeam* band = bands_->BandAt(i);
        if (!band || band->IsEffectivelyHidden())
            continue;
        if (viewStyleObject_->BandLevel(band) != 3)
            ++counted;
        previous = band;
        if (!viewStyleObject_->NeedsFurtherBands(band))
            break;
    }
    (void)previous;
    if (counted > 0)
        if (GridBandSeam* first = GetFirstBand())
            first->LayoutHeaders(nullptr);
}

// ---------------------------------------------------------------------------
// Borders and colours

LONG HvLayout::BorderWidthFromStyle(LONG style)
{
    switch (style) {
    case 0: return 1;
    case 1: return 0;
    case 2: case 3: case 4: case 5: return 1;
    case 6: case 7: return 2;
    case 8: case 9: return 1;
    default: return 0;
    }
}

bool HvLayout::IsThinBorderStyle(LONG style)
{
    return style == 0 || (style >= 2 && style <= 5);
}

LONG HvLayout::ResolveRowConnectorBorderStyle() const
{
    switch (rowConnectorStyle_) {
    case 0: return 2;
    case 6: return 8;
    case 7: return 9;
    default: return rowConnectorStyle_;
    }
}

COLORREF HvLayout::GetRowConnectorColorRGB() const
{
    COLORREF color = 0;
    if (FAILED(OleTranslateColor(rowConnectorColor_, nullptr, &color)))
        color = GetSysColor(COLOR_BTNSHADOW);
    return color;
}
