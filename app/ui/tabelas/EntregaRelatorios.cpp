// The print previews of the tables. The report engine is not part of this
// build yet: print mode ends with a message saying so.
#include "EntregaRelatorios.h"

#include "FalhaGeracao.h"

namespace {

[[noreturn]] void Indisponivel()
{
    throw FalhaGeracao(L"a visualização de impressão das tabelas não está disponível.");
}

} // namespace

CapacidadePaginas EntregaRelatorios::Capacidade(int)
{
    Indisponivel();
}

bool EntregaRelatorios::Entregar(std::shared_ptr<hv::recordset::Recordset>, std::shared_ptr<hv::recordset::Recordset>)
{
    Indisponivel();
}
