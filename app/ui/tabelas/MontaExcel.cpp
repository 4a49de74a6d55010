// The tables' workbook: sheets, heading blocks, temperatures, records, and
// the roads by which the output ends.
#include "MontaExcel.h"

#include "CommandButton.h"
#include "ExcelApplication.h"
#include "FalhaGeracao.h"
#include "Form.h"
#include "MessageYield.h"
#include "MousePointer.h"
#include "MsgBox.h"
#include "NumberField.h"
#include "PedidoCancelamento.h"
#include "PlanilhaTabelas.h"
#include "ProgressoTabelas.h"
#include "Recordset.h"
#include "RoundTiesToEven.h"

#include <new>

using hv::automation::AutomationError;
using hv::automation::LateArg;
using hv::automation::LateObject;
using hv::recordset::Recordset;
using namespace planilha;

namespace {

constexpr long kLinhaTemperaturas = 5;
constexpr long kPrimeiraLinha = 6;
constexpr long kPrimeiroCampo = 4;   // TEMP1

void Verificar(HRESULT hr)
{
    FalhaGeracao::Verificar(hr, L"O conjunto de registros");
}

LateArg Campo(const Recordset& rst, long indice)
{
    LateArg valor;
    Verificar(rst.GetValue(indice, valor.Put()));
    return valor;
}

long Inteiro(const LateArg& valor)
{
    VARIANT v;
    VariantInit(&v);
    const HRESULT hr = VariantChangeType(&v, const_cast<VARIANT*>(&valor.Get()), 0, VT_I4);
    if (FAILED(hr))
        throw AutomationError(hr, L"A count is not a number.");
    return v.lVal;
}

// Every temperature group takes three fields in Tabela 1, two in Tabela 2.
long Passo(short iTab)
{
    return iTab == 1 ? 3 : 2;
}

} // namespace

MontaExcel::MontaExcel(const ControlesTabelas& controles, ProgressoTabelas& progresso, bool& bGerandoTabela)
    : m_c(controles), m_progresso(progresso), m_bGerandoTabela(bGerandoTabela)
{
}

FimMontagem MontaExcel::sMontaExcel(Recordset& RstImpTab1, Recordset& RstImpTab2)
{
    LateObject oExcel;
    bool temPasta = false;
    std::wstring falha;
    try {
        m_iCor = 0;
        oExcel = ostrelvia::fCriaExcel();
        oExcel.Object(L"Workbooks").Call(L"Add");
        temPasta = true;
        m_bGerandoTabela = true;
        LateObject pasta = oExcel.Object(L"ActiveWorkbook");
        pasta.Object(L"Sheets").Call(L"Add");
        for (long n = Inteiro(pasta.Object(L"Sheets").Value(L"Count")); n >= 3; --n)
            pasta.Object(L"Sheets", {n}).Call(L"Delete");
        pasta.Reset();

        if (!sMontaTabela(oExcel, RstImpTab1, 1) || !sMontaTabela(oExcel, RstImpTab2, 2)) {
            sDesfaz(oExcel, temPasta);
            sRestauraForm();
            return FimMontagem::Cancelada;
        }
        m_progresso.sProgresso(0, -1, 0, true);
        oExcel.Object(L"Range", {L"A1:A3"}).Call(L"Select");
        oExcel.Object(L"Sheets", {1L}).Call(L"Select");
        oExcel.Put(L"Visible", true);
        m_bGerandoTabela = false;
        return FimMontagem::Concluida;
    } catch (const AutomationError& erro) {
        falha = erro.Description();
    } catch (const FalhaGeracao& erro) {
        falha = erro.Descricao();
    } catch (const std::bad_alloc&) {
        falha = L"memória insuficiente.";
    }
    sDesfaz(oExcel, temPasta);
    hv::forms::MsgBox(L"Não foi possível gerar as tabelas: " + falha, hv::forms::MsgOkOnly + hv::forms::MsgCritical);
    sRestauraForm();
    return FimMontagem::Falhou;
}

// One sheet: its frame, the temperatures, then the records. False when the
// user confirmed a cancel.
bool MontaExcel::sMontaTabela(const LateObject& oExcel, Recordset& rst, short iTab)
{
    const LateObject plan = oExcel.Object(L"Sheets", {static_cast<long>(iTab)});
    plan.Put(L"Name", L"Tabela " + std::to_wstring(iTab));
    plan.Call(L"Select");
    sPreparaPlan(oExcel, iTab);
    if (iTab == 2 && rst.RecordCount() < 1) {
        sExcelCabec(oExcel, 2, iTab);
        sPintaTemp(oExcel, kLinhaTemperaturas, 2, 11);
        return true;
    }
    sLinhaTemperaturas(oExcel, rst, iTab);

    const long total = rst.RecordCount();
    m_progresso.sProgresso(0, 0, total, false);
    Verificar(rst.MoveFirst());
    long registro = 0;
    for (long iLin = kPrimeiraLinha; !rst.IsEOF(); iLin += iTab == 1 ? 2 : 1) {
        sRegistro(oExcel, rst, iLin, iTab);
        if (++m_iCor == 2)
            m_iCor = 0;
        Pausar(++registro);
        Verificar(rst.MoveNext());
        if (CancelamentoConfirmado(m_c.CmdCancTabMassa))
            return false;
    }
    if (iTab == 1)
        oExcel.Object(L"Range", {L"A1:A3"}).Call(L"Select");
    return true;
}

// Row 5: one temperature per column from B, read from the current record, a
// heading block over every ten; the last block is painted out to its tenth
// column (a full block gets ten more cells). Returns the first free column.
long MontaExcel::sLinhaTemperaturas(const LateObject& oExcel, const Recordset& rst, short iTab)
{
    long iCol = 2;
    for (long k = kPrimeiroCampo; k <= rst.FieldCount() - 1; k += Passo(iTab)) {
        oExcel.Object(L"Cells", {kLinhaTemperaturas, iCol}).Put(L"Value", Campo(rst, k));
        ++iCol;
        if ((iCol - 3) % 10 == 0)
            sExcelCabec(oExcel, iCol - 1, iTab);
    }
    long fim = iCol;
    while ((fim - 1) % 10 != 0)
        ++fim;
    sPintaTemp(oExcel, kLinhaTemperaturas, 2, fim);
    return iCol;
}

// One record: its density in column A, then per temperature the density at
// 20 degrees C over the content (Tabela 1, one decimal) or the factor
// (Tabela 2, four decimals). A Null value leaves its cell empty.
void MontaExcel::sRegistro(const LateObject& oExcel, const Recordset& rst, long iLin, short iTab)
{
    LateArg massa;
    Verificar(rst.GetValue(iTab == 1 ? L"MASSA_ESP" : L"MASSA_20", massa.Put()));
    oExcel.Object(L"Cells", {iLin, 1L}).Put(L"Value", massa);
    sPintaMassa(oExcel, iLin, m_iCor, iTab);
    const int casas = iTab == 1 ? 1 : 4;
    long iCol = 2;
    for (long k = kPrimeiroCampo + 1; k <= rst.FieldCount() - 1; k += Passo(iTab), ++iCol) {
        for (long linha = 0; linha < (iTab == 1 ? 2 : 1); ++linha) {
            const LateArg valor = Campo(rst, k + linha);
            if (valor.Type() == VT_R8)
                oExcel.Object(L"Cells", {iLin + linha, iCol})
                    .Put(L"Value", RoundTiesToEven(valor.Get().dblVal, casas));
        }
    }
    if (iCol > 2)
        sPintaMassaTeor(oExcel, iLin, 2, iCol - 1, m_iCor, iTab);
}

void MontaExcel::Pausar(long registro)
{
    if (!m_pausas.Vencida() && registro != m_progresso.Total())
        return;
    m_progresso.sProgresso(0, registro, 0, false);
    hv::forms::YieldToMessages();
    m_pausas.Reiniciar();
}

// Closes the workbook unsaved and quits the application, as far as they exist.
void MontaExcel::sDesfaz(LateObject& oExcel, bool temPasta)
{
    if (oExcel && temPasta) {
        try {
            oExcel.Object(L"ActiveWorkbook").Call(L"Close", {false});
        } catch (const AutomationError&) {
        }
    }
    if (oExcel) {
        try {
            oExcel.Call(L"Quit");
        } catch (const AutomationError&) {
        }
    }
    oExcel.Reset();
}

void MontaExcel::sRestauraForm()
{
    m_c.form.SetMousePointer(hv::forms::PointerDefault);
    m_bGerandoTabela = false;
    m_progresso.sProgresso(0, -1, 0, true);
    m_c.CmdGerarTabMassa.SetEnabled(true);
    m_c.CmdImprTabMassa.SetEnabled(true);
    m_c.CmdCancTabMassa.SetVisible(false);
    m_c.CmdCancTabMassa.SetTag(L"");
    if (m_c.TxtMassaIni.CanFocusNow())
        m_c.TxtMassaIni.SetFocus();
    hv::forms::YieldToMessages();
}
