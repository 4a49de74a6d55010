// The density polynomial, its bisection inverse and the rounding they use.
#include <doctest/doctest.h>

#include "Calc_AlcTestAccess.h"
#include "RoundTiesToEven.h"

#include <cmath>

using Access = Calc_AlcTestAccess;

namespace {
// The tables are built with the run-time power function; the compiler would
// fold a constant call with its own, correctly rounded, arithmetic instead,
// and the two differ in the last bit for some exponents on some runtimes.
double RuntimePow10(double exponent)
{
    volatile double ten = 10.0;
    return std::pow(ten, exponent);
}
}

TEST_CASE("rounding sends exact ties to the even digit")
{
    struct Case { double value; int decimals; double expected; };
    const Case cases[] = {
        {0.125, 2, 0.12}, {0.375, 2, 0.38}, {2.5, 0, 2.0}, {3.5, 0, 4.0},
        {-2.5, 0, -2.0}, {0.126, 2, 0.13}, {0.124, 2, 0.12}, {845.66, 1, 845.7},
        {0.99494, 4, 0.9949}, {0.99495001, 4, 0.995}, {1e-12, 12, 1e-12},
        {100.0 / 281474976710656.0, 12, 0.0},   // 100 / 2^48
    };
    for (const Case& c : cases) {
        CAPTURE(c.value);
        CAPTURE(c.decimals);
        CHECK(RoundTiesToEven(c.value, c.decimals) == c.expected);
    }
}

TEST_CASE("coefficient tables hold mantissa times a power of ten")
{
    const Calc_Alc calc;
    CHECK(Access::A(calc, 1) == 9.1376673 * RuntimePow10(2.0));
    CHECK(Access::A(calc, 12) == -3.9026437 * RuntimePow10(4.0));
    CHECK(Access::B(calc, 6) == -9.9880242 * RuntimePow10(-11.0));
    CHECK(Access::C(calc, 1, 11) == 1.2859318 * RuntimePow10(3.0));
    CHECK(Access::C(calc, 5, 2) == 1.3470542 * RuntimePow10(-8.0));
    const short terms[] = {0, 11, 10, 9, 4, 2};
    for (int i = 1; i <= 5; ++i) {
        CAPTURE(i);
        CHECK(Access::M(calc, i) == terms[i]);
        for (int k = terms[i] + 1; k <= 11; ++k)
            CHECK(Access::C(calc, i, k) == 0.0);
    }
}

TEST_CASE("density at known contents and temperatures")
{
    const Calc_Alc calc;
    // x = 0 and tau = 0 leave only A(1).
    CHECK(Access::Rho(calc, 50.0, 20.0) == Access::A(calc, 1));
    CHECK(Access::Rho(calc, 50.0, 20.0) == doctest::Approx(913.76673).epsilon(1e-12));

    struct Case { double p; double t; double expected5; };
    const Case cases[] = {
        {0.0, 20.0, 998.20023}, {100.0, 20.0, 789.23496},
        {0.0, 50.0, 988.02988}, {100.0, -20.0, 823.12370},
    };
    for (const Case& c : cases) {
        CAPTURE(c.p);
        CAPTURE(c.t);
        CHECK(RoundTiesToEven(Access::Rho(calc, c.p, c.t), 5) == c.expected5);
    }
}

TEST_CASE("inverse of the density")
{
    const Calc_Alc calc;
    // On equality the first step moves up, so the midpoint density does not give 50.
    CHECK(Access::Inverse(calc, 20.0, 913.76673) == 50.00000000000018);
    CHECK(RoundTiesToEven(Access::Inverse(calc, 20.0, 850.0), 11) == 77.30228926823);
    CHECK(RoundTiesToEven(Access::Inverse(calc, 25.0, 850.0), 11) == 75.52714510765);
}

TEST_CASE("inverse answers -1 at or beyond pure water and pure ethanol")
{
    const Calc_Alc calc;
    struct Case { double t; double massa; };
    const Case cases[] = {
        {20.0, Access::Rho(calc, 0.0, 20.0)}, {20.0, Access::Rho(calc, 100.0, 20.0)},
        {50.0, 999.84}, {-20.0, 771.92}, {20.0, 771.92},
    };
    for (const Case& c : cases) {
        CAPTURE(c.t);
        CAPTURE(c.massa);
        CHECK(Access::Inverse(calc, c.t, c.massa) == -1.0);
    }
}

TEST_CASE("inverse evaluates the density exactly 48 times whatever the target")
{
    const Calc_Alc calc;
    struct Case { double t; double massa; };
    const Case cases[] = {
        {20.0, 913.76673}, {20.0, 850.0}, {25.0, 850.0}, {50.0, 999.84},
        {-20.0, 771.92}, {-20.0, 999.84}, {50.0, 771.92}, {0.0, 1500.0}, {0.0, 100.0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.t);
        CAPTURE(c.massa);
        const auto before = Access::Evaluations(calc);
        Access::Inverse(calc, c.t, c.massa);
        CHECK(Access::Evaluations(calc) - before == 48);
    }
}
