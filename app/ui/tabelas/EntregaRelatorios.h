// EntregaRelatorios: the tables as print previews, Tabela 1 and Tabela 2 in a
// report each, the rows split into pages of the capacity the reports measure.
#pragma once

#include "EntregaTabelas.h"

namespace hv::forms {
class Control;
}
namespace ostrelvia::reports {
class RelatoriosTabelas;
}

class EntregaRelatorios : public EntregaTabelas
{
public:
    // TxtEmpresaAbv: the short company name shown on every page; relatorios:
    // the reports whose previews show the tables (the program's own unless
    // given). Neither is owned.
    explicit EntregaRelatorios(hv::forms::Control& TxtEmpresaAbv);
    EntregaRelatorios(hv::forms::Control& TxtEmpresaAbv, ostrelvia::reports::RelatoriosTabelas& relatorios);

    // Runs the table's measuring report over 200 numbered rows: the rows on
    // its first page, and on a page that follows.
    CapacidadePaginas Capacidade(int tabela) override;
    // Shows Tabela 1's preview, then Tabela 2's (empty when it has no rows).
    bool Entregar(std::shared_ptr<hv::recordset::Recordset> tabela1,
                  std::shared_ptr<hv::recordset::Recordset> tabela2) override;

private:
    hv::forms::Control& m_empresa;
    ostrelvia::reports::RelatoriosTabelas& m_relatorios;
};
