// EntregaExcel: the tables into a workbook of the spreadsheet application,
// each table whole on its own sheet (no printed pages).
#pragma once

#include "EntregaTabelas.h"
#include "MontaExcel.h"

class EntregaExcel : public EntregaTabelas
{
public:
    EntregaExcel(const ControlesTabelas& controles, ProgressoTabelas& progresso, bool& bGerandoTabela)
        : m_monta(controles, progresso, bGerandoTabela)
    {
    }

    CapacidadePaginas Capacidade(int) override { return {}; }
    // False when the output was cancelled or failed; either has ended the
    // way the workbook writer ends it (with its message on a failure).
    bool Entregar(std::shared_ptr<hv::recordset::Recordset> tabela1,
                  std::shared_ptr<hv::recordset::Recordset> tabela2) override
    {
        return m_monta.sMontaExcel(*tabela1, *tabela2) == FimMontagem::Concluida;
    }

private:
    MontaExcel m_monta;
};
