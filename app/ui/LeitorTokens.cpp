#include "LeitorTokens.h"

LeitorTokens::Token LeitorTokens::Proximo()
{
    const size_t inicio = posicao_;
    while (posicao_ < bytes_.size()) {
        const char c = bytes_[posicao_];
        if (c == '\0') {
            ++posicao_;
            return {bytes_.substr(inicio, posicao_ - 1 - inicio), Fim::Nul};
        }
        if (c == '\r' || c == '\n') {
            const std::string_view texto = bytes_.substr(inicio, posicao_ - inicio);
            ++posicao_;
            if (c == '\r' && posicao_ < bytes_.size() && bytes_[posicao_] == '\n')
                ++posicao_;
            return {texto, Fim::Linha};
        }
        ++posicao_;
    }
    return {bytes_.substr(inicio), Fim::Arquivo};
}
