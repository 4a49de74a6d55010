// Printing through the common print dialog and the spooler. Pages are drawn
// against the physical sheet: the printable area's offset is taken off, so a
// page's margin falls where it falls on every other output.
#include "PrinterOutput.h"

#include <commdlg.h>

#include <algorithm>

#include "GdiGuards.h"
#include "PageRenderer.h"

namespace hv::report {

namespace {

// Frees the device settings the dialog hands back.
class DialogMemory {
public:
    explicit DialogMemory(PRINTDLGW& dialog) : dialog_(dialog) {}
    ~DialogMemory()
    {
        if (dialog_.hDevMode)
            GlobalFree(dialog_.hDevMode);
        if (dialog_.hDevNames)
            GlobalFree(dialog_.hDevNames);
    }
    DialogMemory(const DialogMemory&) = delete;
    DialogMemory& operator=(const DialogMemory&) = delete;

private:
    PRINTDLGW& dialog_;
};

RECT SheetOnDevice(HDC dc)
{
    const int offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    const int offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    return RECT{-offsetX, -offsetY, GetDeviceCaps(dc, PHYSICALWIDTH) - offsetX,
                GetDeviceCaps(dc, PHYSICALHEIGHT) - offsetY};
}

} // namespace

bool PrinterAvailable()
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    return size > 0;
}

bool PrintPages(HWND owner, const std::wstring& documentName, long pageCount,
                const std::function<PageModel(long page)>& composePage)
{
    if (pageCount < 1 || !PrinterAvailable())
        return false;
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nFromPage = 1;
    dialog.nToPage = static_cast<WORD>(std::min<long>(pageCount, 0xFFFF));
    dialog.nMinPage = 1;
    dialog.nMaxPage = dialog.nToPage;
    DialogMemory memory(dialog);
    if (!PrintDlgW(&dialog))
        return false;
    OwnedDc printer(dialog.hDC);
    long first = 1;
    long last = pageCount;
    if (dialog.Flags & PD_PAGENUMS) {
        first = std::max<long>(1, dialog.nFromPage);
        last = std::min<long>(pageCount, dialog.nToPage);
    }
    DOCINFOW doc{};
    doc.cbSize = sizeof(doc);
    doc.lpszDocName = documentName.c_str();
    if (StartDocW(printer.Get(), &doc) <= 0)
        return false;
    const RECT sheet = SheetOnDevice(printer.Get());
    try {
        for (long page = first; page <= last; ++page) {
            if (StartPage(printer.Get()) <= 0) {
                AbortDoc(printer.Get());
                return false;
            }
            DrawPageItems(composePage(page), printer.Get(), sheet);
            if (EndPage(printer.Get()) <= 0) {
                AbortDoc(printer.Get());
                return false;
            }
        }
    } catch (...) {
        // No half document stays in the spooler.
        AbortDoc(printer.Get());
        throw;
    }
    return EndDoc(printer.Get()) > 0;
}

} // namespace hv::report
