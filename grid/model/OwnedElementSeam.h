// OwnedElementSeam: what the owner of a UI element asks of the element that
// asks it: the context value its creator gave it, its enclosing elements by
// type, and the press of a push button.
#pragma once

#include <windows.h>

class OwnedElementSeam {
public:
    // -1 text, -2 picture, -3 swap button, -6 add-new-row button, ...
    virtual LONG OwnerContext() = 0;
    // The element itself or its nearest ancestor of that Constants_UIElement
    // type; null when none.
    virtual OwnedElementSeam* FindEnclosing(LONG type) = 0;
    // Push buttons: starts the pressed state; true when it began.
    virtual bool BeginPress() = 0;
    virtual bool IsPressed() = 0;
    // The element's own default cursor (0 for the grid's).
    virtual HCURSOR DefaultCursor() = 0;
    // The rectangle (grid client pixels) of the element itself or of its
    // nearest ancestor of that type; empty when none.
    virtual RECT EnclosingRect(LONG type) { (void)type; return RECT{}; }
    // The element is drawn again.
    virtual void Redraw() {}
    // The mouse pointer lies over the element.
    virtual bool HoldsCursor() { return false; }

protected:
    ~OwnedElementSeam() = default;
};
