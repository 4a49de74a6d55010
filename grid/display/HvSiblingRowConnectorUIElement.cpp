// HvSiblingRowConnectorUIElement: the connector line's look.
#include "HvSiblingRowConnectorUIElement.h"

#include "AppearanceData.h"
#include "DisplayRowSeam.h"
#include "DrawContext.h"
#include "ElementCursors.h"
#include "HvBand.h"
#include "HvLayout.h"
#include "HvRowScrollRegion.h"
#include "HvRowUIElement.h"
#include "TipPlacement.h"
#include "ToolTipTool.h"
#include "ToolTipWindow.h"
#include "UIElementLayoutSeam.h"

#include <new>
#include <string>

namespace {
// Border styles of the dotted and dashed connectors, and the two drawn
// two pixels wide.
bool IsBroken(long style)
{
    return style >= 2 && style <= 4;
}
constexpr long InsetSoft = 8;
constexpr long RaisedSoft = 9;
constexpr DISPID TipStyleRowConnector = 0x889;
constexpr long TipStyleHide = 2;

// The text's extent in the font, each line on its own.
SIZE MeasureLines(const std::wstring& text, HFONT font)
{
    SIZE size = {};
    HDC dc = CreateICW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!dc)
        return size;
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    RECT rect = {0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_NOPREFIX);
    if (previous)
        SelectObject(dc, previous);
    DeleteDC(dc);
    size.cx = rect.right - rect.left;
    size.cy = rect.bottom - rect.top;
    return size;
}
} // namespace

HvSiblingRowConnectorUIElement::HvSiblingRowConnectorUIElement(UIElementLayoutSeam* layout, HvUIElement* parent,
                                                               const RECT& rect)
    : HvUIElement(layout, parent, rect, UIElementType::SiblingRowConnector)
{
}

HvSiblingRowConnectorUIElement::~HvSiblingRowConnectorUIElement()
{
    if (row_)
        row_->ReleaseRow();
}

HvSiblingRowConnectorUIElement* HvSiblingRowConnectorUIElement::Make(UIElementLayoutSeam* layout,
                                                                     HvUIElement* parent, const RECT& rect)
{
    return new (std::nothrow) HvSiblingRowConnectorUIElement(layout, parent, rect);
}

void HvSiblingRowConnectorUIElement::SetRow(DisplayRow* row, bool continued)
{
    if (row)
        row->AddRefRow();
    if (row_)
        row_->ReleaseRow();
    if (row != row_ || continued != continued_)
        SetChanged();
    row_ = row;
    continued_ = continued;
}

DisplayRow* HvSiblingRowConnectorUIElement::RowBeside(POINT point)
{
    HvUIElement* parent = GetParent();
    if (!parent)
        return nullptr;
    DisplayRow* found = nullptr;
    std::vector<HvUIElement*> siblings = parent->ChildSnapshot();
    for (HvUIElement* sibling : siblings) {
        if (found || !sibling->IsAlive() || sibling->Type() != UIElementType::Row)
            continue;
        const RECT rect = sibling->GetRect();
        if (point.y >= rect.top && point.y < rect.bottom)
            found = static_cast<HvRowUIElement*>(sibling)->Row();
    }
    for (HvUIElement* sibling : siblings)
        sibling->Release();
    return found && found->IsAlive() ? found : nullptr;
}

HCURSOR HvSiblingRowConnectorUIElement::GetCursor()
{
    return HvUIElement::GetCursor();
}

HCURSOR HvSiblingRowConnectorUIElement::GetCursorAt(POINT point)
{
    DisplayRow* row = RowBeside(point);
    if (!row)
        return HvUIElement::GetCursor();
    HCURSOR cursor = GetElementCursor(row == row_ ? ElementCursor::Connector : ElementCursor::ConnectorAlternate);
    return cursor ? cursor : HvUIElement::GetCursor();
}

void HvSiblingRowConnectorUIElement::OnMouseHover(POINT point)
{
    DisplayRow* row = RowBeside(point);
    UIElementControlSeam* control = GetControl();
    HWND grid = control ? control->GetGridWindow() : nullptr;
    ToolTipTool* tool = control ? control->ControlToolTip(true) : nullptr;
    ToolTipWindow* window = control ? control->ControlTipWindow() : nullptr;
    if (!row || !grid || !tool || !window)
        return;
    HvBand* band = row->ModelBand();
    if (band && band->ResolveSetting(TipStyleRowConnector) == TipStyleHide)
        return;
    const std::wstring text = row->ScrollTipText();
    if (text.empty())
        return;
    HWND tipWindow = window->Window();
    const SIZE extent =
        MeasureLines(text, tipWindow ? reinterpret_cast<HFONT>(SendMessageW(tipWindow, WM_GETFONT, 0, 0)) : nullptr);
    window->SetMargin(RECT{3, 0, 3, 0});
    window->SetMaxTipWidth(extent.cx + 12);

    // Just right of the connector, below the pointer.
    RECT beside = GetRect();
    InflateRect(&beside, 6, 6);
    POINT corner = {beside.right + 1, point.y + 20};
    ClientToScreen(grid, &corner);
    RECT tip = {corner.x, corner.y, corner.x + extent.cx + 12, corner.y + extent.cy + 4};
    FitRectToWorkArea(&tip, nullptr, false, false, false, false);
    tool->SetText(text.c_str());
    tool->SetRect(tip);
    window->TrackPosition(POINT{tip.left, tip.top});
    tool->TrackActivate(TRUE);
    lastHovered_ = row;
}

void HvSiblingRowConnectorUIElement::OnMouseLeave()
{
    UIElementControlSeam* control = GetControl();
    if (ToolTipTool* tool = control ? control->ControlToolTip(false) : nullptr)
        tool->TrackActivate(FALSE);
    lastHovered_ = nullptr;
}

void HvSiblingRowConnectorUIElement::OnCtrlKeyChange(bool)
{
    UIElementControlSeam* control = GetControl();
    HWND grid = control ? control->GetGridWindow() : nullptr;
    POINT point;
    if (!grid || !GetCursorPos(&point) || !ScreenToClient(grid, &point))
        return;
    if (HCURSOR cursor = GetCursorAt(point))
        SetCursor(cursor);
    if (RowBeside(point) != lastHovered_)
        OnMouseHover(point);
}

bool HvSiblingRowConnectorUIElement::OnDoubleClick(POINT point)
{
    if (DisplayRow* row = RowBeside(point); row && !row->IsActiveRow())
        row->Activate();
    return true;
}

CAutomationObject* HvSiblingRowConnectorUIElement::GetRow()
{
    return row_ && row_->IsAlive() ? row_->RowObject() : nullptr;
}

CAutomationObject* HvSiblingRowConnectorUIElement::GetBand()
{
    return row_ && row_->IsAlive() ? row_->ModelBand() : nullptr;
}

void HvSiblingRowConnectorUIElement::InitAppearance(AppearanceData& own, const AppearanceData&)
{
    if (HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr)
        own.SetForeColor(layout->GetRowConnectorColorRGB());
}

void HvSiblingRowConnectorUIElement::DrawForeground(CDrawContext& context, const RECT& area,
                                                    const AppearanceData& data)
{
    HvLayout* layout = GetLayout() ? GetLayout()->ModelLayout() : nullptr;
    const RECT rect = GetRect();
    RECT part;
    if (!layout || !IntersectRect(&part, &rect, &area))
        return;
    const long style = layout->ResolveRowConnectorBorderStyle();
    const long middle = (rect.left + rect.right) / 2;
    RECT line = {middle, rect.top, middle + 1, rect.bottom};
    // Dots and dashes keep their rhythm from row to row while the rows
    // scroll by odd amounts.
    if (IsBroken(style)) {
        auto* region = dynamic_cast<HvRowScrollRegion*>(ResolveRowScrollRegion());
        if (region && (region->ScrollPixels() & 1))
            ++line.top;
    }
    UINT sides = BorderSide::Left;
    if (style == InsetSoft || style == RaisedSoft) {
        if (style == InsetSoft)
            ++line.right;
        else
            --line.left;
        sides = BorderSide::Left | BorderSide::Right;
    }
    context.DrawBorder(line, style, data.GetForeColorRef(), sides);
}
