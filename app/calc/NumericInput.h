// NumericInput: how a loosely typed input value reads as a number.
#pragma once

#include <windows.h>
#include <oleauto.h>

enum class InputKind
{
    Missing,      // Null or Empty: nothing was given
    NotNumeric,   // something was given, but it is not a number
    Numeric       // a number, or a text that reads as one
};

struct NumericReading
{
    InputKind kind = InputKind::Missing;
    double value = 0.0;   // meaningful only when kind is Numeric
};

// A number is any of the integer, floating, currency and decimal types; a text
// is numeric when it converts under the user's locale settings (so "850,5" is
// 850.5 where the decimal separator is a comma). Booleans, dates, objects and
// arrays are not numbers. A NaN stays a number: range tests reject it.
NumericReading ReadNumericInput(const VARIANT& input);
