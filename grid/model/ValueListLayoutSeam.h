// ValueListLayoutSeam: what value lists and their items need of the layout
// that owns them: its host interface (errors, default font, liveness) and
// its Appearances, which their appearance references name.
#pragma once

class HvAppearances;
class HvLayoutHost;

class ValueListLayoutSeam {
public:
    virtual HvLayoutHost* Host() = 0;
    // Null when the layout has no Appearances collection.
    virtual HvAppearances* Appearances() = 0;

protected:
    ~ValueListLayoutSeam() = default;
};
