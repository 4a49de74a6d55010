// IntersectionContent: what one row-and-column region intersection holds:
// a Row element for every visible row of the row region, the band headers
// above the rows that carry them or in the top header area, and the
// sibling-row connectors, placed with the reuse rule of the element tree.
#pragma once

#include <windows.h>

#include <vector>

class HvColScrollRegion;
class HvRowColRegionIntersectionUIElement;
class HvRowScrollRegion;
class HvUIElement;
class HvUIElements;

class IntersectionContent {
public:
    IntersectionContent(HvRowColRegionIntersectionUIElement& element, HvRowScrollRegion& rows,
                        HvColScrollRegion& cols);
    IntersectionContent(const IntersectionContent&) = delete;
    IntersectionContent& operator=(const IntersectionContent&) = delete;

    void Place();

private:
    HvRowColRegionIntersectionUIElement& element_;
    HvRowScrollRegion& rows_;
    HvColScrollRegion& cols_;
};
