// HvTextUIElement: drawing the owner's text.
#include "HvTextUIElement.h"

#include "AppearanceData.h"
#include "DrawContext.h"
#include "DualString.h"
#include "HvUIElementOwner.h"

#include <new>
#include <string>

namespace {

// The library's strings hold text in the ANSI code page.
std::wstring Widen(const CDualString& text)
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

// DT_ flags of the owner's default alignment (16 left, 32 centre, 64 right).
UINT HorizontalFromOwner(UINT align)
{
    if (align & 32)
        return DT_CENTER;
    if (align & 64)
        return DT_RIGHT;
    return DT_LEFT;
}

} // namespace

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

    UINT format = owner->GetTextFormat(this) | DT_NOPREFIX;
    switch (data.Nibble(AppearanceBit::TextAlign)) {
    case 1:
        format |= DT_LEFT;
        break;
    case 2:
        format |= DT_CENTER;
        break;
    case 3:
        format |= DT_RIGHT;
        break;
    default:
        format |= HorizontalFromOwner(owner->GetDefaultHAlign(this, &data));
        break;
    }
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
