// Numeric fields over a single-line edit box.
#include "NumberField.h"

#include <cwctype>

#include "LocaleText.h"

namespace hv::forms {

namespace {

std::wstring Trimmed(const std::wstring& text)
{
    const auto first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return {};
    const auto last = text.find_last_not_of(L" \t");
    return text.substr(first, last - first + 1);
}

VARIANT NullVariant()
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_NULL;
    return v;
}

} // namespace

NumberField::NumberField(Container& parent, const TwipsRect& place, const std::wstring& format,
                         double minValue, double maxValue)
    : EditControl(parent, place), min_(minValue), max_(maxValue)
{
    Attach(CreateEdit(ES_RIGHT, L""));
    SetFormat(format);
}

void NumberField::SetFormat(const std::wstring& format)
{
    format_ = format;
    // Digits the format allows before and after its decimal point, for typing.
    const std::wstring positive = format_.substr(0, format_.find(L';'));
    const auto point = positive.find(L'.');
    integerDigits_ = 0;
    decimalDigits_ = 0;
    for (size_t i = 0; i < positive.size(); ++i) {
        if (positive[i] == L'0' || positive[i] == L'#')
            ++(point != std::wstring::npos && i > point ? decimalDigits_ : integerDigits_);
    }
    if (!edited_)
        ShowValue();
}

void NumberField::SetRange(double minValue, double maxValue)
{
    min_ = minValue;
    max_ = maxValue;
}

std::optional<std::optional<double>> NumberField::Parse(const std::wstring& text) const
{
    const std::wstring trimmed = Trimmed(text);
    if (trimmed.empty())
        return std::optional<double>();
    if (auto number = ParseNumber(trimmed))
        return std::optional<double>(*number);
    return std::nullopt;
}

std::optional<double> NumberField::CurrentValue() const
{
    if (edited_) {
        const auto parsed = Parse(Text());
        if (parsed && (!*parsed || InRange(**parsed)))
            return *parsed;
    }
    return value_;
}

VARIANT NumberField::Value() const
{
    const auto current = CurrentValue();
    if (!current)
        return NullVariant();
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_R8;
    v.dblVal = *current;
    return v;
}

bool NumberField::ValueIsNull() const
{
    return !CurrentValue().has_value();
}

bool NumberField::SetValue(double value)
{
    if (!InRange(value))
        return false;
    value_ = value;
    edited_ = false;
    ShowValue();
    return true;
}

bool NumberField::SetValue(const VARIANT& value)
{
    if (value.vt == VT_NULL || value.vt == VT_EMPTY) {
        value_.reset();
        edited_ = false;
        ShowValue();
        return true;
    }
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeTypeEx(&number, const_cast<VARIANT*>(&value), LOCALE_USER_DEFAULT, 0, VT_R8)))
        return false;
    return SetValue(number.dblVal);
}

bool NumberField::SetText(const std::wstring& text)
{
    const auto parsed = Parse(text);
    if (!parsed)
        return false;
    if (!*parsed) {
        value_.reset();
        edited_ = false;
        ShowValue();
        return true;
    }
    return SetValue(**parsed);
}

void NumberField::ShowValue()
{
    std::wstring text;
    if (value_) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_R8;
        v.dblVal = *value_;
        text = FormatVariant(v, format_);
    }
    showing_ = true;
    SetCaption(text);
    showing_ = false;
}

void NumberField::OnCommand(int code)
{
    if (code == EN_CHANGE && !showing_)
        edited_ = true;
}

bool NumberField::Acceptable(const std::wstring& text) const
{
    // Sign (when negatives are allowed), integer digits, decimal separator, decimals.
    const wchar_t separator = UserDecimalSeparator();
    size_t i = 0;
    if (i < text.size() && text[i] == L'-' && min_ < 0)
        ++i;
    int digits = 0;
    while (i < text.size() && std::iswdigit(text[i])) {
        ++digits;
        ++i;
    }
    if (digits > integerDigits_)
        return false;
    if (i < text.size() && text[i] == separator && decimalDigits_ > 0) {
        ++i;
        int decimals = 0;
        while (i < text.size() && std::iswdigit(text[i])) {
            ++decimals;
            ++i;
        }
        if (decimals > decimalDigits_)
            return false;
    }
    return i == text.size();
}

bool NumberField::OnChar(int& ch)
{
    if (ch == '\r')
        return false;
    if (ch < 32)
        return true;  // editing keys: backspace, copy, paste, undo
    std::wstring text = Text();
    const auto start = static_cast<size_t>(SelStart());
    text.replace(start, static_cast<size_t>(SelLength()), 1, static_cast<wchar_t>(ch));
    return Acceptable(text);
}

bool NumberField::ValidateOwnValue()
{
    if (!edited_)
        return true;
    const auto parsed = Parse(Text());
    if (!parsed || (*parsed && !InRange(**parsed))) {
        // Refused: the text stays for the user to correct.
        MessageBeep(MB_ICONEXCLAMATION);
        SetSelStart(0);
        SetSelLength(static_cast<int>(Text().size()));
        return false;
    }
    value_ = *parsed;
    edited_ = false;
    ShowValue();
    return true;
}

} // namespace hv::forms
