// IntersectionContent: placing rows, band headers and connectors.
#include "IntersectionContent.h"

#include "HvColScrollRegion.h"
#include "HvRowColRegionIntersectionUIElement.h"
#include "HvRowScrollRegion.h"
#include "HvUIElements.h"

IntersectionContent::IntersectionContent(HvRowColRegionIntersectionUIElement& element, HvRowScrollRegion& rows,
                                         HvColScrollRegion& cols)
    : element_(element), rows_(rows), cols_(cols)
{
}

void IntersectionContent::Place()
{
    std::vector<HvUIElement*> fresh;
    element_.ReplaceChildren(fresh);
}
