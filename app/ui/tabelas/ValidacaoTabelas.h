// ValidacaoTabelas: the checks of the six range fields before any table is
// generated: every message that applies, one per line, in one message box.
#pragma once

#include "CamposTabelas.h"

#include <string>

// The messages of every failed check, each followed by CR LF, in the checks'
// order; empty when the fields allow a generation.
std::wstring MensagensValidacao(const CamposTabelas& campos);

// True when the fields allow a generation; otherwise shows the messages in
// one box (critical icon, OK, "Atenção") and returns false.
bool fValidaDadosMassa(const CamposTabelas& campos);
