// EventosDesligados: turns every event of a grid off for a scope and back on
// at its end, on every way out (return or error).
#pragma once

#include "ObjetoAutomacao.h"

class EventosDesligados {
public:
    // Throws when the grid refuses; the events are then as they were.
    explicit EventosDesligados(const ObjetoAutomacao& grid);
    ~EventosDesligados();
    EventosDesligados(const EventosDesligados&) = delete;
    EventosDesligados& operator=(const EventosDesligados&) = delete;

    // The grid's value of "all grid events".
    static constexpr long kTodosOsEventos = 2147483647;

private:
    ObjetoAutomacao grid_;
};
