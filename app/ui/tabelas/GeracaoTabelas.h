// GeracaoTabelas: table generation as the tab "Geração de tabelas" runs it:
// the three buttons, the checks of the range fields, the run with the cancel
// button over the start button, progress after every cell, the cancel poll,
// and the form restored at the end whatever ended the run.
#pragma once

#include "CadenciaPausas.h"
#include "CalculoTabelaRapido.h"
#include "ControlesTabelas.h"
#include "GeradorTabelas.h"
#include "ProgressoTabelas.h"

#include <functional>
#include <memory>

class EntregaTabelas;
struct CamposTabelas;

class GeracaoTabelas : private AcompanhamentoGeracao
{
public:
    // The output of a mode (the workbook, the print previews).
    using FabricaEntrega = std::function<std::unique_ptr<EntregaTabelas>(ModoTabela)>;

    // progresso: the tab's progress display, shared with the workbook writer;
    // temExcel: whether the spreadsheet application can be started. Neither
    // the controls nor the display are owned.
    GeracaoTabelas(const ControlesTabelas& controles, ProgressoTabelas& progresso, FabricaEntrega fabrica,
                   std::function<bool()> temExcel);

    void CmdGerarTabMassa_Click();
    void CmdImprTabMassa_Click();
    void CmdCancTabMassa_Click();

    CamposTabelas Campos() const;
    bool fValidaDadosMassa();
    // Generates both tables and hands them to the output of the mode; the
    // fields have been checked.
    void sExportaTabMassa(ModoTabela modo);

    // The longest time between two updates of the progress display and
    // yields to the message loop while the tables are computed (the cancel
    // mark is polled after every cell).
    void DefinirIntervaloPausas(unsigned milissegundos) { m_pausas.DefinirIntervalo(milissegundos); }
    // The road of the calculation: the fast one unless replaced (measurements
    // compare it with the literal one).
    void DefinirCalculo(std::unique_ptr<CalculoTabela> calculo) { m_calculo = std::move(calculo); }

private:
    void IniciarTabela(long total) override;
    bool CelulaFeita(long posicao) override;
    void CobrirBotao(ModoTabela modo);
    void Finalizar();
    void Pausar();

    ControlesTabelas m_c;
    ProgressoTabelas& m_progresso;   // not owned
    FabricaEntrega m_fabrica;
    std::function<bool()> m_temExcel;
    std::unique_ptr<CalculoTabela> m_calculo = std::make_unique<CalculoTabelaRapido>();
    CadenciaPausas m_pausas;
};
