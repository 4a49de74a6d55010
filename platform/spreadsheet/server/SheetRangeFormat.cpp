// Range objects: number formats, named styles and alignment.
#include "SheetRange.h"

namespace hv::sheet::server {

namespace {

constexpr size_t kMaxFormatLength = 255;

} // namespace

STDMETHODIMP SheetRange::get_NumberFormat(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, FirstStyle().numberFormat); });
}

STDMETHODIMP SheetRange::put_NumberFormat(VARIANT value)
{
    return Run([&] {
        std::wstring format = ToText(value);
        if (format.size() > kMaxFormatLength)
            Fail(L"A number format has at most 255 characters.");
        if (format.empty())
            format = L"General";
        Format([&](CellStyle& s) { s.numberFormat = format; });
    });
}

STDMETHODIMP SheetRange::get_Style(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) {
        SetResult(&v, std::wstring(FirstStyle().named == NamedStyle::Comma ? L"Comma" : L"Normal"));
    });
}

STDMETHODIMP SheetRange::put_Style(VARIANT value)
{
    return Run([&] {
        const std::wstring name = ToText(value);
        if (CompareStringOrdinal(name.c_str(), -1, L"Comma", -1, TRUE) == CSTR_EQUAL) {
            Format([](CellStyle& s) {
                s.named = NamedStyle::Comma;
                s.numberFormat = kCommaFormat;
            });
        } else if (CompareStringOrdinal(name.c_str(), -1, L"Normal", -1, TRUE) == CSTR_EQUAL) {
            Format([](CellStyle& s) { s = CellStyle{}; });
        } else {
            Fail(L"There is no style named \"" + name + L"\" (the styles are \"Normal\" and \"Comma\").");
        }
    });
}

STDMETHODIMP SheetRange::get_HorizontalAlignment(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, static_cast<long>(FirstStyle().alignment.horizontal)); });
}

STDMETHODIMP SheetRange::put_HorizontalAlignment(VARIANT value)
{
    return Run([&] {
        const long a = ToOneOf(value, {1, -4131, -4108, -4152, 5, -4130, 7, -4117}, L"HorizontalAlignment");
        Format([a](CellStyle& s) { s.alignment.horizontal = a; });
    });
}

STDMETHODIMP SheetRange::get_VerticalAlignment(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, static_cast<long>(FirstStyle().alignment.vertical)); });
}

STDMETHODIMP SheetRange::put_VerticalAlignment(VARIANT value)
{
    return Run([&] {
        const long a = ToOneOf(value, {-4160, -4108, -4107, -4130, -4117}, L"VerticalAlignment");
        Format([a](CellStyle& s) { s.alignment.vertical = a; });
    });
}

STDMETHODIMP SheetRange::get_WrapText(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResultBool(&v, FirstStyle().alignment.wrap); });
}

STDMETHODIMP SheetRange::put_WrapText(VARIANT value)
{
    return Run([&] {
        const bool wrap = ToBool(value);
        Format([wrap](CellStyle& s) { s.alignment.wrap = wrap; });
    });
}

STDMETHODIMP SheetRange::get_Orientation(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, static_cast<long>(FirstStyle().alignment.orientation)); });
}

STDMETHODIMP SheetRange::put_Orientation(VARIANT value)
{
    return Run([&] {
        const double given = ToDouble(value);
        long degrees = 0;
        if (given == -4128)
            degrees = 0;  // horizontal
        else if (given == -4171)
            degrees = 90;  // upward
        else if (given == -4170)
            degrees = -90;  // downward
        else if (given == -4166)
            degrees = -4166;  // vertical, stacked
        else
            degrees = ToLongIn(value, -90, 90, L"Orientation");
        Format([degrees](CellStyle& s) { s.alignment.orientation = degrees; });
    });
}

STDMETHODIMP SheetRange::get_AddIndent(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResultBool(&v, FirstStyle().alignment.addIndent); });
}

STDMETHODIMP SheetRange::put_AddIndent(VARIANT value)
{
    return Run([&] {
        const bool add = ToBool(value);
        Format([add](CellStyle& s) { s.alignment.addIndent = add; });
    });
}

STDMETHODIMP SheetRange::get_IndentLevel(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, static_cast<long>(FirstStyle().alignment.indent)); });
}

STDMETHODIMP SheetRange::put_IndentLevel(VARIANT value)
{
    return Run([&] {
        const long level = ToLongIn(value, 0, 250, L"IndentLevel");
        Format([level](CellStyle& s) { s.alignment.indent = level; });
    });
}

STDMETHODIMP SheetRange::get_ShrinkToFit(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResultBool(&v, FirstStyle().alignment.shrink); });
}

STDMETHODIMP SheetRange::put_ShrinkToFit(VARIANT value)
{
    return Run([&] {
        const bool shrink = ToBool(value);
        Format([shrink](CellStyle& s) { s.alignment.shrink = shrink; });
    });
}

STDMETHODIMP SheetRange::get_ReadingOrder(VARIANT* value)
{
    return Get(value, [&](VARIANT& v) { SetResult(&v, static_cast<long>(FirstStyle().alignment.readingOrder)); });
}

STDMETHODIMP SheetRange::put_ReadingOrder(VARIANT value)
{
    return Run([&] {
        const long order = ToOneOf(value, {-5002, -5003, -5004}, L"ReadingOrder");
        Format([order](CellStyle& s) { s.alignment.readingOrder = order; });
    });
}

} // namespace hv::sheet::server
