// The row counter of a printed page, run over one group of columns at a time.
#include "PaginacaoTabela.h"

PaginacaoTabela::PaginacaoTabela(long primeiraPagina, long paginaSeguinte)
    : m_capacidade(primeiraPagina), m_seguinte(paginaSeguinte)
{
}

std::vector<PaginaTabela> PaginacaoTabela::Paginas(long linhas)
{
    std::vector<PaginaTabela> paginas;
    long contador = 0;
    long inicio = 0;
    for (long r = 0; r < linhas; ++r) {
        if (contador == 0)
            inicio = r;
        ++contador;
        if (contador == m_capacidade) {
            paginas.push_back({inicio, r});
            contador = 0;
            m_capacidade = m_seguinte;
        }
    }
    // The group ends on a page that is not full.
    if (contador > 0)
        paginas.push_back({inicio, linhas - 1});
    return paginas;
}
