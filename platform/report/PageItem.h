// What one page shows, item by item in drawing order: the kind of control,
// its name, the text it prints (labels and fields), its box in twips from
// the page's top left corner (a line runs from the box's top left to its
// bottom right) and how it is drawn.
#pragma once

#include <string>
#include <vector>

#include "PageGeometry.h"
#include "ReportControl.h"

namespace hv::report {

struct PageItem {
    ControlKind kind = ControlKind::Label;
    std::wstring name;
    std::wstring text;
    Box box;
    TextStyle style;
    int thickness = 0;
    const ReportPicture* picture = nullptr;  // not owned: the report's definition holds it
};

using PageModel = std::vector<PageItem>;

} // namespace hv::report
