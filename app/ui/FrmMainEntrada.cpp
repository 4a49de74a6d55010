// FrmMain: the analysis entry. Each confirmed input goes to the calculation
// object; when the three inputs are valid the results are shown and the
// analysis is stored in the list and the day file.
#include "FrmMain.h"

#include "MsgBox.h"

using namespace hv::forms;

void FrmMain::TxtData_Validate(bool&)
{
    if (!TxtData->ValueIsNull())
        sProtegido([this] { sCarregaDisco(); });
}

void FrmMain::TxtAmostra_Validate(bool&)
{
    sProtegido([this] {
        const ObjetoAutomacao linha = fBuscaRow();
        if (linha.Vazio()) {
            sLimpaCamposNumericos();
            return;
        }
        const ObjetoAutomacao grid = fGrid();
        grid.AtribuiReferencia(L"ActiveRow", linha.Get());
        Grid_BeforeRowActivate(linha);
        sSelecionaAtiva();
    });
}

void FrmMain::sValidaEntrada(NumberField& campo, void (Calc_Alc::*entrada)(const VARIANT&),
                             std::wstring (Calc_Alc::*erro)() const, const wchar_t* mensagem, bool& cancel)
{
    VARIANT valor = campo.Value();
    (oCalc().*entrada)(valor);
    VariantClear(&valor);
    if (!campo.ValueIsNull() && !(oCalc().*erro)().empty()) {
        MsgBox(mensagem, MsgInformation);
        VARIANT nulo;
        VariantInit(&nulo);
        nulo.vt = VT_NULL;
        campo.SetValue(nulo);
        cancel = true;
        return;
    }
    sMostraDados();
}

void FrmMain::TxtMassa_Validate(bool& cancel)
{
    sValidaEntrada(*TxtMassa, &Calc_Alc::MassaLida, &Calc_Alc::Erro_Massa,
                   L"Massa especifica lida (kg/m³) deve estar entre 771,92 e 999,84, tente novamente", cancel);
}

void FrmMain::TxtTempEnsaio_Validate(bool& cancel)
{
    sValidaEntrada(*TxtTempEnsaio, &Calc_Alc::TempEnsaio, &Calc_Alc::Erro_Temp_Ensaio,
                   L"Temperatura de ensaio deve estar entre -20 °C e 50 °C, tente novamente", cancel);
}

void FrmMain::TxtTempEstoc_Validate(bool& cancel)
{
    sValidaEntrada(*TxtTempEstoc, &Calc_Alc::TempEstocagem, &Calc_Alc::Erro_Temp_Estoque,
                   L"Temperatura de estocagem deve estar entre -20 °C e 50 °C, tente novamente", cancel);
    // The entry of the next sample starts, unless the analysis could not be
    // stored for want of a date (the focus is on the date then).
    if (!cancel && !TxtData->HasFocus())
        TxtAmostra->SetFocus();
}

void FrmMain::TxtEmpresa_Validate(bool&)
{
    sGravaEmpresa();
}

void FrmMain::TxtEmpresaAbv_Validate(bool&)
{
    sGravaEmpresa();
}

void FrmMain::sMostraDados()
{
    using Entrada = void (Calc_Alc::*)(const VARIANT&);
    struct Par {
        NumberField* campo;
        Entrada entrada;
    };
    Calc_Alc& calc = oCalc();
    for (const Par& par : {Par{TxtMassa, &Calc_Alc::MassaLida}, Par{TxtTempEnsaio, &Calc_Alc::TempEnsaio},
                           Par{TxtTempEstoc, &Calc_Alc::TempEstocagem}}) {
        VARIANT valor = par.campo->Value();
        (calc.*par.entrada)(valor);
        VariantClear(&valor);
    }
    if (calc.temErro()) {
        sLimpaResultados();
        return;
    }
    TxtMassa20->SetValue(calc.Massa20().Get());
    TxtGrau->SetValue(calc.Teor().Get());
    TxtGrau20->SetValue(calc.Teor20().Get());
    TxtFator->SetValue(calc.FatorCorrecao().Get());
    sProtegido([this] { sAtualizaRst(); });
}

void FrmMain::sLimpaResultados()
{
    for (NumberField* campo : {TxtMassa20, TxtGrau, TxtGrau20, TxtFator})
        campo->SetText(L"");
}

void FrmMain::sLimpaCamposNumericos()
{
    for (NumberField* campo : {TxtGrau, TxtTempEnsaio, TxtTempEstoc, TxtMassa, TxtMassa20, TxtGrau20, TxtFator})
        campo->SetText(L"");
}
