// GeradorTabelas: computes the two alcoholometric tables over the user's
// ranges into two in-memory recordsets and hands them on.
//   Tabela 1: one record per density read (and per group of 13 temperature
//   columns when printed), for each test temperature the temperature, the
//   density at 20 degrees C and the content in % m/m.
//   Tabela 2: one record per density at 20 degrees C over the range that
//   Tabela 1 produced, for each storage temperature the temperature and the
//   volume correction factor.
// Printed, the first record of each page carries the page's first and last
// density (MASSA_DE, MASSA_ATE); in the workbook only the table's first record
// does.
#pragma once

#include "CamposTabelas.h"
#include "FaixaTabela.h"
#include "FaixaTabela2.h"

#include <memory>

class CalculoTabela;
class EntregaTabelas;
struct CapacidadePaginas;

namespace hv::recordset {
class Recordset;
}

enum class ModoTabela : long
{
    Planilha = 1,    // the workbook: every temperature column in one record
    Impressao = 2,   // print previews: 13 columns to a record, rows in pages
};

// What the generation reports to the form after each cell, and asks of it.
class AcompanhamentoGeracao
{
public:
    virtual ~AcompanhamentoGeracao() = default;
    // A table of `total` cells starts.
    virtual void IniciarTabela(long total) = 0;
    // `posicao` cells of the table are done. True when the user has asked to
    // cancel and confirmed it: the generation stops at once.
    virtual bool CelulaFeita(long posicao) = 0;
};

class GeradorTabelas
{
public:
    static constexpr long kColunasPorPagina = 13;

    // Neither is owned; both outlive the generator.
    GeradorTabelas(CalculoTabela& calculo, AcompanhamentoGeracao& acompanhamento);

    // Generates both tables from validated fields and hands them to the
    // output. False when the user cancelled (nothing handed on, or the output
    // was cancelled); throws FalhaGeracao or std::bad_alloc on failure.
    bool Gerar(const CamposTabelas& campos, ModoTabela modo, EntregaTabelas& entrega);

private:
    class Tabela;
    class Tabela1;
    class Tabela2;

    bool Preencher(Tabela& tabela, const FaixaTabela& linhas, const CapacidadePaginas& capacidade);
    CapacidadePaginas Capacidade(EntregaTabelas& entrega, int tabela) const;

    CalculoTabela& m_calculo;                   // not owned
    AcompanhamentoGeracao& m_acompanhamento;    // not owned
    ModoTabela m_modo = ModoTabela::Planilha;
    std::unique_ptr<FaixaTabela> m_temperaturas;
    long m_paginasColunas = 1;
    long m_colunasPorRegistro = 0;
};
