// Rows before pages 2 and 3 of a measuring run.
#include "MedidaPaginas.h"

#include <algorithm>
#include <cmath>

namespace ostrelvia::reports {

MedidaPaginas::MedidaPaginas(hv::report::Report& report, std::wstring campo)
    : report_(report), campo_(std::move(campo))
{
    report_.Section(L"Detail").BeforePrint = [this] { Detail_BeforePrint(); };
}

void MedidaPaginas::Detail_BeforePrint()
{
    const long pagina = report_.PageNumber();
    if (iLinhasAntesPag2 == 0 && pagina == 2)
        iLinhasAntesPag2 = LinhasAntes();
    else if (iLinhasAntesPag3 == 0 && pagina == 3)
        iLinhasAntesPag3 = LinhasAntes();
}

short MedidaPaginas::LinhasAntes()
{
    const auto valor = report_.Value(campo_);
    if (valor.isNull)
        return 0;
    const double linhas = std::nearbyint(valor.number) - 1;
    return static_cast<short>(std::clamp(linhas, -32768.0, 32767.0));
}

} // namespace ostrelvia::reports
