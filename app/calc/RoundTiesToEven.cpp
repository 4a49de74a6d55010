// RoundTiesToEven through OLEAUT32 VarR8Round, which rounds ties to even
// (VarRound does not do so on every platform, so it is not used).
#include "RoundTiesToEven.h"

#include <windows.h>
#include <oleauto.h>

double RoundTiesToEven(double value, int decimals) noexcept
{
    double rounded = value;
    if (FAILED(VarR8Round(value, decimals, &rounded)))
        return value;   // only a negative count of decimals fails
    return rounded;
}
