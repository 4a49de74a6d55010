// HvButtonUIElement: the push button a cell shows beside its value.
#pragma once

#include "HvButtonUIElementBase.h"

class HvButtonUIElement final : public HvButtonUIElementBase {
public:
    // One reference, handed over; null when out of memory. The owner and
    // the press handler are the cell's.
    static HvButtonUIElement* Make(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect,
                                   HvUIElementOwner* owner, HvButtonSink* pressHandler);

private:
    HvButtonUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, HvUIElementOwner* owner,
                      HvButtonSink* pressHandler);
};
