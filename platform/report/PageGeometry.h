// The page every report prints on, and the boxes its controls take: A4
// portrait with one margin on every side, all in twips (1440 to the inch).
// Sections never split, so a page's contents follow from these figures alone.
#pragma once

namespace hv::report {

constexpr int kTwipsPerInch = 1440;
constexpr int kPageWidth = 11906;   // 210 mm
constexpr int kPageHeight = 16838;  // 297 mm
constexpr int kPageMargin = 720;    // half an inch on every side
constexpr int kPrintableWidth = kPageWidth - 2 * kPageMargin;
constexpr int kPrintableHeight = kPageHeight - 2 * kPageMargin;
// The page in hundredths of a millimetre (the frame of a page's metafile).
constexpr int kPageWidthHiMetric = 21000;
constexpr int kPageHeightHiMetric = 29700;

// A rectangle in twips: left and top from the origin of what holds it.
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const Box&) const = default;
};

} // namespace hv::report
