// The interval between two pauses of a long run.
#include "CadenciaPausas.h"

#include <windows.h>

bool CadenciaPausas::Vencida()
{
    const unsigned long long agora = GetTickCount64();
    if (agora - m_ultima < m_intervalo)
        return false;
    m_ultima = agora;
    return true;
}

void CadenciaPausas::Reiniciar()
{
    m_ultima = GetTickCount64();
}
