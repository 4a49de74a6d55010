// The analysis list's recordset and its grid's columns.
#include "ListaAnalises.h"

#include <wrl/client.h>

#include "RegistroAnalise.h"

namespace {

struct ColunaLista {
    const wchar_t* campo;
    const wchar_t* titulo;
    int largura;
};

// Heading lines (joined by CR LF) and widths in twips, in field order.
const ColunaLista kColunas[] = {
    {L"AMOSTRA", L"Amostra", 3800},
    {L"ME", L"Massa\r\nespecífica lida\r\n(kg/m³)", 1665},
    {L"TEMP_ENS", L"Temperatura\r\nensaio\r\n(°C)", 1500},
    {L"TEMP_EST", L"Temperatura\r\nestocagem\r\n(°C)", 1500},
    {L"ME20", L"Massa\r\nespecífica 20 °C\r\n(kg/m³)", 1750},
    {L"GRAU", L"Teor\r\nalcoólico\r\n(% m/m)", 1450},
    {L"GRAU20", L"Teor\r\nalcoólico 20 °C\r\n(%v/v)", 1450},
    {L"FATOR", L"Fator\r\ncorreção\r\nvolume 20 °C", 1260},
};

} // namespace

void fVerificaLista(HRESULT hr)
{
    if (FAILED(hr))
        throw ErroAutomacao(hr, L"A lista de análises recusou a operação.");
}

std::unique_ptr<hv::recordset::Recordset> fCriaListaAnalises()
{
    auto lista = std::make_unique<hv::recordset::Recordset>();
    for (size_t i = 0; i < kCamposAnalise.size(); ++i) {
        const auto tipo = i == 0 ? hv::recordset::FieldType::WideString : hv::recordset::FieldType::Double;
        fVerificaLista(lista->AppendField(kCamposAnalise[i], tipo, 0, hv::recordset::kFieldNullable));
    }
    fVerificaLista(lista->Open());
    return lista;
}

void sReligaGrade(const ObjetoAutomacao& grid, hv::recordset::Recordset& lista)
{
    Microsoft::WRL::ComPtr<IUnknown> fonte;
    fVerificaLista(lista.GetDataSource(fonte.GetAddressOf()));
    grid.AtribuiReferencia(L"DataSource", fonte.Get());
}

void sConfiguraGrade(const ObjetoAutomacao& grid, hv::recordset::Recordset& lista, IHvTVDataFilter* filtro)
{
    sReligaGrade(grid, lista);
    const ObjetoAutomacao banda = grid.Objeto(L"Bands").Objeto(L"Item", {fVarLong(0)});
    const ObjetoAutomacao colunas = banda.Objeto(L"Columns");
    for (const ColunaLista& coluna : kColunas) {
        const ObjetoAutomacao objeto = colunas.Objeto(L"Item", {OwnedVariant::Text(coluna.campo)});
        objeto.Objeto(L"Header").Atribui(L"Caption", OwnedVariant::Text(coluna.titulo));
        objeto.Atribui(L"Width", OwnedVariant::Number(coluna.largura));
    }
    grid.AtribuiReferencia(L"DataFilter", filtro);
    banda.Atribui(L"ColHeaderLines", fVarLong(3));
}
