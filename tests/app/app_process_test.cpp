// Ostrelvia as a process: started with its data folder given by the
// environment, closed by its close box, and ended by the answer Yes.
#include <doctest/doctest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ArquivoDisco.h"
#include "FrameworkTestSupport.h"
#include "FrmMainFixture.h"

namespace {

struct JanelaProcura {
    DWORD processo;
    const wchar_t* titulo;
    HWND achada;
};

BOOL CALLBACK fProcuraJanela(HWND janela, LPARAM parametro)
{
    auto* procura = reinterpret_cast<JanelaProcura*>(parametro);
    DWORD dono = 0;
    GetWindowThreadProcessId(janela, &dono);
    wchar_t titulo[128] = L"";
    GetWindowTextW(janela, titulo, 128);
    if (dono == procura->processo && IsWindowVisible(janela) && std::wstring(titulo) == procura->titulo) {
        procura->achada = janela;
        return FALSE;
    }
    return TRUE;
}

HWND fJanelaDoProcesso(DWORD processo, const wchar_t* titulo)
{
    JanelaProcura procura{processo, titulo, nullptr};
    EnumWindows(fProcuraJanela, reinterpret_cast<LPARAM>(&procura));
    return procura.achada;
}

BOOL CALLBACK fJuntaTextos(HWND janela, LPARAM parametro)
{
    wchar_t classe[32] = L"";
    GetClassNameW(janela, classe, 32);
    if (lstrcmpiW(classe, L"Static") == 0) {
        wchar_t texto[512] = L"";
        GetWindowTextW(janela, texto, 512);
        *reinterpret_cast<std::wstring*>(parametro) += texto;
    }
    return TRUE;
}

std::wstring fTextoDaCaixa(HWND caixa)
{
    std::wstring texto;
    EnumChildWindows(caixa, fJuntaTextos, reinterpret_cast<LPARAM>(&texto));
    return texto;
}

// Waits for a message box of the process; answers any box that is not the
// expected one with OK and keeps its text.
HWND fEsperaCaixa(DWORD processo, const std::wstring& esperada, std::vector<std::wstring>& outras)
{
    for (int tentativa = 0; tentativa < 400; ++tentativa) {
        if (HWND caixa = fJanelaDoProcesso(processo, L"Atenção")) {
            const std::wstring texto = fTextoDaCaixa(caixa);
            if (texto.find(esperada) != std::wstring::npos)
                return caixa;
            outras.push_back(texto);
            PostMessageW(caixa, WM_COMMAND, IDOK, 0);
        }
        Sleep(50);
    }
    return nullptr;
}

HWND fEsperaJanela(DWORD processo, const wchar_t* titulo, std::vector<std::wstring>& caixas)
{
    for (int tentativa = 0; tentativa < 400; ++tentativa) {
        if (HWND janela = fJanelaDoProcesso(processo, titulo))
            return janela;
        if (HWND caixa = fJanelaDoProcesso(processo, L"Atenção")) {
            caixas.push_back(fTextoDaCaixa(caixa));
            PostMessageW(caixa, WM_COMMAND, IDOK, 0);
        }
        Sleep(50);
    }
    return nullptr;
}

} // namespace

TEST_CASE("exit: the close box asks, and Yes ends the program's process at once")
{
    RegistraGrade();
    PastaTeste pasta;  // inherited by the program through its environment
    std::wstring comando = L"\"" + WindowsPathOf(HV_OSTRELVIA_EXE) + L"\"";
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    PROCESS_INFORMATION processo{};
    REQUIRE(CreateProcessW(nullptr, comando.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio,
                           &processo));
    std::vector<std::wstring> outras;
    HWND janela = fEsperaJanela(processo.dwProcessId, L"Ostrelvia", outras);
    CHECK(janela != nullptr);
    if (janela) {
        CHECK(fExistePasta(pasta.Dados()));
        PostMessageW(janela, WM_CLOSE, 0, 0);
        HWND pergunta = fEsperaCaixa(processo.dwProcessId, L"Deseja encerrar o sistema ?", outras);
        CHECK(pergunta != nullptr);
        if (pergunta)
            PostMessageW(pergunta, WM_COMMAND, IDYES, 0);
    }
    const bool terminou = WaitForSingleObject(processo.hProcess, 20000) == WAIT_OBJECT_0;
    CHECK(terminou);
    if (!terminou)
        TerminateProcess(processo.hProcess, 1);
    DWORD codigo = 1;
    GetExitCodeProcess(processo.hProcess, &codigo);
    CHECK(codigo == 0);
    for (const std::wstring& texto : outras)
        MESSAGE("other message box: " << formstest::Narrow(texto));
    CloseHandle(processo.hThread);
    CloseHandle(processo.hProcess);
}
