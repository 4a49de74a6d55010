// The two interfaces a Visual Basic form offers its controls, declared from
// their published definitions (the headers are not shipped here): the form
// answers IVBGetControl, and a control's extender answers IGetOleObject.
#pragma once

#include <windows.h>
#include <ole2.h>

extern "C" const IID IID_IVBGetControl;
extern "C" const IID IID_IGetOleObject;

struct IVBGetControl : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE EnumControls(DWORD oleContainerFlags, DWORD which, IEnumUnknown** controls) = 0;
};

struct IGetOleObject : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetOleObject(REFIID iid, void** object) = 0;
};
