// EntregaTabelas: where the two generated tables go, and what the generation
// needs to know of it beforehand. The workbook writes them in one sheet each;
// the print previews split their rows into pages whose capacity they measure.
#pragma once

#include <memory>

namespace hv::recordset {
class Recordset;
}

// Rows on the first printed page and on every following one; both 0 when the
// output never splits a table into pages.
struct CapacidadePaginas
{
    long primeira = 0;
    long seguinte = 0;
};

class EntregaTabelas
{
public:
    virtual ~EntregaTabelas() = default;

    // The page capacity of table 1 or 2, asked just before the table is
    // computed. Throws FalhaGeracao when it cannot be had.
    virtual CapacidadePaginas Capacidade(int tabela) = 0;

    // Both tables, complete, positioned at their first record (the second may
    // be empty). The output may keep them as long as it shows them. Returns
    // false when the user cancelled the output; throws FalhaGeracao when it
    // failed.
    virtual bool Entregar(std::shared_ptr<hv::recordset::Recordset> tabela1,
                          std::shared_ptr<hv::recordset::Recordset> tabela2) = 0;
};
