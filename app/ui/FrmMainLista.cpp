// FrmMain: the analysis list. The day's analyses are records of RstAnalise;
// the grid shows them through its data binding, and the form keeps the grid
// rows and the entry fields in step through the grid's automation objects.
#include "FrmMain.h"

#include <Tavelle.h>

#include "DispidEvento.h"
#include "EventCall.h"
#include "EventosDesligados.h"
#include "ListaAnalises.h"
#include "MsgBox.h"

using namespace hv::forms;

namespace {

constexpr long kLinhaFilhaPrimeira = 0;
constexpr long kLinhaIrmaProxima = 2;
constexpr long kCliqueSelecionaLinha = 2;
constexpr long kExclusaoNao = 2;
constexpr long kReleituraComInitializeRow = 2;

ObjetoAutomacao fCelula(const ObjetoAutomacao& linha, const wchar_t* campo)
{
    return linha.Objeto(L"Cells").Objeto(L"Item", {OwnedVariant::Text(campo)});
}

} // namespace

ObjetoAutomacao FrmMain::fGrid() const
{
    if (!Grid || !Grid->Object())
        throw ErroAutomacao(gridCriado_, L"A grade de análises (Tavelle.ocx) não pôde ser criada; verifique se "
                                         L"o controle está registrado.");
    return ObjetoAutomacao::De(Grid->Object());
}

void FrmMain::sCriaGrid()
{
    gridCriado_ = Grid->Create(CLSID_HvTavelle);
    if (SUCCEEDED(gridCriado_))
        sLigaEventosGrid();
}

void FrmMain::sLigaEventosGrid()
{
    IUnknown* controle = Grid->Object();
    const auto liga = [&](const wchar_t* nome, OleControl::EventHandler tratador) {
        const DISPID dispid = fDispidEvento(controle, nome);
        if (dispid != DISPID_UNKNOWN)
            Grid->OnEvent(dispid, std::move(tratador));
    };
    liga(L"InitializeLayout", [this](const hv::container::EventCall& evento) {
        sProtegido([&] { Grid_InitializeLayout(ObjetoAutomacao::De(evento.Object(1))); });
    });
    liga(L"BeforeRowActivate", [this](const hv::container::EventCall& evento) {
        sProtegido([&] { Grid_BeforeRowActivate(ObjetoAutomacao::De(evento.Object(0))); });
    });
    liga(L"BeforeRowsDeleted", [this](const hv::container::EventCall& evento) { Grid_BeforeRowsDeleted(evento); });
}

void FrmMain::sMontaGrid()
{
    // The previous list goes once the grid has let go of it.
    std::unique_ptr<hv::recordset::Recordset> anterior = std::move(RstAnalise);
    RstAnalise = fCriaListaAnalises();
    if (!oFormataGrid)
        oFormataGrid.Attach(ClsFormataGrid::Cria());
    if (!oFormataGrid)
        throw std::bad_alloc();
    sConfiguraGrade(fGrid(), *RstAnalise, oFormataGrid.Get());
}

void FrmMain::Grid_InitializeLayout(const ObjetoAutomacao& layout)
{
    const ObjetoAutomacao sobreposicao = layout.Objeto(L"Override");
    sobreposicao.Atribui(L"CellClickAction", fVarLong(kCliqueSelecionaLinha));
    sobreposicao.Atribui(L"AllowDelete", fVarLong(kExclusaoNao));
}

void FrmMain::Grid_BeforeRowActivate(const ObjetoAutomacao& row)
{
    if (row.Vazio())
        return;
    OwnedVariant amostra = fCelula(row, L"AMOSTRA").Propriedade(L"Value");
    std::wstring texto;
    if (amostra.Type() != VT_NULL && amostra.Type() != VT_EMPTY) {
        VARIANT comoTexto;
        VariantInit(&comoTexto);
        if (SUCCEEDED(VariantChangeType(&comoTexto, const_cast<VARIANT*>(&amostra.Get()), 0, VT_BSTR)))
            texto.assign(comoTexto.bstrVal, SysStringLen(comoTexto.bstrVal));
        VariantClear(&comoTexto);
    }
    TxtAmostra->SetText(texto);
    NumberField* const campos[] = {TxtMassa, TxtTempEnsaio, TxtTempEstoc, TxtMassa20, TxtGrau, TxtGrau20, TxtFator};
    for (size_t i = 0; i < 7; ++i) {
        // The grid hands out the shown text ("812,50"): it is read in the
        // user's locale, as the field reads what the user types.
        const OwnedVariant valor = fCelula(row, kCamposAnalise[i + 1]).Propriedade(L"Value");
        if (!campos[i]->SetValue(valor.Get()))
            campos[i]->SetText(L"");
    }
}

void FrmMain::Grid_BeforeRowsDeleted(const hv::container::EventCall& call)
{
    // The form has asked already: no second question from the grid.
    call.SetBool(1, false);
}

ObjetoAutomacao FrmMain::fBuscaRow()
{
    const ObjetoAutomacao grid = fGrid();
    ObjetoAutomacao linha;
    try {
        linha = ObjetoAutomacao::De(grid.Chama(L"GetRow", {fVarLong(kLinhaFilhaPrimeira)}).Get());
    } catch (const ErroAutomacao&) {
        return {};  // no first row (an empty list answers with an error)
    }
    const std::wstring procurada = TxtAmostra->Text();
    while (!linha.Vazio()) {
        const OwnedVariant valor = fCelula(linha, L"AMOSTRA").Propriedade(L"Value");
        if (valor.Type() == VT_BSTR && std::wstring_view(valor.Get().bstrVal, SysStringLen(valor.Get().bstrVal)) ==
                                           procurada)
            return linha;
        const OwnedVariant haMais = linha.Chama(L"HasNextSibling");
        if (haMais.Type() != VT_BOOL || haMais.Get().boolVal == VARIANT_FALSE)
            return {};
        linha = ObjetoAutomacao::De(linha.Chama(L"GetSibling", {fVarLong(kLinhaIrmaProxima)}).Get());
    }
    return {};
}

bool FrmMain::fConfereData()
{
    if (!TxtData->ValueIsNull())
        return true;
    MsgBox(L"Data da amostragem não informada, informe a data antes de lançar a análise!", MsgInformation);
    TxtData->SetFocus();
    return false;
}

bool FrmMain::fConfereLeitura()
{
    if (!leituraIncompleta_)
        return true;
    MsgBox(L"Não foi possível ler o arquivo " + *leituraIncompleta_ +
               L" por completo, as análises desta data não poderão ser alteradas!",
           MsgCritical);
    return false;
}

bool FrmMain::sAtualizaRst()
{
    if (!fConfereData() || !fConfereLeitura())
        return false;
    ObjetoAutomacao linha = fBuscaRow();
    const ObjetoAutomacao grid = fGrid();
    const bool nova = linha.Vazio();
    {
        // The active row changes here by program: the row activation must
        // not copy it back into the fields.
        EventosDesligados desligados(grid);
        if (nova) {
            const ObjetoAutomacao banda = grid.Objeto(L"Bands").Objeto(L"Item", {fVarLong(0)});
            linha = ObjetoAutomacao::De(banda.Chama(L"AddNew").Get());
            fCelula(linha, L"AMOSTRA").Atribui(L"Value", OwnedVariant::Text(TxtAmostra->Text()));
        } else {
            grid.AtribuiReferencia(L"ActiveRow", linha.Get());
        }
        ObjetoAutomacao ativa = grid.Objeto(L"ActiveRow");
        if (ativa.Vazio())
            ativa = linha;
        NumberField* const campos[] = {TxtMassa, TxtTempEnsaio, TxtTempEstoc, TxtMassa20,
                                       TxtGrau,  TxtGrau20,     TxtFator};
        for (size_t i = 0; i < 7; ++i) {
            OwnedVariant valor;
            VARIANT lido = campos[i]->Value();
            valor.Assign(lido);
            VariantClear(&lido);
            fCelula(ativa, kCamposAnalise[i + 1]).Atribui(L"Value", valor);
        }
        grid.Chama(L"Update");
        sSelecionaAtiva();
    }
    if (nova) {
        grid.Chama(L"Refresh", {fVarLong(kReleituraComInitializeRow)});
        sSelecionaAtiva();
    }
    sGravaDisco();
    return true;
}

void FrmMain::sSelecionaAtiva()
{
    const ObjetoAutomacao grid = fGrid();
    grid.Objeto(L"Selected").Chama(L"ClearAll");
    const ObjetoAutomacao ativa = grid.Objeto(L"ActiveRow");
    if (!ativa.Vazio())
        ativa.Atribui(L"Selected", fVarBool(true));
}

void FrmMain::sAtivaPrimeiraLinha()
{
    const ObjetoAutomacao grid = fGrid();
    const ObjetoAutomacao primeira = ObjetoAutomacao::De(grid.Chama(L"GetRow", {fVarLong(kLinhaFilhaPrimeira)}).Get());
    if (primeira.Vazio())
        return;
    grid.AtribuiReferencia(L"ActiveRow", primeira.Get());
    primeira.Atribui(L"Selected", fVarBool(true));
}

void FrmMain::CmdExcluir_Click()
{
    sProtegido([this] {
        const ObjetoAutomacao grid = fGrid();
        if (grid.Objeto(L"ActiveRow").Vazio())
            return;
        if (!fConfereData() || !fConfereLeitura())
            return;
        if (MsgBox(L"Confirma exclusão do registro?", MsgYesNo + MsgQuestion + MsgDefaultButton2) != MsgYes)
            return;
        grid.Chama(L"DeleteSelectedRows");
        sReligaGrade(grid, *RstAnalise);
        sGravaDisco();
        try {
            sAtivaPrimeiraLinha();
        } catch (const ErroAutomacao&) {
            // No row left: nothing to activate.
        }
    });
}
