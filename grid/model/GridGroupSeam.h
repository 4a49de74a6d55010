// GridGroupSeam: what the collections need of a column group: its band,
// its column list, its width and the re-layout it triggers, its header
// caption and its persistence participant.
#pragma once

#include <windows.h>
#include <oleauto.h>

class GridBandSeam;
class GridColumnSeam;
class HvGroupCols;
class HvKeyedItem;
class HvPersistParticipant;

class GridGroupSeam {
public:
    virtual HvKeyedItem* GroupItem() = 0;
    virtual HvPersistParticipant* Participant() = 0;
    // Not referenced; null once the group left its band.
    virtual GridBandSeam* Band() = 0;
    // The group's column list, made when create is true; null otherwise.
    virtual HvGroupCols* GetGroupCols(bool create) = 0;
    virtual bool SetHeaderCaption(BSTR caption) = 0;

    // The group's current width in pixels.
    virtual LONG Width() = 0;
    // Stores the width without re-layout (0 also clears the columns').
    virtual void StoreWidth(LONG width) = 0;
    virtual void RecalcWidth(LONG width, GridColumnSeam* column, LONG arg, LONG arg2, bool resizeColumns) = 0;
    // Marks the layout's column metrics and column scroll regions dirty.
    virtual void InvalidateLayout() = 0;
    // Asked when the band's LevelCount changes: whether it was affected.
    virtual bool RemoveFromBand() = 0;
    virtual LONG HeaderPictureHeight() = 0;
    virtual LONG HeaderFontHeight() = 0;

protected:
    ~GridGroupSeam() = default;
};
