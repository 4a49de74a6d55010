// A numeric entry field: one format for display and editing ("####0.00"),
// a minimum and a maximum, an empty (null) state, and typing and showing in
// the user's locale (a decimal comma under pt-BR). The value is committed when
// the focus leaves the field; a text that is no number of the range keeps the
// focus in the field.
#pragma once

#include <optional>
#include <string>

#include <windows.h>
#include <oleauto.h>

#include "EditControl.h"

namespace hv::forms {

class NumberField : public EditControl {
public:
    NumberField(Container& parent, const TwipsRect& place, const std::wstring& format = L"####0.00",
                double minValue = -99999, double maxValue = 99999);

    const std::wstring& Format() const { return format_; }
    void SetFormat(const std::wstring& format);
    double MinValue() const { return min_; }
    double MaxValue() const { return max_; }
    void SetRange(double minValue, double maxValue);

    // VT_R8, or VT_NULL when the field is empty. While the user edits, the
    // value the text stands for when it is a number of the range.
    VARIANT Value() const;
    // Null or empty empties the field; anything else is converted in the
    // user's locale. False (field unchanged) for no number or out of range.
    bool SetValue(const VARIANT& value);
    bool SetValue(double value);
    bool ValueIsNull() const;
    // "" empties the field; other text is read as a number in the user's locale.
    bool SetText(const std::wstring& text);

protected:
    bool OnChar(int& ch) override;
    void OnCommand(int code) override;
    bool ValidateOwnValue() override;
    bool NeedsValidation() const override { return true; }

private:
    // nullopt: not a number. An inner nullopt: empty.
    std::optional<std::optional<double>> Parse(const std::wstring& text) const;
    bool InRange(double value) const { return value >= min_ && value <= max_; }
    std::optional<double> CurrentValue() const;
    void ShowValue();
    bool Acceptable(const std::wstring& text) const;

    std::wstring format_;
    double min_;
    double max_;
    int integerDigits_ = 0;
    int decimalDigits_ = 0;
    std::optional<double> value_;
    bool edited_ = false;
    bool showing_ = false;
};

} // namespace hv::forms
