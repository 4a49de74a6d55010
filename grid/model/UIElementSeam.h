// UIElementSeam: what the change-refresh helpers need of a UI element of the
// grid display: its changed flag, its update and the invalidation of its
// displayed rectangle.
#pragma once

class UIElementSeam {
public:
    virtual void SetChanged() = 0;
    virtual void Update() = 0;
    // Invalidates the element's rectangle without erasing.
    virtual void Invalidate() = 0;

protected:
    ~UIElementSeam() = default;
};
