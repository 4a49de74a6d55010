// Ostrelvia's process: OLE for the grid control, the start-up routine, and
// the message loop the program lives in until it ends.
#include <windows.h>
#include <ole2.h>

#include "MdlMain.h"
#include "MessageYield.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    MdlMain::Main();
    const int codigo = hv::forms::RunMessageLoop();
    MdlMain::Encerra();
    OleUninitialize();
    return codigo;
}
