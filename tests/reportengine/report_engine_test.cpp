// The report engine on small definitions: pagination, groups, events,
// formats, page numbering, captions per page, large runs and the outputs.
#include <doctest/doctest.h>

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "PageGeometry.h"
#include "Report.h"
#include "ReportError.h"
#include "ReportPicture.h"
#include "ReportTestSupport.h"

using namespace hv::report;
using hv::recordset::FieldType;
using reporttest::AddRow;
using reporttest::FindItem;
using reporttest::ItemsNamed;
using reporttest::MakeRecordset;
using reporttest::Narrow;
using reporttest::TextOf;

namespace {

constexpr int kHeader = 1000;
constexpr int kFooter = 500;
constexpr int kBody = kPrintableHeight - kHeader - kFooter;

// Page header (a title, a caption the handlers may set), an optional group
// header showing G, a detail showing N through "0.00", a page footer with
// "Pag:" n "/" N.
void Define(Report& report, int detailHeight, int groupHeight = 0)
{
    auto& header = report.AddSection(SectionKind::PageHeader, L"PageHeader", kHeader);
    header.Add(ReportControl::Label(L"LblTitulo", Box{0, 0, 6000, 300}, L"Relatório de teste"));
    header.Add(ReportControl::Label(L"LblFaixa", Box{0, 400, 6000, 300}, L"design"));
    header.Add(ReportControl::Line(L"Line1", 0, 900, kPrintableWidth, 900));
    if (groupHeight > 0) {
        auto& group = report.AddSection(SectionKind::GroupHeader, L"GroupHeader1", groupHeight);
        group.Add(ReportControl::Field(L"FldGrupo", Box{0, 0, 2000, 300}, L"G", L"0"));
    }
    auto& detail = report.AddSection(SectionKind::Detail, L"Detail", detailHeight);
    detail.Add(ReportControl::Field(L"FldValor", Box{0, 0, 2000, 240}, L"N", L"0.00"));
    if (groupHeight > 0)
        report.AddSection(SectionKind::GroupFooter, L"GroupFooter1", 0);
    auto& footer = report.AddSection(SectionKind::PageFooter, L"PageFooter", kFooter);
    footer.Add(ReportControl::Label(L"LblPag", Box{4000, 200, 500, 240}, L"Pag:"));
    footer.Add(ReportControl::PageField(L"FldPagina", Box{4500, 200, 400, 240}, PageValue::PageNumber));
    footer.Add(ReportControl::Label(L"LblBarra", Box{4900, 200, 150, 240}, L"/"));
    footer.Add(ReportControl::PageField(L"FldPaginas", Box{5050, 200, 400, 240}, PageValue::PageCount));
}

std::shared_ptr<hv::recordset::Recordset> Numbers(int count, const std::vector<double>& groups = {})
{
    auto rs = MakeRecordset({{L"N"}, {L"G"}});
    for (int i = 1; i <= count; ++i)
        AddRow(*rs, {static_cast<double>(i), groups.empty() ? 0.0 : groups[static_cast<size_t>(i - 1)]});
    return rs;
}

std::wstring PageFooterText(const PageModel& page)
{
    return TextOf(page, L"LblPag") + L" " + TextOf(page, L"FldPagina") + L" " + TextOf(page, L"LblBarra") +
           L" " + TextOf(page, L"FldPaginas");
}

// The body items of a page, top down: section names would not tell the
// group header from the detail, so their control names do.
std::vector<std::wstring> BodyTexts(const PageModel& page)
{
    std::vector<std::wstring> texts;
    for (const auto& item : page)
        if (item.name == L"FldGrupo")
            texts.push_back(L"G" + item.text);
        else if (item.name == L"FldValor")
            texts.push_back(item.text);
    return texts;
}

std::wstring Number(double value)
{
    return reporttest::UserDecimalIsComma() ? std::to_wstring(static_cast<int>(value)) + L",00"
                                            : std::to_wstring(static_cast<int>(value)) + L".00";
}

} // namespace

TEST_CASE("ten details, four to a page, make three numbered pages")
{
    Report report;
    Define(report, kBody / 4);
    report.Data().SetRecordset(Numbers(10));
    report.Run();
    REQUIRE(report.PageCount() == 3);
    const std::vector<size_t> expected{4, 4, 2};
    for (long p = 1; p <= 3; ++p) {
        const PageModel page = report.Page(p);
        CAPTURE(p);
        CHECK(ItemsNamed(page, L"FldValor").size() == expected[static_cast<size_t>(p - 1)]);
        CHECK(Narrow(PageFooterText(page)) == "Pag: " + std::to_string(p) + " / 3");
    }
    const PageModel last = report.Page(3);
    CHECK(Narrow(ItemsNamed(last, L"FldValor")[0]->text) == Narrow(Number(9)));
    // The page header at the top margin, the body right below it, the footer at the foot.
    CHECK(FindItem(last, L"LblTitulo")->box.top == kPageMargin);
    CHECK(ItemsNamed(last, L"FldValor")[1]->box.top == kPageMargin + kHeader + kBody / 4);
    CHECK(FindItem(last, L"LblPag")->box.top == kPageHeight - kPageMargin - kFooter + 200);
    CHECK(report.Page(4).empty());
    CHECK(report.Page(0).empty());
}

TEST_CASE("a group that starts a new page on change and repeats its header")
{
    Report report;
    Define(report, (kBody - 600) / 3, 600);
    auto& group = report.Section(L"GroupHeader1");
    group.GroupOn(L"G");
    group.SetNewPageOnChange(true);
    group.SetRepeatOnEveryPage(true);
    // G changes at records 3 and 7.
    report.Data().SetRecordset(Numbers(10, {1, 1, 2, 2, 2, 2, 3, 3, 3, 3}));
    report.Run();
    const std::vector<std::vector<std::wstring>> expected{
        {L"G1", Number(1), Number(2)},
        {L"G2", Number(3), Number(4), Number(5)},
        {L"G2", Number(6)},
        {L"G3", Number(7), Number(8), Number(9)},
        {L"G3", Number(10)},
    };
    REQUIRE(report.PageCount() == static_cast<long>(expected.size()));
    for (long p = 1; p <= report.PageCount(); ++p) {
        CAPTURE(p);
        const auto texts = BodyTexts(report.Page(p));
        REQUIRE(texts.size() == expected[static_cast<size_t>(p - 1)].size());
        for (size_t i = 0; i < texts.size(); ++i)
            CHECK(Narrow(texts[i]) == Narrow(expected[static_cast<size_t>(p - 1)][i]));
    }
}

TEST_CASE("a group on a field that never changes prints its header once")
{
    Report report;
    Define(report, kBody / 5, 600);
    report.Section(L"GroupHeader1").GroupOn(L"G");
    report.Data().SetRecordset(Numbers(12));
    report.Run();
    REQUIRE(report.PageCount() == 3);
    CHECK(ItemsNamed(report.Page(1), L"FldGrupo").size() == 1);
    CHECK(ItemsNamed(report.Page(1), L"FldValor").size() == 4);
    CHECK(ItemsNamed(report.Page(2), L"FldGrupo").empty());
    CHECK(ItemsNamed(report.Page(2), L"FldValor").size() == 5);
}

TEST_CASE("field formats follow the user's locale; null prints nothing")
{
    Report report;
    Define(report, 300);
    auto rs = MakeRecordset({{L"N"}, {L"G"}});
    AddRow(*rs, {812.5, 0.0});
    AddRow(*rs, {std::monostate{}, 0.0});
    report.Data().SetRecordset(rs);
    report.Run();
    const auto values = ItemsNamed(report.Page(1), L"FldValor");
    REQUIRE(values.size() == 2);
    CHECK(Narrow(values[0]->text) == (reporttest::UserDecimalIsComma() ? "812,50" : "812.50"));
    CHECK(values[1]->text.empty());
}

TEST_CASE("events fire in document order and see the record being formatted")
{
    Report report;
    Define(report, kBody / 4);
    std::vector<std::string> log;
    report.ReportStart = [&] {
        log.push_back("start " + Narrow(report.Value(L"FldValor").isNull ? L"null" : L"first"));
    };
    report.Section(L"PageHeader").Format = [&] {
        // The page's range, from the record that opens it.
        const auto value = report.Value(L"FldValor");
        report.Control(L"LblFaixa").SetCaption(value.isNull ? L"fim" : L"desde " + std::to_wstring(
                                                                           static_cast<int>(value.number)));
        log.push_back("header " + std::to_string(report.PageNumber()));
    };
    report.Section(L"Detail").Format = [&] {
        log.push_back("format " + std::to_string(static_cast<int>(report.Value(L"FldValor").number)));
    };
    report.Section(L"Detail").BeforePrint = [&] {
        log.push_back("print " + std::to_string(static_cast<int>(report.Value(L"FldValor").number)) + " p" +
                      std::to_string(report.PageNumber()));
    };
    report.Data().SetRecordset(Numbers(5));
    report.Run();
    const std::vector<std::string> expected{
        "start first", "header 1", "format 1", "print 1 p1", "format 2", "print 2 p1", "format 3",
        "print 3 p1",  "format 4", "print 4 p1", "format 5", "header 2", "print 5 p2",
    };
    CHECK(log == expected);
    CHECK(Narrow(TextOf(report.Page(1), L"LblFaixa")) == "desde 1");
    CHECK(Narrow(TextOf(report.Page(2), L"LblFaixa")) == "desde 5");
    // Captions set before the run stay for every page; the design's are kept apart.
    report.Control(L"LblTitulo").SetCaption(L"Outro título");
    report.Run();
    CHECK(Narrow(TextOf(report.Page(2), L"LblTitulo")) == "Outro título");
    CHECK(Narrow(report.Control(L"LblTitulo").DesignCaption()) == "Relatório de teste");
    CHECK(report.Data().Recordset()->IsEOF());
}

TEST_CASE("a report without records has one page with its header and footer")
{
    Report report;
    Define(report, 300, 600);
    report.Section(L"GroupHeader1").GroupOn(L"G");
    bool started = false;
    report.ReportStart = [&] { started = true; };
    report.Run();  // no recordset at all
    REQUIRE(report.PageCount() == 1);
    CHECK(started);
    report.Data().SetRecordset(MakeRecordset({{L"N"}, {L"G"}}));
    report.Run();
    REQUIRE(report.PageCount() == 1);
    const PageModel page = report.Page(1);
    CHECK(Narrow(TextOf(page, L"LblTitulo")) == "Relatório de teste");
    CHECK(Narrow(PageFooterText(page)) == "Pag: 1 / 1");
    CHECK(ItemsNamed(page, L"FldValor").empty());
    CHECK(ItemsNamed(page, L"FldGrupo").empty());
}

TEST_CASE("fields bound to what the recordset lacks print nothing")
{
    Report report;
    Define(report, 300);
    report.Section(L"Detail").Add(ReportControl::Field(L"FldOutro", Box{2000, 0, 2000, 240}, L"FALTA", L"0.0"));
    auto rs = MakeRecordset({{L"N"}});
    AddRow(*rs, {1.0});
    report.Data().SetRecordset(rs);
    bool valueWasNull = false;
    report.Section(L"Detail").Format = [&] { valueWasNull = report.Value(L"FldOutro").isNull; };
    report.Run();
    CHECK(valueWasNull);
    CHECK(TextOf(report.Page(1), L"FldOutro").empty());
    CHECK_THROWS_AS(report.Control(L"NaoExiste"), std::out_of_range);
}

TEST_CASE("a failed run leaves no pages and the next run works")
{
    Report report;
    Define(report, 300);
    report.Data().SetRecordset(Numbers(3));
    report.Run();
    REQUIRE(report.PageCount() == 1);
    report.FailNextRun(E_OUTOFMEMORY);
    CHECK_THROWS_AS(report.Run(), ReportError);
    CHECK(report.PageCount() == 0);
    report.Section(L"Detail").Format = [] { throw std::runtime_error("handler"); };
    CHECK_THROWS_AS(report.Run(), std::runtime_error);
    CHECK(report.PageCount() == 0);
    report.Section(L"Detail").Format = nullptr;
    report.Run();
    CHECK(report.PageCount() == 1);
}

TEST_CASE("sections out of order are refused")
{
    Report report;
    report.AddSection(SectionKind::Detail, L"Detail", 300);
    CHECK_THROWS_AS(report.AddSection(SectionKind::PageHeader, L"PageHeader", 300), std::logic_error);
    CHECK_THROWS_AS(report.AddSection(SectionKind::Detail, L"Detail2", 300), std::logic_error);
}

TEST_CASE("200,000 records paginate in one pass and any page draws on demand")
{
    Report report;
    Define(report, 340);  // 40 details to a page
    auto rs = MakeRecordset({{L"N"}, {L"G"}});
    REQUIRE(rs->Reserve(200000) == S_OK);
    VARIANT n;
    n.vt = VT_R8;
    HRESULT failed = S_OK;
    for (int i = 1; i <= 200000 && SUCCEEDED(failed); ++i) {
        n.dblVal = i;
        failed = rs->AddNew();
        if (SUCCEEDED(failed))
            failed = rs->SetValue(0, n);
        if (SUCCEEDED(failed))
            failed = rs->Update();
    }
    REQUIRE(failed == S_OK);
    long formatted = 0;
    report.Section(L"Detail").Format = [&] { ++formatted; };
    report.Data().SetRecordset(rs);
    report.Run();
    CHECK(formatted == 200000);
    REQUIRE(report.PageCount() == 5000);
    const PageModel page = report.Page(5000);
    const auto values = ItemsNamed(page, L"FldValor");
    REQUIRE(values.size() == 40);
    CHECK(Narrow(values.front()->text) == Narrow(Number(199961)));
    CHECK(Narrow(values.back()->text) == Narrow(Number(200000)));
    CHECK(Narrow(PageFooterText(page)) == "Pag: 5000 / 5000");
    // Drawn into a bitmap: ink where the page's first value is.
    const int width = 400;
    const int height = MulDiv(width, kPageHeight, kPageWidth);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT paper{0, 0, width, height};
    FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    report.DrawPage(5000, dc, paper);
    int ink = 0;
    const Box first = values.front()->box;
    for (int y = MulDiv(first.top, height, kPageHeight); y <= MulDiv(first.Bottom(), height, kPageHeight); ++y)
        for (int x = MulDiv(first.left, width, kPageWidth); x <= MulDiv(first.Right(), width, kPageWidth); ++x)
            ink += GetPixel(dc, x, y) != RGB(255, 255, 255);
    CHECK(ink > 0);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
