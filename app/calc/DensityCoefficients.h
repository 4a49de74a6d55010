// DensityCoefficients: the 54 coefficients of the ethanol-water density
// polynomial (International Alcoholometric Tables), held as doubles.
#pragma once

struct DensityCoefficients
{
    // Indices start at 1, as in the formula; index 0 is unused.
    double A[13] = {};        // A(1) .. A(12): terms in the mass fraction only
    double B[7] = {};         // B(1) .. B(6): terms in the temperature only
    double C[6][12] = {};     // C(i, k), i 1..5, k 1..m(i); the rest stay 0
    short m[6] = {};          // m(i): the number of C terms of row i

    // Fills the tables: each coefficient is its mantissa times 10 raised to its
    // exponent, both doubles, the power taken by the general power function, so
    // every coefficient is the very double that product gives.
    DensityCoefficients();
};
