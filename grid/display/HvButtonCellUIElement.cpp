// HvButtonCellUIElement: the picture and text inside the button.
#include "HvButtonCellUIElement.h"

#include "HvPictureUIElement.h"
#include "HvTextUIElement.h"
#include "HvUIElementOwner.h"
#include "HvUIElements.h"

#include <new>

HvButtonCellUIElement::HvButtonCellUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                             HvUIElementOwner* owner, HvButtonSink* pressHandler)
    : HvButtonUIElementBase(layout, parent, rect, 6700, owner, 0, pressHandler)
{
}

HvButtonCellUIElement* HvButtonCellUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                   const RECT& rect, HvUIElementOwner* owner,
                                                   HvButtonSink* pressHandler)
{
    return new (std::nothrow) HvButtonCellUIElement(layout, parent, rect, owner, pressHandler);
}

void HvButtonCellUIElement::PositionChildElements()
{
    HvUIElements* old = GetChildElementList(true);
    if (!old) {
        ClearChildrenDirty();
        return;
    }
    // Inside the raised border of the button.
    RECT inside = GetRect();
    InflateRect(&inside, -2, -2);
    std::vector<HvUIElement*> fresh;
    if (showsPicture_) {
        auto* picture = static_cast<HvCellChildUIElement*>(TakeChildOfType(old, UIElementType::Picture, false));
        if (!picture)
            picture = HvPictureUIElement::Make(GetLayout(), this, inside, Owner(), HvUIElementOwner::ContextPicture);
        if (picture) {
            picture->SetRect(inside, false);
            fresh.push_back(picture);
        }
    }
    auto* text = static_cast<HvCellChildUIElement*>(TakeChildOfType(old, UIElementType::Text, false));
    if (!text)
        text = HvTextUIElement::Make(GetLayout(), this, inside, Owner(), HvUIElementOwner::ContextText);
    if (text) {
        text->SetOwner(Owner(), HvUIElementOwner::ContextText);
        text->SetRect(inside, false);
        fresh.push_back(text);
    }
    ReplaceChildren(fresh);
    ClearChildrenDirty();
}
