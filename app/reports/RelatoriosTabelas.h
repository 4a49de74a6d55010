// The program's table previews: one Tabela 1 and one Tabela 2 report, made
// on first use and kept, so that their previews stay open after the
// generation that filled them has ended; a later generation reuses them.
#pragma once

#include <memory>

#include "RptTabela1.h"
#include "RptTabela2.h"

namespace ostrelvia::reports {

class RelatoriosTabelas {
public:
    RelatoriosTabelas() = default;
    RelatoriosTabelas(const RelatoriosTabelas&) = delete;
    RelatoriosTabelas& operator=(const RelatoriosTabelas&) = delete;

    // The program's own, kept until it ends.
    static RelatoriosTabelas& Programa();

    RptTabela1& Tabela1();
    RptTabela2& Tabela2();
    // Unloads both reports (their previews close); the next use makes new ones.
    void Descarregar();

private:
    std::unique_ptr<RptTabela1> tabela1_;
    std::unique_ptr<RptTabela2> tabela2_;
};

} // namespace ostrelvia::reports
