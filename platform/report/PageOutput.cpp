// Metafiles are recorded against the screen as reference device, scaled by
// its pixels per millimetre, so that they play back at the page's true size;
// bitmaps are drawn into a DIB section and encoded as PNG.
#include "PageOutput.h"

#include <windows.h>

#include "GdiGuards.h"
#include "GdiObject.h"
#include "PageGeometry.h"
#include "PageRenderer.h"
#include "PngEncoder.h"

namespace hv::report {

bool WritePageEmf(const PageModel& page, const std::wstring& path, const std::wstring& description)
{
    const RECT frame{0, 0, kPageWidthHiMetric, kPageHeightHiMetric};
    // The description is "application\0title\0\0".
    std::wstring text = L"Report";
    text.push_back(L'\0');
    text += description;
    text.push_back(L'\0');
    ScreenDc reference;
    HDC dc = CreateEnhMetaFileW(reference.Get(), path.c_str(), &frame, text.c_str());
    const int pixelsWide = MulDiv(GetDeviceCaps(reference.Get(), HORZRES), kPageWidthHiMetric,
                                  GetDeviceCaps(reference.Get(), HORZSIZE) * 100);
    const int pixelsHigh = MulDiv(GetDeviceCaps(reference.Get(), VERTRES), kPageHeightHiMetric,
                                  GetDeviceCaps(reference.Get(), VERTSIZE) * 100);
    if (!dc)
        return false;
    DrawPageItems(page, dc, RECT{0, 0, pixelsWide, pixelsHigh});
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    if (!metafile)
        return false;
    DeleteEnhMetaFile(metafile);
    return true;
}

bool WritePagePng(const PageModel& page, const std::wstring& path, int dpi)
{
    if (dpi <= 0)
        return false;
    const int width = MulDiv(kPageWidth, dpi, kTwipsPerInch);
    const int height = MulDiv(kPageHeight, dpi, kTwipsPerInch);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    forms::GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc dc;
    if (!bitmap || !bits || !dc.Get())
        return false;
    {
        Selection selected(dc.Get(), bitmap.Get());
        const RECT paper{0, 0, width, height};
        FillRect(dc.Get(), &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawPageItems(page, dc.Get(), paper);
        GdiFlush();
    }
    return WritePng(path, width, height, static_cast<const BYTE*>(bits));
}

} // namespace hv::report
