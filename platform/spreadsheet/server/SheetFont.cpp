// The font of a range.
#include "SheetFont.h"

#include "ColorValues.h"
#include "SheetRange.h"

namespace hv::sheet::server {

SheetFont::SheetFont(Session session, RangeTarget target) : SheetObject(std::move(session)), target_(std::move(target))
{
}

IDispatch* SheetFont::Create(Session session, const RangeTarget& target)
{
    return NewObject<SheetFont>(std::move(session), target);
}

const FontStyle& SheetFont::Font() const
{
    return FirstStyleOf(target_).font;
}

// Converts and checks the argument first, then changes every cell.
template <class Change>
HRESULT SheetFont::ChangeFont(Change change)
{
    return Run([&] {
        auto apply = change();
        FormatTarget(target_, [&](CellStyle& s) { apply(s.font); });
    });
}

HRESULT SheetFont::GetFlag(VARIANT* value, bool FontStyle::*flag)
{
    return Get(value, [&](VARIANT& v) { SetResultBool(&v, Font().*flag); });
}

HRESULT SheetFont::PutFlag(VARIANT value, bool FontStyle::*flag)
{
    return ChangeFont([&] {
        const bool on = ToBool(value);
        return [on, flag](FontStyle& f) { f.*flag = on; };
    });
}

STDMETHODIMP SheetFont::get_Name(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, Font().name); });
}

STDMETHODIMP SheetFont::put_Name(VARIANT value)
{
    return ChangeFont([&] {
        const std::wstring name = ToText(value);
        if (name.empty() || name.size() > 31)
            Fail(L"A font name has 1 to 31 characters.");
        return [name](FontStyle& f) { f.name = name; };
    });
}

STDMETHODIMP SheetFont::get_Size(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, Font().size); });
}

STDMETHODIMP SheetFont::put_Size(VARIANT value)
{
    return ChangeFont([&] {
        const double size = ToDoubleIn(value, 1, 409, L"A font size");
        return [size](FontStyle& f) { f.size = size; };
    });
}

STDMETHODIMP SheetFont::get_Bold(VARIANT* value) { return GetFlag(value, &FontStyle::bold); }
STDMETHODIMP SheetFont::put_Bold(VARIANT value) { return PutFlag(value, &FontStyle::bold); }
STDMETHODIMP SheetFont::get_Italic(VARIANT* value) { return GetFlag(value, &FontStyle::italic); }
STDMETHODIMP SheetFont::put_Italic(VARIANT value) { return PutFlag(value, &FontStyle::italic); }
STDMETHODIMP SheetFont::get_Strikethrough(VARIANT* value) { return GetFlag(value, &FontStyle::strikethrough); }
STDMETHODIMP SheetFont::put_Strikethrough(VARIANT value) { return PutFlag(value, &FontStyle::strikethrough); }
STDMETHODIMP SheetFont::get_Superscript(VARIANT* value) { return GetFlag(value, &FontStyle::superscript); }
STDMETHODIMP SheetFont::get_Subscript(VARIANT* value) { return GetFlag(value, &FontStyle::subscript); }
STDMETHODIMP SheetFont::get_OutlineFont(VARIANT* value) { return GetFlag(value, &FontStyle::outline); }
STDMETHODIMP SheetFont::put_OutlineFont(VARIANT value) { return PutFlag(value, &FontStyle::outline); }
STDMETHODIMP SheetFont::get_Shadow(VARIANT* value) { return GetFlag(value, &FontStyle::shadow); }
STDMETHODIMP SheetFont::put_Shadow(VARIANT value) { return PutFlag(value, &FontStyle::shadow); }

// Superscript and subscript exclude each other.
STDMETHODIMP SheetFont::put_Superscript(VARIANT value)
{
    return ChangeFont([&] {
        const bool on = ToBool(value);
        return [on](FontStyle& f) {
            f.superscript = on;
            f.subscript = f.subscript && !on;
        };
    });
}

STDMETHODIMP SheetFont::put_Subscript(VARIANT value)
{
    return ChangeFont([&] {
        const bool on = ToBool(value);
        return [on](FontStyle& f) {
            f.subscript = on;
            f.superscript = f.superscript && !on;
        };
    });
}

STDMETHODIMP SheetFont::get_Underline(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, static_cast<long>(Font().underline)); });
}

STDMETHODIMP SheetFont::put_Underline(VARIANT value)
{
    return ChangeFont([&] {
        const long u = ToOneOf(value, {-4142, 2, -4119, 4, 5}, L"Underline");
        return [u](FontStyle& f) { f.underline = u; };
    });
}

STDMETHODIMP SheetFont::get_Color(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, static_cast<double>(BgrOf(Font().color, 0))); });
}

STDMETHODIMP SheetFont::put_Color(VARIANT value)
{
    return ChangeFont([&] {
        const StyleColor color = RgbColorFrom(value);
        return [color](FontStyle& f) { f.color = color; };
    });
}

STDMETHODIMP SheetFont::get_ThemeColor(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, ThemeNumberOf(Font().color)); });
}

STDMETHODIMP SheetFont::put_ThemeColor(VARIANT value)
{
    return ChangeFont([&] {
        StyleColor probe;
        SetThemeColor(probe, value);
        return [probe](FontStyle& f) {
            f.color.kind = probe.kind;
            f.color.theme = probe.theme;
        };
    });
}

STDMETHODIMP SheetFont::get_TintAndShade(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, Font().color.tint); });
}

STDMETHODIMP SheetFont::put_TintAndShade(VARIANT value)
{
    return ChangeFont([&] {
        const double tint = TintFrom(value);
        return [tint](FontStyle& f) { f.color.tint = tint; };
    });
}

STDMETHODIMP SheetFont::get_ThemeFont(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, static_cast<long>(Font().themeFont)); });
}

STDMETHODIMP SheetFont::put_ThemeFont(VARIANT value)
{
    return ChangeFont([&] {
        const long themeFont = ToOneOf(value, {0, 1, 2}, L"ThemeFont");
        return [themeFont](FontStyle& f) { f.themeFont = themeFont; };
    });
}

} // namespace hv::sheet::server
