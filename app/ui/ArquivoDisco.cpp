// Whole-file reads and replacing writes over the platform's file functions.
#include "ArquivoDisco.h"

#include <windows.h>

#include <algorithm>

namespace {

// Owns a file handle.
class Arquivo {
public:
    explicit Arquivo(HANDLE handle) : handle_(handle) {}
    ~Arquivo() { Fecha(); }
    Arquivo(const Arquivo&) = delete;
    Arquivo& operator=(const Arquivo&) = delete;

    bool Valido() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Fecha()
    {
        if (!Valido())
            return true;
        const bool fechado = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return fechado;
    }

private:
    HANDLE handle_;
};

std::wstring fPastaDe(const std::wstring& caminho)
{
    const auto barra = caminho.find_last_of(L"\\/");
    return barra == std::wstring::npos ? std::wstring(L".") : caminho.substr(0, barra);
}

bool fEscreveTudo(HANDLE arquivo, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD parte = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
        DWORD escritos = 0;
        if (!WriteFile(arquivo, bytes.data(), parte, &escritos, nullptr) || escritos == 0)
            return false;
        bytes.remove_prefix(escritos);
    }
    return FlushFileBuffers(arquivo) != 0;
}

} // namespace

bool fExisteArquivo(const std::wstring& caminho)
{
    const DWORD atributos = GetFileAttributesW(caminho.c_str());
    return atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool fExistePasta(const std::wstring& caminho)
{
    const DWORD atributos = GetFileAttributesW(caminho.c_str());
    return atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool fCriaPasta(const std::wstring& caminho)
{
    CreateDirectoryW(caminho.c_str(), nullptr);
    return fExistePasta(caminho);
}

bool fGravaArquivo(const std::wstring& caminho, std::string_view bytes)
{
    // A read-only file stays as it is, as it would if written in place.
    const DWORD atributos = GetFileAttributesW(caminho.c_str());
    if (atributos != INVALID_FILE_ATTRIBUTES && (atributos & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    wchar_t temporario[MAX_PATH + 1] = L"";
    if (!GetTempFileNameW(fPastaDe(caminho).c_str(), L"ost", 0, temporario))
        return false;
    Arquivo arquivo(CreateFileW(temporario, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    bool gravado = arquivo.Valido() && fEscreveTudo(arquivo.Get(), bytes);
    gravado = arquivo.Fecha() && gravado;
    if (gravado)
        gravado = MoveFileExW(temporario, caminho.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!gravado)
        DeleteFileW(temporario);
    return gravado;
}

std::optional<std::string> fLeArquivo(const std::wstring& caminho)
{
    Arquivo arquivo(CreateFileW(caminho.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!arquivo.Valido())
        return std::nullopt;
    LARGE_INTEGER tamanho{};
    if (!GetFileSizeEx(arquivo.Get(), &tamanho) || tamanho.QuadPart > (1LL << 30))
        return std::nullopt;
    std::string bytes(static_cast<size_t>(tamanho.QuadPart), '\0');
    size_t lidos = 0;
    while (lidos < bytes.size()) {
        DWORD parte = 0;
        const DWORD pedido = static_cast<DWORD>(std::min<size_t>(bytes.size() - lidos, 1u << 20));
        if (!ReadFile(arquivo.Get(), bytes.data() + lidos, pedido, &parte, nullptr))
            return std::nullopt;
        if (parte == 0)
            break;  // the file shrank while read: what was read is all there is
        lidos += parte;
    }
    bytes.resize(lidos);
    return bytes;
}
