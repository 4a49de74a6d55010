// OLE control interfaces that the mingw-w64 headers do not declare, written
// from their published definitions.
#pragma once

#include <windows.h>
#include <ocidl.h>

// A property category of the property browser (negative values are the
// standard categories).
typedef int PROPCAT;

constexpr PROPCAT PROPCAT_Nil = -1;
constexpr PROPCAT PROPCAT_Misc = -2;
constexpr PROPCAT PROPCAT_Font = -3;
constexpr PROPCAT PROPCAT_Position = -4;
constexpr PROPCAT PROPCAT_Appearance = -5;
constexpr PROPCAT PROPCAT_Behavior = -6;
constexpr PROPCAT PROPCAT_Data = -7;
constexpr PROPCAT PROPCAT_List = -8;
constexpr PROPCAT PROPCAT_Text = -9;
constexpr PROPCAT PROPCAT_Scale = -10;
constexpr PROPCAT PROPCAT_DDE = -11;

// {4D07FC10-F931-11CE-B001-00AA006884E5}
extern "C" const IID IID_ICategorizeProperties;

struct ICategorizeProperties : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE MapPropertyToCategory(DISPID dispid, PROPCAT* category) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCategoryName(PROPCAT category, LCID locale, BSTR* name) = 0;
};
