// ClsFormataGrid: the grid's data filter for the analysis list. Every value
// the grid takes from the list passes here before it is shown: each number
// gets the decimals of its kind, in the user's locale; the sample identifier
// and any other field pass unchanged, and so does every value going back.
#pragma once

#include <string_view>

#include <Tavelle.h>

#include "OwnedVariant.h"

// The value shown for a value of the data field: formatted text for the
// numeric fields of the list, else the value itself (Null stays Null).
OwnedVariant fValorFormatado(std::wstring_view campo, const VARIANT& valor);

class ClsFormataGrid final : public IHvTVDataFilter {
public:
    // A new filter with one reference, owned by the caller.
    static ClsFormataGrid* Cria();

    STDMETHODIMP QueryInterface(REFIID iid, void** saida) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP AfterGetValue(Constants_GetValueContext Context, IHvCell* Cell, VARIANT* Value) override;
    STDMETHODIMP BeforeSetValue(IHvCell* Cell, VARIANT* Value) override;

private:
    ClsFormataGrid() = default;
    ~ClsFormataGrid() = default;

    ULONG referencias_ = 1;
};
