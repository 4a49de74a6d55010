// ObjetoAutomacao: late-bound calls on an automation object by member name
// (IDispatch), the way the program drives the grid and its objects. A failed
// call throws ErroAutomacao with the object's own description of the error.
//
//   ObjetoAutomacao banda = grid.Objeto(L"Bands").Objeto(L"Item", {fVarLong(0)});
//   banda.Atribui(L"ColHeaderLines", fVarLong(3));
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "OwnedVariant.h"

class ErroAutomacao : public std::runtime_error {
public:
    ErroAutomacao(HRESULT hr, std::wstring descricao);
    HRESULT Codigo() const { return hr_; }
    const std::wstring& Descricao() const { return descricao_; }

private:
    HRESULT hr_;
    std::wstring descricao_;
};

OwnedVariant fVarLong(long valor);
OwnedVariant fVarBool(bool valor);
OwnedVariant fVarObjeto(IUnknown* objeto);

class ObjetoAutomacao {
public:
    using Argumentos = std::vector<OwnedVariant>;

    ObjetoAutomacao() = default;
    explicit ObjetoAutomacao(IDispatch* objeto) : objeto_(objeto) {}
    // The object's IDispatch; empty when it has none.
    static ObjetoAutomacao De(IUnknown* objeto);
    // The object a variant holds (VT_DISPATCH or VT_UNKNOWN); empty for
    // Nothing, Null or Empty.
    static ObjetoAutomacao De(const VARIANT& valor);

    bool Vazio() const { return !objeto_; }
    IDispatch* Get() const { return objeto_.Get(); }

    // Property get (with index arguments, in declaration order).
    OwnedVariant Propriedade(const wchar_t* nome, const Argumentos& argumentos = {}) const;
    // A property that holds an object; empty for Nothing.
    ObjetoAutomacao Objeto(const wchar_t* nome, const Argumentos& argumentos = {}) const;
    // Property let, and set of an object reference.
    void Atribui(const wchar_t* nome, const OwnedVariant& valor, const Argumentos& indices = {}) const;
    void AtribuiReferencia(const wchar_t* nome, IUnknown* objeto) const;
    // Method call; the result (Empty for none).
    OwnedVariant Chama(const wchar_t* nome, const Argumentos& argumentos = {}) const;

private:
    DISPID Dispid(const wchar_t* nome) const;
    OwnedVariant Invoca(const wchar_t* nome, WORD tipo, const Argumentos& argumentos,
                        const OwnedVariant* valor) const;

    Microsoft::WRL::ComPtr<IDispatch> objeto_;
};
