// HvCellUIElement: the cell's text, look and draw state.
#include "HvCellUIElement.h"

#include "AppearanceData.h"
#include "DisplayRowSeam.h"
#include "DrawContext.h"
#include "HvBand.h"
#include "HvCheckBoxUIElement.h"
#include "HvColumnGroupImpl.h"
#include "HvDropDownBtnUIElement.h"
#include "HvLayout.h"
#include "HvPictureUIElement.h"
#include "HvRowUIElement.h"
#include "HvTextUIElement.h"
#include "HvUIElementOwner.h"
#include "HvUIElements.h"
#include "UIElementLayoutSeam.h"

#include <algorithm>
#include <new>

namespace {
constexpr DISPID BorderStyleCell = 0x3f1;
constexpr std::uint32_t CursorMask = AppearanceBit::MousePointer | AppearanceBit::MouseIcon;
constexpr std::uint32_t PictureSettings = 0xF00;
} // namespace

HvCellUIElement::HvCellUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::Cell)
{
}

HvCellUIElement* HvCellUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
{
    return new (std::nothrow) HvCellUIElement(layout, parent, rect);
}

void HvCellUIElement::SetCell(HvColumnGroupImpl* column, CAutomationObject* cell)
{
    if (cell != cell_)
        SetChanged();
    column_ = column;
    cell_ = cell;
}

CAutomationObject* HvCellUIElement::GetBand()
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    return row ? row->RowBand() : nullptr;
}

long HvCellUIElement::GetDrawState()
{
    long state = HvUIElement::GetDrawState() & ~3L;
    HvRowUIElement* row = HvRowUIElement::Above(this);
    if (row && row->Row() && column_)
        state |= row->Row()->CellState(column_);
    return state;
}

long HvCellUIElement::GetBorderStyle()
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    HvBand* band = row ? row->RowBand() : nullptr;
    return band ? band->ResolveSetting(BorderStyleCell) : 1;
}

UINT HvCellUIElement::GetBorderSides()
{
    // Thin borders: neighbours share one line, the left one drawing it; the
    // row draws the line around its cells, so the last cell and a cell
    // reaching the row's bottom leave those sides to it.
    if (!HvLayout::IsThinBorderStyle(GetBorderStyle()))
        return 15;
    UINT sides = 0;
    if (!column_ || !column_->IsLastItem())
        sides |= BorderSide::Right;
    HvUIElement* area = GetParent();
    if (area && GetRect().bottom < area->GetRect().bottom - 1)
        sides |= BorderSide::Bottom;
    return sides;
}

HCURSOR HvCellUIElement::GetCursor()
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    HvUIElementOwner* owner = row && row->Row() && column_ ? row->Row()->CellOwner(column_) : nullptr;
    HCURSOR cursor = owner ? owner->GetCursor(nullptr) : nullptr;
    return cursor ? cursor : HvUIElement::GetCursor();
}

void HvCellUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    if (row && row->Row() && column_)
        row->Row()->ResolveCellAppearance(column_, own, 0x7FFFF, row->IsAlternate());
}

void HvCellUIElement::PositionChildElements()
{
    ClearChildrenDirty();
    HvUIElements* old = GetChildElementList(true);
    HvRowUIElement* row = HvRowUIElement::Above(this);
    if (!old || !row || !row->Row() || !column_)
        return;
    HvUIElementOwner* owner = row->Row()->CellOwner(column_);
    std::vector<HvUIElement*> fresh;
    RECT rest = GetRectInsideBorders();

    // A picture takes its room out of the text's; it is made anew at each
    // layout and draws the picture of the cell's appearance.
    AppearanceData pictureData;
    row->Row()->ResolveCellAppearance(column_, pictureData, PictureSettings, row->IsAlternate());
    HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr;
    RECT pictureRect = {};
    if (layout && pictureData.HasPicture() && layout->ResolvePicture(pictureData, nullptr)) {
        layout->PositionPicture(rest, &pictureRect, pictureData);
        if (!IsRectEmpty(&pictureRect))
            if (HvPictureUIElement* picture = HvPictureUIElement::Make(GetLayout(), this, pictureRect, owner,
                                                                       HvUIElementOwner::ContextPicture))
                fresh.push_back(picture);
    }

    // A check-box cell shows a 13-pixel check box in the middle of the
    // text's room, and no text.
    constexpr long CheckBoxStyle = 3;
    constexpr long CheckBoxSize = 13;
    if (row->Row()->CellStyle(column_) == CheckBoxStyle) {
        const long left = rest.left + (rest.right - rest.left - CheckBoxSize) / 2;
        const long top = rest.top + (rest.bottom - rest.top - CheckBoxSize) / 2;
        const RECT placed{left, top, left + CheckBoxSize, top + CheckBoxSize};
        auto* check = static_cast<HvCheckBoxUIElement*>(TakeChildOfType(old, UIElementType::CheckBox, true));
        if (!check)
            check = HvCheckBoxUIElement::Make(GetLayout(), this, placed, owner, HvUIElementOwner::ContextCheckBox);
        if (check) {
            check->SetOwner(owner, HvUIElementOwner::ContextCheckBox);
            check->SetRect(placed, false);
            fresh.push_back(check);
        }
        ReplaceChildren(fresh);
        return;
    }

    // The button beside the value: inside the cell by 2 pixels, a scroll
    // bar wide at the right; the text ends 1 pixel left of it.
    AppearanceData alignment;
    row->Row()->ResolveCellAppearance(column_, alignment, AppearanceBit::TextAlign, row->IsAlternate());
    bool keepsRoom = false;
    const long button = row->Row()->CellButton(column_, alignment.Nibble(AppearanceBit::TextAlign), &keepsRoom);
    RECT buttonRect = GetRect();
    if (keepsRoom) {
        InflateRect(&buttonRect, -2, -2);
        buttonRect.left = std::max(buttonRect.left, buttonRect.right - GetSystemMetrics(SM_CXVSCROLL));
        rest.right = std::min(rest.right, buttonRect.left - 1);
    }

    rest.left += 1;
    rest.right -= 1;
    auto* text = static_cast<HvTextUIElement*>(TakeChildOfType(old, UIElementType::Text, true));
    if (!text)
        text = HvTextUIElement::Make(GetLayout(), this, rest, owner, HvUIElementOwner::ContextText);
    if (text) {
        text->SetOwner(owner, HvUIElementOwner::ContextText);
        text->SetRect(rest, false);
        fresh.push_back(text);
    }
    if (button == 6300 && keepsRoom && !IsRectEmpty(&buttonRect))
        if (HvDropDownBtnUIElement* dropDown = HvDropDownBtnUIElement::Make(
                GetLayout(), this, buttonRect, owner, HvUIElementOwner::ContextDropDownButton))
            fresh.push_back(dropDown);
    ReplaceChildren(fresh);
}

bool HvCellUIElement::OnDoubleClick(POINT)
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    if (row && row->Row() && column_)
        row->Row()->EnterEditMode(column_);
    return true;
}

void HvCellUIElement::DrawFocus(CDrawContext& context, const RECT&, const AppearanceData&)
{
    RECT rect = GetRectInsideBorders();
    context.DrawFocusRect(rect);
}
