// Pictures recorded in twips and played back into any rectangle.
#include "ReportPicture.h"

#include <utility>

#include "PageGeometry.h"

namespace hv::report {

ReportPicture ReportPicture::Record(int width, int height, const std::function<void(HDC)>& draw)
{
    // The frame is in hundredths of a millimetre: 1440 twips are 2540 of them.
    const RECT frame{0, 0, MulDiv(width, 2540, kTwipsPerInch), MulDiv(height, 2540, kTwipsPerInch)};
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    if (!dc)
        return ReportPicture(nullptr);
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, width, height, nullptr);
    SetViewportExtEx(dc, MulDiv(width, dpiX, kTwipsPerInch), MulDiv(height, dpiY, kTwipsPerInch), nullptr);
    draw(dc);
    return ReportPicture(CloseEnhMetaFile(dc));
}

ReportPicture::~ReportPicture()
{
    if (metafile_)
        DeleteEnhMetaFile(metafile_);
}

ReportPicture::ReportPicture(ReportPicture&& other) noexcept
    : metafile_(std::exchange(other.metafile_, nullptr))
{
}

ReportPicture& ReportPicture::operator=(ReportPicture&& other) noexcept
{
    if (this != &other) {
        if (metafile_)
            DeleteEnhMetaFile(metafile_);
        metafile_ = std::exchange(other.metafile_, nullptr);
    }
    return *this;
}

void ReportPicture::Draw(HDC dc, const RECT& place) const
{
    if (metafile_)
        PlayEnhMetaFile(dc, metafile_, &place);
}

} // namespace hv::report
