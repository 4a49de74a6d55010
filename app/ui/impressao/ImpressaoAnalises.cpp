// The day's printout: clone, hourglass, captions, preview.
#include "ImpressaoAnalises.h"

#include <memory>
#include <stdexcept>

#include "Application.h"
#include "Form.h"
#include "MousePointerGuard.h"
#include "MsgBox.h"
#include "Recordset.h"
#include "RptImprimirAnalise.h"

using namespace hv::forms;
using ostrelvia::reports::RptImprimirAnalise;

namespace {

// The date in the system's short form (empty for null).
std::wstring TextoData(const VARIANT& data)
{
    VARIANT texto;
    VariantInit(&texto);
    std::wstring resultado;
    if (data.vt != VT_NULL && data.vt != VT_EMPTY &&
        SUCCEEDED(VariantChangeType(&texto, const_cast<VARIANT*>(&data), 0, VT_BSTR)))
        resultado.assign(texto.bstrVal, SysStringLen(texto.bstrVal));
    VariantClear(&texto);
    return resultado;
}

void Imprimir(Form& form, const hv::recordset::Recordset& RstAnalise, const VARIANT& data,
              const std::wstring& empresaAbv)
{
    std::unique_ptr<hv::recordset::Recordset> clone;
    if (FAILED(RstAnalise.Clone(clone)))
        throw std::runtime_error("the list could not be cloned");
    MousePointerGuard ampulheta(form, PointerHourglass);
    if (FAILED(clone->MoveFirst()))
        throw std::runtime_error("the list's clone could not move");
    RptImprimirAnalise& relatorio = RptImprimirAnaliseDoPrograma();
    relatorio.AdoRel().SetRecordset(std::move(clone));
    relatorio.LblEmpresa().SetCaption(empresaAbv);
    relatorio.LblCabecalho().SetCaption(L"Data da Amostragem: " + TextoData(data));
    relatorio.Show();
}

} // namespace

void sImprimirAnalises(Form& form, const hv::recordset::Recordset& RstAnalise, const VARIANT& data,
                       const std::wstring& empresaAbv)
{
    if (RstAnalise.RecordCount() < 1) {
        MsgBox(L"Não existem amostras para a impressão!", MsgOkOnly + MsgInformation);
        return;
    }
    try {
        Imprimir(form, RstAnalise, data, empresaAbv);
    } catch (...) {
        // The pointer is already back: the guard went with the failed step.
        MsgBox(L"Não foi possível gerar o relatório!", MsgOkOnly + MsgInformation);
    }
}

RptImprimirAnalise& RptImprimirAnaliseDoPrograma()
{
    // The registry of forms outlives the report's preview, which it lists.
    (void)LoadedForms();
    static RptImprimirAnalise relatorio;
    return relatorio;
}
