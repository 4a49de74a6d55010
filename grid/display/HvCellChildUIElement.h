// HvCellChildUIElement: the base of the part elements (text, picture,
// buttons, indicators): ties the part to the object that owns it through
// the owner callback, with a context value that tells the owner which part
// is asking.
#pragma once

#include "HvUIElement.h"
#include "OwnedElementSeam.h"

class HvUIElementOwner;

class HvCellChildUIElement : public HvUIElement, public OwnedElementSeam {
public:
    HvUIElementOwner* Owner() const { return owner_; }
    void SetOwner(HvUIElementOwner* owner, LONG context)
    {
        owner_ = owner;
        context_ = context;
    }

    // OwnedElementSeam
    LONG OwnerContext() override { return context_; }
    OwnedElementSeam* FindEnclosing(LONG type) override;
    bool BeginPress() override { return false; }
    bool IsPressed() override { return false; }
    HCURSOR DefaultCursor() override { return nullptr; }
    RECT EnclosingRect(LONG type) override;
    void Redraw() override { Invalidate(); }
    bool HoldsCursor() override;

protected:
    HvCellChildUIElement(UIElementLayoutSeam* layout, HvUIElement* parent, const RECT& rect, ULONG type,
                         HvUIElementOwner* owner, LONG context);

    // The owner's state bits; 0 without an owner.
    long OwnerState();
    // The owner's cursor, else the parent's.
    HCURSOR OwnerCursor();

private:
    HvUIElementOwner* owner_; // not counted
    LONG context_;
};
