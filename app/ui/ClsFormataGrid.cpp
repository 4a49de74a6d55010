// Display formats of the analysis list, through the platform's locale-aware
// format function.
#include "ClsFormataGrid.h"

#include <memory>
#include <new>

#include <wrl/client.h>

namespace {

// The format of each numeric field ("," and "." stand for the locale's
// group and decimal separators).
const wchar_t* fFormatoDoCampo(std::wstring_view campo)
{
    if (campo == L"TEMP_ENS" || campo == L"TEMP_EST" || campo == L"ME20" || campo == L"GRAU" || campo == L"GRAU20")
        return L"#,##0.0";
    if (campo == L"ME")
        return L"#,##0.00";
    if (campo == L"FATOR")
        return L"0.0000";
    return nullptr;
}

} // namespace

OwnedVariant fValorFormatado(std::wstring_view campo, const VARIANT& valor)
{
    OwnedVariant resultado;
    resultado.Assign(valor);
    const wchar_t* formato = fFormatoDoCampo(campo);
    if (!formato || valor.vt == VT_NULL || valor.vt == VT_EMPTY)
        return resultado;
    BSTR texto = nullptr;
    if (FAILED(VarFormat(const_cast<VARIANT*>(&resultado.Get()), const_cast<LPOLESTR>(formato), 0, 0, 0, &texto)))
        return resultado;  // a value that is no number is shown as it is
    const std::wstring_view vista(texto, SysStringLen(texto));
    resultado = OwnedVariant::Text(vista);
    SysFreeString(texto);
    return resultado;
}

ClsFormataGrid* ClsFormataGrid::Cria()
{
    return new (std::nothrow) ClsFormataGrid();
}

STDMETHODIMP ClsFormataGrid::QueryInterface(REFIID iid, void** saida)
{
    if (!saida)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IHvTVDataFilter) {
        *saida = static_cast<IHvTVDataFilter*>(this);
        AddRef();
        return S_OK;
    }
    *saida = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ClsFormataGrid::AddRef()
{
    return ++referencias_;
}

STDMETHODIMP_(ULONG) ClsFormataGrid::Release()
{
    const ULONG restantes = --referencias_;
    if (restantes == 0)
        delete this;
    return restantes;
}

STDMETHODIMP ClsFormataGrid::AfterGetValue(Constants_GetValueContext, IHvCell* Cell, VARIANT* Value)
{
    if (!Cell || !Value)
        return S_OK;
    try {
        Microsoft::WRL::ComPtr<IHvColumn> coluna;
        if (FAILED(Cell->get_Column(&coluna)) || !coluna)
            return S_OK;
        BSTR campo = nullptr;
        if (FAILED(coluna->get_DataField(&campo)))
            return S_OK;
        const std::unique_ptr<OLECHAR, decltype(&SysFreeString)> dono(campo, &SysFreeString);
        OwnedVariant formatado = fValorFormatado(std::wstring_view(campo, SysStringLen(campo)), *Value);
        VariantClear(Value);
        *Value = formatado.Detach();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP ClsFormataGrid::BeforeSetValue(IHvCell*, VARIANT*)
{
    return S_OK;
}
