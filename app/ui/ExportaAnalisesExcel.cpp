// The spreadsheet export of the day's analyses.
#include "ExportaAnalisesExcel.h"

#include "ExcelApplication.h"

#include <Form.h>
#include <MsgBox.h>

#include <array>
#include <memory>

namespace ostrelvia {

using hv::automation::AutomationError;
using hv::automation::LateArg;
using hv::automation::LateObject;

namespace {

struct Coluna {
    const wchar_t* titulo;  // lines joined by a line feed
    const wchar_t* campo;   // null for the date column
    double largura;         // 0: the default width
};

// Field names as the list's code spells them: the recordset ignores case.
const std::array<Coluna, 9> kColunas = {{
    {L"Data", nullptr, 0},
    {L"Amostra", L"AMOSTRA", 20},
    {L"Massa\nespecífica lida\n(kg/m³)", L"Me", 15},
    {L"Temperatura\nensaio\n(°C)", L"Temp_ENS", 13},
    {L"Temperatura\nestocagem\n(°C)", L"Temp_EST", 13},
    {L"Massa\nespecífica 20 °C\n(kg/m³)", L"ME20", 15},
    {L"Teor\nalcoólico\n(% m/m)", L"Grau", 14},
    {L"Teor\nalcoólico 20 °C\n(% v/v)", L"GRAU20", 14},
    {L"Fator\ncorreção\nvolume 20 °C", L"FATOR", 15},
}};

constexpr const wchar_t* kFormatoData = L"dd/mm/yy;@";
constexpr const wchar_t* kFormato2 = L"_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)";
constexpr const wchar_t* kFormato1 = L"_(* #,##0.0_);_(* (#,##0.0);_(* \"-\"??_);_(@_)";
constexpr const wchar_t* kFormato4 = L"_(* #,##0.0000_);_(* (#,##0.0000);_(* \"-\"??_);_(@_)";
const wchar_t* const kLetras[] = {L"A", L"B", L"C", L"D", L"E", L"F", L"G", L"H", L"I"};

constexpr int kInformacao = MB_ICONINFORMATION | MB_OK;

// The hourglass while the export runs; the default pointer on every way out.
class Ampulheta {
public:
    explicit Ampulheta(hv::forms::Form& form) : form_(form) { form_.SetMousePointer(11); }
    ~Ampulheta() { form_.SetMousePointer(0); }
    Ampulheta(const Ampulheta&) = delete;
    Ampulheta& operator=(const Ampulheta&) = delete;

private:
    hv::forms::Form& form_;  // not owned; outlives the export
};

void Verifica(HRESULT hr, const wchar_t* oque)
{
    if (FAILED(hr))
        throw AutomationError(hr, oque);
}

LateArg Campo(const hv::recordset::Recordset& rst, const wchar_t* nome)
{
    LateArg valor;
    Verifica(rst.GetValue(nome, valor.Put()), L"A field of the analysis could not be read.");
    return valor;
}

void sEscreveLinhas(const LateObject& oPlan, hv::recordset::Recordset& rst, const VARIANT& data)
{
    for (int c = 0; c < 9; ++c)
        oPlan.Object(L"Cells", {1, c + 1}).Put(L"Value", kColunas[static_cast<size_t>(c)].titulo);
    long iLin = 2;
    const LateArg valorData = LateArg::Copy(data);
    while (!rst.IsEOF()) {
        oPlan.Object(L"Cells", {iLin, 1}).Put(L"Value", valorData);
        for (int c = 1; c < 9; ++c)
            oPlan.Object(L"Cells", {iLin, c + 1}).Put(L"Value", Campo(rst, kColunas[static_cast<size_t>(c)].campo));
        ++iLin;
        Verifica(rst.MoveNext(), L"The analysis list could not be walked.");
    }
}

void sFormataColuna(const LateObject& oExcel, const wchar_t* colunas, const wchar_t* formato)
{
    oExcel.Object(L"Columns", {colunas}).Call(L"Select");
    LateObject selecao = oExcel.Object(L"Selection");
    selecao.Put(L"Style", L"Comma");
    selecao.Put(L"NumberFormat", formato);
}

void sFormataPlanilha(const LateObject& oExcel)
{
    oExcel.Object(L"Range", {L"A1:I1"}).Call(L"Select");
    LateObject selecao = oExcel.Object(L"Selection");
    selecao.Put(L"HorizontalAlignment", -4108);
    selecao.Put(L"VerticalAlignment", -4108);
    selecao.Put(L"WrapText", true);
    selecao.Put(L"Orientation", 0);
    selecao.Put(L"AddIndent", false);
    selecao.Put(L"IndentLevel", 0);
    selecao.Put(L"ShrinkToFit", false);
    selecao.Put(L"ReadingOrder", -5002);
    selecao.Put(L"MergeCells", false);
    selecao.Object(L"Font").Put(L"Bold", true);

    for (int c = 1; c < 9; ++c) {
        const std::wstring coluna = std::wstring(kLetras[c]) + L":" + kLetras[c];
        oExcel.Object(L"Columns", {coluna}).Put(L"ColumnWidth", static_cast<short>(kColunas[static_cast<size_t>(c)].largura));
    }

    oExcel.Object(L"Columns", {L"A:A"}).Call(L"Select");
    oExcel.Object(L"Selection").Put(L"NumberFormat", kFormatoData);
    sFormataColuna(oExcel, L"C:C", kFormato2);
    sFormataColuna(oExcel, L"D:H", kFormato1);
    sFormataColuna(oExcel, L"I:I", kFormato4);

    oExcel.Object(L"Range", {L"A1"}).Call(L"Select");
    oExcel.Object(L"Selection").Object(L"EntireRow").Call(L"AutoFit");
}

void sMontaPlanilha(hv::recordset::Recordset& rst, const VARIANT& data)
{
    LateObject oExcel = fCriaExcel();
    oExcel.Object(L"Workbooks").Call(L"Add");
    LateObject oPlan = oExcel.Object(L"ActiveWorkbook").Object(L"Sheets", {1});
    sEscreveLinhas(oPlan, rst, data);
    sFormataPlanilha(oExcel);
    oExcel.Put(L"Visible", true);
}

} // namespace

void sExportaAnalisesExcel(const hv::recordset::Recordset& rstAnalise, const VARIANT& data, hv::forms::Form& form)
{
    if (!fTemExcelInstalado()) {
        hv::forms::MsgBox(L"Não será possível fazer a exportação. É necessário ter um MS-Excel® instalado nesta "
                          L"máquina para utilizar este recurso!",
                          kInformacao);
        return;
    }
    if (rstAnalise.RecordCount() < 1) {
        hv::forms::MsgBox(L"Não existem amostras para a Exportação!", kInformacao);
        return;
    }
    bool falhou = false;
    {
        std::unique_ptr<hv::recordset::Recordset> rstClone;
        Ampulheta ampulheta(form);
        try {
            Verifica(rstAnalise.Clone(rstClone), L"The analysis list could not be cloned.");
            Verifica(rstClone->MoveFirst(), L"The analysis list could not be walked.");
            // Everything made here is released before the message: a
            // workbook never made visible is discarded unwritten.
            sMontaPlanilha(*rstClone, data);
        } catch (const AutomationError&) {
            falhou = true;
        } catch (const std::bad_alloc&) {
            falhou = true;
        }
    }
    if (falhou)
        hv::forms::MsgBox(L"Não foi possível concluir a exportação da planilha!", kInformacao);
}

} // namespace ostrelvia
