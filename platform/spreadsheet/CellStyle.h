// CellStyle: everything a cell's format holds (named style, number format,
// font, fill, alignment), as one value that the style table interns.
#pragma once

#include <cstdint>
#include <string>

namespace hv::sheet {

// A colour: automatic, an RGB value, or an entry of the theme (its index in
// the file: 0 light background, 1 dark text, 4 accent 1, ...), with a tint
// from -1 (darker) to 1 (lighter).
struct StyleColor {
    enum class Kind : std::uint8_t { Automatic, Rgb, Theme };
    Kind kind = Kind::Automatic;
    std::uint32_t rgb = 0;  // 0xRRGGBB
    int theme = 0;
    double tint = 0;

    bool operator==(const StyleColor&) const = default;
};

struct FontStyle {
    std::wstring name = L"Arial";
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool strikethrough = false;
    bool superscript = false;
    bool subscript = false;
    bool outline = false;
    bool shadow = false;
    int underline = -4142;  // the application's constants: -4142 none, 2 single, ...
    int themeFont = 0;      // 0 none, 1 major, 2 minor
    StyleColor color;

    bool operator==(const FontStyle&) const = default;
};

struct FillStyle {
    int pattern = -4142;  // -4142 none, 1 solid, a few grey patterns
    StyleColor color;
    StyleColor patternColor;

    bool operator==(const FillStyle&) const = default;
};

struct AlignmentStyle {
    int horizontal = 1;      // 1 general, -4131 left, -4108 centre, -4152 right, ...
    int vertical = -4107;    // -4107 bottom, -4108 centre, -4160 top, ...
    bool wrap = false;
    int orientation = 0;     // degrees -90..90, or -4166 vertical (stacked)
    bool addIndent = false;
    int indent = 0;
    bool shrink = false;
    int readingOrder = -5002;  // -5002 context, -5003 left to right, -5004 right to left

    bool operator==(const AlignmentStyle&) const = default;
};

enum class NamedStyle : std::uint8_t { Normal, Comma };

struct CellStyle {
    NamedStyle named = NamedStyle::Normal;
    std::wstring numberFormat = L"General";
    FontStyle font;
    FillStyle fill;
    AlignmentStyle alignment;

    bool operator==(const CellStyle&) const = default;
};

// The number format of the "Comma" style.
inline constexpr const wchar_t* kCommaFormat = L"_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)";
// The format a date gets when written into a cell of the "General" format.
inline constexpr const wchar_t* kShortDateFormat = L"dd/mm/yyyy";

std::size_t HashOf(const CellStyle& style);

} // namespace hv::sheet
