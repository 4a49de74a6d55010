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

// A table report's design: which table, its data control, its document
// name (none: the engine's default), its texts, what it shows and its
// formats.
struct DesenhoTabela {
    int tabela;                     // 1 or 2
    const wchar_t* dados;           // AdoTab1 or AdoTab2
    const wchar_t* documento;
    const wchar_t* titulo;          // Label15
    const wchar_t* instrucoes;      // Label17
    const wchar_t* colunaMassa;     // Label18
    const wchar_t* colunaTemp;      // Label19
    bool faixas;                    // the page's ranges (and Line8) in the page header
    bool linhas;                    // the lines under the instructions and the headings
    const wchar_t* formatoLinha;    // the row's density
    const wchar_t* formatoCelula;   // Tabela 2's factors (Tabela 1's cells are "0.0")
};

// Builds the sections and controls of the design into an empty report.
hv::report::Report& MontarTabela(hv::report::Report& report, const DesenhoTabela& desenho);

// The left edge of temperature column i (1 to 13) in twips.
int ColunaTemperatura(int i);

} // namespace ostrelvia::reports
