// BandGridSeam: what a band needs of the grid control that shows its
// layout: the active row's place in the band hierarchy, moving activation
// away from a band, its dialog strings and tool tip, and the row events.
#pragma once

#include <windows.h>

class CDualString;
class HvBand;

class BandGridSeam {
public:
    // True when the active row, or one of its ancestor rows, belongs to band.
    virtual bool ActiveRowLeadsToBand(HvBand* band) = 0;
    // Moves activation out of band and its descendants; S_OK when the active
    // row no longer lies there, else the failure that kept it.
    virtual HRESULT MoveActivationOutOf(HvBand* band) = 0;
    // The DialogStrings text for id (6000-6010).
    virtual void GetDialogString(LONG id, CDualString& text) = 0;
    virtual void HideToolTip() = 0;

protected:
    ~BandGridSeam() = default;
};
