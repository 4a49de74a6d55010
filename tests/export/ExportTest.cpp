// The spreadsheet export of the day's analyses against the registered
// spreadsheet stand-in: refusals, the rows and formats of the sheet (read
// back through the application, which the test keeps a reference to), a
// failure midway, and the list's position left alone.
#include "FrameworkTestSupport.h"
#include "RefusingProxy.h"
#include "../spreadsheet/SheetTestSupport.h"

#include <ExcelApplication.h>
#include <ExportaAnalisesExcel.h>
#include <Form.h>
#include <MsgBox.h>

#include <doctest/doctest.h>

#include <optional>
#include <vector>

using hv::automation::AutomationError;
using hv::automation::LateArg;
using hv::automation::LateObject;
using hv::recordset::FieldType;
using hv::recordset::Recordset;

namespace {

struct Analise {
    const wchar_t* amostra;
    double me, ensaio, estocagem;
    std::optional<double> me20;
    double grau, grau20, fator;
};

const Analise kTres[] = {
    {L"A-01", 812.5, 20.5, 25, 812.9, 91.2, 93.8, 0.99674},
    {L"A-02", 845.25, 18, 20, std::nullopt, 80.1, 85.6, 1.0},
    {L"007", 990.125, 30, 15, 991.0, 5.5, 6.9, 1.00312},
};

void Put(Recordset& rs, const wchar_t* field, const VARIANT& v)
{
    REQUIRE(rs.SetValue(field, v) == S_OK);
}

// The eight-field analysis list with the given analyses.
std::unique_ptr<Recordset> Lista(const Analise* analises, size_t n)
{
    auto rs = std::make_unique<Recordset>();
    REQUIRE(rs->AppendField(L"AMOSTRA", FieldType::WideString, 0, hv::recordset::kFieldNullable) == S_OK);
    for (const wchar_t* name : {L"ME", L"TEMP_ENS", L"TEMP_EST", L"ME20", L"GRAU", L"GRAU20", L"FATOR"})
        REQUIRE(rs->AppendField(name, FieldType::Double, 0, hv::recordset::kFieldNullable) == S_OK);
    REQUIRE(rs->Open() == S_OK);
    for (size_t i = 0; i < n; ++i) {
        const Analise& a = analises[i];
        REQUIRE(rs->AddNew() == S_OK);
        Put(*rs, L"AMOSTRA", LateArg(a.amostra).Get());
        Put(*rs, L"ME", LateArg(a.me).Get());
        Put(*rs, L"TEMP_ENS", LateArg(a.ensaio).Get());
        Put(*rs, L"TEMP_EST", LateArg(a.estocagem).Get());
        Put(*rs, L"ME20", a.me20 ? LateArg(*a.me20).Get() : LateArg::Null().Get());
        Put(*rs, L"GRAU", LateArg(a.grau).Get());
        Put(*rs, L"GRAU20", LateArg(a.grau20).Get());
        Put(*rs, L"FATOR", LateArg(a.fator).Get());
        REQUIRE(rs->Update() == S_OK);
    }
    return rs;
}

void Registered()
{
    static const bool done = RunRegsvr32On(WindowsPathOf(HV_SPREADSHEET_DLL), L"/s") == 0;
    REQUIRE(done);
}

// Scripted message boxes, creations counted, the last application kept.
struct Fixture {
    ScratchFolder folder;
    hv::forms::Form form;
    std::vector<std::wstring> messages;
    int creations = 0;
    std::optional<int> pointerWhileCreating;
    LateObject kept;
    std::wstring refused;  // a member the application refuses, if any
    bool failCreation = false;

    Fixture()
    {
        Registered();
        hv::forms::SetMsgBoxHandler([this](HWND, const std::wstring& text, int style, const std::wstring& title) {
            CHECK(style == 64);
            CHECK(title == L"Atenção");
            messages.push_back(text);
            return IDOK;
        });
        ostrelvia::TrocaCriadorExcel([this] {
            ++creations;
            if (failCreation)
                throw AutomationError(REGDB_E_CLASSNOTREG, L"not installed");
            LateObject app = LateObject::Create(L"Excel.Application");
            if (creations > 1) {
                pointerWhileCreating = form.MousePointer();
                kept = app;
            }
            if (refused.empty())
                return app;
            return LateObject(NewRefusingProxy(app.Get(), refused), true);
        });
    }
    ~Fixture()
    {
        ostrelvia::TrocaCriadorExcel(nullptr);
        hv::forms::SetMsgBoxHandler(nullptr);
    }

    void Export(const Recordset& rs)
    {
        LateArg data = LateArg::Date(46086);  // 5 March 2026
        ostrelvia::sExportaAnalisesExcel(rs, data.Get(), form);
    }
    LateObject Cell(int row, int column) const { return kept.Object(L"Cells", {row, column}); }
};

double Number(const LateArg& v)
{
    REQUIRE(v.Type() == VT_R8);
    return V_R8(&v.Get());
}

std::wstring Text(const LateArg& v)
{
    REQUIRE(v.Type() == VT_BSTR);
    return V_BSTR(&v.Get());
}

} // namespace

TEST_CASE("no spreadsheet application: only its message, even for an empty list")
{
    Fixture f;
    f.failCreation = true;
    const auto vazia = Lista(nullptr, 0);
    f.Export(*vazia);
    REQUIRE(f.messages.size() == 1);
    CHECK(f.messages[0].find(L"Não será possível fazer a exportação.") == 0);
    CHECK_FALSE(ostrelvia::fTemExcelInstalado());
}

TEST_CASE("an empty list is refused before any workbook is made")
{
    Fixture f;
    const auto vazia = Lista(nullptr, 0);
    f.Export(*vazia);
    CHECK(f.messages == std::vector<std::wstring>{L"Não existem amostras para a Exportação!"});
    CHECK(f.creations == 1);  // the probe only
    CHECK(f.folder.Files().empty());
}

TEST_CASE("three analyses: headings, rows in list order, raw values, the date on every row")
{
    Fixture f;
    const auto lista = Lista(kTres, 3);
    f.Export(*lista);
    CHECK(f.messages.empty());
    CHECK(f.pointerWhileCreating == 11);
    CHECK(f.form.MousePointer() == 0);
    REQUIRE(f.kept);
    CHECK(Text(f.Cell(1, 1).Value(L"Value")) == L"Data");
    CHECK(Text(f.Cell(1, 3).Value(L"Value")) == L"Massa\nespecífica lida\n(kg/m³)");
    CHECK(Text(f.Cell(1, 9).Value(L"Value")) == L"Fator\ncorreção\nvolume 20 °C");
    for (int row = 2; row <= 4; ++row) {
        const Analise& a = kTres[row - 2];
        CAPTURE(row);
        CHECK(Number(f.Cell(row, 1).Value(L"Value")) == 46086);
        CHECK(Text(f.Cell(row, 2).Value(L"Value")) == a.amostra);
        CHECK(Number(f.Cell(row, 3).Value(L"Value")) == a.me);
        CHECK(Number(f.Cell(row, 4).Value(L"Value")) == a.ensaio);
        CHECK(Number(f.Cell(row, 9).Value(L"Value")) == a.fator);
    }
    CHECK(f.Cell(3, 6).Value(L"Value").Type() == VT_EMPTY);
    CHECK(f.Cell(5, 2).Value(L"Value").Type() == VT_EMPTY);
    CHECK(Number(f.Cell(2, 9).Value(L"Value")) == 0.99674);
    CHECK(f.kept.Value(L"Visible").Get().boolVal == VARIANT_TRUE);
    f.kept.Reset();
    CHECK(f.folder.Files().size() == 1);
}

TEST_CASE("formats: date, two, one and four decimals, widths, and a bold centred wrapped taller row 1")
{
    Fixture f;
    const auto lista = Lista(kTres, 3);
    f.Export(*lista);
    REQUIRE(f.kept);
    CHECK(Text(f.Cell(3, 1).Value(L"NumberFormat")) == L"dd/mm/yy;@");
    CHECK(Text(f.Cell(3, 3).Value(L"NumberFormat")) == L"_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)");
    for (int column = 4; column <= 8; ++column)
        CHECK(Text(f.Cell(3, column).Value(L"NumberFormat")) == L"_(* #,##0.0_);_(* (#,##0.0);_(* \"-\"??_);_(@_)");
    CHECK(Text(f.Cell(3, 9).Value(L"NumberFormat")) == L"_(* #,##0.0000_);_(* (#,##0.0000);_(* \"-\"??_);_(@_)");
    CHECK(Text(f.Cell(3, 5).Value(L"Style")) == L"Comma");
    CHECK(Text(f.Cell(3, 2).Value(L"NumberFormat")) == L"General");
    const double widths[] = {8.43, 20, 15, 13, 13, 15, 14, 14, 15};
    for (int column = 1; column <= 9; ++column)
        CHECK(Number(f.Cell(1, column).Value(L"ColumnWidth")) == doctest::Approx(widths[column - 1]));
    for (int column = 1; column <= 9; ++column) {
        CAPTURE(column);
        CHECK(f.Cell(1, column).Object(L"Font").Value(L"Bold").Get().boolVal == VARIANT_TRUE);
        CHECK(V_I4(&f.Cell(1, column).Value(L"HorizontalAlignment").Get()) == -4108);
        CHECK(V_I4(&f.Cell(1, column).Value(L"VerticalAlignment").Get()) == -4108);
        CHECK(f.Cell(1, column).Value(L"WrapText").Get().boolVal == VARIANT_TRUE);
    }
    CHECK(f.Cell(2, 1).Object(L"Font").Value(L"Bold").Get().boolVal == VARIANT_FALSE);
    // Three lines, and "específica 20 °C" (16 characters) wraps once in its 15.
    CHECK(Number(f.Cell(1, 1).Value(L"RowHeight")) == doctest::Approx(4 * 12.75));
    CHECK(Number(f.Cell(2, 1).Value(L"RowHeight")) == doctest::Approx(12.75));
}

TEST_CASE("the application refuses a call midway: default pointer, one message, no file")
{
    for (const wchar_t* member : {L"ColumnWidth", L"Value", L"Visible"}) {
        CAPTURE(std::string(member, member + wcslen(member)));
        Fixture f;
        f.refused = member;
        const auto lista = Lista(kTres, 3);
        f.Export(*lista);
        CHECK(f.messages == std::vector<std::wstring>{L"Não foi possível concluir a exportação da planilha!"});
        CHECK(f.form.MousePointer() == 0);
        f.kept.Reset();
        CHECK(f.folder.Files().empty());
    }
}

TEST_CASE("the list keeps its position through an export")
{
    Fixture f;
    const auto lista = Lista(kTres, 3);
    REQUIRE(lista->MoveFirst() == S_OK);
    REQUIRE(lista->MoveNext() == S_OK);
    f.Export(*lista);
    LateArg amostra;
    REQUIRE(lista->GetValue(L"AMOSTRA", amostra.Put()) == S_OK);
    CHECK(Text(amostra) == L"A-02");
    CHECK(lista->RecordCount() == 3);
}
