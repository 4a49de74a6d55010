// Table recordsets shaped as the generation hands them to the reports: one
// record per density and column page, thirteen temperature columns at most,
// MASSA_DE and MASSA_ATE on the first record of every printed page, pages
// cut by the capacities the measuring reports give (the capacity of the
// first page, then that of the following pages, not reset between column
// pages). Values are simple functions of the row and column, so that a test
// can tell which record a printed line shows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Recordset.h"

namespace reportstest {

struct Grade {
    std::vector<double> massas;        // one row each
    std::vector<double> temperaturas;  // all columns, split by 13
    int capacidadePrimeira = 0;
    int capacidadeSeguinte = 0;
};

// Tabela 1 (MASSA_ESP, TEMPi, MASSAi, TEORi) when tabela is 1, Tabela 2
// (MASSA_20, TEMPi, FATORi) when it is 2. A column listed in `nulos` (by
// its index in the whole grid) stays null.
std::shared_ptr<hv::recordset::Recordset> MontarTabela(int tabela, const Grade& grade,
                                                       const std::vector<size_t>& nulos = {});

// The 200 numbered rows a measuring report runs over (TEMP1 = 20 and the
// second field 1 ... 200).
std::shared_ptr<hv::recordset::Recordset> MontarMedida(const std::wstring& campo);

// first, first + step, ... while not past last, counted as integers.
std::vector<double> Faixa(double first, double last, double step);

} // namespace reportstest
