// The row scroll region's scrolling: the scroll handler, the working copy
// the client sees in BeforeRowRegionScroll, FirstRow, bringing a row into
// view and auto-scroll.
#include "HvRowScrollRegion.h"

#include "CViewStyle.h"
#include "DisplayRowSeam.h"
#include "HvGridUIElement.h"
#include "HvLayout.h"
#include "HvRowScrollRegions.h"
#include "HvUIElement.h"
#include "HvVisibleRows.h"
#include "LayoutRootElement.h"
#include "LayoutViewStyle.h"
#include "ScrollRegionsLayoutSeam.h"
#include "ViewStyleRequests.h"

#include <cstdlib>

namespace {

constexpr HRESULT kBadObject = static_cast<HRESULT>(0x800AA220);
constexpr WORD kBadObjectString = 1003;
constexpr short ThumbPosition = 4;
constexpr short ThumbTrack = 5;

// Keeps a working copy alive for one scroll, then lets it go.
class WorkingCopy {
public:
    explicit WorkingCopy(HvRowScrollRegion* copy) : copy_(copy) {}
    ~WorkingCopy()
    {
        if (copy_) {
            copy_->Deactivate();
            copy_->Release();
        }
    }
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;
    HvRowScrollRegion* operator->() const { return copy_; }
    HvRowScrollRegion& operator*() const { return *copy_; }
    explicit operator bool() const { return copy_ != nullptr; }

private:
    HvRowScrollRegion* copy_;
};

} // namespace

HvRowScrollRegion* HvRowScrollRegion::MakeWorkingCopy()
{
    HvRowScrollRegion* copy = Create(layout_, nullptr);
    if (!copy)
        return nullptr;
    copy->source_ = this;
    copy->CopySettingsFrom(*this);
    copy->lastReportedExtent_ = lastReportedExtent_;
    copy->state_.rect = state_.rect;
    copy->state_.firstRowOffset = state_.firstRowOffset;
    copy->state_.lineStep = state_.lineStep;
    copy->state_.lastScrollAction = state_.lastScrollAction;
    copy->state_.SetFirstRow(state_.FirstRow());
    copy->dirty_ = false;
    if (CViewStyle* style = Style())
        style->BuildVisibleRows(copy->state_);
    return copy;
}

bool HvRowScrollRegion::Commit(HvRowScrollRegion& copy)
{
    if (copy.state_.FirstRow() != state_.FirstRow())
        if (RegionControlSeam* control = layout_.Control())
            if (control->FireBeforeRowRegionScroll(&copy, this))
                return false;
    const bool moved = copy.state_.FirstRow() != state_.FirstRow();
    state_.firstRowOffset = copy.state_.firstRowOffset;
    state_.lineStep = copy.state_.lineStep;
    state_.lastScrollAction = copy.state_.lastScrollAction;
    state_.SetFirstRow(copy.state_.FirstRow());
    // The region lays its rows out again from the new first row.
    if (CViewStyle* style = Style()) {
        if (moved)
            style->ResetRowRegion(state_);
        style->BuildVisibleRows(state_);
    }
    if (visibleRows_)
        visibleRows_->Rebuild(*this);
    dirty_ = true;
    layout_.DirtyRootUIElement(true, false);
    MarkIntersectionsChanged();
    return true;
}

void HvRowScrollRegion::MarkIntersectionsChanged()
{
    LayoutRootElementSeam* root = layout_.RootUIElement();
    HvUIElement* grid = root ? LayoutRootElement::GridElement(root) : nullptr;
    if (!grid)
        return;
    // The data area's intersections in this region place their rows again.
    for (HvUIElement* area : grid->ChildSnapshot()) {
        if (area->Type() == UIElementType::DataArea)
            for (HvUIElement* pane : area->ChildSnapshot()) {
                if (pane->Type() == UIElementType::RowColRegionIntersection && pane->GetRowScrollRegion() == this)
                    pane->MarkChangedAndUpdate(false);
                pane->Release();
            }
        area->Release();
    }
}

bool HvRowScrollRegion::HandleScroll(short code, bool exitEdit, bool repaintOnly)
{
    CViewStyle* style = Style();
    if (!style || IsWorkingCopy())
        return false;
    RegionControlSeam* control = layout_.Control();
    if (exitEdit && control)
        control->ExitEditForScroll();
    WorkingCopy copy(MakeWorkingCopy());
    if (!copy)
        return false;

    RowScrollRequest request(copy->state_, code);
    request.scrollInfo.fMask = SIF_ALL;
    bar_.GetScrollInfo(request.scrollInfo);
    request.filling = filling_;
    filling_ = false;
    ViewStyleRow* before = state_.FirstRow();
    if (before)
        before->AddRefRow();
    ViewStyleRowRef firstBefore(before);

    bool committed = false;
    if (code == ThumbPosition || code == ThumbTrack) {
        // The row under the thumb: the top-level row at that index.
        // The thumb at or past the end stands for the last row, dragged
        // or let go.
        const long rows = layout_.GetRootRowCount();
        const long position = code == ThumbPosition ? request.scrollInfo.nPos : request.scrollInfo.nTrackPos;
        long index = position * rowsPerUnit_;
        const long lastPosition = request.scrollInfo.nMax - static_cast<long>(request.scrollInfo.nPage) + 1;
        if (position >= lastPosition)
            index = rows - 1;
        DisplayRows& hooks = DisplayRowHooks();
        ViewStyleRowRef row(hooks.topRowAt ? hooks.topRowAt(layout_, index < 0 ? 0 : index) : nullptr);
        if (!row)
            return false;
        if (code == ThumbTrack) {
            ShowScrollTip(row.Get());
            return false;
        }
        copy->state_.SetFirstRow(row.Get());
        copy->state_.firstRowOffset = 0;
        style->ResetRowRegion(copy->state_);
        request.repaint = true;
        request.delta = 0;
        committed = Commit(*copy);
    } else {
        if (code == RowScrollEnd)
            HideScrollTip();
        style->ScrollRowRegion(request);
        committed = Commit(*copy);
        if (!committed && copy->state_.firstRowOffset != 0) {
            style->RefreshRowRegion(request);
            if (HWND window = layout_.GetGridWindow())
                InvalidateRect(window, &state_.rect, FALSE);
        }
    }
    if (!committed)
        return false;

    RefreshScrollInfo();
    MoveContent(request, repaintOnly ? static_cast<short>(-1) : code);
    if (firstBefore.Get() != state_.FirstRow() && control)
        control->FireAfterRowRegionScroll(this);
    return true;
}

void HvRowScrollRegion::MoveContent(const RowScrollRequest& request, short code)
{
    HWND window = layout_.GetGridWindow();
    if (!window || !IsWindow(window))
        return;
    RECT rect = state_.rect;
    if (request.delta == 0 || request.repaint || code < 0 || layout_.HasBackgroundPicture()) {
        InvalidateRect(window, &rect, FALSE);
        distanceSinceRepaint_ = 0x40000000;
    } else {
        RECT moved = request.scrollArea;
        IntersectRect(&moved, &moved, &rect);
        if (IsRectEmpty(&moved)) {
            InvalidateRect(window, &rect, FALSE);
            distanceSinceRepaint_ = 0x40000000;
        } else {
            UINT flags = SW_SCROLLCHILDREN | SW_INVALIDATE;
            if (code != state_.lastScrollAction && (code == RowScrollPageUp || code == RowScrollPageDown) &&
                GetAsyncKeyState(VK_SHIFT) >= 0)
                flags |= SW_SMOOTHSCROLL | (0x200u << 16);
            ScrollWindowEx(window, 0, request.delta, &moved, &moved, nullptr, nullptr, flags);
            distanceSinceRepaint_ -= request.delta;
        }
        if (request.repaint)
            InvalidateRect(window, &request.repaintArea, FALSE);
    }
    UpdateWindow(window);
}

void HvRowScrollRegion::OnScroll(CScrollBar*, WPARAM wParam, int, int)
{
    HandleScroll(static_cast<short>(LOWORD(wParam)), true, false);
}

STDMETHODIMP HvRowScrollRegion::Scroll(Constants_RowScrollAction action)
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
        Recalculate();
        HandleScroll(static_cast<short>(action), true, false);
        state_.lastScrollAction = RowScrollEnd;
        return S_OK;
    });
}

ViewStyleRow* HvRowScrollRegion::RowFromObject(IUnknown* object)
{
    DisplayRows& hooks = DisplayRowHooks();
    return object && hooks.fromObject ? hooks.fromObject(layout_, object) : nullptr;
}

STDMETHODIMP HvRowScrollRegion::put_FirstRow(IHvRow* row)
{
    return Guard([&]() -> HRESULT {
        HRESULT hr = CheckPut();
        if (hr != S_OK)
            return hr;
        ViewStyleRowRef given(RowFromObject(row));
        if (!given || !given->IsAlive())
            return Exception(kBadObject, kBadObjectString);
        return PutFirstRow(given.Get());
    });
}

HRESULT HvRowScrollRegion::PutFirstRow(ViewStyleRow* row)
{
    if (row == state_.FirstRow())
        return S_OK;
    CViewStyle* style = Style();
    WorkingCopy copy(MakeWorkingCopy());
    if (!copy)
        return E_OUTOFMEMORY;
    copy->state_.SetFirstRow(row);
    copy->state_.firstRowOffset = 0;
    if (style)
        style->ResetRowRegion(copy->state_);
    if (!Commit(*copy))
        return S_OK;
    barUpdatePending_ = true;
    if (HWND window = layout_.GetGridWindow())
        InvalidateRect(window, &state_.rect, FALSE);
    NotifySubscribers(DispFirstRow, 0);
    if (RegionControlSeam* control = layout_.Control())
        control->FireAfterRowRegionScroll(this);
    return S_OK;
}

STDMETHODIMP HvRowScrollRegion::ScrollRowIntoView(IHvRow* row)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        ViewStyleRowRef given(RowFromObject(row));
        if (!given || !given->IsAlive())
            return E_INVALIDARG;
        return BringRowIntoView(given.Get(), true);
    });
}

STDMETHODIMP HvRowScrollRegion::ScrollCellIntoView(IHvCell* cell, VARIANT)
{
    return Guard([&]() -> HRESULT {
        if (!IsActive())
            return NotActiveError();
        IHvRow* row = nullptr;
        if (!cell || FAILED(cell->get_Row(&row)) || !row)
            return E_INVALIDARG;
        ViewStyleRowRef given(RowFromObject(row));
        row->Release();
        if (!given || !given->IsAlive())
            return E_INVALIDARG;
        return BringRowIntoView(given.Get(), true);
    });
}

HRESULT HvRowScrollRegion::BringRowIntoView(ViewStyleRow* row, bool exitEdit)
{
    CViewStyle* style = Style();
    if (!style || row->IsHidden() || extent_ <= 0)
        return S_OK;
    Recalculate();
    style->BuildVisibleRows(state_);
    for (int guard = 0; guard < 10000; ++guard) {
        HvVisibleRow* found = nullptr;
        for (HvVisibleRow* record = state_.rows.First(); record; record = HvVisibleRowList::Next(record))
            if (&CViewStyle::RowOf(*record) == row) {
                found = record;
                break;
            }
        if (!found)
            return PutFirstRow(row);
        if (found == state_.rows.First() || found->GetTop(false) + row->TotalHeight() <= extent_)
            return S_OK;
        if (!HandleScroll(RowScrollLineDown, exitEdit, true))
            return S_OK;
        state_.lastScrollAction = RowScrollEnd;
    }
    return S_OK;
}

UINT HvRowScrollRegion::AutoScrollPeriod(long y)
{
    return AutoScrollPeriodFor(y, state_.rect.top, state_.rect.bottom);
}

void HvRowScrollRegion::AutoScrollToward(long y)
{
    if (AutoScrollPeriod(y) == 0)
        return;
    HandleScroll(y < state_.rect.top ? RowScrollLineUp : RowScrollLineDown, true, false);
    state_.lastScrollAction = RowScrollEnd;
}
