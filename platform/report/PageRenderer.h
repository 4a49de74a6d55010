// Draws a page's items into any device context: the page's twips are mapped
// onto a target rectangle of the device, so the same routine serves the
// preview at every zoom, metafiles, bitmaps and printers.
#pragma once

#include <windows.h>

#include "PageItem.h"

namespace hv::report {

// The face every report text is drawn in.
inline constexpr const wchar_t* kReportFontFace = L"Arial";

void DrawPageItems(const PageModel& items, HDC dc, const RECT& target);

} // namespace hv::report
