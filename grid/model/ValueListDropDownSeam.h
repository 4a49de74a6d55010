// ValueListDropDownSeam: the drop-down list of a cell editor as a value list
// fills it: emptied first, then given the list's items one by one.
#pragma once

class HvValueListItem;

class ValueListDropDownSeam {
public:
    // Empties the list and forgets its cached rectangle.
    virtual void ResetContent() = 0;
    // Adds one entry that carries item; false when the list refuses it.
    virtual bool AddItem(HvValueListItem* item) = 0;

protected:
    ~ValueListDropDownSeam() = default;
};
