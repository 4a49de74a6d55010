// HvTextUIElement: drawing the owner's text.
#include "HvTextUIElement.h"

#include "AppearanceData.h"
#include "CellTextTip.h"
#include "DrawContext.h"
#include "DualString.h"
#include "HvUIElementOwner.h"

#include <new>
#include <string>

HvTextUIElement::HvTextUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                 HvUIElementOwner* owner, LONG context)
    : HvCellChildUIElement(layout, parent, rect, UIElementType::Text, owner, context)
{
}

HvTextUIElement* HvTextUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                       HvUIElementOwner* owner, LONG context)
{
    return new (std::nothrow) HvTextUIElement(layout, parent, rect, owner, context);
}

std::wstring HvTextUIElement::Widen(const CDualString& text)
{
    const int length = text.Length();
    if (length <= 0)
        return {};
    const int count = MultiByteToWideChar(CP_ACP, 0, text.c_str(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(count > 0 ? count : 0), L'\0');
    if (count > 0)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), length, wide.data(), count);
    return wide;
}

UINT HvTextUIElement::HorizontalPlacement(const AppearanceData& data)
{
    switch (data.Nibble(AppearanceBit::TextAlign)) {
    case 1:
        return DT_LEFT;
    case 2:
        return DT_CENTER;
    case 3:
        return DT_RIGHT;
    default:
        break;
    }
    // The owner's default: 16 left, 32 centre, 64 right.
    const UINT align = Owner() ? Owner()->GetDefaultHAlign(this, &data) : 16;
    return (align & 32) ? DT_CENTER : (align & 64) ? DT_RIGHT : DT_LEFT;
}

void HvTextUIElement::OnMouseEnter()
{
    flags_ &= ~1;
    // Inside an add-new-row button the button decides (it shows its own
    // tip); a resting pointer then reaches it through the hover passed up
    // from here.
    if (HvUIElement* button =
            GetParent() ? GetParent()->ResolveUIElementOfType(UIElementType::AddNewRowButton) : nullptr) {
        if (button->WantsMouseHover())
            flags_ |= 1;
        return;
    }
    CellTextTip tip(*this);
    if (tip.IsCellText() && tip.TipsAllowed() && !tip.TextFits())
        flags_ |= 1;
}

void HvTextUIElement::OnMouseHover(POINT point)
{
    if (!TextDoesNotFit())
        return;
    CellTextTip tip(*this);
    if (tip.IsCellText())
        tip.Show();
    else
        HvCellChildUIElement::OnMouseHover(point);
}

void HvTextUIElement::OnMouseLeave()
{
    HvUIElement* parent = GetParent();
    if (parent && parent->Type() == UIElementType::Cell)
        CellTextTip::Hide(GetControl());
    flags_ &= ~1;
}

bool HvTextUIElement::OnMouseDown(POINT, UINT)
{
    flags_ &= ~1;
    return Owner() && Owner()->OnMouseDown(this);
}

bool HvTextUIElement::OnDoubleClick(POINT)
{
    return Owner() && Owner()->OnTextClick(this);
}

void HvTextUIElement::DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data)
{
    HvUIElementOwner* owner = Owner();
    RECT part;
    const RECT own = GetRect();
    if (!owner || !IntersectRect(&part, &own, &area) || !owner->CanDrawText(this))
        return;
    CDualString text;
    if (!owner->GetText(this, text) || text.IsEmpty())
        return;
    if (owner->DrawsTextItself(this))
        return; // the owner renders its marked-up text itself

    UINT format = owner->GetTextFormat(this) | DT_NOPREFIX | HorizontalPlacement(data);
    const UINT vertical = owner->GetVAlign(this, &data);
    if (owner->IsMultiLine(this))
        format |= DT_WORDBREAK;
    else if (vertical == DT_VCENTER || vertical == DT_BOTTOM)
        format |= DT_SINGLELINE | vertical;

    RECT rect = own;
    rect.bottom -= 1;
    owner->AdjustTextRect(this, &rect);
    const bool disabled = (owner->GetState(this) & HvUIElementOwner::StateDisabled) != 0;
    HDC dc = context.DrawDc();
    const COLORREF previous = dc ? GetTextColor(dc) : 0;
    if (disabled)
        context.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
    const int previousMode = dc ? GetBkMode(dc) : OPAQUE;
    context.SetBkMode(TRANSPARENT);
    std::wstring wide = Widen(text);
    context.DrawText(wide.c_str(), static_cast<int>(wide.size()), rect, format);
    context.SetBkMode(previousMode);
    if (disabled)
        context.SetTextColor(previous);
}
