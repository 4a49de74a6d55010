// EntregaRelatorios: the tables as print previews, Tabela 1 and Tabela 2 in a
// report each, the rows split into pages of the capacity the reports measure.
#pragma once

#include "EntregaTabelas.h"

namespace hv::forms {
class Control;
}

class EntregaRelatorios : public EntregaTabelas
{
public:
    // TxtEmpresaAbv: the short company name shown on every page (not owned).
    explicit EntregaRelatorios(hv::forms::Control& TxtEmpresaAbv) : m_empresa(TxtEmpresaAbv) {}

    CapacidadePaginas Capacidade(int tabela) override;
    bool Entregar(std::shared_ptr<hv::recordset::Recordset> tabela1,
                  std::shared_ptr<hv::recordset::Recordset> tabela2) override;

private:
    hv::forms::Control& m_empresa;
};
