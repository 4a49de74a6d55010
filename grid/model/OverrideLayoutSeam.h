// OverrideLayoutSeam: what an override needs of the layout it belongs to:
// its host interface and Appearances, size conversions (container units for
// clients, twips by display DPI in streams), font line heights, the layout's
// own override slots and the strategies behind click and select settings.
#pragma once

#include "LayoutUnitsSeam.h"
#include "OverrideStrategy.h"

#include <memory>

class AppearanceRef;
class HvAppearances;
class HvLayoutHost;
class PropertySinkConnection;

class OverrideLayoutSeam : public LayoutUnitsSeam {
public:
    virtual HvLayoutHost* Host() = 0;
    // Null when the layout has no Appearances collection.
    virtual HvAppearances* Appearances() = 0;
    // Pixels to twips and back by display DPI, rounded.
    virtual LONG FixedPixelsToUnitsX(LONG pixels) = 0;
    virtual LONG FixedPixelsToUnitsY(LONG pixels) = 0;
    virtual LONG FixedUnitsToPixelsX(LONG twips) = 0;
    virtual LONG FixedUnitsToPixelsY(LONG twips) = 0;
    // tmHeight + tmExternalLeading of the font on the grid's DC.
    virtual LONG GetFontLineHeight(PropertySinkConnection* font) = 0;
    // Slot i of the layout's own override, null when it has none.
    virtual AppearanceRef* GetOverrideAppearance(int slot) = 0;
    // The strategy for a setting's value (1 to 3), null when none is made.
    virtual std::unique_ptr<OverrideStrategy> CreateStrategy(OverrideStrategyKind kind, int value) = 0;

protected:
    ~OverrideLayoutSeam() = default;
};
