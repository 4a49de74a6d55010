// Table recordsets for the report tests.
#include "TabelaFixture.h"

#include <algorithm>
#include <cmath>

#include <doctest/doctest.h>

namespace reportstest {

using hv::recordset::FieldType;
using hv::recordset::Recordset;

namespace {

void Set(Recordset& rs, const std::wstring& field, double value)
{
    VARIANT v;
    v.vt = VT_R8;
    v.dblVal = value;
    REQUIRE(rs.SetValue(field, v) == S_OK);
}

void SetText(Recordset& rs, const std::wstring& field, const wchar_t* text)
{
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    REQUIRE(rs.SetValue(field, v) == S_OK);
    VariantClear(&v);
}

std::wstring N(const wchar_t* name, size_t i)
{
    return name + std::to_wstring(i);
}

} // namespace

std::vector<double> Faixa(double first, double last, double step)
{
    std::vector<double> values;
    const long count = std::lround((last - first) / step) + 1;
    for (long k = 0; k < count; ++k)
        values.push_back(first + k * step);
    return values;
}

std::shared_ptr<Recordset> MontarTabela(int tabela, const Grade& grade, const std::vector<size_t>& nulos)
{
    auto rs = std::make_shared<Recordset>();
    const long nullable = hv::recordset::kFieldNullable;
    REQUIRE(rs->AppendField(L"MASSA_DE", FieldType::Double, 0, nullable) == S_OK);
    REQUIRE(rs->AppendField(L"MASSA_ATE", FieldType::Double, 0, nullable) == S_OK);
    REQUIRE(rs->AppendField(L"PULA_PAGINA", FieldType::WideString, 0, nullable) == S_OK);
    REQUIRE(rs->AppendField(tabela == 1 ? L"MASSA_ESP" : L"MASSA_20", FieldType::Double, 0, -1) == S_OK);
    for (size_t i = 1; i <= 13; ++i) {
        REQUIRE(rs->AppendField(N(L"TEMP", i), FieldType::Double, 0, nullable) == S_OK);
        if (tabela == 1) {
            REQUIRE(rs->AppendField(N(L"MASSA", i), FieldType::Double, 0, nullable) == S_OK);
            REQUIRE(rs->AppendField(N(L"TEOR", i), FieldType::Double, 0, nullable) == S_OK);
        } else {
            REQUIRE(rs->AppendField(N(L"FATOR", i), FieldType::Double, 0, nullable) == S_OK);
        }
    }
    REQUIRE(rs->Open() == S_OK);
    const size_t columns = grade.temperaturas.size();
    const size_t columnPages = (columns + 12) / 13;
    int capacity = grade.capacidadePrimeira;
    for (size_t p = 0; p < columnPages; ++p) {
        int onPage = 0;
        for (size_t r = 0; r < grade.massas.size(); ++r) {
            const double d = grade.massas[r];
            REQUIRE(rs->AddNew() == S_OK);
            if (onPage == 0)
                Set(*rs, L"MASSA_DE", d);
            // The page's last density: where the page fills, or the column page ends.
            const bool full = ++onPage == capacity;
            const bool last = r + 1 == grade.massas.size();
            SetText(*rs, L"PULA_PAGINA", L"S");
            Set(*rs, tabela == 1 ? L"MASSA_ESP" : L"MASSA_20", d);
            for (size_t c = p * 13; c < std::min(columns, p * 13 + 13); ++c) {
                const size_t i = c - p * 13 + 1;
                Set(*rs, N(L"TEMP", i), grade.temperaturas[c]);
                if (std::find(nulos.begin(), nulos.end(), c) != nulos.end())
                    continue;
                if (tabela == 1) {
                    Set(*rs, N(L"MASSA", i), d + grade.temperaturas[c] / 100);
                    Set(*rs, N(L"TEOR", i), 50 + grade.temperaturas[c]);
                } else {
                    Set(*rs, N(L"FATOR", i), 1 + grade.temperaturas[c] / 10000);
                }
            }
            REQUIRE(rs->Update() == S_OK);
            if (full || last) {
                // Back to the page's first record for its last density.
                size_t back = static_cast<size_t>(onPage - 1);
                REQUIRE(rs->MoveLast() == S_OK);
                while (back-- > 0)
                    REQUIRE(rs->MovePrevious() == S_OK);
                Set(*rs, L"MASSA_ATE", d);
                REQUIRE(rs->Update() == S_OK);
                REQUIRE(rs->MoveLast() == S_OK);
                onPage = 0;
                if (full)
                    capacity = grade.capacidadeSeguinte;
            }
        }
    }
    if (rs->RecordCount() > 0)
        REQUIRE(rs->MoveFirst() == S_OK);
    return rs;
}

std::shared_ptr<Recordset> MontarMedida(const std::wstring& campo)
{
    auto rs = std::make_shared<Recordset>();
    REQUIRE(rs->AppendField(L"TEMP1", FieldType::Double, 0, -1) == S_OK);
    REQUIRE(rs->AppendField(campo, FieldType::Double, 0, -1) == S_OK);
    REQUIRE(rs->Open() == S_OK);
    for (int i = 1; i <= 200; ++i) {
        REQUIRE(rs->AddNew() == S_OK);
        Set(*rs, L"TEMP1", 20);
        Set(*rs, campo, i);
        REQUIRE(rs->Update() == S_OK);
    }
    REQUIRE(rs->MoveFirst() == S_OK);
    return rs;
}

} // namespace reportstest
