// Formats of the tables' sheets, set through the application's selection.
#include "PlanilhaTabelas.h"

namespace planilha {

namespace {

using hv::automation::LateArg;

constexpr long kCentro = -4108;
constexpr long kBase = -4107;
constexpr long kGeral = 1;
constexpr long kPorContexto = -5002;
constexpr long kSemSublinhado = -4142;
constexpr long kSolido = 1;
constexpr long kCorAutomatica = -4105;
constexpr long kAmarelo = 65535;
constexpr long kTemaFundoClaro = 1;
constexpr long kTemaTextoEscuro = 2;
constexpr long kTemaDestaque1 = 5;
constexpr long kTemaDestaque5 = 9;
constexpr double kTomDestaque5 = 0.799981688894314;
constexpr double kTomDestaque1 = 0.599993896298105;
constexpr double kTomCinza = -0.149998474074526;

const wchar_t* const kFormato1 = L"_(* #,##0.0_);_(* (#,##0.0);_(* \"-\"??_);_(@_)";
const wchar_t* const kFormato2 = L"_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)";
const wchar_t* const kFormato4 = L"_(* #,##0.0000_);_(* (#,##0.0000);_(* \"-\"??_);_(@_)";

struct Textos
{
    const wchar_t* cabecalhoLinhas;   // A4:A5
    const wchar_t* instrucao;         // block row 2
    const wchar_t* titulo;            // block row 3
    const wchar_t* temperatura;       // block row 4
};

const Textos kTabela1 = {
    L"Massa específica lida (kg/m³)",
    L"A interseção entre a massa específica lida e a temperatura de ensaio fornece a massa específica a 20 °C "
    L"na primeira linha e o teor alcoólico %m/m na segunda linha.",
    L"Tabela 1 - Massa específica a 20 °C e Teor alcoólico %m/m",
    L"Temperatura de ensaio °C",
};

const Textos kTabela2 = {
    L"Massa específica a 20 °C (kg/m³)",
    L"A interseção entre a massa específica a 20 °C e a temperatura de estocagem fornece o fator de correção de "
    L"volume para 20 °C",
    L"Tabela 2 - Fator de correção de volume para 20 °C",
    L"Temperatura de estocagem °C",
};

const Textos& TextosDa(short iTab)
{
    return iTab == 1 ? kTabela1 : kTabela2;
}

LateObject Selecionar(const LateObject& oExcel, const std::wstring& endereco)
{
    oExcel.Object(L"Range", {endereco}).Call(L"Select");
    return oExcel.Object(L"Selection");
}

std::wstring Faixa(long linha1, long coluna1, long linha2, long coluna2)
{
    return Endereco(linha1, coluna1) + L":" + Endereco(linha2, coluna2);
}

void Alinhar(const LateObject& s, long horizontal, long vertical, bool quebra)
{
    s.Put(L"HorizontalAlignment", horizontal);
    s.Put(L"VerticalAlignment", vertical);
    s.Put(L"WrapText", quebra);
    s.Put(L"Orientation", 0L);
    s.Put(L"AddIndent", false);
    s.Put(L"IndentLevel", 0L);
    s.Put(L"ShrinkToFit", false);
    s.Put(L"ReadingOrder", kPorContexto);
}

// Solid fills: a theme colour with its tint, or a plain colour.
void PreencherTema(const LateObject& s, long tema, double tom)
{
    const LateObject interior = s.Object(L"Interior");
    interior.Put(L"Pattern", kSolido);
    interior.Put(L"PatternColorIndex", kCorAutomatica);
    interior.Put(L"ThemeColor", tema);
    interior.Put(L"TintAndShade", tom);
    interior.Put(L"PatternTintAndShade", 0.0);
}

void PreencherCor(const LateObject& s, long cor)
{
    const LateObject interior = s.Object(L"Interior");
    interior.Put(L"Pattern", kSolido);
    interior.Put(L"PatternColorIndex", kCorAutomatica);
    interior.Put(L"Color", cor);
    interior.Put(L"TintAndShade", 0.0);
    interior.Put(L"PatternTintAndShade", 0.0);
}

void PreencherFaixa(const LateObject& s, short iCor)
{
    if (iCor == 0)
        PreencherTema(s, kTemaDestaque5, kTomDestaque5);
    else
        PreencherTema(s, kTemaDestaque1, kTomDestaque1);
}

void Negrito(const LateObject& s, bool negrito)
{
    s.Object(L"Font").Put(L"Bold", negrito);
}

void Numero(const LateObject& s, const wchar_t* formato)
{
    s.Put(L"Style", L"Comma");
    s.Put(L"NumberFormat", formato);
}

void Altura(const LateObject& oExcel, const std::wstring& linhas, short pontos)
{
    oExcel.Object(L"Rows", {linhas}).Put(L"RowHeight", pontos);
}

// One row of a heading block: its ten cells merged, the text in the first.
void LinhaCabecalho(const LateObject& oExcel, long linha, long iCol, const wchar_t* texto, bool quebra)
{
    oExcel.Object(L"Cells", {linha, iCol}).Put(L"Value", texto);
    const LateObject s = Selecionar(oExcel, Faixa(linha, iCol, linha, iCol + 9));
    Alinhar(s, kCentro, kCentro, quebra);
    s.Call(L"Merge");
    Negrito(s, true);
}

} // namespace

std::wstring Endereco(long linha, long coluna)
{
    std::wstring letras;
    for (long c = coluna; c > 0; c = (c - 1) / 26)
        letras.insert(letras.begin(), static_cast<wchar_t>(L'A' + (c - 1) % 26));
    return letras + std::to_wstring(linha);
}

void sPreparaPlan(const LateObject& oExcel, short iTab)
{
    oExcel.Object(L"Cells").Call(L"Select");
    const LateObject fonte = oExcel.Object(L"Selection").Object(L"Font");
    fonte.Put(L"Name", L"Arial");
    fonte.Put(L"Size", static_cast<short>(10));
    fonte.Put(L"Strikethrough", false);
    fonte.Put(L"Superscript", false);
    fonte.Put(L"Subscript", false);
    fonte.Put(L"OutlineFont", false);
    fonte.Put(L"Shadow", false);
    fonte.Put(L"Underline", kSemSublinhado);
    fonte.Put(L"ThemeColor", kTemaTextoEscuro);
    fonte.Put(L"TintAndShade", 0.0);
    fonte.Put(L"ThemeFont", 0L);

    LateObject s = Selecionar(oExcel, L"A1:A3");
    Alinhar(s, kCentro, kBase, false);
    s.Call(L"Merge");
    PreencherTema(s, kTemaFundoClaro, kTomCinza);

    oExcel.Object(L"Range", {L"A4"}).Put(L"Value", TextosDa(iTab).cabecalhoLinhas);
    s = Selecionar(oExcel, L"A4:A5");
    Alinhar(s, kCentro, kBase, true);
    s.Call(L"Merge");
    Negrito(s, true);
    PreencherCor(s, kAmarelo);

    Altura(oExcel, L"1:1", 20);
    Altura(oExcel, L"2:2", 40);
    Altura(oExcel, L"3:5", 20);
    oExcel.Object(L"Columns", {L"A:A"}).Put(L"ColumnWidth", static_cast<short>(11));
}

void sExcelCabec(const LateObject& oExcel, long iCol, short iTab)
{
    const Textos& t = TextosDa(iTab);
    LinhaCabecalho(oExcel, 1, iCol, L"Instrução de uso", false);
    LinhaCabecalho(oExcel, 2, iCol, t.instrucao, true);
    LinhaCabecalho(oExcel, 3, iCol, t.titulo, false);
    PreencherTema(oExcel.Object(L"Selection"), kTemaDestaque5, kTomDestaque5);
    LinhaCabecalho(oExcel, 4, iCol, t.temperatura, false);
    PreencherCor(oExcel.Object(L"Selection"), kAmarelo);
}

void sPintaTemp(const LateObject& oExcel, long iLin, long iCol, long iColFim)
{
    const LateObject s = Selecionar(oExcel, Faixa(iLin, iCol, iLin, iColFim));
    Negrito(s, true);
    PreencherCor(s, kAmarelo);
    Alinhar(s, kGeral, kCentro, false);
    Numero(s, kFormato1);
}

void sPintaMassa(const LateObject& oExcel, long iLin, short iCor, short iTab)
{
    const LateObject s = Selecionar(oExcel, iTab == 1 ? Faixa(iLin, 1, iLin + 1, 1) : Endereco(iLin, 1));
    if (iTab == 1) {
        Alinhar(s, kCentro, kCentro, false);
        s.Call(L"Merge");
    } else {
        Alinhar(s, kCentro, kBase, false);
    }
    Negrito(s, true);
    PreencherFaixa(s, iCor);
    Numero(s, iTab == 1 ? kFormato2 : kFormato1);
    Altura(oExcel, std::to_wstring(iLin) + L":" + std::to_wstring(iLin + 1), 20);
}

void sPintaMassaTeor(const LateObject& oExcel, long iLin, long iCol, long iColFim, short iCor, short iTab)
{
    const long ultimaLinha = iTab == 1 ? iLin + 1 : iLin;
    const LateObject s = Selecionar(oExcel, Faixa(iLin, iCol, ultimaLinha, iColFim));
    Alinhar(s, kGeral, kCentro, false);
    Negrito(s, false);
    PreencherFaixa(s, iCor);
    Numero(s, iTab == 1 ? kFormato1 : kFormato4);
}

} // namespace planilha
