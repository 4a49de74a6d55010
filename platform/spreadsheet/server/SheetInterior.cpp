// The fill of a range.
#include "SheetInterior.h"

#include "ColorValues.h"
#include "SheetRange.h"

namespace hv::sheet::server {

namespace {

constexpr long kNone = -4142;
constexpr long kAutomatic = -4105;
constexpr long kSolid = 1;

void SolidWhenNone(FillStyle& f)
{
    if (f.pattern == kNone)
        f.pattern = kSolid;
}

} // namespace

SheetInterior::SheetInterior(Session session, RangeTarget target)
    : SheetObject(std::move(session)), target_(std::move(target))
{
}

IDispatch* SheetInterior::Create(Session session, const RangeTarget& target)
{
    return NewObject<SheetInterior>(std::move(session), target);
}

const FillStyle& SheetInterior::Fill() const
{
    return FirstStyleOf(target_).fill;
}

// Converts and checks the argument first, then changes every cell.
template <class Change>
HRESULT SheetInterior::ChangeFill(Change change)
{
    return Run([&] {
        auto apply = change();
        FormatTarget(target_, [&](CellStyle& s) { apply(s.fill); });
    });
}

STDMETHODIMP SheetInterior::get_Pattern(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, static_cast<long>(Fill().pattern)); });
}

STDMETHODIMP SheetInterior::put_Pattern(VARIANT value)
{
    return ChangeFill([&] {
        long pattern = ToOneOf(value, {kNone, kSolid, kAutomatic, -4124, -4125, -4126, 17, 18}, L"Pattern");
        if (pattern == kAutomatic)
            pattern = kSolid;
        return [pattern](FillStyle& f) { f.pattern = pattern; };
    });
}

STDMETHODIMP SheetInterior::get_PatternColorIndex(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) {
        SetResult(&v, Fill().patternColor.kind == StyleColor::Kind::Automatic ? kAutomatic : 0L);
    });
}

STDMETHODIMP SheetInterior::put_PatternColorIndex(VARIANT value)
{
    return ChangeFill([&] {
        ToOneOf(value, {kAutomatic, kNone}, L"PatternColorIndex");
        return [](FillStyle& f) {
            const double tint = f.patternColor.tint;
            f.patternColor = StyleColor{};
            f.patternColor.tint = tint;
        };
    });
}

STDMETHODIMP SheetInterior::get_Color(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) {
        SetResult(&v, static_cast<double>(Fill().pattern == kNone ? 0xFFFFFF : BgrOf(Fill().color, 0xFFFFFF)));
    });
}

STDMETHODIMP SheetInterior::put_Color(VARIANT value)
{
    return ChangeFill([&] {
        const StyleColor color = RgbColorFrom(value);
        return [color](FillStyle& f) {
            f.color = color;
            SolidWhenNone(f);
        };
    });
}

STDMETHODIMP SheetInterior::get_ThemeColor(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, ThemeNumberOf(Fill().color)); });
}

STDMETHODIMP SheetInterior::put_ThemeColor(VARIANT value)
{
    return ChangeFill([&] {
        StyleColor probe;
        SetThemeColor(probe, value);
        return [probe](FillStyle& f) {
            f.color.kind = probe.kind;
            f.color.theme = probe.theme;
            SolidWhenNone(f);
        };
    });
}

STDMETHODIMP SheetInterior::get_TintAndShade(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, Fill().color.tint); });
}

STDMETHODIMP SheetInterior::put_TintAndShade(VARIANT value)
{
    return ChangeFill([&] {
        const double tint = TintFrom(value);
        return [tint](FillStyle& f) { f.color.tint = tint; };
    });
}

STDMETHODIMP SheetInterior::get_PatternTintAndShade(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, Fill().patternColor.tint); });
}

STDMETHODIMP SheetInterior::put_PatternTintAndShade(VARIANT value)
{
    return ChangeFill([&] {
        const double tint = TintFrom(value);
        return [tint](FillStyle& f) { f.patternColor.tint = tint; };
    });
}

} // namespace hv::sheet::server
