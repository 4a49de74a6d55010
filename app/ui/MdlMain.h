// MdlMain: the program's entry routine and the folder every data file of the
// program lives in.
#pragma once

#include <string>

class FrmMain;

namespace MdlMain {

// Creates the main form when it does not exist yet and shows it, modeless.
void Main();
// The main form of the program, once Main made it (else nullptr).
FrmMain* FrmMainAtual();
// Lets the main form go (the program's message loop has ended).
void Encerra();

// The all-users folder, ending in "\": the all-users profile folder, else
// the common application-data folder, else the program's own folder (never
// the root of a drive). The environment variable OSTRELVIA_PASTA, when set,
// takes the place of all of them.
std::wstring fPastaTodosUsuarios();
// The data folder: the all-users folder followed by "Ostrelvia".
std::wstring fPastaDados();

} // namespace MdlMain
