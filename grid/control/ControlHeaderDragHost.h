// ControlHeaderDragHost: the grid control as header drags see it: hit tests
// on its root element, its column scroll regions, automatic scrolling, the
// dragged header's image, its event state and the position events.
#pragma once

#include "HeaderDragHost.h"

class HvTavelle;

class ControlHeaderDragHost final : public HeaderDragHost {
public:
    explicit ControlHeaderDragHost(HvTavelle& control) : control_(control) {}

    HvSelectableItem* ObjectFromPoint(POINT point, RECT* rectangle) override;
    bool HeaderElementAt(POINT point, DragHeaderElement* element) override;
    bool BandHeadersAt(POINT point, DragBandHeaders* headers) override;
    bool HasColScrollRegions() override;
    IHvColScrollRegion* ColScrollRegionAt(LONG x) override;
    void ArmAutoScroll(int x, int y, bool noRows) override;
    void DisarmAutoScroll() override;
    void PrepareDragImage(HvColumnGroupImpl* item, CDragTracker& tracker, bool severalItems) override;
    bool IsDesignMode() override;
    bool CanFireEvents() override;
    IUnknown* ControlUnknown() override;
    bool FireBeforeColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) override;
    void FireAfterColPosChanged(Constants_PosChanged action, IHvSelectedCols* columns) override;
    bool FireBeforeGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) override;
    void FireAfterGroupPosChanged(Constants_PosChanged action, IHvGroups* groups) override;
    void HeadersMoved() override;

private:
    HvTavelle& control_;
};
