// The print previews of the tables and the page capacities they measure.
#include "EntregaRelatorios.h"

#include "Control.h"
#include "FalhaGeracao.h"
#include "MessageYield.h"
#include "Recordset.h"
#include "RelatoriosTabelas.h"
#include "ReportError.h"
#include "RptTabela1Check.h"
#include "RptTabela2Check.h"

#include <oleauto.h>

using hv::recordset::FieldType;
using hv::recordset::Recordset;
using namespace ostrelvia::reports;

namespace {

// TEMP1 = 20 and the measured field numbering the rows 1 to 200; the form
// stays live while they are added.
std::shared_ptr<Recordset> MontarMedida(const wchar_t* campo)
{
    auto medida = std::make_shared<Recordset>();
    FalhaGeracao::Verificar(medida->AppendField(L"TEMP1", FieldType::Double, 0, -1), L"A medida das páginas");
    FalhaGeracao::Verificar(medida->AppendField(campo, FieldType::Double, 0, -1), L"A medida das páginas");
    FalhaGeracao::Verificar(medida->Open(), L"A medida das páginas");
    VARIANT valor;
    valor.vt = VT_R8;
    for (int linha = 1; linha <= 200; ++linha) {
        FalhaGeracao::Verificar(medida->AddNew(), L"A medida das páginas");
        valor.dblVal = 20;
        FalhaGeracao::Verificar(medida->SetValue(0, valor), L"A medida das páginas");
        valor.dblVal = linha;
        FalhaGeracao::Verificar(medida->SetValue(1, valor), L"A medida das páginas");
        FalhaGeracao::Verificar(medida->Update(), L"A medida das páginas");
        hv::forms::YieldToMessages();
    }
    FalhaGeracao::Verificar(medida->MoveFirst(), L"A medida das páginas");
    return medida;
}

// Runs a measuring report (made here and unloaded on return).
template <class Medidor>
CapacidadePaginas Medir(const wchar_t* campo)
{
    const std::shared_ptr<Recordset> medida = MontarMedida(campo);
    Medidor medidor;
    medidor.Relatorio().Data().SetRecordset(medida);
    medidor.Run();
    const CapacidadePaginas capacidade{medidor.iLinhasAntesPag2(),
                                       medidor.iLinhasAntesPag3() - medidor.iLinhasAntesPag2()};
    medidor.Relatorio().Data().SetRecordset(nullptr);
    medida->Close();
    return capacidade;
}

template <class Relatorio>
void Mostrar(Relatorio& relatorio, std::shared_ptr<Recordset> tabela, const std::wstring& empresa)
{
    relatorio.Relatorio().Data().SetRecordset(std::move(tabela));
    relatorio.LblEmpresa().SetCaption(empresa);
    relatorio.Show();
}

[[noreturn]] void FalhaDoRelatorio(const hv::report::ReportError& erro)
{
    FalhaGeracao::Verificar(erro.Result(), L"O relatório");
    throw FalhaGeracao(L"o relatório falhou.");
}

} // namespace

EntregaRelatorios::EntregaRelatorios(hv::forms::Control& TxtEmpresaAbv)
    : EntregaRelatorios(TxtEmpresaAbv, RelatoriosTabelas::Programa())
{
}

EntregaRelatorios::EntregaRelatorios(hv::forms::Control& TxtEmpresaAbv, RelatoriosTabelas& relatorios)
    : m_empresa(TxtEmpresaAbv), m_relatorios(relatorios)
{
}

CapacidadePaginas EntregaRelatorios::Capacidade(int tabela)
{
    try {
        return tabela == 1 ? Medir<RptTabela1Check>(L"MASSA1") : Medir<RptTabela2Check>(L"FATOR1");
    } catch (const hv::report::ReportError& erro) {
        FalhaDoRelatorio(erro);
    }
}

bool EntregaRelatorios::Entregar(std::shared_ptr<Recordset> tabela1, std::shared_ptr<Recordset> tabela2)
{
    try {
        FalhaGeracao::Verificar(tabela1->MoveFirst(), L"A Tabela 1");
        Mostrar(m_relatorios.Tabela1(), std::move(tabela1), m_empresa.Caption());
        if (tabela2->RecordCount() > 0)
            FalhaGeracao::Verificar(tabela2->MoveFirst(), L"A Tabela 2");
        Mostrar(m_relatorios.Tabela2(), std::move(tabela2), m_empresa.Caption());
    } catch (const hv::report::ReportError& erro) {
        FalhaDoRelatorio(erro);
    }
    return true;
}
