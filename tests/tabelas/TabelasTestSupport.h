// Helpers of the table generation tests: reading generated records back, a
// hand-off that keeps what it was given, and the ranges of a run.
#pragma once

#include "CamposTabelas.h"
#include "EntregaTabelas.h"
#include "Repasse.h"
#include "Recordset.h"

#include <doctest/doctest.h>

#include <oleauto.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tabelastest {

inline CamposTabelas Faixas(double massaIni, double massaFim, double massaInc, double tempIni, double tempFim,
                            double tempInc)
{
    return {massaIni, massaFim, massaInc, tempIni, tempFim, tempInc};
}

// The value of a field of the current record: a double, or nothing for Null.
inline std::optional<double> Valor(const hv::recordset::Recordset& rs, const std::wstring& campo)
{
    VARIANT v;
    REQUIRE(rs.GetValue(campo, &v) == S_OK);
    std::optional<double> r;
    if (v.vt == VT_R8)
        r = v.dblVal;
    else
        REQUIRE(v.vt == VT_NULL);
    VariantClear(&v);
    return r;
}

inline std::wstring Texto(const hv::recordset::Recordset& rs, const std::wstring& campo)
{
    VARIANT v;
    REQUIRE(rs.GetValue(campo, &v) == S_OK);
    std::wstring r = v.vt == VT_BSTR ? std::wstring(v.bstrVal) : std::wstring();
    VariantClear(&v);
    return r;
}

// Makes record k (from 0) the current one.
inline void Ir(hv::recordset::Recordset& rs, long k)
{
    REQUIRE(rs.MoveFirst() == S_OK);
    for (long i = 0; i < k; ++i)
        REQUIRE(rs.MoveNext() == S_OK);
    REQUIRE_FALSE(rs.IsEOF());
}

// An output that keeps the tables it is given, with the capacities a test sets.
class EntregaTeste : public EntregaTabelas
{
public:
    CapacidadePaginas capacidade1{};
    CapacidadePaginas capacidade2{};
    int capacidadesPedidas = 0;
    std::shared_ptr<hv::recordset::Recordset> tabela1;
    std::shared_ptr<hv::recordset::Recordset> tabela2;
    int entregas = 0;
    std::function<bool()> aoEntregar;   // runs in Entregar; its answer is returned

    CapacidadePaginas Capacidade(int tabela) override
    {
        ++capacidadesPedidas;
        return tabela == 1 ? capacidade1 : capacidade2;
    }
    bool Entregar(std::shared_ptr<hv::recordset::Recordset> t1, std::shared_ptr<hv::recordset::Recordset> t2) override
    {
        ++entregas;
        tabela1 = std::move(t1);
        tabela2 = std::move(t2);
        return aoEntregar ? aoEntregar() : true;
    }
};

} // namespace tabelastest
