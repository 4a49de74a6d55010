// The grid control's side of header drags.
#include "ControlHeaderDragHost.h"

#include "DragTracker.h"
#include "GdiScope.h"
#include "HvColScrollRegions.h"
#include "HvColumnGroupImpl.h"
#include "HvGridUIElement.h"
#include "HvHeader.h"
#include "HvLayout.h"
#include "HvTavelle.h"

namespace {

constexpr ULONG kBandHeadersType = 3000;
constexpr int kEnlarge = 5;

HvSelectableItem* SelectableOf(CAutomationObject* object)
{
    if (auto* header = dynamic_cast<HvHeader*>(object))
        return dynamic_cast<HvSelectableItem*>(header->Owner());
    return dynamic_cast<HvSelectableItem*>(object);
}

// The header element of an item in the active regions, or null.
HvUIElement* HeaderElementOf(HvTavelle& control, HvColumnGroupImpl* item)
{
    HvGridUIElement* root = control.GetRootElement(false);
    HvHeader* header = item ? item->Header() : nullptr;
    if (!root || !header)
        return nullptr;
    DescendantQuery query;
    query.type = UIElementType::Header;
    query.header = header;
    return root->GetDescendant(query);
}

} // namespace

HvSelectableItem* ControlHeaderDragHost::ObjectFromPoint(POINT point, RECT* rectangle)
{
    HvGridUIElement* root = control_.GetRootElement(false);
    HvUIElement* element = root ? root->ElementFromPoint(point, UIElementType::Cell, false, false) : nullptr;
    if (!element)
        return nullptr;
    if (rectangle)
        *rectangle = element->GetRectDisplayed();
    return SelectableOf(element->GetContextObject());
}

bool ControlHeaderDragHost::HeaderElementAt(POINT point, DragHeaderElement* element)
{
    HvGridUIElement* root = control_.GetRootElement(false);
    HvUIElement* found = root ? root->ElementFromPoint(point, UIElementType::Header, false, false) : nullptr;
    if (!found || found->Type() != UIElementType::Header)
        return false;
    if (element) {
        element->clipped = found->GetRectDisplayed();
        const RECT whole = found->GetRect();
        element->whole = EqualRect(&whole, &element->clipped) != FALSE;
    }
    return true;
}

bool ControlHeaderDragHost::BandHeadersAt(POINT point, DragBandHeaders* headers)
{
    HvGridUIElement* root = control_.GetRootElement(false);
    HvUIElement* found = root ? root->ElementFromPoint(point, kBandHeadersType, false, false) : nullptr;
    if (!found || found->Type() != kBandHeadersType)
        return false;
    if (headers) {
        headers->rect = found->GetRect();
        headers->children.clear();
        for (HvUIElement* child : found->ChildSnapshot()) {
            if (child->Type() == UIElementType::Header)
                headers->children.push_back({child->GetRect(), SelectableOf(child->GetContextObject())});
            child->Release();
        }
    }
    return true;
}

bool ControlHeaderDragHost::HasColScrollRegions()
{
    HvLayout* layout = control_.Layout();
    HvColScrollRegions* regions = layout ? layout->GetColScrollRegions(false) : nullptr;
    return regions && regions->ItemCount() > 0;
}

IHvColScrollRegion* ControlHeaderDragHost::ColScrollRegionAt(LONG x)
{
    HvLayout* layout = control_.Layout();
    HvColScrollRegions* regions = layout ? layout->GetColScrollRegions(false) : nullptr;
    ScrollRegionItem* region = regions ? regions->RegionFromPosition(x) : nullptr;
    return region ? dynamic_cast<IHvColScrollRegion*>(region) : nullptr;
}

void ControlHeaderDragHost::ArmAutoScroll(int x, int y, bool noRows)
{
    control_.ArmAutoScroll(x, y, noRows);
}

void ControlHeaderDragHost::DisarmAutoScroll()
{
    control_.DisarmAutoScroll();
}

// The header as the grid shows it, painted through the grid's own print
// road into a bitmap that the tracker floats above the cursor.
void ControlHeaderDragHost::PrepareDragImage(HvColumnGroupImpl* item, CDragTracker& tracker, bool severalItems)
{
    HWND window = control_.ControlWindow();
    HvUIElement* element = HeaderElementOf(control_, item);
    HDC effect = tracker.GetEffectWindowDC();
    if (!window || !effect) {
        tracker.SetDragImage(nullptr, 20, 50, nullptr);
        return;
    }
    RECT source = element ? element->GetRect() : RECT{0, 0, 20, 50};
    const int width = source.right - source.left + (severalItems ? kEnlarge : 0);
    const int height = source.bottom - source.top + (severalItems ? kEnlarge : 0);
    RECT client{};
    GetClientRect(window, &client);
    MemoryDC memory(effect);
    HBITMAP whole = CreateCompatibleBitmap(effect, client.right, client.bottom);
    HBITMAP image = CreateCompatibleBitmap(effect, width, height);
    if (!memory.Get() || !whole || !image) {
        if (whole)
            DeleteObject(whole);
        if (image)
            DeleteObject(image);
        tracker.SetDragImage(nullptr, 20, 50, nullptr);
        return;
    }
    {
        SelectScope grid(memory.Get(), whole);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT);
        MemoryDC target(effect);
        SelectScope selected(target.Get(), image);
        PatBlt(target.Get(), 0, 0, width, height, WHITENESS);
        BitBlt(target.Get(), 0, 0, width, height, memory.Get(), source.left, source.top, SRCCOPY);
    }
    DeleteObject(whole);
    tracker.SetDragImage(image, width, height, nullptr);
}

bool ControlHeaderDragHost::IsDesignMode()
{
    return control_.IsDesignMode();
}

bool ControlHeaderDragHost::CanFireEvents()
{
    return control_.CanFireEvents();
}

IUnknown* ControlHeaderDragHost::ControlUnknown()
{
    return control_.ControlUnknown();
}

bool ControlHeaderDragHost::FireBeforeColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns)
{
    return control_.FireBeforeColPosChanged(action, columns);
}

void ControlHeaderDragHost::FireAfterColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns)
{
    control_.FireAfterColPosChanged(action, columns);
}

bool ControlHeaderDragHost::FireBeforeGroupPosChanged(Constants_PosChanged action, IHvGroups* groups)
{
    return control_.FireBeforeGroupPosChanged(action, groups);
}

void ControlHeaderDragHost::FireAfterGroupPosChanged(Constants_PosChanged action, IHvGroups* groups)
{
    control_.FireAfterGroupPosChanged(action, groups);
}

void ControlHeaderDragHost::HeadersMoved()
{
    if (HvLayout* layout = control_.Layout())
        layout->DirtyRootUIElement(true, true);
    if (HWND window = control_.ControlWindow())
        InvalidateRect(window, nullptr, FALSE);
}
