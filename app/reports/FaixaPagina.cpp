// Page-header ranges of the table reports.
#include "FaixaPagina.h"

#include <string>

#include <oleauto.h>

#include "LocaleText.h"
#include "TabelaLayout.h"

namespace ostrelvia::reports {

namespace {

// A field of the current record as a number; nothing for null.
bool LerNumero(const hv::recordset::Recordset& rs, const std::wstring& campo, double& valor)
{
    VARIANT v;
    VariantInit(&v);
    const bool lido = SUCCEEDED(rs.GetValue(campo, &v)) && v.vt != VT_NULL && v.vt != VT_EMPTY &&
                      SUCCEEDED(VariantChangeType(&v, &v, 0, VT_R8));
    if (lido)
        valor = v.dblVal;
    VariantClear(&v);
    return lido;
}

std::wstring Formatar(double valor, const wchar_t* formato)
{
    VARIANT v;
    v.vt = VT_R8;
    v.dblVal = valor;
    return hv::forms::FormatVariant(v, formato);
}

} // namespace

FaixaPagina::FaixaPagina(hv::report::Report& report, bool somenteComRegistros)
    : report_(report), somenteComRegistros_(somenteComRegistros)
{
    report_.ReportStart = [this] { ActiveReport_ReportStart(); };
    report_.Section(L"Detail").Format = [this] { Detail_Format(); };
    report_.Section(L"PageHeader").Format = [this] { PageHeader_Format(); };
}

void FaixaPagina::ActiveReport_ReportStart()
{
    if (!somenteComRegistros_ || TemRegistros())
        LerFaixa();
}

void FaixaPagina::Detail_Format()
{
    if (somenteComRegistros_ && !TemRegistros())
        return;
    if (InicioDePagina())
        LerFaixa();
}

void FaixaPagina::PageHeader_Format()
{
    const auto& rs = report_.Data().Recordset();
    if (rs && !rs->IsEOF() && InicioDePagina())
        LerFaixa();
    report_.Control(L"LblCabMassa").SetCaption(Formatar(dMassaDe, L"#0.00") + L" - " + Formatar(dMassaAte, L"#0.00"));
    report_.Control(L"LblCabTemp").SetCaption(Formatar(dTempDe, L"#0.0") + L" - " + Formatar(dTempAte, L"#0.0"));
}

void FaixaPagina::LerFaixa()
{
    const auto& rs = report_.Data().Recordset();
    if (!rs)
        return;
    LerNumero(*rs, L"MASSA_DE", dMassaDe);
    LerNumero(*rs, L"MASSA_ATE", dMassaAte);
    LerNumero(*rs, L"TEMP1", dTempDe);
    // The page's last temperature column is its last one that is filled.
    for (int i = kColunasTabela; i >= 1; --i)
        if (LerNumero(*rs, L"TEMP" + std::to_wstring(i), dTempAte))
            break;
}

bool FaixaPagina::TemRegistros() const
{
    const auto& rs = report_.Data().Recordset();
    return rs && rs->RecordCount() > 0;
}

bool FaixaPagina::InicioDePagina() const
{
    const auto& rs = report_.Data().Recordset();
    double massaDe = 0;
    return rs && LerNumero(*rs, L"MASSA_DE", massaDe);
}

} // namespace ostrelvia::reports
