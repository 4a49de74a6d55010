// HvAutoSizeEdit: the auto-size edit object.
#include "HvAutoSizeEdit.h"

#include "LayoutUnitsSeam.h"
#include "Units.h"

#include <cmath>
#include <new>

namespace {

// The largest float below 2^31: every accepted value converts to 32 bits.
constexpr float kMaxUnits = 2147483520.0f;

} // namespace

HvAutoSizeEdit* HvAutoSizeEdit::Create(LayoutUnitsSeam* layout)
{
    return new (std::nothrow) HvAutoSizeEdit(layout);
}

HvAutoSizeEdit::HvAutoSizeEdit(LayoutUnitsSeam* layout)
    : CDualObject(nullptr, ObjectType::HvAutoSizeEdit), layout_(layout)
{
}

HRESULT HvAutoSizeEdit::GetSize(LONG pixels, bool horizontal, float* value) const
{
    if (!value)
        return E_INVALIDARG;
    double units = 0;
    if (layout_)
        units = horizontal ? layout_->PixelsToUnitsX(pixels) : layout_->PixelsToUnitsY(pixels);
    else
        units = horizontal ? PixelsToTwipsX(pixels) : PixelsToTwipsY(pixels);
    *value = static_cast<float>(units);
    return S_OK;
}

bool HvAutoSizeEdit::ToPixels(float value, bool horizontal, LONG* pixels) const
{
    if (!(value >= 0.0f) || !std::isfinite(value) || value > kMaxUnits)
        return false;
    if (layout_)
        *pixels = horizontal ? layout_->UnitsToPixelsX(value) : layout_->UnitsToPixelsY(value);
    else
        *pixels = horizontal ? TwipsToPixelsX(static_cast<int>(value)) : TwipsToPixelsY(static_cast<int>(value));
    return *pixels >= 0;
}

HRESULT HvAutoSizeEdit::InvalidValue()
{
    return Exception(HvResult::InvalidPropertyValue, HvResult::InvalidPropertyValueString);
}

STDMETHODIMP HvAutoSizeEdit::get_MaxHeight(float* value)
{
    return GetSize(maxHeight_, false, value);
}

STDMETHODIMP HvAutoSizeEdit::get_MaxWidth(float* value)
{
    return GetSize(maxWidth_, true, value);
}

STDMETHODIMP HvAutoSizeEdit::get_StartHeight(float* value)
{
    return GetSize(startHeight_, false, value);
}

STDMETHODIMP HvAutoSizeEdit::get_StartWidth(float* value)
{
    return GetSize(startWidth_, true, value);
}

STDMETHODIMP HvAutoSizeEdit::put_MaxHeight(float value)
{
    LONG pixels = 0;
    if (!ToPixels(value, false, &pixels) || pixels < startHeight_)
        return InvalidValue();
    maxHeight_ = pixels;
    return S_OK;
}

STDMETHODIMP HvAutoSizeEdit::put_MaxWidth(float value)
{
    LONG pixels = 0;
    if (!ToPixels(value, true, &pixels) || pixels < startWidth_)
        return InvalidValue();
    maxWidth_ = pixels;
    return S_OK;
}

STDMETHODIMP HvAutoSizeEdit::put_StartHeight(float value)
{
    LONG pixels = 0;
    if (!ToPixels(value, false, &pixels) || (maxHeight_ != 0 && pixels > maxHeight_))
        return InvalidValue();
    startHeight_ = pixels;
    return S_OK;
}

STDMETHODIMP HvAutoSizeEdit::put_StartWidth(float value)
{
    LONG pixels = 0;
    if (!ToPixels(value, true, &pixels) || (maxWidth_ != 0 && pixels > maxWidth_))
        return InvalidValue();
    startWidth_ = pixels;
    return S_OK;
}
