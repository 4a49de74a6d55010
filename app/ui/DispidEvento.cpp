#include "DispidEvento.h"

#include <ocidl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

ComPtr<ITypeInfo> fInterfaceDeEventos(IUnknown* controle)
{
    ComPtr<IProvideClassInfo> provedor;
    ComPtr<ITypeInfo> classe;
    if (!controle || FAILED(controle->QueryInterface(IID_PPV_ARGS(&provedor))) ||
        FAILED(provedor->GetClassInfo(&classe)))
        return nullptr;
    TYPEATTR* atributos = nullptr;
    if (FAILED(classe->GetTypeAttr(&atributos)))
        return nullptr;
    const UINT implementadas = atributos->cImplTypes;
    classe->ReleaseTypeAttr(atributos);
    for (UINT i = 0; i < implementadas; ++i) {
        INT flags = 0;
        HREFTYPE referencia = 0;
        ComPtr<ITypeInfo> eventos;
        if (SUCCEEDED(classe->GetImplTypeFlags(i, &flags)) && (flags & IMPLTYPEFLAG_FDEFAULT) &&
            (flags & IMPLTYPEFLAG_FSOURCE) && SUCCEEDED(classe->GetRefTypeOfImplType(i, &referencia)) &&
            SUCCEEDED(classe->GetRefTypeInfo(referencia, &eventos)))
            return eventos;
    }
    return nullptr;
}

} // namespace

DISPID fDispidEvento(IUnknown* controle, const wchar_t* nome)
{
    ComPtr<ITypeInfo> eventos = fInterfaceDeEventos(controle);
    MEMBERID id = DISPID_UNKNOWN;
    LPOLESTR nomes[] = {const_cast<LPOLESTR>(nome)};
    if (!eventos || FAILED(eventos->GetIDsOfNames(nomes, 1, &id)))
        return DISPID_UNKNOWN;
    return id;
}
