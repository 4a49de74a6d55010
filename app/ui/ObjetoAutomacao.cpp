// Late binding through IDispatch: names to DISPIDs, arguments in reverse
// order, the named argument of property puts, and the error information of
// a failed call.
#include "ObjetoAutomacao.h"

#include <new>

namespace {

std::string fResumo(HRESULT hr)
{
    char texto[32];
    wsprintfA(texto, "automation error 0x%08lX", static_cast<unsigned long>(hr));
    return texto;
}

std::wstring fTextoDoSistema(HRESULT hr)
{
    wchar_t* texto = nullptr;
    const DWORD tamanho = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&texto), 0, nullptr);
    std::wstring resultado = tamanho && texto ? std::wstring(texto, tamanho) : std::wstring();
    if (texto)
        LocalFree(texto);
    while (!resultado.empty() && (resultado.back() == L'\n' || resultado.back() == L'\r' || resultado.back() == L' '))
        resultado.pop_back();
    if (resultado.empty()) {
        wchar_t codigo[32];
        wsprintfW(codigo, L"Erro de automação 0x%08lX", static_cast<unsigned long>(hr));
        resultado = codigo;
    }
    return resultado;
}

// Owns the strings of an EXCEPINFO.
struct Excecao {
    EXCEPINFO info{};
    ~Excecao()
    {
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
    }
};

[[noreturn]] void fLanca(HRESULT hr, Excecao& excecao)
{
    if (hr == DISP_E_EXCEPTION) {
        if (excecao.info.pfnDeferredFillIn)
            excecao.info.pfnDeferredFillIn(&excecao.info);
        const HRESULT codigo = excecao.info.scode ? excecao.info.scode : hr;
        if (excecao.info.bstrDescription && *excecao.info.bstrDescription)
            throw ErroAutomacao(codigo, excecao.info.bstrDescription);
        throw ErroAutomacao(codigo, fTextoDoSistema(codigo));
    }
    if (hr == E_OUTOFMEMORY)
        throw std::bad_alloc();
    throw ErroAutomacao(hr, fTextoDoSistema(hr));
}

} // namespace

ErroAutomacao::ErroAutomacao(HRESULT hr, std::wstring descricao)
    : std::runtime_error(fResumo(hr)), hr_(hr), descricao_(std::move(descricao))
{
}

OwnedVariant fVarLong(long valor)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = valor;
    OwnedVariant resultado;
    resultado.Assign(v);
    return resultado;
}

OwnedVariant fVarBool(bool valor)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = valor ? VARIANT_TRUE : VARIANT_FALSE;
    OwnedVariant resultado;
    resultado.Assign(v);
    return resultado;
}

OwnedVariant fVarObjeto(IUnknown* objeto)
{
    VARIANT v;
    VariantInit(&v);
    Microsoft::WRL::ComPtr<IDispatch> dispatch;
    if (objeto && SUCCEEDED(objeto->QueryInterface(IID_PPV_ARGS(&dispatch)))) {
        v.vt = VT_DISPATCH;
        v.pdispVal = dispatch.Get();
    } else {
        v.vt = VT_UNKNOWN;
        v.punkVal = objeto;
    }
    OwnedVariant resultado;
    resultado.Assign(v);  // takes its own reference
    return resultado;
}

ObjetoAutomacao ObjetoAutomacao::De(IUnknown* objeto)
{
    ObjetoAutomacao resultado;
    if (objeto)
        objeto->QueryInterface(IID_PPV_ARGS(&resultado.objeto_));
    return resultado;
}

ObjetoAutomacao ObjetoAutomacao::De(const VARIANT& valor)
{
    const VARIANT* v = &valor;
    if (v->vt == (VT_VARIANT | VT_BYREF) && v->pvarVal)
        v = v->pvarVal;
    if (v->vt == VT_DISPATCH)
        return De(v->pdispVal);
    if (v->vt == VT_UNKNOWN)
        return De(v->punkVal);
    return {};
}

DISPID ObjetoAutomacao::Dispid(const wchar_t* nome) const
{
    if (!objeto_)
        throw ErroAutomacao(E_POINTER, L"Objeto não definido ao acessar " + std::wstring(nome) + L".");
    DISPID dispid = DISPID_UNKNOWN;
    LPOLESTR nomes[] = {const_cast<LPOLESTR>(nome)};
    const HRESULT hr = objeto_->GetIDsOfNames(IID_NULL, nomes, 1, LOCALE_USER_DEFAULT, &dispid);
    if (FAILED(hr))
        throw ErroAutomacao(hr, L"O objeto não tem o membro " + std::wstring(nome) + L".");
    return dispid;
}

OwnedVariant ObjetoAutomacao::Invoca(const wchar_t* nome, WORD tipo, const Argumentos& argumentos,
                                     const OwnedVariant* valor) const
{
    const DISPID dispid = Dispid(nome);
    // Arguments go last to first; a property's new value goes first of all.
    std::vector<VARIANT> lista;
    if (valor)
        lista.push_back(valor->Get());
    for (auto it = argumentos.rbegin(); it != argumentos.rend(); ++it)
        lista.push_back(it->Get());
    DISPID nomeado = DISPID_PROPERTYPUT;
    DISPPARAMS parametros{lista.data(), valor ? &nomeado : nullptr, static_cast<UINT>(lista.size()),
                          valor ? 1u : 0u};
    OwnedVariant resultado;
    VARIANT retorno;
    VariantInit(&retorno);
    Excecao excecao;
    UINT argumentoErrado = 0;
    const HRESULT hr = objeto_->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, tipo, &parametros,
                                       valor ? nullptr : &retorno, &excecao.info, &argumentoErrado);
    if (FAILED(hr))
        fLanca(hr, excecao);
    resultado.Assign(retorno);
    VariantClear(&retorno);
    return resultado;
}

OwnedVariant ObjetoAutomacao::Propriedade(const wchar_t* nome, const Argumentos& argumentos) const
{
    return Invoca(nome, DISPATCH_PROPERTYGET | DISPATCH_METHOD, argumentos, nullptr);
}

ObjetoAutomacao ObjetoAutomacao::Objeto(const wchar_t* nome, const Argumentos& argumentos) const
{
    return De(Propriedade(nome, argumentos).Get());
}

void ObjetoAutomacao::Atribui(const wchar_t* nome, const OwnedVariant& valor, const Argumentos& indices) const
{
    Invoca(nome, DISPATCH_PROPERTYPUT, indices, &valor);
}

void ObjetoAutomacao::AtribuiReferencia(const wchar_t* nome, IUnknown* objeto) const
{
    const OwnedVariant valor = fVarObjeto(objeto);
    Invoca(nome, DISPATCH_PROPERTYPUTREF, {}, &valor);
}

OwnedVariant ObjetoAutomacao::Chama(const wchar_t* nome, const Argumentos& argumentos) const
{
    return Invoca(nome, DISPATCH_METHOD, argumentos, nullptr);
}
