// The company file's contents: the organisation's full name and short name,
// each ended by a NUL, then CR LF, then the line "<<**END**>>".
#pragma once

#include <optional>
#include <string>
#include <string_view>

std::string fConteudoArquivoEmpresa(const std::wstring& nome, const std::wstring& nomeAbreviado);

struct LeituraEmpresa {
    // Each name that was read; a field whose token is missing keeps its text.
    std::optional<std::wstring> nome;
    std::optional<std::wstring> nomeAbreviado;
};

LeituraEmpresa fLeConteudoArquivoEmpresa(std::string_view bytes);
