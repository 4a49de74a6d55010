// Writing and reading the company file's two tokens.
#include "ArquivoEmpresa.h"

#include "ArquivoDia.h"
#include "LeitorTokens.h"
#include "TextoAnsi.h"

std::string fConteudoArquivoEmpresa(const std::wstring& nome, const std::wstring& nomeAbreviado)
{
    std::string bytes = fAnsiDoTexto(nome);
    bytes += '\0';
    bytes += fAnsiDoTexto(nomeAbreviado);
    bytes += '\0';
    bytes += "\r\n";
    bytes += kLinhaFim;
    bytes += "\r\n";
    return bytes;
}

LeituraEmpresa fLeConteudoArquivoEmpresa(std::string_view bytes)
{
    LeituraEmpresa leitura;
    LeitorTokens leitor(bytes);
    // A token that the file ends in without its terminator was not read whole.
    LeitorTokens::Token token = leitor.Proximo();
    if (token.fim == LeitorTokens::Fim::Arquivo)
        return leitura;
    leitura.nome = fTextoDoAnsi(token.texto);
    token = leitor.Proximo();
    if (token.fim == LeitorTokens::Fim::Arquivo)
        return leitura;
    leitura.nomeAbreviado = fTextoDoAnsi(token.texto);
    return leitura;
}
