// The auto-size edit object: sizes in container units over pixels, the
// start/maximum rules, and refusals of bad values, through IDispatch.
#include <doctest/doctest.h>

#include "HvAutoSizeEdit.h"
#include "LateBound.h"
#include "LayoutUnitsSeam.h"
#include "ModelTestSupport.h"
#include "Units.h"

#include <cmath>
#include <limits>

namespace {

// Twips at 96 DPI: 15 twips a pixel.
struct TwipsLayout final : LayoutUnitsSeam {
    double PixelsToUnitsX(LONG pixels) override { return pixels * 15.0; }
    double PixelsToUnitsY(LONG pixels) override { return pixels * 15.0; }
    LONG UnitsToPixelsX(float units) override { return static_cast<LONG>(std::lround(units / 15.0)); }
    LONG UnitsToPixelsY(float units) override { return static_cast<LONG>(std::lround(units / 15.0)); }
};

VARIANT Float(float value)
{
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_R4;
    V_R4(&v) = value;
    return v;
}

float Get(IDispatch* d, const wchar_t* name)
{
    LateResult r;
    LateGet(d, name, r);
    REQUIRE(r.hr == S_OK);
    REQUIRE(V_VT(&r.value) == VT_R4);
    return V_R4(&r.value);
}

HRESULT Put(IDispatch* d, const wchar_t* name, float value)
{
    LateResult r;
    LatePut(d, name, Float(value), r);
    if (r.hr == DISP_E_EXCEPTION) {
        CHECK(r.description == L"Invalid property value");
        return r.scode;
    }
    return r.hr;
}

} // namespace

TEST_CASE("sizes are put and got in container units and kept in pixels")
{
    TwipsLayout layout;
    Ref<IHvAutoSizeEdit> edit(HvAutoSizeEdit::Create(&layout));
    IDispatch* d = edit.Get();
    for (const wchar_t* name : {L"MaxHeight", L"MaxWidth", L"StartHeight", L"StartWidth"})
        CHECK(Get(d, name) == 0.0f);
    CHECK(static_cast<HvAutoSizeEdit*>(edit.Get())->IsCancelled());

    CHECK(Put(d, L"StartWidth", 1440) == S_OK);
    CHECK(static_cast<HvAutoSizeEdit*>(edit.Get())->StartWidthPixels() == 96);
    CHECK(Put(d, L"MaxWidth", 720) == HvResult::InvalidPropertyValue);
    CHECK(Put(d, L"MaxWidth", 2880) == S_OK);
    CHECK(Put(d, L"StartWidth", 4320) == HvResult::InvalidPropertyValue);
    CHECK(Put(d, L"MaxWidth", 0) == HvResult::InvalidPropertyValue); // no limit only while the start is 0
    CHECK(Get(d, L"StartWidth") == 1440.0f);
    CHECK(Get(d, L"MaxWidth") == 2880.0f);

    CHECK(Put(d, L"StartHeight", 100) == S_OK); // between two pixel counts
    CHECK(Get(d, L"StartHeight") == 105.0f);
    CHECK(Put(d, L"MaxHeight", 90) == HvResult::InvalidPropertyValue);
    CHECK(Put(d, L"MaxHeight", 105) == S_OK);
}

TEST_CASE("negative, NaN, infinite and huge values are refused and change nothing")
{
    TwipsLayout layout;
    Ref<IHvAutoSizeEdit> edit(HvAutoSizeEdit::Create(&layout));
    IDispatch* d = edit.Get();
    const float bad[] = {-1.0f, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity(), 3e38f};
    for (const wchar_t* name : {L"MaxHeight", L"MaxWidth", L"StartHeight", L"StartWidth"}) {
        for (float value : bad) {
            CAPTURE(value);
            CHECK(Put(d, name, value) == HvResult::InvalidPropertyValue);
            CHECK(Get(d, name) == 0.0f);
        }
    }
    CHECK(edit->get_MaxWidth(nullptr) == E_INVALIDARG);
}

TEST_CASE("without a layout the sizes are twips at the display's resolution")
{
    Ref<IHvAutoSizeEdit> edit(HvAutoSizeEdit::Create(nullptr));
    IDispatch* d = edit.Get();
    CHECK(Put(d, L"StartHeight", 1440) == S_OK);
    CHECK(Get(d, L"StartHeight") == static_cast<float>(PixelsToTwipsY(TwipsToPixelsY(1440))));
}
