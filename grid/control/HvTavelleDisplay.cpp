// What the control gives the grid display: the scroll and split events of
// its regions, and the display's hooks installed when the library starts
// (the Redraw test of the scroll bars, the rows of the row model).
#include "HvTavelle.h"

#include "EventEnableMask.h"
#include "ScrollBar.h"

bool HvTavelle::FireBeforeRowRegionScroll(IDispatch* newState, IDispatch* oldState)
{
    return gate_ && gate_->Fire_BeforeRowRegionScroll(newState, oldState);
}

void HvTavelle::FireAfterRowRegionScroll(IDispatch* region)
{
    if (gate_)
        gate_->Fire_AfterRowRegionScroll(region);
}

bool HvTavelle::FireBeforeColRegionScroll(IDispatch* newState, IDispatch* oldState)
{
    return gate_ && gate_->Fire_BeforeColRegionScroll(newState, oldState);
}

void HvTavelle::FireAfterColRegionScroll(IDispatch* region)
{
    if (gate_)
        gate_->Fire_AfterColRegionScroll(region);
}

bool HvTavelle::FireBeforeRowRegionSplit(IDispatch* original, IDispatch* added)
{
    return gate_ && gate_->Fire_BeforeRowRegionSplit(original, added);
}

bool HvTavelle::FireBeforeColRegionSplit(IDispatch* original, IDispatch* added)
{
    return gate_ && gate_->Fire_BeforeColRegionSplit(original, added);
}

void HvTavelle::FireAfterRowRegionSize(IDispatch* region)
{
    if (gate_)
        gate_->Fire_AfterRowRegionSize(region);
}

void HvTavelle::FireAfterColRegionSize(IDispatch* region)
{
    if (gate_)
        gate_->Fire_AfterColRegionSize(region);
}

namespace {

// The scroll bars do not paint while their grid's Redraw is off.
bool IsGridRedrawOff(HWND grid)
{
    wchar_t name[32] = {};
    if (!GetClassNameW(grid, name, 32) || lstrcmpW(name, L"HvTavelleWndClass") != 0)
        return false;
    const LONG_PTR stored = GetWindowLongPtrW(grid, GWLP_USERDATA);
    if (stored == 0 || stored == -1)
        return false;
    auto* control = dynamic_cast<HvTavelle*>(reinterpret_cast<CControlEmbedding*>(stored));
    return control && control->IsAlive() && !control->IsDesignMode() && !control->IsRedrawOn();
}

} // namespace

void InstallControlDisplayHooks()
{
    CScrollBar::SetRedrawOffQuery(&IsGridRedrawOff);
}
