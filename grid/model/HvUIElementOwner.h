// HvUIElementOwner: the internal interface of a grid object that UI elements
// show, as far as the change-refresh helpers use it.
#pragma once

class LayoutRegionsSeam;
class ScrollRegionSeam;
class UIElementSeam;

class HvUIElementOwner {
public:
    // The layout that shows the object, or null.
    virtual LayoutRegionsSeam* GetShowingLayout() = 0;
    // The object's element in a pair of regions, made when create is 1; null
    // when there is none.
    virtual UIElementSeam* GetUIElement(ScrollRegionSeam* rowRegion, ScrollRegionSeam* colRegion,
                                        int create) = 0;

protected:
    ~HvUIElementOwner() = default;
};
