// PaginacaoTabela: how the rows of a table fall on printed pages. A page holds
// the first-page capacity until the first page is full, then the capacity of
// a following page; the capacity carries on from one group of columns to the
// next (only the row count starts again), so every page after the first full
// one, in any group, takes the following-page capacity. A capacity of 0 never
// closes a page: the workbook keeps each group of columns on one page.
#pragma once

#include <vector>

struct PaginaTabela
{
    long primeira;   // index of its first row within the group of columns
    long ultima;     // index of its last row
};

class PaginacaoTabela
{
public:
    PaginacaoTabela(long primeiraPagina, long paginaSeguinte);

    // The pages of the next group of columns, of `linhas` rows.
    std::vector<PaginaTabela> Paginas(long linhas);

private:
    long m_capacidade;
    long m_seguinte;
};
