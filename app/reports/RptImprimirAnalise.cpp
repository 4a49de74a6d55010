// The analyses printout's layout, in twips from the top left of each section.
// The headings print "ºC" and "kg/m3" as the printed form always has.
#include "RptImprimirAnalise.h"

#include "ReportPictures.h"

namespace ostrelvia::reports {

using hv::report::Box;
using hv::report::PageValue;
using hv::report::ReportControl;
using hv::report::SectionKind;
using hv::report::TextAlign;
using hv::report::TextStyle;

namespace {

constexpr int kLarguraLista = 8835 + 900;
constexpr TextStyle kCabecalho{100, false, TextAlign::Center};
constexpr TextStyle kEmpresa{120, true, TextAlign::Center};
constexpr TextStyle kTitulo{70, true, TextAlign::Center};
constexpr TextStyle kTexto{80, false};
constexpr TextStyle kNumero{80, false, TextAlign::Center};
constexpr TextStyle kRodape{90, false};

struct Coluna {
    int left;
    const wchar_t* controle;
    const wchar_t* campo;
    const wchar_t* formato;
    const wchar_t* titulos[3];
};

// Left edge, field control, data field, output format, heading lines.
constexpr Coluna kColunas[] = {
    {2205, L"FldME", L"ME", L"0.00", {L"Massa", L"específica lida", L"(kg/m3)"}},
    {3255, L"FldTempEnsaio", L"TEMP_ENS", L"0.0", {L"Temperatura", L"ensaio", L"(ºC)"}},
    {4380, L"FldTempEstoque", L"TEMP_EST", L"0.0", {L"Temperatura", L"estocagem", L"(ºC)"}},
    {5535, L"FldME20", L"ME20", L"0.0", {L"Massa", L"específica 20 ºC", L"(kg/m3)"}},
    {6645, L"FldGrau", L"GRAU", L"0.0", {L"Teor", L"alcoólico", L"(% m/m)"}},
    {7710, L"FldGrau20", L"GRAU20", L"0.0", {L"Teor", L"alcoólico 20 ºC", L"(% v/v)"}},
    {8835, L"FldFator", L"FATOR", L"0.0000", {L"Fator", L"correção", L"volume 20 ºC"}},
};
constexpr int kLarguraCampo = 900;
constexpr int kTopos[] = {30, 320, 590};

} // namespace

RptImprimirAnalise::RptImprimirAnalise()
{
    report_.Data().SetName(L"AdoRel");
    report_.SetDocumentName(L"Impressão de analises");

    auto& cabecalho = report_.AddSection(SectionKind::PageHeader, L"PageHeader", 960);
    cabecalho.Add(ReportControl::Picture(L"Image1", Box{0, 0, 900, 900}, Emblema()));
    cabecalho.Add(ReportControl::Label(L"LblEmpresa", Box{2580, 0, 6264, 454}, L"", kEmpresa));
    cabecalho.Add(ReportControl::Label(L"LblCabecalho", Box{2778, 482, 5924, 397}, L"", kCabecalho));

    auto& titulos = report_.AddSection(SectionKind::GroupHeader, L"GroupHeader1", 960);
    titulos.SetRepeatOnEveryPage(true);
    titulos.Add(ReportControl::Line(L"Line1", 0, 0, kLarguraLista, 0));
    titulos.Add(ReportControl::Label(L"LblAmostras", Box{0, 320, 2200, 300}, L"Amostras", kTitulo));
    for (const Coluna& coluna : kColunas) {
        // Each heading is centred over its column, a little wider than the field.
        const Box box{coluna.left - 100, 0, kLarguraCampo + 200, 300};
        for (int linha = 0; linha < 3; ++linha)
            titulos.Add(ReportControl::Label(L"LblTit" + std::wstring(coluna.campo) + std::to_wstring(linha + 1),
                                             Box{box.left, kTopos[linha], box.width, 300}, coluna.titulos[linha],
                                             kTitulo));
    }
    titulos.Add(ReportControl::Line(L"Line3", 0, 930, kLarguraLista, 930));

    auto& detalhe = report_.AddSection(SectionKind::Detail, L"Detail", 285);
    detalhe.Add(ReportControl::Field(L"FldAmostras", Box{0, 0, 2200, 285}, L"AMOSTRA", L"", kTexto));
    for (const Coluna& coluna : kColunas)
        detalhe.Add(ReportControl::Field(coluna.controle, Box{coluna.left, 0, kLarguraCampo, 285}, coluna.campo,
                                         coluna.formato, kNumero));

    auto& fim = report_.AddSection(SectionKind::GroupFooter, L"GroupFooter1", 120);
    fim.Add(ReportControl::Line(L"Line2", 0, 60, kLarguraLista, 60));

    auto& rodape = report_.AddSection(SectionKind::PageFooter, L"PageFooter", 600);
    rodape.Add(ReportControl::Picture(L"Image2", Box{0, 100, 1800, 400}, Assinatura()));
    rodape.Add(ReportControl::Picture(L"Image3", Box{kLarguraLista - 1800, 100, 1800, 400}, Escala()));
    rodape.Add(ReportControl::Label(L"Label16", Box{4025, 198, 510, 255}, L"Pag:", kRodape));
    rodape.Add(ReportControl::PageField(L"Field1", Box{4535, 198, 426, 255}, PageValue::PageNumber,
                                        TextStyle{90, false, TextAlign::Center}));
    rodape.Add(ReportControl::Label(L"Label17", Box{4961, 198, 141, 255}, L"/", TextStyle{90, false, TextAlign::Center}));
    rodape.Add(ReportControl::PageField(L"Field2", Box{5102, 198, 500, 255}, PageValue::PageCount, kRodape));
}

} // namespace ostrelvia::reports
