// The row scroll region's scroll bar and recalculation: whether the bar
// shows, its range and position, and filling the region from the bottom
// when its rows end above it.
#include "HvRowScrollRegion.h"

#include "CViewStyle.h"
#include "DisplayRowSeam.h"
#include "HvBand.h"
#include "HvBands.h"
#include "HvColScrollRegions.h"
#include "HvRowScrollRegions.h"
#include "HvVisibleRows.h"
#include "LayoutViewStyle.h"
#include "ScrollRegionsLayoutSeam.h"
#include "ViewStyleRequests.h"

namespace {

// One region fills itself from the bottom at a time, process-wide.
bool g_filling = false;

class FillingScope {
public:
    FillingScope() { g_filling = true; }
    ~FillingScope() { g_filling = false; }
    FillingScope(const FillingScope&) = delete;
    FillingScope& operator=(const FillingScope&) = delete;
};

} // namespace

void HvRowScrollRegion::SetRegionRect(const RECT& rect)
{
    if (rectSet_ && EqualRect(&rect, &state_.rect))
        return;
    state_.rect = rect;
    rectSet_ = true;
    dirty_ = true;
    UpdateScrollBar(true);
}

void HvRowScrollRegion::PlaceScrollBar(const RECT& bar)
{
    HWND window = layout_.GetGridWindow();
    if (IsRectEmpty(&bar) || IsHidden()) {
        bar_.Show(SW_HIDE);
        return;
    }
    if (window && bar_.Create(window, &bar)) {
        bar_.Move(bar.left, bar.top, bar.right, bar.bottom, true);
        RefreshScrollInfo();
        bar_.Show(SW_SHOW);
    }
}

bool HvRowScrollRegion::IsAtBottomEdge()
{
    HvRowScrollRegions* regions = Collection();
    return regions && regions->GetRegionAtBottomEdge() == static_cast<ScrollRegionItem*>(&Real());
}

bool HvRowScrollRegion::AllRowsFit(bool countHorizontalBar)
{
    const HvVisibleRowList& rows = state_.rows;
    CViewStyle* style = Style();
    HvVisibleRow* last = rows.Last();
    if (!last || !style)
        return false;
    if (rows.Count() == 1 && style->IsLastRow(*last))
        return true;
    long bottom = extent_;
    if (bottom <= last->GetTop(false))
        return false;
    if (IsAtBottomEdge()) {
        HvColScrollRegions* cols = layout_.ColScrollRegions();
        // The column regions are asked counting the vertical bar, so that
        // they do not ask the row regions back.
        if (countHorizontalBar || (cols && cols->AnyRegionShowsScrollBar(1))) {
            bottom -= GetSystemMetrics(SM_CYHSCROLL);
            if (bottom <= last->GetTop(false))
                return false;
        }
    }
    return style->IsLastRow(*last);
}

bool HvRowScrollRegion::IsScrollBarVisible(int)
{
    HvRowScrollRegion& real = Real();
    BYTE setting = real.ScrollBarSetting();
    if (setting == 0) {
        Constants_ScrollBars bars = hvScrollBarsBoth;
        layout_.get_ScrollBars(&bars);
        setting = (bars == hvScrollBarsNone || bars == hvScrollBarsHorizontal) ? 3
                  : bars == hvScrollBarsAutomatic                              ? 2
                                                                               : 1;
    }
    HvBands* bands = layout_.Bands();
    if (!bands || bands->ItemCount() == 0)
        return false;
    if (setting == 1)
        return true;
    if (setting == 3)
        return false;
    if (real.state_.rows.Empty())
        return false;
    CViewStyle* style = Style();
    HvVisibleRow* first = real.state_.rows.First();
    return !(style && style->IsFirstRow(*first) && real.AllRowsFit(false));
}

void HvRowScrollRegion::UpdateScrollBar(bool redraw)
{
    HvRowScrollRegion& real = Real();
    if (!real.rectSet_) {
        real.barUpdatePending_ = true;
        return;
    }
    real.barUpdatePending_ = false;
    if (redraw)
        real.RefreshScrollInfo();
}

void HvRowScrollRegion::RefreshScrollInfo()
{
    HvRowScrollRegion& real = Real();
    if (!real.bar_.IsWindowValid())
        return;
    HvBands* bands = layout_.Bands();
    if (!bands || bands->ItemCount() == 0)
        return;
    const long rows = layout_.GetRootRowCount() - 1;
    long page = 6;
    if (HvBand* band = dynamic_cast<HvBand*>(layout_.GetFirstBand())) {
        long height = band->ResolveDefaultRowHeight();
        if (height < 10)
            height = 10;
        page = (real.extent_ / height * 2) / 3;
    }
    long position = 0;
    DisplayRows& hooks = DisplayRowHooks();
    if (ViewStyleRow* first = real.state_.FirstRow())
        if (hooks.topIndexOf) {
            const long index = hooks.topIndexOf(layout_, first);
            position = index < 0 ? 0 : index;
        }
    long maximum = rows - 1 - page + 3;
    if (maximum < position + 2)
        maximum = position + 2;
    const bool fits = real.AllRowsFit(false);
    if (fits)
        position = maximum - 1;
    real.rowsPerUnit_ = 1;
    if (maximum < 0) {
        real.rowsPerUnit_ = 2;
        position /= 2;
        maximum /= 2;
    }
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                       static_cast<int>(maximum), 2, static_cast<int>(position), 0};
    HWND bar = real.bar_.Window();
    if (!layout_.IsEnabled()) {
        EnableWindow(bar, FALSE);
        return;
    }
    CViewStyle* style = Style();
    const bool nothing = real.state_.rows.Empty() ||
                         (style && style->IsFirstRow(*real.state_.rows.First()) && fits);
    real.bar_.SetScrollInfo(info, true);
    EnableWindow(bar, nothing ? FALSE : TRUE);
}

HRESULT HvRowScrollRegion::Recalculate()
{
    if (!IsActive())
        return S_OK;
    CViewStyle* style = Style();
    if (!style)
        return E_FAIL;
    if (recalculating_)
        return S_OK;
    recalculating_ = true;
    if (barUpdatePending_)
        UpdateScrollBar(true);
    if (dirty_) {
        dirty_ = false;
        if (!state_.FirstRow() || !state_.FirstRow()->IsAlive()) {
            // Without a first row the region starts at the first row.
            ViewStyleRowRef first;
            if (LayoutViewStyle* owner = LayoutViewStyle::Of(layout_))
                owner->EdgeRow(false, first.Out());
            state_.SetFirstRow(first.Get());
            state_.firstRowOffset = 0;
        }
        if (state_.rows.Empty())
            style->ResetRowRegion(state_);
        else
            style->BuildVisibleRows(state_);
        if (visibleRows_)
            visibleRows_->Rebuild(*this);
        UpdateScrollBar(true);
        layout_.RepositionEditWindow();
    } else {
        style->BuildVisibleRows(state_);
    }
    recalculating_ = false;
    FillFromBottom();
    return S_OK;
}

void HvRowScrollRegion::FillFromBottom()
{
    CViewStyle* style = Style();
    HvVisibleRow* first = state_.rows.First();
    HvVisibleRow* last = state_.rows.Last();
    if (!style || !first || !last || tipShowing_ || g_filling || IsWorkingCopy())
        return;
    if (style->IsFirstRow(*first) || !style->IsLastRow(*last))
        return;
    const long reach =
        last->GetTop(false) + CViewStyle::RowOf(*last).TotalHeight() + 2 * GetSystemMetrics(SM_CYHSCROLL);
    if (reach >= extent_ || layout_.IsDesignMode())
        return;
    FillingScope scope;
    filling_ = true;
    HandleScroll(RowScrollBottom, true, false);
    filling_ = false;
}

void HvRowScrollRegion::CheckSizeChanged()
{
    if (IsHidden() || !layout_.IsGridWindowVisible())
        return;
    RegionControlSeam* control = layout_.Control();
    if (!control || extent_ == lastReportedExtent_)
        return;
    lastReportedExtent_ = extent_;
    control->FireAfterRowRegionSize(this);
}

void HvRowScrollRegion::ShowScrollTip(ViewStyleRow*)
{
    tipShowing_ = true;
}

void HvRowScrollRegion::HideScrollTip()
{
    tipShowing_ = false;
}
