// FrmMain: the form's design, its load and unload, and the tabs.
#include "FrmMain.h"

#include "Application.h"
#include "ArquivoDisco.h"
#include "EntregaExcel.h"
#include "EntregaRelatorios.h"
#include "ExcelApplication.h"
#include "ExportaAnalisesExcel.h"
#include "FrmSobre.h"
#include "ImpressaoAnalises.h"
#include "MdlMain.h"
#include "MsgBox.h"
#include "RotuloBarra.h"

using namespace hv::forms;

namespace {

constexpr int kAbaEmpresa = 0;
constexpr int kAbaAnalises = 1;
constexpr int kAbaTabelas = 2;

// Placements of the shared exit button: the large one of tabs 0 and 2 (also
// the design's), the small one beside the analysis frame on tab 1.
constexpr TwipsRect kSairGrande{12420, 7800, 2715, 735};
constexpr TwipsRect kSairPequeno{13400, 8220, 1755, 495};

const wchar_t* const kTextoTab1 =
    L"\r\nTabela 1\r\n\r\nMassa específica a 20 °C e Teor alcoólico %m/m\r\n\r\n"
    L"A interseção entre a massa específica lida e a temperatura de ensaio fornece a massa específica a "
    L"20 °C na primeira linha e o teor alcoólico %m/m na segunda linha.";
const wchar_t* const kTextoTab2 =
    L"\r\nTabela 2\r\n\r\nFator de correção de volume para 20 °C\r\n\r\n"
    L"A interseção entre a massa específica a 20 °C e a temperatura de estocagem fornece o fator de "
    L"correção de volume para 20 °C";

} // namespace

FrmMain::FrmMain()
{
    SetCaption(L"Ostrelvia");
    Move(600, 600, 15480, 9420);
}

FrmMain::~FrmMain()
{
    Discard();
}

Calc_Alc& FrmMain::oCalc()
{
    if (!calc_)
        calc_.emplace();
    return *calc_;
}

void FrmMain::CreateControls()
{
    HvTab1 = &Add<TabControl>(TwipsRect{60, 60, 15240, 8700}, 3);
    HvTab1->SetTabCaption(kAbaEmpresa, L"Entidade/empresa");
    HvTab1->SetTabCaption(kAbaAnalises, L"Massa específica (kg/m³)");
    HvTab1->SetTabCaption(kAbaTabelas, L"Geração de tabelas");
    HvTab1->SetTabIndex(6);
    sCriaAba0(HvTab1->Page(kAbaEmpresa));
    sCriaAba1(HvTab1->Page(kAbaAnalises));
    sCriaAba2(HvTab1->Page(kAbaTabelas));
    CmdSair = &Add<CommandButton>(kSairGrande, L"Sair");
    CmdSair->SetTabIndex(40);
    CmdSair->ZOrder(0);
    sCriaGeracao();
    sLigaEventos();
}

void FrmMain::sCriaAba0(TabPage& aba)
{
    aba.Add<Label>(TwipsRect{240, 360, 7800, 255}, L"Nome da entidade/empresa");
    TxtEmpresa = &aba.Add<TextBox>(TwipsRect{240, 630, 7800, 330}, L"Entidade/Empresa");
    TxtEmpresa->SetMaxLength(60);
    TxtEmpresa->SetTabIndex(0);
    aba.Add<Label>(TwipsRect{240, 1140, 7800, 255}, L"Nome da entidade/empresa para os relatórios");
    TxtEmpresaAbv = &aba.Add<TextBox>(TwipsRect{240, 1410, 4200, 330}, L"Entidade/Empresa");
    TxtEmpresaAbv->SetMaxLength(30);
    TxtEmpresaAbv->SetTabIndex(1);
    CmdSobre = &aba.Add<CommandButton>(TwipsRect{240, 2040, 1500, 450}, L"Sobre");
    CmdSobre->SetTabIndex(3);
}

void FrmMain::sCriaAba1(TabPage& aba)
{
    FrameDados = &aba.Add<Frame>(TwipsRect{60, 60, 13100, 8040}, L"Dados da Análise");
    struct Campo {
        const wchar_t* titulo;
        int largura;
    };
    // Headings and widths left to right; the fields stand in one row under
    // their headings.
    const Campo campos[] = {
        {L"Data", 1350},
        {L"Amostra", 2400},
        {L"Massa\r\nespecífica lida\r\n(kg/m³)", 1350},
        {L"Temperatura\r\nensaio\r\n(°C)", 1250},
        {L"Temperatura\r\nestocagem\r\n(°C)", 1250},
        {L"Massa\r\nespecífica 20 °C\r\n(kg/m³)", 1350},
        {L"Teor\r\nalcoólico\r\n(%m/m)", 1150},
        {L"Teor\r\nalcoólico 20 °C\r\n(% v/v)", 1300},
        {L"Fator\r\ncorreção \r\nvolume 20 °C", 1200},
    };
    TwipsRect lugares[9];
    int x = 45;
    for (int i = 0; i < 9; ++i) {
        FrameDados->Add<Label>(TwipsRect{x, 240, campos[i].largura, 720}, campos[i].titulo);
        lugares[i] = TwipsRect{x, 990, campos[i].largura, 330};
        x += campos[i].largura + 45;
    }
    TxtData = &FrameDados->Add<DateField>(lugares[0]);
    TxtAmostra = &FrameDados->Add<TextBox>(lugares[1]);
    TxtAmostra->SetMaxLength(25);
    TxtMassa = &FrameDados->Add<NumberField>(lugares[2], L"####0.00", -99999, 99999);
    TxtTempEnsaio = &FrameDados->Add<NumberField>(lugares[3], L"####0.0", -999, 999);
    TxtTempEstoc = &FrameDados->Add<NumberField>(lugares[4], L"####0.0", -999, 999);
    TxtMassa20 = &FrameDados->Add<NumberField>(lugares[5], L"####0.0", -99999, 99999);
    TxtGrau = &FrameDados->Add<NumberField>(lugares[6], L"####0.0", -999, 999);
    TxtGrau20 = &FrameDados->Add<NumberField>(lugares[7], L"####0.0", -99999, 99999);
    TxtFator = &FrameDados->Add<NumberField>(lugares[8], L"####0.0000", -99999, 99999);
    const int ordem[] = {8, 9, 10, 11, 12, 13, 14, 15, 17};
    Control* const fields[] = {TxtData, TxtAmostra, TxtMassa, TxtTempEnsaio, TxtTempEstoc,
                               TxtMassa20, TxtGrau, TxtGrau20, TxtFator};
    for (int i = 0; i < 9; ++i)
        fields[i]->SetTabIndex(ordem[i]);

    Grid = &FrameDados->Add<OleControl>(TwipsRect{60, 1440, 12980, 5900});
    Grid->SetTabIndex(7);
    CmdExcluir = &FrameDados->Add<CommandButton>(TwipsRect{60, 7440, 1900, 450}, L"Excluir registro");
    CmdExcluir->SetTabIndex(18);
    CmdExpExcel = &FrameDados->Add<CommandButton>(TwipsRect{2040, 7440, 2100, 450}, L"Exportar MS-Excel®");
    CmdExpExcel->SetTabIndex(20);
    CmdImprimir = &FrameDados->Add<CommandButton>(TwipsRect{4220, 7440, 1500, 450}, L"Imprimir");
    CmdImprimir->SetTabIndex(22);
    sCriaGrid();
}

void FrmMain::sCriaAba2(TabPage& aba)
{
    struct Faixa {
        NumberField** campo;
        const wchar_t* rotulo;
        const wchar_t* unidade;
        const wchar_t* formato;
        double minimo;
        double maximo;
    };
    const Faixa faixas[] = {
        {&TxtMassaIni, L"Massa específica inicial", L"kg/m³", L"####0.00", 0, 9999},
        {&TxtMassaFim, L"Massa específica final", L"kg/m³", L"####0.00", 0, 9999},
        {&TxtMassaInc, L"Incremento massa", L"kg/m³", L"####0.00", 0, 9999},
        {&TxtTempIni, L"Temperatura inicial", L"°C", L"####0.0", -20, 50},
        {&TxtTempFim, L"Temperatura final", L"°C", L"####0.0", -20, 50},
        {&TxtTempInc, L"Incremento temperatura", L"°C", L"####0.0", -20, 50},
    };
    int y = 360;
    int indice = 30;
    for (const Faixa& faixa : faixas) {
        aba.Add<Label>(TwipsRect{240, y + 30, 2600, 255}, faixa.rotulo);
        *faixa.campo = &aba.Add<NumberField>(TwipsRect{2900, y, 1300, 330}, faixa.formato, faixa.minimo,
                                              faixa.maximo);
        (*faixa.campo)->SetTabIndex(indice++);
        aba.Add<Label>(TwipsRect{4260, y + 30, 800, 255}, faixa.unidade);
        y += 480;
    }
    CmdGerarTabMassa = &aba.Add<CommandButton>(TwipsRect{240, 3480, 2700, 495}, L"Gerar tabela no MS-Excel®");
    CmdGerarTabMassa->SetTabIndex(36);
    CmdImprTabMassa = &aba.Add<CommandButton>(TwipsRect{3060, 3480, 1800, 495}, L"Gerar tabela");
    CmdImprTabMassa->SetTabIndex(37);
    CmdCancTabMassa = &aba.Add<CommandButton>(TwipsRect{4980, 3480, 1500, 495}, L"Cancelar");
    CmdCancTabMassa->SetTabIndex(38);
    Frame1 = &aba.Add<Frame>(TwipsRect{6900, 240, 8100, 5400});
    LblTab1 = &Frame1->Add<Label>(TwipsRect{120, 240, 7860, 2500});
    LblTab2 = &Frame1->Add<Label>(TwipsRect{120, 2800, 7860, 2400});
    CmdCancTabMassa->SetVisible(false);
    // The progress bar, hidden until a generation runs.
    lblPerc = &aba.Add<RotuloBarra>(TwipsRect{5640, 5940, 3600, 240}, RotuloBarra::Tipo::Legenda);
    LblPronto = &aba.Add<RotuloBarra>(TwipsRect{275, 5910, 0, 300}, RotuloBarra::Tipo::Preenchido);
    LblBarra = &aba.Add<RotuloBarra>(TwipsRect{240, 5880, 13470, 360}, RotuloBarra::Tipo::Moldura);
    for (Label* rotulo : {lblPerc, LblPronto, LblBarra})
        rotulo->SetVisible(false);
}

void FrmMain::sCriaGeracao()
{
    progresso_ = std::make_unique<ProgressoTabelas>(
        std::vector<ProgressoTabelas::Barra>{{*LblBarra, *LblPronto, *lblPerc}});
    const ControlesTabelas controles{*this,           *TxtMassaIni,     *TxtMassaFim,     *TxtMassaInc,
                                     *TxtTempIni,     *TxtTempFim,      *TxtTempInc,      *CmdGerarTabMassa,
                                     *CmdImprTabMassa, *CmdCancTabMassa, *LblBarra,       *LblPronto,
                                     *lblPerc,        *TxtEmpresaAbv};
    auto entrega = [this, controles](ModoTabela modo) -> std::unique_ptr<EntregaTabelas> {
        if (modo == ModoTabela::Planilha)
            return std::make_unique<EntregaExcel>(controles, *progresso_, bGerandoTabela);
        return std::make_unique<EntregaRelatorios>(*TxtEmpresaAbv);
    };
    geracao_ = std::make_unique<GeracaoTabelas>(controles, *progresso_, entrega, ostrelvia::fTemExcelInstalado);
}

void FrmMain::sLigaEventos()
{
    CmdSair->Click = [this] { CmdSair_Click(); };
    CmdSobre->Click = [this] { CmdSobre_Click(); };
    HvTab1->Click = [this](int previous) { HvTab1_Click(previous); };
    CmdExcluir->Click = [this] { CmdExcluir_Click(); };
    CmdExpExcel->Click = [this] { CmdExpExcel_Click(); };
    CmdImprimir->Click = [this] { CmdImprimir_Click(); };
    CmdGerarTabMassa->Click = [this] { CmdGerarTabMassa_Click(); };
    CmdImprTabMassa->Click = [this] { CmdImprTabMassa_Click(); };
    CmdCancTabMassa->Click = [this] { CmdCancTabMassa_Click(); };

    TxtData->Validate = [this](bool& cancel) { TxtData_Validate(cancel); };
    TxtAmostra->Validate = [this](bool& cancel) { TxtAmostra_Validate(cancel); };
    TxtMassa->Validate = [this](bool& cancel) { TxtMassa_Validate(cancel); };
    TxtTempEnsaio->Validate = [this](bool& cancel) { TxtTempEnsaio_Validate(cancel); };
    TxtTempEstoc->Validate = [this](bool& cancel) { TxtTempEstoc_Validate(cancel); };
    TxtEmpresa->Validate = [this](bool& cancel) { TxtEmpresa_Validate(cancel); };
    TxtEmpresaAbv->Validate = [this](bool& cancel) { TxtEmpresaAbv_Validate(cancel); };

    // Whole text selected on focus (start 0; the length differs by field).
    const auto selecionaTudo = [](EditControl* campo, int comprimento) {
        campo->GotFocus = [campo, comprimento] {
            campo->SetSelStart(0);
            campo->SetSelLength(comprimento);
        };
    };
    selecionaTudo(TxtAmostra, 1000);
    selecionaTudo(TxtTempEnsaio, 1000);
    selecionaTudo(TxtTempEstoc, 1000);
    for (EditControl* campo : {static_cast<EditControl*>(TxtData), static_cast<EditControl*>(TxtMassa),
                               static_cast<EditControl*>(TxtMassaIni), static_cast<EditControl*>(TxtMassaFim),
                               static_cast<EditControl*>(TxtMassaInc), static_cast<EditControl*>(TxtTempIni),
                               static_cast<EditControl*>(TxtTempFim), static_cast<EditControl*>(TxtTempInc)})
        selecionaTudo(campo, 100);

    // Enter moves on as Tab does.
    for (Control* campo : {static_cast<Control*>(TxtAmostra), static_cast<Control*>(TxtData),
                           static_cast<Control*>(TxtMassa), static_cast<Control*>(TxtMassaIni),
                           static_cast<Control*>(TxtMassaFim), static_cast<Control*>(TxtMassaInc),
                           static_cast<Control*>(TxtTempIni), static_cast<Control*>(TxtTempFim),
                           static_cast<Control*>(TxtTempInc)})
        campo->KeyPress = [this](int& tecla) {
            if (tecla == 13) {
                tecla = 0;
                SendTab();
            }
        };
    // The test temperature moves on only when it is valid; the storage
    // temperature's validation itself sends the focus back to the sample.
    // Both validate at once, as the form does when the focus leaves them.
    TxtTempEnsaio->KeyPress = [this](int& tecla) {
        if (tecla != 13)
            return;
        tecla = 0;
        if (!ValidateBeforeMove())
            SendTab();
    };
    TxtTempEstoc->KeyPress = [this](int& tecla) {
        if (tecla != 13)
            return;
        tecla = 0;
        ValidateBeforeMove();
    };
}

void FrmMain::Form_Load()
{
    sProtegido([this] { sMontaGrid(); });
    const std::wstring pasta = MdlMain::fPastaDados();
    if (!fExistePasta(pasta) && !fCriaPasta(pasta) && !avisouPasta_) {
        avisouPasta_ = true;
        MsgBox(L"Não foi possível criar a pasta " + pasta + L", as análises não serão gravadas!", MsgCritical);
    }
    sCarregaEmpresa();
    LblTab1->SetCaption(kTextoTab1);
    LblTab2->SetCaption(kTextoTab2);
}

void FrmMain::Form_Unload(bool& cancel)
{
    if (bGerandoTabela) {
        CmdCancTabMassa->SetTag(L"C");
        cancel = true;
        return;
    }
    if (MsgBox(L"Deseja encerrar o sistema ?", MsgYesNo + MsgInformation) != MsgYes) {
        cancel = true;
        return;
    }
    End();
}

void FrmMain::CmdSair_Click()
{
    Unload();
}

void FrmMain::CmdSobre_Click()
{
    if (!frmSobre_)
        frmSobre_ = std::make_unique<FrmSobre>();
    frmSobre_->Show(ShowMode::Modeless);
}

void FrmMain::HvTab1_Click(int)
{
    switch (HvTab1->Tab()) {
    case kAbaEmpresa:
        CmdSair->Move(kSairGrande.left, kSairGrande.top, kSairGrande.width, kSairGrande.height);
        TxtEmpresa->SetFocus();
        break;
    case kAbaAnalises:
        CmdSair->Move(kSairPequeno.left, kSairPequeno.top, kSairPequeno.width, kSairPequeno.height);
        if (TxtData->ValueIsNull())
            TxtData->SetFocus();
        else
            TxtAmostra->SetFocus();
        break;
    case kAbaTabelas:
        CmdSair->Move(kSairGrande.left, kSairGrande.top, kSairGrande.width, kSairGrande.height);
        TxtMassaIni->SetFocus();
        break;
    default:
        break;
    }
}

void FrmMain::sMostraErro(const std::wstring& descricao)
{
    MsgBox(descricao, MsgCritical);
}

void FrmMain::CmdExpExcel_Click()
{
    ostrelvia::sExportaAnalisesExcel(*RstAnalise, TxtData->Value(), *this);
}

void FrmMain::CmdImprimir_Click()
{
    sImprimirAnalises(*this, *RstAnalise, TxtData->Value(), TxtEmpresaAbv->Caption());
}

void FrmMain::CmdGerarTabMassa_Click()
{
    geracao_->CmdGerarTabMassa_Click();
}

void FrmMain::CmdImprTabMassa_Click()
{
    geracao_->CmdImprTabMassa_Click();
}

void FrmMain::CmdCancTabMassa_Click()
{
    geracao_->CmdCancTabMassa_Click();
}
