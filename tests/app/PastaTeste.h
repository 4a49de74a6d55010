// A fresh folder for one test, made the program's all-users folder
// (OSTRELVIA_PASTA) while the test runs, and removed with what it holds.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

class PastaTeste {
public:
    PastaTeste()
    {
        wchar_t temporaria[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temporaria);
        wchar_t nome[64];
        static unsigned contador = 0;
        wsprintfW(nome, L"ostrelvia-%lu-%u", GetCurrentProcessId(), ++contador);
        caminho_ = std::wstring(temporaria) + nome;
        CreateDirectoryW(caminho_.c_str(), nullptr);
        SetEnvironmentVariableW(L"OSTRELVIA_PASTA", caminho_.c_str());
    }
    ~PastaTeste()
    {
        SetEnvironmentVariableW(L"OSTRELVIA_PASTA", nullptr);
        Remove(caminho_);
    }
    PastaTeste(const PastaTeste&) = delete;
    PastaTeste& operator=(const PastaTeste&) = delete;

    const std::wstring& Caminho() const { return caminho_; }
    // The program's data folder inside it.
    std::wstring Dados() const { return caminho_ + L"\\Ostrelvia"; }

    // Names of the files directly in the folder (or in a sub-folder).
    std::vector<std::wstring> Arquivos(const std::wstring& sub = {}) const
    {
        std::vector<std::wstring> nomes;
        WIN32_FIND_DATAW dados;
        const std::wstring padrao = caminho_ + (sub.empty() ? L"" : L"\\" + sub) + L"\\*";
        HANDLE busca = FindFirstFileW(padrao.c_str(), &dados);
        if (busca == INVALID_HANDLE_VALUE)
            return nomes;
        do {
            if (!(dados.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                nomes.push_back(dados.cFileName);
        } while (FindNextFileW(busca, &dados));
        FindClose(busca);
        return nomes;
    }

private:
    static void Remove(const std::wstring& pasta)
    {
        WIN32_FIND_DATAW dados;
        HANDLE busca = FindFirstFileW((pasta + L"\\*").c_str(), &dados);
        if (busca != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring nome = dados.cFileName;
                if (nome == L"." || nome == L"..")
                    continue;
                const std::wstring caminho = pasta + L"\\" + nome;
                SetFileAttributesW(caminho.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (dados.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(caminho);
                else
                    DeleteFileW(caminho.c_str());
            } while (FindNextFileW(busca, &dados));
            FindClose(busca);
        }
        RemoveDirectoryW(pasta.c_str());
    }

    std::wstring caminho_;
};
