// HvLayout: what bands, columns and groups ask of the layout that owns them
// and, through it, of the grid and the view-style strategy.
#include "HvLayout.h"

#include "AppearanceData.h"
#include "HvAppearance.h"
#include "LayoutGridSeam.h"
#include "LayoutPartsSeam.h"
#include "OverrideBandSeam.h"
#include "OwnedElementLookup.h"

#include <cstdint>

HRESULT HvLayout::QueryLayout(IHvLayout** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = static_cast<IHvLayout*>(this);
    AddRef();
    return S_OK;
}

PropertySinkConnection* HvLayout::AppearanceFont()
{
    if (PropertySinkConnection* font = appearance_.GetFontConnection())
        if (font->Object())
            return font;
    return DefaultFont();
}

bool HvLayout::HasViewStyle()
{
    return GetViewStyleObject() != nullptr;
}

bool HvLayout::ViewStyleHidesChildBands()
{
    LayoutViewStyleSeam* style = GetViewStyleObject();
    return style && style->HidesChildBands();
}

bool HvLayout::ViewStyleSyncsRowHeights()
{
    LayoutViewStyleSeam* style = GetViewStyleObject();
    return style && style->SyncsRowHeights();
}

void HvLayout::ViewStylePlaceBand(HvBand* band)
{
    if (LayoutViewStyleSeam* style = GetViewStyleObject())
        style->PlaceBand(band);
}

void HvLayout::ViewStyleExtentChanged(HvBand* band, LONG delta)
{
    if (LayoutViewStyleSeam* style = GetViewStyleObject())
        style->ExtentChanged(band, delta);
}

LONG HvLayout::AddNewButtonBorderStyle()
{
    return addNewBox_ ? addNewBox_->ButtonBorderStyle() : 0;
}

HCURSOR HvLayout::AddNewButtonCursor()
{
    return addNewBox_ ? addNewBox_->ButtonCursor() : nullptr;
}

BandGridSeam* HvLayout::Grid()
{
    return grid_ && grid_->IsAlive() ? grid_->BandGrid() : nullptr;
}

HRESULT HvLayout::CreateColumn(HvBand* band, const CDualString* key, LONG flags, GridColumnSeam** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!LayoutParts().column)
        return E_FAIL;
    return LayoutParts().column(*this, band, key, flags, out);
}

HRESULT HvLayout::CreateGroup(HvBand* band, HvGroups* groups, const CDualString* key, GridGroupSeam** out)
{
    if (!out)
        return E_INVALIDARG;
    *out = nullptr;
    if (!LayoutParts().group)
        return E_FAIL;
    return LayoutParts().group(*this, band, groups, key, out);
}

bool HvLayout::FireBeforeColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns)
{
    return grid_ && grid_->IsAlive() && grid_->FireBeforeColPosChanged(action, columns);
}

void HvLayout::FireAfterColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns)
{
    if (grid_ && grid_->IsAlive())
        grid_->FireAfterColPosChanged(action, columns);
}

bool HvLayout::FireBeforeGroupPosChanged(Constants_PosChanged action, IHvGroups* groups)
{
    return grid_ && grid_->IsAlive() && grid_->FireBeforeGroupPosChanged(action, groups);
}

void HvLayout::FireAfterGroupPosChanged(Constants_PosChanged action, IHvGroups* groups)
{
    if (grid_ && grid_->IsAlive())
        grid_->FireAfterGroupPosChanged(action, groups);
}

void HvLayout::ApplyDefaultAppearance(AppearanceData& block, AppearanceRequest& request)
{
    std::uint32_t resolved = request.resolvedMask;
    const std::uint32_t mask = request.requestMask;
    auto fill = [&](std::uint32_t bit, OLE_COLOR colour) {
        if (!(mask & bit) || (resolved & bit))
            return;
        if (bit == AppearanceBit::BackColor)
            block.SetBackColor(colour);
        else if (bit == AppearanceBit::BorderColor)
            block.SetBorderColor(colour);
        else
            block.SetForeColor(colour);
        resolved |= bit;
    };
    fill(AppearanceBit::BackColor, 0x8000000F);
    fill(AppearanceBit::BorderColor, 0x80000006);
    fill(AppearanceBit::ForeColor, 0x80000012);
    if ((mask & AppearanceBit::AlphaLevel) && !(resolved & AppearanceBit::AlphaLevel)) {
        block.SetAlphaLevel(255);
        resolved |= AppearanceBit::AlphaLevel;
    }
    if ((mask & AppearanceBit::Font) && !(resolved & AppearanceBit::Font)) {
        if (PropertySinkConnection* font = DefaultFont())
            block.SetFont(font);
        resolved |= AppearanceBit::Font;
    }
    request.resolvedMask = resolved;
}

bool HvLayout::GetDialogString(LONG id, CDualString& text)
{
    if (!grid_ || !grid_->IsAlive())
        return false;
    text.AssignWide(grid_->DialogString(id).c_str());
    return true;
}

IHvUIElement* HvLayout::GetAddNewBoxElement()
{
    if (IsDesignMode() || !IsCurrentLayout() || !root_)
        return nullptr;
    return root_->AddNewBoxElement();
}

void HvLayout::RedrawAddNewBox()
{
    if (root_)
        root_->RedrawAddNewBox();
}

UIElementSeam* HvLayout::CaptionElementOwner::GetUIElement(ScrollRegionSeam*, ScrollRegionSeam*, int create)
{
    OwnedElementQuery query;
    query.type = 200;
    return layout_.Grid() ? FindOwnedElement(&layout_, query, create != 0) : nullptr;
}
