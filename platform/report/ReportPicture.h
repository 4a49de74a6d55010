// A picture stored in a report definition: a recorded metafile, so that it
// keeps its sharpness at every zoom of the preview and on paper.
#pragma once

#include <functional>

#include <windows.h>

namespace hv::report {

class ReportPicture {
public:
    // Records what `draw` paints on a surface of width x height twips
    // (logical units are twips, the origin at the top left).
    static ReportPicture Record(int width, int height, const std::function<void(HDC)>& draw);

    ~ReportPicture();
    ReportPicture(ReportPicture&& other) noexcept;
    ReportPicture& operator=(ReportPicture&& other) noexcept;
    ReportPicture(const ReportPicture&) = delete;
    ReportPicture& operator=(const ReportPicture&) = delete;

    bool IsEmpty() const { return metafile_ == nullptr; }
    // Plays the picture stretched over the rectangle (logical units of dc).
    void Draw(HDC dc, const RECT& place) const;

private:
    explicit ReportPicture(HENHMETAFILE metafile) : metafile_(metafile) {}
    HENHMETAFILE metafile_ = nullptr;
};

} // namespace hv::report
