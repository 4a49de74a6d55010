// What the control gives the grid display: the scroll and split events of
// its regions, and the display's hooks installed when the library starts
// (the Redraw test of the scroll bars, the rows of the row model).
#include "HvTavelle.h"

#include "DisplayRowAdapter.h"
#include "AppearanceData.h"
#include "EventEnableMask.h"
#include "Guarded.h"
#include "HvAppearance.h"
#include "HvGridUIElement.h"
#include "HvLayout.h"
#include "HvNoneUIElement.h"
#include "LayoutRootElement.h"
#include "OverrideBandSeam.h"
#include "ScrollBar.h"

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

} // namespace

// ---- element queries ----

HvGridUIElement* HvTavelle::RootForClients(bool create)
{
    if (!layout_)
        return nullptr;
    LayoutRootElementSeam* root = create ? layout_->GetRootUIElement(true, false) : layout_->RootUIElement();
    return root ? LayoutRootElement::GridElement(root) : nullptr;
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

} // namespace

void InstallControlDisplayHooks()
{
    CScrollBar::SetRedrawOffQuery(&IsGridRedrawOff);
    InstallDisplayRows();
}
