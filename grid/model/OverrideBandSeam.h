// OverrideBandSeam: what the resolved (read-only) form of an override asks
// of its band at every read: the effective value of each setting and the
// resolution of an appearance for a part of the band in a given state.
#pragma once

#include <windows.h>
#include <oleauto.h>

class AppearanceData;
class OverrideLayoutSeam;

struct AppearanceRequest {
    enum Part : DWORD { Row = 15, Cell = 26, Header = 34 };
    enum State { Alternate = 0, Selected = 1, ActiveRow = 2, ActiveCell = 3, EditCell = 5, RowSelector = 6 };

    DWORD requestMask = 0;
    DWORD resolvedMask = 0;
    DWORD part = 0;
    BYTE state[8] = {};
};

class OverrideBandSeam {
public:
    // The band is kept alive while a resolved override refers to it.
    virtual void AddRefBand() = 0;
    virtual void ReleaseBand() = 0;
    virtual OverrideLayoutSeam* Layout() = 0;
    // The band's effective value of the setting with this dispatch
    // identifier (band override, layout override, built-in default), in the
    // stored form: pixels for sizes.
    virtual LONG ResolveSetting(DISPID setting) = 0;
    // Fills block from the band's levels and updates the resolved mask.
    virtual void ResolveAppearance(AppearanceData& block, AppearanceRequest& request) = 0;

protected:
    ~OverrideBandSeam() = default;
};
