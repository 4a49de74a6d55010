// FrmMain: Ostrelvia's main window. Three tabs: the organisation's names
// (with the About box), the day's analyses (entry fields, the list in the
// grid, delete, export and print), and the generation of the two
// alcoholometric tables; one exit button shared by the tabs.
//
// The analyses of the date in TxtData live in RstAnalise, which the grid
// shows through its data binding and the data filter oFormataGrid; every
// change of the list rewrites that date's day file in the data folder.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include <wrl/client.h>

#include "Calc_Alc.h"
#include "ClsFormataGrid.h"
#include "CommandButton.h"
#include "DateField.h"
#include "Form.h"
#include "GeracaoTabelas.h"
#include "Frame.h"
#include "Label.h"
#include "NumberField.h"
#include "ObjetoAutomacao.h"
#include "OleControl.h"
#include "ProgressoTabelas.h"
#include "Recordset.h"
#include "RegistroAnalise.h"
#include "TabControl.h"
#include "TextBox.h"

class FrmSobre;

namespace hv::container {
class EventCall;
}

class FrmMain : public hv::forms::Form {
public:
    FrmMain();
    ~FrmMain() override;

    // Controls: made by the form's design on every load, owned by the form
    // (none of these pointers owns what it points at).
    hv::forms::TabControl* HvTab1 = nullptr;
    hv::forms::CommandButton* CmdSair = nullptr;
    // Tab 0: "Entidade/empresa".
    hv::forms::TextBox* TxtEmpresa = nullptr;
    hv::forms::TextBox* TxtEmpresaAbv = nullptr;
    hv::forms::CommandButton* CmdSobre = nullptr;
    // Tab 1: "Massa específica (kg/m³)".
    hv::forms::Frame* FrameDados = nullptr;
    hv::forms::DateField* TxtData = nullptr;
    hv::forms::TextBox* TxtAmostra = nullptr;
    hv::forms::NumberField* TxtMassa = nullptr;
    hv::forms::NumberField* TxtTempEnsaio = nullptr;
    hv::forms::NumberField* TxtTempEstoc = nullptr;
    hv::forms::NumberField* TxtMassa20 = nullptr;
    hv::forms::NumberField* TxtGrau = nullptr;
    hv::forms::NumberField* TxtGrau20 = nullptr;
    hv::forms::NumberField* TxtFator = nullptr;
    hv::forms::OleControl* Grid = nullptr;
    hv::forms::CommandButton* CmdExcluir = nullptr;
    hv::forms::CommandButton* CmdExpExcel = nullptr;
    hv::forms::CommandButton* CmdImprimir = nullptr;
    // Tab 2: "Geração de tabelas".
    hv::forms::NumberField* TxtMassaIni = nullptr;
    hv::forms::NumberField* TxtMassaFim = nullptr;
    hv::forms::NumberField* TxtMassaInc = nullptr;
    hv::forms::NumberField* TxtTempIni = nullptr;
    hv::forms::NumberField* TxtTempFim = nullptr;
    hv::forms::NumberField* TxtTempInc = nullptr;
    hv::forms::CommandButton* CmdGerarTabMassa = nullptr;
    hv::forms::CommandButton* CmdImprTabMassa = nullptr;
    hv::forms::CommandButton* CmdCancTabMassa = nullptr;
    hv::forms::Frame* Frame1 = nullptr;
    hv::forms::Label* LblTab1 = nullptr;
    hv::forms::Label* LblTab2 = nullptr;
    hv::forms::Label* LblBarra = nullptr;    // progress: the bar's frame,
    hv::forms::Label* LblPronto = nullptr;   // the part done,
    hv::forms::Label* lblPerc = nullptr;     // the stage and percentage

    // The day's analyses (made by sMontaGrid).
    std::unique_ptr<hv::recordset::Recordset> RstAnalise;
    // True while the generated tables are written into the workbook.
    bool bGerandoTabela = false;

    // The calculation object, made on first use and kept by the form.
    Calc_Alc& oCalc();
    // Table generation on tab 2 and its progress display (made with the
    // controls).
    ProgressoTabelas* Progresso() const { return progresso_.get(); }
    GeracaoTabelas* Geracao() const { return geracao_.get(); }

    // The grid's data filter, made by the first sMontaGrid.
    Microsoft::WRL::ComPtr<ClsFormataGrid> oFormataGrid;

    // Life of the form and the tabs.
    void CmdSair_Click();
    void CmdSobre_Click();
    void HvTab1_Click(int previousTab);
    FrmSobre* Sobre() const { return frmSobre_.get(); }

    // Analysis entry.
    void TxtData_Validate(bool& cancel);
    void TxtAmostra_Validate(bool& cancel);
    void TxtMassa_Validate(bool& cancel);
    void TxtTempEnsaio_Validate(bool& cancel);
    void TxtTempEstoc_Validate(bool& cancel);
    void TxtEmpresa_Validate(bool& cancel);
    void TxtEmpresaAbv_Validate(bool& cancel);
    void sMostraDados();

    // The list.
    void sMontaGrid();
    void Grid_InitializeLayout(const ObjetoAutomacao& layout);
    void Grid_BeforeRowActivate(const ObjetoAutomacao& row);
    void Grid_BeforeRowsDeleted(const hv::container::EventCall& call);
    ObjetoAutomacao fBuscaRow();
    // Adds or updates the analysis of TxtAmostra; false when nothing was
    // stored (no date, or a day file that was not read whole).
    bool sAtualizaRst();
    void CmdExcluir_Click();
    // The grid's automation object; throws when the grid could not be made.
    ObjetoAutomacao fGrid() const;

    // Day file and company file.
    void sGravaDisco();
    void sCarregaDisco();
    void sGravaEmpresa();
    void sCarregaEmpresa();
    std::wstring fCaminhoArquivoDia() const;
    std::wstring fCaminhoEmpresa() const;
    // The analyses of the list in row order, read from a clone of RstAnalise.
    std::vector<RegistroAnalise> fRegistrosDaLista() const;

    // Buttons whose work lives elsewhere.
    void CmdExpExcel_Click();
    void CmdImprimir_Click();
    void CmdGerarTabMassa_Click();
    void CmdImprTabMassa_Click();
    void CmdCancTabMassa_Click();

    // Runs a handler's work; a failing grid or recordset call shows one
    // message with its description and leaves the form usable.
    template <class Trabalho>
    void sProtegido(Trabalho&& trabalho);

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    void sCriaAba0(hv::forms::TabPage& aba);
    void sCriaAba1(hv::forms::TabPage& aba);
    void sCriaAba2(hv::forms::TabPage& aba);
    void sCriaGrid();
    void sLigaEventos();
    void sLigaEventosGrid();
    void sMostraErro(const std::wstring& descricao);
    // The entry's field handlers shared by the three inputs.
    void sValidaEntrada(hv::forms::NumberField& campo, void (Calc_Alc::*entrada)(const VARIANT&),
                        std::wstring (Calc_Alc::*erro)() const, const wchar_t* mensagem, bool& cancel);
    void sLimpaCamposNumericos();
    void sLimpaResultados();
    // The date is missing: says so and puts the focus on TxtData.
    bool fConfereData();
    // The day file was not read whole: says so; nothing may be stored.
    bool fConfereLeitura();
    void sCarregaRegistros(const std::vector<RegistroAnalise>& registros);
    void sAtivaPrimeiraLinha();
    void sSelecionaAtiva();

    void sCriaGeracao();

    std::optional<Calc_Alc> calc_;
    std::unique_ptr<ProgressoTabelas> progresso_;
    std::unique_ptr<GeracaoTabelas> geracao_;
    std::unique_ptr<FrmSobre> frmSobre_;
    HRESULT gridCriado_ = E_UNEXPECTED;
    // The day file last loaded was not read whole: its path.
    std::optional<std::wstring> leituraIncompleta_;
    bool avisouPasta_ = false;
};

template <class Trabalho>
void FrmMain::sProtegido(Trabalho&& trabalho)
{
    try {
        trabalho();
    } catch (const ErroAutomacao& erro) {
        sMostraErro(erro.Descricao());
    } catch (const std::bad_alloc&) {
        sMostraErro(L"Memória insuficiente para concluir a operação.");
    }
}
