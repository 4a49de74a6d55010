// A form with the controls of the tab "Geração de tabelas", placed as the
// application places them, for the tests of the tab's units.
#pragma once

#include "CommandButton.h"
#include "ControlesTabelas.h"
#include "Form.h"
#include "Label.h"
#include "NumberField.h"
#include "TextBox.h"

namespace tabelastest {

class FormTabelas : public hv::forms::Form
{
public:
    hv::forms::NumberField* TxtMassaIni = nullptr;
    hv::forms::NumberField* TxtMassaFim = nullptr;
    hv::forms::NumberField* TxtMassaInc = nullptr;
    hv::forms::NumberField* TxtTempIni = nullptr;
    hv::forms::NumberField* TxtTempFim = nullptr;
    hv::forms::NumberField* TxtTempInc = nullptr;
    hv::forms::CommandButton* CmdGerarTabMassa = nullptr;
    hv::forms::CommandButton* CmdImprTabMassa = nullptr;
    hv::forms::CommandButton* CmdCancTabMassa = nullptr;
    hv::forms::Label* LblBarra = nullptr;
    hv::forms::Label* LblPronto = nullptr;
    hv::forms::Label* lblPerc = nullptr;
    hv::forms::TextBox* TxtEmpresaAbv = nullptr;

    ControlesTabelas Controles()
    {
        return {*this,          *TxtMassaIni,      *TxtMassaFim,     *TxtMassaInc,     *TxtTempIni,
                *TxtTempFim,    *TxtTempInc,       *CmdGerarTabMassa, *CmdImprTabMassa, *CmdCancTabMassa,
                *LblBarra,      *LblPronto,        *lblPerc,         *TxtEmpresaAbv};
    }

    void Preencher(double massaIni, double massaFim, double massaInc, double tempIni, double tempFim,
                   double tempInc)
    {
        TxtMassaIni->SetValue(massaIni);
        TxtMassaFim->SetValue(massaFim);
        TxtMassaInc->SetValue(massaInc);
        TxtTempIni->SetValue(tempIni);
        TxtTempFim->SetValue(tempFim);
        TxtTempInc->SetValue(tempInc);
    }

protected:
    void CreateControls() override
    {
        using hv::forms::TwipsRect;
        auto numero = [this](int top, const wchar_t* formato) {
            return &Add<hv::forms::NumberField>(TwipsRect{2400, top, 1200, 315}, formato, -99999, 99999);
        };
        TxtMassaIni = numero(120, L"####0.00");
        TxtMassaFim = numero(480, L"####0.00");
        TxtMassaInc = numero(840, L"####0.00");
        TxtTempIni = numero(1200, L"####0.0");
        TxtTempFim = numero(1560, L"####0.0");
        TxtTempInc = numero(1920, L"####0.0");
        CmdGerarTabMassa = &Add<hv::forms::CommandButton>(TwipsRect{4200, 120, 2715, 495}, L"Gerar tabela no MS-Excel®");
        CmdImprTabMassa = &Add<hv::forms::CommandButton>(TwipsRect{4200, 720, 2715, 495}, L"Gerar tabela");
        CmdCancTabMassa = &Add<hv::forms::CommandButton>(TwipsRect{4200, 1320, 2715, 495}, L"Cancelar");
        CmdCancTabMassa->SetVisible(false);
        LblBarra = &Add<hv::forms::Label>(TwipsRect{120, 2640, 13470, 360});
        LblPronto = &Add<hv::forms::Label>(TwipsRect{155, 2670, 0, 300});
        lblPerc = &Add<hv::forms::Label>(TwipsRect{5000, 2700, 3600, 255}, L"0 %");
        LblBarra->SetVisible(false);
        LblPronto->SetVisible(false);
        lblPerc->SetVisible(false);
        TxtEmpresaAbv = &Add<hv::forms::TextBox>(TwipsRect{120, 3300, 3000, 315});
    }
};

} // namespace tabelastest
