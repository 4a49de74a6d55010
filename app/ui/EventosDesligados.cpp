#include "EventosDesligados.h"

EventosDesligados::EventosDesligados(const ObjetoAutomacao& grid) : grid_(grid)
{
    grid_.Atribui(L"EventEnabled", fVarBool(false), {fVarLong(kTodosOsEventos)});
}

EventosDesligados::~EventosDesligados()
{
    try {
        grid_.Atribui(L"EventEnabled", fVarBool(true), {fVarLong(kTodosOsEventos)});
    } catch (...) {
        // A grid that refuses now refused nothing before: nothing more to do.
    }
}
