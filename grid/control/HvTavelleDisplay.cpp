// What the control gives the grid display: the scroll and split events of
// its regions, and the display's hooks installed when the library starts
// (the Redraw test of the scroll bars, the rows of the row model).
#include "HvTavelle.h"

#include "DisplayRowAdapter.h"
#include "AppearanceData.h"
#include "BandElementLookup.h"
#include "EventEnableMask.h"
#include "Guarded.h"
#include "HvAppearance.h"
#include "HeaderElementLookup.h"
#include "HvBand.h"
#include "HvColScrollRegion.h"
#include "HvCellUIElement.h"
#include "HvColumnGroupImpl.h"
#include "HvGridUIElement.h"
#include "HvHeader.h"
#include "HvLayout.h"
#include "HvNoneUIElement.h"
#include "HvRowScrollRegion.h"
#include "LayoutRootElement.h"
#include "OverrideBandSeam.h"
#include "OwnedElementLookup.h"
#include "ScrollRegionItem.h"
#include "ScrollBar.h"
#include "TipPlacement.h"
#include "ToolTipTool.h"

#include <algorithm>

namespace {

constexpr HRESULT InvalidValue = static_cast<HRESULT>(0x800A017C);
constexpr WORD InvalidValueString = 10380;
constexpr HRESULT NoRowset = static_cast<HRESULT>(0x800A9C47);
constexpr WORD NoRowsetString = 3000;

bool IsTrue(const VARIANT* value)
{
    if (!value || V_VT(value) == VT_ERROR || V_VT(value) == VT_EMPTY)
        return false;
    VARIANT flag;
    VariantInit(&flag);
    VARIANT given = *value;
    return SUCCEEDED(VariantChangeType(&flag, &given, 0, VT_BOOL)) && V_BOOL(&flag) != VARIANT_FALSE;
}

// An optional argument that was given.
bool IsGiven(const VARIANT* value)
{
    if (!value)
        return false;
    const VARIANT& v = V_VT(value) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(value) ? *V_VARIANTREF(value) : *value;
    return V_VT(&v) != VT_EMPTY && !(V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND);
}

// Lines of a text (at least one).
int LineCount(const wchar_t* text)
{
    int lines = 1;
    for (const wchar_t* at = text; *at; ++at)
        if (*at == L'\n')
            ++lines;
    return lines;
}

} // namespace

// ---- scroll tip ----

void HvTavelle::ShowScrollTip(const wchar_t* text, const RECT& bar)
{
    ToolTipTool* tool = GetControlToolTip();
    ToolTipWindow* tip = TipWindow();
    HWND tipWindow = tip ? tip->Window() : nullptr;
    if (!tool || !tipWindow || !text || !*text)
        return;
    // The text measured in the tip's font.
    RECT measured = {0, 0, 0, 0};
    if (HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr)) {
        auto* font = reinterpret_cast<HFONT>(SendMessageW(tipWindow, WM_GETFONT, 0, 0));
        HGDIOBJ old = font ? SelectObject(ic, font) : nullptr;
        DrawTextW(ic, text, -1, &measured, DT_CALCRECT | DT_NOPREFIX);
        if (old)
            SelectObject(ic, old);
        DeleteDC(ic);
    }
    long width = measured.right - measured.left;
    long height = measured.bottom - measured.top;

    // Beside the bar, on the side with more room, next to the cursor.
    RECT widened = bar;
    InflateRect(&widened, GetSystemMetrics(SM_CXVSCROLL), 0);
    POINT cursor{};
    GetCursorPos(&cursor);
    const RECT work = WorkAreaAtPoint(cursor);
    const bool right = work.right - widened.right >= widened.left - work.left;
    const long room = std::max<long>(right ? work.right - widened.right : widened.left - work.left, 1);
    if (width > room - 12) {
        width = std::max<long>(room - 12, 1);
        height += height / LineCount(text);
    }
    RECT place;
    place.left = right ? widened.right : widened.left - (width + 12);
    place.top = cursor.y;
    place.right = place.left + width + 12;
    place.bottom = place.top + height + 4;
    FitRectToWorkArea(&place, &widened, true, false, false, false);

    tip->SetMaxTipWidth(static_cast<int>(width + 12));
    tip->SetMargin(RECT{3, 0, 3, 0});
    tool->SetText(text);
    tool->SetRect(place);
    tip->TrackPosition(POINT{place.left, place.top});
    tool->TrackActivate(TRUE);
}

// ---- element queries ----

HvGridUIElement* HvTavelle::RootForClients(bool create)
{
    if (!layout_)
        return nullptr;
    LayoutRootElementSeam* root = create ? layout_->GetRootUIElement(true, false) : layout_->RootUIElement();
    return root ? LayoutRootElement::GridElement(root) : nullptr;
}

HRESULT HvTavelle::FindShownElement(DescendantQuery& query, VARIANT* rowRegion, VARIANT* colRegion,
                                    IHvUIElement** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    HvGridUIElement* root = RootForClients(true);
    if (!root)
        return S_OK;
    ScrollRegionItem* rows = nullptr;
    ScrollRegionItem* cols = nullptr;
    HRESULT hr = IsGiven(rowRegion) ? layout_->RowScrollRegionFromVariant(*rowRegion, &rows) : S_OK;
    if (SUCCEEDED(hr))
        hr = IsGiven(colRegion) ? layout_->ColScrollRegionFromVariant(*colRegion, &cols) : S_OK;
    if (FAILED(hr))
        return hr;
    if (!rows)
        rows = layout_->GetActiveRowScrollRegion();
    if (!cols)
        cols = layout_->GetActiveColScrollRegion();
    query.rowScrollRegion = rows ? rows->GetItemObject() : nullptr;
    query.colScrollRegion = cols ? cols->GetItemObject() : nullptr;
    if (!IsPainting())
        root->VerifyChildElements();
    HvUIElement* found = root->GetDescendant(query);
    return found ? found->QueryInterface(IID_IHvUIElement, reinterpret_cast<void**>(out)) : S_OK;
}

HRESULT HvTavelle::GetRowElement(HvRow* row, VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out)
{
    DescendantQuery query;
    query.type = UIElementType::Row;
    query.row = row;
    return FindShownElement(query, rowRegion, colRegion, out);
}

HRESULT HvTavelle::GetCellElement(HvCell* cell, VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out)
{
    DescendantQuery query;
    query.type = UIElementType::Cell;
    query.cell = cell;
    return FindShownElement(query, rowRegion, colRegion, out);
}

STDMETHODIMP HvTavelle::GetUIElement(IHvUIElement** Element)
{
    if (!Element)
        return E_INVALIDARG;
    *Element = nullptr;
    return Guarded([&]() -> HRESULT {
        HvGridUIElement* root = RootForClients(true);
        if (!root)
            return E_OUTOFMEMORY;
        return root->QueryInterface(IID_IHvUIElement, reinterpret_cast<void**>(Element));
    });
}

STDMETHODIMP HvTavelle::GetUIElementPopup(Constants_UIElementPopup Type, IHvUIElement** Element)
{
    if (!Element)
        return E_INVALIDARG;
    if (Type != 500 && Type != 600)
        return Exception(InvalidValue, InvalidValueString);
    *Element = nullptr;
    return Guarded([&]() -> HRESULT {
        HvGridUIElement* root = RootForClients(true);
        if (!root)
            return E_OUTOFMEMORY;
        DescendantQuery query;
        query.type = static_cast<ULONG>(Type);
        HvUIElement* popup = root->GetDescendant(query);
        return popup ? popup->QueryInterface(IID_IHvUIElement, reinterpret_cast<void**>(Element)) : E_FAIL;
    });
}

STDMETHODIMP HvTavelle::UIElementFromPoint(float X, float Y, VARIANT* IgnorePopups, IHvUIElement** Element)
{
    if (!Element)
        return E_INVALIDARG;
    *Element = nullptr;
    return Guarded([&]() -> HRESULT {
        if (!layout_)
            return E_FAIL;
        const POINT point = {layout_->UnitsToPixelsX(X), layout_->UnitsToPixelsY(Y)};
        HvUIElement* found = nullptr;
        if (HvGridUIElement* root = RootForClients(false)) {
            if (!IsPainting())
                root->VerifyChildElements();
            found = root->ElementFromPoint(point, UIElementType::Any, false, IsTrue(IgnorePopups));
        }
        if (found)
            return found->QueryInterface(IID_IHvUIElement, reinterpret_cast<void**>(Element));
        // Nothing lies there: the none element, which is not in the tree.
        LayoutRootElementSeam* seam = layout_->RootUIElement();
        HvNoneUIElement* none = HvNoneUIElement::Make(dynamic_cast<UIElementLayoutSeam*>(seam));
        if (!none)
            return S_OK;
        const HRESULT hr = none->QueryInterface(IID_IHvUIElement, reinterpret_cast<void**>(Element));
        none->Release();
        return hr;
    });
}

STDMETHODIMP HvTavelle::ResolveAppearance(IHvAppearance** Appearance)
{
    if (!Appearance)
        return E_INVALIDARG;
    *Appearance = nullptr;
    return Guarded([&]() -> HRESULT {
        if (!IsAlive())
            return NotActiveError();
        if (!layout_)
            return Exception(NoRowset, NoRowsetString);
        HvAppearance* made = nullptr;
        if (FAILED(HvAppearance::Create(layout_, true, nullptr, nullptr, &made)) || !made)
            return E_OUTOFMEMORY;
        HRESULT hr = made->EnsureAppearanceData();
        if (SUCCEEDED(hr)) {
            AppearanceRequest request;
            request.requestMask = 0x3007FFFF;
            layout_->ResolveAppearance(*made->MutableAppearanceData(), request);
            hr = made->QueryInterface(IID_IHvAppearance, reinterpret_cast<void**>(Appearance));
        }
        made->Release();
        return hr;
    });
}

bool HvTavelle::FireBeforeRowRegionScroll(IDispatch* newState, IDispatch* oldState)
{
    return gate_ && gate_->Fire_BeforeRowRegionScroll(newState, oldState);
}

void HvTavelle::FireAfterRowRegionScroll(IDispatch* region)
{
    if (gate_)
        gate_->Fire_AfterRowRegionScroll(region);
}

bool HvTavelle::FireBeforeColRegionScroll(IDispatch* newState, IDispatch* oldState)
{
    return gate_ && gate_->Fire_BeforeColRegionScroll(newState, oldState);
}

void HvTavelle::FireAfterColRegionScroll(IDispatch* region)
{
    if (gate_)
        gate_->Fire_AfterColRegionScroll(region);
}

bool HvTavelle::FireBeforeRowRegionSplit(IDispatch* original, IDispatch* added)
{
    return gate_ && gate_->Fire_BeforeRowRegionSplit(original, added);
}

bool HvTavelle::FireBeforeColRegionSplit(IDispatch* original, IDispatch* added)
{
    return gate_ && gate_->Fire_BeforeColRegionSplit(original, added);
}

void HvTavelle::FireAfterRowRegionSize(IDispatch* region)
{
    if (gate_)
        gate_->Fire_AfterRowRegionSize(region);
}

void HvTavelle::FireAfterColRegionSize(IDispatch* region)
{
    if (gate_)
        gate_->Fire_AfterColRegionSize(region);
}

namespace {

// The scroll bars do not paint while their grid's Redraw is off.
bool IsGridRedrawOff(HWND grid)
{
    wchar_t name[32] = {};
    if (!GetClassNameW(grid, name, 32) || lstrcmpW(name, L"HvTavelleWndClass") != 0)
        return false;
    const LONG_PTR stored = GetWindowLongPtrW(grid, GWLP_USERDATA);
    if (stored == 0 || stored == -1)
        return false;
    auto* control = dynamic_cast<HvTavelle*>(reinterpret_cast<CControlEmbedding*>(stored));
    return control && control->IsAlive() && !control->IsDesignMode() && !control->IsRedrawOn();
}

// The header's element in the grid that shows its band.
HRESULT FindHeaderElement(HvHeader& header, VARIANT* rowRegion, VARIANT* colRegion, IHvUIElement** out)
{
    HvColumnGroupImpl* item = header.Owner();
    auto* band = item ? dynamic_cast<HvBand*>(item->Band()) : nullptr;
    auto* layout = band ? dynamic_cast<HvLayout*>(band->OwnerLayout()) : nullptr;
    auto* control = layout ? dynamic_cast<HvTavelle*>(layout->Grid()) : nullptr;
    if (!control || !control->IsAlive())
        return S_OK;
    DescendantQuery query;
    query.type = UIElementType::Header;
    query.header = &header;
    return control->FindShownElement(query, rowRegion, colRegion, out);
}

// The band's button in the add-new box of the grid that shows its layout.
UIElementSeam* FindBandElement(HvBand& band)
{
    auto* layout = dynamic_cast<HvLayout*>(band.OwnerLayout());
    auto* control = layout ? dynamic_cast<HvTavelle*>(layout->Grid()) : nullptr;
    HvGridUIElement* root = control && control->IsAlive() ? control->GetRootElement(false) : nullptr;
    if (!root)
        return nullptr;
    DescendantQuery query;
    query.type = UIElementType::AddNewRowButton;
    query.band = &band;
    return root->GetDescendant(query);
}

CAutomationObject* RegionObject(ScrollRegionSeam* region)
{
    auto* item = dynamic_cast<ScrollRegionItem*>(region);
    return item ? item->GetItemObject() : nullptr;
}

// The element of a header, cell, row preview, the add-new box or the
// caption in the tree of the grid that shows the layout.
UIElementSeam* FindOwnedElementOf(HvLayout& layout, const OwnedElementQuery& asked, bool /*create*/)
{
    auto* control = dynamic_cast<HvTavelle*>(layout.Grid());
    if (!control || !control->IsAlive() || control->Layout() != &layout)
        return nullptr;
    HvGridUIElement* root = control->GetRootElement(false);
    if (!root)
        return nullptr;
    DescendantQuery query;
    query.type = asked.type;
    query.row = asked.row;
    query.header = asked.header;
    query.cell = asked.cell;
    query.rowScrollRegion = RegionObject(asked.rowRegion);
    query.colScrollRegion = RegionObject(asked.colRegion);
    return root->GetDescendant(query);
}

// Marks every cell element of the column under element changed and
// invalidates it.
void RefreshCellsUnder(HvUIElement* element, const HvColumnGroupImpl& column)
{
    if (element->Type() == UIElementType::Cell) {
        auto* cell = dynamic_cast<HvCellUIElement*>(element);
        if (cell && cell->Column() == &column) {
            cell->SetChanged();
            cell->Invalidate();
        }
        return;
    }
    for (HvUIElement* child : element->ChildSnapshot()) {
        RefreshCellsUnder(child, column);
        child->Release();
    }
}

void RefreshColumnCellsOf(HvLayout& layout, HvColumnGroupImpl& column)
{
    auto* control = dynamic_cast<HvTavelle*>(layout.Grid());
    if (!control || !control->IsAlive() || control->Layout() != &layout)
        return;
    if (HvGridUIElement* root = control->GetRootElement(false))
        RefreshCellsUnder(root, column);
}

// Automatic scrolling asks the region under the drag: rows by the
// pointer's distance above or below the region, columns left or right.
bool AutoScrollInterval(ScrollRegionItem* region, bool rows, int x, int y, UINT* interval)
{
    UINT period = 0;
    if (rows) {
        if (auto* rowRegion = dynamic_cast<HvRowScrollRegion*>(region))
            period = rowRegion->AutoScrollPeriod(y);
    } else if (auto* colRegion = dynamic_cast<HvColScrollRegion*>(region)) {
        period = colRegion->AutoScrollPeriod(x);
    }
    if (interval)
        *interval = period;
    return period != 0;
}

void AutoScrollToward(ScrollRegionItem* region, bool rows, int x, int y, UINT)
{
    if (rows) {
        if (auto* rowRegion = dynamic_cast<HvRowScrollRegion*>(region))
            rowRegion->AutoScrollToward(y);
    } else if (auto* colRegion = dynamic_cast<HvColScrollRegion*>(region)) {
        colRegion->AutoScrollToward(x);
    }
}

} // namespace

void InstallControlDisplayHooks()
{
    HvTavelle::AutoScrollHooks autoScroll;
    autoScroll.interval = &AutoScrollInterval;
    autoScroll.toward = &AutoScrollToward;
    HvTavelle::SetAutoScrollHooks(autoScroll);
    CScrollBar::SetRedrawOffQuery(&IsGridRedrawOff);
    InstallDisplayRows();
    HeaderElementLookup() = &FindHeaderElement;
    BandElementLookup() = &FindBandElement;
    OwnedElementLookup() = &FindOwnedElementOf;
    ColumnCellsRefresh() = &RefreshColumnCellsOf;
}
