// A page written to a file: an enhanced metafile framed as an A4 sheet, or a
// PNG picture at a given resolution on white paper.
#pragma once

#include <string>

#include "PageItem.h"

namespace hv::report {

bool WritePageEmf(const PageModel& page, const std::wstring& path, const std::wstring& description);
bool WritePagePng(const PageModel& page, const std::wstring& path, int dpi);

} // namespace hv::report
