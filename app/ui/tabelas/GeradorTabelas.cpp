// The two tables, record by record and cell by cell, with their page marks.
#include "GeradorTabelas.h"

#include "CalculoTabela.h"
#include "EntregaTabelas.h"
#include "FalhaGeracao.h"
#include "OwnedVariant.h"
#include "PaginacaoTabela.h"
#include "Recordset.h"

#include <algorithm>
#include <string>
#include <vector>

using hv::recordset::FieldType;
using hv::recordset::kFieldNullable;
using hv::recordset::kFieldUnspecified;
using hv::recordset::Recordset;

namespace {

constexpr long kMassaDe = 0;
constexpr long kMassaAte = 1;
constexpr long kPulaPagina = 2;
constexpr long kMassaLinha = 3;      // MASSA_ESP or MASSA_20
constexpr long kPrimeiraColuna = 4;  // TEMP1

void Verificar(HRESULT hr)
{
    FalhaGeracao::Verificar(hr, L"O conjunto de registros");
}

void Campo(Recordset& rs, const std::wstring& nome, FieldType tipo, long atributos)
{
    Verificar(rs.AppendField(nome, tipo, 0, atributos));
}

} // namespace

// ---- the two tables -----------------------------------------------------------

// One table under construction: its recordset and what a row and a cell of it
// hold beyond the columns every table has.
class GeradorTabelas::Tabela
{
public:
    Tabela(CalculoTabela& calculo, const std::vector<double>& temperaturas)
        : m_calculo(calculo), m_temperaturas(temperaturas), m_rs(std::make_shared<Recordset>())
    {
    }
    virtual ~Tabela() = default;

    Recordset& Registros() { return *m_rs; }
    std::shared_ptr<Recordset> Compartilhar() { return m_rs; }

    // Appends the fields (MASSA_DE, MASSA_ATE, PULA_PAGINA, the row's density,
    // then the cells' fields for `colunas` columns) and opens the recordset.
    void Abrir(long colunas)
    {
        Campo(*m_rs, L"MASSA_DE", FieldType::Double, kFieldNullable);
        Campo(*m_rs, L"MASSA_ATE", FieldType::Double, kFieldNullable);
        Campo(*m_rs, L"PULA_PAGINA", FieldType::WideString, kFieldNullable);
        Campo(*m_rs, NomeMassa(), FieldType::Double, kFieldUnspecified);
        for (long i = 1; i <= colunas; ++i) {
            for (const wchar_t* nome : NomesCelula())
                Campo(*m_rs, nome + std::to_wstring(i), FieldType::Double, kFieldNullable);
        }
        Verificar(m_rs->Open());
    }

    virtual void IniciarLinha(double massa) = 0;
    // The cell of temperature column `coluna` into the record's column i (0 on).
    virtual void Celula(long i, std::size_t coluna) = 0;

protected:
    virtual const wchar_t* NomeMassa() const = 0;
    virtual std::vector<const wchar_t*> NomesCelula() const = 0;

    void Numero(long campo, double valor) { Verificar(m_rs->SetNumber(campo, valor)); }

    CalculoTabela& m_calculo;                     // not owned
    const std::vector<double>& m_temperaturas;    // not owned
    std::shared_ptr<Recordset> m_rs;
};

// Density read by test temperature: the density at 20 degrees C and the content.
class GeradorTabelas::Tabela1 : public Tabela
{
public:
    using Tabela::Tabela;

    const ExtremosMassa20& Extremos() const { return m_extremos; }

    void IniciarLinha(double massa) override { m_massa = massa; }

    void Celula(long i, std::size_t coluna) override
    {
        const long campo = kPrimeiraColuna + 3 * i;
        Numero(campo, m_temperaturas[coluna]);
        const std::optional<double> teor = m_calculo.Teor_Alcoolico(m_massa, coluna);
        if (!teor)
            return;
        Numero(campo + 2, *teor);
        const std::optional<double> massa20 = m_calculo.Massa_Especifica20(*teor);
        if (!massa20)
            return;
        Numero(campo + 1, *massa20);
        m_extremos.Incluir(*massa20);
    }

protected:
    const wchar_t* NomeMassa() const override { return L"MASSA_ESP"; }
    std::vector<const wchar_t*> NomesCelula() const override { return {L"TEMP", L"MASSA", L"TEOR"}; }

private:
    double m_massa = 0.0;
    ExtremosMassa20 m_extremos;
};

// Density at 20 degrees C by storage temperature: the volume correction
// factor. A row's density at 20 degrees C is one content, found once.
class GeradorTabelas::Tabela2 : public Tabela
{
public:
    using Tabela::Tabela;

    void IniciarLinha(double massa20) override { m_teor = m_calculo.Teor_Alcoolico20(massa20); }

    void Celula(long i, std::size_t coluna) override
    {
        const long campo = kPrimeiraColuna + 2 * i;
        Numero(campo, m_temperaturas[coluna]);
        if (!m_teor)
            return;
        const std::optional<double> fator = m_calculo.Fator_Correcao(*m_teor, coluna);
        if (fator)
            Numero(campo + 1, *fator);
    }

protected:
    const wchar_t* NomeMassa() const override { return L"MASSA_20"; }
    std::vector<const wchar_t*> NomesCelula() const override { return {L"TEMP", L"FATOR"}; }

private:
    std::optional<double> m_teor;
};

// ---- the generation ------------------------------------------------------------

GeradorTabelas::GeradorTabelas(CalculoTabela& calculo, AcompanhamentoGeracao& acompanhamento)
    : m_calculo(calculo), m_acompanhamento(acompanhamento)
{
}

CapacidadePaginas GeradorTabelas::Capacidade(EntregaTabelas& entrega, int tabela) const
{
    if (m_modo != ModoTabela::Impressao)
        return {};
    const CapacidadePaginas c = entrega.Capacidade(tabela);
    if (c.primeira < 1 || c.seguinte < 1)
        throw FalhaGeracao(L"a página da Tabela " + std::to_wstring(tabela) + L" não comporta nenhuma linha.");
    return c;
}

bool GeradorTabelas::Gerar(const CamposTabelas& c, ModoTabela modo, EntregaTabelas& entrega)
{
    m_modo = modo;
    const FaixaTabela massas(c.massaIni.value(), c.massaFim.value(), c.massaInc.value(), FaixaTabela::kCentesimos);
    m_temperaturas = std::make_unique<FaixaTabela>(c.tempIni.value(), c.tempFim.value(), c.tempInc.value(),
                                                   FaixaTabela::kDecimos);
    if (massas.PassoNulo() || m_temperaturas->PassoNulo())
        throw FalhaGeracao(L"o incremento informado é menor que a precisão do campo.");
    const long colunas = m_temperaturas->Contagem();
    std::vector<double> temperaturas;
    temperaturas.reserve(static_cast<size_t>(colunas));
    for (long k = 0; k < colunas; ++k)
        temperaturas.push_back(m_temperaturas->Valor(k));
    m_calculo.DefinirTemperaturas(temperaturas);
    if (modo == ModoTabela::Impressao) {
        m_paginasColunas = (colunas + kColunasPorPagina - 1) / kColunasPorPagina;
        m_colunasPorRegistro = kColunasPorPagina;
    } else {
        m_paginasColunas = 1;
        m_colunasPorRegistro = colunas;
    }

    const CapacidadePaginas capacidade1 = Capacidade(entrega, 1);
    Tabela1 tabela1(m_calculo, temperaturas);
    tabela1.Abrir(m_colunasPorRegistro);
    if (!Preencher(tabela1, massas, capacidade1))
        return false;

    const ExtremosMassa20 faixa = FaixaTabela2(tabela1.Extremos());
    const FaixaTabela massas20(faixa.menor, faixa.maior, c.massaInc.value(), FaixaTabela::kCentesimos);
    const CapacidadePaginas capacidade2 = Capacidade(entrega, 2);
    Tabela2 tabela2(m_calculo, temperaturas);
    tabela2.Abrir(m_colunasPorRegistro);
    if (!Preencher(tabela2, massas20, capacidade2))
        return false;

    Verificar(tabela1.Registros().MoveFirst());
    if (tabela2.Registros().RecordCount() > 0)
        Verificar(tabela2.Registros().MoveFirst());
    return entrega.Entregar(tabela1.Compartilhar(), tabela2.Compartilhar());
}

// Every group of columns runs over every row; each row is one record.
bool GeradorTabelas::Preencher(Tabela& tabela, const FaixaTabela& linhas, const CapacidadePaginas& capacidade)
{
    Recordset& rs = tabela.Registros();
    const long n = linhas.Contagem();
    const long colunas = m_temperaturas->Contagem();
    m_acompanhamento.IniciarTabela(colunas * n);
    Verificar(rs.Reserve(static_cast<size_t>(n) * static_cast<size_t>(m_paginasColunas)));
    PaginacaoTabela paginacao(capacidade.primeira, capacidade.seguinte);
    const OwnedVariant pula = OwnedVariant::Text(L"S");

    long posicao = 0;
    for (long p = 0; p < m_paginasColunas; ++p) {
        const long primeiraColuna = p * m_colunasPorRegistro;
        const long quantas = std::min(m_colunasPorRegistro, colunas - primeiraColuna);
        const std::vector<PaginaTabela> paginas = paginacao.Paginas(n);
        size_t pagina = 0;
        for (long r = 0; r < n; ++r) {
            const double massa = linhas.Valor(r);
            Verificar(rs.AddNew());
            if (pagina < paginas.size() && paginas[pagina].primeira == r) {
                Verificar(rs.SetNumber(kMassaDe, massa));
                Verificar(rs.SetNumber(kMassaAte, linhas.Valor(paginas[pagina].ultima)));
                ++pagina;
            }
            Verificar(rs.SetValue(kPulaPagina, pula));
            Verificar(rs.SetNumber(kMassaLinha, massa));
            tabela.IniciarLinha(massa);
            for (long i = 0; i < quantas; ++i) {
                tabela.Celula(i, static_cast<size_t>(primeiraColuna + i));
                if (m_acompanhamento.CelulaFeita(++posicao))
                    return false;
            }
            Verificar(rs.Update());
        }
    }
    return true;
}
