// Times the calculation as table generation uses it: for every cell of a
// density table (densities 771.9 to 999.8 kg/m3 by 0.1, test temperatures
// -20 to 50 degrees C by 0.5) the content in % m/m and the density at 20
// degrees C of that content. Prints figures; asserts nothing.
#include "Calc_Alc.h"
#include "RoundTiesToEven.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr int kDensities = 2280;      // 771.9 .. 999.8 by 0.1
constexpr int kTemperatures = 141;    // -20 .. 50 by 0.5

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int main()
{
    const Calc_Alc calc;
    long long cells = 0;
    long long cellsWithContent = 0;
    double checksum = 0.0;   // keeps the work observable

    LARGE_INTEGER frequency, start, stop;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < kDensities; ++i) {
        const double density = RoundTiesToEven(771.9 + i * 0.1, 1);
        for (int j = 0; j < kTemperatures; ++j) {
            const double temperature = -20.0 + j * 0.5;
            ++cells;
            const OwnedVariant content = calc.Teor_Alcoolico(density, temperature);
            if (content.IsNull())
                continue;
            const OwnedVariant density20 = calc.Massa_Especifica(content.Get().dblVal, 20.0);
            if (density20.IsNull())
                continue;
            ++cellsWithContent;
            checksum += content.Get().dblVal + density20.Get().dblVal;
        }
    }
    QueryPerformanceCounter(&stop);

    const double seconds = Seconds(start, stop, frequency);
    std::printf("calc_bench: Tabela 1, %d densities x %d temperatures\n", kDensities, kTemperatures);
    std::printf("cells:            %lld (%lld with a content, %lld null)\n", cells, cellsWithContent,
                cells - cellsWithContent);
    std::printf("total time:       %.3f s\n", seconds);
    std::printf("cells per second: %.0f\n", seconds > 0.0 ? static_cast<double>(cells) / seconds : 0.0);
    std::printf("checksum:         %.6f\n", checksum);
    return 0;
}
