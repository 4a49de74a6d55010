// BandHeaderItem: what a band's header layout needs of a column or group
// header item in its header order. The shared column/group part answers it
// with the same operations it offers the display.
#pragma once

#include <windows.h>

class CDualString;

class BandHeaderItem {
public:
    virtual bool IsGroup() const = 0;
    virtual bool IsHiddenItem() = 0;
    // Pixels; 0 when hidden.
    virtual LONG GetWidth(bool flag) = 0;
    virtual void SetStoredOrigin(LONG offset) = 0;
    virtual void SetFirstItem(bool first) = 0;
    virtual void SetLastItem(bool last) = 0;
    // The text the item's header shows.
    virtual void GetCaption(CDualString& caption) = 0;

protected:
    ~BandHeaderItem() = default;
};
