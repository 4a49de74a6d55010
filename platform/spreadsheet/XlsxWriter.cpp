// The workbook package.
#include "XlsxWriter.h"

#include "SheetError.h"
#include "SheetPart.h"
#include "StylesPart.h"
#include "ThemePart.h"
#include "XmlText.h"
#include "ZipWriter.h"

#include <windows.h>

namespace hv::sheet {

namespace {

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelations = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kPackageRelations = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kTypes = "application/vnd.openxmlformats-officedocument.spreadsheetml.";

std::string SheetFile(int n)
{
    return "worksheets/sheet" + std::to_string(n) + ".xml";
}

std::string ContentTypes(int sheets)
{
    std::string xml = std::string(kXmlHead) +
                      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                      "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + kTypes + "sheet.main+xml\"/>";
    for (int n = 1; n <= sheets; ++n)
        xml += "<Override PartName=\"/xl/" + SheetFile(n) + "\" ContentType=\"" + kTypes + "worksheet+xml\"/>";
    xml += "<Override PartName=\"/xl/styles.xml\" ContentType=\"" + std::string(kTypes) + "styles+xml\"/>"
           "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" + kTypes + "sharedStrings+xml\"/>"
           "<Override PartName=\"/xl/theme/theme1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.theme+xml\"/>";
    return xml + "</Types>";
}

std::string Relation(int id, const char* type, const std::string& target)
{
    return "<Relationship Id=\"rId" + std::to_string(id) + "\" Type=\"" + kRelations + "/" + type + "\" Target=\"" +
           target + "\"/>";
}

std::string PackageRelations()
{
    return std::string(kXmlHead) + "<Relationships xmlns=\"" + kPackageRelations + "\">" +
           Relation(1, "officeDocument", "xl/workbook.xml") + "</Relationships>";
}

std::string WorkbookRelations(int sheets)
{
    std::string xml = std::string(kXmlHead) + "<Relationships xmlns=\"" + kPackageRelations + "\">";
    for (int n = 1; n <= sheets; ++n)
        xml += Relation(n, "worksheet", SheetFile(n));
    xml += Relation(sheets + 1, "styles", "styles.xml") + Relation(sheets + 2, "theme", "theme/theme1.xml") +
           Relation(sheets + 3, "sharedStrings", "sharedStrings.xml");
    return xml + "</Relationships>";
}

std::string WorkbookXml(const Workbook& book, int active)
{
    std::string xml = std::string(kXmlHead) + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRelations + "\">" +
                      "<bookViews><workbookView activeTab=\"" + std::to_string(active - 1) + "\"/></bookViews><sheets>";
    for (int n = 1; n <= book.SheetCount(); ++n)
        xml += "<sheet name=\"" + XmlEscaped(book.Sheet(n)->Name()) + "\" sheetId=\"" + std::to_string(n) +
               "\" r:id=\"rId" + std::to_string(n) + "\"/>";
    return xml + "</sheets></workbook>";
}

} // namespace

std::string BuildPackage(const Workbook& book)
{
    const int sheets = book.SheetCount();
    const int active = book.IndexOf(book.ActiveSheet().get());
    ZipWriter zip;
    zip.Add("[Content_Types].xml", ContentTypes(sheets));
    zip.Add("_rels/.rels", PackageRelations());
    zip.Add("xl/workbook.xml", WorkbookXml(book, active));
    zip.Add("xl/_rels/workbook.xml.rels", WorkbookRelations(sheets));
    SharedStrings strings;
    for (int n = 1; n <= sheets; ++n)
        zip.Add("xl/" + SheetFile(n), SheetPartXml(*book.Sheet(n), n == active, strings));
    zip.Add("xl/sharedStrings.xml", strings.Xml());
    zip.Add("xl/styles.xml", StylesPartXml(book.Styles()));
    zip.Add("xl/theme/theme1.xml", ThemePartXml());
    return zip.Finish();
}

void WritePackage(const Workbook& book, const std::wstring& path, bool replace)
{
    const std::string bytes = BuildPackage(book);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, replace ? CREATE_ALWAYS : CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw SheetError(L"The workbook file \"" + path + L"\" could not be created.");
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) {
        DeleteFileW(path.c_str());
        throw SheetError(L"The workbook file \"" + path + L"\" could not be written.");
    }
}

} // namespace hv::sheet
