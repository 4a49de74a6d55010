// PedidoCancelamento: the cancel request of a table generation, raised as the
// Tag "C" of the cancel button (by its click, or by closing the form while
// the workbook is written) and confirmed by the user at the next poll.
#pragma once

namespace hv::forms {
class Control;
}

inline constexpr const wchar_t* kMarcaCancelamento = L"C";

// When the mark is up, asks "Deseja Realmente Cancelar a Geração das Tabelas ?"
// (Yes/No, No by default): Yes answers true and leaves the mark up; No clears
// it and answers false. Without the mark, false and nothing asked.
bool CancelamentoConfirmado(hv::forms::Control& CmdCancTabMassa);
