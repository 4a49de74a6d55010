// Times the report engine on Ostrelvia's tables: the real generation of a
// print-mode Tabela 1 and Tabela 2 (densities 771.90 to 999.80 kg/m3 by 0.1,
// test temperatures -20 to 50 degrees C by 0.5: 2,280 x 141 cells, 25,080
// records of 13 columns), their pagination, one page drawn into a metafile,
// a bitmap and a PNG file; then the pagination of 1.2 million records of
// Tabela 1's shape, the largest print run of the tab's ranges. Prints
// figures; asserts nothing.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <memory>
#include <string>

#include "CalculoTabelaRapido.h"
#include "CamposTabelas.h"
#include "EntregaRelatorios.h"
#include "Form.h"
#include "GdiGuards.h"
#include "GdiObject.h"
#include "GeradorTabelas.h"
#include "Label.h"
#include "PageGeometry.h"
#include "Recordset.h"
#include "RptTabela1.h"
#include "RptTabela2.h"

using hv::recordset::FieldType;
using hv::recordset::Recordset;

namespace {

class Relogio {
public:
    Relogio() { QueryPerformanceFrequency(&frequency_); Reiniciar(); }
    void Reiniciar() { QueryPerformanceCounter(&start_); }
    double Segundos() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_;
    LARGE_INTEGER start_;
};

double MegabytesEmUso()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.PagefileUsage) / (1024.0 * 1024.0);
}

// A form that only carries the short company name.
class FormEmpresa : public hv::forms::Form {
public:
    hv::forms::Label* empresa = nullptr;

protected:
    void CreateControls() override
    {
        empresa = &Add<hv::forms::Label>(hv::forms::TwipsRect{0, 0, 3000, 300}, L"Usina de Medida");
    }
};

// The capacities from the measuring reports (the real seam); the tables kept.
class Entrega : public EntregaTabelas {
public:
    explicit Entrega(hv::forms::Control& empresa) : relatorios_(empresa) {}
    CapacidadePaginas Capacidade(int tabela) override { return relatorios_.Capacidade(tabela); }
    bool Entregar(std::shared_ptr<Recordset> t1, std::shared_ptr<Recordset> t2) override
    {
        tabela1 = std::move(t1);
        tabela2 = std::move(t2);
        return true;
    }
    std::shared_ptr<Recordset> tabela1;
    std::shared_ptr<Recordset> tabela2;

private:
    EntregaRelatorios relatorios_;
};

class SemAcompanhamento : public AcompanhamentoGeracao {
    void IniciarTabela(long) override {}
    bool CelulaFeita(long) override { return false; }
};

void DesenharPagina(hv::report::Report& report, long pagina, const wchar_t* nome)
{
    const std::wstring pasta = [] {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring p(path);
        return p.substr(0, p.find_last_of(L"\\/") + 1);
    }();
    Relogio relogio;
    const hv::report::PageModel itens = report.Page(pagina);
    std::printf("  page %ld composed: %zu items in %.2f ms\n", pagina, itens.size(), relogio.Segundos() * 1000);
    relogio.Reiniciar();
    report.SavePageEmf(pagina, pasta + nome + L".emf");
    std::printf("  page %ld to an EMF file: %.2f ms\n", pagina, relogio.Segundos() * 1000);
    const int largura = MulDiv(hv::report::kPageWidth, 150, hv::report::kTwipsPerInch);
    const int altura = MulDiv(hv::report::kPageHeight, 150, hv::report::kTwipsPerInch);
    hv::report::ScreenDc tela;
    hv::report::MemoryDc dc(tela.Get());
    hv::forms::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(tela.Get(), largura, altura));
    {
        hv::report::Selection selecionado(dc.Get(), bitmap.Get());
        const RECT papel{0, 0, largura, altura};
        relogio.Reiniciar();
        FillRect(dc.Get(), &papel, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        report.DrawPage(pagina, dc.Get(), papel);
        GdiFlush();
        std::printf("  page %ld to a %dx%d bitmap (150 dpi): %.2f ms\n", pagina, largura, altura,
                    relogio.Segundos() * 1000);
    }
    relogio.Reiniciar();
    report.SavePagePng(pagina, pasta + nome + L".png", 150);
    std::printf("  page %ld to a PNG file (150 dpi): %.2f ms\n", pagina, relogio.Segundos() * 1000);
}

void Tabelas()
{
    FormEmpresa form;
    form.Load();
    Entrega entrega(*form.empresa);
    CalculoTabelaRapido calculo;
    SemAcompanhamento acompanhamento;
    GeradorTabelas gerador(calculo, acompanhamento);
    const CamposTabelas campos{771.90, 999.80, 0.10, -20.0, 50.0, 0.5};
    Relogio relogio;
    gerador.Gerar(campos, ModoTabela::Impressao, entrega);
    std::printf("generation, print mode (fast road): %.2f s; Tabela 1 %ld records, Tabela 2 %ld records\n",
                relogio.Segundos(), entrega.tabela1->RecordCount(), entrega.tabela2->RecordCount());

    ostrelvia::reports::RptTabela1 tabela1;
    tabela1.AdoTab1().SetRecordset(entrega.tabela1);
    relogio.Reiniciar();
    tabela1.Relatorio().Run();
    const double segundos1 = relogio.Segundos();
    std::printf("Tabela 1 paginated: %ld pages in %.3f s (%.0f records/s)\n", tabela1.Relatorio().PageCount(),
                segundos1, entrega.tabela1->RecordCount() / segundos1);
    DesenharPagina(tabela1.Relatorio(), 1, L"bench_tabela1_pag1");
    DesenharPagina(tabela1.Relatorio(), tabela1.Relatorio().PageCount() / 2, L"bench_tabela1_meio");

    ostrelvia::reports::RptTabela2 tabela2;
    tabela2.AdoTab2().SetRecordset(entrega.tabela2);
    relogio.Reiniciar();
    tabela2.Relatorio().Run();
    std::printf("Tabela 2 paginated: %ld pages in %.3f s\n", tabela2.Relatorio().PageCount(), relogio.Segundos());
    DesenharPagina(tabela2.Relatorio(), 1, L"bench_tabela2_pag1");
    form.Unload();
}

// 1.2 million records of Tabela 1's shape, 27 to a page after the first 25,
// with the fields the run reads (the page marks and the group fields).
void MilhaoDeRegistros()
{
    constexpr long kRegistros = 1200000;
    const double antes = MegabytesEmUso();
    auto rs = std::make_shared<Recordset>();
    rs->AppendField(L"MASSA_DE", FieldType::Double, 0, 32);
    rs->AppendField(L"MASSA_ATE", FieldType::Double, 0, 32);
    rs->AppendField(L"PULA_PAGINA", FieldType::WideString, 0, 32);
    rs->AppendField(L"MASSA_ESP", FieldType::Double, 0, -1);
    rs->AppendField(L"TEMP1", FieldType::Double, 0, 32);
    rs->Open();
    if (FAILED(rs->Reserve(kRegistros))) {
        std::printf("1.2 million records: no memory for the recordset\n");
        return;
    }
    VARIANT numero;
    numero.vt = VT_R8;
    VARIANT s;
    s.vt = VT_BSTR;
    s.bstrVal = SysAllocString(L"S");
    long naPagina = 0;
    long capacidade = 25;
    for (long i = 0; i < kRegistros; ++i) {
        rs->AddNew();
        numero.dblVal = 771.92 + (i % 22793) * 0.01;
        if (naPagina == 0)
            rs->SetValue(0, numero);
        rs->SetValue(3, numero);
        rs->SetValue(2, s);
        numero.dblVal = -20.0 + (i / 22793) * 1.3;
        rs->SetValue(4, numero);
        rs->Update();
        if (++naPagina == capacidade) {
            naPagina = 0;
            capacidade = 27;
        }
    }
    SysFreeString(s.bstrVal);
    const double comRegistros = MegabytesEmUso();
    ostrelvia::reports::RptTabela1 tabela1;
    tabela1.AdoTab1().SetRecordset(rs);
    Relogio relogio;
    tabela1.Relatorio().Run();
    const double segundos = relogio.Segundos();
    std::printf("1.2 million records paginated: %ld pages in %.2f s (%.0f records/s); memory: recordset %.0f MB, "
                "pages %.0f MB\n",
                tabela1.Relatorio().PageCount(), segundos, kRegistros / segundos, comRegistros - antes,
                MegabytesEmUso() - comRegistros);
    relogio.Reiniciar();
    const hv::report::PageModel ultima = tabela1.Relatorio().Page(tabela1.Relatorio().PageCount());
    std::printf("  last page composed on demand: %zu items in %.2f ms\n", ultima.size(), relogio.Segundos() * 1000);
}

} // namespace

int main()
{
    CoInitialize(nullptr);
    Tabelas();
    MilhaoDeRegistros();
    CoUninitialize();
    return 0;
}
