// The poll of the cancel mark.
#include "PedidoCancelamento.h"

#include "Control.h"
#include "MsgBox.h"

bool CancelamentoConfirmado(hv::forms::Control& CmdCancTabMassa)
{
    if (CmdCancTabMassa.Tag() != kMarcaCancelamento)
        return false;
    using namespace hv::forms;
    const int resposta = MsgBox(L"Deseja Realmente Cancelar a Geração das Tabelas ?",
                                MsgYesNo + MsgQuestion + MsgDefaultButton2);
    if (resposta == MsgYes)
        return true;
    CmdCancTabMassa.SetTag(L"");
    return false;
}
