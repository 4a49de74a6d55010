// HvSortIndicatorUIElement: the arrow of a sorted column's header, up for
// ascending and down for descending.
#pragma once

#include "HvCellChildUIElement.h"

class HvSortIndicatorUIElement final : public HvCellChildUIElement {
public:
    // One reference, handed over; null when out of memory.
    static HvSortIndicatorUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                          HvUIElementOwner* owner, bool descending);

    void SetDescending(bool descending) { descending_ = descending; }
    bool IsDescending() const { return descending_; }
    void DrawForeground(CDrawContext& context, const RECT& area, const AppearanceData& data) override;

private:
    HvSortIndicatorUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                             HvUIElementOwner* owner, bool descending);

    bool descending_;
};
