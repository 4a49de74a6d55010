// The container's coordinate units: positions that the automation members
// take and give are in the container's scale units; the window works in
// pixels.
#include "HvTavelle.h"

#include "Units.h"

#include <cmath>

namespace {

enum ScaleMode { ScalePixels = 0, ScaleTwips = 1, ScaleOther = 2 };

// The localised word for pixels that the MFC locale library holds, when that
// library is loaded in the process.
std::wstring LocalisedPixelsWord()
{
    HMODULE library = GetModuleHandleW(L"MFC42LOC.DLL");
    if (!library)
        return std::wstring();
    wchar_t text[64] = {};
    const int length = LoadStringW(library, 61888, text, 64);
    return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

bool SameNoCase(const wchar_t* a, const wchar_t* b)
{
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a, -1, b, -1) == CSTR_EQUAL;
}

} // namespace

int HvTavelle::GetContainerScaleMode()
{
    BSTR units = nullptr;
    if (!GetAmbientProperty(DISPID_AMBIENT_SCALEUNITS, VT_BSTR, &units))
        return ScalePixels;
    int mode = ScaleOther;
    const wchar_t* text = units ? units : L"";
    const std::wstring localised = LocalisedPixelsWord();
    if (!*text || SameNoCase(text, L"pixels") || (!localised.empty() && SameNoCase(text, localised.c_str())))
        mode = ScalePixels;
    else if (SameNoCase(text, L"twip"))
        mode = ScaleTwips;
    SysFreeString(units);
    return mode;
}

long HvTavelle::ContainerToPixels(float value, bool horizontal)
{
    if (GetContainerScaleMode() == ScalePixels)
        return static_cast<long>(value);
    POINTL himetric = {0, 0};
    POINTF container = {horizontal ? value : 0.0f, horizontal ? 0.0f : value};
    TransformCoords(&himetric, &container, XFORMCOORDS_POSITION | XFORMCOORDS_CONTAINERTOHIMETRIC);
    return horizontal ? HimetricToPixelsX(himetric.x) : HimetricToPixelsY(himetric.y);
}

float HvTavelle::PixelsToContainer(long pixels, bool horizontal)
{
    const int mode = GetContainerScaleMode();
    if (mode == ScalePixels)
        return static_cast<float>(pixels);
    POINTL himetric = {horizontal ? PixelsToHimetricX(pixels) : 0, horizontal ? 0 : PixelsToHimetricY(pixels)};
    POINTF container = {0.0f, 0.0f};
    TransformCoords(&himetric, &container, XFORMCOORDS_POSITION | XFORMCOORDS_HIMETRICTOCONTAINER);
    float result = horizontal ? container.x : container.y;
    if (mode == ScaleTwips) {
        // Whole twips, halves away from zero on both sides of it.
        const float magnitude = std::floor(std::fabs(result) + 0.5f);
        result = result < 0 ? -magnitude : magnitude;
    }
    return result;
}
