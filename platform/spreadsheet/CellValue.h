// CellValue: what a cell holds: nothing, a number (dates are numbers, day
// serials), a text or a truth value.
#pragma once

#include <string>

namespace hv::sheet {

struct CellValue {
    enum class Kind { Empty, Number, Text, Boolean };
    Kind kind = Kind::Empty;
    double number = 0;  // also the truth value (0 or 1)
    std::wstring text;

    static CellValue Number(double n) { return {Kind::Number, n, {}}; }
    static CellValue Text(std::wstring t) { return {Kind::Text, 0, std::move(t)}; }
    static CellValue Boolean(bool b) { return {Kind::Boolean, b ? 1.0 : 0.0, {}}; }
    bool operator==(const CellValue&) const = default;
};

struct Cell {
    CellValue value;
    unsigned style = 0;  // index into the workbook's style table
};

} // namespace hv::sheet
