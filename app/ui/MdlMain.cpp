// Start-up and the all-users folder.
#include "MdlMain.h"

#include <windows.h>
#include <shlobj.h>
#include <userenv.h>

#include <memory>

#include "FrmMain.h"
#include "TextoAnsi.h"

namespace MdlMain {

namespace {

std::unique_ptr<FrmMain>& Instancia()
{
    static std::unique_ptr<FrmMain> frmMain;
    return frmMain;
}

std::wstring fComBarra(std::wstring pasta)
{
    if (!pasta.empty() && pasta.back() != L'\\')
        pasta += L'\\';
    return pasta;
}

std::wstring fVariavelAmbiente(const wchar_t* nome)
{
    wchar_t valor[MAX_PATH + 1] = L"";
    const DWORD tamanho = GetEnvironmentVariableW(nome, valor, MAX_PATH + 1);
    return tamanho > 0 && tamanho <= MAX_PATH ? std::wstring(valor, tamanho) : std::wstring();
}

std::wstring fPerfilTodosUsuarios()
{
    // The call may fail and leave the buffer untouched (it always does under
    // some platforms): only a filled buffer counts.
    char buffer[256] = {};
    DWORD tamanho = 255;
    GetAllUsersProfileDirectoryA(buffer, &tamanho);
    return fTextoDoAnsi(buffer);
}

std::wstring fDadosComuns()
{
    wchar_t pasta[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, pasta)))
        return {};
    return pasta;
}

std::wstring fPastaDoPrograma()
{
    wchar_t caminho[MAX_PATH] = L"";
    const DWORD tamanho = GetModuleFileNameW(nullptr, caminho, MAX_PATH);
    std::wstring texto(caminho, tamanho);
    const auto barra = texto.find_last_of(L'\\');
    return barra == std::wstring::npos ? std::wstring() : texto.substr(0, barra);
}

} // namespace

void Main()
{
    if (!Instancia())
        Instancia() = std::make_unique<FrmMain>();
    Instancia()->Show(hv::forms::ShowMode::Modeless);
}

FrmMain* FrmMainAtual()
{
    return Instancia().get();
}

void Encerra()
{
    Instancia().reset();
}

std::wstring fPastaTodosUsuarios()
{
    for (const std::wstring& pasta :
         {fVariavelAmbiente(L"OSTRELVIA_PASTA"), fPerfilTodosUsuarios(), fDadosComuns(), fPastaDoPrograma()})
        if (!pasta.empty())
            return fComBarra(pasta);
    return {};
}

std::wstring fPastaDados()
{
    return fPastaTodosUsuarios() + L"Ostrelvia";
}

} // namespace MdlMain
