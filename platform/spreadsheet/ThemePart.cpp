// The theme part and its palette.
#include "ThemePart.h"

#include <array>
#include <cstdio>

namespace hv::sheet {

namespace {

// By theme index: lt1, dk1, lt2, dk2, accent1..6, hlink, folHlink.
constexpr std::array<std::uint32_t, 12> kPalette = {
    0xFFFFFF, 0x000000, 0xEDEAE3, 0x243B53, 0x3F78B5, 0xC2553A,
    0x7FA33A, 0x7A5C9E, 0x3AA0B8, 0xE0892E, 0x2B5DAE, 0x7B4A9E,
};

std::string Hex(std::uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(rgb));
    return text;
}

std::string Slot(const char* name, int index)
{
    return std::string("<a:") + name + "><a:srgbClr val=\"" + Hex(kPalette[static_cast<size_t>(index)]) + "\"/></a:" + name + ">";
}

std::string FontScheme()
{
    const std::string fonts = "<a:latin typeface=\"Arial\"/><a:ea typeface=\"\"/><a:cs typeface=\"\"/>";
    return "<a:fontScheme name=\"Hv\"><a:majorFont>" + fonts + "</a:majorFont><a:minorFont>" + fonts +
           "</a:minorFont></a:fontScheme>";
}

std::string FormatScheme()
{
    const std::string fill = "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>";
    const std::string line = "<a:ln w=\"9525\"><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill></a:ln>";
    const std::string effect = "<a:effectStyle><a:effectLst/></a:effectStyle>";
    return "<a:fmtScheme name=\"Hv\"><a:fillStyleLst>" + fill + fill + fill + "</a:fillStyleLst><a:lnStyleLst>" + line +
           line + line + "</a:lnStyleLst><a:effectStyleLst>" + effect + effect + effect +
           "</a:effectStyleLst><a:bgFillStyleLst>" + fill + fill + fill + "</a:bgFillStyleLst></a:fmtScheme>";
}

} // namespace

std::uint32_t ThemeRgb(int index)
{
    return index >= 0 && index < static_cast<int>(kPalette.size()) ? kPalette[static_cast<size_t>(index)] : 0;
}

std::string ThemePartXml()
{
    std::string colors = "<a:clrScheme name=\"Hv\">" + Slot("dk1", 1) + Slot("lt1", 0) + Slot("dk2", 3) + Slot("lt2", 2);
    const char* accents[] = {"accent1", "accent2", "accent3", "accent4", "accent5", "accent6"};
    for (int i = 0; i < 6; ++i)
        colors += Slot(accents[i], 4 + i);
    colors += Slot("hlink", 10) + Slot("folHlink", 11) + "</a:clrScheme>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" name=\"Hv\"><a:themeElements>" +
           colors + FontScheme() + FormatScheme() +
           "</a:themeElements><a:objectDefaults/><a:extraClrSchemeLst/></a:theme>";
}

} // namespace hv::sheet
