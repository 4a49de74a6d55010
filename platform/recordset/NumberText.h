// NumberText: conversion between doubles and the invariant text form
// ("812.5"), whatever the user's locale.
#pragma once

#include <string>
#include <string_view>

namespace hv::recordset {

class NumberText {
public:
    // Parses a whole text (surrounding blanks allowed) with "." as the decimal
    // separator and no grouping; false for anything else, including "".
    static bool Parse(std::wstring_view text, double& value);
    // The shortest text that reads back as the same double.
    static std::wstring Format(double value);
};

} // namespace hv::recordset
