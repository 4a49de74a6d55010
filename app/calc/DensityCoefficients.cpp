// DensityCoefficients: the coefficient tables as mantissa and power of ten.
#include "DensityCoefficients.h"

#include <cmath>

namespace {

struct Scaled
{
    double mantissa;
    double exponent;
};

double Value(const Scaled& s)
{
    return s.mantissa * std::pow(10.0, s.exponent);
}

const Scaled kA[12] = {
    {9.1376673, 2}, {-2.2175948, 2}, {-5.961786, 1}, {1.4682019, 2},
    {-5.665175, 2}, {6.2118006, 2}, {3.7824439, 3}, {-9.7453133, 3},
    {-9.5734653, 3}, {3.2677808, 4}, {8.7637383, 3}, {-3.9026437, 4},
};

const Scaled kB[6] = {
    {-7.943755, -1}, {-1.2168407, -3}, {3.5017833, -6},
    {1.770944, -7}, {-3.4138828, -9}, {-9.9880242, -11},
};

const short kTermsPerRow[5] = {11, 10, 9, 4, 2};

// The rows of C one after the other, m(1) + ... + m(5) = 36 terms.
const Scaled kC[36] = {
    // row 1
    {-3.9158709, -1}, {1.1518337, 0}, {-5.0416999, 0}, {1.3381608, 1},
    {4.5899913, 0}, {-1.1821, 2}, {1.905402, 2}, {3.3981954, 2},
    {-9.0032344, 2}, {-3.4932012, 2}, {1.2859318, 3},
    // row 2
    {-1.2083196, -4}, {-5.7466248, -3}, {1.2030894, -1}, {-2.3519694, -1},
    {-1.0362738, 0}, {2.1804505, 0}, {4.2763108, 0}, {-6.8624848, 0},
    {-6.9384031, 0}, {7.4460428, 0},
    // row 3
    {-3.8683211, -5}, {-2.0911429, -4}, {2.6713888, -3}, {4.1042045, -3},
    {-4.9364385, -2}, {-1.7952946, -2}, {2.9012506, -1}, {2.3001712, -2},
    {-5.4150139, -1},
    // row 4
    {-5.6024906, -7}, {-1.2649169, -6}, {3.486395, -6}, {-1.5168726, -6},
    // row 5
    {-1.4441741, -8}, {1.3470542, -8},
};

} // namespace

DensityCoefficients::DensityCoefficients()
{
    for (int k = 1; k <= 12; ++k)
        A[k] = Value(kA[k - 1]);
    for (int k = 1; k <= 6; ++k)
        B[k] = Value(kB[k - 1]);
    int next = 0;
    for (int i = 1; i <= 5; ++i) {
        m[i] = kTermsPerRow[i - 1];
        for (int k = 1; k <= m[i]; ++k)
            C[i][k] = Value(kC[next++]);
    }
}
