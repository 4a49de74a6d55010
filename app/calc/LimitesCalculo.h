// LimitesCalculo: the domain of the density model and of its inverse.
#pragma once

namespace limites {

inline constexpr double kMassaMin = 771.92;     // kg/m3
inline constexpr double kMassaMax = 999.84;
inline constexpr double kTempMin = -20.0;       // degrees C
inline constexpr double kTempMax = 50.0;
inline constexpr double kTeorMin = 0.0;         // % m/m
inline constexpr double kTeorMax = 100.0;

// Ranges are written low <= v && v <= high so that a NaN falls outside.
inline bool Within(double v, double low, double high)
{
    return low <= v && v <= high;
}

inline bool MassaValida(double massa) { return Within(massa, kMassaMin, kMassaMax); }
inline bool TemperaturaValida(double t) { return Within(t, kTempMin, kTempMax); }
inline bool TeorValido(double teor) { return Within(teor, kTeorMin, kTeorMax); }

} // namespace limites
