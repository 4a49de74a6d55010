// LayoutUnitsSeam: the layout's conversion of sizes between pixels and the
// container's units (through the sited grid's scale; twips without one).
#pragma once

#include <windows.h>

class LayoutUnitsSeam {
public:
    virtual double PixelsToUnitsX(LONG pixels) = 0;
    virtual double PixelsToUnitsY(LONG pixels) = 0;
    // Called only with finite, non-negative values below 2^31.
    virtual LONG UnitsToPixelsX(float units) = 0;
    virtual LONG UnitsToPixelsY(float units) = 0;

protected:
    ~LayoutUnitsSeam() = default;
};
