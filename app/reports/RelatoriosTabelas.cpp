// The table reports of the program, made on first use.
#include "RelatoriosTabelas.h"

#include "Application.h"

namespace ostrelvia::reports {

RelatoriosTabelas& RelatoriosTabelas::Programa()
{
    // The registry of forms outlives the previews, which it lists.
    (void)hv::forms::LoadedForms();
    static RelatoriosTabelas relatorios;
    return relatorios;
}

RptTabela1& RelatoriosTabelas::Tabela1()
{
    if (!tabela1_)
        tabela1_ = std::make_unique<RptTabela1>();
    return *tabela1_;
}

RptTabela2& RelatoriosTabelas::Tabela2()
{
    if (!tabela2_)
        tabela2_ = std::make_unique<RptTabela2>();
    return *tabela2_;
}

void RelatoriosTabelas::Descarregar()
{
    tabela1_.reset();
    tabela2_.reset();
}

} // namespace ostrelvia::reports
