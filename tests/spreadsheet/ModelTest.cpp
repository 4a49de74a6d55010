// The workbook model on its own: A1 references, interned styles, merges,
// the AutoFit rule, refusals that change nothing, and the package.
#include <CellAddress.h>
#include <SheetError.h>
#include <Workbook.h>
#include <XlsxWriter.h>

#include <doctest/doctest.h>

using namespace hv::sheet;

TEST_CASE("references in A1 notation")
{
    struct Case {
        const wchar_t* text;
        bool valid;
        CellRect rect;
    };
    const Case cases[] = {
        {L"A1", true, {1, 1, 1, 1}},
        {L"$B$2", true, {2, 2, 2, 2}},
        {L"a1:i1", true, {1, 1, 1, 9}},
        {L"I1:A1", true, {1, 1, 1, 9}},
        {L"B:B", true, {1, 2, kMaxRows, 2}},
        {L"D:H", true, {1, 4, kMaxRows, 8}},
        {L"1:1", true, {1, 1, 1, kMaxColumns}},
        {L"XFD1048576", true, {kMaxRows, kMaxColumns, kMaxRows, kMaxColumns}},
        {L"A0", false, {}},
        {L"XFE1", false, {}},
        {L"A1048577", false, {}},
        {L"B", false, {}},
        {L"1", false, {}},
        {L"A1:B", false, {}},
        {L"", false, {}},
        {L"A1:", false, {}},
        {L"AAAAA1", false, {}},
        {L"A99999999999", false, {}},
        {L"A1 ", false, {}},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.text, c.text + wcslen(c.text)));
        const auto parsed = ParseReference(c.text);
        CHECK(parsed.has_value() == c.valid);
        if (c.valid && parsed)
            CHECK(*parsed == c.rect);
    }
    CHECK(ColumnName(16384) == L"XFD");
    CHECK(RectName({4, 1, 5, 1}) == L"A4:A5");
}

TEST_CASE("100,000 cells in ten formats share ten style records")
{
    Workbook book(L"b", 1);
    Worksheet& sheet = *book.Sheet(1);
    for (int r = 1; r <= 10000; ++r)
        for (int c = 1; c <= 10; ++c)
            sheet.SetValue({r, c, r, c}, CellValue::Number(r * c));
    for (int c = 1; c <= 10; ++c)
        sheet.Format({1, c, 10000, c}, [c](CellStyle& s) { s.font.size = 10 + c; });
    CHECK(book.Styles().Count() == 11);  // the default and the ten
    CHECK(book.Styles().At(sheet.StyleAt(500, 3)).font.size == 13);
}

TEST_CASE("a row format keeps the format of the columns it crosses")
{
    Workbook book(L"b", 1);
    Worksheet& sheet = *book.Sheet(1);
    sheet.Format({1, 3, kMaxRows, 3}, [](CellStyle& s) { s.numberFormat = L"0.00"; });
    sheet.Format({1, 1, 1, kMaxColumns}, [](CellStyle& s) { s.font.bold = true; });
    const CellStyle& crossing = book.Styles().At(sheet.StyleAt(1, 3));
    CHECK(crossing.font.bold);
    CHECK(crossing.numberFormat == L"0.00");
    CHECK(book.Styles().At(sheet.StyleAt(1, 7)).font.bold);
    CHECK_FALSE(book.Styles().At(sheet.StyleAt(2, 3)).font.bold);
}

TEST_CASE("merging grows over touching areas and keeps the first value only")
{
    Workbook book(L"b", 1);
    Worksheet& sheet = *book.Sheet(1);
    sheet.SetValue({1, 1, 1, 1}, CellValue::Text(L"kept"));
    sheet.SetValue({2, 2, 2, 2}, CellValue::Number(3));
    sheet.Merge({1, 1, 2, 1});
    sheet.Merge({2, 1, 2, 2});
    REQUIRE(sheet.Merges().size() == 1);
    CHECK(sheet.Merges()[0] == CellRect{1, 1, 2, 2});
    CHECK(sheet.ValueAt(1, 1).text == L"kept");
    CHECK(sheet.ValueAt(2, 2).kind == CellValue::Kind::Empty);
    sheet.Merge({3, 1, 4, 3}, true);
    CHECK(sheet.Merges().size() == 3);
}

TEST_CASE("operations beyond the limits refuse and change nothing")
{
    Workbook book(L"b", 1);
    Worksheet& sheet = *book.Sheet(1);
    const auto before = book.Revision();
    CHECK_THROWS_AS(sheet.SetValue({1, 1, kMaxRows, 2}, CellValue::Number(1)), SheetError);
    CHECK_THROWS_AS(sheet.Format({1, 1, 2000, 2000}, [](CellStyle& s) { s.font.bold = true; }), SheetError);
    CHECK_THROWS_AS(sheet.SetRowHeight(1, 1, 410), SheetError);
    CHECK_THROWS_AS(sheet.SetColumnWidth(1, 1, 256), SheetError);
    CHECK_THROWS_AS(book.Sheet(2), SheetError);
    CHECK_THROWS_AS(book.RenameSheet(book.Sheet(1).get(), L"a:b"), SheetError);
    CHECK_THROWS_AS(book.DeleteSheet(book.Sheet(1).get()), SheetError);
    CHECK(book.Revision() == before);
    CHECK(sheet.Rows().empty());
}

TEST_CASE("AutoFit of a column: its longest text plus one character")
{
    Workbook book(L"b", 1);
    Worksheet& sheet = *book.Sheet(1);
    sheet.SetValue({1, 2, 1, 2}, CellValue::Text(L"twelve chars"));
    sheet.SetValue({2, 2, 2, 2}, CellValue::Number(812.5));
    sheet.AutoFitColumns(2, 2);
    CHECK(sheet.ColumnWidth(2) == 13);
    sheet.AutoFitColumns(3, 3);  // an empty column keeps the default
    CHECK(sheet.ColumnWidth(3) == doctest::Approx(kDefaultColumnWidth));
}

TEST_CASE("a package is a zip of the workbook's parts")
{
    Workbook book(L"b");
    book.Sheet(1)->SetValue({1, 1, 1, 1}, CellValue::Text(L"Ação & <teste>"));
    const std::string package = BuildPackage(book);
    REQUIRE(package.size() > 100);
    CHECK(package.compare(0, 4, "PK\x03\x04") == 0);
    CHECK(package.find("xl/worksheets/sheet3.xml") != std::string::npos);
    CHECK(package.find("xl/theme/theme1.xml") != std::string::npos);
    CHECK(package.compare(package.size() - 22, 4, "PK\x05\x06") == 0);
}
