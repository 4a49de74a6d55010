// Pages written out: an enhanced metafile framed as an A4 sheet holding the
// page's texts in drawing order, and PNG pictures at a chosen resolution.
#include <doctest/doctest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include "PageGeometry.h"
#include "Report.h"
#include "ReportPicture.h"
#include "ReportTestSupport.h"

using namespace hv::report;
using reporttest::AddRow;
using reporttest::MakeRecordset;
using reporttest::Narrow;
using reporttest::OutputPath;

namespace {

std::shared_ptr<const ReportPicture> Square()
{
    return std::make_shared<ReportPicture>(ReportPicture::Record(1000, 1000, [](HDC dc) {
        const RECT all{0, 0, 1000, 1000};
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, 160));
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }));
}

void Define(Report& report)
{
    report.SetDocumentName(L"Documento de teste");
    auto& header = report.AddSection(SectionKind::PageHeader, L"PageHeader", 1200);
    header.Add(ReportControl::Picture(L"Image1", Box{0, 0, 1000, 1000}, Square()));
    header.Add(ReportControl::Label(L"Label1", Box{1200, 0, 6000, 300}, L"Tabela de teste - título"));
    auto& detail = report.AddSection(SectionKind::Detail, L"Detail", 3000);
    detail.Add(ReportControl::Field(L"FldValor", Box{0, 0, 2000, 300}, L"N", L"0.0"));
    auto& footer = report.AddSection(SectionKind::PageFooter, L"PageFooter", 500);
    footer.Add(ReportControl::Label(L"Label20", Box{4000, 200, 500, 240}, L"Pag:"));
    footer.Add(ReportControl::PageField(L"Field40", Box{4500, 200, 400, 240}, PageValue::PageNumber));
    footer.Add(ReportControl::Label(L"Label21", Box{4900, 200, 150, 240}, L"/"));
    footer.Add(ReportControl::PageField(L"Field41", Box{5050, 200, 400, 240}, PageValue::PageCount));
    auto rs = MakeRecordset({{L"N"}});
    for (int i = 1; i <= 6; ++i)
        AddRow(*rs, {i + 0.25});
    report.Data().SetRecordset(rs);
}

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    if (record->iType == EMR_EXTTEXTOUTW) {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) +
                                                             text->emrtext.offString);
        reinterpret_cast<std::vector<std::wstring>*>(data)->emplace_back(chars, text->emrtext.nChars);
    }
    return 1;
}

// Width and height from a PNG file's header chunk.
bool PngSize(const std::wstring& path, unsigned& width, unsigned& height)
{
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return false;
    unsigned char header[24] = {};
    const size_t got = fread(header, 1, sizeof(header), file);
    fclose(file);
    if (got != sizeof(header) || header[1] != 'P' || header[2] != 'N' || header[3] != 'G')
        return false;
    width = (header[16] << 24) | (header[17] << 16) | (header[18] << 8) | header[19];
    height = (header[20] << 24) | (header[21] << 16) | (header[22] << 8) | header[23];
    return true;
}

// A file of this run: the test runs in two locales at once, each writes its own.
std::wstring OwnPath(const std::wstring& name)
{
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
    GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    return OutputPath(std::wstring(locale) + L"_" + name);
}

} // namespace

TEST_CASE("a page as a metafile: an A4 frame and the page's texts in order")
{
    Report report;
    Define(report);
    report.Run();
    REQUIRE(report.PageCount() == 2);
    const std::wstring path = OwnPath(L"report_output_page2.emf");
    DeleteFileW(path.c_str());
    REQUIRE(report.SavePageEmf(2, path));
    HENHMETAFILE metafile = GetEnhMetaFileW(path.c_str());
    REQUIRE(metafile);
    ENHMETAHEADER header{};
    REQUIRE(GetEnhMetaFileHeader(metafile, sizeof(header), &header) == sizeof(header));
    CHECK(header.rclFrame.left == 0);
    CHECK(header.rclFrame.top == 0);
    CHECK(header.rclFrame.right == doctest::Approx(kPageWidthHiMetric).epsilon(0.01));
    CHECK(header.rclFrame.bottom == doctest::Approx(kPageHeightHiMetric).epsilon(0.01));
    std::vector<std::wstring> texts;
    EnumEnhMetaFile(nullptr, metafile, CollectText, &texts, nullptr);
    DeleteEnhMetaFile(metafile);
    std::string joined;
    for (const auto& t : texts)
        joined += Narrow(t) + "|";
    const bool comma = reporttest::UserDecimalIsComma();
    CHECK(joined == std::string("Tabela de teste - título|") + (comma ? "5,3|6,3|" : "5.3|6.3|") + "Pag:|2|/|2|");
    CHECK_FALSE(report.SavePageEmf(3, OwnPath(L"report_output_none.emf")));
}

TEST_CASE("a page as a PNG picture: its size follows the resolution, the picture is drawn")
{
    Report report;
    Define(report);
    report.Run();
    const std::wstring path = OwnPath(L"report_output_page1.png");
    DeleteFileW(path.c_str());
    REQUIRE(report.SavePagePng(1, path, 96));
    unsigned width = 0;
    unsigned height = 0;
    REQUIRE(PngSize(path, width, height));
    CHECK(width == 794);
    CHECK(height == 1123);
    REQUIRE(report.SavePagePng(1, path, 150));
    REQUIRE(PngSize(path, width, height));
    CHECK(width == 1240);
    CHECK(height == 1754);
    CHECK_FALSE(report.SavePagePng(1, path, 0));

    // The recorded picture lands in its box, drawn into a bitmap.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 794, 1123);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT paper{0, 0, 794, 1123};
    FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    report.DrawPage(1, dc, paper);
    // The picture's box: 720 + 500 twips from the corner is its middle.
    const int middle = MulDiv(kPageMargin + 500, 96, kTwipsPerInch);
    CHECK(GetPixel(dc, middle, middle) == RGB(0, 0, 160));
    CHECK(GetPixel(dc, 5, 5) == RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
