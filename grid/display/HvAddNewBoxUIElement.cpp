// HvAddNewBoxUIElement: appearance, border and the staircase of buttons.
#include "HvAddNewBoxUIElement.h"

#include "AddNewBoxStaircase.h"
#include "AppearanceData.h"
#include "HvAddNewBox.h"
#include "HvAddNewRowButtonUIElement.h"
#include "HvButtonConnectorUIElement.h"
#include "HvLayout.h"
#include "HvTextUIElement.h"
#include "HvUIElements.h"
#include "UIElementLayoutSeam.h"

#include <new>

namespace {
constexpr std::uint32_t BoxAppearanceMask = 0x7FFFF;
constexpr std::uint32_t CursorMask = AppearanceBit::MousePointer | AppearanceBit::MouseIcon;
constexpr long InsetStyle = 6;
} // namespace

HvAddNewBoxUIElement::HvAddNewBoxUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::AddNewBox)
{
}

HvAddNewBoxUIElement* HvAddNewBoxUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                 const RECT& rect)
{
    return new (std::nothrow) HvAddNewBoxUIElement(layout, parent, rect);
}

HvAddNewBox* HvAddNewBoxUIElement::Box()
{
    HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr;
    return layout ? static_cast<HvAddNewBox*>(layout->GetAddNewBox(false)) : nullptr;
}

long HvAddNewBoxUIElement::GetBorderStyle()
{
    HvAddNewBox* box = Box();
    return box ? box->ResolveBorderStyle() : InsetStyle;
}

HCURSOR HvAddNewBoxUIElement::GetCursor()
{
    HvAddNewBox* box = Box();
    if (!box)
        return HvUIElement::GetCursor();
    AppearanceData data;
    box->ResolveAppearanceData(data, CursorMask);
    return CursorFromAppearance(data);
}

RECT HvAddNewBoxUIElement::GetClipRectForChildren()
{
    RECT rect = GetRect();
    const int border = GetBorderWidth();
    InflateRect(&rect, -border, -border);
    return rect;
}

void HvAddNewBoxUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    if (HvAddNewBox* box = Box())
        box->ResolveAppearanceData(own, BoxAppearanceMask);
}

void HvAddNewBoxUIElement::PositionChildElements()
{
    ClearChildrenDirty();
    HvUIElements* old = GetChildElementList(true);
    HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr;
    HvAddNewBox* box = Box();
    if (!old || !layout || !box)
        return;
    const AddNewBoxStaircase plan = AddNewBoxStaircase::Plan(*layout, *box, GetClipRectForChildren());
    std::vector<HvUIElement*> fresh;
    auto placed = [&](HvUIElement* element, const RECT& rect) {
        element->SetChanged();
        element->SetRect(rect, false);
        fresh.push_back(element);
    };

    if (plan.hasPrompt) {
        auto* text = static_cast<HvTextUIElement*>(TakeChildOfType(old, UIElementType::Text, true));
        if (!text)
            text = HvTextUIElement::Make(GetLayout(), this, plan.prompt, box->PromptOwner(), 0);
        if (text) {
            text->SetOwner(box->PromptOwner(), 0);
            placed(text, plan.prompt);
        }
    }
    for (const AddNewBoxStaircase::Button& button : plan.buttons) {
        if (button.joined) {
            auto* line = static_cast<HvButtonConnectorUIElement*>(
                TakeChildOfType(old, UIElementType::ButtonConnector, false));
            if (!line)
                line = HvButtonConnectorUIElement::Make(GetLayout(), this, button.connector);
            if (line) {
                line->SetBand(button.band);
                placed(line, button.connector);
            }
        }
        auto* element = static_cast<HvAddNewRowButtonUIElement*>(
            TakeChildOfType(old, UIElementType::AddNewRowButton, true));
        if (!element)
            element = HvAddNewRowButtonUIElement::Make(GetLayout(), this, button.rect, button.band);
        if (element) {
            element->SetBand(button.band);
            placed(element, button.rect);
        }
    }
    ReplaceChildren(fresh);
}
