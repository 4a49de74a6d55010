// A container we did not write: the system's ATL host window creates the
// registered grid by class identifier (offering no ambient properties); the
// list is set up on it late-bound, as the main form does, and the grid shows
// a density through the data filter in the user's locale.
#include "AtlLibrary.h"

#include <doctest/doctest.h>

#include <windows.h>

#include "ClsFormataGrid.h"
#include "ContainerWindow.h"
#include "FrmMainFixture.h"
#include "ListaAnalises.h"

using Microsoft::WRL::ComPtr;

namespace {

std::wstring fTextoDoClsid()
{
    wchar_t texto[64] = L"";
    StringFromGUID2(CLSID_HvTavelle, texto, 64);
    return texto;
}

} // namespace

TEST_CASE("Wine's ATL host holds the registered grid; set up like the main form's, it shows 812,50")
{
    RegistraGrade();
    AtlLibrary atl;
    REQUIRE(atl.module);
    auto init = atl.Entry<AtlAxWinInitFunction>("AtlAxWinInit");
    auto getControl = atl.Entry<AtlAxGetControlFunction>("AtlAxGetControl");
    REQUIRE(static_cast<bool>(init));
    REQUIRE(static_cast<bool>(getControl));
    REQUIRE(init());

    hv::container::ContainerWindow window(700, 300);
    HWND host = CreateWindowExW(0, L"AtlAxWin", fTextoDoClsid().c_str(), WS_CHILD | WS_VISIBLE, 10, 10, 660, 260,
                                window.Hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    REQUIRE(host);
    ComPtr<IUnknown> controle;
    REQUIRE(getControl(host, controle.GetAddressOf()) == S_OK);
    const ObjetoAutomacao grid = ObjetoAutomacao::De(controle.Get());
    REQUIRE_FALSE(grid.Vazio());

    auto lista = fCriaListaAnalises();
    ComPtr<ClsFormataGrid> filtro;
    filtro.Attach(ClsFormataGrid::Cria());
    sConfiguraGrade(grid, *lista, filtro.Get());
    REQUIRE(lista->AddNew() == S_OK);
    REQUIRE(lista->SetValue(L"AMOSTRA", OwnedVariant::Text(L"A1")) == S_OK);
    REQUIRE(lista->SetValue(L"ME", OwnedVariant::Number(812.5)) == S_OK);
    REQUIRE(lista->SetValue(L"FATOR", OwnedVariant::Number(0.99674)) == S_OK);
    REQUIRE(lista->Update() == S_OK);

    const ObjetoAutomacao linha = ObjetoAutomacao::De(grid.Chama(L"GetRow", {fVarLong(0)}).Get());
    REQUIRE_FALSE(linha.Vazio());
    const auto valor = [&](const wchar_t* campo) {
        const OwnedVariant v =
            linha.Objeto(L"Cells").Objeto(L"Item", {OwnedVariant::Text(campo)}).Propriedade(L"Value");
        return v.Type() == VT_BSTR ? std::wstring(v.Get().bstrVal) : std::wstring(L"<not text>");
    };
    CHECK(valor(L"ME") == L"812,50");
    CHECK(valor(L"FATOR") == L"0,9967");
    CHECK(valor(L"AMOSTRA") == L"A1");
    const ObjetoAutomacao cabecalho = grid.Objeto(L"Bands")
                                          .Objeto(L"Item", {fVarLong(0)})
                                          .Objeto(L"Columns")
                                          .Objeto(L"Item", {OwnedVariant::Text(L"ME")})
                                          .Objeto(L"Header");
    const OwnedVariant titulo = cabecalho.Propriedade(L"Caption");
    REQUIRE(titulo.Type() == VT_BSTR);
    CHECK(std::wstring(titulo.Get().bstrVal) == L"Massa\r\nespecífica lida\r\n(kg/m³)");
    DestroyWindow(host);
}
