// The layout shared by the table reports and their measuring twins: one
// geometry of sections, so that a measuring report paginates exactly as the
// report it measures for. Page header (emblem, title, company, the page's
// density and temperature ranges), the instructions (once, grouped on
// PULA_PAGINA), the column headings (grouped on TEMP1: a new page when the
// column page changes, repeated on every page), the detail, and the page
// footer with "Pag:" n "/" N. Thirteen temperature columns.
#pragma once

#include <string>

#include "Report.h"

namespace ostrelvia::reports {

constexpr int kColunasTabela = 13;

// Heights of the sections, in twips.
constexpr int kAlturaCabecalho = 1080;
constexpr int kAlturaInstrucoes = 900;
constexpr int kAlturaColunas = 720;
constexpr int kAlturaRodape = 600;
constexpr int kAlturaDetalheTabela1 = 480;  // two lines: density at 20 °C, then % m/m
constexpr int kAlturaDetalheTabela2 = 270;

// The first column (the row's density) and the temperature columns.
constexpr int kLarguraPrimeiraColuna = 1300;
constexpr int kLarguraColuna = 700;

struct TextosTabela {
    std::wstring titulo;        // Label15
    std::wstring instrucoes;    // Label17
    std::wstring colunaMassa;   // Label18
    std::wstring colunaTemp;    // Label19
};

// The headers and group headers. `faixas`: the page's ranges (LblCabMassa,
// LblCabTemp and their labels) and Line8 in the page header; `linhas`: the
// lines under the instructions and the column headings.
void MontarCabecalhos(hv::report::Report& report, const TextosTabela& textos, bool faixas, bool linhas);
// The detail of Tabela 1: the row's density, then per column the density at
// 20 °C over the % m/m. `linhaCabecalho`: Line8 comes in the detail.
void MontarDetalheTabela1(hv::report::Report& report, const std::wstring& formatoMassaEsp,
                          bool linhaCabecalho);
// The detail of Tabela 2: the row's density at 20 °C and one factor per column.
void MontarDetalheTabela2(hv::report::Report& report, const std::wstring& formatoMassa20,
                          const std::wstring& formatoFator);
// The (empty) group footers and the page footer.
void MontarRodape(hv::report::Report& report);

// The left edge of temperature column i (1 to 13) in twips.
int ColunaTemperatura(int i);

} // namespace ostrelvia::reports
