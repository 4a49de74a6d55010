// Calc_AlcTestAccess: the tests' way into the private density model of Calc_Alc.
#pragma once

#include "Calc_Alc.h"

#include <cstdint>

struct Calc_AlcTestAccess
{
    static double Rho(const Calc_Alc& c, double p, double t) { return c.fMassaPorTeor(p, t); }
    static double Inverse(const Calc_Alc& c, double t, double massa) { return c.fTeorPorMassa(t, massa); }
    static double A(const Calc_Alc& c, int k) { return c.m_coef.A[k]; }
    static double B(const Calc_Alc& c, int k) { return c.m_coef.B[k]; }
    static double C(const Calc_Alc& c, int i, int k) { return c.m_coef.C[i][k]; }
    static short M(const Calc_Alc& c, int i) { return c.m_coef.m[i]; }
    static std::uint64_t Evaluations(const Calc_Alc& c) { return c.m_avaliacoesMassa; }
};
