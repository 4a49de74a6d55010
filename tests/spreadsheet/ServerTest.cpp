// The registered spreadsheet application driven late bound, as the program
// and scripts drive it: the object model's addressing, formats, sheets and
// values, what is handed over when, and the refusals of bad input.
#include "FrameworkTestSupport.h"
#include "SheetTestSupport.h"

#include <LateObject.h>
#include <doctest/doctest.h>

#include <cmath>
#include <functional>
#include <limits>

using hv::automation::AutomationError;
using hv::automation::LateArg;
using hv::automation::LateObject;

namespace {

void Registered()
{
    static const bool done = RunRegsvr32On(WindowsPathOf(HV_SPREADSHEET_DLL), L"/s") == 0;
    REQUIRE(done);
}

LateObject NewApplication()
{
    Registered();
    return LateObject::Create(L"Excel.Application");
}

double Number(const LateArg& value)
{
    VARIANT copy;
    VariantInit(&copy);
    REQUIRE(VariantChangeType(&copy, const_cast<VARIANT*>(&value.Get()), 0, VT_R8) == S_OK);
    return V_R8(&copy);
}

std::wstring Text(const LateArg& value)
{
    REQUIRE(value.Type() == VT_BSTR);
    return V_BSTR(&value.Get());
}

bool Flag(const LateArg& value)
{
    REQUIRE(value.Type() == VT_BOOL);
    return V_BOOL(&value.Get()) != VARIANT_FALSE;
}

// A new application with one workbook; its first sheet.
struct Book {
    LateObject app = NewApplication();
    Book() { app.Object(L"Workbooks").Call(L"Add"); }
    LateObject Cell(int row, int column) const { return app.Object(L"Cells", {row, column}); }
};

HRESULT Failure(const std::function<void()>& call)
{
    try {
        call();
    } catch (const AutomationError& e) {
        CHECK(!e.Description().empty());
        return e.Result();
    }
    return S_OK;
}

} // namespace

TEST_CASE("a selection centred and bold reaches A1 to I1 and not J1")
{
    ScratchFolder folder;
    Book b;
    b.app.Object(L"Range", {L"A1:I1"}).Call(L"Select");
    LateObject selection = b.app.Object(L"Selection");
    selection.Put(L"HorizontalAlignment", -4108);
    selection.Put(L"VerticalAlignment", -4108);
    selection.Put(L"WrapText", true);
    selection.Object(L"Font").Put(L"Bold", true);
    CHECK(Text(selection.Value(L"Address")) == L"A1:I1");
    for (int column : {1, 5, 9}) {
        CHECK(Number(b.Cell(1, column).Value(L"HorizontalAlignment")) == -4108);
        CHECK(Flag(b.Cell(1, column).Object(L"Font").Value(L"Bold")));
    }
    CHECK(Number(b.Cell(1, 10).Value(L"HorizontalAlignment")) == 1);
    CHECK_FALSE(Flag(b.Cell(1, 10).Object(L"Font").Value(L"Bold")));
    CHECK_FALSE(Flag(b.Cell(2, 1).Value(L"WrapText")));
}

TEST_CASE("a column style then a number format reach D to H and leave C")
{
    ScratchFolder folder;
    Book b;
    const wchar_t* format = L"_(* #,##0.0_);_(* (#,##0.0);_(* \"-\"??_);_(@_)";
    b.Cell(2, 4).Put(L"Value", 1.5);  // an existing cell takes the format too
    b.app.Object(L"Columns", {L"D:H"}).Call(L"Select");
    LateObject selection = b.app.Object(L"Selection");
    selection.Put(L"Style", L"Comma");
    selection.Put(L"NumberFormat", format);
    CHECK(Text(b.Cell(2, 4).Value(L"NumberFormat")) == format);
    CHECK(Text(b.Cell(500, 8).Value(L"NumberFormat")) == format);
    CHECK(Text(b.Cell(3, 6).Value(L"Style")) == L"Comma");
    CHECK(Text(b.Cell(2, 3).Value(L"NumberFormat")) == L"General");
    CHECK(Text(b.Cell(2, 9).Value(L"Style")) == L"Normal");
    b.app.Object(L"Columns", {L"B:B"}).Put(L"ColumnWidth", 20);
    CHECK(Number(b.Cell(7, 2).Value(L"ColumnWidth")) == 20);
    CHECK(Number(b.Cell(7, 1).Value(L"ColumnWidth")) == doctest::Approx(8.43));
}

TEST_CASE("a range between two cells merges into one area")
{
    ScratchFolder folder;
    Book b;
    b.Cell(4, 1).Put(L"Value", L"first");
    b.Cell(5, 1).Put(L"Value", L"second");
    b.app.Object(L"Range", {b.Cell(4, 1).Get(), b.Cell(5, 1).Get()}).Call(L"Merge");
    CHECK(Flag(b.app.Object(L"Range", {L"A4:A5"}).Value(L"MergeCells")));
    CHECK(Flag(b.Cell(5, 1).Value(L"MergeCells")));
    CHECK_FALSE(Flag(b.Cell(6, 1).Value(L"MergeCells")));
    CHECK(Text(b.Cell(4, 1).Value(L"Value")) == L"first");
    CHECK(b.Cell(5, 1).Value(L"Value").Type() == VT_EMPTY);
}

TEST_CASE("sheets: three in a new workbook, Add appends and activates, delete down to two, names")
{
    ScratchFolder folder;
    Book b;
    LateObject sheets = b.app.Object(L"ActiveWorkbook").Object(L"Sheets");
    CHECK(Number(sheets.Value(L"Count")) == 3);
    sheets.Call(L"Add");
    LateObject added = b.app.Object(L"ActiveSheet");
    CHECK(Number(added.Value(L"Index")) == 4);
    for (int n = static_cast<int>(Number(sheets.Value(L"Count"))); n >= 3; --n)
        sheets.Object(L"Item", {n}).Call(L"Delete");
    CHECK(Number(sheets.Value(L"Count")) == 2);
    sheets.Object(L"Item", {1}).Put(L"Name", L"Tabela 1");
    sheets.Object(L"Item", {2}).Put(L"Name", L"Tabela 2");
    CHECK(Text(b.app.Object(L"Sheets", {1}).Value(L"Name")) == L"Tabela 1");
    CHECK(Text(b.app.Object(L"Sheets", {L"tabela 2"}).Value(L"Name")) == L"Tabela 2");
    b.app.Object(L"Sheets", {2}).Call(L"Select");
    b.app.Object(L"Cells", {1, 1}).Put(L"Value", L"on two");
    CHECK(Text(sheets.Object(L"Item", {2}).Object(L"Cells", {1, 1}).Value(L"Value")) == L"on two");
    CHECK(Failure([&] { sheets.Object(L"Item", {1}).Put(L"Name", L"TABELA 2"); }) == static_cast<HRESULT>(0x800A03EC));
}

TEST_CASE("values: numbers, texts, Null and Empty, dates, and arguments of every width by value or reference")
{
    ScratchFolder folder;
    Book b;
    b.Cell(1, 1).Put(L"Value", 812.5);
    b.Cell(1, 2).Put(L"Value", L"x");
    b.Cell(1, 3).Put(L"Value", 7);
    b.Cell(1, 3).Put(L"Value", LateArg::Null());
    b.Cell(1, 4).Put(L"Value", LateArg::Date(46086));  // 5 March 2026
    CHECK(Number(b.Cell(1, 1).Value(L"Value")) == 812.5);
    CHECK(Text(b.Cell(1, 2).Value(L"Value")) == L"x");
    CHECK(b.Cell(1, 3).Value(L"Value").Type() == VT_EMPTY);
    CHECK(Number(b.Cell(1, 4).Value(L"Value")) == 46086);
    CHECK(Text(b.Cell(1, 4).Value(L"NumberFormat")) == L"dd/mm/yyyy");

    // A row index as a 16-bit integer by reference, a column as a double.
    short row = 3;
    VARIANT byRef;
    VariantInit(&byRef);
    V_VT(&byRef) = VT_I2 | VT_BYREF;
    V_I2REF(&byRef) = &row;
    LateObject cell = b.app.Object(L"Cells", {LateArg::Copy(byRef), 2.0});
    CHECK(Text(cell.Value(L"Address")) == L"B3");
    cell.Put(L"RowHeight", static_cast<short>(20));
    CHECK(Number(b.app.Object(L"Rows", {3}).Value(L"RowHeight")) == 20);
    CHECK(Failure([&] { cell.Put(L"Value", LateArg(b.app.Get())); }) == DISP_E_TYPEMISMATCH);
}

TEST_CASE("bad input fails with an automation error and leaves the workbook as it was")
{
    ScratchFolder folder;
    Book b;
    b.Cell(2, 2).Put(L"Value", 5.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"A0", [&] { b.app.Object(L"Range", {L"A0"}); }},
        {"XFE1", [&] { b.app.Object(L"Range", {L"XFE1"}); }},
        {"A1048577", [&] { b.app.Object(L"Range", {L"A1048577"}); }},
        {"a word", [&] { b.app.Object(L"Range", {L"hello"}); }},
        {"Cells(0, 1)", [&] { b.app.Object(L"Cells", {0, 1}); }},
        {"Cells(1, 16385)", [&] { b.app.Object(L"Cells", {1, 16385}); }},
        {"Sheets(9)", [&] { b.app.Object(L"Sheets", {9}); }},
        {"Sheets(0)", [&] { b.app.Object(L"Sheets", {0}); }},
        {"RowHeight NaN", [&] { b.Cell(2, 2).Put(L"RowHeight", nan); }},
        {"RowHeight huge", [&] { b.Cell(2, 2).Put(L"RowHeight", 1e300); }},
        {"ColumnWidth negative", [&] { b.Cell(2, 2).Put(L"ColumnWidth", -1.0); }},
        {"HorizontalAlignment 3", [&] { b.Cell(2, 2).Put(L"HorizontalAlignment", 3); }},
        {"Style unknown", [&] { b.Cell(2, 2).Put(L"Style", L"Currency"); }},
        {"ThemeColor 13", [&] { b.Cell(2, 2).Object(L"Interior").Put(L"ThemeColor", 13); }},
        {"TintAndShade 2", [&] { b.Cell(2, 2).Object(L"Font").Put(L"TintAndShade", 2.0); }},
        {"a whole sheet of values", [&] { b.app.Object(L"Cells").Put(L"Value", 1.0); }},
        {"Value NaN", [&] { b.Cell(2, 2).Put(L"Value", nan); }},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        CHECK(FAILED(Failure(c.call)));
    }
    CHECK(Number(b.Cell(2, 2).Value(L"Value")) == 5);
    CHECK(Number(b.Cell(2, 2).Value(L"RowHeight")) == 12.75);
    CHECK(Number(b.Cell(2, 2).Value(L"HorizontalAlignment")) == 1);
    CHECK(Number(b.app.Object(L"ActiveWorkbook").Object(L"Sheets").Value(L"Count")) == 3);
}

TEST_CASE("AutoFit: lines from line feeds and wrapping, 12.75 points each at size 10")
{
    ScratchFolder folder;
    Book b;
    b.Cell(1, 1).Put(L"Value", L"Massa\nespecífica lida\n(kg/m³)");
    b.Cell(1, 2).Put(L"Value", L"one two three four five six");  // 27 characters in 8.43: 4 lines
    b.app.Object(L"Range", {L"A1:B1"}).Put(L"WrapText", true);
    b.app.Object(L"Columns", {L"A:A"}).Put(L"ColumnWidth", 15);
    b.Cell(1, 1).Object(L"EntireRow").Call(L"AutoFit");
    CHECK(Number(b.app.Object(L"Rows", {L"1:1"}).Value(L"RowHeight")) == doctest::Approx(4 * 12.75));
    CHECK(Failure([&] { b.app.Object(L"Range", {L"A1:B2"}).Call(L"AutoFit"); }) == static_cast<HRESULT>(0x800A03EC));
}

TEST_CASE("nothing is written on Close(False), on Quit, or at a release before Visible")
{
    ScratchFolder folder;
    {
        Book b;
        b.Cell(1, 1).Put(L"Value", 1.0);
        b.app.Object(L"ActiveWorkbook").Call(L"Close", {false});
        b.app.Put(L"Visible", true);
    }
    {
        Book b;
        b.Cell(1, 1).Put(L"Value", 1.0);
        b.app.Call(L"Quit");
    }
    {
        Book b;
        b.Cell(1, 1).Put(L"Value", 1.0);
    }
    CHECK(folder.Files().empty());
}

TEST_CASE("Visible hands each open workbook over as a new file, written again when changed afterwards")
{
    ScratchFolder folder;
    LateObject app = NewApplication();
    app.Object(L"Workbooks").Call(L"Add");
    app.Object(L"Workbooks").Call(L"Add");
    app.Object(L"Cells", {1, 1}).Put(L"Value", 1.0);
    app.Put(L"Visible", true);
    CHECK(Flag(app.Value(L"Visible")));
    CHECK(folder.Files().size() == 2);
    const std::wstring path = Text(app.Object(L"ActiveWorkbook").Value(L"FullName"));
    CHECK(path.find(folder.Path()) == 0);
    WIN32_FILE_ATTRIBUTE_DATA before = {};
    REQUIRE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &before));
    app.Object(L"Cells", {2, 1}).Put(L"Value", L"a much longer text that makes the file larger");
    app.Reset();
    WIN32_FILE_ATTRIBUTE_DATA after = {};
    REQUIRE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &after));
    CHECK(after.nFileSizeLow != before.nFileSizeLow);
    CHECK(folder.Files().size() == 2);

    // A second application never overwrites: its workbook gets the next number.
    LateObject again = NewApplication();
    again.Object(L"Workbooks").Call(L"Add");
    again.Put(L"Visible", true);
    CHECK(folder.Files().size() == 3);
}

TEST_CASE("registration refuses to take over a ProgID that names another class")
{
    Registered();
    HKEY key = nullptr;
    REQUIRE(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"Excel.Application\\CLSID", 0, KEY_READ | KEY_WRITE, &key) ==
            ERROR_SUCCESS);
    wchar_t ours[64] = L"";
    DWORD size = sizeof ours;
    REQUIRE(RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(ours), &size) == ERROR_SUCCESS);
    const wchar_t other[] = L"{00000000-0000-0000-0000-0000000000AB}";
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(other), sizeof other);
    CHECK(RunRegsvr32On(WindowsPathOf(HV_SPREADSHEET_DLL), L"/s") != 0);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(ours), size);
    RegCloseKey(key);
    CHECK(RunRegsvr32On(WindowsPathOf(HV_SPREADSHEET_DLL), L"/s") == 0);
}
