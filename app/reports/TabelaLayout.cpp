// Sections and controls of the table reports.
#include "TabelaLayout.h"

#include "PageGeometry.h"
#include "ReportPictures.h"

namespace ostrelvia::reports {

using hv::report::Box;
using hv::report::kPrintableWidth;
using hv::report::PageValue;
using hv::report::Report;
using hv::report::ReportControl;
using hv::report::SectionKind;
using hv::report::TextAlign;
using hv::report::TextStyle;

namespace {

constexpr TextStyle kTitulo{110, true};
constexpr TextStyle kEmpresa{100, true};
constexpr TextStyle kRotulo{90, true};
constexpr TextStyle kTexto{90, false};
constexpr TextStyle kInstrucao{80, false, TextAlign::Left, true};
constexpr TextStyle kColuna{80, true, TextAlign::Center, true};
constexpr TextStyle kTituloColunas{80, true, TextAlign::Center};
constexpr TextStyle kValor{80, false, TextAlign::Center};
constexpr TextStyle kValorLinha{80, true, TextAlign::Center};

std::wstring Numerado(const wchar_t* nome, int i)
{
    return nome + std::to_wstring(i);
}

} // namespace

int ColunaTemperatura(int i)
{
    return kLarguraPrimeiraColuna + (i - 1) * kLarguraColuna;
}

namespace {

void MontarCabecalhos(Report& report, const DesenhoTabela& desenho)
{
    auto& cabecalho = report.AddSection(SectionKind::PageHeader, L"PageHeader", kAlturaCabecalho);
    cabecalho.Add(ReportControl::Picture(L"Image1", Box{0, 0, 900, 900}, Emblema()));
    cabecalho.Add(ReportControl::Label(L"Label15", Box{1100, 0, 9366, 330}, desenho.titulo, kTitulo));
    cabecalho.Add(ReportControl::Label(L"LblEmpresa", Box{1100, 360, 9366, 300}, L"Empresa Abreviada", kEmpresa));
    if (desenho.faixas) {
        cabecalho.Add(ReportControl::Label(L"Label24", Box{1100, 720, 1300, 255}, L"Massa kg/m³", kRotulo));
        cabecalho.Add(ReportControl::Label(L"LblCabMassa", Box{2400, 720, 2400, 255}, L" 780,25 - 790,50", kTexto));
        cabecalho.Add(ReportControl::Label(L"Label23", Box{5100, 720, 1000, 255}, L"Temp °C", kRotulo));
        cabecalho.Add(ReportControl::Label(L"LblCabTemp", Box{6100, 720, 2400, 255}, L"-20 - 50", kTexto));
        cabecalho.Add(ReportControl::Line(L"Line8", 0, 1040, kPrintableWidth, 1040));
    }

    auto& instrucoes = report.AddSection(SectionKind::GroupHeader, L"GrpInstrUso", kAlturaInstrucoes);
    instrucoes.GroupOn(L"PULA_PAGINA");
    instrucoes.Add(ReportControl::Label(L"Label16", Box{0, 60, 3000, 240}, L"Instruções de uso:", kRotulo));
    instrucoes.Add(ReportControl::Label(L"Label17", Box{0, 300, kPrintableWidth, 480}, desenho.instrucoes, kInstrucao));
    if (desenho.linhas)
        instrucoes.Add(ReportControl::Line(L"Line9", 0, 860, kPrintableWidth, 860));

    auto& colunas = report.AddSection(SectionKind::GroupHeader, L"GroupHeader1", kAlturaColunas);
    colunas.GroupOn(L"TEMP1");
    colunas.SetNewPageOnChange(true);
    colunas.SetRepeatOnEveryPage(true);
    colunas.Add(ReportControl::Label(L"Label18", Box{0, 40, kLarguraPrimeiraColuna, 640}, desenho.colunaMassa, kColuna));
    colunas.Add(ReportControl::Label(L"Label19", Box{kLarguraPrimeiraColuna, 40, kColunasTabela * kLarguraColuna, 260},
                                     desenho.colunaTemp, kTituloColunas));
    for (int i = 1; i <= kColunasTabela; ++i)
        colunas.Add(ReportControl::Field(Numerado(L"FldTemp", i), Box{ColunaTemperatura(i), 360, kLarguraColuna, 260},
                                         Numerado(L"TEMP", i), L"0.0", kValorLinha));
    if (desenho.linhas)
        colunas.Add(ReportControl::Line(L"Line10", 0, 690, kPrintableWidth, 690));
}

// Line8 comes in the detail when the page header has no ranges.
void MontarDetalheTabela1(Report& report, const std::wstring& formatoMassaEsp, bool linhaCabecalho)
{
    auto& detalhe = report.AddSection(SectionKind::Detail, L"Detail", kAlturaDetalheTabela1);
    detalhe.Add(ReportControl::Field(L"FldMassaEsp", Box{0, 20, kLarguraPrimeiraColuna, 420}, L"MASSA_ESP",
                                     formatoMassaEsp, kValorLinha));
    for (int i = 1; i <= kColunasTabela; ++i) {
        detalhe.Add(ReportControl::Field(Numerado(L"FldMassa", i), Box{ColunaTemperatura(i), 20, kLarguraColuna, 210},
                                         Numerado(L"MASSA", i), L"0.0", kValor));
        detalhe.Add(ReportControl::Field(Numerado(L"FldTeor", i), Box{ColunaTemperatura(i), 230, kLarguraColuna, 210},
                                         Numerado(L"TEOR", i), L"0.0", kValor));
    }
    detalhe.Add(ReportControl::Line(L"Line7", 0, 470, kPrintableWidth, 470, 8));
    if (linhaCabecalho)
        detalhe.Add(ReportControl::Line(L"Line8", 0, 0, kPrintableWidth, 0, 8));
}

void MontarDetalheTabela2(Report& report, const std::wstring& formatoMassa20, const std::wstring& formatoFator)
{
    auto& detalhe = report.AddSection(SectionKind::Detail, L"Detail", kAlturaDetalheTabela2);
    detalhe.Add(ReportControl::Field(L"FldMassa20", Box{0, 20, kLarguraPrimeiraColuna, 220}, L"MASSA_20",
                                     formatoMassa20, kValorLinha));
    for (int i = 1; i <= kColunasTabela; ++i)
        detalhe.Add(ReportControl::Field(Numerado(L"FldFator", i), Box{ColunaTemperatura(i), 20, kLarguraColuna, 220},
                                         Numerado(L"FATOR", i), formatoFator, kValor));
    detalhe.Add(ReportControl::Line(L"Line7", 0, 262, kPrintableWidth, 262, 8));
}

void MontarRodape(Report& report)
{
    report.AddSection(SectionKind::GroupFooter, L"GroupFooter1", 0);
    report.AddSection(SectionKind::GroupFooter, L"GroupFooter2", 0);
    auto& rodape = report.AddSection(SectionKind::PageFooter, L"PageFooter", kAlturaRodape);
    rodape.Add(ReportControl::Picture(L"Image2", Box{0, 100, 1800, 400}, Assinatura()));
    rodape.Add(ReportControl::Picture(L"Image3", Box{kPrintableWidth - 1800, 100, 1800, 400}, Escala()));
    rodape.Add(ReportControl::Label(L"Label20", Box{4025, 198, 510, 255}, L"Pag:", kTexto));
    rodape.Add(ReportControl::PageField(L"Field40", Box{4535, 198, 426, 255}, PageValue::PageNumber,
                                        TextStyle{90, false, TextAlign::Center}));
    rodape.Add(ReportControl::Label(L"Label21", Box{4961, 198, 141, 255}, L"/", TextStyle{90, false, TextAlign::Center}));
    rodape.Add(ReportControl::PageField(L"Field41", Box{5102, 198, 500, 255}, PageValue::PageCount, kTexto));
}

} // namespace

Report& MontarTabela(Report& report, const DesenhoTabela& desenho)
{
    report.Data().SetName(desenho.dados);
    if (desenho.documento)
        report.SetDocumentName(desenho.documento);
    MontarCabecalhos(report, desenho);
    if (desenho.tabela == 1)
        MontarDetalheTabela1(report, desenho.formatoLinha, !desenho.faixas);
    else
        MontarDetalheTabela2(report, desenho.formatoLinha, desenho.formatoCelula);
    MontarRodape(report);
    return report;
}

} // namespace ostrelvia::reports
