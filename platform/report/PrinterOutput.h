// Printing: whether a printer is installed, and the print dialog followed by
// one document of the chosen pages, each drawn over the whole sheet.
#pragma once

#include <functional>
#include <string>

#include <windows.h>

#include "PageItem.h"

namespace hv::report {

bool PrinterAvailable();

// Returns false when there is no printer, the user cancelled or the spooler
// refused the document.
bool PrintPages(HWND owner, const std::wstring& documentName, long pageCount,
                const std::function<PageModel(long page)>& composePage);

} // namespace hv::report
