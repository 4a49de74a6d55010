// HvRowAutoPreviewUIElement: the preview's text.
#include "HvRowAutoPreviewUIElement.h"

#include "DisplayRowSeam.h"
#include "HvRowUIElement.h"
#include "HvTextUIElement.h"
#include "HvUIElementOwner.h"
#include "HvUIElements.h"

#include <new>

HvRowAutoPreviewUIElement::HvRowAutoPreviewUIElement(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                     const RECT& rect)
    : HvUIElement(layout, parent, rect, 5500)
{
}

HvRowAutoPreviewUIElement* HvRowAutoPreviewUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                           const RECT& rect)
{
    return new (std::nothrow) HvRowAutoPreviewUIElement(layout, parent, rect);
}

void HvRowAutoPreviewUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    HvRowUIElement* row = HvRowUIElement::Above(this);
    if (row && row->Row())
        row->Row()->ResolveAppearance(own, 0x7FFFF, row->IsAlternate(), 2);
}

void HvRowAutoPreviewUIElement::PositionChildElements()
{
    ClearChildrenDirty();
    HvUIElements* old = GetChildElementList(true);
    HvRowUIElement* row = HvRowUIElement::Above(this);
    if (!old || !row || !row->Row())
        return;
    HvUIElementOwner* owner = row->Row()->AutoPreviewOwner();
    std::vector<HvUIElement*> fresh;
    const RECT rect = GetRect();
    auto* text = static_cast<HvTextUIElement*>(TakeChildOfType(old, UIElementType::Text, true));
    if (!text)
        text = HvTextUIElement::Make(GetLayout(), this, rect, owner, HvUIElementOwner::ContextText);
    if (text) {
        text->SetOwner(owner, HvUIElementOwner::ContextText);
        text->SetRect(rect, false);
        fresh.push_back(text);
    }
    ReplaceChildren(fresh);
}
