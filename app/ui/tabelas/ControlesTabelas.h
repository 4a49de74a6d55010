// ControlesTabelas: the controls of the tab "Geração de tabelas" that table
// generation reads and drives. None is owned: the form keeps them all.
#pragma once

namespace hv::forms {
class CommandButton;
class Control;
class Form;
class Label;
class NumberField;
}

struct ControlesTabelas
{
    hv::forms::Form& form;
    hv::forms::NumberField& TxtMassaIni;
    hv::forms::NumberField& TxtMassaFim;
    hv::forms::NumberField& TxtMassaInc;
    hv::forms::NumberField& TxtTempIni;
    hv::forms::NumberField& TxtTempFim;
    hv::forms::NumberField& TxtTempInc;
    hv::forms::CommandButton& CmdGerarTabMassa;
    hv::forms::CommandButton& CmdImprTabMassa;
    hv::forms::CommandButton& CmdCancTabMassa;   // its Tag "C": cancel asked
    hv::forms::Label& LblBarra;
    hv::forms::Label& LblPronto;
    hv::forms::Label& lblPerc;
    hv::forms::Control& TxtEmpresaAbv;           // the short company name, for the previews
};
