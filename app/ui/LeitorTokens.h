// LeitorTokens: reads the token layout of the application's files. A token
// is the bytes up to the next NUL or line end (CR LF, a lone LF or a lone
// CR), which it consumes; the last token of a file may end at its end.
#pragma once

#include <string_view>

class LeitorTokens {
public:
    enum class Fim { Nul, Linha, Arquivo };
    struct Token {
        std::string_view texto;
        Fim fim;
    };

    explicit LeitorTokens(std::string_view bytes) : bytes_(bytes) {}

    bool NoFim() const { return posicao_ >= bytes_.size(); }
    Token Proximo();

private:
    std::string_view bytes_;  // not owned: the caller's buffer outlives the reader
    size_t posicao_ = 0;
};
