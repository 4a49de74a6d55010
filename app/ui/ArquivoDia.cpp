// Writing and reading the day file's token layout.
#include "ArquivoDia.h"

#include <optional>

#include "LeitorTokens.h"
#include "NumeroArquivo.h"
#include "TextoAnsi.h"

namespace {

// One record from the reader's position, or nullopt when it is not whole.
std::optional<RegistroAnalise> fLeRegistro(LeitorTokens::Token primeiro, LeitorTokens& leitor)
{
    if (primeiro.fim != LeitorTokens::Fim::Nul)
        return std::nullopt;
    RegistroAnalise registro;
    if (!primeiro.texto.empty())
        registro.amostra = fTextoDoAnsi(primeiro.texto);
    for (auto& valor : registro.valores) {
        const LeitorTokens::Token token = leitor.Proximo();
        if (token.fim != LeitorTokens::Fim::Nul)
            return std::nullopt;
        if (token.texto.empty())
            continue;
        valor = fNumeroDoTexto(token.texto);
        if (!valor)
            return std::nullopt;
    }
    const LeitorTokens::Token resto = leitor.Proximo();
    if (resto.fim != LeitorTokens::Fim::Linha || !resto.texto.empty())
        return std::nullopt;
    return registro;
}

} // namespace

std::string fConteudoArquivoDia(const std::vector<RegistroAnalise>& registros)
{
    std::string bytes;
    for (const RegistroAnalise& registro : registros) {
        if (registro.amostra)
            bytes += fAnsiDoTexto(*registro.amostra);
        bytes += '\0';
        for (const auto& valor : registro.valores) {
            if (valor)
                bytes += fTextoNumeroArquivo(*valor);
            bytes += '\0';
        }
        bytes += "\r\n";
    }
    if (!registros.empty()) {
        bytes += kLinhaFim;
        bytes += "\r\n";
    }
    return bytes;
}

LeituraArquivoDia fLeConteudoArquivoDia(std::string_view bytes)
{
    LeituraArquivoDia leitura;
    if (bytes.empty())
        return leitura;
    LeitorTokens leitor(bytes);
    while (!leitor.NoFim()) {
        const LeitorTokens::Token token = leitor.Proximo();
        if (token.fim != LeitorTokens::Fim::Nul && token.texto == kLinhaFim)
            return leitura;
        std::optional<RegistroAnalise> registro = fLeRegistro(token, leitor);
        if (!registro)
            break;
        leitura.registros.push_back(std::move(*registro));
    }
    leitura.completa = false;
    return leitura;
}
