// A worksheet part.
#include "SheetPart.h"

#include "NumberText.h"
#include "XmlText.h"

namespace hv::sheet {

namespace {

std::string Ascii(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

std::string CellXml(int row, int column, const Cell& cell, SharedStrings& strings)
{
    std::string xml = "<c r=\"" + Ascii(ColumnName(column)) + std::to_string(row) + "\"";
    if (cell.style != 0)
        xml += " s=\"" + std::to_string(cell.style) + "\"";
    switch (cell.value.kind) {
    case CellValue::Kind::Empty:
        return xml + "/>";
    case CellValue::Kind::Number:
        return xml + "><v>" + ShortestTextUtf8(cell.value.number) + "</v></c>";
    case CellValue::Kind::Boolean:
        return xml + " t=\"b\"><v>" + (cell.value.number != 0 ? "1" : "0") + "</v></c>";
    case CellValue::Kind::Text:
        return xml + " t=\"s\"><v>" + std::to_string(strings.Index(cell.value.text)) + "</v></c>";
    }
    return xml + "/>";
}

std::string RowXml(int number, const RowData& row, SharedStrings& strings)
{
    std::string xml = "<row r=\"" + std::to_string(number) + "\"";
    if (row.height >= 0)
        xml += " ht=\"" + ShortestTextUtf8(row.height) + "\" customHeight=\"1\"";
    if (row.customFormat)
        xml += " s=\"" + std::to_string(row.style) + "\" customFormat=\"1\"";
    if (row.cells.empty())
        return xml + "/>";
    xml += ">";
    for (const auto& [column, cell] : row.cells)
        if (cell.value.kind != CellValue::Kind::Empty || cell.style != 0)
            xml += CellXml(number, column, cell, strings);
    return xml + "</row>";
}

bool RowMatters(const RowData& row)
{
    return row.height >= 0 || row.customFormat || !row.cells.empty();
}

std::string ColumnsXml(const std::vector<ColumnData>& columns)
{
    std::string xml;
    for (size_t first = 1; first < columns.size();) {
        size_t last = first;
        while (last + 1 < columns.size() && columns[last + 1] == columns[first])
            ++last;
        const ColumnData& c = columns[first];
        if (c.width >= 0 || c.style != 0) {
            xml += "<col min=\"" + std::to_string(first) + "\" max=\"" + std::to_string(last) + "\" width=\"" +
                   ShortestTextUtf8(c.width >= 0 ? c.width : kDefaultColumnWidth) + "\"";
            if (c.width >= 0)
                xml += " customWidth=\"1\"";
            if (c.style != 0)
                xml += " style=\"" + std::to_string(c.style) + "\"";
            xml += "/>";
        }
        first = last + 1;
    }
    return xml.empty() ? xml : "<cols>" + xml + "</cols>";
}

std::string ViewXml(const Worksheet& sheet, bool selected)
{
    const CellRect& s = sheet.Selection();
    const std::string active = Ascii(ColumnName(s.column1)) + std::to_string(s.row1);
    return std::string("<sheetViews><sheetView workbookViewId=\"0\"") + (selected ? " tabSelected=\"1\"" : "") +
           "><selection activeCell=\"" + active + "\" sqref=\"" + Ascii(RectName(s)) + "\"/></sheetView></sheetViews>";
}

} // namespace

int SharedStrings::Index(const std::wstring& text)
{
    const auto found = index_.find(text);
    if (found != index_.end())
        return found->second;
    const int index = static_cast<int>(order_.size());
    order_.push_back(&index_.emplace(text, index).first->first);
    return index;
}

std::string SharedStrings::Xml() const
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
                      std::to_string(order_.size()) + "\" uniqueCount=\"" + std::to_string(order_.size()) + "\">";
    for (const std::wstring* text : order_)
        xml += "<si><t xml:space=\"preserve\">" + XmlEscaped(*text) + "</t></si>";
    return xml + "</sst>";
}

std::string SheetPartXml(const Worksheet& sheet, bool selected, SharedStrings& strings)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";
    xml += ViewXml(sheet, selected);
    xml += "<sheetFormatPr defaultRowHeight=\"" + ShortestTextUtf8(sheet.DefaultRowHeight()) + "\"";
    if (sheet.DefaultRowHeight() != kDefaultRowHeight)
        xml += " customHeight=\"1\"";
    xml += "/>";
    xml += ColumnsXml(sheet.Columns());
    xml += "<sheetData>";
    for (const auto& [number, row] : sheet.Rows())
        if (RowMatters(row))
            xml += RowXml(number, row, strings);
    xml += "</sheetData>";
    if (!sheet.Merges().empty()) {
        xml += "<mergeCells count=\"" + std::to_string(sheet.Merges().size()) + "\">";
        for (const CellRect& m : sheet.Merges())
            xml += "<mergeCell ref=\"" + Ascii(RectName(m)) + "\"/>";
        xml += "</mergeCells>";
    }
    return xml + "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
                 "</worksheet>";
}

} // namespace hv::sheet
