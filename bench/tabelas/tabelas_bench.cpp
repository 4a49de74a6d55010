// Times table generation as the tab runs it (progress display on real
// labels, yields to the message loop, the cancel poll after every cell) over
// 2,280 densities (771.9 .. 999.8 by 0.1) and 141 test temperatures (-20 .. 50
// by 0.5), the output stubbed: the literal road of the calculation, then the
// fast road, in the workbook's layout and in the printed one. Prints figures;
// asserts nothing. "--todos" also runs the literal road printed; the path of
// the spreadsheet stand-in's library as the last argument times the workbook
// output of the fast tables as well.
#include "Calc_Alc.h"
#include "CalculoTabelaLiteral.h"
#include "CalculoTabelaRapido.h"
#include "EntregaTabelas.h"
#include "FormTabelas.h"
#include "GeracaoTabelas.h"
#include "MontaExcel.h"
#include "MsgBox.h"
#include "Recordset.h"
#include "Repasse.h"

#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

double Agora()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Passes every call on, noting when Tabela 2 starts (its first row's content).
class Cronometrado : public CalculoTabela
{
public:
    Cronometrado(std::unique_ptr<CalculoTabela> calculo, double& inicioTabela2)
        : m_calculo(std::move(calculo)), m_inicioTabela2(inicioTabela2)
    {
    }
    void DefinirTemperaturas(const std::vector<double>& t) override { m_calculo->DefinirTemperaturas(t); }
    std::optional<double> Teor_Alcoolico(double m, std::size_t c) override { return m_calculo->Teor_Alcoolico(m, c); }
    std::optional<double> Teor_Alcoolico20(double m) override
    {
        if (m_inicioTabela2 == 0.0)
            m_inicioTabela2 = Agora();
        return m_calculo->Teor_Alcoolico20(m);
    }
    std::optional<double> Massa_Especifica20(double w) override { return m_calculo->Massa_Especifica20(w); }
    std::optional<double> Fator_Correcao(double w, std::size_t c) override { return m_calculo->Fator_Correcao(w, c); }

private:
    std::unique_ptr<CalculoTabela> m_calculo;
    double& m_inicioTabela2;
};

// The output: keeps the tables' sizes; the printed pages of a measured report.
class Saida : public EntregaTabelas
{
public:
    long registros1 = 0, registros2 = 0;
    double fim = 0.0;
    std::shared_ptr<hv::recordset::Recordset> tabela1, tabela2;
    CapacidadePaginas Capacidade(int) override { return {46, 50}; }
    bool Entregar(std::shared_ptr<hv::recordset::Recordset> t1, std::shared_ptr<hv::recordset::Recordset> t2) override
    {
        fim = Agora();
        registros1 = t1->RecordCount();
        registros2 = t2->RecordCount();
        tabela1 = std::move(t1);
        tabela2 = std::move(t2);
        return true;
    }
};

struct Resultado
{
    double tabela1 = 0.0, tabela2 = 0.0;
    long celulas2 = 0;
    std::shared_ptr<hv::recordset::Recordset> registros1, registros2;
    double Total() const { return tabela1 + tabela2; }
};

Resultado Rodar(const char* estrada, bool literal, ModoTabela modo)
{
    tabelastest::FormTabelas form;
    form.Show();
    form.Preencher(771.9, 999.8, 0.1, -20, 50, 0.5);
    ProgressoTabelas progresso({{*form.LblBarra, *form.LblPronto, *form.lblPerc}});
    Saida saida;
    GeracaoTabelas geracao(
        form.Controles(), progresso,
        [&](ModoTabela) { return std::make_unique<tabelastest::Repasse>(saida); },
        [] { return true; });
    static const Calc_Alc calc;
    double inicioTabela2 = 0.0;
    std::unique_ptr<CalculoTabela> road;
    if (literal)
        road = std::make_unique<CalculoTabelaLiteral>(calc);
    else
        road = std::make_unique<CalculoTabelaRapido>();
    geracao.DefinirCalculo(std::make_unique<Cronometrado>(std::move(road), inicioTabela2));

    const double inicio = Agora();
    geracao.sExportaTabMassa(modo);
    Resultado r;
    r.tabela1 = inicioTabela2 - inicio;
    r.tabela2 = saida.fim - inicioTabela2;
    const long porRegistro = modo == ModoTabela::Impressao ? 11 : 1;
    r.celulas2 = saida.registros2 / porRegistro * 141;
    r.registros1 = saida.tabela1;
    r.registros2 = saida.tabela2;
    const double celulas1 = 2280.0 * 141;
    std::printf("%-8s %-10s Tabela 1: %8.3f s (%8.0f cells/s)   Tabela 2: %7.3f s (%8.0f cells/s, %ld cells)   "
                "both: %8.3f s   records: %ld + %ld\n",
                estrada, modo == ModoTabela::Impressao ? "printed" : "workbook", r.tabela1, celulas1 / r.tabela1,
                r.tabela2, r.celulas2 / r.tabela2, r.celulas2, r.Total(), saida.registros1, saida.registros2);
    std::fflush(stdout);
    form.Unload();
    return r;
}

// Writes the workbook tables into the registered spreadsheet stand-in (a
// scratch folder receives the file; the shell is left out).
void Planilha(const Resultado& r, const char* servidor)
{
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring pasta = std::wstring(temp) + L"tabelas-bench-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(pasta.c_str(), nullptr);
    SetEnvironmentVariableW(L"HV_SPREADSHEET_FOLDER", pasta.c_str());
    SetEnvironmentVariableW(L"HV_SPREADSHEET_SHELL", L"0");
    std::string comando = std::string("regsvr32.exe /s \"") + servidor + "\"";
    STARTUPINFOA inicio = {};
    inicio.cb = sizeof inicio;
    PROCESS_INFORMATION processo = {};
    DWORD codigo = 1;
    if (CreateProcessA(nullptr, comando.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio, &processo)) {
        WaitForSingleObject(processo.hProcess, 60000);
        GetExitCodeProcess(processo.hProcess, &codigo);
        CloseHandle(processo.hThread);
        CloseHandle(processo.hProcess);
    }
    if (codigo != 0) {
        std::printf("workbook: the spreadsheet stand-in could not be registered\n");
        return;
    }
    tabelastest::FormTabelas form;
    form.Show();
    ProgressoTabelas progresso({{*form.LblBarra, *form.LblPronto, *form.lblPerc}});
    bool gerando = false;
    MontaExcel monta(form.Controles(), progresso, gerando);
    const double t0 = Agora();
    const FimMontagem fim = monta.sMontaExcel(*r.registros1, *r.registros2);
    const double segundos = Agora() - t0;
    const double valores = 2280.0 * 141 * 2 + static_cast<double>(r.celulas2);
    std::printf("workbook output: %.3f s (%.0f values/s, %s), records: %ld + %ld\n", segundos, valores / segundos,
                fim == FimMontagem::Concluida ? "written" : "not written", r.registros1->RecordCount(),
                r.registros2->RecordCount());
    form.Unload();
}

} // namespace

int main(int argc, char** argv)
{
    if (FAILED(OleInitialize(nullptr)))
        return 3;
    // A message box would wait for a user: none is expected, none may block.
    hv::forms::SetMsgBoxHandler([](HWND, const std::wstring&, int, const std::wstring&) {
        std::printf("unexpected message box\n");
        return static_cast<int>(IDOK);
    });
    bool todos = false;
    for (int i = 1; i < argc; ++i)
        todos = todos || std::strcmp(argv[i], "--todos") == 0;
    std::printf("tabelas_bench: 2,280 densities x 141 temperatures, output stubbed\n");
    const Resultado literal = Rodar("literal", true, ModoTabela::Planilha);
    const Resultado rapido = Rodar("fast", false, ModoTabela::Planilha);
    Rodar("fast", false, ModoTabela::Impressao);
    if (todos)
        Rodar("literal", true, ModoTabela::Impressao);
    std::printf("ratio literal / fast (workbook, both tables): %.2f\n", literal.Total() / rapido.Total());
    if (argc > 1 && std::strcmp(argv[argc - 1], "--todos") != 0)
        Planilha(rapido, argv[argc - 1]);
    else
        std::printf("workbook output: not measured (give the stand-in's HvSpreadsheet.dll as the last argument)\n");
    OleUninitialize();
    return 0;
}
