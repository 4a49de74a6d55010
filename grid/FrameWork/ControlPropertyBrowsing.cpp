// Property browsing of the control base: the property-notification sink
// through which the control hears of changes to its own objects, the
// per-property browsing a property browser asks for, and the categories of
// the stock properties.
#include "ControlProperties.h"

#include <new>

namespace {

// {0BE35201-8F91-11CE-9DE3-00AA004BB851}, the system's colour page.
constexpr CLSID kStockColorPage = {0x0be35201, 0x8f91, 0x11ce, {0x9d, 0xe3, 0x00, 0xaa, 0x00, 0x4b, 0xb8, 0x51}};
// {0BE35200-8F91-11CE-9DE3-00AA004BB851}, the system's font page.
constexpr CLSID kStockFontPage = {0x0be35200, 0x8f91, 0x11ce, {0x9d, 0xe3, 0x00, 0xaa, 0x00, 0x4b, 0xb8, 0x51}};

// The framework's own categories, named by the string of the same number.
constexpr PROPCAT kCategoryPicture = 101;
constexpr PROPCAT kCategoryCollection = 102;

constexpr int kCategoryNameLength = 260;

} // namespace

// --- IPropertyNotifySink ----------------------------------------------------

STDMETHODIMP CControlProperties::OnChanged(DISPID dispid)
{
    SetDirty(true);
    PropertyChanged(dispid);
    return S_OK;
}

STDMETHODIMP CControlProperties::OnRequestEdit(DISPID) { return S_OK; }

// --- IPerPropertyBrowsing ---------------------------------------------------

STDMETHODIMP CControlProperties::GetDisplayString(DISPID dispid, BSTR* text)
{
    try {
        return OnGetDisplayString(dispid, text) ? S_OK : S_FALSE;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlProperties::MapPropertyToPage(DISPID dispid, CLSID* page)
{
    try {
        CLSID found = GUID_NULL;
        BOOL stock = FALSE;
        const BOOL mapped = OnMapPropertyToPage(dispid, &found, &stock);
        if (page)
            *page = mapped ? found : GUID_NULL;
        if (!mapped)
            return PERPROP_E_NOPAGEAVAILABLE;
        return stock ? S_OK : S_FALSE;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlProperties::GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings, CADWORD* cookies)
{
    if (!strings || !cookies)
        return E_POINTER;
    try {
        return OnGetPredefinedStrings(dispid, strings, cookies) ? S_OK : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP CControlProperties::GetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value)
{
    try {
        return OnGetPredefinedValue(dispid, cookie, value) ? S_OK : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

BOOL CControlProperties::OnGetDisplayString(DISPID, BSTR*) { return FALSE; }

BOOL CControlProperties::OnMapPropertyToPage(DISPID dispid, CLSID* page, BOOL* stockPage)
{
    switch (dispid) {
    case DISPID_FORECOLOR:
    case DISPID_BACKCOLOR:
        *page = kStockColorPage;
        break;
    case DISPID_FONT:
        *page = kStockFontPage;
        break;
    default:
        return FALSE;
    }
    *stockPage = TRUE;
    return TRUE;
}

BOOL CControlProperties::OnGetPredefinedStrings(DISPID, CALPOLESTR*, CADWORD*) { return FALSE; }

BOOL CControlProperties::OnGetPredefinedValue(DISPID dispid, DWORD cookie, VARIANT* value)
{
    if (dispid != DISPID_BORDERSTYLE || cookie > 1 || !value)
        return FALSE;
    VariantClear(value);
    value->vt = VT_I4;
    value->lVal = static_cast<LONG>(cookie);
    return TRUE;
}

// --- ICategorizeProperties --------------------------------------------------

STDMETHODIMP CControlProperties::MapPropertyToCategory(DISPID dispid, PROPCAT* category)
{
    if (!category)
        return E_POINTER;
    switch (dispid) {
    case DISPID_MOUSEICON:
        *category = kCategoryPicture;
        return S_OK;
    case DISPID_MOUSEPOINTER:
    case DISPID_APPEARANCE:
    case DISPID_BORDERVISIBLE:
    case DISPID_FORECOLOR:
        *category = PROPCAT_Appearance;
        return S_OK;
    case DISPID_CAPTION:
    case DISPID_TEXT:
        *category = PROPCAT_Text;
        return S_OK;
    case DISPID_TABSTOP:
    case DISPID_ENABLED:
        *category = PROPCAT_Behavior;
        return S_OK;
    case DISPID_HWND:
        *category = PROPCAT_Misc;
        return S_OK;
    case DISPID_FONT:
        *category = PROPCAT_Font;
        return S_OK;
    default:
        break;
    }
    // -511 to -507 and -505 to -500: the other stock appearance properties.
    if ((dispid >= -511 && dispid <= -507) || (dispid >= -505 && dispid <= -500)) {
        *category = PROPCAT_Appearance;
        return S_OK;
    }
    *category = PROPCAT_Misc;
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP CControlProperties::GetCategoryName(PROPCAT category, LCID, BSTR* name)
{
    if (!name)
        return E_POINTER;
    *name = nullptr;
    if (category != kCategoryPicture && category != kCategoryCollection)
        return E_NOTIMPL;
    try {
        char text[kCategoryNameLength + 1] = "";
        const int length = LoadStringA(GetResourceInstance(), static_cast<UINT>(category), text, kCategoryNameLength);
        if (length <= 0)
            return E_NOTIMPL;
        // The caller frees the name with SysFreeString: it is a BSTR.
        const int wide = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
        *name = SysAllocStringLen(nullptr, static_cast<UINT>(wide));
        if (!*name)
            return E_OUTOFMEMORY;
        MultiByteToWideChar(CP_ACP, 0, text, length, *name, wide);
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
