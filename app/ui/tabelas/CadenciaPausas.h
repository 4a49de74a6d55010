// CadenciaPausas: how often a long run shows its progress and yields to the
// message loop. Moving a label costs about a millisecond and a pass of the
// loop tens of microseconds, while a step of the run may cost a few: both are
// due at most once per interval.
#pragma once

class CadenciaPausas
{
public:
    static constexpr unsigned kIntervaloPadrao = 30;   // milliseconds

    void DefinirIntervalo(unsigned milissegundos) { m_intervalo = milissegundos; }
    // True (and the interval starts again) when the interval has passed.
    bool Vencida();
    // The interval starts again now.
    void Reiniciar();

private:
    unsigned m_intervalo = kIntervaloPadrao;
    unsigned long long m_ultima = 0;
};
