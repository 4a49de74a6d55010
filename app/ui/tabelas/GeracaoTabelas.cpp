// The tab's table generation: clicks, run, cancel and the form's restoration.
#include "GeracaoTabelas.h"

#include "CamposTabelas.h"
#include "CommandButton.h"
#include "EntregaTabelas.h"
#include "FalhaGeracao.h"
#include "Form.h"
#include "Label.h"
#include "MessageYield.h"
#include "MousePointer.h"
#include "MsgBox.h"
#include "NumberField.h"
#include "PedidoCancelamento.h"
#include "ValidacaoTabelas.h"

#include <windows.h>

#include <new>

using namespace hv::forms;

namespace {

std::optional<double> Ler(const NumberField& campo)
{
    if (campo.ValueIsNull())
        return std::nullopt;
    VARIANT v = campo.Value();
    std::optional<double> valor;
    if (v.vt == VT_R8)
        valor = v.dblVal;
    VariantClear(&v);
    return valor;
}

void MostrarFalha(const std::wstring& descricao)
{
    MsgBox(L"Não foi possível gerar as tabelas: " + descricao, MsgOkOnly + MsgCritical);
}

} // namespace

GeracaoTabelas::GeracaoTabelas(const ControlesTabelas& controles, ProgressoTabelas& progresso,
                               FabricaEntrega fabrica, std::function<bool()> temExcel)
    : m_c(controles), m_progresso(progresso), m_fabrica(std::move(fabrica)), m_temExcel(std::move(temExcel))
{
}

void GeracaoTabelas::CmdGerarTabMassa_Click()
{
    if (!m_temExcel()) {
        MsgBox(L"Não será possível gerar a tabela. É necessário ter um MS-Excel® instalado nesta máquina para "
               L"utilizar este recurso!",
               MsgOkOnly + MsgInformation);
        return;
    }
    if (fValidaDadosMassa())
        sExportaTabMassa(ModoTabela::Planilha);
}

void GeracaoTabelas::CmdImprTabMassa_Click()
{
    if (fValidaDadosMassa())
        sExportaTabMassa(ModoTabela::Impressao);
}

void GeracaoTabelas::CmdCancTabMassa_Click()
{
    m_c.CmdCancTabMassa.SetTag(kMarcaCancelamento);
}

CamposTabelas GeracaoTabelas::Campos() const
{
    return {Ler(m_c.TxtMassaIni), Ler(m_c.TxtMassaFim), Ler(m_c.TxtMassaInc),
            Ler(m_c.TxtTempIni),  Ler(m_c.TxtTempFim),  Ler(m_c.TxtTempInc)};
}

bool GeracaoTabelas::fValidaDadosMassa()
{
    return ::fValidaDadosMassa(Campos());
}

void GeracaoTabelas::sExportaTabMassa(ModoTabela modo)
{
    m_c.form.SetMousePointer(PointerHourglass);
    try {
        CobrirBotao(modo);
        Pausar();
        const std::unique_ptr<EntregaTabelas> entrega = m_fabrica(modo);
        GeradorTabelas gerador(*m_calculo, *this);
        gerador.Gerar(Campos(), modo, *entrega);
    } catch (const FalhaGeracao& falha) {
        MostrarFalha(falha.Descricao());
    } catch (const std::bad_alloc&) {
        MostrarFalha(L"memória insuficiente.");
    } catch (const std::exception&) {
        MostrarFalha(L"erro interno.");
    }
    Finalizar();
}

// The cancel button takes the place of the button that started the run; both
// start buttons stay disabled until the end.
void GeracaoTabelas::CobrirBotao(ModoTabela modo)
{
    const bool planilha = modo == ModoTabela::Planilha;
    CommandButton& inicio = planilha ? m_c.CmdGerarTabMassa : m_c.CmdImprTabMassa;
    CommandButton& outro = planilha ? m_c.CmdImprTabMassa : m_c.CmdGerarTabMassa;
    CommandButton& cancelar = m_c.CmdCancTabMassa;
    inicio.SetEnabled(false);
    cancelar.SetTop(inicio.Top());
    cancelar.SetLeft(inicio.Left());
    cancelar.SetVisible(true);
    cancelar.SetMousePointer(PointerArrow);
    cancelar.SetTag(L"");
    cancelar.ZOrder(0);
    outro.SetEnabled(false);
}

void GeracaoTabelas::Finalizar()
{
    m_c.form.SetMousePointer(PointerDefault);
    m_progresso.sProgresso(0, -1, 0, true);
    m_c.CmdGerarTabMassa.SetEnabled(true);
    m_c.CmdImprTabMassa.SetEnabled(true);
    m_c.CmdCancTabMassa.SetVisible(false);
    if (m_c.CmdCancTabMassa.Tag() == kMarcaCancelamento && m_c.TxtMassaIni.CanFocusNow())
        m_c.TxtMassaIni.SetFocus();
    m_c.CmdCancTabMassa.SetTag(L"");
    YieldToMessages();
}

void GeracaoTabelas::Pausar()
{
    YieldToMessages();
    m_pausas.Reiniciar();
}

void GeracaoTabelas::IniciarTabela(long total)
{
    m_progresso.sProgresso(0, 0, total, true);
}

// The display follows and the message loop runs once per interval (and on a
// table's last cell); the cancel mark, a plain field, is polled after every
// cell. A program ended from the message loop (the form closed and the end
// confirmed) takes the run with it, silently.
bool GeracaoTabelas::CelulaFeita(long posicao)
{
    if (m_pausas.Vencida() || posicao == m_progresso.Total()) {
        m_progresso.sProgresso(0, posicao, 0, true);
        Pausar();
        if (!m_c.form.IsLoaded())
            return true;
    }
    return CancelamentoConfirmado(m_c.CmdCancTabMassa);
}
