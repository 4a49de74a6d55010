// Repasse: an output that passes each run's calls on to one that outlives the
// run (the tab makes a new output for every run).
#pragma once

#include "EntregaTabelas.h"

#include <memory>

namespace tabelastest {

class Repasse : public EntregaTabelas
{
public:
    explicit Repasse(EntregaTabelas& alvo) : m_alvo(alvo) {}
    CapacidadePaginas Capacidade(int tabela) override { return m_alvo.Capacidade(tabela); }
    bool Entregar(std::shared_ptr<hv::recordset::Recordset> t1, std::shared_ptr<hv::recordset::Recordset> t2) override
    {
        return m_alvo.Entregar(std::move(t1), std::move(t2));
    }

private:
    EntregaTabelas& m_alvo;   // not owned
};

} // namespace tabelastest
