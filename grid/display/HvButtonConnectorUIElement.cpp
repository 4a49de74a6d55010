// HvButtonConnectorUIElement: line style, colour and hit test.
#include "HvButtonConnectorUIElement.h"

#include "AppearanceData.h"
#include "HvAddNewBox.h"
#include "HvBand.h"
#include "HvLayout.h"
#include "UIElementLayoutSeam.h"

#include <new>

namespace {
constexpr long SolidLine = 5;
constexpr long Reach = 2;

HvAddNewBox* BoxOf(UIElementLayoutSeam* seam)
{
    HvLayout* layout = seam ? seam->ModelLayout() : nullptr;
    return layout ? static_cast<HvAddNewBox*>(layout->GetAddNewBox(false)) : nullptr;
}
} // namespace

HvButtonConnectorUIElement::HvButtonConnectorUIElement(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                       const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::ButtonConnector)
{
}

HvButtonConnectorUIElement* HvButtonConnectorUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                             const RECT& rect)
{
    return new (std::nothrow) HvButtonConnectorUIElement(layout, parent, rect);
}

bool HvButtonConnectorUIElement::PointInElement(POINT point)
{
    const RECT rect = GetRect();
    const bool nearLeft = point.x >= rect.left - Reach && point.x <= rect.left + Reach && point.y >= rect.top &&
                          point.y < rect.bottom;
    const bool nearBottom = point.y >= rect.bottom - Reach && point.y <= rect.bottom + Reach &&
                            point.x >= rect.left && point.x < rect.right;
    return nearLeft || nearBottom;
}

long HvButtonConnectorUIElement::GetBorderStyle()
{
    HvAddNewBox* box = BoxOf(GetLayout());
    return box ? box->ResolveButtonConnectorStyle() : SolidLine;
}

CAutomationObject* HvButtonConnectorUIElement::GetBand()
{
    return band_ && CAutomationObject::IsActive(band_) ? band_ : nullptr;
}

void HvButtonConnectorUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    if (HvAddNewBox* box = BoxOf(GetLayout()))
        own.SetBorderColor(box->GetButtonConnectorColorRGB());
}
