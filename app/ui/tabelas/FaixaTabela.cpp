// Ranges of table rows and columns in whole field units.
#include "FaixaTabela.h"

#include <cmath>

FaixaTabela::FaixaTabela(double inicio, double fim, double passo, int escala)
    : m_inicio(std::llround(inicio * escala)),
      m_fim(std::llround(fim * escala)),
      m_passo(std::llround(passo * escala)),
      m_escala(escala)
{
}

long FaixaTabela::Contagem() const
{
    if (m_fim < m_inicio)
        return 0;
    if (m_passo <= 0)
        return 1;
    return static_cast<long>((m_fim - m_inicio) / m_passo + 1);
}

double FaixaTabela::Valor(long k) const
{
    return static_cast<double>(m_inicio + k * m_passo) / m_escala;
}
