// HvAddNewRowButtonUIElement: the band's add-new-row button.
#include "HvAddNewRowButtonUIElement.h"

#include "AppearanceData.h"
#include "BorderStyleWidth.h"
#include "HvAddNewBox.h"
#include "HvBand.h"
#include "HvLayout.h"
#include "HvPictureUIElement.h"
#include "HvTextUIElement.h"
#include "HvUIElementOwner.h"
#include "HvUIElements.h"
#include "TipPlacement.h"
#include "ToolTipTool.h"
#include "ToolTipWindow.h"
#include "UIElementLayoutSeam.h"

#include <new>
#include <string>

namespace {
constexpr std::uint32_t ButtonAppearanceMask = 0x7FFFF;
constexpr std::uint32_t PictureSettings = 0xF00;
constexpr long RaisedStyle = 7;
// Room around the tip's text, and its distance below the pointer.
constexpr LONG TipMargin = 8;
constexpr LONG TipBelowPointer = 20;

HvUIElementOwner* OwnerOf(HvBand* band)
{
    return band;
}

HvButtonSink* PressHandlerOf(HvBand* band)
{
    return band;
}
} // namespace

HvAddNewRowButtonUIElement::HvAddNewRowButtonUIElement(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                       const RECT& rect, HvBand* band)
    : HvButtonUIElementBase(layout, parent, rect, UIElementType::AddNewRowButton, OwnerOf(band),
                            HvUIElementOwner::ContextAddNewButton, PressHandlerOf(band))
{
    SetBand(band);
}

HvAddNewRowButtonUIElement::~HvAddNewRowButtonUIElement()
{
    SetBand(nullptr);
}

HvAddNewRowButtonUIElement* HvAddNewRowButtonUIElement::Make(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                             const RECT& rect, HvBand* band)
{
    return new (std::nothrow) HvAddNewRowButtonUIElement(layout, parent, rect, band);
}

void HvAddNewRowButtonUIElement::SetBand(HvBand* band)
{
    if (band == band_)
        return;
    if (band)
        static_cast<IHvBand*>(band)->AddRef();
    if (band_)
        static_cast<IHvBand*>(band_)->Release();
    band_ = band;
    SetOwner(OwnerOf(band), HvUIElementOwner::ContextAddNewButton);
    SetPressHandler(PressHandlerOf(band));
    SetChanged();
}

HvAddNewBox* HvAddNewRowButtonUIElement::Box()
{
    HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr;
    return layout ? static_cast<HvAddNewBox*>(layout->GetAddNewBox(false)) : nullptr;
}

CAutomationObject* HvAddNewRowButtonUIElement::GetBand()
{
    return band_;
}

long HvAddNewRowButtonUIElement::GetBorderStyle()
{
    HvAddNewBox* box = Box();
    return box ? box->ResolveButtonBorderStyle(true) : RaisedStyle;
}

void HvAddNewRowButtonUIElement::InitAppearance(AppearanceData& own, const AppearanceData& parentData)
{
    if (HvAddNewBox* box = Box())
        box->ResolveButtonAppearanceData(own, ButtonAppearanceMask);
    HvButtonUIElementBase::InitAppearance(own, parentData);
}

void HvAddNewRowButtonUIElement::DrawBorders(CDrawContext& context, const RECT& area, const AppearanceData& data)
{
    HvAddNewBox* box = Box();
    if (!box || box->RawButtonBorderStyle() == 0)
        HvButtonUIElementBase::DrawBorders(context, area, data);
    else
        HvUIElement::DrawBorders(context, area, data);
}

void HvAddNewRowButtonUIElement::PositionChildElements()
{
    ClearChildrenDirty();
    HvUIElements* old = GetChildElementList(true);
    HvAddNewBox* box = Box();
    HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr;
    if (!old || !box || !layout || !band_) {
        std::vector<HvUIElement*> none;
        ReplaceChildren(none);
        return;
    }
    std::vector<HvUIElement*> fresh;
    RECT rest = GetRect();
    const int border = BorderStyleWidth(GetBorderStyle());

    // The text and the picture are made anew at each layout.
    AppearanceData data;
    box->ResolveButtonAppearanceData(data, PictureSettings);
    RECT pictureRect{};
    const bool withPicture = data.HasPicture();
    if (withPicture) {
        layout->PositionPicture(rest, &pictureRect, data);
        OffsetRect(&pictureRect, 2, 0);
        const BYTE vertical = data.Nibble(AppearanceBit::PictureVAlign);
        if (vertical == 1)
            OffsetRect(&pictureRect, 0, 2);
        else if (vertical == 3)
            pictureRect.bottom -= 2;
    }
    RECT textRect = rest;
    textRect.left += 3 + border;
    textRect.right -= 3 + border;
    textRect.top += border + 1;
    textRect.bottom -= border + 1;
    if (HvTextUIElement* text = HvTextUIElement::Make(GetLayout(), this, textRect, OwnerOf(band_),
                                                      HvUIElementOwner::ContextAddNewButton))
        fresh.push_back(text);
    if (withPicture)
        if (HvPictureUIElement* picture = HvPictureUIElement::Make(GetLayout(), this, pictureRect, OwnerOf(band_),
                                                                   HvUIElementOwner::ContextAddNewButton))
            fresh.push_back(picture);
    ReplaceChildren(fresh);
}

void HvAddNewRowButtonUIElement::OnMouseHover(POINT)
{
    UIElementControlSeam* control = GetControl();
    ToolTipTool* tool = control ? control->ControlToolTip(true) : nullptr;
    ToolTipWindow* window = control ? control->ControlTipWindow() : nullptr;
    BSTR tipText = nullptr;
    if (!tool || !window || !band_ || FAILED(band_->get_AddButtonToolTipText(&tipText)) || !tipText || !*tipText) {
        SysFreeString(tipText);
        return;
    }
    const std::wstring text(tipText, SysStringLen(tipText));
    SysFreeString(tipText);

    // In the button's font, below the pointer, inside the work area.
    AppearanceData look;
    if (HvAddNewBox* box = Box())
        box->ResolveButtonAppearanceData(look, AppearanceBit::Font);
    RECT extent{};
    if (HDC ic = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr)) {
        HFONT font = look.GetFontHandle();
        HGDIOBJ old = font ? SelectObject(ic, font) : nullptr;
        DrawTextW(ic, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_NOPREFIX);
        if (old)
            SelectObject(ic, old);
        DeleteDC(ic);
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT place{cursor.x, cursor.y + TipBelowPointer, cursor.x + extent.right - extent.left + TipMargin,
               cursor.y + TipBelowPointer + extent.bottom - extent.top + TipMargin / 2};
    FitRectToWorkArea(&place, nullptr, false, false, false, false);

    window->SetFont(look.GetFontHandle());
    window->SetMaxTipWidth(place.right - place.left + 12);
    tool->SetText(text.c_str());
    tool->SetRect(place);
    window->TrackPosition(POINT{place.left, place.top});
    tool->TrackActivate(TRUE);
}

void HvAddNewRowButtonUIElement::OnMouseLeave()
{
    UIElementControlSeam* control = GetControl();
    if (ToolTipTool* tool = control ? control->ControlToolTip(false) : nullptr)
        tool->TrackActivate(FALSE);
    HvButtonUIElementBase::OnMouseLeave();
}
