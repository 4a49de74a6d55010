// RoundTiesToEven: the rounding every figure of the calculation goes through.
#pragma once

// value rounded to `decimals` places (0 or more). A value exactly halfway
// between two candidates goes to the one whose last kept digit is even
// (0.125 -> 0.12, 0.375 -> 0.38, 2.5 -> 2); any other to the nearer one.
// This is the rounding of the application runtime, done by OLE Automation.
double RoundTiesToEven(double value, int decimals) noexcept;
