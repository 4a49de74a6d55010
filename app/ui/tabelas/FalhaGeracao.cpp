// Descriptions of the component failures met while generating tables.
#include "FalhaGeracao.h"

#include "ComRef.h"

#include <oleauto.h>

#include <cwchar>
#include <memory>

namespace {

// The description a component left in the thread's error information, if
// any; the error information is taken (and so cleared) either way.
std::wstring DescricaoDoComponente()
{
    hv::recordset::ComRef<IErrorInfo> info;
    if (GetErrorInfo(0, info.Put()) != S_OK || !info)
        return {};
    BSTR texto = nullptr;
    if (FAILED(info->GetDescription(&texto)))
        return {};
    const std::unique_ptr<OLECHAR, decltype(&SysFreeString)> dono(texto, &SysFreeString);
    return texto ? std::wstring(texto, SysStringLen(texto)) : std::wstring();
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
