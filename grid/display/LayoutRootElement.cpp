// LayoutRootElement: the grid element over a real layout.
#include "LayoutRootElement.h"

#include "AppearanceData.h"
#include "HvColScrollRegions.h"
#include "HvGridUIElement.h"
#include "HvLayout.h"
#include "HvRowScrollRegions.h"
#include "HvTVDraw.h"
#include "LayoutViewStyle.h"
#include "OverrideBandSeam.h"

#include <new>

namespace {

LayoutRootElement::ControlLookup g_controlLookup = nullptr;

// The caption's resolution: the layout's own part code with the caption
// state set.
constexpr std::size_t CaptionState = 4;

RECT MapToGrid(HWND grid, RECT rect)
{
    MapWindowPoints(nullptr, grid, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

void LayoutRootElement::SetControlLookup(ControlLookup lookup)
{
    g_controlLookup = lookup;
}

LayoutRootElement::LayoutRootElement(HvLayout& layout) : layout_(layout) {}

LayoutRootElement::~LayoutRootElement()
{
    if (element_) {
        element_->Deactivate();
        element_->Release();
    }
    if (draw_)
        draw_->Release();
}

std::unique_ptr<LayoutRootElementSeam> LayoutRootElement::Make(HvLayout& layout)
{
    std::unique_ptr<LayoutRootElement> root(new (std::nothrow) LayoutRootElement(layout));
    if (!root)
        return nullptr;
    root->element_ = HvGridUIElement::Make(root.get(), root.get(), RECT{});
    if (!root->element_)
        return nullptr;
    return root;
}

HvGridUIElement* LayoutRootElement::GridElement(LayoutRootElementSeam* root)
{
    auto* own = dynamic_cast<LayoutRootElement*>(root);
    return own ? own->element_ : nullptr;
}

// ---- LayoutRootElementSeam ----

RECT LayoutRootElement::Rect()
{
    return element_->StoredRect();
}

void LayoutRootElement::SetRect(const RECT& rect)
{
    element_->SetRect(rect, false);
}

void LayoutRootElement::MarkChanged(int how)
{
    if (how != 0) {
        relayout_ = true;
        element_->SetChanged();
    }
    element_->Invalidate(false, false);
}

void LayoutRootElement::VerifyChildElements()
{
    element_->VerifyChildElements();
}

void LayoutRootElement::RedrawAddNewBox()
{
    DescendantQuery query;
    query.type = UIElementType::AddNewBox;
    if (HvUIElement* box = element_->GetDescendant(query)) {
        box->SetChanged();
        box->Invalidate(false, false);
    }
}

IHvUIElement* LayoutRootElement::AddNewBoxElement()
{
    DescendantQuery query;
    query.type = UIElementType::AddNewBox;
    HvUIElement* box = element_->GetDescendant(query);
    if (!box)
        return nullptr;
    box->AddRef();
    return box;
}

// ---- UIElementLayoutSeam ----

bool LayoutRootElement::IsLayoutActive()
{
    return layout_.IsActive();
}

IDispatch* LayoutRootElement::LayoutDispatch()
{
    return static_cast<IHvLayout*>(&layout_);
}

UIElementControlSeam* LayoutRootElement::GetControl()
{
    return g_controlLookup && layout_.IsActive() ? g_controlLookup(layout_) : nullptr;
}

HvUIElement* LayoutRootElement::GetRootUIElement()
{
    return element_;
}

void LayoutRootElement::FitToClientRect()
{
    layout_.FitToClientRect();
}

HvTVDraw* LayoutRootElement::GetDrawObject()
{
    if (!layout_.DrawFilter())
        return nullptr;
    if (!draw_)
        HvTVDraw::Create(&layout_, &draw_);
    return draw_;
}

IHvTVDrawFilter* LayoutRootElement::GetDrawFilter()
{
    return layout_.DrawFilter();
}

HWND LayoutRootElement::GetEditWindow()
{
    return layout_.EditWindow();
}

HWND LayoutRootElement::GetActiveCellEditWindow()
{
    // The layout's shared editor is the window that edits the active cell.
    return layout_.EditWindow();
}

bool LayoutRootElement::GetFormRect(RECT& rect)
{
    HWND grid = layout_.GetGridWindow();
    HWND form = layout_.GetContainerFormWindow();
    if (!grid || !form || !GetWindowRect(form, &rect))
        return false;
    rect = MapToGrid(grid, rect);
    return true;
}

bool LayoutRootElement::GetContainerRect(RECT& rect)
{
    HWND grid = layout_.GetGridWindow();
    HWND parent = grid ? GetParent(grid) : nullptr;
    if (!parent || !GetWindowRect(parent, &rect))
        return false;
    rect = MapToGrid(grid, rect);
    return true;
}

// ---- GridElementLayoutSeam ----

long LayoutRootElement::ResolveBorderStyle()
{
    return layout_.ResolveBorderStyle();
}

long LayoutRootElement::ResolveCaptionBorderStyle()
{
    return layout_.ResolveBorderStyleCaption();
}

long LayoutRootElement::CaptionHeight()
{
    return layout_.GetCaptionHeight();
}

bool LayoutRootElement::IsAddNewBoxVisible()
{
    return layout_.IsAddNewBoxVisible();
}

long LayoutRootElement::AddNewBoxExtent()
{
    return layout_.GetAddNewBoxExtent();
}

bool LayoutRootElement::AlphaBlendEnabled()
{
    VARIANT_BOOL enabled = VARIANT_FALSE;
    layout_.get_AlphaBlendEnabled(&enabled);
    return enabled != VARIANT_FALSE;
}

bool LayoutRootElement::IsBusy()
{
    return layout_.Sorting().IsSorting();
}

bool LayoutRootElement::TakeRelayoutRequest()
{
    const bool asked = relayout_;
    relayout_ = false;
    return asked;
}

bool LayoutRootElement::IsDesignMode()
{
    return layout_.IsDesignMode();
}

void LayoutRootElement::ResolveGridAppearance(AppearanceData& data, std::uint32_t mask)
{
    AppearanceRequest request;
    request.requestMask = mask;
    layout_.ResolveAppearance(data, request);
}

void LayoutRootElement::ResolveCaptionAppearance(AppearanceData& data, std::uint32_t mask)
{
    AppearanceRequest request;
    request.requestMask = mask;
    request.part = HvLayout::Kind;
    request.state[CaptionState] = 1;
    layout_.ResolveAppearance(data, request);
}

bool LayoutRootElement::PlaceCaptionPicture(RECT& rect, RECT& pictureRect, const AppearanceData& data)
{
    if (!layout_.ResolvePicture(data, nullptr))
        return false;
    layout_.PositionPicture(rect, &pictureRect, data);
    return true;
}

HvUIElementOwner* LayoutRootElement::CaptionOwner()
{
    return layout_.CaptionOwner();
}

void LayoutRootElement::UpdateScrollBars()
{
    if (HvRowScrollRegions* rows = layout_.RowScrollRegions())
        rows->UpdateScrollBars();
    if (HvColScrollRegions* cols = layout_.ColScrollRegions())
        cols->UpdateScrollBars();
}

void LayoutRootElement::RepositionActiveEditWindow()
{
    // The active cell moves its editor back over itself.
    layout_.RepositionEditWindow();
}

void InstallDisplayLayoutParts()
{
    LayoutPartMakers& makers = LayoutParts();
    if (!makers.rootElement)
        makers.rootElement = &LayoutRootElement::Make;
    if (!makers.viewStyle)
        makers.viewStyle = &LayoutViewStyle::Make;
}
