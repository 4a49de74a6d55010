// Table previews: the layout first, then the handlers bound to it.
#include "RelatorioTabela.h"

namespace ostrelvia::reports {

RelatorioTabela::RelatorioTabela(const DesenhoTabela& desenho, bool somenteComRegistros)
    : faixa_(MontarTabela(report_, desenho), somenteComRegistros)
{
}

} // namespace ostrelvia::reports
