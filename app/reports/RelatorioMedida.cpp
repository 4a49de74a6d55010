// Measuring reports: the layout first, then the handler bound to it.
#include "RelatorioMedida.h"

namespace ostrelvia::reports {

RelatorioMedida::RelatorioMedida(const DesenhoTabela& desenho, const wchar_t* campo)
    : medida_(MontarTabela(report_, desenho), campo)
{
}

} // namespace ostrelvia::reports
