// HvRowUIElement: the parts of a row and its draw state.
#include "HvRowUIElement.h"

#include "DisplayRowSeam.h"
#include "HvBand.h"
#include "HvLayout.h"
#include "HvPreRowAreaUIElement.h"
#include "HvRowCellAreaUIElement.h"
#include "HvRowSelectorUIElement.h"
#include "HvUIElements.h"
#include "UIElementLayoutSeam.h"

#include <new>

namespace {
constexpr DISPID BorderStyleRow = 0x3f3;
} // namespace

HvRowUIElement::HvRowUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::Row)
{
}

HvRowUIElement::~HvRowUIElement()
{
    if (row_)
        row_->ReleaseRow();
}

HvRowUIElement* HvRowUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
{
    return new (std::nothrow) HvRowUIElement(layout, parent, rect);
}

HvRowUIElement* HvRowUIElement::Above(HvUIElement* element)
{
    return static_cast<HvRowUIElement*>(element ? element->ResolveUIElementOfType(UIElementType::Row) : nullptr);
}

void HvRowUIElement::SetRow(DisplayRow* row, bool alternate, bool firstAfterHeaders)
{
    if (row)
        row->AddRefRow();
    if (row_)
        row_->ReleaseRow();
    if (row != row_)
        SetChanged();
    row_ = row;
    alternate_ = alternate;
    firstAfterHeaders_ = firstAfterHeaders;
}

HvBand* HvRowUIElement::RowBand() const
{
    return row_ ? row_->ModelBand() : nullptr;
}

CAutomationObject* HvRowUIElement::GetContextObject()
{
    return GetRow();
}

CAutomationObject* HvRowUIElement::GetRow()
{
    return row_ ? row_->RowObject() : nullptr;
}

CAutomationObject* HvRowUIElement::GetBand()
{
    return RowBand();
}

long HvRowUIElement::GetDrawState()
{
    long state = HvUIElement::GetDrawState();
    if (!row_ || !row_->IsAlive())
        return state;
    if (row_->IsSelected())
        state |= 2;
    if (row_->IsActiveRow()) {
        state |= 1;
        UIElementControlSeam* control = GetControl();
        if (control && !control->IsInEditMode() && GetFocus() == control->GetGridWindow())
            state |= 4;
        if (row_->IsActivationDisabled())
            state |= 8;
    }
    if (alternate_)
        state |= 128;
    return state;
}

void HvRowUIElement::PositionChildElements()
{
    ClearChildrenDirty();
    HvUIElements* old = GetChildElementList(true);
    HvBand* band = RowBand();
    if (!old || !band)
        return;
    std::vector<HvUIElement*> fresh;
    RECT rest = GetRect();
    const long indicator = band->ExpansionIndicatorWidth();
    const long selector = band->RowSelectorWidth();
    auto place = [&](ULONG type, const RECT& rect) {
        HvUIElement* child = TakeChildOfType(old, type, false);
        if (!child) {
            if (type == 5100)
                child = HvPreRowAreaUIElement::Make(GetLayout(), this, rect);
            else if (type == 5300)
                child = HvRowSelectorUIElement::Make(GetLayout(), this, rect);
            else
                child = HvRowCellAreaUIElement::Make(GetLayout(), this, rect);
        }
        if (!child)
            return;
        child->SetChanged();
        child->SetRect(rect, false);
        fresh.push_back(child);
    };
    if (indicator > 0) {
        place(5100, RECT{rest.left, rest.top, rest.left + indicator, rest.bottom});
        rest.left += indicator;
    }
    RECT selectorRect = {};
    if (selector > 0) {
        selectorRect = RECT{rest.left, rest.top, rest.left + selector, rest.bottom};
        rest.left += selector;
        if (HvLayout::IsThinBorderStyle(band->ResolveSetting(BorderStyleRow)))
            rest.left -= 1;
        if (firstAfterHeaders_)
            selectorRect.top += 1;
    }
    place(5400, rest);
    if (selector > 0)
        place(5300, selectorRect);
    ReplaceChildren(fresh);
}
