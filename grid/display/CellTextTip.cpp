// CellTextTip: fitting a cell's text and showing it whole in the control's tip.
#include "CellTextTip.h"

#include "DualString.h"
#include "HvBand.h"
#include "HvCellUIElement.h"
#include "HvColumn.h"
#include "HvRowUIElement.h"
#include "HvTextUIElement.h"
#include "HvUIElementOwner.h"
#include "TipPlacement.h"
#include "ToolTipTool.h"
#include "ToolTipWindow.h"
#include "UIElementLayoutSeam.h"

#include <algorithm>

namespace {

constexpr DISPID TipStyleCell = 0x888;
constexpr LONG TipStyleHide = 2;
constexpr LONG StyleHtml = 9;

// An information context of the display with a font selected, for measuring.
class MeasuringContext {
public:
    explicit MeasuringContext(HFONT font) : dc_(CreateICW(L"DISPLAY", nullptr, nullptr, nullptr))
    {
        if (dc_ && font)
            old_ = SelectObject(dc_, font);
    }
    ~MeasuringContext()
    {
        if (!dc_)
            return;
        if (old_)
            SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MeasuringContext(const MeasuringContext&) = delete;
    MeasuringContext& operator=(const MeasuringContext&) = delete;

    // The text's extent when drawn from rect with format (DT_CALCRECT added).
    RECT Measure(const std::wstring& text, RECT rect, UINT format) const
    {
        if (dc_)
            DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
        return rect;
    }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

LONG Width(const RECT& rect)
{
    return rect.right - rect.left;
}

LONG Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

} // namespace

CellTextTip::CellTextTip(HvTextUIElement& text) : text_(text)
{
    HvUIElement* parent = text.GetParent();
    if (!text.Owner() || !parent || parent->Type() != UIElementType::Cell)
        return;
    cell_ = static_cast<HvCellUIElement*>(parent);
    cell_->InitAppearance(look_, look_);
}

std::wstring CellTextTip::Text()
{
    CDualString text;
    if (!text_.Owner() || !text_.Owner()->GetText(&text_, text))
        return {};
    return HvTextUIElement::Widen(text);
}

bool CellTextTip::TipsAllowed()
{
    if (!cell_)
        return false;
    HvRowUIElement* row = HvRowUIElement::Above(cell_);
    HvBand* band = row ? row->RowBand() : nullptr;
    if (band && band->ResolveSetting(TipStyleCell) == TipStyleHide)
        return false;
    HvColumnGroupImpl* column = cell_->Column();
    return !column || column->IsGroup() || static_cast<HvColumn*>(column)->ResolveStyle() != StyleHtml;
}

bool CellTextTip::TextFits()
{
    if (!cell_)
        return true;
    const std::wstring text = Text();
    if (text.empty())
        return true;
    const RECT own = text_.GetRect();
    UINT format = DT_NOPREFIX | DT_EDITCONTROL;
    if (text_.Owner()->IsMultiLine(&text_))
        format |= DT_WORDBREAK;
    RECT whole = MeasuringContext(look_.GetFontHandle()).Measure(text, own, format);
    const LONG width = Width(whole);
    switch (text_.HorizontalPlacement(look_)) {
    case DT_CENTER:
        OffsetRect(&whole, own.left + (Width(own) - width) / 2 - whole.left, 0);
        break;
    case DT_RIGHT:
        OffsetRect(&whole, own.right - 2 - whole.right, 0);
        break;
    default:
        OffsetRect(&whole, 2, 0);
        break;
    }
    RECT visible;
    const RECT shown = cell_->GetRectDisplayed();
    if (!IntersectRect(&visible, &own, &shown))
        return true; // nothing of it shows: nothing to complete
    InflateRect(&visible, -1, -2);
    return whole.left >= visible.left && whole.right + 1 <= visible.right && width + 1 < Width(visible) &&
           Height(whole) <= Height(visible);
}

void CellTextTip::Show()
{
    UIElementControlSeam* control = text_.GetControl();
    HWND grid = control ? control->GetGridWindow() : nullptr;
    ToolTipTool* tool = control ? control->ControlToolTip(true) : nullptr;
    ToolTipWindow* window = control ? control->ControlTipWindow() : nullptr;
    const std::wstring text = Text();
    if (!cell_ || !grid || !tool || !window || text.empty())
        return;

    RECT tip = text_.GetRect();
    MapWindowPoints(grid, nullptr, reinterpret_cast<POINT*>(&tip), 2);
    OffsetRect(&tip, -1, -1);
    const RECT area = WorkAreaAtPoint(POINT{tip.left, tip.top});
    // A multi-line cell's text wraps as in the cell; any other stays on
    // one line unless it is wider than the work area.
    RECT room{0, 0, Width(area) - 8, 0};
    if (text_.Owner()->IsMultiLine(&text_))
        room.right = Width(text_.GetRect());
    const RECT extent = MeasuringContext(look_.GetFontHandle())
                            .Measure(text, room, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    const LONG cellHeight = Height(cell_->GetRect());
    tip.right = tip.left + Width(extent) + 8;
    tip.bottom = tip.top + std::max(cellHeight + 1, Height(extent) + 6);

    if (tip.left < area.left)
        OffsetRect(&tip, area.left - tip.left, 0);
    if (tip.right > area.right - 8)
        tip.right = std::max(tip.left + 1, area.right - 8);
    if (tip.bottom > area.bottom)
        OffsetRect(&tip, 0, area.bottom - tip.bottom);

    window->SetFont(look_.GetFontHandle());
    window->SetMaxTipWidth(Width(tip) + 12);
    tool->SetText(text.c_str());
    tool->SetRect(tip);
    window->TrackPosition(POINT{tip.left, tip.top});
    tool->TrackActivate(TRUE);
}

void CellTextTip::Hide(UIElementControlSeam* control)
{
    if (ToolTipTool* tool = control ? control->ControlToolTip(false) : nullptr)
        tool->TrackActivate(FALSE);
}
