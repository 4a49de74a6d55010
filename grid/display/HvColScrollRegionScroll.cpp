// The column scroll region's scrolling: Position and Range, the scroll
// handler with its working copy and events, its scroll bar, bringing an item
// into view, auto-scroll and the visible headers the view style fills.
#include "HvColScrollRegion.h"

#include "CViewStyle.h"
#include "HvBands.h"
#include "HvColScrollRegions.h"
#include "HvColumnGroupImpl.h"
#include "HvHeader.h"
#include "HvHeaders.h"
#include "HvKeyedItem.h"
#include "HvRowScrollRegions.h"
#include "LayoutViewStyle.h"
#include "ScrollRegionsLayoutSeam.h"

namespace {

constexpr HRESULT kReadOnlyInEvent = static_cast<HRESULT>(0x800A9C58);
constexpr WORD kReadOnlyInEventString = 4014;
constexpr HRESULT kDesignTime = static_cast<HRESULT>(0x800A018A);
constexpr WORD kDesignTimeString = 10501;
constexpr long LineAmount = 10;

// The region as the view style fills it.
class ColRegionFill final : public ViewStyleColRegion {
public:
    ColRegionFill(HvColScrollRegion& region, LayoutViewStyle& owner) : region_(region), owner_(owner) {}
    long ScrollPosition() override { return region_.ScrollPosition(); }
    long Width() override { return region_.Extent(); }
    bool IsExclusive() override { return false; }
    long BandOrigin(ViewStyleBand* band) override { return band->Origin(); }
    long BandExtent(ViewStyleBand* band) override { return band->Extent(); }
    bool AddVisibleHeader(ViewStyleHeader& header) override
    {
        region_.AddShownItem(&static_cast<ModelViewStyleHeader&>(header).Item());
        return true;
    }

private:
    HvColScrollRegion& region_;
    LayoutViewStyle& owner_;
};

class WorkingCopy {
public:
    explicit WorkingCopy(HvColScrollRegion* copy) : copy_(copy) {}
    ~WorkingCopy()
    {
        if (copy_) {
            copy_->Deactivate();
            copy_->Release();
        }
    }
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;
    HvColScrollRegion* get() const { return copy_; }

private:
    HvColScrollRegion* copy_;
};

class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

} // namespace

LONG HvColScrollRegion::ContentExtent()
{
    return layout_.GetBandsExtent();
}

bool HvColScrollRegion::AnyRowRegionShowsBar()
{
    HvRowScrollRegions* rows = layout_.RowScrollRegions();
    return rows && rows->AnyRegionShowsScrollBar(0);
}

bool HvColScrollRegion::IsAtRightEdge()
{
    HvColScrollRegions* regions = layout_.ColScrollRegions();
    HvColScrollRegion& real = source_ ? static_cast<HvColScrollRegion&>(*source_) : *this;
    return regions && regions->GetRegionAtRightEdge() == static_cast<ScrollRegionItem*>(&real);
}

LONG HvColScrollRegion::RangePixels()
{
    const LONG bar = IsAtRightEdge() && AnyRowRegionShowsBar() ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    const LONG range = ContentExtent() + bar - extent_;
    return range < 0 ? 0 : range;
}

bool HvColScrollRegion::IsScrollBarVisible(int flag)
{
    HvBands* bands = layout_.Bands();
    if (!bands || bands->ItemCount() == 0)
        return false;
    BYTE setting = ScrollBarSetting();
    if (source_ && CAutomationObject::IsActive(source_))
        setting = source_->ScrollBarSetting();
    if (setting == 0) {
        Constants_ScrollBars bars = hvScrollBarsBoth;
        layout_.get_ScrollBars(&bars);
        setting = (bars == hvScrollBarsNone || bars == hvScrollBarsVertical) ? 3
                  : bars == hvScrollBarsAutomatic                            ? 2
                                                                             : 1;
    }
    if (setting == 1)
        return true;
    if (setting == 3)
        return false;
    const LONG content = ContentExtent();
    const LONG bar = GetSystemMetrics(SM_CXVSCROLL);
    if (IsAtRightEdge() && content > extent_ - bar) {
        if (!flag && !AnyRowRegionShowsBar())
            return content > extent_;
        return true;
    }
    return content > extent_;
}

STDMETHODIMP HvColScrollRegion::get_Position(float* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (layout_.IsDesignMode())
            return Exception(kDesignTime, kDesignTimeString);
        if (!busy_ && !IsWorkingCopy())
            Recalculate();
        *out = static_cast<float>(layout_.PixelsToUnitsX(position_));
        return S_OK;
    });
}

STDMETHODIMP HvColScrollRegion::put_Position(float value)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (busy_)
            return Exception(kReadOnlyInEvent, kReadOnlyInEventString);
        const double range = layout_.PixelsToUnitsX(RangePixels());
        if (value < 0 || value > range)
            return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
        const LONG pixels = layout_.UnitsToPixelsX(value);
        if (pixels == position_)
            return S_OK;
        position_ = pixels;
        SetDirty(true, false, true);
        if (!IsWorkingCopy()) {
            if (HWND window = layout_.GetGridWindow())
                InvalidateRect(window, nullptr, FALSE);
            NotifySubscribers(DispPosition, 0);
        }
        return S_OK;
    });
}

STDMETHODIMP HvColScrollRegion::get_Range(float* out)
{
    if (!out)
        return E_INVALIDARG;
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        if (layout_.IsDesignMode())
            return Exception(kDesignTime, kDesignTimeString);
        // The regions take their widths when the root element lays them
        // out (a layout without elements keeps the widths it has).
        layout_.GetRootUIElement(true, false);
        *out = static_cast<float>(layout_.PixelsToUnitsX(RangePixels()));
        return S_OK;
    });
}

STDMETHODIMP HvColScrollRegion::Scroll(Constants_ColScrollAction action)
{
    if (!IsActive())
        return NotActiveError();
    switch (action) {
    case 0: case 1: case 2: case 3: case 6: case 7:
        break;
    default:
        return E_INVALIDARG;
    }
    if (IsWorkingCopy())
        return E_FAIL;
    return Guard([&]() -> HRESULT {
        HandleScroll(static_cast<short>(action), LineAmount);
        lastScrollAction_ = 8;
        return S_OK;
    });
}

void HvColScrollRegion::OnScroll(CScrollBar*, WPARAM wParam, int, int)
{
    HandleScroll(static_cast<short>(LOWORD(wParam)), LineAmount);
}

bool HvColScrollRegion::HandleScroll(short code, long amount)
{
    if (IsWorkingCopy())
        return false;
    if (RegionControlSeam* control = layout_.Control())
        control->ExitEditForScroll();
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    bar_.GetScrollInfo(info);
    const long page = static_cast<long>(info.nPage);
    const long last = info.nMax - page + 1;
    long position = position_;
    switch (code) {
    case 0: position = position_ - (page < amount ? page : amount); break;
    case 1: position = position_ + (page < amount ? page : amount); if (position > last) position = last; break;
    case 2: position = position_ - page; break;
    case 3: position = position_ + page; if (position > last) position = last; break;
    case 4: position = info.nPos; break;
    case 5: position = info.nTrackPos; break;
    case 6: position = 0; break;
    case 7: position = last; break;
    default: break;
    }
    if (position < 0)
        position = 0;
    return ScrollTo(position, code);
}

HvColScrollRegion* HvColScrollRegion::MakeWorkingCopy()
{
    HvColScrollRegion* copy = Create(layout_, nullptr);
    if (!copy)
        return nullptr;
    copy->source_ = this;
    copy->CopySettingsFrom(*this);
    copy->position_ = position_;
    copy->rect_ = rect_;
    copy->rectSet_ = rectSet_;
    return copy;
}

bool HvColScrollRegion::ScrollTo(long newPosition, short code)
{
    const LONG range = RangePixels();
    if (newPosition > range)
        newPosition = range;
    if (newPosition < 0)
        newPosition = 0;
    if (newPosition == position_) {
        lastScrollAction_ = code;
        return false;
    }
    WorkingCopy copy(MakeWorkingCopy());
    if (!copy.get())
        return false;
    copy.get()->position_ = newPosition;
    copy.get()->dirty_ = true;
    copy.get()->Recalculate();
    if (RegionControlSeam* control = layout_.Control()) {
        BusyScope busy(busy_);
        changedDuringEvent_ = false;
        if (control->FireBeforeColRegionScroll(copy.get(), this))
            return false;
    }
    const long delta = position_ - newPosition;
    position_ = newPosition;
    dirty_ = true;
    Recalculate();
    RefreshScrollInfo();
    layout_.DirtyRootUIElement(true, false);
    if (HWND window = layout_.GetGridWindow(); window && IsWindow(window)) {
        RECT moved = rect_;
        if (IsAtRightEdge() && AnyRowRegionShowsBar())
            moved.right -= GetSystemMetrics(SM_CXVSCROLL);
        if (IsRectEmpty(&moved) || layout_.HasBackgroundPicture()) {
            InvalidateRect(window, &rect_, FALSE);
            distanceSinceRepaint_ = 0x40000000;
        } else {
            ScrollWindowEx(window, delta, 0, &moved, &moved, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE);
            distanceSinceRepaint_ -= delta;
        }
        UpdateWindow(window);
    }
    layout_.RepositionEditWindow();
    lastScrollAction_ = code;
    if (RegionControlSeam* control = layout_.Control())
        control->FireAfterColRegionScroll(this);
    return true;
}

HRESULT HvColScrollRegion::BringItemIntoView(IUnknown* object, const VARIANT& leftAlign)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        HvColumnGroupImpl* item = dynamic_cast<HvColumnGroupImpl*>(HvKeyedItem::FromObject(object));
        if (!item || !item->IsAlive() || item->ItemLayout() != static_cast<ColumnLayoutSeam*>(&layout_))
            return E_INVALIDARG;
        VARIANT flag;
        VariantInit(&flag);
        VARIANT given = leftAlign;
        const bool left = V_VT(&given) != VT_ERROR && V_VT(&given) != VT_EMPTY &&
                          SUCCEEDED(VariantChangeType(&flag, &given, 0, VT_BOOL)) && V_BOOL(&flag);
        const long start = item->SharedOrigin();
        const long end = start + item->GetExtent();
        long position = position_;
        if (left)
            position = start;
        else if (start < position_)
            position = start;
        else if (end > position_ + extent_)
            position = end - extent_;
        if (position != position_)
            ScrollTo(position, 8);
        return S_OK;
    });
}

void HvColScrollRegion::PlaceScrollBar(const RECT& bar)
{
    HWND window = layout_.GetGridWindow();
    if (IsRectEmpty(&bar) || IsHidden()) {
        bar_.Show(SW_HIDE);
        if (!IsScrollBarVisible(0))
            position_ = 0;
        return;
    }
    if (window && bar_.Create(window, &bar)) {
        bar_.Move(bar.left, bar.top, bar.right, bar.bottom, true);
        RefreshScrollInfo();
        bar_.Show(SW_SHOW);
    }
}

void HvColScrollRegion::UpdateScrollBar(bool redraw)
{
    HvColScrollRegion& real = source_ ? static_cast<HvColScrollRegion&>(*source_) : *this;
    if (!real.rectSet_)
        return;
    if (redraw)
        real.RefreshScrollInfo();
}

void HvColScrollRegion::RefreshScrollInfo()
{
    const LONG content = ContentExtent();
    if (extent_ <= 0)
        return;
    const LONG bar = IsAtRightEdge() && AnyRowRegionShowsBar() ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    LONG page = static_cast<LONG>((extent_ - bar) * 0.9);
    if (page < 1)
        page = 1;
    const LONG maximum = content - extent_ + page + bar - 1;
    LONG position = position_;
    if (position > content - page)
        position = content - page;
    if (position < 0)
        position = 0;
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                       static_cast<int>(maximum), static_cast<UINT>(page), static_cast<int>(position), 0};
    if (IsWorkingCopy()) {
        position_ = position;
        return;
    }
    if (!layout_.IsEnabled() && bar_.IsWindowValid()) {
        EnableWindow(bar_.Window(), FALSE);
        return;
    }
    position_ = bar_.SetScrollInfo(info, true);
}

void HvColScrollRegion::Recalculate()
{
    if (!IsActive())
        return;
    if (busy_) {
        changedDuringEvent_ = true;
        return;
    }
    if (recalculating_ || !dirty_)
        return;
    recalculating_ = true;
    dirty_ = false;
    shown_.clear();
    if (LayoutViewStyle* owner = LayoutViewStyle::Of(layout_)) {
        layout_.RecalcColumnMetricsIfDirty();
        ColRegionFill fill(*this, *owner);
        owner->Strategy().BuildVisibleHeaders(fill);
    }
    if (!IsWorkingCopy()) {
        if (!layout_.IsDesignMode())
            RefreshScrollInfo();
        // The collection's items are made anew, then the old ones go.
        std::vector<std::unique_ptr<ShownHeader>> old;
        old.swap(shownHeaders_);
        for (HvColumnGroupImpl* item : shown_)
            shownHeaders_.push_back(std::make_unique<ShownHeader>(item->Header()));
        if (headers_)
            headers_->Rebuild(*this);
    }
    recalculating_ = false;
}

void HvColScrollRegion::CheckSizeChanged()
{
    RegionControlSeam* control = layout_.Control();
    if (!control || IsHidden() || extent_ == lastReportedWidth_)
        return;
    lastReportedWidth_ = extent_;
    control->FireAfterColRegionSize(this);
}

UINT HvColScrollRegion::AutoScrollPeriod(long x)
{
    return AutoScrollPeriodFor(x, rect_.left, rect_.right);
}

void HvColScrollRegion::AutoScrollToward(long x)
{
    if (AutoScrollPeriod(x) == 0)
        return;
    HandleScroll(x < rect_.left ? 0 : 1, 50);
    lastScrollAction_ = 8;
}
