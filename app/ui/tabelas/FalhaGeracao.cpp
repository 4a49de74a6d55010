// Descriptions of the component failures met while generating tables.
#include "FalhaGeracao.h"

#include <oleauto.h>

#include <cwchar>

namespace {

// The description a component left in the thread's error information, if
// any; the error information is taken (and so cleared) either way.
std::wstring DescricaoDoComponente()
{
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info)
        return {};
    BSTR texto = nullptr;
    std::wstring descricao;
    if (SUCCEEDED(info->GetDescription(&texto)) && texto)
        descricao.assign(texto, SysStringLen(texto));
    SysFreeString(texto);
    info->Release();
    return descricao;
}

} // namespace

void FalhaGeracao::Verificar(HRESULT hr, const wchar_t* oQue)
{
    if (SUCCEEDED(hr))
        return;
    if (hr == E_OUTOFMEMORY)
        throw FalhaGeracao(L"memória insuficiente.");
    std::wstring descricao = DescricaoDoComponente();
    if (descricao.empty()) {
        wchar_t codigo[16];
        std::swprintf(codigo, 16, L"%08lX", static_cast<unsigned long>(hr));
        descricao = std::wstring(oQue) + L" falhou (erro " + codigo + L").";
    }
    throw FalhaGeracao(descricao);
}
