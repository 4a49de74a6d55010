// The styles part.
#include "StylesPart.h"

#include "NumberText.h"
#include "XmlText.h"

#include <cstdio>
#include <map>
#include <vector>

namespace hv::sheet {

namespace {

template <class T>
class Pool {
public:
    int Index(const T& value)
    {
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] == value)
                return static_cast<int>(i);
        items.push_back(value);
        return static_cast<int>(items.size() - 1);
    }
    std::vector<T> items;
};

std::string Number(double v)
{
    return ShortestTextUtf8(v);
}

std::string ColorXml(const char* element, const StyleColor& c)
{
    std::string xml = std::string("<") + element;
    switch (c.kind) {
    case StyleColor::Kind::Automatic:
        xml += " auto=\"1\"";
        break;
    case StyleColor::Kind::Rgb: {
        char rgb[16];
        std::snprintf(rgb, sizeof rgb, "FF%06X", static_cast<unsigned>(c.rgb & 0xFFFFFF));
        xml += std::string(" rgb=\"") + rgb + "\"";
        break;
    }
    case StyleColor::Kind::Theme:
        xml += " theme=\"" + std::to_string(c.theme) + "\"";
        break;
    }
    if (c.tint != 0)
        xml += " tint=\"" + Number(c.tint) + "\"";
    return xml + "/>";
}

const char* UnderlineValue(int underline)
{
    switch (underline) {
    case 2: return "single";
    case -4119: return "double";
    case 4: return "singleAccounting";
    case 5: return "doubleAccounting";
    default: return nullptr;
    }
}

std::string FontXml(const FontStyle& f)
{
    std::string xml = "<font>";
    if (f.bold) xml += "<b/>";
    if (f.italic) xml += "<i/>";
    if (f.strikethrough) xml += "<strike/>";
    if (f.outline) xml += "<outline/>";
    if (f.shadow) xml += "<shadow/>";
    if (const char* u = UnderlineValue(f.underline))
        xml += std::string("<u val=\"") + u + "\"/>";
    if (f.superscript) xml += "<vertAlign val=\"superscript\"/>";
    else if (f.subscript) xml += "<vertAlign val=\"subscript\"/>";
    xml += "<sz val=\"" + Number(f.size) + "\"/>";
    if (f.color.kind != StyleColor::Kind::Automatic)
        xml += ColorXml("color", f.color);
    xml += "<name val=\"" + XmlEscaped(f.name) + "\"/>";
    if (f.themeFont == 1) xml += "<scheme val=\"major\"/>";
    if (f.themeFont == 2) xml += "<scheme val=\"minor\"/>";
    return xml + "</font>";
}

const char* PatternName(int pattern)
{
    switch (pattern) {
    case 1: return "solid";
    case -4124: return "lightGray";
    case -4125: return "mediumGray";
    case -4126: return "darkGray";
    case 17: return "gray125";
    case 18: return "gray0625";
    default: return "none";
    }
}

std::string FillXml(const FillStyle& f)
{
    const std::string name = PatternName(f.pattern);
    if (name == "none")
        return "<fill><patternFill patternType=\"none\"/></fill>";
    // A solid fill shows its foreground; a pattern draws its colour over the cell's.
    const bool solid = f.pattern == 1;
    const StyleColor& foreground = solid ? f.color : f.patternColor;
    const StyleColor& background = solid ? f.patternColor : f.color;
    std::string xml = "<fill><patternFill patternType=\"" + name + "\">";
    xml += foreground.kind == StyleColor::Kind::Automatic ? "<fgColor indexed=\"64\"/>" : ColorXml("fgColor", foreground);
    xml += background.kind == StyleColor::Kind::Automatic ? "<bgColor indexed=\"64\"/>" : ColorXml("bgColor", background);
    return xml + "</patternFill></fill>";
}

const char* HorizontalName(int v)
{
    switch (v) {
    case -4131: return "left";
    case -4108: return "center";
    case -4152: return "right";
    case 5: return "fill";
    case -4130: return "justify";
    case 7: return "centerContinuous";
    case -4117: return "distributed";
    default: return nullptr;
    }
}

const char* VerticalName(int v)
{
    switch (v) {
    case -4160: return "top";
    case -4108: return "center";
    case -4130: return "justify";
    case -4117: return "distributed";
    default: return nullptr;  // bottom
    }
}

int Rotation(int orientation)
{
    if (orientation == -4166)
        return 255;
    return orientation < 0 ? 90 - orientation : orientation;
}

std::string AlignmentXml(const AlignmentStyle& a)
{
    std::string attrs;
    if (const char* h = HorizontalName(a.horizontal))
        attrs += std::string(" horizontal=\"") + h + "\"";
    if (const char* v = VerticalName(a.vertical))
        attrs += std::string(" vertical=\"") + v + "\"";
    if (a.orientation != 0)
        attrs += " textRotation=\"" + std::to_string(Rotation(a.orientation)) + "\"";
    if (a.wrap) attrs += " wrapText=\"1\"";
    if (a.indent != 0) attrs += " indent=\"" + std::to_string(a.indent) + "\"";
    if (a.shrink) attrs += " shrinkToFit=\"1\"";
    if (a.readingOrder == -5003) attrs += " readingOrder=\"1\"";
    if (a.readingOrder == -5004) attrs += " readingOrder=\"2\"";
    return attrs.empty() ? std::string() : "<alignment" + attrs + "/>";
}

class NumberFormats {
public:
    int Id(const std::wstring& format)
    {
        if (format == L"General")
            return 0;
        auto found = ids_.find(format);
        if (found == ids_.end())
            found = ids_.emplace(format, 164 + static_cast<int>(ids_.size())).first;
        return found->second;
    }
    std::string Xml() const
    {
        if (ids_.empty())
            return std::string();
        std::string xml = "<numFmts count=\"" + std::to_string(ids_.size()) + "\">";
        for (const auto& [format, id] : ids_)
            xml += "<numFmt numFmtId=\"" + std::to_string(id) + "\" formatCode=\"" + XmlEscaped(format) + "\"/>";
        return xml + "</numFmts>";
    }

private:
    std::map<std::wstring, int> ids_;
};

template <class T, class ToXml>
std::string List(const char* element, const std::vector<T>& items, ToXml toXml)
{
    std::string xml = std::string("<") + element + " count=\"" + std::to_string(items.size()) + "\">";
    for (const T& item : items)
        xml += toXml(item);
    return xml + "</" + element + ">";
}

} // namespace

std::string StylesPartXml(const StyleTable& styles)
{
    NumberFormats formats;
    Pool<FontStyle> fonts;
    Pool<FillStyle> fills;
    fonts.Index(styles.At(0).font);
    fills.Index(FillStyle{});
    FillStyle grey;  // the second fill is reserved
    grey.pattern = 17;
    fills.Index(grey);
    const int commaFormat = formats.Id(kCommaFormat);

    std::string xfs;
    for (size_t i = 0; i < styles.Count(); ++i) {
        const CellStyle& s = styles.At(static_cast<std::uint32_t>(i));
        const std::string alignment = AlignmentXml(s.alignment);
        xfs += "<xf numFmtId=\"" + std::to_string(formats.Id(s.numberFormat)) + "\" fontId=\"" +
               std::to_string(fonts.Index(s.font)) + "\" fillId=\"" + std::to_string(fills.Index(s.fill)) +
               "\" borderId=\"0\" xfId=\"" + (s.named == NamedStyle::Comma ? "1" : "0") +
               "\" applyNumberFormat=\"1\" applyFont=\"1\" applyFill=\"1\" applyAlignment=\"1\"";
        xfs += alignment.empty() ? "/>" : ">" + alignment + "</xf>";
    }

    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    xml += formats.Xml();
    xml += List("fonts", fonts.items, FontXml);
    xml += List("fills", fills.items, FillXml);
    xml += "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>";
    xml += "<cellStyleXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
           "<xf numFmtId=\"" + std::to_string(commaFormat) +
           "\" fontId=\"0\" fillId=\"0\" borderId=\"0\" applyNumberFormat=\"1\"/></cellStyleXfs>";
    xml += "<cellXfs count=\"" + std::to_string(styles.Count()) + "\">" + xfs + "</cellXfs>";
    xml += "<cellStyles count=\"2\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
           "<cellStyle name=\"Comma\" xfId=\"1\" builtinId=\"3\"/></cellStyles>";
    return xml + "</styleSheet>";
}

} // namespace hv::sheet
